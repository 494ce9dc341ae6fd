// The Tabula demo: a sample form in a real window, or drawn to a PNG without one.
//
//   tabula-demo                         open the window (needs a display)
//   tabula-demo --headless-png FILE     draw the form in memory and write it to FILE
//
// Window options:
//   --screenshot FILE          where screenshots go; the Print Screen key saves one
//   --screenshot-after N       also save one once N frames have been shown
//   --quit-after-screenshot    close once that screenshot is saved
//   --print-places             print where the controls a script clicks are, and the
//                              list's items and the scroll bar's arrows
//   --open FILE                show the grid a saved form file describes
//   --save-to FILE             where Save (and Ctrl+S) writes the form (by default
//                              tabula-demo-form.json, or the file opened)
//
// What people do with the form is printed one line per event ("clicked OK",
// "typed: hello", "picked: March"), so a script driving the window can tell the input
// arrived.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "apps/tabula-demo/DemoForm.h"
#include "hosts/headless/HeadlessHost.h"
#include "hosts/sdl/SdlHost.h"
#include "platform/image/PngFile.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/Windows.h"

using namespace tabula;

namespace {

void Print(const std::string& line) {
    std::fputs(line.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

int Usage(const char* program) {
    std::fprintf(stderr,
                 "usage: %s [--headless-png FILE]\n"
                 "          [--screenshot FILE [--screenshot-after N] [--quit-after-screenshot]]\n"
                 "          [--print-places] [--open FILE] [--save-to FILE]\n",
                 program);
    return 2;
}

int DrawHeadless(const std::string& path) {
    HeadlessHost host;
    DemoForm demo;
    demo.GetForm().Show();
    WritePng(host.Screenshot(demo.GetForm().hWnd()), path);
    Print("wrote " + path);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string headlessPng;
    SdlHostOptions options;
    bool printPlaces = false;
    std::string openPath, savePath;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--headless-png" && hasValue) {
            headlessPng = argv[++i];
        } else if (arg == "--screenshot" && hasValue) {
            options.screenshotPath = argv[++i];
            options.screenshotKey = VK_SNAPSHOT;
        } else if (arg == "--screenshot-after" && hasValue) {
            options.screenshotAfterFrames = std::atoi(argv[++i]);
        } else if (arg == "--quit-after-screenshot") {
            options.quitAfterScreenshot = true;
        } else if (arg == "--print-places") {
            printPlaces = true;
        } else if (arg == "--open" && hasValue) {
            openPath = argv[++i];
        } else if (arg == "--save-to" && hasValue) {
            savePath = argv[++i];
        } else {
            return Usage(argv[0]);
        }
    }

    try {
        if (!headlessPng.empty()) return DrawHeadless(headlessPng);

        SdlHost host;
        DemoForm demo(Print);
        if (!openPath.empty()) demo.Open(openPath);
        if (!savePath.empty()) demo.SetFormPath(savePath);
        options.onFirstFrame = [] { Print("ready"); };
        options.onScreenshot = [](const std::string& path) { Print("screenshot: " + path); };
        try {
            host.Open(demo.GetForm(), options);
        } catch (const SdlError& e) {
            std::fprintf(stderr, "tabula-demo: %s\n(without a display, try --headless-png FILE)\n",
                         e.what());
            return 1;
        }
        if (printPlaces) demo.AnnouncePlaces();
        host.Run();
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tabula-demo: %s\n", e.what());
        return 1;
    }
}
