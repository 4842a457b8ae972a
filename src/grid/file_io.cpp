#include "grid/internal/file_io.h"

#include <algorithm>
#include <exception>
#include <fstream>

#include "grid/internal/grid_ops.h"
#include "platform/atomic_file.h"
#include "text/strings.h"

namespace zel::internal {

bool ReadFileHead(const std::string& path, size_t n, std::string& head, uint64_t& size) {
  if (!IsUsablePath(path)) return false;
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  in.seekg(0, std::ios::end);
  const std::streamoff end = in.tellg();
  if (end < 0) return false;
  size = static_cast<uint64_t>(end);
  in.seekg(0, std::ios::beg);
  head.assign(static_cast<size_t>(std::min<uint64_t>(n, size)), '\0');
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  return in.gcount() == static_cast<std::streamsize>(head.size());
}

void AppendLog(const std::string& log_path, const std::string& line) {
  if (!IsUsablePath(log_path)) return;
  std::ofstream out(log_path, std::ios::binary | std::ios::app);
  if (out) out << line << '\n';
}

namespace {

// Restores the property-access cursor and block of a grid when it goes out of scope.
class AddressGuard {
 public:
  explicit AddressGuard(Grid& g)
      : g_(g), col_(g.Col()), row_(g.Row()), col2_(g.Col2()), row2_(g.Row2()), block_(g.BlockMode()) {}
  ~AddressGuard() {
    g_.Col(col_);
    g_.Row(row_);
    g_.Col2(col2_);
    g_.Row2(row2_);
    g_.BlockMode(block_);
  }
  AddressGuard(const AddressGuard&) = delete;
  AddressGuard& operator=(const AddressGuard&) = delete;

 private:
  Grid& g_;
  int32_t col_, row_, col2_, row2_;
  bool block_;
};

}  // namespace

bool ReplaceDataTexts(Grid& grid, const std::vector<TableCell>& cells) {
  int32_t rows = 0, cols = 0;
  for (const TableCell& c : cells) {
    if (c.col < 1 || c.col > Grid::kMaxColCount || c.row < 0 || c.row > Grid::kMaxDims) return false;
    rows = std::max(rows, c.row);
    cols = std::max(cols, c.col);
  }
  // Growing is the step that can fail (memory); it comes before any text is cleared, and a
  // failure takes the added rows and columns away again.
  const int32_t old_rows = grid.MaxRows(), old_cols = grid.MaxCols();
  try {
    if (rows > old_rows) grid.MaxRows(rows);
    if (cols > old_cols) grid.MaxCols(cols);
  } catch (const std::exception&) {
    if (grid.MaxCols() != old_cols) grid.MaxCols(old_cols);
    if (grid.MaxRows() != old_rows) grid.MaxRows(old_rows);
    return false;
  }
  AddressGuard guard(grid);
  if (grid.MaxRows() > 0 && grid.MaxCols() > 0 && grid.DataRowCnt() > 0) {
    grid.Col(1);
    grid.Col2(grid.MaxCols());
    grid.Row(1);
    grid.Row2(grid.MaxRows());
    grid.BlockMode(true);
    grid.Action(kActionClearText);
  }
  GridState& s = StateOf(grid);
  for (const TableCell& c : cells) {
    if (c.text.empty()) continue;
    if (c.row >= 1) {
      grid.SetText(c.col, c.row, c.text);
    } else {
      // A header text is a caption, kept as given whatever kind its column's cells have
      // (header cells do not count towards the data extent).
      s.ColumnAt("ReplaceDataTexts", c.col).StoreText(s.SlotOf("ReplaceDataTexts", c.row), c.text);
    }
  }
  NoteAllChanged(s, false);
  return true;
}

std::string ValidUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    const size_t n = text::CharSizeAt(text, i);
    if (n == 1 && static_cast<unsigned char>(text[i]) >= 0x80) {
      out += "\xEF\xBF\xBD";
    } else {
      out.append(text.substr(i, n));
    }
    i += n;
  }
  return out;
}

}  // namespace zel::internal
