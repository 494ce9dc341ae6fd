#pragma once

// The services' own errors: numbers from 1001 up are raised OR 0x80040000, with the source
// "<program>.WindowProc" and the service's text; lower numbers are the runtime's and are
// raised as they are.

#include <cstdint>
#include <string>

#include "platform/runtime/Error.h"
#include "platform/runtime/ProgramName.h"

namespace tabula {

constexpr uint32_t kServiceErrorBit = 0x80040000u;

[[noreturn]] inline void RaiseServiceError(int32_t number, std::string description) {
    if (number < 1001) RaiseError(number);
    RaiseError(static_cast<int32_t>(kServiceErrorBit | static_cast<uint32_t>(number)),
               ProgramName() + ".WindowProc", std::move(description));
}

}  // namespace tabula
