#include <gtest/gtest.h>

#include "platform/runtime/Error.h"
#include "platform/runtime/ProgramName.h"

namespace tabula {
namespace {

TEST(RuntimeError, StandardDescriptions) {
    const std::pair<int32_t, const char*> cases[] = {
        {kErrInvalidCall, "Invalid procedure call or argument"},
        {kErrOverflow, "Overflow"},
        {kErrOutOfMemory, "Out of memory"},
        {kErrSubscriptOutOfRange, "Subscript out of range"},
        {kErrDivisionByZero, "Division by zero"},
        {kErrTypeMismatch, "Type mismatch"},
        {kErrObjectNotSet, "Object variable or With block variable not set"},
        {kErrInvalidPropertyValue, "Invalid property value"},
        {kErrObjectRequired, "Object required"},
        {kErrNotSupported, "Object doesn't support this property or method"},
        {kErrArgumentNotOptional, "Argument not optional"},
        {kErrWrongArguments, "Wrong number of arguments or invalid property assignment"},
        {kErrDuplicateKey, "This key is already associated with an element of this collection"},
    };
    for (const auto& [number, text] : cases)
        EXPECT_EQ(StandardErrorDescription(number), text);
    for (int32_t other : {0, 8, 30000, -1})
        EXPECT_EQ(StandardErrorDescription(other), "Application-defined or object-defined error");
    EXPECT_EQ(kErrInvalidCall, 5);
    EXPECT_EQ(kErrTypeMismatch, 13);
    EXPECT_EQ(kErrDuplicateKey, 457);
}

TEST(RuntimeError, RaiseFillsInTheDefaults) {
    try {
        RaiseError(kErrSubscriptOutOfRange);
        FAIL() << "RaiseError returned";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number, 9);
        EXPECT_EQ(e.description, "Subscript out of range");
        EXPECT_STREQ(e.what(), "Subscript out of range");
        EXPECT_EQ(e.source, ProgramName());
    }
    try {
        RaiseError(30001, "Tabula.Grid", "Row is locked");
    } catch (const std::exception& e) {
        const auto& error = dynamic_cast<const RuntimeError&>(e);
        EXPECT_EQ(error.number, 30001);
        EXPECT_EQ(error.source, "Tabula.Grid");
        EXPECT_STREQ(e.what(), "Row is locked");
    }
}

TEST(ProgramName, IsTheExecutablesBareNameWithoutDirectoryOrExtension) {
#ifdef __linux__
    EXPECT_EQ(ProgramName(), "tabula_platform_tests");
#endif
    const std::pair<const char*, const char*> cases[] = {
        {"/usr/bin/tabula-demo", "tabula-demo"},
        {"/opt/app.v2/bin/viewer", "viewer"},  // a dot in a directory is no extension
        {"C:\\Apps\\Grid.exe", "Grid"},
        {"/tmp/archive.tar.gz", "archive.tar"},
        {"/home/u/.hidden", ".hidden"},
        {"/build/bin/tabula-script (deleted)", "tabula-script"},
        {"", "Tabula"},
        {"/usr/bin/", "Tabula"},
    };
    for (const auto& [path, name] : cases)
        EXPECT_EQ(ProgramNameFromPath(path), name) << path;
}

}  // namespace
}  // namespace tabula
