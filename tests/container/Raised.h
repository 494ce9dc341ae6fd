#pragma once

#include <string>

#include "tests/platform/RaisedError.h"

namespace tabula::test {

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
