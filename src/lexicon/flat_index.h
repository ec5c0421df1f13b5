// SPDX-License-Identifier: GPL-3.0-or-later
// FlatIndex: the program's one hash-table shape. It maps 64-bit keys to
// numbers that are never 0 (a row, an id + 1), by open addressing in two flat
// arrays, and grows to keep at most half of its slots in use. A key may be the
// item itself (a packed symbol, packed ids) or a hash of it; for a hash, Find
// takes a predicate that tells whether a number found under the key belongs
// to the item sought.
#ifndef VELMORA_LEXICON_FLAT_INDEX_H_
#define VELMORA_LEXICON_FLAT_INDEX_H_

#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmora {

class FlatIndex {
 public:
  FlatIndex() { Clear(); }

  // Forgets every key.
  void Clear() {
    keys_.assign(64, 0);
    values_.assign(64, 0);
    shift_ = 64 - 6;
    count_ = 0;
  }

  // The number stored under key for which same(number) holds; 0 when none.
  template <typename Same>
  uint32_t Find(uint64_t key, Same&& same) const {
    const size_t mask = values_.size() - 1;
    for (size_t i = SlotOf(key);; i = (i + 1) & mask) {
      if (values_[i] == 0) return 0;
      if (keys_[i] == key && same(values_[i])) return values_[i];
    }
  }
  // The number stored under key, for keys that are the items themselves.
  uint32_t Find(uint64_t key) const {
    return Find(key, [](uint32_t) { return true; });
  }

  // Stores value (not 0) under key. REQUIRES: no number of the same item is
  // stored (a hash key may repeat for different items).
  void Insert(uint64_t key, uint32_t value) {
    Put(key, value);
    if (++count_ * 2 > values_.size()) Grow();
  }

 private:
  size_t SlotOf(uint64_t key) const { return static_cast<size_t>((key * 0x9E3779B97F4A7C15ull) >> shift_); }
  void Put(uint64_t key, uint32_t value) {
    const size_t mask = values_.size() - 1;
    size_t i = SlotOf(key);
    while (values_[i] != 0) i = (i + 1) & mask;
    keys_[i] = key;
    values_[i] = value;
  }
  void Grow() {
    std::vector<uint64_t> keys(keys_.size() * 2, 0);
    std::vector<uint32_t> values(values_.size() * 2, 0);
    keys.swap(keys_);
    values.swap(values_);
    --shift_;
    for (size_t k = 0; k < keys.size(); ++k) {
      if (values[k] != 0) Put(keys[k], values[k]);
    }
  }

  std::vector<uint64_t> keys_;
  std::vector<uint32_t> values_;
  int shift_ = 64 - 6;
  size_t count_ = 0;
};

}  // namespace velmora

#endif  // VELMORA_LEXICON_FLAT_INDEX_H_
