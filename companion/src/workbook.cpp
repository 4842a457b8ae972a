// The spreadsheet export: a workbook of one sheet written with libxlsxwriter in its
// constant-memory mode (rows go to disk as they are written, so a sheet of a hundred
// thousand rows costs little memory). Rows must therefore be written top-down, each row
// whole before the next.
//
// Layout of the worksheet:
//   row 0                      the header title, merged across the table (only when given)
//   next ColHeaderRows rows    the header rows, spans merged
//   then                       one row per shown sheet row
#include <xlsxwriter.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <memory>
#include <tuple>

#include "output_files.h"
#include "zelsheet/file_tools.h"

namespace zel {

namespace {

using companion::CleanText;
using companion::ColumnOf;

constexpr size_t kMaxCellChars = 32767;  // the longest text a workbook cell holds
constexpr Color kWhite = 0xFFFFFF;
constexpr Color kBlack = 0;

// The sheet's 0x00BBGGRR as the workbook's 0xRRGGBB.
lxw_color_t Rgb(Color bgr) {
  const uint32_t v = static_cast<uint32_t>(bgr) & 0xFFFFFF;
  return ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
}

std::string NumberFormat(const TableColumn& column) {
  std::string f = column.thousands ? "#,##0" : "0";
  if (column.decimals > 0) f += "." + std::string(static_cast<size_t>(std::min<int>(column.decimals, 15)), '0');
  return f;
}

// One format per look a cell needs, made once.
class Formats {
 public:
  explicit Formats(lxw_workbook* book) : book_(book) {}

  lxw_format* Header(Color back, Color fore) {
    lxw_format*& f = headers_[{back, fore}];
    if (f == nullptr) {
      f = workbook_add_format(book_);
      format_set_bold(f);
      format_set_align(f, LXW_ALIGN_CENTER);
      format_set_align(f, LXW_ALIGN_VERTICAL_CENTER);
      format_set_border(f, LXW_BORDER_THIN);
      format_set_bg_color(f, Rgb(back));
      format_set_font_color(f, Rgb(fore));
    }
    return f;
  }

  lxw_format* Title() {
    if (title_ == nullptr) {
      title_ = workbook_add_format(book_);
      format_set_bold(title_);
      format_set_font_size(title_, 14);
      format_set_align(title_, LXW_ALIGN_CENTER);
    }
    return title_;
  }

  // A data cell of `column` in a row of colours back / fore; null for the plain look. A
  // date of a year-month column (no day) shows without its day.
  lxw_format* Cell(const TableColumn& column, Color back, Color fore, bool year_month = false) {
    std::string number;
    if (column.kind == TableKind::kNumber) number = NumberFormat(column);
    if (column.kind == TableKind::kDate) number = year_month ? "yyyy-mm" : "yyyy-mm-dd";
    const bool plain = back == kWhite && fore == kBlack;
    if (plain && number.empty()) return nullptr;
    lxw_format*& f = cells_[{number, back, fore}];
    if (f == nullptr) {
      f = workbook_add_format(book_);
      if (!number.empty()) format_set_num_format(f, number.c_str());
      if (back != kWhite) format_set_bg_color(f, Rgb(back));
      if (fore != kBlack) format_set_font_color(f, Rgb(fore));
    }
    return f;
  }

 private:
  lxw_workbook* book_;
  lxw_format* title_ = nullptr;
  std::map<std::pair<Color, Color>, lxw_format*> headers_;
  std::map<std::tuple<std::string, Color, Color>, lxw_format*> cells_;
};

struct BookCloser {
  void operator()(lxw_workbook* b) const { workbook_close(b); }
};

}  // namespace

std::string WriteWorkbook(const GridTable& table, const std::string& header_title,
                          const std::string& path) {
  const size_t cols = companion::ColumnCount(table);
  if (cols == 0) return "the sheet has no columns to export";
  if (cols > kWorkbookMaxCols) {
    return "the sheet has " + std::to_string(cols) + " columns; a workbook holds at most " +
           std::to_string(kWorkbookMaxCols);
  }
  const std::vector<std::vector<std::string>> single{table.titles};
  const auto& headers = table.header_rows.empty() ? single : table.header_rows;
  const size_t top = header_title.empty() ? 0 : 1;
  const size_t first_data = top + headers.size();
  if (first_data + table.rows.size() > kWorkbookMaxRows) {
    return "the sheet has " + std::to_string(table.rows.size()) +
           " rows; a workbook holds at most " + std::to_string(kWorkbookMaxRows - first_data);
  }

  lxw_workbook_options options{};
  options.constant_memory = LXW_TRUE;
  const std::string folder = std::filesystem::path(path).parent_path().string();
  std::string tmpdir = folder.empty() ? "." : folder;
  options.tmpdir = tmpdir.data();
  lxw_workbook* raw = workbook_new_opt(path.c_str(), &options);
  if (raw == nullptr) return "cannot create the workbook '" + path + "'";
  std::unique_ptr<lxw_workbook, BookCloser> book(raw);
  lxw_worksheet* sheet = workbook_add_worksheet(raw, "Sheet1");
  if (sheet == nullptr) return "cannot add a worksheet";
  Formats formats(raw);

  for (size_t c = 0; c < cols; ++c) {
    const TableColumn column = ColumnOf(table, c);
    lxw_row_col_options opt{};
    opt.hidden = column.hidden ? LXW_TRUE : LXW_FALSE;
    const double width = std::isfinite(column.width) ? std::clamp(column.width, 0.0, 255.0) : 8.43;
    worksheet_set_column_opt(sheet, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c), width,
                             nullptr, &opt);
  }

  if (top == 1) {
    const std::string title = CleanText(header_title, kMaxCellChars);
    if (cols > 1) {
      worksheet_merge_range(sheet, 0, 0, 0, static_cast<lxw_col_t>(cols - 1), title.c_str(),
                            formats.Title());
    } else {
      worksheet_write_string(sheet, 0, 0, title.c_str(), formats.Title());
    }
  }
  lxw_format* header = formats.Header(table.header_back, table.header_fore);
  // In constant-memory mode a row can only be touched while it is the last one written, so
  // a span is merged right after its bottom row: its anchor text is in place by then, and
  // the rows it covers above were written already.
  auto merge_spans_ending_at = [&](size_t h) {
    for (const TableSpan& span : table.header_spans) {
      if (span.col < 0 || span.row < 0 || span.cols < 1 || span.rows < 1) continue;
      const size_t c1 = static_cast<size_t>(span.col), r1 = static_cast<size_t>(span.row);
      if (c1 >= cols || r1 >= headers.size()) continue;
      const size_t c2 = std::min(cols - 1, c1 + static_cast<size_t>(span.cols) - 1);
      const size_t r2 = std::min(headers.size() - 1, r1 + static_cast<size_t>(span.rows) - 1);
      if (r2 != h || (c2 == c1 && r2 == r1)) continue;
      const std::string text = c1 < headers[r1].size() ? CleanText(headers[r1][c1], kMaxCellChars) : "";
      worksheet_merge_range(sheet, static_cast<lxw_row_t>(top + r1), static_cast<lxw_col_t>(c1),
                            static_cast<lxw_row_t>(top + r2), static_cast<lxw_col_t>(c2),
                            text.c_str(), header);
    }
  };
  for (size_t h = 0; h < headers.size(); ++h) {
    const lxw_row_t row = static_cast<lxw_row_t>(top + h);
    for (size_t c = 0; c < cols; ++c) {
      const std::string text = c < headers[h].size() ? CleanText(headers[h][c], kMaxCellChars) : "";
      worksheet_write_string(sheet, row, static_cast<lxw_col_t>(c), text.c_str(), header);
    }
    merge_spans_ending_at(h);
  }

  std::vector<TableColumn> described(cols);
  for (size_t c = 0; c < cols; ++c) described[c] = ColumnOf(table, c);
  for (size_t r = 0; r < table.rows.size(); ++r) {
    const lxw_row_t row = static_cast<lxw_row_t>(first_data + r);
    const Color back = r < table.row_back.size() ? table.row_back[r] & 0xFFFFFF : kWhite;
    const Color fore = r < table.row_fore.size() ? table.row_fore[r] & 0xFFFFFF : kBlack;
    const auto& values = table.rows[r];
    for (size_t c = 0; c < cols; ++c) {
      const lxw_col_t col = static_cast<lxw_col_t>(c);
      const TableColumn& column = described[c];
      const std::string empty;
      const std::string& value = c < values.size() ? values[c] : empty;
      lxw_format* look = formats.Cell(column, back, fore);
      switch (column.kind) {
        case TableKind::kNumber:
          if (const auto v = companion::NumberOf(value)) {
            worksheet_write_number(sheet, row, col, *v, look);
            continue;
          }
          break;
        case TableKind::kDate:
          if (const auto d = companion::DateOf(value)) {
            lxw_datetime dt{d->year, d->month, d->day == 0 ? 1 : d->day, 0, 0, 0};
            worksheet_write_datetime(sheet, row, col, &dt,
                                     d->day == 0 ? formats.Cell(column, back, fore, true) : look);
            continue;
          }
          break;
        case TableKind::kCheck:
          worksheet_write_boolean(sheet, row, col, value == "1", look);
          continue;
        case TableKind::kText: break;
      }
      if (value.empty()) {
        if (look != nullptr) worksheet_write_blank(sheet, row, col, look);
        continue;
      }
      const std::string text = CleanText(value, kMaxCellChars);
      worksheet_write_string(sheet, row, col, text.c_str(),
                             column.kind == TableKind::kText ? look : formats.Cell(TableColumn{}, back, fore));
    }
  }
  const size_t frozen_cols = std::min<size_t>(static_cast<size_t>(std::max(table.frozen_cols, 0)), cols);
  const size_t frozen_rows = std::min<size_t>(static_cast<size_t>(std::max(table.frozen_rows, 0)), table.rows.size());
  worksheet_freeze_panes(sheet, static_cast<lxw_row_t>(first_data + frozen_rows),
                         static_cast<lxw_col_t>(frozen_cols));
  const lxw_error err = workbook_close(book.release());
  if (err != LXW_NO_ERROR) return std::string("the workbook could not be written: ") + lxw_strerror(err);
  return "";
}

}  // namespace zel
