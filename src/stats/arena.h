// SPDX-License-Identifier: GPL-3.0-or-later
// StatsArena: the memory of one run of the statistics. Its arrays are cut one
// after another from a few large mappings marked for huge pages and given
// back together when the statistics go, so that the many arrays of a run
// share their pages instead of each rounding up to a page of its own: the
// pages first touched, and cleared by the kernel, are about the bytes used.
#ifndef VELMORA_STATS_ARENA_H_
#define VELMORA_STATS_ARENA_H_

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

#include "platform/big_memory.h"

namespace velmora {

class StatsArena {
 public:
  StatsArena() = default;
  StatsArena(const StatsArena&) = delete;
  StatsArena& operator=(const StatsArena&) = delete;
  ~StatsArena() {
    for (const auto& [piece, bytes] : pieces_) FreeBig(piece, bytes);
  }

  // bytes aligned for any scalar; never given back alone. The space left in
  // a mapping when the next request does not fit is never touched. Threads
  // may ask at once.
  void* Allocate(size_t bytes) {
    const std::lock_guard<std::mutex> hold(lock_);
    bytes = (bytes + 15) & ~size_t{15};
    if (bytes > static_cast<size_t>(end_ - next_)) {
      const size_t size = std::max(kPieceBytes, bytes);
      next_ = static_cast<char*>(AllocateBig(size));
      end_ = next_ + size;
      pieces_.emplace_back(next_, size);
    }
    void* p = next_;
    next_ += bytes;
    return p;
  }

 private:
  static constexpr size_t kPieceBytes = size_t{64} << 20;
  std::mutex lock_;
  std::vector<std::pair<char*, size_t>> pieces_;
  char* next_ = nullptr;
  char* end_ = nullptr;
};

// An allocator over an arena (which outlives every container using it).
template <typename T>
struct ArenaAllocator {
  using value_type = T;
  explicit ArenaAllocator(StatsArena* a) noexcept : arena(a) {}
  template <typename U>
  ArenaAllocator(const ArenaAllocator<U>& other) noexcept : arena(other.arena) {}
  T* allocate(size_t n) { return static_cast<T*>(arena->Allocate(n * sizeof(T))); }
  void deallocate(T*, size_t) noexcept {}
  template <typename U>
  bool operator==(const ArenaAllocator<U>& other) const noexcept {
    return arena == other.arena;
  }
  StatsArena* arena;
};

template <typename T>
using ArenaVector = std::vector<T, ArenaAllocator<T>>;

}  // namespace velmora

#endif  // VELMORA_STATS_ARENA_H_
