#pragma once

// A vertical or horizontal scroll bar: an arrow button at each end, a track between them
// and a thumb whose length shows LargeChange against the whole range.
//
// Value runs from Min at the top (or left) to Max at the bottom (or right); Min may
// exceed Max, and then the bar runs backwards. All five numbers are 16-bit.
//
// How Value changes, and what it raises:
//   arrow press             SmallChange towards that end            Change
//   track press             LargeChange towards the press           Change
//   holding either          repeats after 350 ms, then every 50 ms  Change each time
//   thumb drag              follows the thumb                       Scroll while moving,
//                                                                   Change once on release
//   keys (when focused)     arrows, PageUp/PageDown, Home/End       Change
//   SetValue, SetMin/Max    as set (clamped into the range)         Change
// Change and Scroll come only when Value really moved: a press at a limit raises nothing.

#include "platform/forms/Control.h"

namespace tabula {

class ScrollBar : public Control {
public:
    static constexpr uint32_t kFirstRepeatDelay = 350;  // ms from the press to the first repeat
    static constexpr uint32_t kRepeatInterval = 50;     // ms between later repeats
    static constexpr int32_t kMinimumThumbLength = 8;

    ScrollBar(HWND parent, const Rect& rect, bool vertical);
    ~ScrollBar() override;

    bool Vertical() const { return vertical_; }

    int16_t Min() const { return min_; }
    void SetMin(int16_t min);
    int16_t Max() const { return max_; }
    void SetMax(int16_t max);
    int16_t Value() const { return value_; }
    // Values outside the range are clamped into it.
    void SetValue(int16_t value);
    // Steps below 1 become 1.
    int16_t SmallChange() const { return smallChange_; }
    void SetSmallChange(int16_t change);
    int16_t LargeChange() const { return largeChange_; }
    void SetLargeChange(int16_t change);

    // The parts of the bar, from the top (or left) end.
    enum class Part { None, DecreaseArrow, DecreasePage, Thumb, IncreasePage, IncreaseArrow };
    struct Layout {
        Rect decreaseArrow;
        Rect increaseArrow;
        Rect track;  // between the arrows, under the thumb
        Rect thumb;  // empty when the track is too short for one
    };
    // Where each part is now, in client coordinates: the one place that knows.
    Layout GetLayout() const;
    Part PartAt(int32_t x, int32_t y) const;

    Event Change;
    Event Scroll;

protected:
    void Paint() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnMouseDown(int16_t button, int16_t shift, int32_t x, int32_t y) override;
    void OnMouseMove(int16_t button, int16_t shift, int32_t x, int32_t y) override;
    void OnMouseUp(int16_t button, int16_t shift, int32_t x, int32_t y) override;
    void OnDoubleClick(int16_t button, int16_t shift, int32_t x, int32_t y) override;
    void OnKeyDown(int16_t keyCode, int16_t shift) override;
    bool ClickOnRelease() const override { return false; }

private:
    enum class Notify { Change, Scroll };

    // The distance of Value from Min, and of Max from Min: 0 at the top (or left) end.
    int32_t Position() const;
    int32_t Range() const;
    int16_t ValueAtPosition(int32_t position) const;
    // Every change of Value goes through here. Returns false when the control went away in
    // the event handler.
    bool ChangeValue(int32_t value, Notify notify);
    // Moves Value by `amount` positions towards Max (negative: towards Min).
    bool Step(int32_t amount);
    // The press action of a part: one step or one page.
    bool ActOn(Part part);

    void Press(int32_t x, int32_t y);
    void EndPress();
    void RepeatTick();
    bool PressedPartIsUnderMouse() const;
    // Whether the press can still end in a release this bar sees; ends it if not.
    bool PressGoesOn();

    // Along the bar: y for a vertical bar, x for a horizontal one.
    int32_t Along(int32_t x, int32_t y) const { return vertical_ ? y : x; }
    int32_t ThumbPositionFor(int32_t along) const;

    bool vertical_;
    int16_t min_ = 0;
    int16_t max_ = 32767;
    int16_t value_ = 0;
    int16_t smallChange_ = 1;
    int16_t largeChange_ = 1;

    // Interaction state.
    Part pressed_ = Part::None;
    bool repeating_ = false;  // the first repeat has happened; later ones are faster
    Point mouse_;             // the last mouse position seen during a press
    int32_t grabOffset_ = 0;  // from the thumb's start to the mouse, during a drag
    int16_t dragStartValue_ = 0;
};

}  // namespace tabula
