// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/big_memory.h"

#include <sys/mman.h>

#include <cstdint>

namespace velmora {

namespace {
constexpr size_t kHugePage = size_t{2} << 20;
size_t Rounded(size_t bytes) { return (bytes + kHugePage - 1) & ~(kHugePage - 1); }
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

}  // namespace velmora
