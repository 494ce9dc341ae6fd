#pragma once

#include <memory>

#include "pages/BoundPage.h"
#include "platform/container/Picture.h"
#include "platform/forms/Frame.h"
#include "platform/forms/Image.h"
#include "platform/forms/PictureBox.h"

namespace tabula {

// The "Extender" page: the properties the form adds to every control it holds (name,
// position, size, tab order, help ids, drag behaviour, tag, tool tip), read and written
// through the selected controls' extenders. A property the host does not offer, or that
// cannot be read, disables its field; an empty Tag or ToolTipText is an ordinary value.
//
// Index shows empty for a negative value, and writes -1 for a text that is not a number
// of 0 or more. Name applies to one control only: with several selected its field is
// disabled, so two controls never end up with one name.
class ExtenderPage final : public BoundPage {
public:
    static constexpr const char* kIconFilter =
        "Icons (*.ico;*.cur)|*.ico;*.cur|All Files (*.*)|*.*";

    explicit ExtenderPage(HWND parent);
    ~ExtenderPage() override;

    // The drag icon the page shows (and writes when DragIcon was edited); null for none.
    const PicturePtr& DragIcon() const { return dragIcon_; }

protected:
    std::optional<Variant> Read(Site& site, const BoundField& field) override;
    void Write(Site& site, const BoundField& field, const Variant& value) override;
    void Show(BoundField& field, const Variant& value) override;
    Variant Value(const BoundField& field) override;
    bool Writable(const BoundField& field) const override;

private:
    // Asks for an icon file through the open dialog and shows it; a cancel or a file that
    // is no picture changes nothing.
    void ChangeDragIcon();
    void DeleteDragIcon();
    void SetDragIcon(PicturePtr icon);

    BoundField* dragIconField_ = nullptr;
    PicturePtr dragIcon_;
    // Inside the frame fraDragIcon.
    std::unique_ptr<Image> imgDragIcon_;
    std::unique_ptr<CommandButton> cmdDragIconChange_, cmdDragIconDelete_;
};

}  // namespace tabula
