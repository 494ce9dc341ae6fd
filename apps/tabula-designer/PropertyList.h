#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/container/Site.h"
#include "platform/forms/Label.h"
#include "platform/forms/ListBox.h"
#include "platform/forms/PictureBox.h"
#include "platform/forms/TextBox.h"

namespace tabula {

// Every property of one control, one "Name = value" line each: the control's own
// automation properties that read without arguments, then the extender's that the
// control does not have itself. Picking a line puts its value in the box below; Enter
// there (or Set) writes the box's text to the property, and the control converts and
// checks it as a script's write would.
class PropertyList {
public:
    PropertyList(HWND parent, const Rect& rect);

    // Shows `site`'s properties; null shows none.
    void Show(Site* site);
    // Reads every value again.
    void Reload();
    // Writes `text` to the property called `name`; raises what the control raises.
    void Set(const std::string& name, const std::string& text);

    const std::vector<std::string>& Lines() const { return lines_; }
    ListBox& List() { return list_; }
    TextBox& ValueBox() { return value_; }
    CommandButton& SetButton() { return set_; }

    // Before a write, and after it with "property: Grid1.Rows = 5" or the refusal.
    std::function<void()> BeforeChange;
    std::function<void(const std::string&)> Changed;

private:
    struct Entry {
        std::string name;
        bool extender = false;
    };
    std::string Read(const Entry& entry) const;
    void Pick();
    void Commit();

    Label caption_;
    ListBox list_;
    TextBox value_;
    CommandButton set_;
    Site* site_ = nullptr;
    std::vector<Entry> entries_;
    std::vector<std::string> lines_;
};

}  // namespace tabula
