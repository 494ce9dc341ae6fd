// FormatString and AutoSetup on a small grid. Input: rows, cols, flags (bit 0 row header,
// bit 1 column header, bit 2 the text also goes to FormatString first), then the text.

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/FuzzGrid.h"
#include "fuzz/FuzzInput.h"
#include "platform/runtime/Error.h"

using namespace tabula;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FuzzInput in(data, size);
    const int32_t rows = in.Range(0, 40);
    const int32_t cols = in.Range(0, 40);
    const uint8_t flags = in.Byte();
    const std::string text(in.Rest());

    fuzz::FuzzGrid g;
    if (flags & 4) {
        try {
            g.grid.SetFormatString(text);
        } catch (const RuntimeError&) {
        }
        fuzz::ExpectConsistent(g.grid, "FormatString");
    }
    try {
        g.grid.AutoSetup(rows, cols, flags & 1, flags & 2, text);
    } catch (const RuntimeError&) {
    }
    fuzz::ExpectConsistent(g.grid, "AutoSetup");
    return 0;
}
