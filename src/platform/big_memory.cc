// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/big_memory.h"

#include <sys/mman.h>

#include <cstdint>
#include <mutex>

namespace velmora {

namespace {
constexpr size_t kHugePage = size_t{2} << 20;
size_t Rounded(size_t bytes) { return (bytes + kHugePage - 1) & ~(kHugePage - 1); }

// A chunk that pieces share is one huge page with this header at its start.
struct ChunkHeader {
  size_t used;  // bytes cut so far, the header's included
  size_t live;  // pieces in use
};
constexpr size_t kHeaderBytes = 64;  // keeps the pieces aligned
std::mutex chunkLock;
ChunkHeader* current = nullptr;  // the chunk new pieces are cut from
}  // namespace

void* AllocateBig(size_t bytes, bool populate) {
  const size_t size = Rounded(bytes);
  // One huge page more than needed, so that an aligned piece lies within.
  void* mapped = ::mmap(nullptr, size + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapped == MAP_FAILED) throw std::bad_alloc();
  const uintptr_t start = reinterpret_cast<uintptr_t>(mapped);
  const uintptr_t aligned = (start + kHugePage - 1) & ~(kHugePage - 1);
  if (aligned > start) ::munmap(mapped, aligned - start);
  const uintptr_t end = start + size + kHugePage;
  if (end > aligned + size) ::munmap(reinterpret_cast<void*>(aligned + size), end - (aligned + size));
  void* piece = reinterpret_cast<void*>(aligned);
#ifdef MADV_HUGEPAGE
  ::madvise(piece, size, MADV_HUGEPAGE);
#endif
#ifdef MADV_POPULATE_WRITE
  if (populate) ::madvise(piece, bytes, MADV_POPULATE_WRITE);
#else
  (void)populate;
#endif
  return piece;
}

void FreeBig(void* p, size_t bytes) noexcept { ::munmap(p, Rounded(bytes)); }

void* AllocatePiece(size_t bytes) {
  if (bytes >= kBigPieceBytes) return AllocateBig(bytes);
  if (bytes < kSharedPieceBytes) return ::operator new(bytes);
  const size_t size = (bytes + kHeaderBytes - 1) & ~(kHeaderBytes - 1);
  const std::lock_guard<std::mutex> hold(chunkLock);
  if (current == nullptr || current->used + size > kHugePage) {
    current = static_cast<ChunkHeader*>(AllocateBig(kHugePage));
    *current = {kHeaderBytes, 0};
  }
  void* p = reinterpret_cast<char*>(current) + current->used;
  current->used += size;
  ++current->live;
  return p;
}

void FreePiece(void* p, size_t bytes) noexcept {
  if (bytes >= kBigPieceBytes) return FreeBig(p, bytes);
  if (bytes < kSharedPieceBytes) return ::operator delete(p);
  const std::lock_guard<std::mutex> hold(chunkLock);
  auto* chunk = reinterpret_cast<ChunkHeader*>(reinterpret_cast<uintptr_t>(p) & ~(kHugePage - 1));
  if (--chunk->live > 0) return;
  if (chunk == current) {
    chunk->used = kHeaderBytes;  // cut again from the start
  } else {
    FreeBig(chunk, kHugePage);
  }
}

}  // namespace velmora
