// The companion tools: the dialogs, exports, chart and print service that the sheet's
// context menu and a few members hand work to. The sheet fills a plain struct with what the
// dialog starts from, asks the service, and, when the dialog was confirmed, reads the
// struct back. Field names are those of the companion forms the screens were written
// against (gColMerge1, txtSearch, ArrayValue, ...), so the sheet code maps one to one.
//
// The sheet passes grid contents as a GridTable snapshot rather than the grid itself: the
// tools never change the sheet (whatever a dialog decides comes back through its struct),
// and a snapshot typed by the sheet's column model says more than the grid could: which
// columns hold numbers, dates or check boxes, and a combo cell's caption rather than its
// code.
//
// Every member may throw CompanionToolsError when the service is missing or fails; the
// sheet passes such failures over where its tools say so.
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "zelsheet/types.h"

namespace zel {

class MessageBoxes;

class CompanionToolsError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// How a column's values are written in GridTable::rows.
enum class TableKind : uint8_t {
  kText,    // the text as shown (a combo cell: its caption)
  kNumber,  // plain decimal text ("-1234.5", "" for an empty cell)
  kDate,    // "yyyymmdd", or "yyyymm" for a year-month ("" for an empty cell)
  kCheck,   // "1" ticked, "0" not
};

// One column of a GridTable.
struct TableColumn {
  int32_t grid_col = 0;   // where it stands in the sheet
  double width = 8.43;    // in characters of the default font
  bool hidden = false;    // hidden in the sheet: kept in a workbook, left out of print
  TableKind kind = TableKind::kText;
  int16_t decimals = 0;   // kNumber: decimal places shown
  bool thousands = false; // kNumber: shown with a thousands separator
  bool operator==(const TableColumn&) const = default;
};

// A header cell covering `cols` x `rows` cells from column `col` of header row `row` (both
// counted from 0 in GridTable's header_rows and columns).
struct TableSpan {
  int32_t col = 0, row = 0, cols = 1, rows = 1;
  bool operator==(const TableSpan&) const = default;
};

// What the tools see of a sheet: its shown rows in order, every column in display order.
// Row i holds one value per column (shorter rows are padded with "" when written out).
// `titles` is enough for a plain table; the other members, when filled (the sheet fills
// them all; an empty vector means "nothing special"), describe it as the user sees it.
struct GridTable {
  std::vector<std::string> titles;             // one per column: its bottom header text
  std::vector<std::vector<std::string>> rows;  // values as TableColumn::kind says
  std::vector<TableColumn> columns;            // empty: text columns, none hidden
  // Every header row, top first (the last one is `titles`); empty: `titles` alone.
  std::vector<std::vector<std::string>> header_rows;
  std::vector<TableSpan> header_spans;
  // Per row: its back and text colour as the sheet shows it (empty: white and black).
  std::vector<Color> row_back, row_fore;
  Color header_back = 0xCFD4CD, header_fore = 0;
  int32_t frozen_cols = 0, frozen_rows = 0;  // counted in columns and rows of this table
  std::vector<int32_t> selected_cols;        // columns (from 0) of the sheet's selection
  bool operator==(const GridTable&) const = default;
};

// GetColMerge: the column merge dialog. Merge columns are grid column numbers, 0 = none.
struct ColMergeDialog {
  std::vector<std::string> column_titles;  // the grid's columns, for the dialog's lists
  // Element c-1 is true when column c is hidden, so the user does not see it; a dialog may
  // leave it out of its lists.
  std::vector<bool> hidden;
  int16_t gColMerge1 = 0, gColMerge2 = 0, gColMerge3 = 0;
  bool bIsColor = false;  // colour the merge groups
  bool operator==(const ColMergeDialog&) const = default;
};

// Shared shape of the filter and configuration dialogs: one entry per column, element c-1
// describing column c (the dialog's ArrayInit(count) / ArrayName(c) / ArrayValue(c)).
struct SheetColumnsDialog {
  std::string varParentName;  // PgmID
  std::string varSheetName;   // SheetID
  bool EditMode = false;
  std::vector<std::string> ArrayName;   // column titles
  std::vector<std::string> ArrayValue;  // per column: filter text, or "0" / "1" / "HID"
  bool operator==(const SheetColumnsDialog&) const = default;
};

// GetSheetFilter: ArrayValue comes back as each column's filter text ("" = no filter).
// `hidden`: element c-1 is true when column c is hidden, so the user does not see it; a
// dialog may leave such a column out (its filter text then stays "").
struct SheetFilterDialog : SheetColumnsDialog {
  std::vector<bool> hidden;
  bool operator==(const SheetFilterDialog&) const = default;
};

// GetSheetSetting: ArrayValue goes in as "0" shown, "1" hidden by the user, "HID" hidden by
// the system, and comes back as "1" for every column to hide.
struct SheetSettingDialog : SheetColumnsDialog {
  bool operator==(const SheetSettingDialog&) const = default;
};

// GetSearch: the find dialog.
struct SearchDialog {
  std::string txtSearch;
  bool operator==(const SearchDialog&) const = default;
};

// GetSheetSort: three combo boxes over the same list; ItemData 0 = no key.
struct SortChoice {
  std::string caption;
  int32_t ItemData = 0;  // grid column
  bool operator==(const SortChoice&) const = default;
};
struct SheetSortDialog {
  std::vector<SortChoice> items;  // "" (0) first, then each visible column
  // Out: the ItemData of each combo's chosen entry, and the direction options.
  int32_t cboFirst = 0, cboSecond = 0, cboThird = 0;
  bool optFirstAsc = true, optSecondAsc = true, optThirdAsc = true;
  bool operator==(const SheetSortDialog&) const = default;
};

// GetFrozen: number of frozen columns or rows.
struct FrozenDialog {
  std::string lblTitle;   // "번째 열" or "번째 행"
  int32_t lngMax = 0;     // column or row count
  std::string txtNumber;  // in: the frozen count; out: what the user entered
  int32_t vsbMin = 0, vsbMax = 0, vsbValue = 0;  // the spinner, as the sheet sets it up
  // Frozen columns: each shown column's title and grid column (ItemData), left to right, for
  // a dialog that offers the last frozen column by its title; hidden columns, which the
  // user does not see, are not among them. Empty for rows.
  std::vector<SortChoice> columns;
  bool operator==(const FrozenDialog&) const = default;
};

// GetCalOnSheet: shows the sum and average of the selection; nothing comes back.
struct CalOnSheetDialog {
  std::string dfTotal, dfAverage, dfMax, dfMin, dfRecordCnt;
  bool operator==(const CalOnSheetDialog&) const = default;
};

// GetSheetSeperate: the row split dialog; the user ticks the columns to halve.
struct SheetSeperateDialog {
  std::string varParentName;  // PgmID
  std::string varSheetName;   // SheetID
  std::vector<std::string> titles;  // element c-1: title of column c
  // Element c-1 is true when column c is hidden, so the user does not see it; a dialog may
  // leave it out (it then stays unticked).
  std::vector<bool> hidden;
  std::vector<bool> ticked;         // out: element c-1 true when column c was ticked
  bool operator==(const SheetSeperateDialog&) const = default;
};

// GetDate: the calendar; dates as "yyyymmdd" ("" = none).
struct DateDialog {
  std::string date;
  bool operator==(const DateDialog&) const = default;
};

// OpenDialog as recorded: the arguments and the answer.
struct OpenFileDialog {
  std::string strInitDir, strFilter;
  bool bulMultiSelect = false;
  std::string FileName;  // the chosen file or files; "" when cancelled
  bool operator==(const OpenFileDialog&) const = default;
};

// Calls that show or export and read nothing back, as recorded.
struct ErrorListCall {
  std::string text;
  bool operator==(const ErrorListCall&) const = default;
};
struct PrintCall {
  GridTable grid;
  std::string title;
  bool operator==(const PrintCall&) const = default;
};
struct SendToExcelCall {
  std::string info_field3;  // third field of the sheet's Info text
  GridTable grid;
  bool operator==(const SendToExcelCall&) const = default;
};
struct SendExcelCall {
  std::string pgm_id;
  std::string info_field3;
  std::string document;  // the host's target document (a file path), may be ""
  GridTable grid;
  std::string header_title;
  bool operator==(const SendExcelCall&) const = default;
};
struct ChartCall {
  GridTable grid;
  int32_t x = 10, y = 10;
  bool operator==(const ChartCall&) const = default;
};

// What an export or print did: whether it produced something, and where or why not.
struct ToolOutcome {
  bool done = false;
  std::string path;     // the file written, when there is one
  std::string message;  // why nothing was produced
};

class CompanionTools {
 public:
  virtual ~CompanionTools() = default;

  // Dialogs: show modally over the sheet, starting from `dialog`. Return true when the user
  // confirmed (bSheetSetting / bSheetFilter / bOK / bSheetSeperate); `dialog` then holds
  // the answer. On false `dialog` is left as it was.
  virtual bool GetColMerge(ColMergeDialog& dialog) = 0;
  virtual bool GetSheetFilter(SheetFilterDialog& dialog) = 0;
  virtual bool GetSheetSetting(SheetSettingDialog& dialog) = 0;
  virtual bool GetSearch(SearchDialog& dialog) = 0;
  virtual bool GetSheetSort(SheetSortDialog& dialog) = 0;
  virtual bool GetFrozen(FrozenDialog& dialog) = 0;
  virtual bool GetSheetSeperate(SheetSeperateDialog& dialog) = 0;
  virtual bool GetDate(DateDialog& dialog) = 0;

  // Shows the sum and average figures.
  virtual void GetCalOnSheet(const CalOnSheetDialog& dialog) = 0;
  // Shows the error list (the sheet's ErrorMsg text). By reference, as the sheet hands it.
  virtual void ShowErrorMsg(std::string& error_list) = 0;
  // Asks for a file to open; returns the chosen file or files, "" when cancelled.
  virtual std::string OpenDialog(const std::string& strInitDir, const std::string& strFilter,
                                 bool bulMultiSelect) = 0;

  // Print, export and chart. The sheet reads nothing back; the outcome is for the host.
  virtual ToolOutcome sbPrint(const GridTable& grid, const std::string& title) = 0;
  virtual ToolOutcome SendToExcel(std::string& info_field3, const GridTable& grid) = 0;
  virtual ToolOutcome SendExcel(const std::string& pgm_id, std::string& info_field3,
                                std::string& document, const GridTable& grid,
                                std::string& header_title) = 0;
  virtual ToolOutcome sbShowChart(const GridTable& grid, int32_t x = 10, int32_t y = 10) = 0;
};

// The tools of a machine without a desktop:
// - every dialog is cancelled and OpenDialog chooses nothing;
// - GetCalOnSheet and ShowErrorMsg put their text in a message box (OK, no icon);
// - sbPrint writes the table as aligned plain text, SendToExcel and SendExcel as
//   tab-separated text (one title line, one line per row; tabs and line breaks inside a
//   cell become blanks), into the folder `export_folder()` names; the file name comes from
//   the title (or the info field, or the header title), with characters a file name cannot
//   hold replaced by "_"; SendExcel writes to `document` instead when it is not empty;
//   files are written whole (a temporary file renamed into place);
// - sbShowChart shows nothing: it says so in its outcome.
class HeadlessCompanionTools : public CompanionTools {
 public:
  // `messages` must outlive this object. `export_folder` is asked at each export (it may
  // create the folder); an empty answer makes the export fail with a message.
  HeadlessCompanionTools(MessageBoxes& messages, std::function<std::string()> export_folder);

  bool GetColMerge(ColMergeDialog& dialog) override;
  bool GetSheetFilter(SheetFilterDialog& dialog) override;
  bool GetSheetSetting(SheetSettingDialog& dialog) override;
  bool GetSearch(SearchDialog& dialog) override;
  bool GetSheetSort(SheetSortDialog& dialog) override;
  bool GetFrozen(FrozenDialog& dialog) override;
  bool GetSheetSeperate(SheetSeperateDialog& dialog) override;
  bool GetDate(DateDialog& dialog) override;
  void GetCalOnSheet(const CalOnSheetDialog& dialog) override;
  void ShowErrorMsg(std::string& error_list) override;
  std::string OpenDialog(const std::string& strInitDir, const std::string& strFilter,
                         bool bulMultiSelect) override;
  ToolOutcome sbPrint(const GridTable& grid, const std::string& title) override;
  ToolOutcome SendToExcel(std::string& info_field3, const GridTable& grid) override;
  ToolOutcome SendExcel(const std::string& pgm_id, std::string& info_field3,
                        std::string& document, const GridTable& grid,
                        std::string& header_title) override;
  ToolOutcome sbShowChart(const GridTable& grid, int32_t x = 10, int32_t y = 10) override;

 private:
  MessageBoxes& messages_;
  std::function<std::string()> export_folder_;
};

}  // namespace zel
