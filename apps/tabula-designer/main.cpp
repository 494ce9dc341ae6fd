// The Tabula form designer: place a grid and the runtime's controls on a form, set their
// properties, save the form as a form file and run it.
//
//   tabula-designer                         open the window (needs a display)
//   tabula-designer --headless-png FILE     draw a sample design in memory into FILE
//
// Window options:
//   --screenshot FILE     where screenshots go; the Print Screen key saves one
//   --print-places        print where the buttons, the form, its controls and the page
//                         fields are, for scripts that click them
//   --open FILE           open a form file at the start
//
// What people do is printed one line per event ("placed: Grid1 16,16 240x120
// Tabula.Grid", "saved: PATH (2 controls)"), so a script driving the window can tell the
// input arrived.

#include <cstdio>
#include <string>

#include "apps/tabula-designer/DesignerForm.h"
#include "hosts/headless/HeadlessHost.h"
#include "hosts/sdl/SdlHost.h"
#include "platform/image/PngFile.h"
#include "platform/window/VirtualKeys.h"

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
                 "          [--screenshot FILE] [--print-places] [--open FILE]\n",
                 program);
    return 2;
}

int DrawHeadless(const std::string& path) {
    HeadlessHost host(DesignerForm::kWidth, DesignerForm::kHeight);
    DesignerForm designer;
    designer.GetForm().Show();
    designer.Surface().GetForm().Show();
    designer.PlaceSample();
    WritePng(host.Screen(), path);
    Print("wrote " + path);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string headlessPng, openPath;
    SdlHostOptions options;
    bool printPlaces = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--headless-png" && hasValue) {
            headlessPng = argv[++i];
        } else if (arg == "--screenshot" && hasValue) {
            options.screenshotPath = argv[++i];
            options.screenshotKey = VK_SNAPSHOT;
        } else if (arg == "--print-places") {
            printPlaces = true;
        } else if (arg == "--open" && hasValue) {
            openPath = argv[++i];
        } else {
            return Usage(argv[0]);
        }
    }

    try {
        if (!headlessPng.empty()) return DrawHeadless(headlessPng);

        SdlHost host;
        DesignerForm designer(Print);
        options.onFirstFrame = [] { Print("ready"); };
        options.onScreenshot = [](const std::string& path) { Print("screenshot: " + path); };
        try {
            host.Open(designer.GetForm(), options);
        } catch (const SdlError& e) {
            std::fprintf(stderr,
                         "tabula-designer: %s\n(without a display, try --headless-png FILE)\n",
                         e.what());
            return 1;
        }
        designer.Surface().GetForm().Show();
        if (printPlaces) designer.AnnouncePlaces();
        if (!openPath.empty()) designer.OpenFile(openPath);
        host.Run();
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tabula-designer: %s\n", e.what());
        return 1;
    }
}
