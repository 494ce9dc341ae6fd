#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tabula {

// Base64 with the standard alphabet and '=' padding, for binary data inside text files.
std::string EncodeBase64(std::span<const uint8_t> bytes);

// The bytes of padded base64 text; nothing for any other text (stray characters, white
// space, a wrong length or bits left over in the padding), so damage never passes as data.
std::optional<std::vector<uint8_t>> DecodeBase64(std::string_view text);

}  // namespace tabula
