// SPDX-License-Identifier: GPL-3.0-or-later
// HashGroups: the statistics' hash table from 64-bit hashes to numbers that
// are never 0, like FlatIndex but sized ahead for the most it will hold and
// reused from one pass to the next, so that a pass touches no fresh memory.
// A slot holds the high half of the hash beside the number, and that half
// picks the slot, so that a look-up reads one slot and, mostly, nothing else.
#ifndef VELMORA_STATS_HASH_GROUPS_H_
#define VELMORA_STATS_HASH_GROUPS_H_

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "stats/arena.h"

namespace velmora {

class HashGroups {
 public:
  explicit HashGroups(ArenaAllocator<char> memory) : slots_(memory) {}

  // Forgets every number and makes room for most of them.
  void Reset(size_t most) {
    size_t capacity = 64;
    while (capacity < most * 2) capacity *= 2;
    slots_.assign(capacity, 0);  // within the room already had when it is enough
    mask_ = capacity - 1;
    count_ = 0;
    most_ = most;
  }
  // The number stored under hash for which same(number) holds; 0 when none.
  template <typename Same>
  uint32_t Find(uint64_t hash, Same&& same) const {
    const uint64_t tag = hash >> 32;
    for (size_t i = SlotOf(hash);; i = (i + 1) & mask_) {
      const uint64_t slot = slots_[i];
      if (slot == 0) return 0;
      if (slot >> 32 == tag && same(static_cast<uint32_t>(slot))) return static_cast<uint32_t>(slot);
    }
  }
  // Asks for the slot where a look-up of hash starts, ahead of the look-up.
  void Prefetch(uint64_t hash) const { __builtin_prefetch(slots_.data() + SlotOf(hash)); }
  // Stores value (not 0) under hash; grows past the room made when it must.
  void Insert(uint64_t hash, uint32_t value) {
    if (++count_ > most_) Grow();
    Put((hash >> 32) << 32 | value);
  }

 private:
  size_t SlotOf(uint64_t hash) const { return static_cast<size_t>(hash >> 32) & mask_; }
  void Put(uint64_t slot) {
    size_t i = static_cast<size_t>(slot >> 32) & mask_;
    while (slots_[i] != 0) i = (i + 1) & mask_;
    slots_[i] = slot;
  }
  void Grow() {
    ArenaVector<uint64_t> old(slots_.get_allocator());
    old.swap(slots_);
    const size_t count = count_;
    Reset(std::max<size_t>(most_ * 2, 32));
    for (uint64_t slot : old) {
      if (slot != 0) Put(slot);
    }
    count_ = count;
  }

  ArenaVector<uint64_t> slots_;
  size_t mask_ = 0;
  size_t count_ = 0;
  size_t most_ = 0;
};

}  // namespace velmora

#endif  // VELMORA_STATS_HASH_GROUPS_H_
