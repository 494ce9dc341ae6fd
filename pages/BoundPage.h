#pragma once

// What the grid's two property pages share: fields laid out one per row, each bound to
// one property of the selected controls, filled when the selection changes and written
// back on apply.
//
// Selection changed:
//   each field   -> the first selected control that has its property: the field shows
//                   its value, enabled; no control has it: the field and its label are
//                   disabled
//   then         -> every field unedited, no refusal shown, Changed cleared
// Field edited (a text's Change, a check box's or list's Click):
//   the field is marked edited and Changed set; nothing is checked while editing
// Apply changes:
//   each edited field -> written to every selected control that has its property; a
//                        control that refuses the value keeps its own, the refusal shows
//                        next to the field and the field stays edited (Changed is set
//                        again); the other fields and controls still apply
//   then              -> the status says how many controls changed
// Fields nobody edited are never written, so a field whose fill failed never writes a
// stale value over the real one.

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/container/PropertyPageFrame.h"
#include "platform/forms/CheckBox.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/Label.h"
#include "platform/forms/TextBox.h"
#include "platform/runtime/Variant.h"

namespace tabula {

class Site;

// One field of a page: the control that edits a property, its label, and where a refused
// value is reported.
struct BoundField {
    enum class Kind { Text, Check, List, Picture };

    Kind kind = Kind::Text;
    std::string property;
    // The control the user edits: TextBox, CheckBox or ComboBox; for a picture, the frame
    // that holds it.
    Control* editor = nullptr;
    // Disabled together with the editor; null when the editor carries its own caption.
    Label* label = nullptr;
    // Empty unless the last apply was refused.
    Label* refusal = nullptr;
    bool edited = false;
};

class BoundPage : public PropertyPage {
public:
    // The page's fields are child windows of `parent`, laid out from its top-left corner.
    explicit BoundPage(HWND parent);
    ~BoundPage() override;

    void SelectionChanged() final;
    void ApplyChanges() final;

    // The field whose editor has this name ("txtRows"), or null.
    BoundField* Field(std::string_view editorName);
    // The refusal shown next to a field; empty when there is none.
    std::string Refusal(std::string_view editorName);
    // How many selected controls took at least one value in the last apply.
    int32_t ControlsChanged() const { return controlsChanged_; }
    // The height the fields take.
    int32_t Height() const { return next_; }

protected:
    // The property of `site` a field edits; nullopt when the control has no such property
    // or it cannot be read.
    virtual std::optional<Variant> Read(Site& site, const BoundField& field) = 0;
    // Writes `value` to the property; raises what the control raises.
    virtual void Write(Site& site, const BoundField& field, const Variant& value) = 0;
    // Puts a value read from a control into the field; raises when it cannot be shown.
    virtual void Show(BoundField& field, const Variant& value);
    // The value an edited field writes.
    virtual Variant Value(const BoundField& field);
    // Whether a field can be applied to the present selection at all.
    virtual bool Writable(const BoundField& field) const;

    // Fields in the order they are filled and applied.
    BoundField& AddText(std::string editorName, std::string caption, std::string property);
    BoundField& AddCheck(std::string editorName, std::string caption, std::string property);
    BoundField& AddList(std::string editorName, std::string caption, std::string property,
                        const std::vector<std::string>& items);
    // A field edited by controls of the page's own inside `frame`, which the page made at
    // FrameRect(height).
    BoundField& AddFrame(std::unique_ptr<Control> frame, std::string property);
    Rect FrameRect(int32_t height) const;
    HWND Parent() const { return parent_; }

    // The user edited a field.
    void MarkEdited(BoundField& field);

private:
    BoundField& Add(BoundField field, std::unique_ptr<Control> editor, int32_t height);
    // A field with its label, named "lbl" and the property, on the next row.
    BoundField Labelled(BoundField::Kind kind, std::string caption, std::string property);
    Rect EditorRect() const;
    void ShowRefusal(BoundField& field, const std::string& text);
    void Enable(BoundField& field, bool enabled);

    HWND parent_;
    std::vector<std::unique_ptr<Control>> controls_;
    // A deque, so the fields' handlers can hold on to them.
    std::deque<BoundField> fields_;
    int32_t next_ = 8;
    int32_t controlsChanged_ = 0;
};

}  // namespace tabula
