// Operations on the grid's inner state shared by the engine's source files.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "grid/grid_store.h"

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
// The text shown for a cell / its plain value.
void ShownText(const GridState& s, const Column& c, uint32_t slot, std::string& out);
std::string ShownText(const GridState& s, const Column& c, uint32_t slot);
std::string PlainValue(const GridState& s, const Column& c, uint32_t slot);
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

// ---- Spans -------------------------------------------------------------------------------
void ShiftSpansForRows(GridState& s, int32_t at, int32_t delta);  // delta > 0 insert, < 0 delete
void ShiftSpansForCols(GridState& s, int32_t at, int32_t delta);
void RebuildSpanLimits(GridState& s);

}  // namespace zel::internal
