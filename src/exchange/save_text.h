// Reading the cells of a plain sheet in their outside text form, fast.
//
// Save parameter text carries every cell as CellText gives it (dates "yyyymmdd", combo
// cells their code, check boxes "1"/"0", floats as plain decimal text, everything else
// trimmed). Going through CellText cell by cell costs a bounds-checked engine call, a text
// copy and, for floats, a general number formatting per cell; on a sheet of millions of
// cells that is many times the cost of the text itself. This reader converts the common
// representations straight from the engine's storage: ASCII dates and combo codes by byte
// positions (where bytes are characters), everything else of those types with CellText's
// own conversion helpers (editing/cell_text.h). What CellText would read differently (a
// number held in a column that is not a float column, a float that is not finite, rows or
// columns outside the grid) goes to CellText itself.
//
// A reader is built for one call of a save member and must not outlive a change of the
// sheet: it keeps pointers into the engine's storage.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/number_text.h"
#include "grid/grid_store.h"
#include "zelsheet/types.h"

namespace zel {
class Grid;
}

namespace zel::internal {

// One sheet column as the save text reads it.
struct SaveColumn {
  int32_t def_col = 0;      // definition number (what the fallback gets)
  int32_t grid_col = 0;     // ColX(def_col); 0: always read through the fallback
  int32_t cell_type = 0;    // declared type; 0 when the sheet has no columns defined
  int32_t code_length = 0;  // combo code length (the column's maximum length)
  std::string_view mask;    // of an EnMask column; must outlive the reader
};

// The text being assembled. Pieces are written through a cursor into a small staging
// buffer that stays in the fastest cache, and the buffer is appended to the text whenever it
// fills: appending a field is a compare and a copy instead of a library call per piece, and
// the text's memory is written exactly once. Finish (or destruction) flushes.
class SaveTextSink {
 public:
  explicit SaveTextSink(std::string& out)
      : out_(out), buffer_(new char[kBufferSize]), p_(buffer_.get()),
        end_(buffer_.get() + kBufferSize) {}
  SaveTextSink(const SaveTextSink&) = delete;
  SaveTextSink& operator=(const SaveTextSink&) = delete;
  ~SaveTextSink() { Finish(); }

  // Bytes written so far, the text's own included.
  size_t Size() const { return out_.size() + Pending(); }
  // Makes the text's capacity ready for `n` more bytes, so that it grows only once.
  void Expect(size_t n) { out_.reserve(Size() + n); }
  void Put(std::string_view s) {
    if (s.size() > kBufferSize / 2) {
      Flush();
      out_.append(s);
      return;
    }
    MakeRoom(s.size());
    Copy(s.data(), s.size());
  }
  void Put(char c) {
    MakeRoom(1);
    *p_++ = c;
  }
  // A value followed by the field separator "~,".
  void PutField(std::string_view s) {
    if (s.size() > kBufferSize / 2) {
      Put(s);
      Put(std::string_view("~,"));
      return;
    }
    MakeRoom(s.size() + 2);
    Copy(s.data(), s.size());
    p_[0] = '~';
    p_[1] = ',';
    p_ += 2;
  }
  // Drops the last `n` bytes written (n no more than the last piece put).
  void Unput(size_t n) {
    const size_t pending = Pending();
    if (n <= pending) {
      p_ -= n;
    } else {
      p_ = buffer_.get();
      out_.resize(out_.size() - (n - pending));
    }
  }
  // Direct writing of at most kRoomMax bytes: Room(n) returns where they go; Commit(end)
  // takes everything written up to `end`.
  static constexpr size_t kRoomMax = 64;
  char* Room(size_t n) {
    MakeRoom(n);
    return p_;
  }
  void Commit(char* end) { p_ = end; }
  void Finish() { Flush(); }

 private:
  static constexpr size_t kBufferSize = 64 * 1024;

  size_t Pending() const { return static_cast<size_t>(p_ - buffer_.get()); }
  void MakeRoom(size_t n) {
    if (static_cast<size_t>(end_ - p_) < n) Flush();
  }
  void Flush() {
    out_.append(buffer_.get(), Pending());
    p_ = buffer_.get();
  }
  // Short values (most fields) are copied with overlapping word moves, without a call.
  void Copy(const char* s, size_t n) {
    if (n > 16 && n <= 32) {
      char a[16], b[16];
      std::memcpy(a, s, 16);
      std::memcpy(b, s + n - 16, 16);
      std::memcpy(p_, a, 16);
      std::memcpy(p_ + n - 16, b, 16);
    } else if (n >= 8 && n <= 16) {
      uint64_t a, b;
      std::memcpy(&a, s, 8);
      std::memcpy(&b, s + n - 8, 8);
      std::memcpy(p_, &a, 8);
      std::memcpy(p_ + n - 8, &b, 8);
    } else if (n >= 4 && n < 8) {
      uint32_t a, b;
      std::memcpy(&a, s, 4);
      std::memcpy(&b, s + n - 4, 4);
      std::memcpy(p_, &a, 4);
      std::memcpy(p_ + n - 4, &b, 4);
    } else if (n < 4) {
      for (size_t i = 0; i < n; ++i) p_[i] = s[i];
    } else {
      std::memcpy(p_, s, n);
    }
    p_ += n;
  }

  std::string& out_;
  std::unique_ptr<char[]> buffer_;
  char* p_;
  char* end_;
};

class SaveTextReader {
 public:
  // fallback(defCol, row) must return the sheet's CellText(defCol, row) and not throw.
  using Fallback = std::function<std::string(int32_t defCol, int32_t row)>;

  SaveTextReader(const Grid& grid, const std::vector<SaveColumn>& columns, Fallback fallback);

  size_t ColumnCount() const { return columns_.size(); }

  // The row header text (the row status) of data row `row` exactly as stored; empty for a
  // row outside 1..MaxRows or a status held as a number.
  std::string_view Status(int32_t row) const {
    if (row < 1 || row > state_.max_rows) return {};
    return state_.cols[0]->TextView(state_.row_map[static_cast<size_t>(row - 1)]);
  }

  // Points the reader at row `row`; call before Text for that row.
  void SelectRow(int32_t row) {
    row_ = row;
    row_valid_ = row >= 1 && row <= state_.max_rows;
    slot_ = row_valid_ ? state_.row_map[static_cast<size_t>(row - 1)] : 0;
    // The columns are separate arrays, read one cell each per row: ask for the cells a few
    // rows ahead now, so that the loads of later rows do not wait on memory.
    const int32_t ahead = row + kPrefetchRows;
    if (row_valid_ && ahead <= state_.max_rows) {
      const uint32_t slot = state_.row_map[static_cast<size_t>(ahead - 1)];
      const Column& status = *state_.cols[0];
      if (slot < status.cells.size()) __builtin_prefetch(&status.cells[slot]);
      for (const Reading& r : columns_) {
        if (r.cells != nullptr && slot < r.cells->cells.size()) {
          __builtin_prefetch(&r.cells->cells[slot]);
        }
      }
    }
  }

  // CellText of column `index` (0-based, in the order given) of the selected row. The view
  // stays valid until the next call of Text.
  std::string_view Text(size_t index);
  // Writes Text(index) and the field separator "~," to `sink`: the same bytes, with the
  // common cells copied straight from storage.
  void PutField(size_t index, SaveTextSink& sink);

 private:
  struct Reading {
    const Column* cells = nullptr;  // null: always through the fallback
    SaveColumn column;
  };
  std::string_view ThroughCellText(const Reading& r);
  // The conversions that are not worth inlining: non-ASCII texts, masks, texts in floats.
  std::string_view Converted(const Reading& r, std::string_view t);

  static std::string_view Trimmed(std::string_view t) {
    while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
    while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
    return t;
  }
  static bool AllAscii(const char* p, size_t n) {
    unsigned char any = 0;
    for (size_t i = 0; i < n; ++i) any |= static_cast<unsigned char>(p[i]);
    return any < 0x80;
  }

  static constexpr int32_t kPrefetchRows = 8;

  const GridState& state_;
  std::vector<Reading> columns_;
  Fallback fallback_;
  int32_t row_ = 0;
  bool row_valid_ = false;
  uint32_t slot_ = 0;
  std::string scratch_;
  char small_[kNumberTextMax];
};

inline std::string_view SaveTextReader::Text(size_t index) {
  const Reading& r = columns_[index];
  if (r.cells == nullptr || !row_valid_) return ThroughCellText(r);
  std::string_view t;
  const Cell* cell = r.cells->At(slot_);
  if (cell != nullptr) {
    switch (cell->rep()) {
      case Cell::kInline:
        t = {cell->inline_data(), cell->inline_size()};
        break;
      case Cell::kArena:
        t = r.cells->TextView(slot_);
        break;
      case Cell::kNumber: {
        // A number is read as CellText reads it only in a float column (its plain value);
        // elsewhere its shown text depends on the cell's kind.
        const double v = cell->number();
        if (r.column.cell_type != EnFloat || !std::isfinite(v)) return ThroughCellText(r);
        return {small_, static_cast<size_t>(WriteNumberText(small_, v) - small_)};
      }
      default:
        break;
    }
  }
  switch (r.column.cell_type) {
    case EnFloat:
      if (t.empty()) return "0";
      return Converted(r, t);
    case EnCheck:
      return t == "1" ? "1" : "0";
    case EnDate:
      // dd-mm-yyyy -> yyyymmdd: characters 7-10, 4-5, 1-2.
      if (t.size() == 10 && AllAscii(t.data(), 10)) {
        std::memcpy(small_, t.data() + 6, 4);
        std::memcpy(small_ + 4, t.data() + 3, 2);
        std::memcpy(small_ + 6, t.data(), 2);
        return Trimmed({small_, 8});
      }
      return Converted(r, t);
    case EnDateYearMonth:
      // mm-yyyy -> yyyymm: characters 4-7, 1-2.
      if (t.size() == 7 && AllAscii(t.data(), 7)) {
        std::memcpy(small_, t.data() + 3, 4);
        std::memcpy(small_ + 4, t.data(), 2);
        return Trimmed({small_, 6});
      }
      return Converted(r, t);
    case EnCombo: {
      // The code is the item text's last code-length characters: the last bytes when they
      // are ASCII (an ASCII byte is always a character of its own).
      const size_t n = static_cast<size_t>(r.column.code_length);
      if (r.column.code_length > 0 && t.size() >= n && AllAscii(t.data() + t.size() - n, n)) {
        return Trimmed(t.substr(t.size() - n));
      }
      return Converted(r, t);
    }
    case EnMask:
      return Converted(r, t);
    default:
      return Trimmed(t);
  }
}

inline void SaveTextReader::PutField(size_t index, SaveTextSink& sink) {
  const Reading& r = columns_[index];
  if (r.cells != nullptr && row_valid_) {
    const Cell* cell = r.cells->At(slot_);
    if (cell == nullptr || cell->empty()) {
      if (r.column.cell_type == EnFloat || r.column.cell_type == EnCheck) {
        sink.PutField(Text(index));
      } else {
        sink.PutField({});
      }
      return;
    }
    const Cell::Rep rep = cell->rep();
    const char* data = cell->inline_data();
    const size_t n = cell->inline_size();
    switch (r.column.cell_type) {
      case EnFloat:
        if (rep == Cell::kNumber && std::isfinite(cell->number())) {
          char* p = sink.Room(kNumberTextMax + 2);
          p = WriteNumberText(p, cell->number());
          p[0] = '~';
          p[1] = ',';
          sink.Commit(p + 2);
          return;
        }
        break;
      case EnDate:
        // dd-mm-yyyy -> yyyymmdd, when no blank needs trimming off the ends.
        if (rep == Cell::kInline && n == 10 && AllAscii(data, 10) && data[6] != ' ' &&
            data[1] != ' ') {
          char* p = sink.Room(10);
          std::memcpy(p, data + 6, 4);
          std::memcpy(p + 4, data + 3, 2);
          std::memcpy(p + 6, data, 2);
          p[8] = '~';
          p[9] = ',';
          sink.Commit(p + 10);
          return;
        }
        break;
      case EnCheck:
        if (rep != Cell::kNumber) {
          sink.PutField(rep == Cell::kInline && n == 1 && data[0] == '1' ? "1" : "0");
          return;
        }
        break;
      case EnCombo: {
        // The code: the item text's last code-length bytes when they are ASCII.
        const size_t code = static_cast<size_t>(r.column.code_length);
        if (rep == Cell::kNumber || r.column.code_length <= 0) break;
        const std::string_view item = r.cells->TextView(slot_);
        if (item.size() >= code && AllAscii(item.data() + item.size() - code, code)) {
          sink.PutField(Trimmed(item.substr(item.size() - code)));
          return;
        }
        break;
      }
      case EnDateYearMonth:
      case EnMask:
        break;
      default:
        // Text as stored, when no blank needs trimming: the whole inline cell is copied in
        // one move and the cursor advanced by the text's length.
        if (rep == Cell::kInline && n != 0 && data[0] != ' ' && data[n - 1] != ' ') {
          char* p = sink.Room(Cell::kInlineMax + 1 + 2);
          std::memcpy(p, data, Cell::kInlineMax + 1);
          p[n] = '~';
          p[n + 1] = ',';
          sink.Commit(p + n + 2);
          return;
        }
        if (rep == Cell::kArena) {
          sink.PutField(Trimmed(r.cells->TextView(slot_)));
          return;
        }
        break;
    }
  }
  sink.PutField(Text(index));
}

}  // namespace zel::internal
