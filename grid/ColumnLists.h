#pragma once

// The per-column lists: the values lookup columns offer (with their item data) and the
// columns that show the in-cell button. Entries keep the order they were added in and are
// never de-duplicated; a column number above 32767 (or below -32768) raises the overflow
// error 6 with nothing changed. Scans and removals are linear in the list's length.

#include <cstdint>
#include <string>
#include <string_view>

#include "grid/GridState.h"

namespace tabula {

// Item data that is an object has no text to store and fails with error 13.
void AddLookup(GridState& s, int32_t col, std::string value, Variant itemData = {});
// The value of the first entry of the column whose item data equals `itemData` (by
// Variant equality); "" when there is none.
std::string LookupValue(const GridState& s, int32_t col, const Variant& itemData);
// The item data of the first entry of the column with exactly `value`; the Integer -1 when
// there is none.
Variant LookupItemData(const GridState& s, int32_t col, std::string_view value);
// Removes the first entry of the column with exactly `value`, if any.
void RemoveLookupValue(GridState& s, int32_t col, std::string_view value);
// Removes every entry of the column.
void RemoveLookup(GridState& s, int32_t col);
bool ColHasLookup(const GridState& s, int32_t col);
void ClearLookups(GridState& s);

void AddButton(GridState& s, int32_t col);
// Removes every entry of the column.
void RemoveButton(GridState& s, int32_t col);
bool ColHasButton(const GridState& s, int32_t col);

}  // namespace tabula
