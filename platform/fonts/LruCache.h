#pragma once

// A map that keeps at most `capacity` entries: finding an entry makes it the most recently
// used, and an insertion beyond the capacity drops the least recently used one. A
// reference to a value stays valid until its entry is dropped, so a caller may hold the
// one it was just given across the next call only if the capacity is above 1.

#include <cstddef>
#include <list>
#include <map>
#include <utility>

namespace tabula {

template <class Key, class Value>
class LruCache {
public:
    explicit LruCache(size_t capacity) : capacity_(capacity < 1 ? 1 : capacity) {}

    Value* Find(const Key& key) {
        const auto found = index_.find(key);
        if (found == index_.end()) return nullptr;
        order_.splice(order_.begin(), order_, found->second);
        return &found->second->second;
    }

    // The key must not be present.
    Value& Insert(const Key& key, Value value) {
        if (order_.size() >= capacity_) {
            index_.erase(order_.back().first);
            order_.pop_back();
        }
        order_.emplace_front(key, std::move(value));
        index_.emplace(key, order_.begin());
        return order_.front().second;
    }

    size_t Size() const { return order_.size(); }
    void Clear() {
        index_.clear();
        order_.clear();
    }

private:
    using Order = std::list<std::pair<Key, Value>>;
    size_t capacity_;
    Order order_;  // the most recently used first
    std::map<Key, typename Order::iterator> index_;
};

}  // namespace tabula
