#pragma once

#include <memory>
#include <string>
#include <vector>

#include "pages/BoundPage.h"
#include "platform/forms/PictureBox.h"
#include "services/DialogParts.h"

namespace tabula {

// One of the grid's property pages shown for the selected controls in a modal form, with
// OK, Cancel and Apply and a status line saying how many controls the last apply changed.
// OK applies and closes, unless a value was refused: then the form stays open with the
// refusal shown. Cancel, Esc and closing the form apply nothing.
class PageDialog {
public:
    enum class Kind { General, Extender };

    PageDialog(HWND owner, Kind kind, std::vector<Site*> selected);
    ~PageDialog();

    // Shows the form until it closes; true when it closed by OK.
    bool Run();

    Form& GetForm() { return dialog_.GetForm(); }
    BoundPage& Page() { return *page_; }
    PropertyPageFrame& PageFrame() { return *frame_; }
    const std::string& Status() const { return lblStatus_->Caption(); }

private:
    void Apply();

    DialogForm dialog_;
    std::unique_ptr<BoundPage> page_;
    std::unique_ptr<PropertyPageFrame> frame_;
    std::unique_ptr<CommandButton> cmdOK_, cmdCancel_, cmdApply_;
    std::unique_ptr<Label> lblStatus_;
};

}  // namespace tabula
