// The sheet's column model: what a screen declared about each of its columns, where each
// column stands in the grid, and the field records of the multi-row layout.
//
// Two numbering schemes meet here and must not be confused:
//   * a definition number (`def_col`) is a column's identity: AddItem hands them out from 1
//     in the order of definition; every array below is indexed by it;
//   * a grid column (`grid_col`) is where that column currently stands; the user and the
//     stored arrangement move columns, so the two drift apart. `display_map` maps the first
//     to the second; each grid column carries its definition number as its item data.
//
// Arrays are "sized 1..n" where n is the grid's MaxCols at the last resize; before the first
// resize they are empty, and every indexed access then fails with a SubscriptError, as a
// host expects of a sheet whose columns were never built.
//
// The sheet keeps one ColumnModel in its state (sheet/sheet_state.h); the members of
// src/columns declare and read it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "zelsheet/types.h"

namespace zel {

// One declared column (an AddItem call), indexed by definition number.
struct ColumnDef {
  std::string title;          // trimmed; tabs kept (the header shows it without them)
  std::string field_name;     // trimmed, tabs removed: the name in data strings and saves
  int32_t cell_type = 0;      // EnumCellTypeConstants value as declared (0 = never declared)
  std::string access_key;     // access code text, with "SHID;"/"SDIS;" appended by AddItem
  std::string default_value;
  int16_t read_class = 0;
  int16_t write_class = 0;
  int16_t max_length = 0;
  int16_t dec_length = 0;
  // Mask or list: every "9" of the declared text turned into "0"; for EnFloat columns the
  // number mask "#." plus dec_length zeros, written only when the column is formatted.
  std::string mask;
};

// One field of the multi-row layout: a cell inside a record of H grid rows.
struct FieldRecord {
  int32_t col = 0;        // grid column of the field's cell
  int32_t row = 0;        // row offset inside the record (0 = the record's first row)
  int32_t col_span = 0;   // grid columns the cell covers
  int32_t row_span = 0;   // grid rows the cell covers
  std::string title;
  std::string field_name;
  std::string access_key;
  int32_t cell_type = 0;
  int16_t max_length = 0;
  int16_t dec_length = 0;
  std::string mask;       // the list or mask text with every "9" turned into "0"
  std::string list;       // the list or mask text as given
  int32_t h_align = 0;    // alignments of the record's data cells
  int32_t v_align = 0;
};

// Field numbers by (row offset, grid column): which field a cell of a record belongs to.
// Bounds are 0..rows-1 by 0..cols-1 (the sheet sizes it H+1 by MaxCols+1); 0 = no field.
class FieldIndexTable {
 public:
  int32_t Rows() const { return rows_; }
  int32_t Cols() const { return cols_; }
  bool Contains(int32_t row, int32_t col) const {
    return row >= 0 && col >= 0 && row < rows_ && col < cols_;
  }
  // Throws SubscriptError outside the bounds.
  int32_t At(int32_t row, int32_t col) const;
  void Set(int32_t row, int32_t col, int32_t field);
  // New bounds, keeping every entry that lies inside both the old and the new ones.
  // Negative counts give an empty table.
  void Resize(int32_t rows, int32_t cols);

 private:
  int32_t rows_ = 0;
  int32_t cols_ = 0;
  std::vector<int32_t> cells_;  // row-major
};

// Everything the sheet keeps about its columns (one per sheet).
struct ColumnModel {
  // Last definition number handed out (GetMaxCols); also the number of field records in
  // the multi-row layout. Only SetMaxCols and the settings reset lower it.
  int32_t counter = 0;

  // Per definition number 1..Size().
  std::vector<ColumnDef> defs;
  // Back colours kept by the double-click highlighting, one per definition number.
  std::vector<Color> highlight_back_colors;
  // Display map: grid column of each definition number.
  std::vector<int32_t> display_map;
  // One flag per grid column 1..Size(): the header sort direction of each column.
  std::vector<bool> header_sort_flags;

  // The read and write classes of the screen the sheet stands on (FormReadClass /
  // FormWriteClass): a column declared below them is hidden ("SHID") / locked ("SDIS").
  int16_t form_read_class = 0;
  int16_t form_write_class = 0;

  // True once the user's stored column arrangement (order, widths, hidden columns) has been
  // applied to this sheet; from then on "HID" alone no longer hides a column, because the
  // user's own choice of hidden columns is already in place.
  bool layout_restored = false;

  // ---- Multi-row layout ----
  std::vector<FieldRecord> fields;     // field records 1..fields.size()
  FieldIndexTable index_table;         // (row offset 0..H, grid column 0..MaxCols)
  int32_t current_field = 0;           // field of the cell the user last moved into
  // Set when the definition came from the sheet's string parameters: AddItem_Multi then
  // keeps the stored titles and access codes instead of the caller's.
  bool stored_definition = false;

  // Number of entries of the per-definition arrays (the MaxCols of the last resize).
  int32_t Size() const { return static_cast<int32_t>(defs.size()); }
  bool HasDef(int32_t def_col) const { return def_col >= 1 && def_col <= Size(); }
  // Definition `def_col`; throws SubscriptError outside 1..Size().
  ColumnDef& Def(int32_t def_col);
  const ColumnDef& Def(int32_t def_col) const;

  // Grid column of definition `def_col` from the display map; `def_col` itself when it lies
  // outside the map (so a column the model never covered addresses the grid directly).
  int32_t MappedCol(int32_t def_col) const;

  // Resizes every per-definition array and the per-grid-column flags to 1..n, keeping the
  // entries; map entries of definition numbers counter+1..n are set to themselves (the
  // columns not yet declared stand where they were created). n <= 0 leaves all unchanged.
  // Returns the first definition number whose map entry was (re)set, so the caller gives
  // the same grid columns their item data.
  int32_t Resize(int32_t n);

  bool HasField(int32_t field) const {
    return field >= 1 && field <= static_cast<int32_t>(fields.size());
  }
  // Field record `field`; throws SubscriptError outside 1..fields.size().
  FieldRecord& Field(int32_t field);
  const FieldRecord& Field(int32_t field) const;
  // Resizes the field record list to 1..n keeping records (n < 0 -> empty).
  void ResizeFields(int32_t n);
};

}  // namespace zel
