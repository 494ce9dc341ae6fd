#pragma once

// What a call raises: the RuntimeError's number, or its description.

#include <cstdint>
#include <string>

#include "platform/runtime/Error.h"

namespace tabula::test {

// The number of the RuntimeError that `call` raises, or 0 when it returns normally.
template <typename Call>
int32_t RaisedError(Call&& call) {
    try {
        call();
    } catch (const RuntimeError& error) {
        return error.number;
    }
    return 0;
}

// The description of the RuntimeError that `call` raises, or "(nothing raised)".
template <typename Call>
std::string RaisedDescription(Call&& call) {
    try {
        call();
    } catch (const RuntimeError& error) {
        return error.description;
    }
    return "(nothing raised)";
}

}  // namespace tabula::test
