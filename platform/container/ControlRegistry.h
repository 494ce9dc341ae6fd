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

    // Registers or replaces the factory for `typeName`. `baseName` is what a container
    // names a new control of the type after ("Command" gives "Command1"); without one, the
    // type name's last part ("Grid" of "Tabula.Grid").
    void Register(std::string_view typeName, Factory factory, std::string_view baseName = {});
    bool Knows(std::string_view typeName) const;
    // Error 429 for a type nobody registered, or a factory that made nothing.
    std::unique_ptr<Control> Create(std::string_view typeName, HWND parent) const;
    // The name new controls of the type are named after ("" for an unknown type).
    std::string BaseName(std::string_view typeName) const;

private:
    struct Entry {
        Factory factory;
        std::string baseName;
    };
    std::unordered_map<std::string, Entry> factories_;  // by folded type name
};

}  // namespace tabula
