// DisplayQuerySheet: a query result text (grammar and worked example in text/data_shapes.h)
// shown on a sheet whose columns the screen has declared, with the result choosing each
// column's role: summed ("T..."), averaged ("A..."), the total label ("TOTAL" or "합계",
// which switches a total row 1 on), and the check, select and display columns ("C", "S",
// "D") unless the caller named them.
//
// A query sheet carries system columns after its data columns: with n = MaxCols, column
// n - 1 takes the marker "TOTALROW" in the total row, column n - 4 is hidden when the result
// names a check column and n - 5 when it names a display column (definition numbers).
//
// The rows are read by the data string reader and written by the grid's bulk writer, as
// Display does, so a query costs what a Display of the same rows costs; the sums of the
// total row are collected while the rows are written. The rows are written row by row in
// both modes: each cell is written once, so the order leaves the same sheet.
//
// Failure style: every step is skipped when it fails (a missing section, a colour that is
// not three numbers, a system column the sheet does not have) and the next one runs; the
// call always finishes (redraw on, pointer back, the query-display flag cleared) and returns
// true. Nothing is shown or raised.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "columns/cell_conversions.h"
#include "grid/data_row_writer.h"
#include "platform/failure.h"
#include "sheet/sheet_state.h"
#include "text/data_shapes.h"
#include "text/data_string.h"
#include "text/number.h"
#include "text/strings.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

using internal::SkipStep;

namespace {

constexpr int16_t kPointerDefault = 0;
constexpr int16_t kPointerHourglass = 11;
constexpr std::string_view kTotalLabel = "TOTAL";
constexpr std::string_view kTotalLabelKorean = "합계";
constexpr std::string_view kTotalRowMarker = "TOTALROW";
// The image button's caption and its cell tag are joined by a line feed and this mark.
constexpr std::string_view kImageTagMark = "\n_/";

bool IsSummed(std::string_view code) {
  return !code.empty() && (code[0] == 'T' || code[0] == 'A') && code != kTotalLabel &&
         code != kTotalRowMarker;
}

// What the fill needs of one column, looked up once per call.
struct QueryColumn {
  int32_t grid_col = 0;
  int32_t cell_type = 0;
  bool summed = false;
  double sum = 0;
};

// The grid's text of a time field: "hhmm" -> "hh:mm", longer -> "hh:mm:ss" (characters).
void TimeFieldToGrid(std::string_view field, std::string& out) {
  const std::string_view s = text::TrimView(field);
  out.clear();
  if (s.empty()) return;
  out.append(text::MidView(s, 1, 2));
  out += ':';
  out.append(text::MidView(s, 3, 2));
  if (text::Len(s) >= 5) {
    out += ':';
    out.append(text::MidView(s, 5, 2));
  }
}

// Writes the data rows of `rows` to sheet rows first.. (as many as `count`), adding the
// summed columns' values to their sums. In display mode a float field goes in as its text;
// otherwise as its number, and each row's own colours (fields n + 1 and n + 2) are applied.
void FillRows(ZelSheet::Impl& s, std::string_view rows, int64_t first, int64_t count,
              std::vector<QueryColumn>& columns, bool displayMode) {
  const auto n = static_cast<int32_t>(columns.size()) - 1;
  internal::DataRowWriter writer(s.grid);
  std::string converted;
  auto writeField = [&](QueryColumn& c, int32_t row, std::string_view v) {
    switch (c.cell_type) {
      case EnDate:
        // An empty field leaves the cell as it is, as Display does.
        internal::DateFieldToGrid(v, converted);
        if (!converted.empty()) writer.SetText(c.grid_col, row, converted);
        return;
      case EnTime:
        TimeFieldToGrid(v, converted);
        if (!converted.empty()) writer.SetText(c.grid_col, row, converted);
        return;
      case EnFloat: {
        const std::string_view t = text::TrimView(v);
        if (t.empty()) return;  // the cell is left as it is
        const double value = internal::FloatFieldValue(t);
        if (displayMode) {
          writer.SetNumberText(c.grid_col, row, t, value);
        } else {
          writer.SetNumber(c.grid_col, row, value);
        }
        if (c.summed) c.sum += value;
        return;
      }
      case EnImageButton: {
        const size_t mark = v.find(kImageTagMark);
        converted.assign(v.substr(0, mark));
        std::erase(converted, '\r');
        writer.SetText(c.grid_col, row, converted);
        if (mark != std::string_view::npos) {
          s.grid.Col(c.grid_col);
          s.grid.Row(row);
          s.grid.CellTag(v.substr(mark + kImageTagMark.size()));
        }
        return;
      }
      case EnCheck:
        writer.SetText(c.grid_col, row, text::TrimView(v));
        return;
      default:
        writer.SetText(c.grid_col, row, text::RTrimView(v));
        if (c.summed) c.sum += internal::FloatFieldValue(v);
        return;
    }
  };

  internal::DataStringReader reader(rows);
  const int64_t last = first + count - 1;
  for (int64_t r64 = first; r64 <= last && reader.NextRow(); ++r64) {
    const auto row = static_cast<int32_t>(r64);
    std::string_view element;
    std::string_view fore, back;
    for (int32_t k = 1; reader.NextElement(element); ++k) {
      if (k <= n) {
        SkipStep([&] { writeField(columns[static_cast<size_t>(k)], row, element); });
      } else if (k == n + 1) {
        fore = element;
      } else {
        back = element;
        break;
      }
    }
    if (displayMode) continue;
    SkipStep([&] {
      const std::optional<Color> color = internal::FixedColorField(fore);
      if (!color) return;
      s.grid.Col(-1);
      s.grid.Row(row);
      s.grid.ForeColor(*color);
    });
    SkipStep([&] {
      const std::optional<Color> color = internal::FixedColorField(back);
      if (!color) return;
      s.grid.Col(-1);
      s.grid.Row(row);
      s.grid.BackColor(*color);
    });
  }
}

// Unlocks every cell of grid column `col` (the check, select and display columns are the
// ones a user ticks on a query sheet).
void UnlockColumn(Grid& grid, int32_t col) {
  grid.Col(col);
  grid.Row(-1);
  grid.LockCells(false);
}

void HideColumn(ZelSheet::Impl& s, int32_t defCol) {
  s.grid.Col(s.sheet.ColX(defCol));
  s.grid.ColHidden(true);
}

}  // namespace

bool ZelSheet::DisplayQuerySheet(const std::string& strData, int32_t intSheetNo,
                                 bool IsDisplayMode, int32_t&& lngSelectSheet,
                                 int32_t&& lngCheckCol, int32_t&& lngSelectCol,
                                 int32_t&& lngDisCol, bool IsobjRs) {
  int32_t selectSheet = lngSelectSheet, checkCol = lngCheckCol, selectCol = lngSelectCol,
          disCol = lngDisCol;
  return DisplayQuerySheet(strData, intSheetNo, IsDisplayMode, selectSheet, checkCol, selectCol,
                           disCol, IsobjRs);
}

bool ZelSheet::DisplayQuerySheet(const std::string& strData, int32_t intSheetNo,
                                 bool IsDisplayMode, int32_t& lngSelectSheet,
                                 int32_t& lngCheckCol, int32_t& lngSelectCol, int32_t& lngDisCol,
                                 bool IsobjRs) {
  Impl& s = *impl_;
  const int32_t n = s.grid.MaxCols();
  std::vector<QueryColumn> columns(static_cast<size_t>(std::max(n, 0)) + 1);
  s.editing.query_display = true;
  SkipStep([&] { MousePointer(kPointerHourglass); });
  SkipStep([&] { s.grid.ReDraw(false); });

  const bool append = s.editing.is_data_add;
  if (!append) SkipStep([&] { MaxRows(0); });
  const int32_t d0 = s.grid.DataRowCnt();

  const internal::QueryText query = internal::ReadQueryText(strData, IsobjRs);

  // The roles, in column order: the first total label and the first of each role win.
  int32_t labelCol = 0;
  for (int32_t k = 1; k <= n; ++k) {
    const std::string_view code =
        text::TrimView(internal::FieldAt(query.codes, static_cast<size_t>(k - 1)));
    QueryColumn& c = columns[static_cast<size_t>(k)];
    c.summed = IsSummed(code);
    SkipStep([&] {
      c.grid_col = ColX(k);
      if (s.columns.HasDef(k)) c.cell_type = s.columns.Def(k).cell_type;
    });
    if (labelCol == 0 && (code == kTotalLabel || code == kTotalLabelKorean)) labelCol = k;
    if (code == "C" && lngCheckCol == -1) {
      lngCheckCol = k;
      s.flags.g_check_col = k;
      SkipStep([&] { UnlockColumn(s.grid, c.grid_col); });
      SkipStep([&] { HideColumn(s, n - 4); });
    } else if (code == "S" && lngSelectCol == -1) {
      lngSelectCol = k;
      s.flags.g_select_col = k;
      lngSelectSheet = intSheetNo;
      s.flags.g_select_sheet = lngSelectSheet;
      SkipStep([&] { UnlockColumn(s.grid, c.grid_col); });
    } else if (code == "D" && lngDisCol == -1) {
      lngDisCol = k;
      s.flags.g_dis_col = k;
      SkipStep([&] { UnlockColumn(s.grid, c.grid_col); });
      SkipStep([&] { HideColumn(s, n - 5); });
    }
  }
  const std::string_view foreField =
      text::TrimView(internal::FieldAt(query.codes, static_cast<size_t>(std::max(n, 0))));
  const std::string_view backField =
      text::TrimView(internal::FieldAt(query.codes, static_cast<size_t>(std::max(n, 0)) + 1));
  const bool totalRow = labelCol != 0;

  // The rows. With a total row the data start in row 2 of an empty sheet.
  const size_t u = query.data_separators;
  if (u >= 2) {
    const int64_t dataRows = static_cast<int64_t>(u) - 1;
    int64_t first = 1;
    SkipStep([&] {
      const int64_t existing = append ? s.grid.DataRowCnt() : 0;
      const int64_t rows = existing + dataRows + (totalRow && existing == 0 ? 1 : 0);
      if (rows > INT32_MAX) throw GridError("DisplayQuerySheet: too many rows");
      MaxRows(static_cast<int32_t>(rows));
      first = (existing == 0 && totalRow ? 1 : existing) + 1;
    });
    for (int32_t k = 1; k <= n; ++k) {
      const std::string name(
          text::TrimView(internal::FieldAt(query.names, static_cast<size_t>(k - 1))));
      SkipStep([&] { FieldName(k, name); });
    }
    const int64_t count = std::min<int64_t>(dataRows, s.grid.MaxRows() - first + 1);
    SkipStep([&] { FillRows(s, query.rows, first, count, columns, IsDisplayMode); });
  } else if (u == 1) {
    SkipStep([&] { MaxRows(0); });
  }
  if (totalRow) {
    // The marker tells the sheet's other members which row is the total row.
    SkipStep([&] { SetText(ColX(n - 1), 1, std::string(kTotalRowMarker)); });
  }

  if (d0 >= 1 && append) {
    SkipStep([&] { DataAddSort(2); });
    SkipStep([&] { DataAddRemoveRow(); });
  }

  if (totalRow) {
    const int32_t below = s.grid.DataRowCnt() - 1;  // data rows under the total row
    for (int32_t k = 1; k <= n; ++k) {
      const QueryColumn& c = columns[static_cast<size_t>(k)];
      if (k == labelCol || !c.summed) continue;
      const std::string_view code =
          text::TrimView(internal::FieldAt(query.codes, static_cast<size_t>(k - 1)));
      SkipStep([&] {
        double value = d0 == 0 ? c.sum : GetSumCols(c.grid_col, 2);
        if (code[0] == 'A') {
          if (below == 0) throw std::domain_error("no data rows to average");
          value /= below;
        }
        const std::string mask = s.columns.HasDef(k) ? s.columns.Def(k).mask : std::string();
        SetText(c.grid_col, 1, text::Format(text::NumberToText(value), mask));
      });
    }
    SkipStep([&] { SetText(ColX(labelCol), 1, std::string(kTotalLabel)); });
    SkipStep([&] {
      if (const std::optional<Color> fore = internal::FixedColorField(foreField)) {
        s.grid.Col(-1);
        s.grid.Row(1);
        s.grid.ForeColor(*fore);
      }
    });
    SkipStep([&] {
      if (const std::optional<Color> back = internal::FixedColorField(backField)) {
        s.grid.Col(-1);
        s.grid.Row(1);
        s.grid.BackColor(*back);
      }
    });
    if (s.settings.frozen_rows == 0) s.settings.frozen_rows = 1;  // the total row stays on top
  }

  if (u == 0 && !append) SkipStep([&] { MaxRows(0); });

  s.editing.is_data_add = false;
  SkipStep([&] { s.grid.RowsFrozen(s.settings.frozen_rows); });
  SkipStep([&] { s.grid.ReDraw(true); });
  SkipStep([&] { MousePointer(kPointerDefault); });
  // New rows join the merge groups: sorted by the merge columns, merged, painted.
  SkipStep([&] { s.ReapplyColMerge(); });
  s.editing.query_display = false;
  return true;
}

}  // namespace zel
