#pragma once

// The fuzzers' common pieces: reporting a finding, reading the input's bytes and checking
// texts.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace tabula::fuzz {

// Stops the run with the message printed, so that libFuzzer saves the input.
[[noreturn]] inline void Finding(const std::string& what) {
    std::fprintf(stderr, "finding: %s\n", what.c_str());
    __builtin_trap();
}

// Reads a fuzzer's bytes from the front, so that a seed can be written by hand: numbers
// first, texts after them. Past the end every number reads as 0 and every text as "".
class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size)
        : rest_(reinterpret_cast<const char*>(data), size) {}

    bool Empty() const { return rest_.empty(); }
    size_t Remaining() const { return rest_.size(); }

    uint8_t Byte() {
        if (rest_.empty()) return 0;
        const auto b = static_cast<uint8_t>(rest_.front());
        rest_.remove_prefix(1);
        return b;
    }
    // Two bytes, low byte first.
    uint16_t Word() {
        const uint16_t low = Byte();
        return static_cast<uint16_t>(low | (Byte() << 8));
    }
    // Four bytes, low byte first.
    int32_t Int32() {
        const uint32_t low = Word();
        return static_cast<int32_t>(low | (uint32_t{Word()} << 16));
    }
    // A value in lo..hi from one byte (two when the range is wider than a byte).
    int32_t Range(int32_t lo, int32_t hi) {
        const int64_t span = int64_t{hi} - lo + 1;
        const int64_t raw = span <= 256 ? Byte() : Word();
        return static_cast<int32_t>(lo + raw % span);
    }
    bool Bit() { return Byte() & 1; }

    // The next `count` bytes, fewer at the end.
    std::string_view Take(size_t count) {
        const std::string_view taken = rest_.substr(0, count);
        rest_.remove_prefix(taken.size());
        return taken;
    }
    // The bytes before the next `end`, which is consumed; the rest when there is none.
    std::string_view Until(char end) {
        const size_t at = rest_.find(end);
        const std::string_view taken = rest_.substr(0, at);
        rest_.remove_prefix(at == std::string_view::npos ? rest_.size() : at + 1);
        return taken;
    }
    std::string_view Rest() { return Take(rest_.size()); }

private:
    std::string_view rest_;
};

// Whether `text` is well-formed UTF-8: no stray or missing continuation bytes, no overlong
// forms, no surrogates, nothing past U+10FFFF. Written apart from the runtime's decoder,
// which it checks.
inline bool IsValidUtf8(std::string_view text) {
    for (size_t i = 0; i < text.size();) {
        const auto b = static_cast<uint8_t>(text[i]);
        size_t length;
        uint32_t c;
        if (b < 0x80) {
            ++i;
            continue;
        } else if (b >= 0xC2 && b <= 0xDF) {
            length = 2, c = b & 0x1F;
        } else if (b >= 0xE0 && b <= 0xEF) {
            length = 3, c = b & 0x0F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            length = 4, c = b & 0x07;
        } else {
            return false;
        }
        if (i + length > text.size()) return false;
        for (size_t k = 1; k < length; ++k) {
            const auto next = static_cast<uint8_t>(text[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            c = (c << 6) | (next & 0x3F);
        }
        const uint32_t least = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
        if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
        i += length;
    }
    return true;
}

}  // namespace tabula::fuzz
