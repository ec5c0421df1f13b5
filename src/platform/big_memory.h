// SPDX-License-Identifier: GPL-3.0-or-later
// Memory for the large arrays of a loaded lexicon (the file's bytes, the
// dictionary's columns, the segment tables). A piece of 256 KB or more is
// asked of the kernel in one mapping, aligned for huge pages and marked for
// them, so that first touching it costs one fault per 2 MB where the kernel
// grants huge pages instead of one per 4 KB. Pieces from 16 KB up share such
// 2 MB chunks (the columns of a small dictionary fill a few huge pages, not
// hundreds of small ones); smaller pieces come from the ordinary heap.
#ifndef VELMORA_PLATFORM_BIG_MEMORY_H_
#define VELMORA_PLATFORM_BIG_MEMORY_H_

#include <cstddef>
#include <new>
#include <vector>

namespace velmora {

// Pieces of at least this many bytes are mapped on their own.
inline constexpr size_t kBigPieceBytes = size_t{1} << 18;
// Pieces of at least this many bytes (and fewer than kBigPieceBytes) share
// chunks; under AddressSanitizer they come from the heap, which checks them.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VELMORA_ADDRESS_SANITIZER 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(VELMORA_ADDRESS_SANITIZER)
inline constexpr size_t kSharedPieceBytes = kBigPieceBytes;
#else
inline constexpr size_t kSharedPieceBytes = size_t{1} << 14;
#endif

// Allocates bytes (throws std::bad_alloc); populate: fill the pages in at once
// (for memory that will be written whole right away).
void* AllocateBig(size_t bytes, bool populate = false);
// Gives back what AllocateBig(bytes) gave.
void FreeBig(void* p, size_t bytes) noexcept;

// A piece of bytes, from its own mapping, a shared chunk or the heap by its
// size (throws std::bad_alloc), aligned for any scalar; threads may ask at once.
void* AllocatePiece(size_t bytes);
// Gives back what AllocatePiece(bytes) gave; a chunk goes back to the kernel
// once none of its pieces is in use.
void FreePiece(void* p, size_t bytes) noexcept;

template <typename T>
struct BigAllocator {
  using value_type = T;
  BigAllocator() = default;
  template <typename U>
  BigAllocator(const BigAllocator<U>&) noexcept {}
  T* allocate(size_t n) { return static_cast<T*>(AllocatePiece(n * sizeof(T))); }
  void deallocate(T* p, size_t n) noexcept { FreePiece(p, n * sizeof(T)); }
  template <typename U>
  bool operator==(const BigAllocator<U>&) const noexcept {
    return true;
  }
};

template <typename T>
using BigVector = std::vector<T, BigAllocator<T>>;

// Owns a piece from AllocatePiece.
struct BigDelete {
  size_t bytes = 0;
  void operator()(char* p) const noexcept { FreePiece(p, bytes); }
};

}  // namespace velmora

#endif  // VELMORA_PLATFORM_BIG_MEMORY_H_
