#include <gtest/gtest.h>

#include "tests/support/GridFixture.h"

namespace tabula {
namespace {

using test::GridTest;
using Log = std::vector<std::string>;

// Words joined by single spaces, built by appending.
std::string Words(std::initializer_list<std::string> words) {
    std::string line;
    for (const std::string& word : words) {
        if (!line.empty()) line += ' ';
        line += word;
    }
    return line;
}

std::string N(double value) {
    return std::to_string(int(value));
}

// Records every event by name and arguments, as a script or a form would see them.
struct Recorder : EventSink {
    Log seen;
    void OnEvent(const EventInfo& event, std::vector<Variant>& args) override {
        std::string line = event.name;
        for (const Variant& arg : args) {
            line += ' ';
            line += arg.ToText();
        }
        seen.push_back(std::move(line));
    }
};

// Changes the by-reference arguments as a handler would.
struct Vetoes : TabulaEvents {
    int16_t newKey = 0;
    bool cancel = false;
    Log seen;
    void KeyPress(int16_t& keyAscii) override {
        seen.push_back(Words({"KeyPress", N(keyAscii)}));
        keyAscii = newKey;
    }
    void BeforeEdit(int32_t row, int32_t col, bool& cancelEdit) override {
        seen.push_back(Words({"BeforeEdit", N(row), N(col)}));
        cancelEdit = cancel;
    }
    void BeforeAddRow(bool& cancelAdd) override { cancelAdd = cancel; }
    void BeforeDeleteRow(int32_t, bool& cancelDelete) override { cancelDelete = cancel; }
    void RowColChange(int32_t lastRow, int32_t lastCol) override {
        seen.push_back(Words({"RowColChange", N(lastRow), N(lastCol)}));
    }
};

TEST(TabulaEvents, TheInterfaceHasEighteenEventsNumberedInOrder) {
    const auto& table = TabulaEventTable();
    ASSERT_EQ(table.size(), 18u);
    const char* names[] = {"Click",        "BtnClick",    "DblClick",        "KeyDown",
                           "KeyPress",     "KeyUp",       "MouseDown",       "MouseMove",
                           "MouseUp",      "Scroll",      "BeforeEdit",      "AfterEdit",
                           "BeforeAddRow", "AfterAddRow", "BeforeDeleteRow", "AfterDeleteRow",
                           "Resize",       "RowColChange"};
    for (size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(table[i].dispid, int32_t(i + 1));
        EXPECT_EQ(table[i].name, names[i]);
    }
    // Only KeyAscii and the Cancel flags come back.
    for (const EventInfo& event : table) {
        for (const ParamInfo& param : event.parameters)
            EXPECT_EQ(param.byRef, param.name == "KeyAscii" || param.name == "Cancel")
                << event.name << " " << param.name;
    }
}

TEST_F(GridTest, MovingTheCurrentCellRaisesRowColChangeWithTheCellItLeft) {
    grid_.SetRows(5);
    auto first = std::make_shared<Recorder>();
    auto second = std::make_shared<Recorder>();
    grid_.Events().Advise(first);
    grid_.Events().Advise(second);
    grid_.SetRow(3);
    grid_.SetRow(3);   // no move, no event
    grid_.SetCol(99);  // clamped to 5
    grid_.SetCol(5);   // already there
    grid_.SetRow(-4);  // clamped to 0
    grid_.SetRows(2);  // lowers nothing that moves the cell: Row is 0
    // Rows 3 and 0 lie outside the vertical bar's page: it moves, and Scroll is raised.
    EXPECT_EQ(first->seen, (Log{"Scroll", "RowColChange 1 1", "RowColChange 3 1", "Scroll",
                                "RowColChange 3 5"}));
    EXPECT_EQ(second->seen, first->seen);
}

TEST_F(GridTest, AResizeRaisesResizeAfterTheRedraw) {
    auto recorder = std::make_shared<Recorder>();
    const int cookie = grid_.Events().Advise(recorder);
    grid_.Move(0, 0, 200, 150);
    EXPECT_EQ(recorder->seen, Log{"Resize"});
    grid_.Events().Unadvise(cookie);
    grid_.Move(0, 0, 250, 150);
    EXPECT_EQ(recorder->seen.size(), 1u);
}

TEST_F(GridTest, ByReferenceArgumentsComeBackFromTheLastSinkThatChangedThem) {
    auto vetoes = std::make_shared<Vetoes>();
    auto recorder = std::make_shared<Recorder>();
    grid_.Events().Advise(vetoes);
    grid_.Events().Advise(recorder);
    vetoes->newKey = 65;
    vetoes->cancel = true;

    int16_t key = 97;
    grid_.Events().KeyPress(key);
    EXPECT_EQ(key, 65);
    bool cancel = false;
    grid_.Events().BeforeEdit(2, 3, cancel);
    EXPECT_TRUE(cancel);
    cancel = false;
    grid_.Events().BeforeAddRow(cancel);
    EXPECT_TRUE(cancel);
    cancel = false;
    grid_.Events().BeforeDeleteRow(4, cancel);
    EXPECT_TRUE(cancel);
    // The later sink sees what the earlier one left: Booleans as True/False.
    EXPECT_EQ(recorder->seen, (Log{"KeyPress 65", "BeforeEdit 2 3 True", "BeforeAddRow True",
                                   "BeforeDeleteRow 4 True"}));
    EXPECT_EQ(vetoes->seen, (Log{"KeyPress 97", "BeforeEdit 2 3"}));
}

// A sink that writes back values the parameters cannot hold: an Integer beyond 16 bits,
// a Boolean and a Long that are no numbers.
struct Junk : EventSink {
    void OnEvent(const EventInfo&, std::vector<Variant>& args) override {
        for (Variant& arg : args) {
            switch (arg.Type()) {
                case VariantType::Integer:
                    arg = Variant(int32_t{70000});
                    break;
                case VariantType::Boolean:
                    arg = Variant("maybe");
                    break;
                default:
                    arg = Variant("junk");
                    break;
            }
        }
    }
};

TEST_F(GridTest, AValueAParameterCannotHoldLeavesTheArgumentAsRaised) {
    grid_.Events().Advise(std::make_shared<Junk>());
    int16_t key = 13;
    grid_.Events().KeyPress(key);
    EXPECT_EQ(key, 13);
    bool cancel = true;
    grid_.Events().BeforeEdit(1, 1, cancel);
    EXPECT_TRUE(cancel);
    // A typed sink after the junk still gets readable arguments.
    auto vetoes = std::make_shared<Vetoes>();
    grid_.Events().Advise(vetoes);
    grid_.Events().BeforeEdit(1, 1, cancel);
    EXPECT_EQ(vetoes->seen, Log{"BeforeEdit 0 0"});
}

TEST_F(GridTest, EveryEventReachesATypedSinkWithItsArguments) {
    struct All : TabulaEvents {
        Log seen;
        void Click() override { seen.push_back("Click"); }
        void BtnClick(int32_t r, int32_t c) override {
            seen.push_back(Words({"BtnClick", N(r), N(c)}));
        }
        void DblClick() override { seen.push_back("DblClick"); }
        void KeyDown(int16_t k, int16_t s) override {
            seen.push_back(Words({"KeyDown", N(k), N(s)}));
        }
        void KeyUp(int16_t k, int16_t s) override { seen.push_back(Words({"KeyUp", N(k), N(s)})); }
        void MouseDown(int16_t b, int16_t s, float x, float y) override {
            seen.push_back(Words({"MouseDown", N(b), N(s), N(x * 2), N(y * 2)}));
        }
        void MouseMove(int16_t b, int16_t, float, float) override {
            seen.push_back(Words({"MouseMove", N(b)}));
        }
        void MouseUp(int16_t b, int16_t, float, float) override {
            seen.push_back(Words({"MouseUp", N(b)}));
        }
        void Scroll() override { seen.push_back("Scroll"); }
        void AfterEdit(int32_t r, int32_t c, const std::string& v) override {
            seen.push_back(Words({"AfterEdit", N(r), N(c), v}));
        }
        void AfterAddRow(int32_t r) override { seen.push_back(Words({"AfterAddRow", N(r)})); }
        void AfterDeleteRow(int32_t r) override { seen.push_back(Words({"AfterDeleteRow", N(r)})); }
    };
    auto all = std::make_shared<All>();
    TabulaEventSource& events = grid_.Events();
    events.Advise(all);
    events.Click();
    events.BtnClick(4, 2);
    events.DblClick();
    events.KeyDown(40, 1);
    events.KeyUp(40, 0);
    events.MouseDown(1, 2, 10.5f, 3.5f);
    events.MouseMove(0, 0, 1, 1);
    events.MouseUp(2, 0, 1, 1);
    events.Scroll();
    events.AfterEdit(1, 2, "caf\xC3\xA9");
    events.AfterAddRow(7);
    events.AfterDeleteRow(6);
    EXPECT_EQ(all->seen, (Log{"Click", "BtnClick 4 2", "DblClick", "KeyDown 40 1", "KeyUp 40 0",
                              "MouseDown 1 2 21 7", "MouseMove 0", "MouseUp 2", "Scroll",
                              "AfterEdit 1 2 caf\xC3\xA9", "AfterAddRow 7", "AfterDeleteRow 6"}));
}

}  // namespace
}  // namespace tabula
