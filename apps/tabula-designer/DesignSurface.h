#pragma once

// The form being designed: a form in design mode (ambient UserMode False) whose controls
// are placed, selected, moved and resized with the mouse. A transparent pane over the
// form takes every press, so the controls themselves never see the mouse; selection
// handles sit between the controls and the pane. Positions snap to a grid of dots.
//
// A press on the pane, by what lies under it:
//   a tool is chosen      -> drag out the new control's rectangle (a click gives the
//                            tool's default size); on release it is placed and selected
//                            and the tool goes back to the pointer
//   a selection handle    -> drag resizes that control, the opposite edges staying put
//   a control             -> it is selected (Shift or Ctrl adds or removes it instead);
//                            dragging moves the whole selection by whole grid steps
//   the bare form         -> nothing is selected
// Every change a person makes calls BeforeChange first (once per gesture, just before the
// first change), so the caller can record the design for undo, then Changed with a line
// saying what changed.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/container/ControlContainer.h"
#include "platform/container/ControlRegistry.h"
#include "platform/forms/Form.h"

namespace tabula {

// A form that shows a dot every grid step while it is designed.
class DesignForm : public Form {
public:
    using Form::Form;

protected:
    void Paint() override;
};

class DesignSurface {
public:
    static constexpr int32_t kGrid = 8;

    // `area` is where the form goes on the screen; the registry makes the tools' controls.
    DesignSurface(const Rect& area, const ControlRegistry& registry);
    ~DesignSurface();
    DesignSurface(const DesignSurface&) = delete;
    DesignSurface& operator=(const DesignSurface&) = delete;

    DesignForm& GetForm() { return form_; }
    ControlContainer& Container() { return container_; }

    // The type name the next press places; empty for the pointer.
    const std::string& Tool() const { return tool_; }
    void SetTool(std::string typeName);

    // Selected controls, the first being the one the pages and the property list show.
    const std::vector<Site*>& Selection() const { return selection_; }
    void Select(std::vector<Site*> sites);
    // Puts the handles where the selected controls are now (after a change by code).
    void ShowHandles();
    // Removes the selected controls.
    void DeleteSelection();
    // Moves the selection by whole grid steps.
    void Nudge(int32_t stepsX, int32_t stepsY);

    // The design as a form file records it, and a design put in its place (Open, undo): the
    // form keeps its place on the screen, the selection is emptied.
    FormDescription Describe() const { return container_.Describe(); }
    void Replace(const FormDescription& description);
    // An empty form.
    void Clear();

    // The control under a point of the form, front first; null for the bare form.
    Site* SiteAt(Point client) const;
    // The nearest grid point at or before a coordinate.
    static int32_t Snap(int32_t value);

    std::function<void()> BeforeChange;
    std::function<void(const std::string&)> Changed;
    std::function<void()> SelectionChanged;
    // The tool changed, by SetTool or by a placement taking the pointer back.
    std::function<void()> ToolChanged;
    // A control was double-clicked.
    std::function<void(Site&)> Activated;

private:
    class Pane;
    class Handle;
    struct Gesture;

    void Press(Point at, int16_t shift);
    void Drag(Point at);
    void Release(Point at);
    void Place(Rect rect);
    void Resize(Point at);
    // Calls BeforeChange once per gesture.
    void Changing();
    void ShowBand(const Rect& rect);
    // Handles, then the pane, in front of every control.
    void RaiseOverlays();
    static std::string Describe(Site& site);

    const ControlRegistry& registry_;
    Point origin_;
    DesignForm form_;
    ControlContainer container_;
    std::string tool_;
    std::vector<Site*> selection_;
    std::vector<std::unique_ptr<Handle>> handles_;
    std::vector<std::unique_ptr<Handle>> band_;  // the four sides of a rectangle being drawn
    std::unique_ptr<Pane> pane_;
    std::unique_ptr<Gesture> gesture_;
};

}  // namespace tabula
