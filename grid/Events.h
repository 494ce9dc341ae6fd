#pragma once

// The grid's events: their dispatch ids 1 to 18, the event source that delivers them to
// any number of sinks, and a typed sink for C++ code. Arguments declared by reference
// (KeyAscii, Cancel) come back from the sinks: the raiser acts on the changed value.

#include <cstdint>
#include <vector>

#include "platform/runtime/Dispatch.h"

namespace tabula {

enum TabulaEventId : int32_t {
    kEventClick = 1,
    kEventBtnClick = 2,
    kEventDblClick = 3,
    kEventKeyDown = 4,
    kEventKeyPress = 5,
    kEventKeyUp = 6,
    kEventMouseDown = 7,
    kEventMouseMove = 8,
    kEventMouseUp = 9,
    kEventScroll = 10,
    kEventBeforeEdit = 11,
    kEventAfterEdit = 12,
    kEventBeforeAddRow = 13,
    kEventAfterAddRow = 14,
    kEventBeforeDeleteRow = 15,
    kEventAfterDeleteRow = 16,
    kEventResize = 17,
    kEventRowColChange = 18,
};

// The event interface: names, ids and parameters, in id order.
const std::vector<EventInfo>& TabulaEventTable();

// Raises the grid's events with typed arguments. A sink that writes back a value its
// parameter cannot hold (a KeyAscii of 70000, a Cancel of "maybe") leaves the argument
// as the raiser passed it.
class TabulaEventSource : public EventSource {
public:
    TabulaEventSource() : EventSource(TabulaEventTable()) {}

    void Click();
    void BtnClick(int32_t row, int32_t col);
    void DblClick();
    void KeyDown(int16_t keyCode, int16_t shift);
    void KeyPress(int16_t& keyAscii);
    void KeyUp(int16_t keyCode, int16_t shift);
    void MouseDown(int16_t button, int16_t shift, float x, float y);
    void MouseMove(int16_t button, int16_t shift, float x, float y);
    void MouseUp(int16_t button, int16_t shift, float x, float y);
    void Scroll();
    void BeforeEdit(int32_t row, int32_t col, bool& cancel);
    void AfterEdit(int32_t row, int32_t col, const std::string& newValue);
    void BeforeAddRow(bool& cancel);
    void AfterAddRow(int32_t row);
    void BeforeDeleteRow(int32_t row, bool& cancel);
    void AfterDeleteRow(int32_t row);
    void Resize();
    void RowColChange(int32_t lastRow, int32_t lastCol);
};

// A sink with one typed handler per event; override the ones of interest. By-reference
// arguments changed by a handler go back to the grid.
class TabulaEvents : public EventSink {
public:
    virtual void Click() {}
    virtual void BtnClick(int32_t row, int32_t col) { (void)row, (void)col; }
    virtual void DblClick() {}
    virtual void KeyDown(int16_t keyCode, int16_t shift) { (void)keyCode, (void)shift; }
    virtual void KeyPress(int16_t& keyAscii) { (void)keyAscii; }
    virtual void KeyUp(int16_t keyCode, int16_t shift) { (void)keyCode, (void)shift; }
    virtual void MouseDown(int16_t button, int16_t shift, float x, float y) {
        (void)button, (void)shift, (void)x, (void)y;
    }
    virtual void MouseMove(int16_t button, int16_t shift, float x, float y) {
        (void)button, (void)shift, (void)x, (void)y;
    }
    virtual void MouseUp(int16_t button, int16_t shift, float x, float y) {
        (void)button, (void)shift, (void)x, (void)y;
    }
    virtual void Scroll() {}
    virtual void BeforeEdit(int32_t row, int32_t col, bool& cancel) {
        (void)row, (void)col, (void)cancel;
    }
    virtual void AfterEdit(int32_t row, int32_t col, const std::string& newValue) {
        (void)row, (void)col, (void)newValue;
    }
    virtual void BeforeAddRow(bool& cancel) { (void)cancel; }
    virtual void AfterAddRow(int32_t row) { (void)row; }
    virtual void BeforeDeleteRow(int32_t row, bool& cancel) { (void)row, (void)cancel; }
    virtual void AfterDeleteRow(int32_t row) { (void)row; }
    virtual void Resize() {}
    virtual void RowColChange(int32_t lastRow, int32_t lastCol) { (void)lastRow, (void)lastCol; }

    void OnEvent(const EventInfo& event, std::vector<Variant>& args) final;
};

}  // namespace tabula
