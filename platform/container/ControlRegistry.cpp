#include "platform/container/ControlRegistry.h"

#include "platform/runtime/Error.h"
#include "platform/text/CaseFold.h"

namespace tabula {

void ControlRegistry::Register(std::string_view typeName, Factory factory,
                               std::string_view baseName) {
    if (typeName.empty() || !factory) {
        RaiseError(kErrInvalidCall, {}, "A control type needs a name and a factory");
    }
    if (baseName.empty()) baseName = typeName.substr(typeName.find_last_of('.') + 1);
    factories_[FoldCase(typeName)] = Entry{std::move(factory), std::string(baseName)};
}

std::string ControlRegistry::BaseName(std::string_view typeName) const {
    const auto found = factories_.find(FoldCase(typeName));
    return found == factories_.end() ? std::string() : found->second.baseName;
}

bool ControlRegistry::Knows(std::string_view typeName) const {
    return factories_.contains(FoldCase(typeName));
}

std::unique_ptr<Control> ControlRegistry::Create(std::string_view typeName, HWND parent) const {
    const auto found = factories_.find(FoldCase(typeName));
    if (found == factories_.end()) {
        RaiseError(kErrCannotCreateObject, {},
                   "Cannot create a control of type \"" + std::string(typeName) +
                       "\": no such control type is registered");
    }
    std::unique_ptr<Control> control = found->second.factory(parent);
    if (!control) {
        RaiseError(kErrCannotCreateObject, {},
                   "Cannot create a control of type \"" + std::string(typeName) + "\"");
    }
    return control;
}

}  // namespace tabula
