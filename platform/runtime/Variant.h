#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <variant>

#include "platform/runtime/AutomationObject.h"

namespace tabula {

// In the order of Variant's alternatives.
enum class VariantType { Empty, Boolean, Integer, Long, Double, String, Date, Object };

// The value automation passes around: Integer is 16-bit, Long 32-bit, strings are UTF-8,
// a Date is an OLE date serial (see Dates.h) and an Object may be null ("Nothing").
// The conversions raise RuntimeError as the classic runtime does: 13 (type mismatch)
// for values that cannot be read as the target, 6 (overflow) for values out of its range.
class Variant {
public:
    Variant() = default;
    Variant(bool value) : value_(value) {}
    Variant(int16_t value) : value_(value) {}
    Variant(int32_t value) : value_(value) {}
    Variant(double value) : value_(value) {}
    Variant(std::string value) : value_(std::move(value)) {}
    Variant(std::string_view value) : value_(std::string(value)) {}
    Variant(const char* value) : value_(std::string(value)) {}
    Variant(std::shared_ptr<AutomationObject> value) : value_(std::move(value)) {}
    // Other pointers would silently become Booleans.
    Variant(const void*) = delete;

    static Variant FromBoolean(bool value) { return Variant(value); }
    static Variant FromInteger(int16_t value) { return Variant(value); }
    static Variant FromLong(int32_t value) { return Variant(value); }
    static Variant FromDouble(double value) { return Variant(value); }
    static Variant FromString(std::string value) { return Variant(std::move(value)); }
    static Variant FromDate(double serial);
    static Variant FromObject(std::shared_ptr<AutomationObject> value) {
        return Variant(std::move(value));
    }

    VariantType Type() const { return static_cast<VariantType>(value_.index()); }
    bool IsEmpty() const { return Type() == VariantType::Empty; }

    // Empty reads as 0, "" or False; Boolean True as -1; numbers round half to even;
    // strings are trimmed and read as numeric text (NumericText.h) or "True"/"False" in
    // any case; a Date is its serial.
    int16_t ToInteger() const;
    int32_t ToLong() const;
    double ToDouble() const;
    // Non-zero numbers are True.
    bool ToBoolean() const;
    // "True"/"False", decimal numbers, Doubles with up to 15 significant digits ("0.1",
    // "1E+21"), dates as "7/4/2001" (with " 3:05:09 PM" when they have a time).
    std::string ToText() const;
    // The object held, possibly null; error 424 (object required) for any other type.
    std::shared_ptr<AutomationObject> ToObject() const;

private:
    struct DateValue {
        double serial = 0;
    };

    std::variant<std::monostate, bool, int16_t, int32_t, double, std::string, DateValue,
                 std::shared_ptr<AutomationObject>>
        value_;

    friend bool VariantEquals(const Variant& a, const Variant& b);
};

// True for Empty, Boolean and numbers, and for strings that hold numeric text
// (" 12 ", "&H1F"; not "", "True" or "12abc"). Dates and objects are not numeric.
bool IsNumeric(const Variant& value);

// Equality as lookup lists match values: numbers (Boolean and Date included) compare by
// value, strings exactly (case matters), Empty equals Empty, 0 and "", a number never
// equals a string, and objects are equal only when they are the same object. Never raises.
bool VariantEquals(const Variant& a, const Variant& b);

}  // namespace tabula
