// Dates and Variants read back what they print. Input: a first byte, then with an odd
// first byte a text, read as a date in both orders and as a Variant's number; with an even
// one eight bytes of a Double (low first) and four of a Long, printed and read back.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz/FuzzInput.h"
#include "platform/runtime/Dates.h"
#include "platform/runtime/Error.h"
#include "platform/runtime/Variant.h"

using namespace tabula;

namespace {

[[noreturn]] void Finding(const std::string& what, std::string_view text, double value) {
    char number[32];
    std::snprintf(number, sizeof number, "%.17g", value);
    fuzz::Finding(what + ": \"" + std::string(text) + "\" / " + number);
}

// Every layout the recognizer reads, with the orders that read it.
struct Layout {
    const char* pattern;
    bool monthFirst;
    bool dayFirst;
};
constexpr Layout kLayouts[] = {
    {"m/d/yyyy", true, false},   {"mm-dd-yyyy", true, false}, {"d.m.yyyy", false, true},
    {"dd/mm/yyyy", false, true}, {"yyyy-mm-dd", true, true},  {"mmmm d, yyyy", true, true},
    {"d mmm yyyy", true, true},
};

// The day `serial` falls on, printed in every layout, reads back as that day.
void ExpectDayReadsBack(double serial) {
    CivilDate civil;
    try {
        civil = DateFromSerial(serial);
    } catch (const RuntimeError&) {
        return;  // outside years 100-9999
    }
    const double day = DateSerial(civil.year, civil.month, civil.day);
    for (const Layout& layout : kLayouts) {
        const std::string text = FormatDate(serial, layout.pattern);
        const std::pair<bool, DateOrder> orders[] = {{layout.monthFirst, DateOrder::MonthFirst},
                                                     {layout.dayFirst, DateOrder::DayFirst}};
        // A year before 1000 prints with fewer than four digits, and then only the
        // recognizer's year-first shape, which takes four, cannot read it.
        const bool yearFirst = layout.pattern[0] == 'y';
        for (const auto& [reads, order] : orders) {
            if (!reads || (yearFirst && civil.year < 1000)) continue;
            const std::optional<double> back = RecognizeDate(text, order);
            if (!back || *back != day) Finding("a printed date reads back otherwise", text, serial);
        }
    }
    // A Date variant of a whole day prints alone; day 0 prints as a time.
    if (day != 0) {
        const std::string text = Variant::FromDate(day).ToText();
        const std::optional<double> back = RecognizeDate(text, DateOrder::MonthFirst);
        if (!back || *back != day) Finding("a Date variant reads back otherwise", text, day);
    }
}

// A number's text reads back as the same number, to the 15 digits it is printed with,
// and prints as the same text again.
void ExpectNumberReadsBack(double value) {
    if (!std::isfinite(value)) return;
    const std::string text = Variant(value).ToText();
    double back = 0;
    try {
        back = Variant(text).ToDouble();
    } catch (const RuntimeError& error) {
        Finding(error.description, text, value);
    }
    if (std::fabs(back - value) > 1e-14 * std::fabs(value))
        Finding("a printed number reads back otherwise", text, value);
    if (Variant(back).ToText() != text)
        Finding("a number prints otherwise when read back", text, back);
}

void ExpectLongReadsBack(int32_t value) {
    const std::string text = Variant(value).ToText();
    try {
        if (Variant(text).ToLong() != value) Finding("a Long reads back otherwise", text, value);
        const auto small = static_cast<int16_t>(value);
        if (Variant(Variant(small).ToText()).ToInteger() != small)
            Finding("an Integer reads back otherwise", text, small);
    } catch (const RuntimeError& error) {
        Finding(error.description, text, value);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FuzzInput in(data, size);
    if (in.Byte() & 1) {
        const std::string_view text = in.Rest();
        for (const DateOrder order : {DateOrder::MonthFirst, DateOrder::DayFirst}) {
            const std::optional<double> serial = RecognizeDate(text, order);
            if (!serial) continue;
            if (*serial != std::floor(*serial) || *serial < kMinDateSerial ||
                *serial > kMaxDateSerial)
                Finding("a recognized date is no day of years 100-9999", text, *serial);
            ExpectDayReadsBack(*serial);
        }
        // Text a Variant reads as a number prints and reads back as that number.
        try {
            ExpectNumberReadsBack(Variant(text).ToDouble());
        } catch (const RuntimeError&) {
        }
        return 0;
    }
    const std::string_view bytes = in.Take(8);
    double value = 0;
    std::memcpy(&value, bytes.data(), bytes.size());
    ExpectNumberReadsBack(value);
    ExpectLongReadsBack(in.Int32());
    if (value >= kMinDateSerial && value < kMaxDateSerial + 1) ExpectDayReadsBack(value);
    return 0;
}
