// Operations on the grid's inner state shared by the engine's source files.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "grid/internal/grid_store.h"
#include "zelsheet/grid_view.h"

namespace zel::internal {

// ---- Axes --------------------------------------------------------------------------------
// Linear positions put header rows (columns) before the data ones without a gap: header n of
// H maps to n - (H - 1), so the last header is 0 and data row r stays r.
int32_t LinRow(const GridState& s, int32_t row);
int32_t RowAddr(const GridState& s, int32_t lin);
int32_t LinCol(const GridState& s, int32_t col);
int32_t ColAddr(const GridState& s, int32_t lin);

// A block of cells for content operations: -1 on an axis means its data part (1..Max).
// Linear bounds, lo > hi when empty.
struct CellRange {
  int32_t col_lo, col_hi, row_lo, row_hi;
  bool empty() const { return col_lo > col_hi || row_lo > row_hi; }
};
// The current cell, or with BlockMode the block; checks every address.
CellRange CurrentRange(const GridState& s, const char* who);
CellRange MakeRange(const GridState& s, const char* who, int32_t c1, int32_t r1, int32_t c2,
                    int32_t r2);

// ---- Content ------------------------------------------------------------------------------
// Writes a value as SetText does, by the cell's kind.
void StoreValue(GridState& s, Column& c, bool data_col, int32_t data_row, uint32_t slot,
                std::string_view v);
void StoreNumberValue(GridState& s, Column& c, bool data_col, int32_t data_row, uint32_t slot,
                      double v);
void EraseValue(GridState& s, Column& c, bool data_col, int32_t data_row, uint32_t slot);
// Copies a raw cell (any representation) from (src, from) into (c, slot).
void CopyValue(GridState& s, Column& c, bool data_col, int32_t data_row, uint32_t slot,
               const Column& src, uint32_t from);
// How a float or number cell shows its number: decimal places (0..15), thousands separators,
// currency sign.
struct FloatFormat {
  int decimals = 2;
  bool separator = false;
  bool money = false;
};
FloatFormat FloatFormatOf(const GridState& s, const Column& c, uint32_t slot);
// The shown text of number `v` in a cell of format `f`, with the grid's separator texts.
void FormatFloat(const GridState& s, const FloatFormat& f, double v, std::string& out);
// The text shown for a cell / its plain value.
void ShownText(const GridState& s, const Column& c, uint32_t slot, std::string& out);
std::string ShownText(const GridState& s, const Column& c, uint32_t slot);
std::string PlainValue(const GridState& s, const Column& c, uint32_t slot);
// The automatic label of an empty header cell: row 0 of a data column and column 0 of a
// data row, as ColHeaderDisplay / RowHeaderDisplay say (numbers or letters); "" elsewhere.
void AutoLabel(const GridState& s, int32_t col, int32_t row, std::string& out);
// Clipboard-style text: rows of TAB-separated fields. Lines end at LF; a CR before the LF is
// dropped; an empty text after the last LF is no line.
std::vector<std::vector<std::string>> ParseTabText(std::string_view text);
// Writes parsed rows from (col, row) on, within the limits (addresses, inclusive).
void PasteRows(GridState& s, const std::vector<std::vector<std::string>>& rows, int32_t col,
               int32_t row, int32_t col_limit, int32_t row_limit, bool plain);
// The cells of a range as TAB-separated texts, CR LF after each row.
std::string RangeText(const GridState& s, const CellRange& r, bool plain);

// Combo list items: the pieces ended by TAB (a non-empty rest after the last TAB is an item).
std::vector<std::string_view> ComboItems(std::string_view list);

// What a write reads of a cell's formats besides the cell itself: its kind and, for the kinds
// whose stored value depends on them, the settings that decide it.
struct WriteFormat {
  int16_t kind = kCellEdit;
  int decimals = 0;                         // float and number kinds: places kept, 0..15
  bool combo_fixed = false;                 // combo kind: only items of the list are taken
  const std::string* combo_list = nullptr;  // combo kind with combo_fixed: the list
};

// The format of a write to (c, slot), whose kind is `kind`; a fixed combo list points into
// the grid's formats.
WriteFormat FormatOfKind(const GridState& s, const Column& c, uint32_t slot, int16_t kind);

// Stores `v` into (c, slot) as SetText does for a cell whose format is `f`.
void StoreWithFormat(GridState& s, Column& c, bool data_col, int32_t data_row, uint32_t slot,
                     const std::string_view& v, const WriteFormat& f);

// Stores the finite number `v` into (c, slot) of kind float, number or integer, as SetText
// stores the text NumberToText writes for it when that text reads back unchanged (see
// NumberTextReadsBack).
void StoreNumberAs(GridState& s, Column& c, bool data_col, int32_t data_row, uint32_t slot,
                   double v, const WriteFormat& f);

// Whether a number cell reads NumberToText's text of a finite number as it is: none of the
// grid's separator, currency and decimal texts can occur in it.
bool NumberTextReadsBack(const GridState& s);

// Whether `v` holds one of the grid's separator, currency or decimal texts, which a number
// cell drops or replaces before it reads a number; without them it reads `v` as it is.
bool MayHoldNumberDecoration(const GridState& s, std::string_view v);

// ---- Formats -----------------------------------------------------------------------------
// Writes a property to the current cell or block (levels chosen by -1 addresses).
void WriteProp(GridState& s, const char* who, Prop p, PropValue v);
// Writes a property to the block c1..c2 x r1..r2 (addresses, -1 for all).
void WritePropRange(GridState& s, const char* who, Prop p, const PropValue& v, int32_t c1,
                    int32_t r1, int32_t c2, int32_t r2, uint64_t stamp);
// Reads a property of the current cell (or of the column / row / sheet for -1 addresses).
const PropValue& ReadProp(const GridState& s, const char* who, Prop p);
const PropValue& ReadPropAt(const GridState& s, const char* who, Prop p, int32_t col, int32_t row);

// ---- Rows and columns --------------------------------------------------------------------
void InsertRows(GridState& s, int32_t at, int32_t count);
void DeleteRows(GridState& s, int32_t at, int32_t count);
void InsertCols(GridState& s, int32_t at, int32_t count);
void DeleteCols(GridState& s, int32_t at, int32_t count);
// After MaxRows / MaxCols / header counts changed: spans, selection, frozen counts, the
// active cell and the scroll position are brought inside the grid.
void ClipToSize(GridState& s);
// Empties a column's contents (keeping it in place) and fixes the data extent.
void ResetColumn(GridState& s, Column& c, bool data_col);

// ---- Geometry ----------------------------------------------------------------------------
// Width / height in twips of a column / row as painted: 0 when hidden.
int32_t ColTwips(const GridState& s, int32_t col);
int32_t RowTwips(const GridState& s, int32_t row);
// Columns in painting order: the row-header columns (when displayed), the frozen columns,
// then the scrolled ones from `left_col` on. f(col, area) returns false to stop.
template <class F>
void WalkCols(const GridState& s, int32_t left_col, F f) {
  if (s.display_row_headers) {
    for (int32_t lc = 1 - s.head_cols(); lc <= 0; ++lc) {
      if (!f(ColAddr(s, lc), LayoutLine::kHeader)) return;
    }
  }
  const int32_t frozen = std::min(s.cols_frozen, s.max_cols);
  for (int32_t c = 1; c <= frozen; ++c) {
    if (!f(c, LayoutLine::kFrozen)) return;
  }
  for (int32_t c = std::max(left_col, frozen + 1); c <= s.max_cols; ++c) {
    if (!f(c, LayoutLine::kScrolled)) return;
  }
}
// Rows the same way: header rows, frozen rows, scrolled rows from `top_row` on.
template <class F>
void WalkRows(const GridState& s, int32_t top_row, F f) {
  if (s.display_col_headers) {
    for (int32_t lr = 1 - s.head_rows(); lr <= 0; ++lr) {
      if (!f(RowAddr(s, lr), LayoutLine::kHeader)) return;
    }
  }
  const int32_t frozen = std::min(s.rows_frozen, s.max_rows);
  for (int32_t r = 1; r <= frozen; ++r) {
    if (!f(r, LayoutLine::kFrozen)) return;
  }
  for (int32_t r = std::max(top_row, frozen + 1); r <= s.max_rows; ++r) {
    if (!f(r, LayoutLine::kScrolled)) return;
  }
}
// The visible layout of `vp` (GridView::Layout).
void ComputeLayout(const GridState& s, const GridViewport& vp, VisibleLayout& out);
// The line of `lines` (sorted by position) that covers `pos`; null when none does.
const LayoutLine* LineAt(const std::vector<LayoutLine>& lines, int32_t pos);

// Merged display: whether the data cell (col, row) joins the one above it in its column's
// merge (rows row - 1 and row show equal texts, and so do the earlier merged columns when the
// merge is restricted) / the one to its left in its row's merge. Empty cells never join.
bool JoinsAbove(const GridState& s, int32_t col, int32_t row);
bool JoinsLeft(const GridState& s, int32_t col, int32_t row);

// ---- Selection ----------------------------------------------------------------------------
bool BlockContains(const GridState& s, const Block& b, int32_t col, int32_t row);

// ---- Change tracking ----------------------------------------------------------------------
// The change listener's side of NoteChange; FlushChanges tells what gathered while ReDraw was off.
void TellChange(GridState& s, const GridChange& change);
void FlushChanges(GridState& s);
// Tells the change listener (if any) that cells of c1..c2 x r1..r2 (addresses, -1 for all)
// changed, gathering changes while ReDraw is off. Every change moves the change counter.
inline void NoteChange(GridState& s, int32_t c1, int32_t r1, int32_t c2, int32_t r2, bool layout = false) {
  ++s.change_count;
  if (s.change_listener != nullptr) TellChange(s, GridChange{c1, r1, c2, r2, layout, s.change_count});
}
// Notes a change when the member making it ends, by return or by an exception (what was
// done before a failure stays done, and shows). What a listener throws is dropped here.
class ChangeScope {
 public:
  ChangeScope(GridState& s, int32_t c1, int32_t r1, int32_t c2, int32_t r2, bool layout = false)
      : s_(s), change_{c1, r1, c2, r2, layout, 0} {}
  // A change of everything.
  explicit ChangeScope(GridState& s, bool layout = true) : ChangeScope(s, -1, -1, -1, -1, layout) {}
  // A change of the cells of `r` (linear bounds).
  ChangeScope(GridState& s, const CellRange& r)
      : ChangeScope(s, ColAddr(s, r.col_lo), RowAddr(s, r.row_lo), ColAddr(s, std::max(r.col_lo, r.col_hi)),
                    RowAddr(s, std::max(r.row_lo, r.row_hi))) {}
  ChangeScope(const ChangeScope&) = delete;
  ChangeScope& operator=(const ChangeScope&) = delete;
  ~ChangeScope() {
    try {
      NoteChange(s_, change_.col1, change_.row1, change_.col2, change_.row2, change_.layout);
    } catch (...) {
    }
  }

 private:
  GridState& s_;
  GridChange change_;
};
// A change of everything (formats of the whole grid, a loaded image, structural edits).
inline void NoteAllChanged(GridState& s, bool layout = true) { NoteChange(s, -1, -1, -1, -1, layout); }

}  // namespace zel::internal
