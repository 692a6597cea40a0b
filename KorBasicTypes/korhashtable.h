//===- korhashtable.h - Chained hash map sized by the library's prime table ===//
//
// Bucket counts come from one table of primes a little above powers of two.
// A map starts at the first prime above the requested size and is rebuilt
// with the next prime when its entries reach 0.8 times its buckets. New
// entries go to the front of their bucket's chain.
//
//===----------------------------------------------------------------------===//
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

/// The library's prime table: 2, 3, 5, 11, 17, 37, 67, 131, ... 2147483659.
const std::vector<uint64_t> &korPrimeTable();
/// The first prime of the table above `size`.
uint64_t korPrimeAbove(uint64_t size);

/// A map from K to V whose bucket is hash(key) modulo the bucket count.
template <class K, class V, class Hash> class KorHashMap {
  struct Node {
    K key;
    V value;
    std::unique_ptr<Node> next;
  };

public:
  explicit KorHashMap(uint64_t requestedSize)
      : buckets_(korPrimeAbove(requestedSize)) {}

  uint64_t bucketCount() const { return buckets_.size(); }
  uint64_t size() const { return size_; }

  /// The value stored under key, or null.
  V *find(const K &key) {
    for (Node *n = buckets_[bucketOf(key)].get(); n; n = n->next.get())
      if (n->key == key)
        return &n->value;
    return nullptr;
  }
  /// Inserts or replaces the value under key; returns the stored value.
  V &insert(const K &key, V value) {
    if (V *existing = find(key)) {
      *existing = std::move(value);
      return *existing;
    }
    auto &head = buckets_[bucketOf(key)];
    head = std::make_unique<Node>(Node{key, std::move(value), std::move(head)});
    V &stored = head->value;
    if (++size_ >= buckets_.size() * 8 / 10 + (buckets_.size() * 8 % 10 != 0))
      grow();
    return stored;
  }
  /// Visits every entry bucket by bucket, each chain front to back.
  template <class F> void forEach(F &&visit) const {
    for (const auto &head : buckets_)
      for (const Node *n = head.get(); n; n = n->next.get())
        visit(n->key, n->value);
  }

private:
  uint64_t bucketOf(const K &key) const {
    return static_cast<uint64_t>(Hash{}(key)) % buckets_.size();
  }
  void grow() {
    std::vector<std::unique_ptr<Node>> old = std::move(buckets_);
    buckets_ = std::vector<std::unique_ptr<Node>>(korPrimeAbove(old.size()));
    for (auto &head : old) {
      std::unique_ptr<Node> n = std::move(head);
      while (n) {
        std::unique_ptr<Node> rest = std::move(n->next);
        auto &slot = buckets_[bucketOf(n->key)];
        n->next = std::move(slot);
        slot = std::move(n);
        n = std::move(rest);
      }
    }
  }

  std::vector<std::unique_ptr<Node>> buckets_;
  uint64_t size_ = 0;
};
