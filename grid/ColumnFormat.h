#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "grid/GridState.h"

namespace tabula {

// The text a cell of column `col` stores for `text`: in date columns (DateOnly, EuroDate)
// a recognised date rewritten as "mm/dd/yyyy" (day first for EuroDate, which also reads
// the text day first) and anything else ""; then, when the column has a width limit,
// only its first ColEditWidth characters. Raises 9 when `col` lies outside the column
// arrays.
std::string FormatForColumn(const GridState& s, std::string_view text, int32_t col);

}  // namespace tabula
