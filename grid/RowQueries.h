#pragma once

#include <cstdint>

#include "grid/GridState.h"

namespace tabula {

// Whether the row's data columns hold nothing but spaces (check marks do not count). A row
// outside 0..Rows raises 9.
bool RowEmpty(const GridState& s, int32_t row);

}  // namespace tabula
