#include "grid/Events.h"

#include "platform/runtime/Error.h"

namespace tabula {

const std::vector<EventInfo>& TabulaEventTable() {
    static const std::vector<EventInfo> table = [] {
        const std::vector<ParamInfo> mouse = {{"Button"}, {"Shift"}, {"x"}, {"Y"}};
        const std::vector<ParamInfo> key = {{"KeyCode"}, {"Shift"}};
        const ParamInfo cancel{"Cancel", false, true};
        return std::vector<EventInfo>{
            {"Click", kEventClick, {}},
            {"BtnClick", kEventBtnClick, {{"Row"}, {"Col"}}},
            {"DblClick", kEventDblClick, {}},
            {"KeyDown", kEventKeyDown, key},
            {"KeyPress", kEventKeyPress, {{"KeyAscii", false, true}}},
            {"KeyUp", kEventKeyUp, key},
            {"MouseDown", kEventMouseDown, mouse},
            {"MouseMove", kEventMouseMove, mouse},
            {"MouseUp", kEventMouseUp, mouse},
            {"Scroll", kEventScroll, {}},
            {"BeforeEdit", kEventBeforeEdit, {{"Row"}, {"Col"}, cancel}},
            {"AfterEdit", kEventAfterEdit, {{"Row"}, {"Col"}, {"NewValue"}}},
            {"BeforeAddRow", kEventBeforeAddRow, {cancel}},
            {"AfterAddRow", kEventAfterAddRow, {{"Row"}}},
            {"BeforeDeleteRow", kEventBeforeDeleteRow, {{"Row"}, cancel}},
            {"AfterDeleteRow", kEventAfterDeleteRow, {{"Row"}}},
            {"Resize", kEventResize, {}},
            {"RowColChange", kEventRowColChange, {{"LastRow"}, {"LastCol"}}},
        };
    }();
    return table;
}

namespace {

// A by-reference argument as a sink left it; a value the parameter cannot hold leaves
// the raiser's value.
int16_t IntegerOr(const Variant& value, int16_t fallback) {
    try {
        return value.ToInteger();
    } catch (const RuntimeError&) {
        return fallback;
    }
}

bool BooleanOr(const Variant& value, bool fallback) {
    try {
        return value.ToBoolean();
    } catch (const RuntimeError&) {
        return fallback;
    }
}

// Single-precision coordinates travel as Doubles; anything unreadable is 0.
float SingleOr(const Variant& value) {
    try {
        return static_cast<float>(value.ToDouble());
    } catch (const RuntimeError&) {
        return 0.0f;
    }
}

int32_t LongOr(const Variant& value) {
    try {
        return value.ToLong();
    } catch (const RuntimeError&) {
        return 0;
    }
}

std::vector<Variant> MouseArgs(int16_t button, int16_t shift, float x, float y) {
    return {Variant(button), Variant(shift), Variant(double(x)), Variant(double(y))};
}

}  // namespace

void TabulaEventSource::Click() {
    std::vector<Variant> args;
    Raise(kEventClick, args);
}

void TabulaEventSource::BtnClick(int32_t row, int32_t col) {
    std::vector<Variant> args{Variant(row), Variant(col)};
    Raise(kEventBtnClick, args);
}

void TabulaEventSource::DblClick() {
    std::vector<Variant> args;
    Raise(kEventDblClick, args);
}

void TabulaEventSource::KeyDown(int16_t keyCode, int16_t shift) {
    std::vector<Variant> args{Variant(keyCode), Variant(shift)};
    Raise(kEventKeyDown, args);
}

void TabulaEventSource::KeyPress(int16_t& keyAscii) {
    std::vector<Variant> args{Variant(keyAscii)};
    Raise(kEventKeyPress, args);
    keyAscii = IntegerOr(args[0], keyAscii);
}

void TabulaEventSource::KeyUp(int16_t keyCode, int16_t shift) {
    std::vector<Variant> args{Variant(keyCode), Variant(shift)};
    Raise(kEventKeyUp, args);
}

void TabulaEventSource::MouseDown(int16_t button, int16_t shift, float x, float y) {
    std::vector<Variant> args = MouseArgs(button, shift, x, y);
    Raise(kEventMouseDown, args);
}

void TabulaEventSource::MouseMove(int16_t button, int16_t shift, float x, float y) {
    std::vector<Variant> args = MouseArgs(button, shift, x, y);
    Raise(kEventMouseMove, args);
}

void TabulaEventSource::MouseUp(int16_t button, int16_t shift, float x, float y) {
    std::vector<Variant> args = MouseArgs(button, shift, x, y);
    Raise(kEventMouseUp, args);
}

void TabulaEventSource::Scroll() {
    std::vector<Variant> args;
    Raise(kEventScroll, args);
}

void TabulaEventSource::BeforeEdit(int32_t row, int32_t col, bool& cancel) {
    std::vector<Variant> args{Variant(row), Variant(col), Variant(cancel)};
    Raise(kEventBeforeEdit, args);
    cancel = BooleanOr(args[2], cancel);
}

void TabulaEventSource::AfterEdit(int32_t row, int32_t col, const std::string& newValue) {
    std::vector<Variant> args{Variant(row), Variant(col), Variant(newValue)};
    Raise(kEventAfterEdit, args);
}

void TabulaEventSource::BeforeAddRow(bool& cancel) {
    std::vector<Variant> args{Variant(cancel)};
    Raise(kEventBeforeAddRow, args);
    cancel = BooleanOr(args[0], cancel);
}

void TabulaEventSource::AfterAddRow(int32_t row) {
    std::vector<Variant> args{Variant(row)};
    Raise(kEventAfterAddRow, args);
}

void TabulaEventSource::BeforeDeleteRow(int32_t row, bool& cancel) {
    std::vector<Variant> args{Variant(row), Variant(cancel)};
    Raise(kEventBeforeDeleteRow, args);
    cancel = BooleanOr(args[1], cancel);
}

void TabulaEventSource::AfterDeleteRow(int32_t row) {
    std::vector<Variant> args{Variant(row)};
    Raise(kEventAfterDeleteRow, args);
}

void TabulaEventSource::Resize() {
    std::vector<Variant> args;
    Raise(kEventResize, args);
}

void TabulaEventSource::RowColChange(int32_t lastRow, int32_t lastCol) {
    std::vector<Variant> args{Variant(lastRow), Variant(lastCol)};
    Raise(kEventRowColChange, args);
}

void TabulaEvents::OnEvent(const EventInfo& event, std::vector<Variant>& args) {
    // The source passes every declared argument; anything shorter is not our event.
    if (args.size() < event.parameters.size()) return;
    const auto integer = [&](size_t i) { return IntegerOr(args[i], 0); };
    switch (event.dispid) {
        case kEventClick:
            return Click();
        case kEventBtnClick:
            return BtnClick(LongOr(args[0]), LongOr(args[1]));
        case kEventDblClick:
            return DblClick();
        case kEventKeyDown:
            return KeyDown(integer(0), integer(1));
        case kEventKeyPress: {
            int16_t keyAscii = integer(0);
            KeyPress(keyAscii);
            args[0] = Variant(keyAscii);
            return;
        }
        case kEventKeyUp:
            return KeyUp(integer(0), integer(1));
        case kEventMouseDown:
            return MouseDown(integer(0), integer(1), SingleOr(args[2]), SingleOr(args[3]));
        case kEventMouseMove:
            return MouseMove(integer(0), integer(1), SingleOr(args[2]), SingleOr(args[3]));
        case kEventMouseUp:
            return MouseUp(integer(0), integer(1), SingleOr(args[2]), SingleOr(args[3]));
        case kEventScroll:
            return Scroll();
        case kEventBeforeEdit: {
            bool cancel = BooleanOr(args[2], false);
            BeforeEdit(LongOr(args[0]), LongOr(args[1]), cancel);
            args[2] = Variant(cancel);
            return;
        }
        case kEventAfterEdit: {
            std::string text;
            try {
                text = args[2].ToText();
            } catch (const RuntimeError&) {
            }
            return AfterEdit(LongOr(args[0]), LongOr(args[1]), text);
        }
        case kEventBeforeAddRow: {
            bool cancel = BooleanOr(args[0], false);
            BeforeAddRow(cancel);
            args[0] = Variant(cancel);
            return;
        }
        case kEventAfterAddRow:
            return AfterAddRow(LongOr(args[0]));
        case kEventBeforeDeleteRow: {
            bool cancel = BooleanOr(args[1], false);
            BeforeDeleteRow(LongOr(args[0]), cancel);
            args[1] = Variant(cancel);
            return;
        }
        case kEventAfterDeleteRow:
            return AfterDeleteRow(LongOr(args[0]));
        case kEventResize:
            return Resize();
        case kEventRowColChange:
            return RowColChange(LongOr(args[0]), LongOr(args[1]));
        default:
            return;
    }
}

}  // namespace tabula
