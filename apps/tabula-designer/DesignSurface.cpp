#include "apps/tabula-designer/DesignSurface.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "platform/gdi/Drawing.h"
#include "platform/runtime/Error.h"
#include "platform/window/Windows.h"

namespace tabula {

namespace {

constexpr int32_t kHandleSize = 6;
constexpr COLORREF kDotColor = RGB(0, 0, 0);
constexpr OLE_COLOR kHandleColor = 0x00000000;
constexpr OLE_COLOR kBandColor = 0x00808080;

// A new control's size when the tool is clicked rather than dragged.
Size DefaultSize(std::string_view typeName) {
    static const struct {
        std::string_view type;
        Size size;
    } kSizes[] = {
        {"Tabula.Grid", {240, 120}}, {"VB.CommandButton", {96, 32}}, {"VB.Label", {96, 24}},
        {"VB.TextBox", {120, 24}},   {"VB.CheckBox", {120, 24}},     {"VB.Frame", {160, 96}},
        {"VB.ListBox", {120, 96}},   {"VB.ComboBox", {120, 24}},     {"VB.PictureBox", {96, 96}},
    };
    for (const auto& entry : kSizes) {
        if (entry.type == typeName) return entry.size;
    }
    return {96, 32};
}

Rect RectOf(const Control& control) {
    return MakeRectFromSize(control.Left(), control.Top(), control.Width(), control.Height());
}

std::string PlaceText(const Rect& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.Width()) +
           "x" + std::to_string(r.Height());
}

}  // namespace

// --- The pane and the handles -------------------------------------------------------------

// Takes the mouse for the whole form and draws nothing: it has no image of its own, so the
// controls under it show through.
class DesignSurface::Pane : public Control {
public:
    Pane(DesignSurface& surface, HWND parent, const Rect& rect)
        : Control(parent, rect, "DesignPane"), surface_(surface) {
        SetWindowSurface(hWnd(), nullptr);
        SetTabStop(false);
    }

protected:
    void OnMouseDown(int16_t button, int16_t shift, int32_t x, int32_t y) override {
        Control::OnMouseDown(button, shift, x, y);
        if (button == vbLeftButton) surface_.Press({x, y}, shift);
    }
    void OnMouseMove(int16_t button, int16_t shift, int32_t x, int32_t y) override {
        Control::OnMouseMove(button, shift, x, y);
        if (button & vbLeftButton) surface_.Drag({x, y});
    }
    void OnMouseUp(int16_t button, int16_t shift, int32_t x, int32_t y) override {
        Control::OnMouseUp(button, shift, x, y);
        if (button == vbLeftButton) surface_.Release({x, y});
    }
    void OnDoubleClick(int16_t button, int16_t shift, int32_t x, int32_t y) override {
        Control::OnDoubleClick(button, shift, x, y);
        Site* site = surface_.SiteAt({x, y});
        if (site && surface_.Activated) surface_.Activated(*site);
    }

private:
    DesignSurface& surface_;
};

// A small filled square (a selection handle) or a thin bar (a side of the rectangle being
// drawn); it never takes the mouse, the pane in front of it does.
class DesignSurface::Handle : public Control {
public:
    Handle(HWND parent, OLE_COLOR color) : Control(parent, Rect{}, "DesignHandle") {
        SetBackColor(color);
        SetTabStop(false);
    }
    bool CanTakeFocus() const override { return false; }

protected:
    void Paint() override { FillRect(dc_, image_.Bounds(), CreateSolidBrush(BackColor())); }
};

void DesignForm::Paint() {
    Form::Paint();
    for (int32_t y = 0; y < image_.Height(); y += DesignSurface::kGrid) {
        for (int32_t x = 0; x < image_.Width(); x += DesignSurface::kGrid)
            image_.SetPixel(x, y, kDotColor);
    }
}

// --- The surface ----------------------------------------------------------------------------

struct DesignSurface::Gesture {
    enum class Kind { Place, Move, Resize };
    Gesture(Kind kind, Point start, std::vector<Rect> from = {})
        : kind(kind), start(start), from(std::move(from)) {}

    Kind kind;
    Point start;
    // Move: the selection's rectangles when the drag began. Resize: the one control's.
    std::vector<Rect> from;
    Site* resized = nullptr;
    // Resize: which edges follow the mouse, -1 left/top, 1 right/bottom, 0 neither.
    int32_t edgeX = 0, edgeY = 0;
    Rect band;
    bool changing = false;
};

DesignSurface::DesignSurface(const Rect& area, const ControlRegistry& registry)
    : registry_(registry), origin_{area.left, area.top}, form_(area, "Form1"), container_(form_) {
    form_.Refresh();  // the dots: the form's own constructor drew a plain form
    AmbientSettings ambient = container_.Ambient();
    ambient.userMode = false;
    container_.SetAmbient(ambient);
    pane_ = std::make_unique<Pane>(*this, form_.hWnd(), form_.Image().Bounds());
    for (int side = 0; side < 4; ++side) {
        band_.push_back(std::make_unique<Handle>(form_.hWnd(), kBandColor));
        band_.back()->SetVisible(false);
    }
    container_.SetDirty(false);
}

DesignSurface::~DesignSurface() {
    // The overlays go before the container's controls, the pane last.
    handles_.clear();
    band_.clear();
}

int32_t DesignSurface::Snap(int32_t value) {
    const int32_t rest = ((value % kGrid) + kGrid) % kGrid;
    return value - rest;
}

void DesignSurface::SetTool(std::string typeName) {
    tool_ = std::move(typeName);
    if (ToolChanged) ToolChanged();
}

void DesignSurface::Select(std::vector<Site*> sites) {
    selection_ = std::move(sites);
    ShowHandles();
    if (SelectionChanged) SelectionChanged();
}

Site* DesignSurface::SiteAt(Point client) const {
    // Children front first: the first control under the point is the one seen there.
    for (HWND child : GetChildren(form_.hWnd())) {
        const Control* control = Control::FromHandle(child);
        Site* site = control ? container_.SiteOf(*control) : nullptr;
        if (site && control->Visible() && RectOf(*control).Contains(client.x, client.y))
            return site;
    }
    return nullptr;
}

void DesignSurface::Changing() {
    if (gesture_ && gesture_->changing) return;
    if (gesture_) gesture_->changing = true;
    if (BeforeChange) BeforeChange();
}

void DesignSurface::Press(Point at, int16_t shift) {
    gesture_.reset();
    if (!tool_.empty()) {
        const Point start{Snap(at.x), Snap(at.y)};
        gesture_ = std::make_unique<Gesture>(Gesture::Kind::Place, start);
        return;
    }
    // A handle of a selected control: resize it.
    for (Site* site : selection_) {
        const Rect r = RectOf(site->GetControl());
        for (int32_t ex = -1; ex <= 1; ++ex) {
            for (int32_t ey = -1; ey <= 1; ++ey) {
                if (ex == 0 && ey == 0) continue;
                const int32_t x = ex < 0 ? r.left : ex > 0 ? r.right : (r.left + r.right) / 2;
                const int32_t y = ey < 0 ? r.top : ey > 0 ? r.bottom : (r.top + r.bottom) / 2;
                if (std::abs(at.x - x) > kHandleSize / 2 + 1 ||
                    std::abs(at.y - y) > kHandleSize / 2 + 1)
                    continue;
                gesture_ =
                    std::make_unique<Gesture>(Gesture::Kind::Resize, at, std::vector<Rect>{r});
                gesture_->resized = site;
                gesture_->edgeX = ex;
                gesture_->edgeY = ey;
                return;
            }
        }
    }
    Site* hit = SiteAt(at);
    if (!hit) {
        if (!selection_.empty()) Select({});
        return;
    }
    std::vector<Site*> selection = selection_;
    const auto found = std::find(selection.begin(), selection.end(), hit);
    if (shift & (vbShiftMask | vbCtrlMask)) {
        if (found != selection.end()) {
            selection.erase(found);
            Select(std::move(selection));
            return;
        }
        selection.push_back(hit);
    } else if (found == selection.end()) {
        selection = {hit};
    }
    if (selection != selection_) Select(std::move(selection));
    gesture_ = std::make_unique<Gesture>(Gesture::Kind::Move, at);
    for (Site* site : selection_)
        gesture_->from.push_back(RectOf(site->GetControl()));
}

void DesignSurface::Drag(Point at) {
    if (!gesture_) return;
    switch (gesture_->kind) {
        case Gesture::Kind::Place: {
            const Point start = gesture_->start;
            const Point end{Snap(at.x), Snap(at.y)};
            gesture_->band = Rect{std::min(start.x, end.x), std::min(start.y, end.y),
                                  std::max(start.x, end.x), std::max(start.y, end.y)};
            ShowBand(gesture_->band);
            break;
        }
        case Gesture::Kind::Move: {
            // Whole grid steps, measured on the first control, keep the selection's layout.
            const Rect& first = gesture_->from.front();
            const int32_t dx = Snap(first.left + at.x - gesture_->start.x + kGrid / 2) - first.left;
            const int32_t dy = Snap(first.top + at.y - gesture_->start.y + kGrid / 2) - first.top;
            const Rect now = RectOf(selection_.front()->GetControl());
            if (now.left == first.left + dx && now.top == first.top + dy) break;
            Changing();
            for (size_t i = 0; i < selection_.size() && i < gesture_->from.size(); ++i) {
                const Rect& from = gesture_->from[i];
                selection_[i]->GetControl().Move(from.left + dx, from.top + dy);
            }
            container_.SetDirty(true);
            ShowHandles();
            break;
        }
        case Gesture::Kind::Resize:
            Resize(at);
            break;
    }
}

void DesignSurface::Resize(Point at) {
    const Rect& from = gesture_->from.front();
    Rect r = from;
    const int32_t x = Snap(at.x + kGrid / 2), y = Snap(at.y + kGrid / 2);
    if (gesture_->edgeX < 0) r.left = std::min(x, r.right - kGrid);
    if (gesture_->edgeX > 0) r.right = std::max(x, r.left + kGrid);
    if (gesture_->edgeY < 0) r.top = std::min(y, r.bottom - kGrid);
    if (gesture_->edgeY > 0) r.bottom = std::max(y, r.top + kGrid);
    Control& control = gesture_->resized->GetControl();
    if (r == RectOf(control)) return;
    Changing();
    control.Move(r.left, r.top, r.Width(), r.Height());
    container_.SetDirty(true);
    ShowHandles();
}

void DesignSurface::Release(Point at) {
    if (!gesture_) return;
    Drag(at);
    const std::unique_ptr<Gesture> gesture = std::move(gesture_);
    switch (gesture->kind) {
        case Gesture::Kind::Place: {
            ShowBand(Rect{});
            Rect rect = gesture->band;
            if (rect.Width() < kGrid || rect.Height() < kGrid) {
                const Size size = DefaultSize(tool_);
                rect = MakeRectFromSize(gesture->start.x, gesture->start.y, size.cx, size.cy);
            }
            Place(rect);
            break;
        }
        case Gesture::Kind::Move:
            if (!gesture->changing) break;
            for (Site* site : selection_) {
                if (Changed) Changed("moved: " + Describe(*site));
            }
            break;
        case Gesture::Kind::Resize:
            if (gesture->changing && Changed) Changed("resized: " + Describe(*gesture->resized));
            break;
    }
}

void DesignSurface::Place(Rect rect) {
    const std::string type = tool_;
    SetTool({});
    Changing();
    Site* site = nullptr;
    try {
        site = &container_.Place(registry_, type);
    } catch (const RuntimeError& error) {
        if (Changed) Changed("refused: " + type + ": " + error.description);
        return;
    }
    site->GetControl().Move(rect.left, rect.top, rect.Width(), rect.Height());
    RaiseOverlays();
    if (Changed) Changed("placed: " + Describe(*site) + " " + type);
    Select({site});
}

std::string DesignSurface::Describe(Site& site) {
    return site.DisplayName() + " " + PlaceText(RectOf(site.GetControl()));
}

void DesignSurface::DeleteSelection() {
    if (selection_.empty()) return;
    Changing();
    const std::vector<Site*> gone = selection_;
    // Nobody shows a control that is going.
    Select({});
    for (Site* site : gone) {
        const std::string name = site->DisplayName();
        container_.Remove(site->GetControl());
        if (Changed) Changed("deleted: " + name);
    }
}

void DesignSurface::Nudge(int32_t stepsX, int32_t stepsY) {
    if (selection_.empty()) return;
    Changing();
    for (Site* site : selection_) {
        Control& control = site->GetControl();
        control.Move(control.Left() + stepsX * kGrid, control.Top() + stepsY * kGrid);
        if (Changed) Changed("moved: " + Describe(*site));
    }
    container_.SetDirty(true);
    ShowHandles();
}

void DesignSurface::Clear() {
    gesture_.reset();
    if (!selection_.empty()) Select({});
    for (Site* site : container_.Sites())
        container_.Remove(site->GetControl());
    ShowHandles();
}

void DesignSurface::Replace(const FormDescription& description) {
    const FormDescription previous = Describe();
    Clear();
    try {
        container_.Load(description, registry_);
    } catch (const RuntimeError&) {
        // Loading is all or nothing: the design that was there comes back.
        container_.Load(previous, registry_);
        form_.Move(origin_.x, origin_.y, form_.Width(), form_.Height());
        RaiseOverlays();
        throw;
    }
    // The form stays where the designer shows it.
    form_.Move(origin_.x, origin_.y, form_.Width(), form_.Height());
    RaiseOverlays();
    if (SelectionChanged) SelectionChanged();
}

void DesignSurface::ShowHandles() {
    size_t used = 0;
    for (Site* site : selection_) {
        const Rect r = RectOf(site->GetControl());
        for (int32_t ex = -1; ex <= 1; ++ex) {
            for (int32_t ey = -1; ey <= 1; ++ey) {
                if (ex == 0 && ey == 0) continue;
                if (used == handles_.size())
                    handles_.push_back(std::make_unique<Handle>(form_.hWnd(), kHandleColor));
                const int32_t x = ex < 0 ? r.left : ex > 0 ? r.right : (r.left + r.right) / 2;
                const int32_t y = ey < 0 ? r.top : ey > 0 ? r.bottom : (r.top + r.bottom) / 2;
                Handle& handle = *handles_[used++];
                handle.Move(x - kHandleSize / 2, y - kHandleSize / 2, kHandleSize, kHandleSize);
                handle.SetVisible(true);
            }
        }
    }
    for (size_t i = used; i < handles_.size(); ++i)
        handles_[i]->SetVisible(false);
    RaiseOverlays();
}

void DesignSurface::ShowBand(const Rect& r) {
    const bool show = !r.IsEmpty();
    const Rect sides[4] = {{r.left, r.top, r.right, r.top + 1},
                           {r.left, r.bottom - 1, r.right, r.bottom},
                           {r.left, r.top, r.left + 1, r.bottom},
                           {r.right - 1, r.top, r.right, r.bottom}};
    for (int i = 0; i < 4; ++i) {
        band_[i]->Move(sides[i].left, sides[i].top, sides[i].Width(), sides[i].Height());
        band_[i]->SetVisible(show);
    }
    RaiseOverlays();
}

void DesignSurface::RaiseOverlays() {
    for (auto* overlays : {&handles_, &band_}) {
        for (const auto& overlay : *overlays)
            SetWindowPos(overlay->hWnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
    // The pane covers the whole form, whatever size a loaded design gave it.
    pane_->Move(0, 0, form_.Width(), form_.Height());
    SetWindowPos(pane_->hWnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    InvalidateWindow(form_.hWnd());
}

}  // namespace tabula
