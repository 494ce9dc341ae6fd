#include <gtest/gtest.h>

#include "tests/support/GridFixture.h"

namespace tabula {
namespace {

using test::GridTest;
using test::Log;

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

TEST_F(GridTest, AResizeRaisesResizeUntilTheSinkIsUnadvised) {
    auto recorder = std::make_shared<test::EventRecorder>();
    const int cookie = grid_.Events().Advise(recorder);
    grid_.Move(0, 0, 200, 150);
    EXPECT_EQ(recorder->Take(), Log{"Resize"});
    grid_.Events().Unadvise(cookie);
    grid_.Move(0, 0, 250, 150);
    EXPECT_EQ(recorder->Take(), Log{});
}

// The typed sink: one handler per event, with by-reference arguments going back to the
// grid and later sinks seeing what it left.
struct Typed : TabulaEvents {
    Log seen;
    void Note(std::string line) { seen.push_back(std::move(line)); }
    static std::string N(double v) { return std::string(1, ' ').append(std::to_string(int(v))); }
    void Click() override { Note("Click"); }
    void BtnClick(int32_t r, int32_t c) override { Note("BtnClick" + N(r) + N(c)); }
    void DblClick() override { Note("DblClick"); }
    void KeyDown(int16_t k, int16_t s) override { Note("KeyDown" + N(k) + N(s)); }
    void KeyPress(int16_t& k) override {
        Note("KeyPress" + N(k));
        k = 65;
    }
    void KeyUp(int16_t k, int16_t s) override { Note("KeyUp" + N(k) + N(s)); }
    void MouseDown(int16_t b, int16_t s, float x, float y) override {
        Note("MouseDown" + N(b) + N(s) + N(x * 2) + N(y * 2));
    }
    void MouseMove(int16_t b, int16_t, float, float) override { Note("MouseMove" + N(b)); }
    void MouseUp(int16_t b, int16_t, float, float) override { Note("MouseUp" + N(b)); }
    void Scroll() override { Note("Scroll"); }
    void BeforeEdit(int32_t r, int32_t c, bool& cancel) override {
        Note("BeforeEdit" + N(r) + N(c));
        cancel = true;
    }
    void AfterEdit(int32_t r, int32_t c, const std::string& v) override {
        Note("AfterEdit" + N(r) + N(c) + " " + v);
    }
    void BeforeAddRow(bool& cancel) override { cancel = true; }
    void AfterAddRow(int32_t r) override { Note("AfterAddRow" + N(r)); }
    void BeforeDeleteRow(int32_t, bool& cancel) override { cancel = true; }
    void AfterDeleteRow(int32_t r) override { Note("AfterDeleteRow" + N(r)); }
    void Resize() override { Note("Resize"); }
    void RowColChange(int32_t r, int32_t c) override { Note("RowColChange" + N(r) + N(c)); }
};

TEST_F(GridTest, ATypedSinkGetsEveryEventAndItsByReferenceChangesComeBack) {
    auto typed = std::make_shared<Typed>();
    TabulaEventSource& events = grid_.Events();
    // A typed sink that handles nothing takes every event and changes nothing.
    events.Advise(std::make_shared<TabulaEvents>());
    events.Advise(typed);
    events.Click();
    events.BtnClick(4, 2);
    events.DblClick();
    events.KeyDown(40, 1);
    int16_t key = 97;
    events.KeyPress(key);
    EXPECT_EQ(key, 65);
    events.KeyUp(40, 0);
    events.MouseDown(1, 2, 10.5f, 3.5f);
    events.MouseMove(0, 0, 1, 1);
    events.MouseUp(2, 0, 1, 1);
    events.Scroll();
    bool cancelled[3] = {};
    events.BeforeEdit(2, 3, cancelled[0]);
    events.AfterEdit(1, 2, "caf\xC3\xA9");
    events.BeforeAddRow(cancelled[1]);
    events.AfterAddRow(7);
    events.BeforeDeleteRow(4, cancelled[2]);
    events.AfterDeleteRow(6);
    EXPECT_TRUE(cancelled[0] && cancelled[1] && cancelled[2]);
    events.Resize();
    events.RowColChange(3, 5);
    EXPECT_EQ(typed->seen,
              (Log{"Click", "BtnClick 4 2", "DblClick", "KeyDown 40 1", "KeyPress 97", "KeyUp 40 0",
                   "MouseDown 1 2 21 7", "MouseMove 0", "MouseUp 2", "Scroll", "BeforeEdit 2 3",
                   "AfterEdit 1 2 caf\xC3\xA9", "AfterAddRow 7", "AfterDeleteRow 6", "Resize",
                   "RowColChange 3 5"}));
}

// A sink that writes back values the parameters cannot hold: an Integer beyond 16 bits,
// a Boolean and a Long that are no numbers.
struct Junk : EventSink {
    void OnEvent(const EventInfo&, std::vector<Variant>& args) override {
        for (Variant& arg : args) {
            if (arg.Type() == VariantType::Integer)
                arg = Variant(int32_t{70000});
            else
                arg = Variant(arg.Type() == VariantType::Boolean ? "maybe" : "junk");
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
    auto typed = std::make_shared<Typed>();
    grid_.Events().Advise(typed);
    grid_.Events().BeforeEdit(1, 1, cancel);
    EXPECT_EQ(typed->seen, Log{"BeforeEdit 0 0"});
}

}  // namespace
}  // namespace tabula
