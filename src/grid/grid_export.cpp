// Exports of the grid's data for other programs: an HTML table, and a workbook in the XML
// spreadsheet format (see workbook_xml.h) with its import.
#include <algorithm>
#include <cmath>
#include <filesystem>

#include "grid/internal/file_io.h"
#include "grid/internal/grid_ops.h"
#include "grid/internal/workbook_xml.h"
#include "platform/atomic_file.h"
#include "text/number.h"
#include "text/strings.h"

namespace zel {
using namespace internal;

namespace {

// Workbooks are read whole; beyond this they are refused rather than exhausting memory.
constexpr uint64_t kMaxWorkbookBytes = uint64_t{1} << 32;

// Escapes text for HTML / XML content and attribute values. Control characters other than
// TAB and line breaks are dropped (XML 1.0 cannot hold them); broken UTF-8 becomes U+FFFD.
// `line_break` is what a LF becomes.
void AppendEscaped(std::string& out, std::string_view raw, std::string_view line_break) {
  const std::string text = ValidUtf8(raw);
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      case '\r':
        if (i + 1 < text.size() && text[i + 1] == '\n') break;  // CR LF is one break
        out += line_break;
        break;
      case '\n': out += line_break; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t') break;
        out += c;
    }
  }
}

std::string Escaped(std::string_view raw, std::string_view line_break = "&#10;") {
  std::string out;
  AppendEscaped(out, raw, line_break);
  return out;
}

std::string HexColor(Color c) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  const uint32_t v = static_cast<uint32_t>(c);
  std::string out = "#";
  for (int shift : {0, 8, 16}) {  // 0x00BBGGRR -> #RRGGBB
    const uint32_t b = (v >> shift) & 0xFF;
    out += kHex[b >> 4];
    out += kHex[b & 0xF];
  }
  return out;
}

// A data area to export (addresses 1..Max, inclusive), with the rows and columns shown.
struct Area {
  int32_t c1, r1, c2, r2;
  std::vector<bool> col_shown;  // index c - c1
  std::vector<bool> row_shown;  // index r - r1
};

// One cell as it is written: the cell itself, or the first shown cell of a span inside the
// area, with the number of shown (or all, for workbooks) columns and rows it covers.
struct OutCell {
  int32_t col, row;                // where it is written
  int32_t anchor_col, anchor_row;  // whose content it shows
  int32_t across, down;
};

// Calls emit(OutCell) for every cell of row `r` that starts a written cell. Cells covered by
// a span are skipped; a span reaching outside the area is cut to it. `shown_only` leaves out
// hidden rows and columns (HTML); without it they are written and counted (workbooks).
template <class Emit>
void WalkRow(const Grid& g, const Area& a, int32_t r, bool shown_only, Emit emit) {
  const bool any_spans = !StateOf(g).spans.empty();
  auto col_in = [&](int32_t c) { return !shown_only || a.col_shown[static_cast<size_t>(c - a.c1)]; };
  auto row_in = [&](int32_t rr) { return !shown_only || a.row_shown[static_cast<size_t>(rr - a.r1)]; };
  for (int32_t c = a.c1; c <= a.c2; ++c) {
    if (!col_in(c)) continue;
    int32_t ac = c, ar = r, nc = 1, nr = 1;
    if (!any_spans || !g.GetCellSpan(c, r, ac, ar, nc, nr)) {
      emit(OutCell{c, r, c, r, 1, 1});
      continue;
    }
    const int32_t lo_c = std::max(ac, a.c1), hi_c = std::min(ac + nc - 1, a.c2);
    const int32_t lo_r = std::max(ar, a.r1), hi_r = std::min(ar + nr - 1, a.r2);
    int32_t first_c = lo_c, first_r = lo_r;
    while (first_c <= hi_c && !col_in(first_c)) ++first_c;
    while (first_r <= hi_r && !row_in(first_r)) ++first_r;
    if (first_c != c || first_r != r) continue;
    int32_t across = 0, down = 0;
    for (int32_t k = lo_c; k <= hi_c; ++k) across += col_in(k) ? 1 : 0;
    for (int32_t k = lo_r; k <= hi_r; ++k) down += row_in(k) ? 1 : 0;
    emit(OutCell{c, r, ac, ar, across, down});
  }
}

Area MakeArea(const Grid& g, int32_t c1, int32_t r1, int32_t c2, int32_t r2) {
  Area a{c1, r1, c2, r2, {}, {}};
  const GridState& s = StateOf(g);
  a.col_shown.resize(c2 >= c1 ? static_cast<size_t>(c2 - c1 + 1) : 0);
  for (int32_t c = c1; c <= c2; ++c) a.col_shown[static_cast<size_t>(c - c1)] = !s.cols[static_cast<size_t>(c)]->hidden;
  a.row_shown.resize(r2 >= r1 ? static_cast<size_t>(r2 - r1 + 1) : 0);
  for (int32_t r = r1; r <= r2; ++r) {
    a.row_shown[static_cast<size_t>(r - r1)] = s.hidden_rows.empty() || !s.hidden_rows.count(s.row_map[static_cast<size_t>(r - 1)]);
  }
  return a;
}

// ---- HTML ---------------------------------------------------------------------------------
std::string HtmlCellStyle(const GridState& s, int32_t col, int32_t row) {
  const Column& c = s.ColumnAt("ExportToHTML", col);
  const uint32_t slot = s.SlotOf("ExportToHTML", row);
  std::string style;
  switch (AsInt(s.Resolve(Prop::kHAlign, c, slot))) {
    case 1: style += "text-align:right;"; break;
    case 2: style += "text-align:center;"; break;
    default: break;
  }
  const Color back = static_cast<Color>(AsInt(s.Resolve(Prop::kBackColor, c, slot)));
  const Color fore = static_cast<Color>(AsInt(s.Resolve(Prop::kForeColor, c, slot)));
  if (back != static_cast<Color>(AsInt(DefaultProp(Prop::kBackColor)))) style += "background-color:" + HexColor(back) + ";";
  if (fore != static_cast<Color>(AsInt(DefaultProp(Prop::kForeColor)))) style += "color:" + HexColor(fore) + ";";
  if (AsInt(s.Resolve(Prop::kFontBold, c, slot))) style += "font-weight:bold;";
  if (AsInt(s.Resolve(Prop::kFontItalic, c, slot))) style += "font-style:italic;";
  const bool under = AsInt(s.Resolve(Prop::kFontUnderline, c, slot)) != 0;
  const bool strike = AsInt(s.Resolve(Prop::kFontStrike, c, slot)) != 0;
  if (under || strike) {
    style += std::string("text-decoration:") + (under ? "underline" : "") + (under && strike ? " " : "") +
             (strike ? "line-through" : "") + ";";
  }
  return style;
}

std::string HtmlTable(const Grid& g, const Area& a) {
  std::string out = "<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\">\n";
  std::string text;
  if (a.c1 <= a.c2) {
    out += "<thead>\n<tr>";
    for (int32_t c = a.c1; c <= a.c2; ++c) {
      if (!a.col_shown[static_cast<size_t>(c - a.c1)]) continue;
      out += "<th>";
      AppendEscaped(out, g.DisplayText(c, 0), "<br>");
      out += "</th>";
    }
    out += "</tr>\n</thead>\n";
  }
  out += "<tbody>\n";
  for (int32_t r = a.r1; r <= a.r2; ++r) {
    if (!a.row_shown[static_cast<size_t>(r - a.r1)]) continue;
    out += "<tr>";
    WalkRow(g, a, r, true, [&](const OutCell& oc) {
      out += "<td";
      if (oc.across > 1) out += " colspan=\"" + std::to_string(oc.across) + "\"";
      if (oc.down > 1) out += " rowspan=\"" + std::to_string(oc.down) + "\"";
      const std::string style = HtmlCellStyle(StateOf(g), oc.anchor_col, oc.anchor_row);
      if (!style.empty()) out += " style=\"" + style + "\"";
      out += ">";
      g.GetText(oc.anchor_col, oc.anchor_row, text);
      AppendEscaped(out, text, "<br>");
      out += "</td>";
    });
    out += "</tr>\n";
  }
  out += "</tbody>\n</table>\n";
  return out;
}

// Finds the last "</body>" in any letter case; npos when there is none.
size_t FindBodyEnd(const std::string& doc) {
  const std::string lower = text::LCase(doc);
  return lower.rfind("</body>");
}

bool WriteHtml(Grid& g, int32_t c1, int32_t r1, int32_t c2, int32_t r2, const std::string& path,
               bool append, const std::string& log_file) {
  if (path.empty()) {
    AppendLog(log_file, "ExportToHTML: no file name given");
    return false;
  }
  const Area a = MakeArea(g, c1, r1, c2, r2);
  const std::string table = HtmlTable(g, a);
  std::string doc;
  std::string existing;
  if (append && std::filesystem::exists(path) && ReadWholeFile(path, existing, kMaxWorkbookBytes)) {
    const size_t at = FindBodyEnd(existing);
    doc = at == std::string::npos ? existing + table : existing.substr(0, at) + table + existing.substr(at);
  } else {
    const std::string title = std::filesystem::path(path).stem().string();
    doc = "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>" + Escaped(title) +
          "</title>\n</head>\n<body>\n" + table + "</body>\n</html>\n";
  }
  const std::string error = WriteFileAtomically(path, doc);
  if (!error.empty()) {
    AppendLog(log_file, "ExportToHTML: " + error);
    return false;
  }
  AppendLog(log_file, "ExportToHTML: " + std::to_string(a.r2 - a.r1 + 1) + " rows x " +
                          std::to_string(a.c2 - a.c1 + 1) + " columns written to '" + path + "'");
  return true;
}

// One end of an export range: -1 means the whole data axis.
bool ClipAxis(int32_t& lo, int32_t& hi, int32_t max) {
  if (lo == -1 || hi == -1) {
    lo = 1;
    hi = max;
    return true;
  }
  if (lo > hi) std::swap(lo, hi);
  if (lo < 1 || hi > max) return false;
  return true;
}

// ---- Workbook -----------------------------------------------------------------------------
std::string WorkbookXml(const Grid& g, const std::string& sheet_name, int32_t cols, int32_t rows) {
  const GridState& s = StateOf(g);
  std::string out =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<?mso-application progid=\"Excel.Sheet\"?>\n"
      "<Workbook xmlns=\"urn:schemas-microsoft-com:office:spreadsheet\"\n"
      " xmlns:o=\"urn:schemas-microsoft-com:office:office\"\n"
      " xmlns:x=\"urn:schemas-microsoft-com:office:excel\"\n"
      " xmlns:ss=\"urn:schemas-microsoft-com:office:spreadsheet\"\n"
      " xmlns:html=\"http://www.w3.org/TR/REC-html40\">\n"
      " <Styles>\n"
      "  <Style ss:ID=\"Default\" ss:Name=\"Normal\"><Alignment ss:Vertical=\"Top\" ss:WrapText=\"1\"/></Style>\n"
      "  <Style ss:ID=\"" + std::string(kHeaderStyleId) + "\"><Font ss:Bold=\"1\"/>"
      "<Interior ss:Color=\"#C0C0C0\" ss:Pattern=\"Solid\"/></Style>\n"
      " </Styles>\n";
  out += " <Worksheet ss:Name=\"" + Escaped(sheet_name.empty() ? "Sheet1" : sheet_name) + "\">\n  <Table>\n";
  for (int32_t c = 1; c <= cols; ++c) {
    // Column widths are in characters of 120 twips, that is 6 points each.
    out += "   <Column ss:Width=\"" + text::NumberToText(g.ColWidthToTwips(g.ColWidth(c)) / 20.0) + "\"";
    if (s.cols[static_cast<size_t>(c)]->hidden) out += " ss:Hidden=\"1\"";
    out += "/>\n";
  }
  std::string text;
  // The header row when any column has a header text of its own.
  bool header = false;
  for (int32_t c = 1; c <= cols && !header; ++c) header = g.GetText(c, 0, text);
  if (header) {
    out += "   <Row ss:StyleID=\"" + std::string(kHeaderStyleId) + "\">";
    int32_t next = 1;
    for (int32_t c = 1; c <= cols; ++c) {
      if (!g.GetText(c, 0, text)) continue;
      out += "<Cell";
      if (c != next) out += " ss:Index=\"" + std::to_string(c) + "\"";
      out += "><Data ss:Type=\"String\">" + Escaped(text) + "</Data></Cell>";
      next = c + 1;
    }
    out += "</Row>\n";
  }
  const Area a = MakeArea(g, 1, 1, cols, rows);
  const double default_height = g.RowHeight(-1);
  for (int32_t r = 1; r <= rows; ++r) {
    out += "   <Row";
    if (header && r == 1) out += " ss:Index=\"2\"";
    const double h = g.RowHeight(r);
    if (h != default_height) out += " ss:AutoFitHeight=\"0\" ss:Height=\"" + text::NumberToText(h) + "\"";
    if (!a.row_shown[static_cast<size_t>(r - 1)]) out += " ss:Hidden=\"1\"";
    out += ">";
    int32_t next = 1;
    WalkRow(g, a, r, false, [&](const OutCell& oc) {
      const Column& column = s.ColumnAt("ExportToExcel", oc.anchor_col);
      const Cell* cell = column.At(s.SlotOf("ExportToExcel", oc.anchor_row));
      const bool has_text = g.GetText(oc.anchor_col, oc.anchor_row, text);
      if (!has_text && oc.across == 1 && oc.down == 1) return;
      out += "<Cell";
      if (oc.col != next) out += " ss:Index=\"" + std::to_string(oc.col) + "\"";
      if (oc.across > 1) out += " ss:MergeAcross=\"" + std::to_string(oc.across - 1) + "\"";
      if (oc.down > 1) out += " ss:MergeDown=\"" + std::to_string(oc.down - 1) + "\"";
      out += ">";
      if (has_text) {
        if (cell && cell->rep() == Cell::kNumber && std::isfinite(cell->number())) {
          out += "<Data ss:Type=\"Number\">" + text::NumberToText(cell->number()) + "</Data>";
        } else {
          out += "<Data ss:Type=\"String\">" + Escaped(text) + "</Data>";
        }
      }
      out += "</Cell>";
      next = oc.col + oc.across;
    });
    out += "</Row>\n";
  }
  out += "  </Table>\n </Worksheet>\n</Workbook>\n";
  return out;
}

}  // namespace

bool Grid::ExportToHTML(const std::string& path, bool append, const std::string& logFile) {
  return WriteHtml(*this, 1, 1, DataColCnt(), DataRowCnt(), path, append, logFile);
}

bool Grid::ExportRangeToHTML(int32_t col, int32_t row, int32_t col2, int32_t row2,
                             const std::string& path, bool append, const std::string& logFile) {
  if (!ClipAxis(col, col2, MaxCols()) || !ClipAxis(row, row2, MaxRows())) {
    AppendLog(logFile, "ExportRangeToHTML: the range is not inside the grid's data cells");
    return false;
  }
  return WriteHtml(*this, col, row, col2, row2, path, append, logFile);
}

bool Grid::ExportToExcel(const std::string& path, const std::string& sheetName,
                         const std::string& logFile) {
  if (path.empty()) {
    AppendLog(logFile, "ExportToExcel: no file name given");
    return false;
  }
  const int32_t cols = DataColCnt();
  const int32_t rows = DataRowCnt();
  std::string xml;
  try {
    xml = WorkbookXml(*this, sheetName, cols, rows);
  } catch (const std::bad_alloc&) {
    AppendLog(logFile, "ExportToExcel: out of memory");
    return false;
  }
  const std::string error = WriteFileAtomically(path, xml);
  if (!error.empty()) {
    AppendLog(logFile, "ExportToExcel: " + error);
    return false;
  }
  AppendLog(logFile, "ExportToExcel: " + std::to_string(rows) + " rows x " + std::to_string(cols) +
                         " columns written to '" + path + "'");
  return true;
}

bool Grid::ImportExcelSheet(const std::string& path, int32_t sheetIndex, const std::string& sheetName) {
  std::string doc;
  if (path.empty() || !ReadWholeFile(path, doc, kMaxWorkbookBytes)) return false;
  WorkbookSheet sheet;
  if (!ReadWorkbook(doc, nullptr, sheetIndex, sheetName, &sheet).empty()) return false;
  if (!ReplaceDataTexts(*this, sheet.cells)) return false;
  for (const WorkbookMerge& m : sheet.merges) {
    // A merge that does not fit the grid's span rules (overlap, crossing into the header)
    // is left out; the texts are in place either way.
    if (static_cast<int64_t>(m.row) + m.down > MaxRows() || static_cast<int64_t>(m.col) + m.across > MaxCols()) continue;
    AddCellSpan(m.col, m.row, m.across + 1, m.down + 1);
  }
  return true;
}

bool Grid::IsExcelFile(const std::string& path) const {
  std::vector<std::string> names;
  return IsExcelFile(path, names);
}

bool Grid::IsExcelFile(const std::string& path, std::vector<std::string>& sheetNames) const {
  sheetNames.clear();
  std::string doc;
  if (path.empty() || !ReadWholeFile(path, doc, kMaxWorkbookBytes)) return false;
  std::vector<std::string> names;
  if (!ReadWorkbook(doc, &names, 0, "", nullptr).empty()) return false;
  sheetNames = std::move(names);
  return true;
}

}  // namespace zel
