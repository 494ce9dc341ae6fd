#include "platform/runtime/Error.h"

#include "platform/runtime/ProgramName.h"

namespace tabula {

std::string StandardErrorDescription(int32_t number) {
    switch (number) {
        case kErrInvalidCall:
            return "Invalid procedure call or argument";
        case kErrOverflow:
            return "Overflow";
        case kErrOutOfMemory:
            return "Out of memory";
        case kErrSubscriptOutOfRange:
            return "Subscript out of range";
        case kErrDivisionByZero:
            return "Division by zero";
        case kErrTypeMismatch:
            return "Type mismatch";
        case kErrFileNotFound:
            return "File not found";
        case kErrPathFileAccess:
            return "Path/File access error";
        case kErrObjectNotSet:
            return "Object variable or With block variable not set";
        case kErrInvalidPropertyValue:
            return "Invalid property value";
        case kErrObjectRequired:
            return "Object required";
        case kErrNotSupported:
            return "Object doesn't support this property or method";
        case kErrArgumentNotOptional:
            return "Argument not optional";
        case kErrWrongArguments:
            return "Wrong number of arguments or invalid property assignment";
        case kErrDuplicateKey:
            return "This key is already associated with an element of this collection";
        case kErrInvalidPicture:
            return "Invalid picture";
        default:
            return "Application-defined or object-defined error";
    }
}

void RaiseError(int32_t number, std::string source, std::string description) {
    if (description.empty()) description = StandardErrorDescription(number);
    if (source.empty()) source = ProgramName();
    throw RuntimeError(number, std::move(source), std::move(description));
}

}  // namespace tabula
