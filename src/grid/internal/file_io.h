// File helpers of the grid's file members: file heads, log lines, and replacing the
// data cells by a table of texts (tab files and workbook imports).
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "zelsheet/grid.h"

namespace zel::internal {

// Reads the first `n` bytes of a file (fewer when it is shorter) and its size in bytes.
bool ReadFileHead(const std::string& path, size_t n, std::string& head, uint64_t& size);

// Appends one line to a log file; nothing when `log_path` is empty. Failures are ignored:
// a log never makes the logged operation fail.
void AppendLog(const std::string& log_path, const std::string& line);

// The most data rows a file of `bytes` bytes may make a grid hold. A row costs the grid
// about ten bytes however empty it is, so a short file declaring a huge row count would cost
// far more memory than its content justifies. A file is allowed one row per byte (a row it
// fills costs it at least that) plus a fixed allowance of empty rows; a loader refuses more.
inline constexpr int64_t kFileEmptyRowAllowance = int64_t{1} << 20;
inline int64_t RowsAFileMayHold(uint64_t bytes) {
  return static_cast<int64_t>(
      std::min<uint64_t>(bytes + kFileEmptyRowAllowance, static_cast<uint64_t>(Grid::kMaxDims)));
}

// A text to put into a cell: (data column, data row, text); row 0 is the column header.
struct TableCell {
  int32_t col;
  int32_t row;
  std::string text;
};

// Empties every data cell's text, grows MaxRows / MaxCols to hold the cells, then writes
// them with SetText (so each data cell's kind decides what it keeps). Columns are
// 1..kMaxColCount and rows 0..kMaxDims; row 0 writes the column header's text as given.
// Restores the grid's Col / Row / Col2 / Row2 / BlockMode. Returns false, with the grid as it
// was, when a cell lies outside those limits or the grid cannot grow to hold them.
bool ReplaceDataTexts(Grid& grid, const std::vector<TableCell>& cells);

// `text` with every byte sequence that is not well-formed UTF-8 replaced by U+FFFD, so that
// the markup written from it stays well-formed.
std::string ValidUtf8(std::string_view text);

}  // namespace zel::internal
