// The sheet as the companion tools see it (GridTable): what a workbook, a printed page or a
// chart needs to look like the sheet, typed by the column model so that amounts leave as
// numbers, dates as dates, check boxes as TRUE/FALSE and combo cells as their captions.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "sheet/sheet_state.h"
#include "zelsheet/grid_view.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

namespace {

// The grid's address of header row `n` (0 = the top one).
int32_t HeaderRowAddress(int32_t n) { return n == 0 ? 0 : -1000 + n; }

// The grid columns the table covers: 1 up to the rightmost declared column (or, before any
// declaration and in the multi-row layout, the last column holding data).
int32_t LastTableCol(const ZelSheet::Impl& s) {
  int32_t last = 0;
  if (!s.flags.is_multi_sheet) {
    for (int32_t d = 1; d <= std::min(s.columns.counter, s.columns.Size()); ++d) {
      last = std::max(last, s.columns.MappedCol(d));
    }
  }
  if (last == 0) last = s.grid.DataColCnt();
  return std::min(last, s.grid.MaxCols());
}

TableColumn DescribeColumn(ZelSheet::Impl& s, int32_t col, int32_t sampleRow, int32_t& def) {
  Grid& grid = s.grid;
  TableColumn out;
  out.grid_col = col;
  out.width = grid.ColWidth(col);
  grid.Col(col);
  out.hidden = grid.ColHidden();
  def = 0;
  if (s.flags.is_multi_sheet) return out;
  const int32_t d = grid.GetColItemData(col);
  if (!s.columns.HasDef(d) || d > s.columns.counter) return out;
  def = d;
  switch (s.columns.Def(d).cell_type) {
    case EnFloat:
      out.kind = TableKind::kNumber;
      grid.Row(sampleRow);
      out.decimals = std::clamp<int16_t>(grid.TypeFloatDecimalPlaces(), 0, 15);
      out.thousands = grid.TypeFloatSeparator();
      break;
    case EnDate:
    case EnDateYearMonth: out.kind = TableKind::kDate; break;
    case EnCheck: out.kind = TableKind::kCheck; break;
    default: break;
  }
  return out;
}

std::string NumberValue(std::string text) {
  std::erase(text, ',');
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

GridTable ZelSheet::SheetTable() {
  Impl& s = *impl_;
  Grid& grid = s.grid;
  const int32_t savedCol = grid.Col(), savedRow = grid.Row();
  GridTable table;
  const int32_t lastCol = LastTableCol(s);
  const int32_t lastRow = grid.DataRowCnt();

  std::vector<int32_t> defs;
  for (int32_t c = 1; c <= lastCol; ++c) {
    int32_t def = 0;
    table.columns.push_back(DescribeColumn(s, c, std::max(1, std::min(lastRow, grid.MaxRows())), def));
    defs.push_back(def);
  }

  // Header rows: each cell shows the text of the span that covers it.
  const int32_t headerRows = std::max(1, grid.ColHeaderRows());
  for (int32_t h = 0; h < headerRows; ++h) {
    const int32_t row = HeaderRowAddress(h);
    std::vector<std::string> texts;
    for (int32_t c = 1; c <= lastCol; ++c) {
      int32_t ac = c, ar = row, nc = 1, nr = 1;
      std::string text;
      const bool spanned = grid.GetCellSpan(c, row, ac, ar, nc, nr);
      if (ar == -1000) ar = 0;  // the top header row has two addresses
      if (spanned && (ac != c || ar != row)) {
        texts.push_back("");
        continue;
      }
      grid.GetText(c, row, text);
      texts.push_back(std::move(text));
      if (nc > 1 || nr > 1) {
        const int32_t cols = std::min(nc, lastCol - c + 1);
        const int32_t rows = std::min(nr, headerRows - h);
        if (cols > 1 || rows > 1) table.header_spans.push_back(TableSpan{c - 1, h, cols, rows});
      }
    }
    table.header_rows.push_back(std::move(texts));
  }
  table.titles = table.header_rows.back();
  table.header_back = s.settings.colors.header_col_bg_color;
  table.header_fore = s.settings.colors.header_col_fg_color;
  table.frozen_cols = std::min(grid.ColsFrozen(), lastCol);

  GridView view(grid);
  CellLook look;
  std::string text;
  for (int32_t r = 1; r <= lastRow; ++r) {
    grid.Row(r);
    if (grid.RowHidden()) continue;
    if (r <= grid.RowsFrozen()) ++table.frozen_rows;
    std::vector<std::string> values;
    values.reserve(static_cast<size_t>(lastCol));
    for (int32_t c = 1; c <= lastCol; ++c) {
      const TableColumn& column = table.columns[static_cast<size_t>(c - 1)];
      const int32_t def = defs[static_cast<size_t>(c - 1)];
      text.clear();
      switch (column.kind) {
        case TableKind::kNumber:
          grid.GetText(c, r, text);
          values.push_back(NumberValue(std::move(text)));
          break;
        case TableKind::kDate: values.push_back(CellText(def, r)); break;
        case TableKind::kCheck:
          grid.GetText(c, r, text);
          values.push_back(text == "1" ? "1" : "0");
          break;
        case TableKind::kText:
          if (def > 0 && s.columns.Def(def).cell_type == EnCombo) {
            values.push_back(CellComboCaption(def, r));
          } else {
            grid.GetText(c, r, text);
            values.push_back(text);
          }
          break;
      }
    }
    table.rows.push_back(std::move(values));
    Color back = s.settings.colors.back_color, fore = s.settings.colors.fore_color;
    if (lastCol >= 1) {
      view.Cell(1, r, look);
      if (!look.selected) {
        back = look.back;
        fore = look.fore;
      }
    }
    table.row_back.push_back(back);
    table.row_fore.push_back(fore);
  }

  if (grid.IsBlockSelected()) {
    int32_t c1 = grid.SelBlockCol(), c2 = grid.SelBlockCol2();
    if (c1 == -1 || c2 == -1) {
      c1 = 1;
      c2 = lastCol;
    }
    for (int32_t c = std::max(1, std::min(c1, c2)); c <= std::min(lastCol, std::max(c1, c2)); ++c) {
      table.selected_cols.push_back(c - 1);
    }
  }
  grid.Col(savedCol);
  grid.Row(savedRow);
  return table;
}

}  // namespace zel
