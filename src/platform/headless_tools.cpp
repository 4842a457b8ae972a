// The companion tools of a machine without a desktop: dialogs cancel, the figures and the
// error list go to the message boxes, exports and prints become text files.
//
// Export file (tab-separated, UTF-8, "\n" line ends):
//   title 1 TAB title 2 TAB ... title n
//   cell TAB cell TAB ... cell            one line per row, padded to the widest line
// A tab or line break inside a cell becomes a blank, so every line has the same fields.
//
// Print file: the title, a blank line, then the table with each column padded to its
// widest text (wide Hangul and CJK characters count two places) and two blanks between
// columns.
#include <algorithm>
#include <filesystem>

#include "platform/atomic_file.h"
#include "platform/internal/headless_tools.h"
#include "text/strings.h"
#include "zelsheet/companion_tools.h"
#include "zelsheet/platform.h"

namespace zel {

namespace {

constexpr size_t kMaxFileNameBytes = 120;

bool IsWide(char32_t cp) {
  return (cp >= 0x1100 && cp <= 0x115F) || (cp >= 0x2E80 && cp <= 0x303E) ||
         (cp >= 0x3041 && cp <= 0x33FF) || (cp >= 0x3400 && cp <= 0x4DBF) ||
         (cp >= 0x4E00 && cp <= 0x9FFF) || (cp >= 0xAC00 && cp <= 0xD7A3) ||
         (cp >= 0xF900 && cp <= 0xFAFF) || (cp >= 0xFF00 && cp <= 0xFF60) ||
         (cp >= 0xFFE0 && cp <= 0xFFE6);
}

size_t DisplayWidth(const std::string& s) {
  size_t width = 0;
  for (size_t pos = 0; pos < s.size();) width += IsWide(text::DecodeAt(s, pos)) ? 2 : 1;
  return width;
}

std::string FlatCell(const std::string& cell) {
  std::string out = cell;
  for (char& c : out) {
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
  }
  return out;
}

size_t Width(const GridTable& grid) {
  size_t n = grid.titles.size();
  for (const auto& row : grid.rows) n = std::max(n, row.size());
  return n;
}

std::string CellOf(const std::vector<std::string>& row, size_t c) {
  return c < row.size() ? row[c] : std::string();
}

// Columns the user has hidden in the sheet stay out of the text files.
bool Hidden(const GridTable& grid, size_t c) {
  return c < grid.columns.size() && grid.columns[c].hidden;
}

std::string TabSeparated(const GridTable& grid) {
  const size_t n = Width(grid);
  std::string out;
  auto line = [&](const std::vector<std::string>& cells) {
    bool first = true;
    for (size_t c = 0; c < n; ++c) {
      if (Hidden(grid, c)) continue;
      if (!first) out += '\t';
      first = false;
      out += FlatCell(CellOf(cells, c));
    }
    out += '\n';
  };
  line(grid.titles);
  for (const auto& row : grid.rows) line(row);
  return out;
}

std::string PrintImage(const GridTable& grid, const std::string& title) {
  const size_t n = Width(grid);
  std::vector<size_t> widths(n, 0);
  auto measure = [&](const std::vector<std::string>& cells) {
    for (size_t c = 0; c < n; ++c) widths[c] = std::max(widths[c], DisplayWidth(FlatCell(CellOf(cells, c))));
  };
  measure(grid.titles);
  for (const auto& row : grid.rows) measure(row);
  std::string out = FlatCell(title) + "\n\n";
  auto line = [&](const std::vector<std::string>& cells) {
    std::string text;
    bool first = true;
    for (size_t c = 0; c < n; ++c) {
      if (Hidden(grid, c)) continue;
      const std::string cell = FlatCell(CellOf(cells, c));
      if (!first) text += "  ";
      first = false;
      text += cell;
      if (c + 1 < n) text.append(widths[c] - DisplayWidth(cell), ' ');
    }
    while (!text.empty() && text.back() == ' ') text.pop_back();
    out += text + '\n';
  };
  line(grid.titles);
  for (const auto& row : grid.rows) line(row);
  return out;
}

}  // namespace

namespace internal {

std::string SafeFileName(const std::string& title, const std::string& fallback) {
  std::string name;
  for (size_t pos = 0; pos < title.size();) {
    const size_t start = pos;
    const char32_t cp = text::DecodeAt(title, pos);
    const bool bad = cp < 0x20 || cp == 0x7F || cp == '/' || cp == '\\' || cp == ':' ||
                     cp == '*' || cp == '?' || cp == '"' || cp == '<' || cp == '>' ||
                     cp == '|' || (pos - start == 1 && cp >= 0x80);
    if (bad) {
      name += '_';
    } else {
      if (name.size() + (pos - start) > kMaxFileNameBytes) break;
      name.append(title, start, pos - start);
    }
    if (name.size() >= kMaxFileNameBytes) break;
  }
  const size_t first = name.find_first_not_of(" .");
  if (first == std::string::npos) return fallback;
  const size_t last = name.find_last_not_of(" .");
  return name.substr(first, last - first + 1);
}

}  // namespace internal

HeadlessCompanionTools::HeadlessCompanionTools(MessageBoxes& messages,
                                               std::function<std::string()> export_folder)
    : messages_(messages), export_folder_(std::move(export_folder)) {}

bool HeadlessCompanionTools::GetColMerge(ColMergeDialog&) { return false; }
bool HeadlessCompanionTools::GetSheetFilter(SheetFilterDialog&) { return false; }
bool HeadlessCompanionTools::GetSheetSetting(SheetSettingDialog&) { return false; }
bool HeadlessCompanionTools::GetSearch(SearchDialog&) { return false; }
bool HeadlessCompanionTools::GetSheetSort(SheetSortDialog&) { return false; }
bool HeadlessCompanionTools::GetFrozen(FrozenDialog&) { return false; }
bool HeadlessCompanionTools::GetSheetSeperate(SheetSeperateDialog&) { return false; }
bool HeadlessCompanionTools::GetDate(DateDialog&) { return false; }

std::string HeadlessCompanionTools::OpenDialog(const std::string&, const std::string&, bool) {
  return "";
}

void HeadlessCompanionTools::GetCalOnSheet(const CalOnSheetDialog& d) {
  messages_.MsgBox("Total: " + d.dfTotal + "\nAverage: " + d.dfAverage + "\nMax: " + d.dfMax +
                       "\nMin: " + d.dfMin + "\nCount: " + d.dfRecordCnt,
                   vbOKOnly, "Sum / Average");
}

void HeadlessCompanionTools::ShowErrorMsg(std::string& error_list) {
  messages_.MsgBox(error_list, vbOKOnly, "Error List");
}

namespace {

ToolOutcome WriteOut(const std::string& path, const std::string& text) {
  ToolOutcome outcome;
  outcome.path = path;
  outcome.message = internal::WriteFileAtomically(path, text);
  outcome.done = outcome.message.empty();
  return outcome;
}

ToolOutcome WriteToFolder(const std::function<std::string()>& folder_of, const std::string& name,
                          const std::string& extension, const std::string& text) {
  const std::string folder = folder_of ? folder_of() : std::string();
  if (folder.empty()) return ToolOutcome{false, "", "no folder to write the export to"};
  if (!internal::IsUsablePath(folder)) return ToolOutcome{false, "", "the export folder's name holds a NUL byte"};
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (!std::filesystem::is_directory(folder, ec)) {
    return ToolOutcome{false, "", "cannot create the export folder '" + folder + "'"};
  }
  return WriteOut(folder + "/" + name + extension, text);
}

}  // namespace

ToolOutcome HeadlessCompanionTools::sbPrint(const GridTable& grid, const std::string& title) {
  return WriteToFolder(export_folder_, internal::SafeFileName(title, "print"), ".print.txt",
                       PrintImage(grid, title));
}

ToolOutcome HeadlessCompanionTools::SendToExcel(std::string& info_field3, const GridTable& grid) {
  return WriteToFolder(export_folder_, internal::SafeFileName(info_field3, "export"), ".tsv",
                       TabSeparated(grid));
}

ToolOutcome HeadlessCompanionTools::SendExcel(const std::string& pgm_id, std::string& info_field3,
                                              std::string& document, const GridTable& grid,
                                              std::string& header_title) {
  if (!document.empty()) return WriteOut(document, TabSeparated(grid));
  std::string name = internal::SafeFileName(header_title, "");
  if (name.empty()) name = internal::SafeFileName(info_field3, "");
  if (name.empty()) name = internal::SafeFileName(pgm_id, "export");
  return WriteToFolder(export_folder_, name, ".tsv", TabSeparated(grid));
}

ToolOutcome HeadlessCompanionTools::sbShowChart(const GridTable&, int32_t, int32_t) {
  const std::string why = "Charts need a host with a display; no chart was shown.";
  messages_.MsgBox(why, vbOKOnly | vbInformation, "Chart");
  return ToolOutcome{false, "", why};
}

}  // namespace zel
