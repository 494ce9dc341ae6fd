#pragma once

// The form designer's window: a toolbar (New, Open, Save, Run, Undo, Delete, the General
// and Extender pages), a toolbox of the controls that can be placed, the form being
// designed, and the list of the selected control's properties. It reports what people do
// through a log callback, one line per event ("placed: Grid1 16,16 240x120 Tabula.Grid",
// "selected: Grid1", "saved: PATH (2 controls)"), so scripts can check that input arrived.
//
// Keys, wherever the keyboard is in the designer or the designed form: Ctrl+N, Ctrl+O,
// Ctrl+S, Ctrl+Z, F5 (Run); and while the designed form has the keyboard, Delete, the
// arrows (move the selection by a grid step) and Esc (back to the pointer).

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "apps/tabula-designer/DesignSurface.h"
#include "apps/tabula-designer/PropertyList.h"
#include "pages/PageDialog.h"
#include "platform/container/ControlRegistry.h"
#include "platform/forms/Label.h"
#include "platform/forms/PictureBox.h"

namespace tabula {

class DesignerForm {
public:
    using Log = std::function<void(const std::string&)>;
    static constexpr int32_t kWidth = 1000;
    static constexpr int32_t kHeight = 680;

    explicit DesignerForm(Log log = {});
    ~DesignerForm();

    Form& GetForm() { return *form_; }
    DesignSurface& Surface() { return *surface_; }
    PropertyList& Properties() { return *properties_; }
    const ControlRegistry& Registry() const { return registry_; }
    const std::filesystem::path& Path() const { return path_; }
    // The form Run shows, while it is open.
    Form* Running() const;

    // --- Toolbar ------------------------------------------------------------------------
    void New();
    // Through the common dialog; false when cancelled or refused.
    bool Open();
    bool Save();
    bool OpenFile(const std::filesystem::path& path);
    bool SaveFile(const std::filesystem::path& path);
    // Saves the design (asking where when it has no file yet) and shows the saved file in
    // run mode in a window of its own.
    void Run();
    // Puts back the design as it was before the last change.
    void Undo();
    bool CanUndo() const { return !history_.empty(); }
    // Opens a property page for the selection (modal).
    void ShowPage(PageDialog::Kind kind);

    // A grid and a button placed, the grid selected: what the designer draws headless.
    void PlaceSample();
    // From now on, "place NAME X Y W H" lines for whatever a script clicks: toolbar and
    // toolbox buttons, the form, its controls, and the fields of a page as it opens.
    void AnnouncePlaces();

private:
    struct RunWindow;
    class KeyHandler;

    CommandButton& AddButton(std::string name, const Rect& rect, std::string caption,
                             std::function<void()> action);
    bool KeyDown(int16_t keyCode, int16_t shift);
    void Note(const std::string& line);
    // A form file's path from the save or open dialog; none when cancelled or failed.
    std::optional<std::string> AskForFile(bool save);
    // The design as it is, kept for Undo.
    void Remember();
    void SelectionMoved();
    void Announce(const std::string& name, HWND hwnd);
    void AnnounceControls();
    void AnnouncePage(Form& page);
    void ShowTool();

    Log log_;
    ControlRegistry registry_;
    std::unique_ptr<Form> form_;
    std::vector<std::unique_ptr<Control>> controls_;
    std::vector<std::pair<std::string, HWND>> places_;
    Label* lblTool_ = nullptr;
    Label* lblStatus_ = nullptr;
    std::unique_ptr<DesignSurface> surface_;
    std::unique_ptr<PropertyList> properties_;
    std::filesystem::path path_;
    std::vector<FormDescription> history_;
    std::unique_ptr<RunWindow> run_;
    bool announce_ = false;
};

}  // namespace tabula
