#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <utility>

namespace tabula {

// The classic runtime's error numbers that Tabula raises or traps.
constexpr int32_t kErrInvalidCall = 5;
constexpr int32_t kErrOverflow = 6;
constexpr int32_t kErrOutOfMemory = 7;
constexpr int32_t kErrSubscriptOutOfRange = 9;
constexpr int32_t kErrDivisionByZero = 11;
constexpr int32_t kErrTypeMismatch = 13;
constexpr int32_t kErrFileNotFound = 53;
constexpr int32_t kErrPathFileAccess = 75;
constexpr int32_t kErrObjectNotSet = 91;
constexpr int32_t kErrInvalidPropertyValue = 380;
constexpr int32_t kErrObjectRequired = 424;
constexpr int32_t kErrNotSupported = 438;
constexpr int32_t kErrArgumentNotOptional = 449;
constexpr int32_t kErrWrongArguments = 450;
constexpr int32_t kErrDuplicateKey = 457;
constexpr int32_t kErrInvalidPicture = 481;

// A raised error as scripts and callers see it. The fields are taken as given; RaiseError
// is the place that fills in the defaults.
struct RuntimeError : std::exception {
    RuntimeError(int32_t number, std::string source, std::string description)
        : number(number), source(std::move(source)), description(std::move(description)) {}

    const char* what() const noexcept override { return description.c_str(); }

    int32_t number = 0;
    std::string source;
    std::string description;
};

// The runtime's own text for `number`; numbers it does not know get the generic text
// that user-defined errors carry.
std::string StandardErrorDescription(int32_t number);

// Throws RuntimeError. An empty description becomes the standard text for the number and
// an empty source becomes the program's name, as the classic runtime reports them.
[[noreturn]] void RaiseError(int32_t number, std::string source = {}, std::string description = {});

}  // namespace tabula
