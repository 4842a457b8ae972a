// The companion tools that make real files: a workbook (.xlsx) for the spreadsheet export,
// a paginated PDF for the print, and a chart as SVG and PNG. They live in their own library
// (zelsheet_companion, on libxlsxwriter and cairo/pango) so that the sheet itself needs only
// the standard library; a host installs them with
//
//   platform.SetCompanionTools(std::make_unique<zel::FileCompanionTools>(
//       platform.Messages(), [&] { return folder; }));
//
// Files go to the export folder under a name made from the title and the time, never
// replacing another file (a second export in the same second gets "-2", "-3", ...); a
// file appears whole or not at all. The dialogs stay those of HeadlessCompanionTools: a
// host with a screen derives and overrides them.
#pragma once

#include <functional>
#include <string>

#include "zelsheet/companion_tools.h"

namespace zel {

// The limits of the workbook format: beyond them an export writes no file and says why.
inline constexpr size_t kWorkbookMaxCols = 16384;
inline constexpr size_t kWorkbookMaxRows = 1048576;

// Writes `table` as a workbook to `path` (replaced whole): `header_title`, when not empty,
// in a merged bold row above the table; the header rows with their spans merged; numbers
// as numbers with the column's decimals and thousands separator, dates as dates, check
// boxes as TRUE/FALSE; hidden columns hidden, widths kept, panes frozen as in the sheet;
// rows in their colours (failed rows red). Returns "" or why nothing was written.
std::string WriteWorkbook(const GridTable& table, const std::string& header_title,
                          const std::string& path);

// Writes `table` as a PDF of landscape A4 pages to `path`: the title and the header rows on
// every page, rows continued on following pages and the columns that do not fit on the
// pages after those, page numbers, the sheet's colours; hidden columns are left out.
// Returns "" or why nothing was written.
std::string WritePrintout(const GridTable& table, const std::string& title,
                          const std::string& path);

// Draws a chart of the selected number columns (all shown number columns when none is
// selected) against the first shown text column (or the row numbers), bars for a few rows
// and lines for many, and writes it to `svg_path` and `png_path`. Returns "" or why not.
std::string WriteChart(const GridTable& table, const std::string& title,
                       const std::string& svg_path, const std::string& png_path);

class FileCompanionTools : public HeadlessCompanionTools {
 public:
  // `messages` must outlive this object. `export_folder` is asked at each export and
  // created when missing; an empty answer makes the export fail with a message.
  FileCompanionTools(MessageBoxes& messages, std::function<std::string()> export_folder);

  // The PDF's path.
  ToolOutcome sbPrint(const GridTable& grid, const std::string& title) override;
  // The workbook's path; named after the info field.
  ToolOutcome SendToExcel(std::string& info_field3, const GridTable& grid) override;
  // The workbook's path: `document` when the host names one, else named after the header
  // title (or the info field, or the program id).
  ToolOutcome SendExcel(const std::string& pgm_id, std::string& info_field3,
                        std::string& document, const GridTable& grid,
                        std::string& header_title) override;
  // The PNG's path; the SVG lies beside it with the same name.
  ToolOutcome sbShowChart(const GridTable& grid, int32_t x = 10, int32_t y = 10) override;

 private:
  std::function<std::string()> folder_;
};

}  // namespace zel
