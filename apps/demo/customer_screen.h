// The customer master screen ("거래처 관리"): one sheet of customers on the sample server.
// It declares the columns as a screen does (AddItem through the server's declarations),
// queries and displays, saves through fnCheckNotNull, GetData, the server and
// MessageCheckSaveSheet, answers the code help of the region column, and says how each step
// went in a status line. It knows nothing of the terminal beyond the dialogs it opens.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "server/customer_server.h"
#include "tui/dialogs.h"
#include "zelsheet/platform.h"
#include "zelsheet/zel_sheet.h"
#include "zelsheet/zel_sheet_events.h"

namespace zel::demo {

// The screen's caption: its title line, the title of its message boxes, its exports' title.
inline constexpr const char* kScreenCaption = "거래처 관리";

struct StatusLine {
  std::string text;
  bool error = false;
};

class CustomerScreen : public ZelSheetEvents {
 public:
  // `platform`, `server` and `host` (where the code help list opens) must outlive the screen.
  CustomerScreen(Platform& platform, server::CustomerServer& server, tui::ModalHost& host,
                 const std::string& user);
  ~CustomerScreen() override;
  // Stores the user's arrangement of the sheet as the screen closes (the rows are emptied
  // first; nothing more happens to the sheet after it). Runs once.
  void Close();

  ZelSheet& Sheet() { return *sheet_; }
  const StatusLine& Status() const { return status_; }
  void SetStatus(std::string text, bool error = false);

  // Queries the customers whose name holds `name_part` and displays them. Pending changes
  // are settled first (SettleChanges); when the user stays, nothing is queried.
  void Query(const std::string& name_part);
  // The save cycle. Returns false when something stopped it or a row failed.
  bool Save();
  // The error list of the last save (the sheet's own menu entry).
  void ShowErrors();
  // Before pending changes would be lost: asks whether to save them. Yes saves, No lets them
  // go, Cancel (or Escape) stays. False when the caller must not go on: the user stayed or
  // the save they asked for failed.
  bool SettleChanges();
  // Settles pending changes before the program ends; false when the user must stay.
  bool ConfirmQuit();
  // Goes to the first empty row below the data, where a new customer is typed.
  void GoToNewRow();
  // Widens or narrows the row-number column to the largest row number (three digits at
  // least), so that no number is cut. Cheap when nothing changed: the program calls it
  // before each paint, whatever added or removed rows.
  void FitRowNumbers();
  // Marks the active row for deletion, or takes the mark back.
  void ToggleDeleteMark();
  // After an entry of the sheet's menus (`entry` its name): the rows a filter left shown are
  // counted, and a cursor left on a row the filter hid goes to the first one shown.
  void AfterMenu(const std::string& entry);
  // True while a filter hides rows (until the next query or a filter that hides none).
  bool Filtered() const { return filtered_; }
  // Code help for the region of `row`. Asked for (F9, a double click): the list of regions,
  // the choice filling the code and the name. After the user changed the code: a known
  // code fills the name at once, an empty one empties it, anything else opens the list.
  // A row whose code and name stay as they were is not marked changed.
  void RegionHelp(int32_t row, bool asked);

  // Events of the sheet. A changed region code is answered on Change, which names the
  // changed cell; ShowDic names the last cell entered, which a jump of the screen's own
  // (Ctrl+N) leaves behind, so it only opens the list the user asked for, on the active cell.
  void Change(int32_t Col, int32_t Row) override;
  void ShowDic(int32_t Col, int32_t Row, int32_t NewCol, int32_t NewRow, bool& Cancel,
               bool& IsDblClick) override;
  void ButtonClicked(int32_t Col, int32_t Row, int16_t ButtonDown) override;
  // The sheet puts the cursor back into a registration date that is no real date, and says
  // nothing: the status line says why the cursor did not move.
  void LeaveCell(int32_t Col, int32_t Row, int32_t NewCol, int32_t NewRow, bool& Cancel) override;

 private:
  // Declares the columns; the screen's own widths and frozen columns only when the user's
  // stored arrangement was not `restored`.
  void Declare(bool restored);
  void FillRegion(int32_t row, const std::string& code, const std::string& name);
  // The sheet's date check of grid cell (col, row) when it is a registration date: true
  // when it passes (a typed date repaired into its day-first form); false, the status line
  // saying why, when it is no date.
  bool DateChecked(int32_t col, int32_t row);
  // Looks at every data row: sets `filtered_`, returns the rows shown.
  int32_t CountShownRows();

  Platform& platform_;
  server::CustomerServer& server_;
  tui::ModalHost& host_;
  std::unique_ptr<ZelSheet> sheet_;
  StatusLine status_;
  int row_digits_ = 0;  // the digits the row-number column was last fitted to
  bool in_help_ = false;
  bool bad_date_shown_ = false;  // the status line tells of a refused date
  bool filtered_ = false;
  bool closed_ = false;
};

}  // namespace zel::demo
