// The grid's own file image (SaveToFile / LoadFromFile) and TAB-separated text files.
// The image format is written down in layout_image.cpp.
#include <memory>

#include "grid/internal/file_io.h"
#include "grid/internal/grid_ops.h"
#include "grid/internal/layout_image.h"
#include "platform/atomic_file.h"
#include "text/codepage.h"
#include "text/strings.h"

namespace zel {
using namespace internal;

namespace {

// A TAB-separated file is read whole; beyond this it is refused rather than exhausting memory.
constexpr uint64_t kMaxTabFileBytes = uint64_t{1} << 32;

// The UTF-8 form of U+FEFF, which at the start of a file is its byte-order mark.
constexpr const char* kUtf8Bom = "\xEF\xBB\xBF";

bool IsValidUtf8(std::string_view s) {
  for (size_t i = 0; i < s.size();) {
    const size_t n = text::CharSizeAt(s, i);
    if (n == 1 && static_cast<unsigned char>(s[i]) >= 0x80) return false;
    i += n;
  }
  return true;
}

}  // namespace

bool Grid::SaveToFile(const std::string& path, bool dataOnly) {
  if (path.empty()) return false;
  std::string image;
  try {
    image = EncodeLayoutImage(*state_, dataOnly);
  } catch (const std::bad_alloc&) {
    return false;
  }
  return WriteFileAtomically(path, image).empty();
}

bool Grid::LoadFromFile(const std::string& path) {
  if (!IsUsablePath(path)) return false;
  // The header says how long the image is: a foreign or truncated file is refused before
  // it is read whole.
  std::string head;
  uint64_t size = 0;
  if (!ReadFileHead(path, kImageHeaderSize, head, size)) return false;
  const uint64_t expected = LayoutImageSize(head);
  if (expected == 0 || expected != size) return false;
  std::string image;
  if (!ReadWholeFile(path, image, expected) || image.size() != expected) return false;
  // The image is decoded into a new model; the grid changes only when all of it was good.
  // The session (cursor, selection, scroll, listeners) stays, brought inside the new size.
  std::unique_ptr<GridModel> fresh;
  try {
    fresh = std::make_unique<GridModel>();
  } catch (const std::bad_alloc&) {
    return false;
  }
  if (!DecodeLayoutImage(image, *fresh).empty()) return false;
  GridState& s = *state_;
  static_cast<GridModel&>(s) = std::move(*fresh);
  ClipToSize(s);
  NoteAllChanged(s);
  return true;
}

bool Grid::SaveTabFile(const std::string& path) {
  if (path.empty()) return false;
  const int32_t rows = DataRowCnt();
  const int32_t cols = DataColCnt();
  std::string out;
  std::string cell;
  for (int32_t r = 1; r <= rows; ++r) {
    for (int32_t c = 1; c <= cols; ++c) {
      if (c > 1) out += '\t';
      GetText(c, r, cell);
      // A TAB or line break inside a cell would split it; the file keeps the table's shape.
      for (char& ch : cell) {
        if (ch == '\t' || ch == '\n' || ch == '\r') ch = ' ';
      }
      out += cell;
    }
    out += "\r\n";
  }
  // The reader takes a leading U+FEFF for a byte-order mark and drops it. A table whose
  // first cell starts with that character gets a mark of its own before it, so that the
  // character is read back as the cell's.
  if (out.compare(0, 3, kUtf8Bom) == 0) out.insert(0, kUtf8Bom);
  return WriteFileAtomically(path, out).empty();
}

bool Grid::LoadTabFile(const std::string& path) {
  if (path.empty()) return false;
  std::string bytes;
  if (!ReadWholeFile(path, bytes, kMaxTabFileBytes)) return false;
  if (bytes.compare(0, 3, kUtf8Bom) == 0) bytes.erase(0, 3);
  // Files from older tools are in the system's ANSI code page rather than UTF-8.
  if (!IsValidUtf8(bytes)) bytes = text::FromAnsi(bytes);
  const auto rows = ParseTabText(bytes);
  // Every row and field is checked before the grid changes: a refused file leaves it as it was.
  if (rows.size() > static_cast<size_t>(kMaxDims)) return false;
  std::vector<TableCell> cells;
  for (size_t r = 0; r < rows.size(); ++r) {
    if (rows[r].size() > static_cast<size_t>(kMaxColCount)) return false;
    for (size_t c = 0; c < rows[r].size(); ++c) {
      cells.push_back(TableCell{static_cast<int32_t>(c + 1), static_cast<int32_t>(r + 1), rows[r][c]});
    }
  }
  return ReplaceDataTexts(*this, cells);
}

}  // namespace zel
