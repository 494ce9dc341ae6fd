// A column's mask applied to keys typed into the edit box: what the box shows after each
// key sequence, the box inserting whatever key the mask leaves it.

#include <string>

#include "edit/ColumnMask.h"
#include "tests/support/GridFixture.h"

namespace tabula::test {
namespace {

class ColumnMaskTest : public GridTest {
protected:
    // Types `keys` into the edit box over a cell of a column with `mask`, from `start`.
    std::string Typed(int32_t mask, const std::string& keys, const std::string& start = "") {
        grid_.SetColMask(1, mask);
        TextBox& box = grid_.txtSingle;
        box.SetText(start);
        box.SetSelStart(box.TextLength());
        for (const char key : keys) {
            const int16_t left = edit::ApplyColumnMask(grid_.Record(), masks_, key);
            if (left > 0) {
                box.SetText(box.Text() + char(left));
                box.SetSelStart(box.TextLength());
            }
        }
        return box.Text();
    }

    edit::ColumnMasks masks_;
};

TEST_F(ColumnMaskTest, EachMaskShapesWhatIsTyped) {
    const struct {
        int32_t mask;
        const char* keys;
        const char* shown;
    } cases[] = {
        {NoMask, "ab1\r", "ab1"},  // Enter is never inserted
        {Uppercase, "abC1", "ABC1"},
        {NumericOnly, "1a2.5-", "12.5-"},
        {DateOnly, "122504", "12/25/2004"},
        {EuroDate, "25/12/2004", "25/12/2004"},
        {SSN, "123456789", "123-45-6789"},
        {Phone, "5551234567", "555-123-4567"},
        {USZip, "123456789", "12345-6789"},
        {IntlZip, "k1a0b1", "K1A 0B1"},
        {Time12hr, "0930a", "09:30AM"},
        {Time24hr, "2130", "21:30"},
        {checkmark, "x", "x"},
        {99, "x", "x"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Typed(c.mask, c.keys), c.shown) << "mask " << c.mask << " keys " << c.keys;
}

}  // namespace
}  // namespace tabula::test
