#pragma once

// A form on a headless desktop, for tests that drive the runtime's controls the way a
// person does. A derived fixture declares its controls as members (they are built after
// the form, so they can be its children) and shows the form when it is ready. Picture
// boxes, which take the focus and do nothing of their own, and the drawing calls come
// with it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "hosts/headless/HeadlessHost.h"
#include "platform/forms/Form.h"
#include "platform/forms/PictureBox.h"
#include "platform/gdi/Drawing.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/Windows.h"

namespace tabula::test {

using Log = std::vector<std::string>;

class FormFixture : public testing::Test {
protected:
    explicit FormFixture(const Rect& formRect = Rect{100, 100, 500, 400},
                         int32_t screenWidth = 1024, int32_t screenHeight = 768)
        : host_(screenWidth, screenHeight), form_(formRect, "Test") {}

    // A click, then time enough that the next click is a click of its own.
    void ClickAlone(HWND hwnd, int32_t x, int32_t y) {
        host_.Click(hwnd, x, y);
        host_.Advance(1000);
    }

    // Gives the focused control `script`: characters as typed, keys in angle brackets with
    // S-, C- and A- for Shift, Ctrl and Alt held ("ab<S-Home><C-X>").
    void Keys(std::string_view script) {
        static const std::map<std::string, uint8_t> kNames = {
            {"Back", VK_BACK},  {"Del", VK_DELETE},   {"Down", VK_DOWN},   {"End", VK_END},
            {"Esc", VK_ESCAPE}, {"Enter", VK_RETURN}, {"Home", VK_HOME},   {"Ins", VK_INSERT},
            {"Left", VK_LEFT},  {"PgDn", VK_NEXT},    {"Right", VK_RIGHT}, {"Tab", VK_TAB},
            {"Up", VK_UP},      {"PgUp", VK_PRIOR},   {"F4", VK_F1 + 3}};
        for (size_t open; (open = script.find('<')) != std::string_view::npos;) {
            host_.Type(script.substr(0, open));
            const size_t close = script.find('>', open);
            std::string_view key = script.substr(open + 1, close - open - 1);
            int16_t shift = 0;
            for (; key.size() > 2 && key[1] == '-'; key.remove_prefix(2))
                shift |= key[0] == 'S' ? vbShiftMask : key[0] == 'C' ? vbCtrlMask : vbAltMask;
            host_.PressKey(key.size() == 1 ? uint8_t(key[0]) : kNames.at(std::string(key)), shift);
            script.remove_prefix(close + 1);
        }
        host_.Type(script);
    }

    // The first child window of `parent` that belongs to a control of type T.
    template <class T>
    static T* FindChild(HWND parent) {
        for (HWND child : GetChildren(parent)) {
            if (auto* control = dynamic_cast<T*>(Control::FromHandle(child))) return control;
        }
        return nullptr;
    }

    // Runs `act` on the dialog as soon as its modal loop waits for input. An act that
    // leaves the dialog open lets the loop run dry, which closes the dialog.
    void WhileShown(std::function<void(Form&)> act) {
        SetTimer(0, 0, 10, [act](HWND, UINT, UINT_PTR id, uint32_t) {
            KillTimer(0, id);
            Form* dialog = Form::Containing(GetActiveWindow());
            ASSERT_NE(dialog, nullptr);
            ASSERT_TRUE(dialog->IsModal());
            act(*dialog);
        });
    }

    // The dialog's control called `name`.
    template <class T>
    static T* Named(HWND parent, const std::string& name) {
        for (HWND child : GetChildren(parent)) {
            Control* control = Control::FromHandle(child);
            if (control && control->Name() == name) return dynamic_cast<T*>(control);
            if (T* inner = Named<T>(child, name)) return inner;
        }
        return nullptr;
    }
    template <class T>
    static T& Get(Form& dialog, const std::string& name) {
        T* control = Named<T>(dialog.hWnd(), name);
        if (!control) throw std::runtime_error("no control " + name);
        return *control;
    }

    static int CountPixels(const PixelImage& image, const Rect& area, COLORREF color) {
        int count = 0;
        for (int32_t y = area.top; y < area.bottom; ++y) {
            for (int32_t x = area.left; x < area.right; ++x)
                count += image.Pixel(x, y) == color;
        }
        return count;
    }

    // The smallest rectangle holding every pixel of `image` that `pick(x, y)` picks; empty
    // when it picks none.
    template <class Pick>
    static Rect Bounds(const PixelImage& image, Pick pick) {
        Rect r{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
        for (int32_t y = 0; y < image.Height(); ++y) {
            for (int32_t x = 0; x < image.Width(); ++x) {
                if (!pick(x, y)) continue;
                r = {std::min(r.left, x), std::min(r.top, y), std::max(r.right, x + 1),
                     std::max(r.bottom, y + 1)};
            }
        }
        return r.left == INT32_MAX ? Rect{} : r;
    }
    // Where two images of one size differ.
    static Rect Difference(const PixelImage& a, const PixelImage& b) {
        return Bounds(a, [&](int32_t x, int32_t y) { return a.Pixel(x, y) != b.Pixel(x, y); });
    }
    // Where an image has pixels of a colour.
    static Rect Ink(const PixelImage& image, COLORREF color) {
        return Bounds(image, [&](int32_t x, int32_t y) { return image.Pixel(x, y) == color; });
    }

    HeadlessHost host_;
    Form form_;
};

}  // namespace tabula::test
