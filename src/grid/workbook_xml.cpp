#include "grid/internal/workbook_xml.h"

#include "grid/internal/xml_pull.h"
#include "zelsheet/grid.h"

namespace zel::internal {

namespace {

// Element depths inside a workbook.
constexpr size_t kSheetDepth = 2, kTableDepth = 3, kRowDepth = 4, kCellDepth = 5, kDataDepth = 6;

// An attribute of the spreadsheet namespace; some writers leave the prefix off.
const std::string* SsAttr(const XmlPull& x, std::string_view local) {
  if (const std::string* v = x.Attr(kSpreadsheetNs, local)) return v;
  return x.Attr("", local);
}

// A whole number in first..last, digits only (blanks around allowed); -1 when it is not.
int64_t ParseCount(const std::string* v, int64_t first, int64_t last) {
  if (!v) return -1;
  size_t i = 0, end = v->size();
  while (i < end && (*v)[i] == ' ') ++i;
  while (end > i && (*v)[end - 1] == ' ') --end;
  if (i == end || end - i > 10) return -1;
  int64_t n = 0;
  for (; i < end; ++i) {
    const char c = (*v)[i];
    if (c < '0' || c > '9') return -1;
    n = n * 10 + (c - '0');
  }
  return n >= first && n <= last ? n : -1;
}

bool IsSs(const XmlPull& x, std::string_view local) {
  return x.Ns() == kSpreadsheetNs && x.Local() == local;
}

}  // namespace

std::string ReadWorkbook(std::string_view doc, std::vector<std::string>* names,
                         int32_t want_index, const std::string& want_name, WorkbookSheet* sheet) {
  XmlPull x(doc);
  int32_t sheet_no = -1;
  bool found = false;
  // Every sheet is checked as the import would read it; only the wanted one is collected.
  bool in_sheet = false, collect = false;
  bool in_table = false, in_row = false, in_cell = false, in_data = false;
  bool has_header = false;
  int64_t sheet_row = 0;  // the current row's number in the sheet (1-based)
  int64_t next_col = 1;
  int64_t cell_col = 0, across = 0, down = 0;
  bool cell_has_data = false;
  std::string cell_text;
  // Rows as far as the document's length justifies (an index costs a few bytes, the rows it
  // skips cost the grid memory); columns to the grid's column limit.
  const int64_t kMaxRow = RowsAFileMayHold(doc.size());
  constexpr int64_t kMaxCol = Grid::kMaxColCount;

  while (true) {
    const XmlPull::Event ev = x.Next();
    if (ev == XmlPull::Event::kError) return x.Error();
    if (ev == XmlPull::Event::kDone) break;
    if (ev == XmlPull::Event::kText) {
      if (in_data && collect) cell_text += x.Text();
      continue;
    }
    if (ev == XmlPull::Event::kStart) {
      const size_t depth = x.Depth();
      if (depth == 1) {
        if (!IsSs(x, "Workbook")) return "not a spreadsheet workbook";
      } else if (depth == kSheetDepth && IsSs(x, "Worksheet")) {
        ++sheet_no;
        const std::string* name = SsAttr(x, "Name");
        if (names) names->push_back(name ? *name : std::string());
        in_sheet = true;
        collect = sheet && !found &&
                  (want_name.empty() ? sheet_no == want_index : (name && *name == want_name));
        if (collect) found = true;
        has_header = false;
      } else if (in_sheet && depth == kTableDepth && IsSs(x, "Table")) {
        in_table = true;
        sheet_row = 0;
      } else if (in_table && depth == kRowDepth && IsSs(x, "Row")) {
        const std::string* index = SsAttr(x, "Index");
        const int64_t at = index ? ParseCount(index, 1, kMaxRow) : sheet_row + 1;
        if (at < 1 || at > kMaxRow) return "row index out of range";
        sheet_row = at;
        if (sheet_row == 1) {
          const std::string* style = SsAttr(x, "StyleID");
          has_header = style && *style == kHeaderStyleId;
        }
        in_row = true;
        next_col = 1;
      } else if (in_row && depth == kCellDepth && IsSs(x, "Cell")) {
        const std::string* index = SsAttr(x, "Index");
        cell_col = index ? ParseCount(index, 1, kMaxCol) : next_col;
        if (cell_col < 1 || cell_col > kMaxCol) return "cell index out of range";
        const std::string* a = SsAttr(x, "MergeAcross");
        const std::string* d = SsAttr(x, "MergeDown");
        across = a ? ParseCount(a, 0, kMaxCol) : 0;
        down = d ? ParseCount(d, 0, kMaxRow) : 0;
        if (across < 0 || down < 0) return "bad merge size";
        in_cell = true;
        cell_has_data = false;
        cell_text.clear();
      } else if (in_cell && depth == kDataDepth && IsSs(x, "Data")) {
        in_data = true;
        cell_has_data = true;
      }
      continue;
    }
    // kEnd: Depth() is already the parent's.
    const size_t depth = x.Depth() + 1;
    if (in_data && depth == kDataDepth) {
      in_data = false;
    } else if (in_cell && depth == kCellDepth) {
      in_cell = false;
      const int64_t grid_row = has_header ? sheet_row - 1 : sheet_row;
      if (cell_col + across > kMaxCol || grid_row + down > kMaxRow) return "merged cell beyond the sheet's limits";
      if (collect) {
        if (cell_has_data && !cell_text.empty()) {
          sheet->cells.push_back(TableCell{static_cast<int32_t>(cell_col), static_cast<int32_t>(grid_row), cell_text});
        }
        if (across > 0 || down > 0) {
          sheet->merges.push_back(WorkbookMerge{static_cast<int32_t>(cell_col), static_cast<int32_t>(grid_row),
                                                static_cast<int32_t>(across), static_cast<int32_t>(down)});
        }
      }
      next_col = cell_col + across + 1;
    } else if (in_row && depth == kRowDepth) {
      in_row = false;
    } else if (in_table && depth == kTableDepth) {
      in_table = false;
    } else if (in_sheet && depth == kSheetDepth) {
      in_sheet = false;
      collect = false;
    }
  }
  if (sheet && !found) {
    return want_name.empty() ? "the workbook has no sheet " + std::to_string(want_index)
                             : "the workbook has no sheet named " + want_name;
  }
  return "";
}

}  // namespace zel::internal
