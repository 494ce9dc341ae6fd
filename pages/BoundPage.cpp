#include "pages/BoundPage.h"

#include <algorithm>

#include "platform/container/Site.h"
#include "platform/runtime/Error.h"

namespace tabula {

namespace {

// One field per row: its label, its editor, then room for a refusal.
constexpr int32_t kMargin = 8;
constexpr int32_t kRowHeight = 24;
constexpr int32_t kLabelWidth = 110;
constexpr int32_t kEditorWidth = 150;
constexpr int32_t kRefusalWidth = 220;
constexpr int32_t kEditorLeft = kMargin + kLabelWidth;
constexpr int32_t kRefusalLeft = kEditorLeft + kEditorWidth + 8;
constexpr OLE_COLOR kRefusalColor = 0x000000C0;  // dark red

}  // namespace

BoundPage::BoundPage(HWND parent) : parent_(parent) {}

BoundPage::~BoundPage() = default;

Rect BoundPage::FrameRect(int32_t height) const {
    return MakeRectFromSize(kMargin, next_, kLabelWidth + kEditorWidth, height);
}

BoundField& BoundPage::Add(BoundField field, std::unique_ptr<Control> editor, int32_t height) {
    field.editor = editor.get();
    controls_.push_back(std::move(editor));
    auto refusal = std::make_unique<Label>(
        parent_, MakeRectFromSize(kRefusalLeft, next_ + 3, kRefusalWidth, 16));
    refusal->SetForeColor(kRefusalColor);
    field.refusal = refusal.get();
    controls_.push_back(std::move(refusal));
    next_ += height;
    BoundField& added = fields_.emplace_back(std::move(field));
    return added;
}

BoundField BoundPage::Labelled(BoundField::Kind kind, std::string caption, std::string property) {
    auto label = std::make_unique<Label>(
        parent_, MakeRectFromSize(kMargin, next_ + 3, kLabelWidth - 4, 16), std::move(caption));
    label->SetName("lbl" + property);
    BoundField field{kind, std::move(property)};
    field.label = label.get();
    controls_.push_back(std::move(label));
    return field;
}

Rect BoundPage::EditorRect() const {
    return MakeRectFromSize(kEditorLeft, next_, kEditorWidth, kRowHeight - 3);
}

BoundField& BoundPage::AddText(std::string editorName, std::string caption, std::string property) {
    BoundField field = Labelled(BoundField::Kind::Text, std::move(caption), std::move(property));
    auto editor = std::make_unique<TextBox>(parent_, EditorRect());
    editor->SetName(std::move(editorName));
    TextBox* box = editor.get();
    BoundField& added = Add(std::move(field), std::move(editor), kRowHeight);
    box->Change = [this, &added] { MarkEdited(added); };
    return added;
}

BoundField& BoundPage::AddCheck(std::string editorName, std::string caption, std::string property) {
    auto editor = std::make_unique<CheckBox>(
        parent_, MakeRectFromSize(kMargin, next_, kLabelWidth + kEditorWidth, kRowHeight - 4),
        std::move(caption));
    editor->SetName(std::move(editorName));
    CheckBox* box = editor.get();
    BoundField& added =
        Add({BoundField::Kind::Check, std::move(property)}, std::move(editor), kRowHeight - 2);
    box->Click = [this, &added] { MarkEdited(added); };
    return added;
}

BoundField& BoundPage::AddList(std::string editorName, std::string caption, std::string property,
                               const std::vector<std::string>& items) {
    BoundField field = Labelled(BoundField::Kind::List, std::move(caption), std::move(property));
    auto editor = std::make_unique<ComboBox>(parent_, EditorRect());
    editor->SetName(std::move(editorName));
    for (const std::string& item : items)
        editor->AddItem(item);
    ComboBox* list = editor.get();
    BoundField& added = Add(std::move(field), std::move(editor), kRowHeight);
    list->Click = [this, &added] { MarkEdited(added); };
    return added;
}

BoundField& BoundPage::AddFrame(std::unique_ptr<Control> frame, std::string property) {
    const int32_t height = frame->Height() + 4;
    return Add({BoundField::Kind::Picture, std::move(property)}, std::move(frame), height);
}

BoundField* BoundPage::Field(std::string_view editorName) {
    const auto found = std::find_if(fields_.begin(), fields_.end(), [&](const BoundField& field) {
        return field.editor->Name() == editorName;
    });
    return found == fields_.end() ? nullptr : &*found;
}

std::string BoundPage::Refusal(std::string_view editorName) {
    const BoundField* field = Field(editorName);
    return field ? field->refusal->Caption() : std::string();
}

void BoundPage::MarkEdited(BoundField& field) {
    field.edited = true;
    SetChanged(true);
}

void BoundPage::Enable(BoundField& field, bool enabled) {
    field.editor->SetEnabled(enabled);
    if (field.label) field.label->SetEnabled(enabled);
}

void BoundPage::ShowRefusal(BoundField& field, const std::string& text) {
    if (field.refusal->Caption() != text) field.refusal->SetCaption(text);
}

bool BoundPage::Writable(const BoundField&) const {
    return true;
}

void BoundPage::Show(BoundField& field, const Variant& value) {
    switch (field.kind) {
        case BoundField::Kind::Text:
            static_cast<TextBox*>(field.editor)->SetText(value.ToText());
            break;
        case BoundField::Kind::Check:
            // True is -1: its lowest bit shows the box checked.
            static_cast<CheckBox*>(field.editor)->SetValue(int16_t(value.ToLong() & 1));
            break;
        case BoundField::Kind::List:
            static_cast<ComboBox*>(field.editor)->SetListIndex(value.ToLong());
            break;
        case BoundField::Kind::Picture:
            break;
    }
}

Variant BoundPage::Value(const BoundField& field) {
    switch (field.kind) {
        case BoundField::Kind::Text:
            return Variant(static_cast<TextBox*>(field.editor)->Text());
        case BoundField::Kind::Check:
            // A greyed box is not checked.
            return Variant(static_cast<CheckBox*>(field.editor)->Value() == 1);
        case BoundField::Kind::List:
            return Variant(int16_t(static_cast<ComboBox*>(field.editor)->ListIndex()));
        case BoundField::Kind::Picture:
            break;
    }
    return {};
}

void BoundPage::SelectionChanged() {
    for (BoundField& field : fields_) {
        // The first selected control that has the property fills the field.
        std::optional<Variant> value;
        for (Site* site : SelectedControls()) {
            if ((value = Read(*site, field))) break;
        }
        Enable(field, value.has_value() && Writable(field));
        if (!value) continue;
        try {
            Show(field, *value);
        } catch (const RuntimeError&) {
            // A value the field cannot show leaves the field as it was.
        }
    }
    // Filling the fields is no edit.
    for (BoundField& field : fields_) {
        field.edited = false;
        ShowRefusal(field, {});
    }
    controlsChanged_ = 0;
    SetChanged(false);
}

void BoundPage::ApplyChanges() {
    std::vector<const Site*> changed;
    bool refused = false;
    for (BoundField& field : fields_) {
        if (!field.edited || !field.editor->Enabled()) continue;
        const Variant value = Value(field);
        std::string refusal;
        for (Site* site : SelectedControls()) {
            // Probed again: the control may have lost the property since the fill.
            if (!Read(*site, field)) continue;
            try {
                Write(*site, field, value);
                if (std::find(changed.begin(), changed.end(), site) == changed.end())
                    changed.push_back(site);
            } catch (const RuntimeError& error) {
                if (refusal.empty()) refusal = error.description;
            }
        }
        ShowRefusal(field, refusal);
        field.edited = !refusal.empty();
        refused = refused || field.edited;
    }
    controlsChanged_ = static_cast<int32_t>(changed.size());
    // A refused field stays edited: Apply stays on until it is corrected.
    if (refused) SetChanged(true);
}

}  // namespace tabula
