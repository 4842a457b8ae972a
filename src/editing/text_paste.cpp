// Pasting prepared text into the sheet: whole rows as the grid copies them (SetTextPaste)
// and a block of fields (SetClipboardText).
//
// Row text (SetTextPaste), as the grid puts whole rows on the clipboard:
//
//   text  := line* rest
//   line  := header TAB field (TAB field)* CR? LF     one pasted row
//   rest  := any text without LF                      ignored
//
// The first field of a line is the copied row header (its status), which is not pasted: the
// row becomes a new "A" row. Field 2 goes to column 1, field 3 to column 2, and so on; the
// carriage return before the line feed is not part of the last field. For example, with the
// active cell on row 3,
//
//   "U\tK001\t홍길동\r\nA\tK002\t김철수\r\n"
//
// inserts rows 3 and 4 holding (K001, 홍길동) and (K002, 김철수), both "A"; the former
// row 3 moves to row 5.
//
// Block text (SetClipboardText): lines ended by LF, fields ended by TAB; line k goes to row
// row + k - 1 and field j of it to column col + j - 1, within the block. A field that no
// TAB ends (the text after a line's last TAB) and a line that no LF ends are not written:
//
//   "a\tb\tc\t\n"  ->  a, b, c in columns col..col+2       "a\tb\tc\n" ->  a, b only
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "sheet/sheet_state.h"
#include "text/strings.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

namespace {

// Positions in these texts were counted in 16 bits; longer texts are refused whole, before
// anything changes.
constexpr size_t kMaxPasteChars = 32767;

}  // namespace

void ZelSheet::SetTextPaste(const std::string& strClipboardText) {
  if (text::CharCount(strClipboardText) > kMaxPasteChars) {
    throw std::overflow_error("SetTextPaste: the text is longer than 32767 characters");
  }
  Grid& grid = impl_->grid;
  const int32_t activeCol = grid.ActiveCol(), activeRow = grid.ActiveRow();
  int32_t row = activeRow;
  std::string_view rest = strClipboardText;
  for (size_t lf = rest.find('\n'); lf != std::string_view::npos; lf = rest.find('\n')) {
    std::string_view line = rest.substr(0, lf);
    rest.remove_prefix(lf + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    grid.Col(0);
    grid.Row(row);
    grid.Action(kActionInsertRow);
    const size_t firstTab = line.find('\t');
    if (firstTab != std::string_view::npos) {
      std::string_view fields = line.substr(firstTab + 1);
      const int32_t maxCols = grid.MaxCols();
      for (int32_t col = 1; col <= maxCols; ++col) {
        const size_t tab = fields.find('\t');
        grid.SetText(col, row, std::string(fields.substr(0, tab)));
        if (tab == std::string_view::npos) break;
        fields.remove_prefix(tab + 1);
      }
    }
    grid.SetText(0, row, "A");
    ++row;
  }
  grid.Col(activeCol);
  grid.Row(activeRow);
}

void ZelSheet::SetClipboardText(int32_t col, int32_t Col2, int32_t row, int32_t Row2,
                                const std::string& strClipboardText) {
  Grid& grid = impl_->grid;
  const int32_t lastCol = std::min(Col2, grid.MaxCols());
  const int32_t lastRow = std::min(Row2, grid.MaxRows());
  std::string_view rest = strClipboardText;
  for (int32_t r = row; r <= lastRow; ++r) {
    const size_t lf = rest.find('\n');
    if (lf == std::string_view::npos) break;
    std::string_view line = rest.substr(0, lf);
    rest.remove_prefix(lf + 1);
    if (r < 1) continue;
    for (int32_t c = col; c <= lastCol; ++c) {
      const size_t tab = line.find('\t');
      if (tab == std::string_view::npos) break;
      if (c >= 1) grid.SetText(c, r, std::string(line.substr(0, tab)));
      line.remove_prefix(tab + 1);
    }
  }
}

}  // namespace zel
