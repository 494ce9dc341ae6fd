#pragma once

// What a script runs against: one grid named `grid`, filling a headless form, placed in a
// container as a new instance in run mode, and painted. Besides the interpreter's own
// commands a script can use:
//   resize W H           gives the grid a new size (each side clamped into 1..kMaxSide)
//   pixel X Y            prints the colour of picGrid at the point as &H and six hex
//                        digits BBGGRR
//   screenpixel X Y      the same for what shows on the screen there (the edit box, the
//                        in-cell buttons and the lookup list lie over picGrid)
//   screenshot "f.png"   writes picGrid's image to a PNG file
// and a person's input, points in picGrid's pixels, buttons 1 left, 2 right, 4 middle,
// shift masks 1 Shift, 2 Ctrl, 4 Alt (held around the input):
//   move X, Y                        the pointer moves there, no button held
//   click X, Y [, BUTTON [, SHIFT]]  dblclick X, Y [, BUTTON [, SHIFT]]   drag X1, Y1, X2, Y2
//   key CODE [, SHIFT]               a key pressed and let go on the cells
//   keydown CODE [, SHIFT]           keyup CODE [, SHIFT]     keypress ASCII
//   type "text"                      to whatever has the keyboard (the cells when it is
//                                    outside the grid)
//   wheel DELTA                      a wheel turn (120 a notch) through the window's messages
//   wait MS                          the clock moves on
// `focus` reads as the name of the grid's control with the keyboard ("" outside the grid),
// `pointer` as picGrid's mouse pointer and `lookup` as the open lookup list ("Nothing", or
// its place in picGrid's pixels, its size, its values and the highlighted index).

#include <iosfwd>
#include <memory>

#include "apps/tabula-script/Interpreter.h"
#include "core/Tabula.h"
#include "hosts/headless/HeadlessHost.h"
#include "platform/container/ControlContainer.h"
#include "platform/forms/Form.h"

namespace tabula::script {

class ScriptSession {
public:
    // The largest side --size accepts.
    static constexpr int32_t kMaxSide = 4096;

    // `width` and `height` are clamped into 1..kMaxSide.
    ScriptSession(int32_t width, int32_t height, std::ostream& out);
    // The same on a desktop the caller keeps (and that outlives the session): sessions one
    // after another then open the fonts only once.
    ScriptSession(HeadlessHost& host, int32_t width, int32_t height, std::ostream& out);
    ~ScriptSession();

    Interpreter& GetInterpreter() { return interpreter_; }
    Tabula& Grid() { return grid_; }
    HeadlessHost& Host() { return host_; }

private:
    // Either `own` is the session's own desktop or `shared` the caller's.
    ScriptSession(std::unique_ptr<HeadlessHost> own, HeadlessHost* shared, int32_t width,
                  int32_t height, std::ostream& out);
    void Resize(const Statement& statement);
    void PrintPixel(const Statement& statement, bool onScreen);
    std::string LookupListShown() const;
    void Screenshot(const Statement& statement);
    // A person's input on the cells: keys go to the cells (which take the keyboard first
    // when it is elsewhere), points are picGrid's pixels.
    void PressKey(const Statement& statement);
    void TypeText(const Statement& statement);
    void Click(const Statement& statement, bool twice);
    void Drag(const Statement& statement);
    void Move(const Statement& statement);
    void KeyChange(const Statement& statement, bool down);
    void KeyPressed(const Statement& statement);
    void Wheel(const Statement& statement);
    void Wait(const Statement& statement);
    // Holds the modifier keys of `shift` around `input`.
    template <class Input>
    void WithModifiers(int32_t shift, Input input);
    // The optional argument `i`, `fallback` when it was not given.
    int32_t Optional(const Statement& statement, size_t i, int32_t fallback);
    std::string FocusName();
    // Whether the picture is the one a fresh full repaint draws (the repaint is made).
    bool MatchesFullPaint();
    int32_t Number(const Statement& statement, size_t i);
    void FocusCells();

    std::ostream& out_;
    std::unique_ptr<HeadlessHost> ownHost_;
    HeadlessHost& host_;
    Form form_;
    ControlContainer container_;
    Tabula grid_;
    Interpreter interpreter_;
};

}  // namespace tabula::script
