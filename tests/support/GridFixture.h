#pragma once

// The one grid fixture: a grid of 400 x 300 pixels (picGrid 395 x 295) on a headless form,
// placed in a container as a new instance: 5 data columns, 1 data row, headers, grid lines,
// 3D headers. Data cell (r, c) then starts at x = 34 + 65 (c - 1), y = 17 + 16 (r - 1).
// Every test ends with the record's consistency check.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/Tabula.h"
#include "platform/container/ControlContainer.h"
#include "tests/support/EventRecorder.h"
#include "tests/support/FormFixture.h"
#include "tests/support/Raised.h"

namespace tabula::test {

constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kGrey = 0xC0C0C0;
constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kGreen = 0x00FF00;
constexpr COLORREF kBlue = 0xFF0000;

// Where two pictures first differ, for a failure message.
std::string FirstDifference(const PixelImage& a, const PixelImage& b);

class GridTest : public FormFixture {
protected:
    GridTest() : FormFixture(Rect{0, 0, 700, 500}) {
        container_.Add(grid_, "Tabula.Grid");
        grid_.InitProperties();
        site_ = container_.SiteOf(grid_);
        site_->ClearChangedProperties();
    }
    void TearDown() override { EXPECT_EQ(grid_.CheckConsistency(), ""); }

    // The names announced since the last call.
    std::vector<std::string> Announced() {
        std::vector<std::string> names = site_->ChangedProperties();
        site_->ClearChangedProperties();
        return names;
    }
    // Records the grid's events from now on.
    EventRecorder& Record() {
        if (!recorder_) {
            recorder_ = std::make_shared<EventRecorder>();
            grid_.Events().Advise(recorder_);
        }
        return *recorder_;
    }

    COLORREF Pixel(int32_t x, int32_t y) const { return grid_.picGrid.Picture().Pixel(x, y); }
    static int32_t CellX(int32_t col) { return 34 + 65 * (col - 1); }
    static int32_t CellY(int32_t row) { return 17 + 16 * (row - 1); }
    // A point inside the cell clear of its text and focus rectangle, and its colour.
    static int32_t InX(int32_t col) { return CellX(col) + 40; }
    static int32_t InY(int32_t row) { return CellY(row) + 8; }
    COLORREF Inside(int32_t row, int32_t col) const { return Pixel(InX(col), InY(row)); }

    // The selected block and the current cell, as the public members give them.
    struct Block {
        int32_t row1, col1, row2, col2;
        friend bool operator==(const Block&, const Block&) = default;
    };
    Block Selected() const { return {grid_.Row1(), grid_.Col1(), grid_.Row2(), grid_.Col2()}; }
    struct Cell {
        int32_t row, col;
        friend bool operator==(const Cell&, const Cell&) = default;
    };
    Cell Current() const { return {grid_.Row(), grid_.Col()}; }
    // How many pixels of the rectangle differ from the colour.
    int32_t CountOther(int32_t left, int32_t top, int32_t right, int32_t bottom,
                       COLORREF color) const {
        const Rect area{left, top, right, bottom};
        return static_cast<int32_t>(area.Width() * area.Height()) -
               CountPixels(grid_.picGrid.Picture(), area, color);
    }
    // Whether what was drawn so far is the picture a fresh full repaint draws.
    void ExpectPictureOfAFullRepaint();

    ControlContainer container_{form_};
    Tabula grid_{form_.hWnd(), Rect{10, 10, 410, 310}};
    Site* site_ = nullptr;
    std::shared_ptr<EventRecorder> recorder_;
};

}  // namespace tabula::test
