// The lookup values and the button columns: the public members over grid/ColumnLists.h.

#include "grid/ColumnLists.h"
#include "core/Tabula.h"

namespace tabula {

void Tabula::AddLookup(int32_t col, std::string value, Variant itemData) {
    tabula::AddLookup(s_, col, std::move(value), std::move(itemData));
}

std::string Tabula::LookupValue(int32_t col, const Variant& itemData) const {
    return tabula::LookupValue(s_, col, itemData);
}

Variant Tabula::LookupItemData(int32_t col, std::string_view value) const {
    return tabula::LookupItemData(s_, col, value);
}

void Tabula::RemoveLookupValue(int32_t col, std::string_view value) {
    tabula::RemoveLookupValue(s_, col, value);
}

void Tabula::RemoveLookup(int32_t col) {
    tabula::RemoveLookup(s_, col);
}

bool Tabula::ColHasLookup(int32_t col) const {
    return tabula::ColHasLookup(s_, col);
}

void Tabula::AddButton(int32_t col) {
    tabula::AddButton(s_, col);
}

void Tabula::RemoveButton(int32_t col) {
    tabula::RemoveButton(s_, col);
}

bool Tabula::ColHasButton(int32_t col) const {
    return tabula::ColHasButton(s_, col);
}

}  // namespace tabula
