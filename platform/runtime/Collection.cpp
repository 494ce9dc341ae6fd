#include "platform/runtime/Collection.h"

#include <algorithm>

#include "platform/runtime/Error.h"
#include "platform/text/CaseFold.h"

namespace tabula {

void Collection::Add(Variant item, std::optional<std::string> key) {
    auto entry = std::make_unique<Entry>();
    entry->item = std::move(item);
    if (key) {
        entry->foldedKey = FoldCase(*key);
        entry->hasKey = true;
        if (byKey_.contains(entry->foldedKey)) RaiseError(kErrDuplicateKey);
    }
    // Reserve first, so that a failure leaves the key index and the items in step.
    items_.reserve(items_.size() + 1);
    if (entry->hasKey) byKey_.emplace(entry->foldedKey, entry.get());
    items_.push_back(std::move(entry));
}

size_t Collection::PositionOf(int32_t index) const {
    if (index < 1 || index > Count()) RaiseError(kErrSubscriptOutOfRange);
    return static_cast<size_t>(index) - 1;
}

const Collection::Entry& Collection::EntryFor(std::string_view key) const {
    const auto found = byKey_.find(FoldCase(key));
    if (found == byKey_.end()) RaiseError(kErrInvalidCall);
    return *found->second;
}

const Variant& Collection::Item(int32_t index) const {
    return items_[PositionOf(index)]->item;
}

const Variant& Collection::Item(std::string_view key) const {
    return EntryFor(key).item;
}

void Collection::Remove(int32_t index) {
    Erase(PositionOf(index));
}

void Collection::Remove(std::string_view key) {
    const Entry* entry = &EntryFor(key);
    const auto found = std::find_if(items_.begin(), items_.end(),
                                    [&](const auto& item) { return item.get() == entry; });
    Erase(static_cast<size_t>(found - items_.begin()));
}

bool Collection::Exists(std::string_view key) const {
    return byKey_.contains(FoldCase(key));
}

void Collection::Erase(size_t position) {
    if (items_[position]->hasKey) byKey_.erase(items_[position]->foldedKey);
    items_.erase(items_.begin() + static_cast<ptrdiff_t>(position));
}

}  // namespace tabula
