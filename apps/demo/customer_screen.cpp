#include "demo/customer_screen.h"

#include <chrono>
#include <cstdio>

#include "tui/grid_painter.h"
#include "zelsheet/host_helpers.h"
#include "zelsheet/property_bag.h"

namespace zel::demo {

namespace {

using server::CustomerColumn;

// Widths in characters (the last one of each column is its grid line).
struct ColumnWidth {
  CustomerColumn col;
  double width;
};
constexpr ColumnWidth kWidths[] = {
    {server::kCode, 11},        {server::kName, 24},   {server::kKind, 9},
    {server::kCreditLimit, 16}, {server::kRegisteredOn, 12}, {server::kActive, 6},
    {server::kPhone, 15},       {server::kRegionCode, 9}, {server::kRegionName, 12},
    {server::kRemark, 24},
};

// The screen's identity in the settings store and its info record: the screen definition's
// date, the program, the export title, the load mode that formats cells by type, the
// language, the rights (copy and export allowed), the sheet and the user. The definition's
// date also dates the user's stored column arrangement: a screen whose columns change gets
// a new date, and arrangements of the old columns are then left alone.
constexpr const char* kPgmId = "CUST001";
constexpr const char* kSheetId = "S1";
constexpr const char* kDefinitionDate = "20260101";

// Customers per part of a query's answer: large enough that a part's Display costs little
// beyond its rows, small enough that the parts on their way (the server reads two ahead of
// the one being displayed) stay a small share of the sheet's memory: about 0.5 MB each.
constexpr int64_t kQueryPageRows = 5'000;

// Empty rows kept below the data for new customers.
constexpr int32_t kSpareRows = 20;

std::string WithThousands(int64_t n) {
  const std::string digits = std::to_string(n);
  std::string out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && digits[i - 1] != '-' && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

std::string Seconds(std::chrono::steady_clock::duration d) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.2f초", std::chrono::duration<double>(d).count());
  return buf;
}

}  // namespace

CustomerScreen::CustomerScreen(Platform& platform, server::CustomerServer& server,
                               tui::ModalHost& host, const std::string& user)
    : platform_(platform), server_(server), host_(host) {
  sheet_ = std::make_unique<ZelSheet>(platform_, *this);
  PropertyBag bag;
  // The definition's date goes in without the "DATE:" mark: with it, the sheet takes a
  // user's first opening for a changed definition and keeps nothing arranged in that
  // session. SheetInit below still checks the stored arrangement against the date.
  bag.WriteProperty("Info", std::string(kDefinitionDate) + "~," + kPgmId + "~," + kScreenCaption +
                                "~,INIT~,1042~,11111111~," + kSheetId + "~," + user);
  bag.WriteProperty("PgmID", kPgmId);
  bag.WriteProperty("SheetID", kSheetId);
  sheet_->ReadProperties(bag);
  // The window's caption, which the sheet's print takes for its title and file name.
  sheet_->FormCaption(kScreenCaption);
  // The columns as the user left them (order, widths, hidden ones), when they were stored
  // for this definition of the screen.
  Declare(sheet_->SheetInit(server::kCustomerColumnCount, kDefinitionDate));
}

CustomerScreen::~CustomerScreen() {
  // The sheet raises Terminate into this object.
  sheet_.reset();
}

void CustomerScreen::Close() {
  if (closed_) return;
  closed_ = true;
  ZelSheet& s = *sheet_;
  // The rows are not part of the arrangement: the next opening drops them anyway, and the
  // user's folder should not keep a copy of the customers (nor write and read back hundreds
  // of megabytes after a large query). The spare rows keep the row height stored.
  s.MaxRows(0);
  s.AddRowsToSheet();
  s.SaveTitleInfo();
}

void CustomerScreen::Declare(bool restored) {
  ZelSheet& s = *sheet_;
  if (!restored) s.MaxCols(server::kCustomerColumnCount);
  for (const ColumnDescription& column : server::CustomerColumns()) AddColumn(s, column);
  // AddItem leaves a date column's cells as text cells; as date cells they sort by the date
  // rather than by the day-first text.
  s.Col(s.ColX(server::kRegisteredOn));
  s.Row(-1);
  s.CellType(kCellDate);
  if (!restored) {
    for (const ColumnWidth& w : kWidths) s.ColWidth(s.ColX(w.col), w.width);
    s.ColsFrozen(2);  // code and name stay in sight while scrolling right
  }
  FitRowNumbers();
  tui::GridPainter::FitRowHeightsToLines(s.GetSheet());
  s.AddRowsToSheet(kSpareRows);
}

void CustomerScreen::SetStatus(std::string text, bool error) {
  status_ = {std::move(text), error};
  bad_date_shown_ = false;
}

void CustomerScreen::Query(const std::string& name_part) {
  if (!SettleChanges()) return;
  const auto start = std::chrono::steady_clock::now();
  // The answer comes in parts, each displayed as it arrives (the first replaces the sheet,
  // the next ones append), so the whole text never sits beside the filled sheet. The spare
  // rows for new customers come once, below the last part: spare rows after every part
  // would only be overwritten by the next, their "A" marks touching the status column's
  // memory all the way down.
  sheet_->AddRowsToSheet(0);
  bool first = true;
  try {
    server_.QueryPages(name_part, kQueryPageRows, [&](std::string& part) {
      sheet_->Display(part, !first);
      first = false;
    });
  } catch (const server::ServerError& e) {
    sheet_->AddRowsToSheet(kSpareRows);
    SetStatus(e.what(), true);
    return;
  }
  if (first) sheet_->Display("");  // nothing found: the sheet is emptied all the same
  sheet_->AddRowsToSheet(kSpareRows);
  CountShownRows();  // the new rows are all shown: a filter ends with the query
  const int32_t rows = sheet_->GetSheet().DataRowCnt();
  std::string text = WithThousands(rows) + "건 조회했습니다";
  if (!name_part.empty()) text += " (거래처명에 \"" + name_part + "\")";
  SetStatus(text + ". " + Seconds(std::chrono::steady_clock::now() - start));
}

bool CustomerScreen::Save() {
  ZelSheet& s = *sheet_;
  if (s.GetChangeCount() == 0) {
    SetStatus("저장할 변경 내용이 없습니다.");
    return true;
  }
  // Saving leaves no cell: a date just typed into the active cell has not been checked yet.
  // Unchecked, its text would reach the server as another date, or as none.
  const Grid& g = s.GetSheet();
  if (!DateChecked(g.ActiveCol(), g.ActiveRow())) return false;
  if (!s.fnCheckNotNull()) {
    SetStatus("필수 항목을 입력한 뒤 다시 저장하십시오.", true);
    return false;
  }
  const std::string text = s.GetData();
  std::string results;
  try {
    results = server_.Save(text, ResultsForm::Sheet);
  } catch (const server::ServerError& e) {
    SetStatus("저장하지 못했습니다: " + std::string(e.what()), true);
    return false;
  }
  size_t sent = 0;
  try {
    sent = ReadSaveParams(text).lines.size();
  } catch (const WireTextError&) {
  }
  const bool clean = s.MessageCheckSaveSheet(results, 2, 0, server::kSerial, 3, 0, server::kRowVersion,
                                             4, 0, server::kRegionName);
  s.AddRowsToSheet();  // the spare rows used by new customers come back
  const int32_t failed = s.ErrorCount();
  if (clean) {
    SetStatus(std::to_string(sent) + "건 저장했습니다.");
  } else {
    SetStatus(std::to_string(static_cast<int64_t>(sent) - failed) + "건 저장, " + std::to_string(failed) +
                  "건 오류: F8 오류 목록",
              true);
  }
  return clean;
}

void CustomerScreen::ShowErrors() { sheet_->ErrorLogShow(); }

bool CustomerScreen::SettleChanges() {
  if (sheet_->ChangedCount(20) <= 0) return true;
  // The sheet's own question (IsChangedSave) offers only Yes and No; leaving the screen or
  // replacing its rows is something the user must be able to step back from.
  switch (platform_.MsgBox("데이터가 변경되었습니다.\n저장하겠습니까?", vbYesNoCancel | vbQuestion, kScreenCaption)) {
    case vbYes:
      return Save();
    case vbNo:
      return true;
    default:
      return false;
  }
}

bool CustomerScreen::ConfirmQuit() { return SettleChanges(); }

void CustomerScreen::GoToNewRow() {
  ZelSheet& s = *sheet_;
  const int32_t row = s.GetSheet().DataRowCnt() + 1;
  if (row > s.MaxRows()) s.AddRowsToSheet();
  s.ActiveCell(s.ColX(server::kCode), row);
  SetStatus("새 거래처를 입력하십시오 (거래처코드, 거래처명, 구분은 필수).");
}

void CustomerScreen::FitRowNumbers() {
  int digits = 3;
  for (int32_t n = sheet_->MaxRows(); n >= 1000; n /= 10) ++digits;
  if (digits == row_digits_) return;
  row_digits_ = digits;
  sheet_->ColWidth(0, digits + 1);  // the last character is the grid line
}

void CustomerScreen::ToggleDeleteMark() {
  ZelSheet& s = *sheet_;
  Grid& g = s.GetSheet();
  const int32_t row = g.ActiveRow();
  if (row < 1 || row > g.DataRowCnt()) return;
  // The row marks act on rows whose header is selected.
  g.SetSelection(-1, row, -1, row);
  if (GetRowStatus(s, row) == RowStatus::MarkedForDeletion) {
    s.mnuCancel_Click();
    SetStatus(std::to_string(row) + "행의 삭제 표시를 지웠습니다.");
  } else {
    s.mnuDelete_Click();
    SetStatus(std::to_string(row) + "행을 삭제로 표시했습니다. Ctrl+S로 저장하면 지워집니다.");
  }
  g.ClearSelection();
}

int32_t CustomerScreen::CountShownRows() {
  Grid& g = sheet_->GetSheet();
  const int32_t rows = g.DataRowCnt(), saved = g.Row();
  int32_t shown = 0;
  for (int32_t r = 1; r <= rows; ++r) {
    g.Row(r);
    shown += g.RowHidden() ? 0 : 1;
  }
  g.Row(saved);
  filtered_ = shown < rows;
  return shown;
}

void CustomerScreen::AfterMenu(const std::string& entry) {
  const int32_t shown = CountShownRows();
  Grid& g = sheet_->GetSheet();
  g.Row(g.ActiveRow());
  if (g.ActiveRow() >= 1 && g.RowHidden()) {
    for (int32_t r = 1; r <= g.DataRowCnt(); ++r) {
      g.Row(r);
      if (!g.RowHidden()) {
        sheet_->ActiveCell(g.ActiveCol(), r);
        break;
      }
    }
  }
  if (entry != "mnuSheetFilter") return;
  if (filtered_) {
    SetStatus("필터: " + WithThousands(shown) + "건이 조건에 맞습니다. F5 조회로 필터가 풀립니다.");
  } else {
    SetStatus("필터가 없습니다: 모든 행을 보입니다.");
  }
}

void CustomerScreen::FillRegion(int32_t row, const std::string& code, const std::string& name) {
  ZelSheet& s = *sheet_;
  if (s.CellText(server::kRegionCode, row) == code && s.CellText(server::kRegionName, row) == name) return;
  s.CellText(server::kRegionCode, row, code);
  s.CellText(server::kRegionName, row, name);
  s.TrackRowEdit(row);
}

void CustomerScreen::RegionHelp(int32_t row, bool asked) {
  if (in_help_) return;
  in_help_ = true;
  const std::string typed = sheet_->CellText(server::kRegionCode, row);
  try {
    std::vector<server::Region> regions = server_.Regions(typed);
    if (!asked && typed.empty()) {
      FillRegion(row, "", "");  // the code was cleared: so is the name
    } else if (!asked && regions.size() == 1 && regions[0].code == typed) {
      FillRegion(row, regions[0].code, regions[0].name);  // a known code typed in full
    } else {
      int start = 0;
      regions = server_.Regions("");
      std::vector<std::string> lines;
      for (const server::Region& r : regions) {
        if (r.code == typed) start = static_cast<int>(lines.size());
        lines.push_back(r.code + "  " + r.name);
      }
      const int chosen = tui::RunListBox(host_, "지역 코드", lines, start);
      if (chosen >= 0) {
        const server::Region& r = regions[static_cast<size_t>(chosen)];
        FillRegion(row, r.code, r.name);
      }
    }
  } catch (const server::ServerError& e) {
    SetStatus(e.what(), true);
  }
  in_help_ = false;
}

void CustomerScreen::Change(int32_t Col, int32_t Row) {
  if (Col == sheet_->ColX(server::kRegionCode) && Row >= 1) RegionHelp(Row, false);
}

void CustomerScreen::ShowDic(int32_t, int32_t, int32_t, int32_t, bool&, bool& IsDblClick) {
  const Grid& g = sheet_->GetSheet();
  if (IsDblClick && g.ActiveCol() == sheet_->ColX(server::kRegionCode) && g.ActiveRow() >= 1) {
    RegionHelp(g.ActiveRow(), true);
  }
}

void CustomerScreen::ButtonClicked(int32_t Col, int32_t Row, int16_t) {
  // The sheet marks the row only when the box was clicked with the mouse; ticked with Space
  // it is as much the user's change, and must be saved as well.
  if (Col == sheet_->ColX(server::kActive) && Row >= 1) sheet_->TrackRowEdit(Row);
}

bool CustomerScreen::DateChecked(int32_t col, int32_t row) {
  ZelSheet& s = *sheet_;
  if (col != s.ColX(server::kRegisteredOn) || row < 1) return true;
  if (s.CheckDateInput(col, row, EnDate)) {
    if (bad_date_shown_) SetStatus("");
    return true;
  }
  std::string typed;
  s.GetSheet().GetText(col, row, typed);
  SetStatus("등록일자: 올바른 날짜가 아닙니다 (" + typed + "). 예: 20240131, 2024-1-31, 1/31", true);
  bad_date_shown_ = true;
  return false;
}

void CustomerScreen::LeaveCell(int32_t Col, int32_t Row, int32_t, int32_t, bool&) {
  // The sheet's check has run: a date it repaired, or one nobody typed, passes a second
  // look without change; one it refused is refused again.
  DateChecked(Col, Row);
}

}  // namespace zel::demo
