// Memory for the big arrays of a large sheet (cell columns, text chunks, result texts).
//
// A sheet of a million rows writes a few hundred megabytes it has never touched before, and
// on virtual machines each fresh 4 KiB page the kernel hands out costs a trap to the
// hypervisor: on the machines we run on that is about 3.5 ms per MiB, more than the work
// done in the memory. Blocks of 2 MiB and more therefore come from the system directly,
// aligned to 2 MiB and marked as wanting huge pages, so the kernel maps them 512 pages at a
// time where it can. Smaller blocks, and systems without that facility, use calloc.
//
// These are the only system calls the grid engine makes; they live here, in the platform
// layer, beside the other operating-system services.
#pragma once

#include <cstddef>

namespace zel::internal {

// Blocks of at least this many bytes are worth mapping with huge pages.
inline constexpr size_t kHugePageBytes = size_t{2} << 20;

// Returns `bytes` bytes of zero-filled memory aligned to 16 bytes (to 2 MiB for large
// blocks), or nullptr when the system has no memory left. Release with FreeLargeBlock and
// the same size. A zero size gives nullptr.
void* AllocateLargeBlock(size_t bytes) noexcept;

// Gives back a block from AllocateLargeBlock; `bytes` is the size it was allocated with.
// Null is ignored.
void FreeLargeBlock(void* block, size_t bytes) noexcept;

// Grows a block from AllocateLargeBlock of `bytes` bytes to `new_bytes` (not less): the
// result holds the first `bytes` bytes of `block` and zeros after them, and `block` is given
// back. A large block's pages move to the new place without being copied or touched, so a
// column grown step by step costs the memory of its last size only. Returns nullptr, with
// `block` still valid and unchanged, when the system has no memory left. The bytes of
// `block` beyond `bytes` must be zero (as its owner never wrote them).
void* GrowLargeBlock(void* block, size_t bytes, size_t new_bytes) noexcept;

// Tells the system that [data, data + bytes) is about to be written for the first time and
// would be best served by huge pages (the 2 MiB-aligned whole pages inside it). A hint only:
// it changes no content, may do nothing, and is harmless on memory already in use.
void AdviseHugePages(void* data, size_t bytes) noexcept;

}  // namespace zel::internal
