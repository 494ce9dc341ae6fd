#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tabula::test {

// A key sequence typed into a mask, as the edit box would: each key goes to Mask with the
// text the key before it left. Keys are 16-bit units, u'\b' being Backspace. Every key
// must come back as 0. Returns the text after each key, joined by "|".
template <typename MaskObject>
std::string TypeKeys(const MaskObject& mask, std::string text, std::u16string_view keys) {
    std::string steps;
    for (size_t i = 0; i < keys.size(); ++i) {
        int16_t key = static_cast<int16_t>(keys[i]);
        text = mask.Mask(key, text);
        EXPECT_EQ(key, 0) << "key " << int(keys[i]) << " came back to the edit box";
        steps += (i == 0 ? "" : "|") + text;
    }
    return steps;
}

// One table row: keys typed into a starting text, and the text after each key.
struct Typing {
    const char* text;
    std::u16string_view keys;
    const char* steps;
};

template <typename MaskObject, size_t N>
void ExpectTyping(const MaskObject& mask, const Typing (&cases)[N]) {
    for (const auto& [text, keys, steps] : cases)
        EXPECT_EQ(TypeKeys(mask, text, keys), steps) << "typed into \"" << text << '"';
}

}  // namespace tabula::test
