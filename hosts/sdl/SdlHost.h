#pragma once

// The SDL2 window host: one real window showing a form. The desktop's screen is the
// window's client area, the form sits at its top left corner and takes the window's size,
// SDL's input goes into the desktop's input queue, the clipboard is the system's, and
// timers run on real time. The window is redrawn only when some window's image changed.
//
//   SdlHost host;                    // owns the desktop and makes it current
//   Form form(Rect{0, 0, 400, 300}, "Title");
//   ...controls...
//   host.Open(form);                 // throws SdlError without a display
//   host.Run();                      // until the window closes or the form unloads
//
// The form must outlive Run. Modal forms shown while Run is on (or before it) wait for
// input through the same window. This header includes no SDL header, so programs that use
// the host need no SDL headers of their own.

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include "platform/gdi/PixelImage.h"
#include "platform/window/Desktop.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
union SDL_Event;

namespace tabula {

class Form;
class SdlInput;

struct SdlError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct SdlHostOptions {
    // Where screenshots go; without a path there are none.
    std::string screenshotPath;
    // Saves a screenshot once this many frames have been shown (0: not by frames).
    int screenshotAfterFrames = 0;
    // The virtual key that saves a screenshot (0: none), VK_SNAPSHOT for Print Screen.
    // The key is not passed on to the form.
    uint8_t screenshotKey = 0;
    // Ends Run once the screenshot after frames is saved.
    bool quitAfterScreenshot = false;
    // Called with the file name after each screenshot is written.
    std::function<void(const std::string&)> onScreenshot;
    // Called once, after the first frame is on screen.
    std::function<void()> onFirstFrame;
};

class SdlHost {
public:
    SdlHost();
    ~SdlHost();
    SdlHost(const SdlHost&) = delete;
    SdlHost& operator=(const SdlHost&) = delete;

    Desktop& GetDesktop() { return desktop_; }

    // Starts SDL's video and opens a window the size of the form, titled with its caption,
    // and shows the form in it. Throws SdlError when there is no display to open it on.
    void Open(Form& form, SdlHostOptions options = {});
    // Runs until the window is closed (the form is then unloaded) or the form unloads.
    void Run();
    // Closes the window; Run and Open may not be used afterwards without a new Open.
    void Close();

    // The image the window shows now, composed from the desktop.
    const PixelImage& Shown() const { return shown_; }
    // Writes what the window shows to a PNG file. Throws PngError on failure.
    void SaveScreenshot(const std::string& path);
    // Frames presented so far.
    int Frames() const { return frames_; }

private:
    // The idle step of every message loop: shows what changed, waits for SDL events (no
    // longer than until the next timer is due), feeds them in and moves the clock to the
    // real time. Returns false once the window is closed.
    bool WaitForInput();
    void Handle(const SDL_Event& event);
    void Resize(int32_t width, int32_t height);
    void Present();
    // Tells SDL where the window with the keyboard lies, so an input method shows its
    // candidates by the text being typed (the edit box over a cell, say).
    void PlaceTextInput();
    int64_t Clock() const;

    Desktop desktop_;
    std::unique_ptr<SdlInput> input_;
    SdlHostOptions options_;
    Form* form_ = nullptr;
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    int32_t textureWidth_ = 0;
    int32_t textureHeight_ = 0;
    PixelImage shown_;
    uint64_t shownGeneration_ = 0;
    Rect textInputArea_{};
    bool dirty_ = true;
    bool quit_ = false;
    int frames_ = 0;
    uint64_t clockOrigin_ = 0;
    std::string title_;
};

}  // namespace tabula
