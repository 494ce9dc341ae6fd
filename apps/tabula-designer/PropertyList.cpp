#include "apps/tabula-designer/PropertyList.h"

#include "platform/runtime/Dispatch.h"
#include "platform/runtime/Error.h"
#include "platform/window/VirtualKeys.h"

namespace tabula {

namespace {

const DispatchTable* MembersOf(const Site& site) {
    const auto* object = dynamic_cast<const Dispatchable*>(&site.GetControl());
    return object ? &object->Members() : nullptr;
}

// A property a list can show: readable without arguments and not hidden.
bool Listed(const MemberInfo& member) {
    return (member.kinds & kInvokeGet) && !(member.kinds & kInvokeMethod) &&
           member.parameters.empty() && !(member.flags & kMemberHidden);
}

}  // namespace

PropertyList::PropertyList(HWND parent, const Rect& r)
    : caption_(parent, MakeRectFromSize(r.left, r.top, r.Width(), 16), "Properties"),
      list_(parent, Rect{r.left, r.top + 18, r.right, r.bottom - 30}),
      value_(parent, Rect{r.left, r.bottom - 26, r.right - 56, r.bottom}),
      set_(parent, Rect{r.right - 52, r.bottom - 26, r.right, r.bottom}, "Set") {
    list_.SetName("lstProperties");
    value_.SetName("txtValue");
    set_.SetName("cmdSet");
    list_.Click = [this] { Pick(); };
    set_.Click = [this] { Commit(); };
    value_.KeyDown = [this](int16_t& keyCode, int16_t) {
        if (keyCode != VK_RETURN) return;
        keyCode = 0;
        Commit();
    };
}

std::string PropertyList::Read(const Entry& entry) const {
    try {
        Variant value;
        if (entry.extender) {
            value = site_->GetExtender().Get(entry.name);
        } else {
            std::vector<Variant> none;
            value = Invoke(*MembersOf(*site_), entry.name, kInvokeGet, none);
        }
        if (value.Type() == VariantType::Object) return value.ToObject() ? "(object)" : "(nothing)";
        return value.ToText();
    } catch (const RuntimeError& error) {
        return "(error " + std::to_string(error.number) + ")";
    }
}

void PropertyList::Show(Site* site) {
    site_ = site;
    entries_.clear();
    if (site_) {
        if (const DispatchTable* members = MembersOf(*site_)) {
            for (const MemberInfo& member : members->Members()) {
                if (Listed(member)) entries_.push_back({member.name});
            }
        }
        const DispatchTable* members = MembersOf(*site_);
        for (int i = 0; i < kExtenderPropertyCount; ++i) {
            const auto property = static_cast<ExtenderProperty>(i);
            const std::string name(ExtenderPropertyName(property));
            if (!site_->GetExtender().Supports(property)) continue;
            if (members && members->Find(name)) continue;
            entries_.push_back({name, true});
        }
    }
    Reload();
}

void PropertyList::Reload() {
    const int32_t picked = list_.ListIndex();
    lines_.clear();
    for (const Entry& entry : entries_)
        lines_.push_back(entry.name + " = " + Read(entry));
    list_.SetItems(lines_);
    if (picked >= 0 && picked < list_.ListCount()) list_.SetListIndex(picked);
}

void PropertyList::Pick() {
    const int32_t index = list_.ListIndex();
    if (!site_ || index < 0 || index >= static_cast<int32_t>(entries_.size())) return;
    value_.SetText(Read(entries_[index]));
}

void PropertyList::Set(const std::string& name, const std::string& text) {
    for (const Entry& entry : entries_) {
        if (entry.name != name) continue;
        if (entry.extender) {
            site_->GetExtender().Let(name, Variant(text));
        } else {
            std::vector<Variant> args{Variant(text)};
            Invoke(*MembersOf(*site_), name, kInvokeLet, args);
        }
        return;
    }
    RaiseError(kErrNotSupported);
}

void PropertyList::Commit() {
    const int32_t index = list_.ListIndex();
    if (!site_ || index < 0 || index >= static_cast<int32_t>(entries_.size())) return;
    const std::string name = entries_[index].name;
    const std::string text = value_.Text();
    if (BeforeChange) BeforeChange();
    std::string line;
    try {
        Set(name, text);
        line = "property: " + site_->DisplayName() + "." + name + " = " + text;
    } catch (const RuntimeError& error) {
        line = "refused: " + site_->DisplayName() + "." + name + ": " + error.description;
    }
    Reload();
    if (Changed) Changed(line);
}

}  // namespace tabula
