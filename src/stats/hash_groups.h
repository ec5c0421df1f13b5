// SPDX-License-Identifier: GPL-3.0-or-later
// HashGroups: the statistics' hash table from 64-bit hashes to numbers that
// are never 0, like FlatIndex but sized ahead for the most it will hold and
// reused from one pass to the next, so that a pass touches no fresh memory.
#ifndef VELMORA_STATS_HASH_GROUPS_H_
#define VELMORA_STATS_HASH_GROUPS_H_

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/big_memory.h"

namespace velmora {

class HashGroups {
 public:
  // Forgets every number and makes room for most of them.
  void Reset(size_t most) {
    size_t capacity = 64;
    while (capacity < most * 2) capacity *= 2;
    if (capacity == hashes_.size()) {
      std::fill(values_.begin(), values_.end(), 0);
    } else {
      hashes_.assign(capacity, 0);
      values_.assign(capacity, 0);
    }
    mask_ = capacity - 1;
    count_ = 0;
    most_ = most;
  }
  // The number stored under hash for which same(number) holds; 0 when none.
  template <typename Same>
  uint32_t Find(uint64_t hash, Same&& same) const {
    for (size_t i = SlotOf(hash);; i = (i + 1) & mask_) {
      if (values_[i] == 0) return 0;
      if (hashes_[i] == hash && same(values_[i])) return values_[i];
    }
  }
  // Stores value (not 0) under hash; grows past the room made when it must.
  void Insert(uint64_t hash, uint32_t value) {
    if (++count_ > most_) Grow();
    size_t i = SlotOf(hash);
    while (values_[i] != 0) i = (i + 1) & mask_;
    hashes_[i] = hash;
    values_[i] = value;
  }

 private:
  size_t SlotOf(uint64_t hash) const { return static_cast<size_t>(hash ^ (hash >> 29)) & mask_; }
  void Grow() {
    BigVector<uint64_t> hashes;
    BigVector<uint32_t> values;
    hashes.swap(hashes_);
    values.swap(values_);
    const size_t count = count_;
    Reset(std::max<size_t>(most_ * 2, 32));
    for (size_t k = 0; k < hashes.size(); ++k) {
      if (values[k] == 0) continue;
      size_t i = SlotOf(hashes[k]);
      while (values_[i] != 0) i = (i + 1) & mask_;
      hashes_[i] = hashes[k];
      values_[i] = values[k];
    }
    count_ = count;
  }

  BigVector<uint64_t> hashes_;
  BigVector<uint32_t> values_;
  size_t mask_ = 0;
  size_t count_ = 0;
  size_t most_ = 0;
};

}  // namespace velmora

#endif  // VELMORA_STATS_HASH_GROUPS_H_
