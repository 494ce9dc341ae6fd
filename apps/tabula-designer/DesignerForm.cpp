#include "apps/tabula-designer/DesignerForm.h"

#include <algorithm>

#include "core/Tabula.h"
#include "platform/container/FormFile.h"
#include "platform/container/IntrinsicControls.h"
#include "platform/runtime/Error.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/Windows.h"
#include "services/CommonDialog.h"

namespace tabula {

namespace {

constexpr const char* kFormFilter = "Form files (*.json)|*.json|All Files (*.*)|*.*";
// How many earlier designs Undo keeps.
constexpr size_t kUndoDepth = 100;
constexpr int32_t kTop = 44;
const Rect kDesignArea{140, kTop, 692, 628};
const Rect kPropertyArea{704, kTop, 992, 628};

// The toolbox: what each button places, in the order shown.
const struct Tool {
    const char* caption;
    const char* type;  // empty for the pointer
} kTools[] = {
    {"Pointer", ""},
    {"Grid", "Tabula.Grid"},
    {"CommandButton", "VB.CommandButton"},
    {"Label", "VB.Label"},
    {"TextBox", "VB.TextBox"},
    {"CheckBox", "VB.CheckBox"},
    {"Frame", "VB.Frame"},
    {"ListBox", "VB.ListBox"},
    {"ComboBox", "VB.ComboBox"},
    {"PictureBox", "VB.PictureBox"},
};

void RegisterControls(ControlRegistry& registry) {
    registry.Register("Tabula.Grid", [](HWND parent) {
        return std::make_unique<Tabula>(parent, Rect{0, 0, 240, 120});
    });
    RegisterIntrinsicControls(registry);
}

std::string CountText(size_t count) {
    return std::to_string(count) + (count == 1 ? " control" : " controls");
}

// "Prices Tabula.Grid Rows=7 Cols=4 BorderStyle=3 ToolTipText="Price list"": a saved
// control by the settings a person checks first.
std::string Summary(const ControlDescription& control) {
    std::string name = control.typeName, tip;
    for (const auto& [property, value] : control.extender) {
        if (property == ExtenderProperty::Name) name = value.ToText();
        if (property == ExtenderProperty::ToolTipText && !value.ToText().empty())
            tip = " ToolTipText=\"" + value.ToText() + "\"";
    }
    std::string line = name + " " + control.typeName;
    for (const char* key : {"Rows", "Cols", "BorderStyle", "Caption"}) {
        const PropertyValue* value = control.properties.Find(key);
        if (value && value->Kind() == PropertyKind::Value)
            line += std::string(" ") + key + "=" + value->AsValue().ToText();
    }
    return line + tip;
}

}  // namespace

struct DesignerForm::RunWindow {
    explicit RunWindow(std::string caption)
        : form(Rect{0, 0, 100, 100}, caption), container(form) {}
    Form form;
    ControlContainer container;
};

Form* DesignerForm::Running() const {
    return run_ && run_->form.Loaded() ? &run_->form : nullptr;
}

DesignerForm::DesignerForm(Log log) : log_(std::move(log)) {
    RegisterControls(registry_);
    form_ = std::make_unique<Form>(Rect{0, 0, kWidth, kHeight}, "Tabula Designer");
    const HWND hwnd = form_->hWnd();

    const std::pair<const char*, std::function<void()>> commands[] = {
        {"New", [this] { New(); }},
        {"Open...", [this] { Open(); }},
        {"Save...", [this] { Save(); }},
        {"Run", [this] { Run(); }},
        {"Undo", [this] { Undo(); }},
        {"Delete", [this] { surface_->DeleteSelection(); }},
        {"General...", [this] { ShowPage(PageDialog::Kind::General); }},
        {"Extender...", [this] { ShowPage(PageDialog::Kind::Extender); }},
    };
    int32_t x = 8;
    for (const auto& [caption, action] : commands) {
        std::string name = caption;
        name.erase(std::remove(name.begin(), name.end(), '.'), name.end());
        AddButton("cmd." + name, MakeRectFromSize(x, 8, 84, 26), caption, action);
        x += 90;
    }

    auto toolbox = std::make_unique<Label>(hwnd, MakeRectFromSize(8, kTop, 124, 16), "Toolbox");
    controls_.push_back(std::move(toolbox));
    int32_t y = kTop + 20;
    for (const Tool& tool : kTools) {
        if (*tool.type && !registry_.Knows(tool.type)) continue;
        const std::string type = tool.type;
        AddButton(std::string("tool.") + tool.caption, MakeRectFromSize(8, y, 124, 26),
                  tool.caption, [this, type] { surface_->SetTool(type); });
        y += 30;
    }
    auto label = std::make_unique<Label>(hwnd, MakeRectFromSize(8, y + 4, 124, 16));
    lblTool_ = label.get();
    controls_.push_back(std::move(label));
    auto status = std::make_unique<Label>(hwnd, MakeRectFromSize(8, kHeight - 40, kWidth - 16, 16));
    lblStatus_ = status.get();
    lblStatus_->SetName("lblStatus");
    controls_.push_back(std::move(status));

    properties_ = std::make_unique<PropertyList>(hwnd, kPropertyArea);
    properties_->BeforeChange = [this] { Remember(); };
    properties_->Changed = [this](const std::string& line) {
        Note(line);
        surface_->ShowHandles();  // they follow a moved control
        AnnounceControls();
    };

    surface_ = std::make_unique<DesignSurface>(kDesignArea, registry_);
    surface_->BeforeChange = [this] { Remember(); };
    surface_->Changed = [this](const std::string& line) {
        Note(line);
        properties_->Reload();
        AnnounceControls();
    };
    surface_->SelectionChanged = [this] { SelectionMoved(); };
    surface_->ToolChanged = [this] { ShowTool(); };
    surface_->Activated = [this](Site& site) {
        ShowPage(site.TypeName() == "Tabula.Grid" ? PageDialog::Kind::General
                                                  : PageDialog::Kind::Extender);
    };
    places_.emplace_back("form", surface_->GetForm().hWnd());

    for (Form* form : {form_.get(), static_cast<Form*>(&surface_->GetForm())}) {
        form->SetKeyPreview(true);
        form->KeyDown = [this](int16_t& keyCode, int16_t shift) {
            if (KeyDown(keyCode, shift)) keyCode = 0;
        };
    }
    ShowTool();
}

DesignerForm::~DesignerForm() {
    run_.reset();
    surface_.reset();
}

CommandButton& DesignerForm::AddButton(std::string name, const Rect& rect, std::string caption,
                                       std::function<void()> action) {
    auto button = std::make_unique<CommandButton>(form_->hWnd(), rect, std::move(caption));
    button->SetName(name);
    button->Click = std::move(action);
    CommandButton& added = *button;
    places_.emplace_back(std::move(name), added.hWnd());
    controls_.push_back(std::move(button));
    return added;
}

void DesignerForm::Note(const std::string& line) {
    lblStatus_->SetCaption(line);
    if (log_) log_(line);
}

void DesignerForm::Remember() {
    if (history_.size() == kUndoDepth) history_.erase(history_.begin());
    history_.push_back(surface_->Describe());
}

void DesignerForm::ShowTool() {
    const std::string& type = surface_->Tool();
    lblTool_->SetCaption(type.empty() ? "Tool: Pointer" : "Tool: " + type);
    Note("tool: " + (type.empty() ? std::string("Pointer") : type));
}

void DesignerForm::SelectionMoved() {
    const std::vector<Site*>& selection = surface_->Selection();
    properties_->Show(selection.empty() ? nullptr : selection.front());
    std::string names;
    for (const Site* site : selection)
        names += (names.empty() ? "" : ", ") + site->DisplayName();
    Note("selected: " + (names.empty() ? std::string("none") : names));
}

bool DesignerForm::KeyDown(int16_t keyCode, int16_t shift) {
    if (shift == vbCtrlMask) {
        switch (keyCode) {
            case 'N':
                New();
                return true;
            case 'O':
                Open();
                return true;
            case 'S':
                Save();
                return true;
            case 'Z':
                Undo();
                return true;
            default:
                return false;
        }
    }
    if (keyCode == VK_F1 + 4) {
        Run();
        return true;
    }
    // The rest act on the design, and only while it has the keyboard.
    if (GetActiveWindow() != surface_->GetForm().hWnd()) return false;
    switch (keyCode) {
        case VK_DELETE:
            surface_->DeleteSelection();
            return true;
        case VK_LEFT:
            surface_->Nudge(-1, 0);
            return true;
        case VK_RIGHT:
            surface_->Nudge(1, 0);
            return true;
        case VK_UP:
            surface_->Nudge(0, -1);
            return true;
        case VK_DOWN:
            surface_->Nudge(0, 1);
            return true;
        case VK_ESCAPE:
            surface_->SetTool({});
            return true;
        default:
            return false;
    }
}

// --- Files -------------------------------------------------------------------------------

void DesignerForm::New() {
    surface_->Clear();
    surface_->Container().SetDirty(false);
    history_.clear();
    path_.clear();
    Note("new form");
    AnnounceControls();
}

std::optional<std::string> DesignerForm::AskForFile(bool save) {
    clsCommonDialog dialog;
    dialog.Filter = kFormFilter;
    dialog.DefaultExt = "json";
    dialog.DialogTitle = save ? "Save Form" : "Open Form";
    dialog.FileName = save ? path_.string() : std::string();
    dialog.hdc = static_cast<int32_t>(form_->hWnd());
    if (save) {
        dialog.ShowSave();
    } else {
        dialog.ShowOpen();
    }
    if (dialog.APIReturn() == 1) return dialog.FileName;
    Note(std::string(save ? "save " : "open ") + (dialog.Cancelled ? "cancelled" : "failed"));
    return std::nullopt;
}

bool DesignerForm::Open() {
    const std::optional<std::string> path = AskForFile(false);
    return path && OpenFile(*path);
}

bool DesignerForm::OpenFile(const std::filesystem::path& path) {
    FormDescription description;
    try {
        description = LoadFormFile(path);
        surface_->Replace(description);
    } catch (const RuntimeError& error) {
        Note("open failed: " + error.description);
        return false;
    }
    surface_->Container().SetDirty(false);
    history_.clear();
    path_ = path;
    Note("opened: " + path.string() + " (" + CountText(description.controls.size()) + ")");
    for (const ControlDescription& control : description.controls)
        Note("control: " + Summary(control));
    AnnounceControls();
    return true;
}

bool DesignerForm::Save() {
    const std::optional<std::string> path = AskForFile(true);
    return path && SaveFile(*path);
}

bool DesignerForm::SaveFile(const std::filesystem::path& path) {
    try {
        surface_->Container().Save(path);
    } catch (const RuntimeError& error) {
        Note("save failed: " + error.description);
        return false;
    }
    path_ = path;
    Note("saved: " + path.string() + " (" + CountText(surface_->Container().Sites().size()) + ")");
    return true;
}

void DesignerForm::Run() {
    if (path_.empty() ? !Save() : !SaveFile(path_)) return;
    run_.reset();
    try {
        const FormDescription description = LoadFormFile(path_);
        run_ = std::make_unique<RunWindow>("Run");
        run_->container.Load(description, registry_);
        // Beside the design, so both show.
        Form& form = run_->form;
        form.Move(form.Left() + 32, form.Top() + 32, form.Width(), form.Height());
        form.SetKeyPreview(true);
        form.KeyDown = [&form](int16_t& keyCode, int16_t) {
            if (keyCode == VK_ESCAPE) form.Unload();
        };
        form.Unloaded = [this] { Note("run closed"); };
        form.Show();
        Note("run: " + path_.string() + " (" + CountText(description.controls.size()) + ")");
        if (announce_) Announce("run", form.hWnd());
    } catch (const RuntimeError& error) {
        run_.reset();
        Note("run failed: " + error.description);
    }
}

void DesignerForm::Undo() {
    if (history_.empty()) {
        Note("nothing to undo");
        return;
    }
    const FormDescription previous = std::move(history_.back());
    history_.pop_back();
    try {
        surface_->Replace(previous);
    } catch (const RuntimeError& error) {
        Note("undo failed: " + error.description);
        return;
    }
    surface_->Container().SetDirty(true);
    Note("undone (" + CountText(previous.controls.size()) + ")");
    AnnounceControls();
}

// --- Pages ---------------------------------------------------------------------------------

void DesignerForm::ShowPage(PageDialog::Kind kind) {
    const std::vector<Site*> selection = surface_->Selection();
    const char* name = kind == PageDialog::Kind::General ? "General" : "Extender";
    if (selection.empty()) {
        Note(std::string(name) + ": select a control first");
        return;
    }
    FormDescription before = surface_->Describe();
    const std::string beforeText = FormToJson(before);
    PageDialog dialog(form_->hWnd(), kind, selection);
    if (announce_) AnnouncePage(dialog.GetForm());
    Note(std::string("page: ") + name);
    dialog.Run();
    if (FormToJson(surface_->Describe()) == beforeText) {
        Note(std::string("page closed: ") + name + ", nothing changed");
        return;
    }
    if (history_.size() == kUndoDepth) history_.erase(history_.begin());
    history_.push_back(std::move(before));
    surface_->ShowHandles();
    properties_->Reload();
    Note(std::string("applied: ") + name + ": " + dialog.Status());
    AnnounceControls();
}

// --- Places ------------------------------------------------------------------------------------

void DesignerForm::Announce(const std::string& name, HWND hwnd) {
    Rect r;
    if (!GetWindowRect(hwnd, &r)) return;
    Note("place " + name + " " + std::to_string(r.left) + " " + std::to_string(r.top) + " " +
         std::to_string(r.Width()) + " " + std::to_string(r.Height()));
}

void DesignerForm::AnnouncePlaces() {
    announce_ = true;
    for (const auto& [name, hwnd] : places_)
        Announce(name, hwnd);
    Announce("properties", properties_->List().hWnd());
    Announce("value", properties_->ValueBox().hWnd());
    AnnounceControls();
}

void DesignerForm::AnnounceControls() {
    if (!announce_) return;
    for (Site* site : surface_->Container().Sites())
        Announce("control." + site->DisplayName(), site->GetControl().hWnd());
}

void DesignerForm::AnnouncePage(Form& page) {
    const std::function<void(HWND)> walk = [&](HWND parent) {
        for (HWND child : GetChildren(parent)) {
            const Control* control = Control::FromHandle(child);
            if (control && !control->Name().empty()) Announce("page." + control->Name(), child);
            walk(child);
        }
    };
    walk(page.hWnd());
}

void DesignerForm::PlaceSample() {
    DesignSurface& surface = *surface_;
    const auto place = [&](const char* type, Rect rect) {
        Site& site = surface.Container().Place(registry_, type);
        site.GetControl().Move(rect.left, rect.top, rect.Width(), rect.Height());
        return &site;
    };
    const std::string grid =
        place("Tabula.Grid", MakeRectFromSize(16, 16, 320, 160))->DisplayName();
    place("VB.CommandButton", MakeRectFromSize(16, 192, 96, 32));
    surface.Replace(surface.Describe());  // the overlays in front again
    surface.Select({surface.Container().FindByName(grid)});
}

}  // namespace tabula
