#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/runtime/Variant.h"

namespace tabula {

// The classic keyed collection: items numbered from 1 in the order they were added, each
// optionally reachable by a key. Keys are UTF-8 and compared without regard to case.
// Errors: 457 for a duplicate key, 9 for an index outside 1..Count, 5 for a missing key.
class Collection {
public:
    void Add(Variant item, std::optional<std::string> key = std::nullopt);

    const Variant& Item(int32_t index) const;
    const Variant& Item(std::string_view key) const;

    void Remove(int32_t index);
    void Remove(std::string_view key);

    int32_t Count() const { return static_cast<int32_t>(items_.size()); }
    bool Exists(std::string_view key) const;

private:
    struct Entry {
        Variant item;
        std::string foldedKey;  // empty when the item has no key
        bool hasKey = false;
    };

    size_t PositionOf(int32_t index) const;
    const Entry& EntryFor(std::string_view key) const;
    void Erase(size_t position);

    // Entries live behind pointers so the key index stays valid as items come and go.
    std::vector<std::unique_ptr<Entry>> items_;
    std::unordered_map<std::string, const Entry*> byKey_;
};

}  // namespace tabula
