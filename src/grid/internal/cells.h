// How the grid stores cells: the 16-byte cell, the zero-filled arrays of them, and the arena of
// texts too long to sit in a cell. Only the engine names these; code outside it reads cells
// through grid/column_reader.h.
//
// Column::cells (a calloc-backed CellArray) is indexed by slot; a slot at or beyond
// cells.size() or Column::written is empty. The array is sized for every slot at the
// column's first write and grows geometrically after; it is kept when rows go (Compact
// renumbers the cells inside it), so refilling an emptied sheet reuses its pages. Cells at
// and beyond `written` are always zero. A Cell is 16 bytes:
//   byte 15 (tag): bits 0-1 representation: 0 empty, 1 inline text, 2 arena text, 3 number;
//                  bits 2-5 inline text length (0..15).
//   inline text:  bytes 0..14 hold the UTF-8 bytes.
//   arena text:   bytes 0..7 the locator in Column::arena, bytes 8..11 the byte length;
//                 the text is arena.View(locator, length). The arena is a list of chunks
//                 (locator = chunk index << 32 | position in the chunk) that grows without
//                 moving texts. Overwritten arena texts become garbage (counted in
//                 arena_garbage) and the arena is compacted when garbage exceeds half of it.
//   number:       bytes 0..7 a double (float, integer and number cells keep numbers).
// So a cell costs 16 bytes plus, for texts over 15 bytes, the text's own bytes.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <string_view>
#include <vector>

#include "platform/large_block.h"

namespace zel::internal {

// ---- Cells -------------------------------------------------------------------------------
class Cell {
 public:
  enum Rep : uint8_t { kEmpty = 0, kInline = 1, kArena = 2, kNumber = 3 };
  static constexpr size_t kInlineMax = 15;

  Rep rep() const { return static_cast<Rep>(b_[15] & 3); }
  bool empty() const { return rep() == kEmpty; }
  size_t inline_size() const { return b_[15] >> 2; }
  const char* inline_data() const { return reinterpret_cast<const char*>(b_); }
  uint64_t arena_offset() const { uint64_t v; std::memcpy(&v, b_, 8); return v; }
  uint32_t arena_size() const { uint32_t v; std::memcpy(&v, b_ + 8, 4); return v; }
  double number() const { double v; std::memcpy(&v, b_, 8); return v; }

  void clear() { std::memset(b_, 0, sizeof b_); }
  void set_inline(std::string_view s) {
    // The most frequent write: the 16 bytes are built in two registers from at most two
    // overlapping loads and stored as two words. Building them in a byte buffer first would
    // read the buffer back right after its partial writes, which stalls the store.
    const size_t n = s.size();
    const char* p = s.data();
    if constexpr (std::endian::native == std::endian::little) {
      uint64_t lo = 0, hi = 0;
      if (n >= 8) {
        std::memcpy(&lo, p, 8);
        if (n > 8) {  // bytes 8..n-1: the top n - 8 bytes of the last eight
          std::memcpy(&hi, p + n - 8, 8);
          hi >>= 8 * (16 - n);
        }
      } else if (n >= 4) {
        uint32_t head, tail;
        std::memcpy(&head, p, 4);
        std::memcpy(&tail, p + n - 4, 4);
        lo = head | (uint64_t{tail} << (8 * (n - 4)));  // overlapping bytes are equal
      } else if (n > 0) {
        lo = uint64_t{static_cast<unsigned char>(p[0])} |
             uint64_t{static_cast<unsigned char>(p[n / 2])} << (8 * (n / 2)) |
             uint64_t{static_cast<unsigned char>(p[n - 1])} << (8 * (n - 1));
      }
      hi |= uint64_t{static_cast<unsigned char>(kInline | (n << 2))} << 56;
      std::memcpy(b_, &lo, 8);
      std::memcpy(b_ + 8, &hi, 8);
    } else {
      unsigned char v[16] = {};
      std::memcpy(v, p, n);
      v[15] = static_cast<unsigned char>(kInline | (n << 2));
      std::memcpy(b_, v, 16);
    }
  }
  void set_arena(uint64_t offset, uint32_t size) {
    clear();
    std::memcpy(b_, &offset, 8);
    std::memcpy(b_ + 8, &size, 4);
    b_[15] = kArena;
  }
  void set_number(double v) {
    clear();
    std::memcpy(b_, &v, 8);
    b_[15] = kNumber;
  }

 private:
  alignas(8) unsigned char b_[16] = {};
};
static_assert(sizeof(Cell) == 16);

// Deleter of a block from AllocateLargeBlock: gives it back with the size it was allocated
// with.
template <class T>
struct LargeBlockFree {
  size_t bytes = 0;
  void operator()(T* p) const noexcept { FreeLargeBlock(p, bytes); }
};

// Allocator for the per-row arrays of a large sheet (row map, row counts): their blocks come
// from AllocateLargeBlock, so a million-row array lands on huge pages like the cells do.
template <class T>
struct LargeBlockAllocator {
  using value_type = T;
  LargeBlockAllocator() = default;
  template <class U>
  LargeBlockAllocator(const LargeBlockAllocator<U>&) noexcept {}
  T* allocate(size_t n) {
    if (n > std::numeric_limits<size_t>::max() / sizeof(T)) throw std::bad_alloc();
    void* p = AllocateLargeBlock(n * sizeof(T));
    if (!p) throw std::bad_alloc();
    return static_cast<T*>(p);
  }
  void deallocate(T* p, size_t n) noexcept { FreeLargeBlock(p, n * sizeof(T)); }
  template <class U>
  bool operator==(const LargeBlockAllocator<U>&) const noexcept { return true; }
};
using SlotVector = std::vector<uint32_t, LargeBlockAllocator<uint32_t>>;

// A zero-filled array of cells. New storage comes from AllocateLargeBlock (zeroed pages, huge
// pages for a big column), so a column of a million cells costs no filling pass: the system
// hands out zeroed pages as they are first written, and a zero Cell is an empty cell.
class CellArray {
 public:
  CellArray() = default;
  CellArray(const CellArray& o) { CopyFrom(o); }
  CellArray& operator=(const CellArray& o) {
    if (this != &o) CopyFrom(o);
    return *this;
  }
  CellArray(CellArray&& o) noexcept { swap(o); }
  CellArray& operator=(CellArray&& o) noexcept {
    swap(o);
    return *this;
  }

  size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  Cell& operator[](size_t i) { return data_.get()[i]; }
  const Cell& operator[](size_t i) const { return data_.get()[i]; }
  Cell* begin() { return data_.get(); }
  Cell* end() { return data_.get() + size_; }
  const Cell* begin() const { return data_.get(); }
  const Cell* end() const { return data_.get() + size_; }
  // Grows with empty cells or cuts to `n` cells (the storage is exact: callers size it once).
  void resize(size_t n);
  void clear() { *this = CellArray(); }
  void swap(CellArray& o) noexcept {
    std::swap(data_, o.data_);
    std::swap(size_, o.size_);
  }

 private:
  using Block = std::unique_ptr<Cell, LargeBlockFree<Cell>>;
  // A zeroed block of `n` cells; throws std::bad_alloc when there is no memory.
  static Block Allocate(size_t n);
  void CopyFrom(const CellArray& o);
  Block data_;
  size_t size_ = 0;
};

// Storage for the texts too long to sit inline in a cell: chunks that are never moved, so
// growing the arena copies nothing. Chunks start small and double up to kMaxChunk; a text
// longer than that gets a chunk of its own.
class TextArena {
 public:
  static constexpr size_t kFirstChunk = 4096;
  // Chunks stop growing at one huge page, the size the system maps in one step.
  static constexpr size_t kMaxChunk = kHugePageBytes;

  TextArena() = default;
  TextArena(const TextArena& o);
  TextArena& operator=(const TextArena& o);
  // A moved-from arena is empty (its remembered texts go with the chunks).
  TextArena(TextArena&& o) noexcept { swap(o); }
  TextArena& operator=(TextArena&& o) noexcept {
    TextArena taken(std::move(o));
    swap(taken);
    return *this;
  }

  // Copies `text` in and returns its locator.
  uint64_t Append(std::string_view text);
  // The same, except that a text equal to one of the last few distinct texts put in this
  // way is not copied again: its locator is returned and the bytes are shared. A combo
  // column repeats a handful of long item texts (caption, padding and code) down a million
  // rows; kept once, they cost nothing per row. Shared bytes stay valid until Reset or
  // compaction, like every other text.
  uint64_t AppendShared(std::string_view text);
  std::string_view View(uint64_t locator, uint32_t size) const {
    return {chunks_[locator >> 32].data.get() + (locator & 0xFFFFFFFFu), size};
  }
  // From now on every new chunk is a whole huge page: the column is large, so small chunks
  // would only cost page faults one 4 KiB page at a time.
  void PreferFullChunks() { chunk_floor_ = kMaxChunk; }
  // Bytes taken by texts so far (live and garbage).
  size_t size() const { return bytes_; }
  // Makes room for `bytes` more without another chunk (a hint; never required).
  void reserve(size_t bytes);
  void clear() { *this = TextArena(); }
  // Forgets every text but keeps the chunks for the next ones: a column emptied and filled
  // again (each Display) writes into memory it already has. Views taken before are invalid.
  void Reset();
  void swap(TextArena& o) noexcept {
    std::swap(chunks_, o.chunks_);
    std::swap(bytes_, o.bytes_);
    std::swap(current_, o.current_);
    std::swap(chunk_floor_, o.chunk_floor_);
    std::swap(recent_, o.recent_);
    std::swap(recent_next_, o.recent_next_);
  }

 private:
  struct Chunk {
    std::unique_ptr<char, LargeBlockFree<char>> data;
    size_t capacity = 0;
    size_t used = 0;
  };
  // A chunk of `capacity` bytes; throws std::bad_alloc when there is no memory.
  static Chunk NewChunk(size_t capacity);
  // Makes chunks_[current_] (or a later kept chunk, or a new one) hold `bytes` more.
  void MakeRoom(size_t bytes);
  void AddChunk(size_t at_least);
  std::vector<Chunk> chunks_;
  size_t bytes_ = 0;
  size_t current_ = 0;  // the chunk being filled; later ones are empty (kept by Reset)
  size_t chunk_floor_ = 0;  // smallest new chunk (PreferFullChunks)
  // The texts AppendShared may share: locator, size and first eight bytes (a cheap first
  // test before the bytes are compared). A zero size is an unused entry.
  struct Recent {
    uint64_t locator = 0;
    uint32_t size = 0;
    uint64_t head = 0;
  };
  static constexpr size_t kRecent = 8;
  std::array<Recent, kRecent> recent_{};
  size_t recent_next_ = 0;  // the entry the next new text replaces
};

}  // namespace zel::internal
