#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/forms/Control.h"

namespace tabula {

// The classic runtime's error for a control type that cannot be made.
constexpr int32_t kErrCannotCreateObject = 429;

// The kinds of control a container can make, by type name (compared without regard to
// case), so that a loaded form file becomes real controls.
class ControlRegistry {
public:
    // Makes a control as a child window of `parent`; the container positions it.
    using Factory = std::function<std::unique_ptr<Control>(HWND parent)>;

    // Registers or replaces the factory for `typeName`.
    void Register(std::string_view typeName, Factory factory);
    bool Knows(std::string_view typeName) const;
    // Error 429 for a type nobody registered, or a factory that made nothing.
    std::unique_ptr<Control> Create(std::string_view typeName, HWND parent) const;

private:
    std::unordered_map<std::string, Factory> factories_;  // by folded type name
};

}  // namespace tabula
