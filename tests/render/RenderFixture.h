#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "core/Tabula.h"
#include "hosts/headless/HeadlessHost.h"
#include "platform/container/ControlContainer.h"
#include "platform/forms/Form.h"
#include "tests/platform/RaisedError.h"

namespace tabula::test {

// A painted grid of 400 x 300 pixels (picGrid 395 x 295) on a headless form, placed in a
// container as a new instance: 5 data columns, 1 data row, headers, grid lines, 3D
// headers. Data cell (r, c) then starts at x = 34 + 65 (c - 1), y = 17 + 16 (r - 1).
class RenderTest : public testing::Test {
protected:
    RenderTest() {
        container_.Add(grid_, "Tabula.Grid");
        grid_.InitProperties();
    }

    COLORREF Pixel(int32_t x, int32_t y) const { return grid_.picGrid.Picture().Pixel(x, y); }
    static int32_t CellX(int32_t col) { return 34 + 65 * (col - 1); }
    static int32_t CellY(int32_t row) { return 17 + 16 * (row - 1); }
    // How many pixels of the rectangle differ from the colour.
    int32_t CountOther(int32_t left, int32_t top, int32_t right, int32_t bottom,
                       COLORREF color) const {
        const PixelImage image = grid_.picGrid.Picture();
        int32_t count = 0;
        for (int32_t y = top; y < bottom; ++y) {
            for (int32_t x = left; x < right; ++x)
                count += image.Pixel(x, y) != color ? 1 : 0;
        }
        return count;
    }

    HeadlessHost host_;
    Form form_{Rect{0, 0, 700, 500}, "Form1"};
    ControlContainer container_{form_};
    Tabula grid_{form_.hWnd(), Rect{10, 10, 410, 310}};
};

constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kGrey = 0xC0C0C0;
constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kGreen = 0x00FF00;
constexpr COLORREF kBlue = 0xFF0000;

}  // namespace tabula::test
