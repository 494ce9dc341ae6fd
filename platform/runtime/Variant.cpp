#include "platform/runtime/Variant.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

#include "platform/runtime/Dates.h"
#include "platform/runtime/Error.h"
#include "platform/runtime/NumericText.h"
#include "platform/text/Blanks.h"
#include "platform/text/CaseFold.h"

namespace tabula {

namespace {

// "True" and "False" in any case, blanks around allowed: the Boolean texts that read as
// numbers (-1 and 0) in every conversion.
std::optional<bool> BooleanText(std::string_view text) {
    text = TrimBlanks(text);
    if (EqualsIgnoringCase(text, "True")) return true;
    if (EqualsIgnoringCase(text, "False")) return false;
    return std::nullopt;
}

double StringToDouble(const std::string& text) {
    if (const std::optional<bool> boolean = BooleanText(text)) return *boolean ? -1 : 0;
    const NumericText number = ParseNumericText(text);
    if (number.kind == NumericTextKind::Overflow) RaiseError(kErrOverflow);
    if (number.kind == NumericTextKind::NotNumeric) RaiseError(kErrTypeMismatch);
    return number.value;
}

// Rounds half to even (2.5 -> 2, 3.5 -> 4) whatever the floating-point rounding mode.
double RoundHalfEven(double value) {
    const double floor = std::floor(value);
    const double fraction = value - floor;
    if (fraction < 0.5) return floor;
    if (fraction > 0.5) return floor + 1;
    return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

template <typename Int>
Int RoundToRange(double value) {
    const double rounded = RoundHalfEven(value);
    // Written so that NaN overflows too.
    if (!(rounded >= static_cast<double>(std::numeric_limits<Int>::min()) &&
          rounded <= static_cast<double>(std::numeric_limits<Int>::max())))
        RaiseError(kErrOverflow);
    return static_cast<Int>(rounded);
}

// Up to `significant` digits, trailing zeros dropped; plain notation for exponents -4 to
// 14, otherwise "1.5E+21" / "1E-05".
std::string SignificantText(double value, int significant) {
    std::array<char, 64> buffer;
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::scientific, significant - 1);
    const std::string_view scientific(buffer.data(), result.ptr - buffer.data());
    // "-d.ddddddddddddddde+XX"
    const bool negative = scientific.front() == '-';
    const size_t e = scientific.find('e');
    std::string digits;
    for (const char c : scientific.substr(0, e))
        if (c >= '0' && c <= '9') digits.push_back(c);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    int exponent = 0;
    std::from_chars(scientific.data() + e + (scientific[e + 1] == '+' ? 2 : 1),
                    scientific.data() + scientific.size(), exponent);

    std::string out = negative ? "-" : "";
    const int count = static_cast<int>(digits.size());
    if (exponent < -4 || exponent >= 15) {
        out += digits[0];
        if (count > 1) out += '.' + digits.substr(1);
        out += exponent < 0 ? "E-" : "E+";
        const int magnitude = std::abs(exponent);
        if (magnitude < 10) out += '0';
        out += std::to_string(magnitude);
    } else if (exponent < 0) {
        out += "0." + std::string(-exponent - 1, '0') + digits;
    } else if (count <= exponent + 1) {
        out += digits + std::string(exponent + 1 - count, '0');
    } else {
        out += digits.substr(0, exponent + 1) + '.' + digits.substr(exponent + 1);
    }
    return out;
}

// 15 significant digits, as the classic runtime prints numbers. The largest Doubles round
// up past the range at 15 digits, and such a text would read back as an overflow: they
// get the 17 digits that read back as the same number.
std::string DoubleToText(double value) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";
    if (value == 0) return "0";
    const std::string text = SignificantText(value, 15);
    if (ParseNumericText(text).kind != NumericTextKind::Overflow) return text;
    return SignificantText(value, 17);
}

}  // namespace

Variant Variant::FromDate(double serial) {
    Variant v;
    v.value_ = DateValue{serial};
    return v;
}

double Variant::ToDouble() const {
    switch (Type()) {
        case VariantType::Empty:
            return 0;
        case VariantType::Boolean:
            return std::get<bool>(value_) ? -1 : 0;
        case VariantType::Integer:
            return std::get<int16_t>(value_);
        case VariantType::Long:
            return std::get<int32_t>(value_);
        case VariantType::Double:
            return std::get<double>(value_);
        case VariantType::String:
            return StringToDouble(std::get<std::string>(value_));
        case VariantType::Date:
            return std::get<DateValue>(value_).serial;
        case VariantType::Object:
            break;
    }
    RaiseError(kErrTypeMismatch);
}

int16_t Variant::ToInteger() const {
    switch (Type()) {
        case VariantType::Boolean:
            return std::get<bool>(value_) ? -1 : 0;
        case VariantType::Integer:
            return std::get<int16_t>(value_);
        default:
            return RoundToRange<int16_t>(ToDouble());
    }
}

int32_t Variant::ToLong() const {
    switch (Type()) {
        case VariantType::Boolean:
            return std::get<bool>(value_) ? -1 : 0;
        case VariantType::Integer:
            return std::get<int16_t>(value_);
        case VariantType::Long:
            return std::get<int32_t>(value_);
        default:
            return RoundToRange<int32_t>(ToDouble());
    }
}

bool Variant::ToBoolean() const {
    if (Type() == VariantType::Boolean) return std::get<bool>(value_);
    return ToDouble() != 0;
}

std::string Variant::ToText() const {
    switch (Type()) {
        case VariantType::Empty:
            return {};
        case VariantType::Boolean:
            return std::get<bool>(value_) ? "True" : "False";
        case VariantType::Integer:
            return std::to_string(std::get<int16_t>(value_));
        case VariantType::Long:
            return std::to_string(std::get<int32_t>(value_));
        case VariantType::Double:
            return DoubleToText(std::get<double>(value_));
        case VariantType::String:
            return std::get<std::string>(value_);
        case VariantType::Date:
            return FormatGeneralDate(std::get<DateValue>(value_).serial);
        case VariantType::Object:
            break;
    }
    RaiseError(kErrTypeMismatch);
}

std::shared_ptr<AutomationObject> Variant::ToObject() const {
    if (Type() != VariantType::Object) RaiseError(kErrObjectRequired);
    return std::get<std::shared_ptr<AutomationObject>>(value_);
}

bool IsNumeric(const Variant& value) {
    switch (value.Type()) {
        case VariantType::Empty:
        case VariantType::Boolean:
        case VariantType::Integer:
        case VariantType::Long:
        case VariantType::Double:
            return true;
        case VariantType::String:
            return ParseNumericText(value.ToText()).kind != NumericTextKind::NotNumeric;
        case VariantType::Date:
        case VariantType::Object:
            return false;
    }
    return false;
}

bool VariantEquals(const Variant& a, const Variant& b) {
    const auto isNumber = [](VariantType t) {
        return t == VariantType::Boolean || t == VariantType::Integer || t == VariantType::Long ||
               t == VariantType::Double || t == VariantType::Date;
    };
    const VariantType ta = a.Type();
    const VariantType tb = b.Type();
    if (ta == VariantType::Empty && tb == VariantType::Empty) return true;
    if (ta == VariantType::Object || tb == VariantType::Object) {
        if (ta != tb) return false;
        return std::get<std::shared_ptr<AutomationObject>>(a.value_) ==
               std::get<std::shared_ptr<AutomationObject>>(b.value_);
    }
    const bool stringA = ta == VariantType::String;
    const bool stringB = tb == VariantType::String;
    if (stringA || stringB) {
        // Empty stands in for "" beside a string; a number never equals a string.
        if (isNumber(ta) || isNumber(tb)) return false;
        return a.ToText() == b.ToText();
    }
    // Both are numbers, or Empty (reading as 0) beside a number. No conversion here can
    // raise, and NaN equals nothing.
    return a.ToDouble() == b.ToDouble();
}

}  // namespace tabula
