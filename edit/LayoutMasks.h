#pragma once

// The keystroke masks of social-security-number, telephone, US ZIP and international
// postal-code columns. Each key is handled as if typed at the end of the text, and the key
// comes back as 0: the mask has placed it, or refused it.
//
// SSN, phone and postal code share one placement: a layout string in which "&" is one
// character position and every other character a literal the mask inserts by itself, as
// soon as the position before it is filled ("123" becomes "123-" under "&&&-&&-&&&&").
// The ZIP mask is written out by hand.

#include <cstdint>
#include <string>
#include <string_view>

namespace tabula {

enum SSNMaskType : int32_t { SetSSNMask = -1, UnSetSSNMask = 0 };
enum ZipMaskType : int32_t { SetOnlyFive = -1, SetZipPlus4 = 0 };
enum IntlZipType : int32_t { SetIntlZipMask = -1, UnSetIntlZipMask = 0 };

// Nine digits, "&&&-&&-&&&&" with the mask set, "&&&&&&&&&" without.
class clsSSN {
public:
    int32_t SSNMask() const { return ssnMask_ ? -1 : 0; }
    void SetSSNMask(int32_t value);

    // Digits are placed; Backspace (8) takes a trailing hyphen with the digit before it;
    // every other key leaves the text as it is.
    std::string Mask(int16_t& keyAscii, std::string_view text) const;

private:
    bool ssnMask_ = false;
    std::u32string layout_ = U"&&&&&&&&&";
};

// A telephone number in the layout PhoneFormat (the grid sets "&&&-&&&-&&&&"). The
// upper-case X marks an extension; "(", ")", " ", "-" and "X" are separators, so the
// next placement drops a typed X again.
class clsPhone {
public:
    const std::string& PhoneFormat() const { return phoneFormat_; }
    void SetPhoneFormat(std::string_view format);

    // Kept for callers; the mask itself does not look at them.
    bool UseArea() const { return useArea_; }
    void SetUseArea(bool on) { useArea_ = on; }
    bool UsePars() const { return usePars_; }
    void SetUsePars(bool on) { usePars_ = on; }
    bool UseSpc() const { return useSpc_; }
    void SetUseSpc(bool on) { useSpc_ = on; }
    bool UseDash() const { return useDash_; }
    void SetUseDash(bool on) { useDash_ = on; }
    bool UseExt() const { return useExt_; }
    void SetUseExt(bool on) { useExt_ = on; }

    // Digits, and an X while the text has none, are placed; Backspace (8) as for SSNs;
    // every other key leaves the text as it is.
    std::string Mask(int16_t& keyAscii, std::string_view text) const;

private:
    std::string phoneFormat_;
    std::u32string layout_;
    bool useArea_ = false;
    bool usePars_ = false;
    bool useSpc_ = false;
    bool useDash_ = false;
    bool useExt_ = false;
};

// A US ZIP code: five digits, or with OnlyFive unset also "-" and four more (ZIP+4).
class clsZip {
public:
    int32_t OnlyFive() const { return onlyFive_ ? -1 : 0; }
    void SetOnlyFive(int32_t value) { onlyFive_ = value != 0; }

    // Digits, "-" and Backspace (8); the hyphen of ZIP+4 comes by itself after the fifth
    // digit. Every other key leaves the text as it is.
    std::string Mask(int16_t& keyAscii, std::string_view text) const;

private:
    bool onlyFive_ = false;
};

// A postal code of letters and digits, "&&& &&&" with the mask set ("A1B 2C3"),
// "&&&&&&" without; always in upper case.
class clsIntlZip {
public:
    int32_t IntlZipMask() const { return intlZipMask_ ? -1 : 0; }
    void SetIntlZipMask(int32_t value);

    // ASCII letters and digits are placed; Backspace (8) drops the last character, a
    // trailing space alone; every other key leaves the text as it is. The result is
    // upper-cased in every case.
    std::string Mask(int16_t& keyAscii, std::string_view text) const;

private:
    bool intlZipMask_ = false;
    std::u32string layout_ = U"&&&&&&";
};

}  // namespace tabula
