#pragma once

// A form on a headless desktop, for tests that drive the runtime's controls the way a
// person does. A derived fixture declares its controls as members (they are built after
// the form, so they can be its children) and shows the form when it is ready.

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "hosts/headless/HeadlessHost.h"
#include "platform/forms/Form.h"
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

    // The first child window of `parent` that belongs to a control of type T.
    template <class T>
    static T* FindChild(HWND parent) {
        for (HWND child : GetChildren(parent)) {
            if (auto* control = dynamic_cast<T*>(Control::FromHandle(child))) return control;
        }
        return nullptr;
    }

    static int CountPixels(const PixelImage& image, const Rect& area, COLORREF color) {
        int count = 0;
        for (int32_t y = area.top; y < area.bottom; ++y) {
            for (int32_t x = area.left; x < area.right; ++x)
                count += image.Pixel(x, y) == color;
        }
        return count;
    }

    // The smallest rectangle holding every pixel that differs between two images of one
    // size; empty when they are the same.
    static Rect Difference(const PixelImage& a, const PixelImage& b) {
        Rect r{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
        for (int32_t y = 0; y < a.Height(); ++y) {
            for (int32_t x = 0; x < a.Width(); ++x) {
                if (a.Pixel(x, y) == b.Pixel(x, y)) continue;
                r = {std::min(r.left, x), std::min(r.top, y), std::max(r.right, x + 1),
                     std::max(r.bottom, y + 1)};
            }
        }
        return r.left == INT32_MAX ? Rect{} : r;
    }

    HeadlessHost host_;
    Form form_;
};

}  // namespace tabula::test
