// Reading the cells of a plain sheet in their outside text form, fast.
//
// Save parameter text carries every cell as CellText gives it (dates "yyyymmdd", combo
// cells their code, check boxes "1"/"0", floats as plain decimal text, everything else
// trimmed). Going through CellText cell by cell costs a bounds-checked engine call, a text
// copy and, for floats, a general number formatting per cell; on a sheet of millions of
// cells that is many times the cost of the text itself. This reader converts the common
// representations straight from the cells the engine's column reader hands out
// (grid/column_reader.h): ASCII dates and combo codes by byte positions (where bytes are
// characters), everything else of those types with the conversions CellText uses
// (columns/cell_conversions.h). What CellText would read differently (a number held in a
// column that is not a float column, a float that is not finite, rows or columns outside the
// grid) goes to CellText itself.
//
// Whole lines are written by PutLine through SaveTextSink, which writes in place into the
// result text: the columns' forms are decided once per call, each line takes one room check,
// and the cells of later rows are requested from memory ahead of use (the columns are
// separate arrays, so a row's cells are as many scattered loads).
//
// A reader is built for one call of a save member and must not outlive a change of the
// sheet: it keeps the engine's column readers.
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

#include "text/number.h"
#include "columns/cell_conversions.h"
#include "grid/column_reader.h"
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

// The text being assembled, written in place. The text is kept somewhat longer than what
// has been written: pieces go through a cursor into that spare end (the window), so
// appending a field is a compare and a few stores instead of a library call per piece, and
// every byte is written once, straight where it stays. The window is added a few KiB at a
// time (its bytes are cleared then, which leaves them in the cache for the writes that
// follow) and cut off by Finish. The text must not be used otherwise while a sink writes
// to it; Finish (or destruction) gives it its final length.
class SaveTextSink {
 public:
  explicit SaveTextSink(std::string& out) : out_(out) {
    p_ = out_.data() + out_.size();
    end_ = p_;
  }
  SaveTextSink(const SaveTextSink&) = delete;
  SaveTextSink& operator=(const SaveTextSink&) = delete;
  ~SaveTextSink() { Finish(); }

  // Bytes written so far, those the text had before included.
  size_t Size() const { return static_cast<size_t>(p_ - out_.data()); }
  // Makes the text's capacity ready for `n` more bytes, so that it is allocated only once
  // more, and asks for that fresh memory to be mapped in large pages. A hint: when that
  // much memory cannot be had the text grows as it is written instead.
  void Expect(size_t n);
  // Room for `n` bytes at the cursor: returns where they go. Commit(end) then takes
  // everything written up to `end`; bytes of the room past `end` are left as scratch.
  char* Room(size_t n) {
    if (static_cast<size_t>(end_ - p_) < n) Widen(n);
    return p_;
  }
  void Commit(char* end) { p_ = end; }
  void Put(std::string_view s) {
    char* p = Room(s.size());
    Copy(p, s.data(), s.size());
    p_ = p + s.size();
  }
  void Put(char c) {
    char* p = Room(1);
    *p = c;
    p_ = p + 1;
  }
  // A value followed by the field separator "~,".
  void PutField(std::string_view s) {
    char* p = Room(s.size() + 2);
    Copy(p, s.data(), s.size());
    p += s.size();
    p[0] = '~';
    p[1] = ',';
    p_ = p + 2;
  }
  // Drops the last `n` bytes written (n no more than the last piece put).
  void Unput(size_t n) { p_ -= n; }
  void Finish() {
    out_.resize(Size());
    p_ = out_.data() + out_.size();
    end_ = p_;
  }

  // Copies n bytes; short ones (most fields) with overlapping word moves, without a call.
  static void Copy(char* to, const char* s, size_t n) {
    if (n > 16 && n <= 32) {
      char a[16], b[16];
      std::memcpy(a, s, 16);
      std::memcpy(b, s + n - 16, 16);
      std::memcpy(to, a, 16);
      std::memcpy(to + n - 16, b, 16);
    } else if (n >= 8 && n <= 16) {
      uint64_t a, b;
      std::memcpy(&a, s, 8);
      std::memcpy(&b, s + n - 8, 8);
      std::memcpy(to, &a, 8);
      std::memcpy(to + n - 8, &b, 8);
    } else if (n >= 4 && n < 8) {
      uint32_t a, b;
      std::memcpy(&a, s, 4);
      std::memcpy(&b, s + n - 4, 4);
      std::memcpy(to, &a, 4);
      std::memcpy(to + n - 4, &b, 4);
    } else if (n < 4) {
      for (size_t i = 0; i < n; ++i) to[i] = s[i];
    } else {
      std::memcpy(to, s, n);
    }
  }

 private:
  static constexpr size_t kWindow = 16 * 1024;
  // Bytes a memory allocator keeps in front of a large block, at most.
  static constexpr size_t kAllocatorHeader = 64;

  // Lengthens the window to at least `n` bytes, growing the capacity when needed.
  void Widen(size_t n);
  // Makes the capacity at least `total`, keeping what is written and the window.
  void Reserve(size_t total);

  std::string& out_;
  char* p_;    // the cursor: end of what is written
  char* end_;  // end of the window (out_'s current length)
};

class SaveTextReader {
 public:
  // fallback(defCol, row) must return the sheet's CellText(defCol, row) and not throw.
  using Fallback = std::function<std::string(int32_t defCol, int32_t row)>;

  SaveTextReader(const Grid& grid, const std::vector<SaveColumn>& columns, Fallback fallback);
  SaveTextReader(const SaveTextReader&) = delete;  // it points into itself
  SaveTextReader& operator=(const SaveTextReader&) = delete;

  // The row header text (the row status) of data row `row` exactly as stored; empty for a
  // row outside 1..MaxRows or a status held as a number.
  std::string_view Status(int32_t row) const {
    if (row < 1 || row > grid_.MaxRows()) return {};
    return status_.Text(status_.At(grid_.Slot(row)));
  }
  // The status of data row `row` when it is a text of one byte (as "A", "U" and "X" are),
  // read from the cell without building a view; 0 for any other status (read it with
  // Status then).
  char StatusByte(int32_t row) const {
    if (row < 1 || row > grid_.MaxRows()) return 0;
    const StoredCell cell = status_.At(grid_.Slot(row));
    return cell.kind() == StoredCell::kShortText && cell.short_size() == 1 ? cell.short_data()[0] : 0;
  }

  // Points the reader at row `row`; call before Text, PutField or PutLine for that row.
  void SelectRow(int32_t row) {
    row_ = row;
    row_valid_ = row >= 1 && row <= grid_.MaxRows();
    slot_ = row_valid_ ? grid_.Slot(row) : 0;
    // The columns are separate arrays, read one cell each per row: ask for the cells a few
    // rows ahead now, so that the loads of later rows do not wait on memory.
    if (row_valid_ && row <= grid_.MaxRows() - kPrefetchRows) {
      const uint32_t slot = grid_.Slot(row + kPrefetchRows);
      if (slot < prefetch_limit_) {
        for (const ColumnCells* cells : prefetch_cells_) __builtin_prefetch(cells->Address(slot));
      }
    }
  }

  // CellText of column `index` (0-based, in the order given) of the selected row. The view
  // stays valid until the next call of Text.
  std::string_view Text(size_t index);
  // Writes Text(index) and the field separator "~," to `sink`: the same bytes, with the
  // common cells copied straight from storage.
  void PutField(size_t index, SaveTextSink& sink);
  // The start of a save line: its tag and row number fields, at most 16 bytes.
  struct LineLead {
    char bytes[16] = {};
    size_t size = 0;
  };
  // Writes a whole save line of the selected row: `lead`, every column as PutField writes
  // it, and the row separator "~I~". The common cells are written through one room taken
  // for the whole line.
  void PutLine(SaveTextSink& sink, const LineLead& lead);

 private:
  // How PutRow reads a column's common cells; kGeneral: always through PutField.
  enum class Form : uint8_t { kGeneral, kText, kFloat, kDate, kCheck, kCombo };
  struct Reading {
    bool direct = false;  // false: always through the fallback
    ColumnCells cells;
    Form form = Form::kGeneral;
    SaveColumn def;
  };
  std::string_view ThroughCellText(const Reading& r);
  // The conversions that are not worth inlining: non-ASCII texts, masks, texts in floats.
  std::string_view Converted(const Reading& r, std::string_view t);

  static std::string_view Trimmed(std::string_view t) {
    while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
    while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
    return t;
  }
  static constexpr int32_t kPrefetchRows = 8;
  // What one common cell may take of a row's room: a text of up to 32 bytes or a number's
  // scratch, and the separator.
  static constexpr size_t kFieldRoom = 32 + 2;
  static_assert(kFieldRoom >= text::kNumberTextMax + 2);

  GridCells grid_;
  ColumnCells status_;  // the row header column
  std::vector<Reading> columns_;
  // The columns read per row (status and columns, each once) and the smallest of their
  // lengths: the slots below it are in every one of them.
  std::vector<const ColumnCells*> prefetch_cells_;
  size_t prefetch_limit_ = 0;
  size_t row_room_ = 0;  // a line's lead and separator, and kFieldRoom for every column
  Fallback fallback_;
  int32_t row_ = 0;
  bool row_valid_ = false;
  uint32_t slot_ = 0;
  std::string scratch_;
  char small_[text::kNumberTextMax];
};

inline std::string_view SaveTextReader::Text(size_t index) {
  const Reading& r = columns_[index];
  if (!r.direct || !row_valid_) return ThroughCellText(r);
  std::string_view t;
  const StoredCell cell = r.cells.At(slot_);
  switch (cell.kind()) {
    case StoredCell::kShortText:
    case StoredCell::kLongText:
      t = r.cells.Text(cell);
      break;
    case StoredCell::kNumber: {
      // A number is read as CellText reads it only in a float column (its plain value);
      // elsewhere its shown text depends on the cell's kind.
      const double v = cell.number();
      if (r.def.cell_type != EnFloat || !std::isfinite(v)) return ThroughCellText(r);
      return {small_, static_cast<size_t>(text::WriteNumberText(small_, v) - small_)};
    }
    default:
      break;
  }
  switch (r.def.cell_type) {
    case EnFloat:
      if (t.empty()) return "0";
      return Converted(r, t);
    case EnCheck:
      return t == "1" ? "1" : "0";
    case EnDate:
      // dd-mm-yyyy -> yyyymmdd: characters 7-10, 4-5, 1-2.
      if (t.size() == 10 && IsAscii(t.data(), 10)) {
        AsciiDateFromGrid(t.data(), small_);
        return Trimmed({small_, 8});
      }
      return Converted(r, t);
    case EnDateYearMonth:
      // mm-yyyy -> yyyymm: characters 4-7, 1-2.
      if (t.size() == 7 && IsAscii(t.data(), 7)) {
        AsciiYearMonthFromGrid(t.data(), small_);
        return Trimmed({small_, 6});
      }
      return Converted(r, t);
    case EnCombo: {
      // The code is the item text's last code-length characters: the last bytes when they
      // are ASCII (an ASCII byte is always a character of its own).
      const size_t n = static_cast<size_t>(r.def.code_length);
      if (r.def.code_length > 0 && t.size() >= n && IsAscii(t.data() + t.size() - n, n)) {
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
  if (r.direct && row_valid_) {
    const StoredCell cell = r.cells.At(slot_);
    if (cell.empty()) {
      if (r.def.cell_type == EnFloat || r.def.cell_type == EnCheck) {
        sink.PutField(Text(index));
      } else {
        sink.PutField({});
      }
      return;
    }
    const StoredCell::Kind kind = cell.kind();
    switch (r.def.cell_type) {
      case EnFloat:
        if (kind == StoredCell::kNumber && std::isfinite(cell.number())) {
          char* p = sink.Room(text::kNumberTextMax + 2);
          p = text::WriteNumberText(p, cell.number());
          p[0] = '~';
          p[1] = ',';
          sink.Commit(p + 2);
          return;
        }
        break;
      case EnCheck:
        if (kind != StoredCell::kNumber) {
          const bool on = kind == StoredCell::kShortText && cell.short_size() == 1 &&
                          cell.short_data()[0] == '1';
          sink.PutField(on ? "1" : "0");
          return;
        }
        break;
      case EnDate:
      case EnDateYearMonth:
      case EnMask:
      case EnCombo:
        break;
      default:
        // Any other text trimmed, whatever its length.
        if (kind != StoredCell::kNumber) {
          sink.PutField(Trimmed(r.cells.Text(cell)));
          return;
        }
        break;
    }
  }
  sink.PutField(Text(index));
}

inline void SaveTextReader::PutLine(SaveTextSink& sink, const LineLead& lead) {
  // The plan and the row in locals: the text's bytes are written through a char pointer,
  // which could otherwise alias them and make every column reload them.
  const Reading* const first = columns_.data();
  const size_t count = columns_.size();
  const bool valid = row_valid_;
  const uint32_t slot = slot_;
  char* p = sink.Room(row_room_);
  std::memcpy(p, lead.bytes, sizeof lead.bytes);
  p += lead.size;
  for (size_t i = 0; i < count; ++i) {
    const Reading& r = first[i];
    if (valid && r.form != Form::kGeneral) {
      const StoredCell cell = r.cells.At(slot);
      const StoredCell::Kind rep = cell.kind();
      const char* data = cell.short_data();
      const size_t n = cell.short_size();
      switch (r.form) {
        case Form::kText:
          // Text as stored when no blank needs trimming: an inline cell is moved whole (16
          // bytes) and the cursor advanced by the text's length.
          if (rep == StoredCell::kShortText && n != 0 && data[0] != ' ' && data[n - 1] != ' ') {
            std::memcpy(p, data, StoredCell::kShortReadable);
            p[n] = '~';
            p[n + 1] = ',';
            p += n + 2;
            continue;
          }
          if (rep == StoredCell::kEmpty) {
            p[0] = '~';
            p[1] = ',';
            p += 2;
            continue;
          }
          if (rep == StoredCell::kLongText) {
            const std::string_view t = r.cells.Text(cell);
            if (!t.empty() && t.size() <= 32 && t.front() != ' ' && t.back() != ' ') {
              SaveTextSink::Copy(p, t.data(), t.size());
              p[t.size()] = '~';
              p[t.size() + 1] = ',';
              p += t.size() + 2;
              continue;
            }
          }
          break;
        case Form::kFloat:
          if (rep == StoredCell::kNumber && std::isfinite(cell.number())) {
            p = text::WriteNumberText(p, cell.number());
            p[0] = '~';
            p[1] = ',';
            p += 2;
            continue;
          }
          if (rep == StoredCell::kEmpty) {
            std::memcpy(p, "0~,", 3);
            p += 3;
            continue;
          }
          break;
        case Form::kDate:
          // dd-mm-yyyy -> yyyymmdd, when no blank needs trimming off the ends.
          if (rep == StoredCell::kShortText && n == 10 && IsAscii(data, 10) && data[6] != ' ' &&
              data[1] != ' ') {
            AsciiDateFromGrid(data, p);
            p[8] = '~';
            p[9] = ',';
            p += 10;
            continue;
          }
          if (rep == StoredCell::kEmpty) {
            p[0] = '~';
            p[1] = ',';
            p += 2;
            continue;
          }
          break;
        case Form::kCheck:
          if (rep != StoredCell::kNumber) {
            p[0] = rep == StoredCell::kShortText && n == 1 && data[0] == '1' ? '1' : '0';
            p[1] = '~';
            p[2] = ',';
            p += 3;
            continue;
          }
          break;
        case Form::kCombo: {
          // The code: the item text's last code-length bytes when they are ASCII and need
          // no trimming (code lengths of at most 32 bytes take this way).
          if (rep == StoredCell::kEmpty) {
            p[0] = '~';
            p[1] = ',';
            p += 2;
            continue;
          }
          if (rep == StoredCell::kNumber) break;
          const size_t code = static_cast<size_t>(r.def.code_length);
          const std::string_view item = r.cells.Text(cell);
          if (item.size() >= code) {
            const char* c = item.data() + item.size() - code;
            if (IsAscii(c, code) && c[0] != ' ' && c[code - 1] != ' ') {
              SaveTextSink::Copy(p, c, code);
              p[code] = '~';
              p[code + 1] = ',';
              p += code + 2;
              continue;
            }
          }
          break;
        }
        case Form::kGeneral:
          break;
      }
    }
    sink.Commit(p);
    PutField(i, sink);
    p = sink.Room(row_room_);
  }
  std::memcpy(p, "~I~", 3);
  sink.Commit(p + 3);
}

}  // namespace zel::internal
