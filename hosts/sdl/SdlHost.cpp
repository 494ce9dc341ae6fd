#include "hosts/sdl/SdlHost.h"

#include <SDL.h>

#include <algorithm>

#include "hosts/sdl/SdlInput.h"
#include "hosts/sdl/SdlKeys.h"
#include "platform/forms/Form.h"
#include "platform/gdi/Color.h"
#include "platform/image/PngFile.h"
#include "platform/window/Windows.h"

namespace tabula {

namespace {

// The longest the host sleeps without input or a timer due; a bound, not a frame rate.
constexpr int64_t kLongestWait = 1000;

std::string SdlMessage(const char* what) {
    return std::string(what) + ": " + SDL_GetError();
}

}  // namespace

SdlHost::SdlHost() : input_(std::make_unique<SdlInput>(desktop_)) {
    desktop_.MakeCurrent();
}

SdlHost::~SdlHost() {
    Close();
}

void SdlHost::Open(Form& form, SdlHostOptions options) {
    if (window_) throw SdlError("the window is already open");
    // A click that brings the window to the front also reaches the control under it.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) throw SdlError(SdlMessage("no display"));

    options_ = std::move(options);
    form_ = &form;
    const int32_t width = std::max(form.Width(), 1);
    const int32_t height = std::max(form.Height(), 1);
    title_ = form.Caption();
    window_ = SDL_CreateWindow(title_.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                               width, height, SDL_WINDOW_RESIZABLE);
    if (window_) renderer_ = SDL_CreateRenderer(window_, -1, 0);
    if (!renderer_) {
        const std::string message = SdlMessage("cannot open a window");
        Close();
        throw SdlError(message);
    }

    desktop_.readClipboard = [] {
        char* text = SDL_GetClipboardText();
        std::string copy = text ? text : "";
        SDL_free(text);
        return copy;
    };
    desktop_.writeClipboard = [](const std::string& text) { SDL_SetClipboardText(text.c_str()); };
    desktop_.SetIdleHandler([this] { return WaitForInput(); });
    // The desktop's clock goes on from where it stands, at the pace of real time.
    clockOrigin_ = SDL_GetTicks64() - static_cast<uint64_t>(std::max<int64_t>(desktop_.Now(), 0));
    quit_ = false;
    dirty_ = true;
    frames_ = 0;

    desktop_.SetScreenSize({width, height});
    form.Move(0, 0, width, height);
    SDL_StartTextInput();
    form.Show();
}

void SdlHost::Close() {
    if (texture_) SDL_DestroyTexture(texture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (window_) SDL_DestroyWindow(window_);
    const bool wasOpen = window_ != nullptr;
    texture_ = nullptr;
    renderer_ = nullptr;
    window_ = nullptr;
    textureWidth_ = textureHeight_ = 0;
    form_ = nullptr;
    desktop_.readClipboard = nullptr;
    desktop_.writeClipboard = nullptr;
    desktop_.SetIdleHandler(nullptr);
    if (wasOpen || SDL_WasInit(SDL_INIT_VIDEO)) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void SdlHost::Run() {
    if (!window_ || !form_) throw SdlError("no window is open");
    Form* form = form_;
    desktop_.RunModalLoop([&] { return quit_ || !form->Loaded(); });
    // Closing the window closes the form, as its close box would.
    if (form->Loaded()) form->Unload();
}

int64_t SdlHost::Clock() const {
    return static_cast<int64_t>(SDL_GetTicks64() - clockOrigin_);
}

bool SdlHost::WaitForInput() {
    if (!window_) return false;
    Present();
    if (quit_) return false;
    PlaceTextInput();

    int64_t wait = kLongestWait;
    const int64_t now = Clock();
    for (const auto& timer : desktop_.timers)
        wait = std::min(wait, timer.due - now);
    wait = std::max<int64_t>(wait, 0);

    SDL_Event event;
    if (SDL_WaitEventTimeout(&event, static_cast<int>(wait))) {
        Handle(event);
        while (!quit_ && SDL_PollEvent(&event))
            Handle(event);
    }
    desktop_.AdvanceClockTo(Clock());
    return !quit_;
}

void SdlHost::Handle(const SDL_Event& event) {
    switch (event.type) {
        case SDL_QUIT:
            quit_ = true;
            return;
        case SDL_WINDOWEVENT:
            switch (event.window.event) {
                case SDL_WINDOWEVENT_CLOSE:
                    quit_ = true;
                    return;
                case SDL_WINDOWEVENT_SIZE_CHANGED:
                    Resize(event.window.data1, event.window.data2);
                    return;
                case SDL_WINDOWEVENT_EXPOSED:
                    dirty_ = true;
                    return;
                default:
                    break;
            }
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            if (options_.screenshotKey != 0 &&
                VirtualKeyFromSdl(event.key.keysym.sym, event.key.keysym.scancode,
                                  event.key.keysym.mod)
                        .vk == options_.screenshotKey) {
                if (event.type == SDL_KEYDOWN && !event.key.repeat &&
                    !options_.screenshotPath.empty()) {
                    Present();
                    SaveScreenshot(options_.screenshotPath);
                }
                return;
            }
            break;
        default:
            break;
    }
    input_->Feed(event);
}

void SdlHost::Resize(int32_t width, int32_t height) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    desktop_.SetScreenSize({width, height});
    if (form_ && form_->Loaded()) form_->Move(0, 0, width, height);
    dirty_ = true;
}

void SdlHost::Present() {
    if (!renderer_) return;
    if (!dirty_ && desktop_.ImageGeneration() == shownGeneration_) return;
    dirty_ = false;
    shownGeneration_ = desktop_.ImageGeneration();

    if (form_ && form_->Loaded() && form_->Caption() != title_) {
        title_ = form_->Caption();
        SDL_SetWindowTitle(window_, title_.c_str());
    }
    const Size size = desktop_.ScreenSize();
    if (shown_.Width() != size.cx || shown_.Height() != size.cy) {
        shown_ = PixelImage(size.cx, size.cy);
    }
    shown_.Fill(GetSysColor(COLOR_BACKGROUND));
    ComposeDesktop(shown_);

    if (!texture_ || textureWidth_ != shown_.Width() || textureHeight_ != shown_.Height()) {
        if (texture_) SDL_DestroyTexture(texture_);
        // Pixels are 0x00BBGGRR words: red in the low byte, which is SDL's XBGR8888.
        texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_XBGR8888,
                                     SDL_TEXTUREACCESS_STREAMING, shown_.Width(), shown_.Height());
        if (!texture_) throw SdlError(SdlMessage("cannot create the window's texture"));
        textureWidth_ = shown_.Width();
        textureHeight_ = shown_.Height();
    }
    SDL_UpdateTexture(texture_, nullptr, shown_.Pixels().data(),
                      static_cast<int>(shown_.Width() * sizeof(COLORREF)));
    SDL_RenderClear(renderer_);
    SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
    SDL_RenderPresent(renderer_);

    ++frames_;
    if (frames_ == 1 && options_.onFirstFrame) options_.onFirstFrame();
    if (frames_ == options_.screenshotAfterFrames && !options_.screenshotPath.empty()) {
        SaveScreenshot(options_.screenshotPath);
        if (options_.quitAfterScreenshot) quit_ = true;
    }
}

void SdlHost::PlaceTextInput() {
    Rect area{};
    const HWND focus = GetFocus();
    if (!focus || !GetWindowRect(focus, &area) || area == textInputArea_) return;
    textInputArea_ = area;
    // The form fills the window from its top-left corner: screen pixels are window pixels.
    SDL_Rect rect{area.left, area.top, static_cast<int>(area.Width()),
                  static_cast<int>(area.Height())};
    SDL_SetTextInputRect(&rect);
}

void SdlHost::SaveScreenshot(const std::string& path) {
    WritePng(shown_, path);
    if (options_.onScreenshot) options_.onScreenshot(path);
}

}  // namespace tabula
