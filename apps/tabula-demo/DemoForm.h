#pragma once

// The sample form of tabula-demo: a data-entry grid, a few drawings, a typing line, a notes
// box, a list, a frame of options, buttons and a status line. It reports what people do
// with it through a log callback, one line per event ("clicked OK", "typed: hello",
// "picked: March", "edited: 2,1 \"Ada\"", "picked: 3,2 \"Spain\"", "button: 2,3"), so
// scripts can check that input arrived.
//
// The form is built from sections, one function each, placed one after another by a
// flow layout; the form takes the height its sections need. A new kind of control joins
// the sample as one more Add... function and one line in Build.

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/container/ControlContainer.h"
#include "platform/container/ControlRegistry.h"
#include "platform/forms/CheckBox.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/Form.h"
#include "platform/forms/Frame.h"
#include "platform/forms/Label.h"
#include "platform/forms/ListBox.h"
#include "platform/forms/PictureBox.h"
#include "platform/forms/ScrollBar.h"
#include "platform/forms/TextBox.h"
#include "platform/forms/Timer.h"

namespace tabula {

class TabulaEvents;

class Tabula;

// Places controls left to right in rows, starting a new row when one would not fit.
class FlowLayout {
public:
    // `top` is where the first row starts; by default the margin.
    FlowLayout(int32_t width, int32_t margin, int32_t gap, int32_t top = -1)
        : width_(width), margin_(margin), gap_(gap), x_(margin), y_(top < 0 ? margin : top) {}

    Rect Next(int32_t width, int32_t height);
    // Ends the current row; the next control starts at the left margin below it.
    void NewRow();
    // The width inside the margins, for controls that span a row.
    int32_t InnerWidth() const { return width_ - 2 * margin_; }
    // The width left in the current row, inside the margins.
    int32_t RemainingWidth() const { return width_ - margin_ - x_; }
    // The height the form needs for everything placed so far.
    int32_t Height() const;

private:
    int32_t width_;
    int32_t margin_;
    int32_t gap_;
    int32_t x_;
    int32_t y_;
    int32_t rowHeight_ = 0;
};

// The form itself, telling when its size changes (a window host resizes it with the window).
class SampleForm : public Form {
public:
    using Form::Form;
    Event Resized;

protected:
    void OnResize() override {
        if (Resized) Resized();
    }
};

class DemoForm {
public:
    using Log = std::function<void(const std::string&)>;
    static constexpr int32_t kWidth = 648;
    // How long a click's message stays on the status line.
    static constexpr uint32_t kStatusMilliseconds = 1500;
    // The row height of the grid drawing, as the options scroll bar first shows it.
    static constexpr int16_t kRowHeight = 20;
    static constexpr int16_t kMinRowHeight = 14;
    static constexpr int16_t kMaxRowHeight = 28;
    // How far a press on the scroll bar's track moves it.
    static constexpr int16_t kRowHeightPage = 4;

    explicit DemoForm(Log log = {});
    ~DemoForm();

    SampleForm& GetForm() { return *form_; }
    // The text typed on the typing line and not yet entered.
    const std::string& PadText() const { return pad_->Text(); }
    const std::string& Status() const { return status_; }

    // Named places a script can click, in screen coordinates, in the order they were added:
    // the controls, and parts of some of them ("list.3", the list's fourth item while it is
    // in view; "grid.2.5", a data cell in view; "grid.lookup" and "grid.button", the current
    // cell's drop-down and cell buttons while they show; "rows.left" and "rows.right", the
    // scroll bar's arrows; "about.OK" or "card.OK", the modal box's button).
    std::vector<std::pair<std::string, Rect>> Places() const;
    // Logs a "place NAME LEFT TOP WIDTH HEIGHT" line for each of them now, and for the
    // modal box's button whenever a box shows.
    void AnnouncePlaces();
    // The form file: Save (the Save button, Ctrl+S) writes the form with the grid's
    // settings to it ("saved: PATH ..."); Open, before the form shows, puts the grid a
    // form file describes in place of the sample grid ("opened: PATH ...", and a
    // "refused: KEY error N" line for each saved value the grid refused). A file that
    // cannot be read leaves the sample as it is ("open failed: ...").
    void SetFormPath(std::string path) { formPath_ = std::move(path); }
    void Save();
    bool Open(const std::string& path);
    // "rows R, cols C, current R,C, tab keys on|off": the saved settings a script checks.
    std::string GridSummary() const;

    // The modal box shown (About, or a grid row's card), while it is shown.
    Form* ModalBox() const { return box_; }

    // The grid drawing as the options set it.
    bool GridLines() const { return gridLines_; }
    int16_t RowHeight() const { return rowHeight_; }
    int32_t SortOrder() const { return sortOrder_; }

private:
    void Build();
    // The sections of the sample, top to bottom.
    void AddGrid();
    void AddDrawings();
    void AddTypingLine();
    void AddNotes();
    void AddList();
    void AddOptions();
    void AddButtons();
    // Wires the grid's notes and names it for scripts (after building it or opening one).
    void AdoptGrid(Tabula& grid);
    void AddStatusLine();

    // Creates a control, keeps it for the life of the form and, with a name, makes it a
    // place scripts can find.
    template <typename T, typename... Args>
    T& Add(const std::string& name, Args&&... args);
    PictureBox& AddPicture(const std::string& name, int32_t width, int32_t height);
    CommandButton& AddButton(const std::string& name, std::string caption);
    void Note(const std::string& line);
    void DrawCells();
    void SetStatus(std::string text);
    void DrawStatus();
    void ShowAbout();
    // The card of a grid row: its name and country, from the row's cell button.
    void ShowCard(int32_t row);
    // A modal box with a message and OK, announced as "NAME shown" and "NAME closed", its
    // button as the place "NAME.OK".
    void ShowBox(const std::string& name, const std::string& caption, const std::string& message);

    Log log_;
    std::unique_ptr<SampleForm> form_;
    // The form as a container: the grid is placed in it, so a save records its settings.
    std::unique_ptr<ControlContainer> container_;
    ControlRegistry registry_;
    std::string formPath_ = "tabula-demo-form.json";
    CheckBox* tabKeys_ = nullptr;
    FlowLayout layout_{kWidth, 12, 12};
    std::vector<std::unique_ptr<Control>> controls_;
    std::vector<std::pair<std::string, Control*>> named_;
    PictureBox* cells_ = nullptr;
    Tabula* grid_ = nullptr;
    // Tells what happens on the grid: the cell moved to, check marks flipped.
    std::shared_ptr<TabulaEvents> gridNotes_;
    TextBox* pad_ = nullptr;
    ListBox* list_ = nullptr;
    ScrollBar* rows_ = nullptr;
    PictureBox* statusLine_ = nullptr;
    Timer* statusTimer_ = nullptr;
    // The next change of the typing line's text comes from a paste.
    bool pasting_ = false;
    bool gridLines_ = true;
    int16_t rowHeight_ = kRowHeight;
    int32_t sortOrder_ = 0;
    std::string status_;
    Form* box_ = nullptr;
    CommandButton* boxOk_ = nullptr;
    std::string boxName_;
    bool announce_ = false;
};

}  // namespace tabula
