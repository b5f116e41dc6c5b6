#pragma once
// A cache of at most a fixed number of values, found by key in constant time; when
// it is full, a new value drops the one used longest ago (its destructor frees what
// it holds). A found value stays where it is until it is dropped or the cache is
// cleared, so a reference to it holds until the next Insert or Clear.

#include <cstddef>
#include <functional>
#include <list>
#include <unordered_map>
#include <utility>

namespace velmora {

template <typename Key, typename Value, typename Hash = std::hash<Key>>
class LruCache {
  public:
    explicit LruCache(size_t capacity) : capacity_(capacity ? capacity : 1) {}
    LruCache(const LruCache&) = delete;
    LruCache& operator=(const LruCache&) = delete;

    // The value held for the key, now the most recently used; null when none is.
    Value* Find(const Key& key) {
        auto it = index_.find(key);
        if (it == index_.end())
            return nullptr;
        order_.splice(order_.begin(), order_, it->second);
        return &it->second->second;
    }

    // Holds the value for a key that is not held yet.
    Value& Insert(const Key& key, Value value) {
        if (order_.size() >= capacity_) {
            index_.erase(order_.back().first);
            order_.pop_back();
        }
        order_.emplace_front(key, std::move(value));
        index_.emplace(key, order_.begin());
        return order_.front().second;
    }

    void Clear() {
        index_.clear();
        order_.clear();
    }
    size_t size() const { return order_.size(); }
    size_t capacity() const { return capacity_; }

  private:
    using Entry = std::pair<Key, Value>;
    size_t capacity_;
    std::list<Entry> order_;  // the most recently used first
    std::unordered_map<Key, typename std::list<Entry>::iterator, Hash> index_;
};

}  // namespace velmora
