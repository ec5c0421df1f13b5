// SPDX-License-Identifier: GPL-3.0-or-later
// Memory for the large arrays of a loaded lexicon (the file's bytes, the
// dictionary's columns, the segment tables). A piece of 256 KB or more is
// asked of the kernel in one mapping, aligned for huge pages and marked for
// them, so that first touching it costs one fault per 2 MB where the kernel
// grants huge pages instead of one per 4 KB; smaller pieces come from the
// ordinary heap.
#ifndef VELMORA_PLATFORM_BIG_MEMORY_H_
#define VELMORA_PLATFORM_BIG_MEMORY_H_

#include <cstddef>
#include <new>
#include <vector>

namespace velmora {

// Pieces of at least this many bytes are mapped on their own.
inline constexpr size_t kBigPieceBytes = size_t{1} << 18;

// Allocates bytes (throws std::bad_alloc); populate: fill the pages in at once
// (for memory that will be written whole right away).
void* AllocateBig(size_t bytes, bool populate = false);
// Gives back what AllocateBig(bytes) gave.
void FreeBig(void* p, size_t bytes) noexcept;

template <typename T>
struct BigAllocator {
  using value_type = T;
  BigAllocator() = default;
  template <typename U>
  BigAllocator(const BigAllocator<U>&) noexcept {}
  T* allocate(size_t n) {
    const size_t bytes = n * sizeof(T);
    if (bytes >= kBigPieceBytes) return static_cast<T*>(AllocateBig(bytes));
    return std::allocator<T>().allocate(n);
  }
  void deallocate(T* p, size_t n) noexcept {
    const size_t bytes = n * sizeof(T);
    if (bytes >= kBigPieceBytes) {
      FreeBig(p, bytes);
    } else {
      std::allocator<T>().deallocate(p, n);
    }
  }
  template <typename U>
  bool operator==(const BigAllocator<U>&) const noexcept {
    return true;
  }
};

template <typename T>
using BigVector = std::vector<T, BigAllocator<T>>;

// Owns a piece from AllocateBig or the heap, by its size.
struct BigDelete {
  size_t bytes = 0;
  void operator()(char* p) const noexcept {
    if (bytes >= kBigPieceBytes) {
      FreeBig(p, bytes);
    } else {
      delete[] p;
    }
  }
};

}  // namespace velmora

#endif  // VELMORA_PLATFORM_BIG_MEMORY_H_
