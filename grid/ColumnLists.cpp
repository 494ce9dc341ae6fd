#include "grid/ColumnLists.h"

#include <algorithm>

#include "grid/Checks.h"

namespace tabula {

namespace {

// A column number never matches an entry outside 16 bits: such entries cannot exist.
template <class Entry>
auto InColumn(int32_t col) {
    return [col](const Entry& entry) { return entry.Column == col; };
}

}  // namespace

void AddLookup(GridState& s, int32_t col, std::string value, Variant itemData) {
    const int16_t column = CheckedInteger(col);
    // A pick stores the item data as text, so it must have one.
    if (itemData.Type() == VariantType::Object) RaiseError(kErrTypeMismatch);
    s.LookupList.push_back({column, std::move(value), std::move(itemData)});
}

std::string LookupValue(const GridState& s, int32_t col, const Variant& itemData) {
    for (const clsLookup& entry : s.LookupList) {
        if (entry.Column == col && VariantEquals(entry.ItemData, itemData)) return entry.Value;
    }
    return {};
}

Variant LookupItemData(const GridState& s, int32_t col, std::string_view value) {
    for (const clsLookup& entry : s.LookupList) {
        if (entry.Column == col && entry.Value == value) return entry.ItemData;
    }
    return Variant(int16_t{-1});
}

void RemoveLookupValue(GridState& s, int32_t col, std::string_view value) {
    const auto found =
        std::find_if(s.LookupList.begin(), s.LookupList.end(),
                     [&](const clsLookup& e) { return e.Column == col && e.Value == value; });
    if (found != s.LookupList.end()) s.LookupList.erase(found);
}

void RemoveLookup(GridState& s, int32_t col) {
    std::erase_if(s.LookupList, InColumn<clsLookup>(col));
}

bool ColHasLookup(const GridState& s, int32_t col) {
    return std::any_of(s.LookupList.begin(), s.LookupList.end(), InColumn<clsLookup>(col));
}

void ClearLookups(GridState& s) {
    s.LookupList.clear();
}

void AddButton(GridState& s, int32_t col) {
    s.ButtonList.push_back({CheckedInteger(col)});
}

void RemoveButton(GridState& s, int32_t col) {
    std::erase_if(s.ButtonList, InColumn<clsButton>(col));
}

bool ColHasButton(const GridState& s, int32_t col) {
    return std::any_of(s.ButtonList.begin(), s.ButtonList.end(), InColumn<clsButton>(col));
}

}  // namespace tabula
