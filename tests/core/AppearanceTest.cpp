#include <gtest/gtest.h>

#include "platform/gdi/Color.h"
#include "platform/window/Windows.h"
#include "tests/support/GridFixture.h"

namespace tabula {
namespace {

using test::GridTest;
using test::RaisedError;

TEST_F(GridTest, TheDataColoursOfOneGridAreTheColoursOfEveryGridOfTheThread) {
    Tabula other(form_.hWnd(), Rect{0, 0, 100, 100});
    grid_.SetBackColor(0x00FFFF);
    grid_.SetForeColor(0x0000FF);
    EXPECT_EQ(other.BackColor(), 0x00FFFFu);
    EXPECT_EQ(other.ForeColor(), 0x0000FFu);
    // The control's own surface colour is a different thing.
    EXPECT_NE(grid_.Control::BackColor(), 0x00FFFFu);
    // A new instance resets them for all.
    other.InitNew();
    EXPECT_EQ(grid_.BackColor(), 0xFFFFFFu);
}

TEST_F(GridTest, BackColorOnAGridWithoutRowsSetsUpRowZeroAgain) {
    grid_.SetRows(0);
    grid_.SetRowHeight(0, 33);
    grid_.SetBackColor(0x00FF00);
    EXPECT_EQ(grid_.RowHeight(0), 15);
    grid_.SetRows(2);
    grid_.SetRowHeight(0, 33);
    grid_.SetBackColor(0xFFFFFF);
    EXPECT_EQ(grid_.RowHeight(0), 33);  // with rows nothing is set up again
}

TEST_F(GridTest, TheSurfaceAroundTheCellsIsLightGreyWithABorderElseTheBackground) {
    const auto corner = [&] { return grid_.Image().Pixel(0, 0); };
    grid_.SetBackColorBkg(0x0000FF);
    EXPECT_EQ(grid_.Control::BackColor(), 0xC0C0C0u);
    grid_.SetBorderStyle(NoBorder);
    EXPECT_EQ(grid_.Control::BackColor(), 0x0000FFu);
    EXPECT_EQ(corner(), TranslateColorOrBlack(0x0000FF));
    grid_.SetBackColorBkg(0x00FF00);
    EXPECT_EQ(corner(), TranslateColorOrBlack(0x00FF00));
    grid_.SetBorderStyle(Etched);
    EXPECT_EQ(grid_.Control::BackColor(), 0xC0C0C0u);  // the border's pixels lie on it
    EXPECT_EQ(grid_.BorderStyle(), Etched);
}

TEST_F(GridTest, StylesTakeAnySixteenBitValueAndFailBeyond) {
    grid_.SetBorderStyle(300);
    grid_.SetFixedStyle(-2);
    grid_.SetSelectionMode(17);
    const int64_t redraws = grid_.RedrawCount();
    Announced();
    EXPECT_EQ(RaisedError([&] { grid_.SetBorderStyle(32768); }), 6);
    EXPECT_EQ(RaisedError([&] { grid_.SetFixedStyle(-32769); }), 6);
    EXPECT_EQ(RaisedError([&] { grid_.SetSelectionMode(1 << 20); }), 6);
    EXPECT_EQ(RaisedError([&] { grid_.SetMousePointer(99999); }), 6);
    EXPECT_EQ(grid_.BorderStyle(), 300);
    EXPECT_EQ(grid_.FixedStyle(), -2);
    EXPECT_EQ(grid_.SelectionMode(), 17);
    EXPECT_EQ(grid_.RedrawCount(), redraws);
    EXPECT_TRUE(Announced().empty());
}

TEST_F(GridTest, FontsAreSharedReferencesAndNothingIsRefused) {
    auto font = std::make_shared<FontObject>(FontDescriptor{"Arial", 12});
    grid_.SetFont(font);
    EXPECT_EQ(grid_.Font(), font);
    font->SetDescriptor(FontDescriptor{"Arial", 14, true});
    EXPECT_EQ(grid_.State().Font->Descriptor().size, 14.0f);  // seen without another write
    grid_.SetFontFixed(font);
    EXPECT_EQ(grid_.FontFixed(), grid_.Font());

    const FontPtr edit = grid_.FontEdit();
    const int64_t redraws = grid_.RedrawCount();
    EXPECT_EQ(RaisedError([&] { grid_.SetFontEdit(nullptr); }), 380);
    EXPECT_EQ(RaisedError([&] { grid_.SetFont(nullptr); }), 380);
    EXPECT_EQ(grid_.FontEdit(), edit);
    EXPECT_EQ(grid_.Font(), font);
    EXPECT_EQ(grid_.RedrawCount(), redraws);
}

TEST_F(GridTest, WordWrapChoosesTheEditBoxAndThePointerGoesToTheControlAndItsSurface) {
    grid_.SetWordWrap(true);
    EXPECT_EQ(grid_.State().Editor, &grid_.txtMulti);
    grid_.SetWordWrap(false);
    EXPECT_EQ(grid_.State().Editor, &grid_.txtSingle);
    grid_.SetMousePointer(vbSizeWE);
    EXPECT_EQ(grid_.MousePointer(), vbSizeWE);
    EXPECT_EQ(grid_.picGrid.MousePointer(), vbSizeWE);
}

TEST_F(GridTest, ThePictureIsASnapshotOfTheDrawingSurface) {
    grid_.picGrid.Image().Fill(0x123456);
    const PicturePtr picture = grid_.Picture();
    EXPECT_EQ(picture->Width(), grid_.picGrid.Width());
    EXPECT_EQ(picture->Height(), grid_.picGrid.Height());
    EXPECT_EQ(picture->Image().Pixel(5, 5), 0x123456u);
    grid_.picGrid.Image().Fill(0);
    EXPECT_EQ(picture->Image().Pixel(5, 5), 0x123456u);
}

}  // namespace
}  // namespace tabula
