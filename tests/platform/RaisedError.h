#pragma once

#include <cstdint>

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

}  // namespace tabula::test
