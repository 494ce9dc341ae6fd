// The in-place editor driven through its procedures: how an edit starts, what the box
// holds, every ending with its events in order, and the picture after each.

#include <functional>
#include <string>

#include "edit/Editor.h"
#include "platform/window/VirtualKeys.h"
#include "tests/support/GridFixture.h"

namespace tabula::test {
namespace {

class EditorTest : public GridTest {
protected:
    EditorTest() {
        form_.Show();
        grid_.SetRows(3);
        grid_.SetTextMatrix(1, 1, "abc");
        grid_.picGrid.SetFocus();
    }
    GridRecord& G() { return grid_.Record(); }
    void Start(int16_t key = 0) { edit::StartEdit(G(), masks_, key, false); }
    // Characters typed into the open box, each through the mask and KeyPress.
    void TypeInBox(const std::string& keys) {
        TextBox& box = grid_.txtSingle;
        for (const char key : keys) {
            const int16_t left = edit::EditKeyPress(G(), masks_, key);
            if (left > 0) {
                box.SetText(box.Text() + char(left));
                box.SetSelStart(box.TextLength());
            }
        }
    }
    std::string Box() const { return grid_.txtSingle.Text(); }

    edit::ColumnMasks masks_;
};

TEST_F(EditorTest, EachEndingStoresOrDiscardsWithItsEventsAndRepaints) {
    const struct {
        edit::Ending ending;
        bool selectText;
        const char* stored;
        Log events;
    } cases[] = {
        {edit::Ending::Enter,
         false,
         "abcx",
         {"BeforeEdit 1 1", "BeforeEdit 1 1", "AfterEdit 1 1 abcx"}},
        {edit::Ending::Enter, true, "x", {"BeforeEdit 1 1", "BeforeEdit 1 1", "AfterEdit 1 1 x"}},
        {edit::Ending::Escape, false, "abc", {"BeforeEdit 1 1"}},
        {edit::Ending::Tab,
         false,
         "abcx",
         {"BeforeEdit 1 1", "BeforeEdit 1 1", "AfterEdit 1 1 abcx"}},
        {edit::Ending::ControlLostFocus,
         false,
         "abcx",
         {"BeforeEdit 1 1", "BeforeEdit 1 1", "AfterEdit 1 1 abcx"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.ending));
        grid_.SetTextMatrix(1, 1, "abc");
        grid_.SetSelectText(c.selectText);
        Record().Take();
        Start('x');
        EXPECT_TRUE(grid_.State().Editing);
        EXPECT_TRUE(grid_.txtSingle.Visible());
        edit::EndEdit(G(), c.ending);
        EXPECT_FALSE(grid_.State().Editing);
        EXPECT_FALSE(grid_.txtSingle.Visible());
        EXPECT_EQ(grid_.TextMatrix(1, 1), c.stored);
        EXPECT_EQ(Record().Take(), c.events);
        ExpectPictureOfAFullRepaint();
        edit::EndEdit(G(), c.ending);  // a second ending does nothing
        EXPECT_EQ(Record().Take(), Log{});
    }
}

TEST_F(EditorTest, VetoesLocksAndTheStartingKey) {
    Record().cancel = true;
    Start('x');
    EXPECT_FALSE(grid_.State().Editing);  // vetoed at the start
    Record().cancel = false;
    Start('x');
    Record().cancel = true;
    edit::EndEdit(G(), edit::Ending::Enter);
    EXPECT_EQ(grid_.TextMatrix(1, 1), "abc");  // vetoed at the commit: the old text stays
    EXPECT_EQ(Record().Take().back(), "AfterEdit 1 1 abc");
    Record().cancel = false;
    // A read-only cell opens while its column allows editing, not once the column is locked.
    grid_.SetCellReadOnly(1, 1, true);
    Start();
    EXPECT_TRUE(grid_.State().Editing);
    edit::EndEdit(G(), edit::Ending::Escape);
    grid_.SetColAllowEdit(1, false);
    Start();
    EXPECT_FALSE(grid_.State().Editing);
    EXPECT_EQ(Record().Take().back(), "BeforeEdit 1 1");
    // Control keys never reach the text; with SelectText the whole text is selected.
    grid_.SetColAllowEdit(1, true);
    grid_.SetSelectText(true);
    for (const int16_t key : {8, 13, 27, 1}) {
        Start(key);
        EXPECT_EQ(Box(), "abc") << key;
        EXPECT_EQ(grid_.txtSingle.SelLength(), 3) << key;
        edit::EndEdit(G(), edit::Ending::Escape);
    }
}

TEST_F(EditorTest, MasksWidthsAndTheNewRow) {
    grid_.SetColMask(2, DateOnly);
    grid_.SetCol(2);
    Start('1');
    TypeInBox("22504");
    edit::EndEdit(G(), edit::Ending::Enter);
    EXPECT_EQ(grid_.TextMatrix(1, 2), "12/25/2004");
    grid_.SetColEditWidth(3, 3);
    grid_.SetTextMatrix(1, 3, "ab");
    grid_.SetCol(3);
    Start('c');
    EXPECT_EQ(grid_.txtSingle.MaxLength(), 3);
    TypeInBox("dd");
    edit::EndEdit(G(), edit::Ending::Enter);
    EXPECT_EQ(grid_.TextMatrix(1, 3), "abc");
    // An edit starting in the empty last row adds one, unless BeforeAddRow cancels.
    grid_.SetAutoNewRow(true);
    grid_.SetRow(3);
    Record().Take();
    Start('z');
    EXPECT_EQ(grid_.Rows(), 4);
    EXPECT_EQ(Record().Take(), (Log{"BeforeEdit 3 3", "BeforeAddRow", "AfterAddRow 4"}));
    edit::EndEdit(G(), edit::Ending::Escape);
    grid_.SetRow(4);
    Record().cancel = true;
    Start('z');
    EXPECT_EQ(grid_.Rows(), 4);
}

TEST_F(EditorTest, AutoMoveSkipsLockedCellsAndStopsAtTheLast) {
    grid_.SetAutoMove(true);
    grid_.SetCellReadOnly(1, 5, true);
    grid_.SetCol(4);
    Record().Take();
    Start('q');
    edit::EndEdit(G(), edit::Ending::Enter);
    EXPECT_EQ(std::make_pair(grid_.Row(), grid_.Col()), std::make_pair(2, 1));
    EXPECT_EQ(Record().Take().back(), "RowColChange 1 4");
    ExpectPictureOfAFullRepaint();
    grid_.SetRow(3);
    grid_.SetCol(5);
    Record().Take();
    Start('q');
    edit::EndEdit(G(), edit::Ending::Enter);
    EXPECT_EQ(std::make_pair(grid_.Row(), grid_.Col()), std::make_pair(3, 5));
    EXPECT_EQ(Record().Take().back(), "AfterEdit 3 5 q");
}

TEST_F(EditorTest, UpAndDownCommitThenMoveTheCellsAndAClickCommitsOnce) {
    grid_.SetRow(2);
    Start('u');
    edit::EditKeyDown(G(), VK_UP);
    host_.Advance(1);
    EXPECT_EQ(grid_.TextMatrix(2, 1), "u");
    EXPECT_EQ(grid_.Row(), 1);
    Start('d');
    edit::EditKeyDown(G(), VK_DOWN);
    host_.Advance(1);
    EXPECT_EQ(grid_.Row(), 2);
    ExpectPictureOfAFullRepaint();
    Start('k');
    Record().Take();
    edit::CommitEditForClick(G());
    EXPECT_EQ(Record().Take(), (Log{"BeforeEdit 2 1", "AfterEdit 2 1 uk"}));
    EXPECT_FALSE(grid_.State().Editing);
}

}  // namespace
}  // namespace tabula::test
