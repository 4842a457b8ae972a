#include "platform/large_block.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

// Under AddressSanitizer every block comes from calloc, so the sanitizer build checks
// accesses to the big arrays too (it cannot see inside blocks mapped past it).
#if defined(__linux__) && !defined(__SANITIZE_ADDRESS__)
#define ZEL_LARGE_BLOCKS_MAPPED 1
#include <sys/mman.h>
#endif

namespace zel::internal {

#if defined(ZEL_LARGE_BLOCKS_MAPPED)

namespace {

uintptr_t AlignUp(uintptr_t v, uintptr_t to) { return (v + to - 1) & ~(to - 1); }

}  // namespace

// A large block is mapped with one extra huge page so that a 2 MiB-aligned start can be cut
// out of it; the unused head and tail are unmapped at once, so the mapping that stays is
// exactly [start, start + rounded size) and FreeLargeBlock can unmap it from the size alone.
void* AllocateLargeBlock(size_t bytes) noexcept {
  if (bytes == 0) return nullptr;
  if (bytes < kHugePageBytes) return std::calloc(1, bytes);
  const size_t rounded = AlignUp(bytes, kHugePageBytes);
  if (rounded < bytes || rounded + kHugePageBytes < rounded) return nullptr;  // size overflow
  const size_t mapped = rounded + kHugePageBytes;
  void* raw = ::mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (raw == MAP_FAILED) return nullptr;
  const uintptr_t base = reinterpret_cast<uintptr_t>(raw);
  const uintptr_t start = AlignUp(base, kHugePageBytes);
  if (start > base) ::munmap(raw, start - base);
  const uintptr_t tail = start + rounded;
  const uintptr_t end = base + mapped;
  if (end > tail) ::munmap(reinterpret_cast<void*>(tail), end - tail);
  void* block = reinterpret_cast<void*>(start);
  ::madvise(block, rounded, MADV_HUGEPAGE);  // a hint: refused on kernels without huge pages
  return block;
}

void FreeLargeBlock(void* block, size_t bytes) noexcept {
  if (block == nullptr) return;
  if (bytes < kHugePageBytes) {
    std::free(block);
    return;
  }
  ::munmap(block, AlignUp(bytes, kHugePageBytes));
}

void* GrowLargeBlock(void* block, size_t bytes, size_t new_bytes) noexcept {
  if (block == nullptr || bytes == 0) return AllocateLargeBlock(new_bytes);
  void* fresh = AllocateLargeBlock(new_bytes);
  if (fresh == nullptr) return nullptr;
  if (bytes >= kHugePageBytes && new_bytes >= kHugePageBytes) {
    // The old pages replace the head of the fresh block, which nothing has touched; the
    // block's zero tail (its bytes beyond `bytes`) goes with them.
    const size_t moved = AlignUp(bytes, kHugePageBytes);
    if (::mremap(block, moved, moved, MREMAP_MAYMOVE | MREMAP_FIXED, fresh) != MAP_FAILED) return fresh;
  }
  std::memcpy(fresh, block, bytes);
  FreeLargeBlock(block, bytes);
  return fresh;
}

void AdviseHugePages(void* data, size_t bytes) noexcept {
  if (data == nullptr) return;
  const uintptr_t from = AlignUp(reinterpret_cast<uintptr_t>(data), kHugePageBytes);
  const uintptr_t to = (reinterpret_cast<uintptr_t>(data) + bytes) & ~(kHugePageBytes - 1);
  if (to > from) ::madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
}

#else

void* AllocateLargeBlock(size_t bytes) noexcept { return bytes == 0 ? nullptr : std::calloc(1, bytes); }

void FreeLargeBlock(void* block, size_t) noexcept { std::free(block); }

void* GrowLargeBlock(void* block, size_t bytes, size_t new_bytes) noexcept {
  if (block == nullptr || bytes == 0) return AllocateLargeBlock(new_bytes);
  void* fresh = AllocateLargeBlock(new_bytes);
  if (fresh == nullptr) return nullptr;
  std::memcpy(fresh, block, bytes);
  std::free(block);
  return fresh;
}

void AdviseHugePages(void*, size_t) noexcept {}

#endif

}  // namespace zel::internal
