#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/container/FormDescription.h"
#include "platform/runtime/Error.h"

namespace tabula {

// The classic runtime's error for a damaged file (53, file not found, and 75, path or file
// access, are in the runtime's list).
constexpr int32_t kErrInvalidFileFormat = 321;

// What a form file may hold. A file beyond any of these is refused as damaged, and a
// form beyond them cannot be saved, so every file Tabula writes it can also read.
namespace form_file_limits {
constexpr size_t kMaxFileBytes = size_t{64} << 20;
constexpr int kMaxDepth = 8;  // JSON nesting; a form file needs 6
constexpr size_t kMaxControls = 10000;
constexpr size_t kMaxBagEntries = 1000;
constexpr size_t kMaxKeyBytes = 255;  // bag keys, type names, font names
constexpr size_t kMaxTextBytes = size_t{1} << 20;
constexpr int64_t kMaxPicturePixels = int64_t{4096} * 4096;
constexpr int64_t kMaxTotalPicturePixels = int64_t{32} << 20;  // all pictures of a file
constexpr float kMaxFontSize = 2048;                           // points
// Every window keeps a picture of its size: the form's and each control's sides, and
// their area in all, are bounded so that a small file cannot ask for gigabytes.
constexpr int64_t kMaxWindowSide = 8192;                      // pixels
constexpr int64_t kMaxTotalWindowPixels = int64_t{64} << 20;  // the form and its controls
}  // namespace form_file_limits

// A form as the text of a form file (JSON; see FormJson.cpp for the layout). Raises
// error 380 for something a form file cannot hold (a number that is not finite, a value
// beyond the limits above).
std::string FormToJson(const FormDescription& description);

// The form a form file's text describes. Raises error 321 with the reason and the place
// (for example `controls[2].properties[5] ("Rows")`) for text that is not JSON, has the
// wrong shape or types, holds a value out of range, or goes beyond the limits above.
FormDescription FormFromJson(std::string_view text);

// Writes the form file under a temporary name beside `path` and renames it into place,
// so a save that fails (error 380 as above, 75 for a file that cannot be written) leaves
// any previous file as it was.
void SaveFormFile(const FormDescription& description, const std::filesystem::path& path);

// Reads a form file: error 53 when it does not exist, 75 when it cannot be read, 321
// when it is damaged (see FormFromJson).
FormDescription LoadFormFile(const std::filesystem::path& path);

}  // namespace tabula
