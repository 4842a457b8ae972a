// A host screen on ZelSheet, start to end: a customer list that a user edits and saves.
//
// The screen declares its columns, asks its server for the customers, shows them, lets the
// user change one, add one and delete one, sends the changes to the server and applies the
// server's answer, then reads the error list. The server is a fake kept in this file; a
// real one would sit behind a network call, but it reads and writes the same texts.
//
// Build it as a host does: link ZelSheet::zelsheet (CMake) or `pkg-config --libs zelsheet`.
// Run it: it prints what the screen sees at each step.
#include <cstdint>
#include <iostream>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "zelsheet/host_helpers.h"
#include "zelsheet/zel_sheet.h"

namespace {

// The definition numbers of the screen's columns: AddItem hands them out from 1 in the
// order of declaration, and every cell member takes them (ColX finds where the user moved
// a column to).
enum Column : int32_t { kCode = 1, kName, kKind, kCredit, kActive, kSerial, kColumnCount = kSerial };

// ---- The server ----

struct Customer {
  std::string name, kind;
  int64_t credit = 0;
  bool active = true;
  int64_t serial = 0;
};

// Answers queries with a data string and saves with a results string, as the customer
// service of a business server does. Customers with open orders cannot be deleted.
class FakeServer {
 public:
  FakeServer() {
    customers_["C001"] = {"한빛상사", "1", 5000000, true, 1};
    customers_["C002"] = {"미래유통", "2", 0, true, 2};
    customers_["C003"] = {"동해물산", "1", 1200000, false, 3};
    open_orders_ = {"C003"};
  }

  // One row per customer, its fields in the order of the screen's definition numbers.
  std::string Query() const {
    zel::DataStringWriter rows;
    for (const auto& [code, c] : customers_) {
      rows.Field(code).Field(c.name).Field(c.kind).Integer(c.credit);
      rows.Field(c.active ? "1" : "0").Integer(c.serial).EndRow();
    }
    return rows.Take();
  }

  // Applies every line of the save text and answers each, in the same order. A saved row
  // returns its serial number, which the sheet writes back into the row.
  std::string Save(const std::string& saveText) {
    const zel::SaveParams sent = zel::ReadSaveParams(saveText);
    const int32_t code = sent.FieldIndex("CUST_CD");
    const int32_t name = sent.FieldIndex("CUST_NM");
    const int32_t kind = sent.FieldIndex("CUST_GB");
    const int32_t credit = sent.FieldIndex("CREDIT_AMT");
    const int32_t active = sent.FieldIndex("USE_YN");
    zel::ResultsWriter answer({"CUST_SEQ"});
    for (const zel::SaveLine& line : sent.lines) {
      const std::string& key = line.values[code];
      if (line.tag == zel::SaveTag::Deleted) {
        if (open_orders_.count(key) != 0) {
          answer.Failed("미결 주문이 있어 삭제할 수 없습니다: " + key);
          continue;
        }
        customers_.erase(key);
        answer.Saved({""});
        continue;
      }
      if (line.tag == zel::SaveTag::Added && customers_.count(key) != 0) {
        answer.Failed("거래처코드가 이미 있습니다: " + key);
        continue;
      }
      Customer& c = customers_[key];
      if (c.serial == 0) c.serial = ++last_serial_;
      c.name = line.values[name];
      c.kind = line.values[kind];
      c.credit = std::stoll("0" + line.values[credit]);
      c.active = line.values[active] == "1";
      answer.Saved({std::to_string(c.serial)});
    }
    // MessageCheckSaveSheet wants every result row ended by "~I~"; MessageCheckSave wants
    // the last one left open. The writer knows both.
    return answer.Text(zel::ResultsForm::Sheet);
  }

 private:
  std::map<std::string, Customer> customers_;
  std::set<std::string> open_orders_;
  int64_t last_serial_ = 3;
};

// ---- The host's services ----

// The sheet shows its messages through the platform. A real host opens a dialog; this one
// prints the box and answers its default button.
class PrintedBoxes : public zel::MessageBoxes {
 public:
  zel::MsgBoxResult MsgBox(const std::string& text, int32_t style, const std::string& title) override {
    std::cout << "  [box" << (title.empty() ? "" : " " + title) << "] " << text << "\n";
    return zel::MsgBoxDefaultAnswer(style);
  }
};

// ---- The screen ----

// The screen hears the sheet's events by deriving from ZelSheetEvents; every event it does
// not override does nothing. Those members are virtual: a member of the screen named like
// an event (Click, Change, KeyDown...) with the same parameters becomes that event's handler.
class CustomerScreen : public zel::ZelSheetEvents {
 public:
  CustomerScreen(zel::Platform& platform, FakeServer& server)
      : platform_(platform), server_(server), sheet_(platform, *this) {
    // 1. Load the stored properties before anything else: this builds the grid, reads the
    //    user's settings and the message table. The Info record's eight fields: definition
    //    date, program, export title, load mode ("INIT": AddItem formats the cells by their
    //    type), language, rights, sheet and user.
    zel::PropertyBag bag;
    bag.WriteProperty("Info", "DATE:20260101~,CUST001~,거래처 관리~,INIT~,1042~,11111111~,S1~,kim");
    bag.WriteProperty("PgmID", "CUST001");
    bag.WriteProperty("SheetID", "S1");
    sheet_.ReadProperties(bag);

    // 2. Size the sheet to the screen's columns. Left alone it keeps 50, and GetData would
    //    send 50 fields per row.
    sheet_.MaxCols(kColumnCount);
    // The control's size in twips, as the host's window lays it out: the grid's painted
    // area, which the mouse input is measured in.
    sheet_.Resize(12000, 6000);

    // 3. Declare the columns, in the order of their definition numbers. "KEY" colours the
    //    title, "NON" makes the column required, "HID" hides it. A combo column's list holds
    //    caption and code; its max_length is the code's length.
    using zel::AddColumn;
    AddColumn(sheet_, {.field_name = "CUST_CD", .title = "거래처코드", .max_length = 5,
                       .access_code = "KEY;NON"});
    AddColumn(sheet_, {.field_name = "CUST_NM", .title = "거래처명", .max_length = 40,
                       .access_code = "NON"});
    AddColumn(sheet_, {.field_name = "CUST_GB", .title = "구분", .cell_type = zel::EnCombo,
                       .max_length = 1,
                       .mask_or_list = zel::ComboList({{"매출처", "1"}, {"매입처", "2"}})});
    AddColumn(sheet_, {.field_name = "CREDIT_AMT", .title = "여신한도",
                       .cell_type = zel::EnFloat, .max_length = 12});
    AddColumn(sheet_, {.field_name = "USE_YN", .title = "사용", .cell_type = zel::EnCheck});
    AddColumn(sheet_, {.field_name = "CUST_SEQ", .title = "일련번호", .max_length = 12,
                       .access_code = "HID;DIS"});
  }

  // 4. Query: the server's data string goes to Display, which replaces the rows and keeps
  //    empty "A" rows below them for new entries.
  void Query() {
    sheet_.Display(server_.Query());
    std::cout << "After the query:\n";
    Print();
  }

  // 5. The user edits. A real host hands its window's keys, characters and mouse to the
  //    grid's input members (Grid::InputKeyDown, InputText, InputMouseDown...); here the
  //    user's strokes are written out. The sheet hears its grid: a committed change marks
  //    the row "U" (a spare row keeps its "A") and raises Change.
  void Edit() {
    zel::Grid& grid = sheet_.GetSheet();
    grid.InputFocus(true);
    // Customer 2 gets a new name: go to the cell, type (the text replaces the cell's),
    // Enter commits.
    GoTo(kName, 2);
    Type("미래유통(주)\r");
    // A new customer in the first spare row: Tab commits and moves to the next column.
    GoTo(kCode, sheet_.GetSheet().DataRowCnt() + 1);
    Type("C004\t새한물산\t");
    // The kind is a combo: F4 opens its list, each Down selects the next item (the first
    // Down the first item), Enter closes the list.
    Key(kF4);
    Key(kDown);
    Key(kDown);
    Key(kEnter);
    // Credit limit, then Space ticks the check box.
    GoTo(kCredit, grid.ActiveRow());
    Type("3000000\r");
    GoTo(kActive, grid.ActiveRow());
    Type(" ");
    // Customer 3 is to be deleted: a click on its row header selects the whole row, and the
    // row header menu's "delete" entry marks it "X" (a host shows that menu on a right
    // click with PopupMenu("mnuEdit"); the entry's member is called here directly). The
    // row marks act only on rows selected by their row header.
    ClickCell(0, 3);
    sheet_.mnuDelete_Click();
    std::cout << "After the edits (" << sheet_.GetChangeCount() << " changed rows):\n";
    Print();
  }

  // 6. Save: check the required columns, send the changed rows, apply the answer.
  void Save() {
    if (!sheet_.fnCheckNotNull()) return;  // the sheet told the user which cell is empty
    const std::string sent = sheet_.GetData();
    std::cout << "Sent to the server:\n  " << sent << "\n";
    const std::string results = server_.Save(sent);
    std::cout << "The server's answer:\n  " << results << "\n";
    // The returned value 2 (field 2 of each result row, CUST_SEQ) goes into column kSerial.
    const bool clean = sheet_.MessageCheckSaveSheet(results, 2, 0, kSerial);
    std::cout << (clean ? "Saved.\n" : "Saved with errors:\n");
    // 7. The error list: one entry per failed row, which keeps its status and turns red.
    for (const zel::ErrorListEntry& e : zel::ReadErrorList(sheet_.ErrorMsg()))
      std::cout << "  row " << e.row << ": " << e.message << "\n";
    Print();
  }

  void Change(int32_t Col, int32_t Row) override {
    std::cout << "  Change(" << sheet_.GetColItemData(Col) << ", " << Row << ")\n";
  }

 private:
  // The host's side of the user's input. The sheet sends some keys back to its grid (Enter
  // moves on by a sent key); a host's message loop feeds them in after each stroke.
  static constexpr int16_t kEnter = 13, kDown = 40, kF4 = 115;

  void GoTo(Column col, int32_t row) { sheet_.GetSheet().SetActiveCell(sheet_.ColX(col), row); }
  void Type(const std::string& utf8) {
    sheet_.GetSheet().InputText(utf8);
    FeedSentKeys();
  }
  void Key(int16_t key) {
    sheet_.GetSheet().InputKeyDown(key, 0);
    FeedSentKeys();
    sheet_.GetSheet().InputKeyUp(key, 0);
  }
  // A click at the middle of grid cell (col, row) as the grid lays it out (twips).
  void ClickCell(int32_t col, int32_t row) {
    int32_t x = 0, y = 0, width = 0, height = 0;
    if (!sheet_.GetSheet().GetCellPos(col, row, x, y, width, height)) return;
    const float cx = static_cast<float>(x + width / 2), cy = static_cast<float>(y + height / 2);
    sheet_.GetSheet().InputMouseDown(1, 0, cx, cy, clock_ms_ += 1000);
    sheet_.GetSheet().InputMouseUp(1, 0, cx, cy);
    FeedSentKeys();
  }
  void FeedSentKeys() {
    zel::KeyQueue& keys = platform_.Keys();
    // A fed key may send more: a bounded number of rounds, so a loop cannot hang the screen.
    for (int round = 0; round < 16 && !keys.PendingKeys().empty(); ++round) {
      for (const std::string& sent : keys.TakeSentKeys()) {
        for (const zel::KeyStroke& k : zel::ParseSendKeys(sent).value_or(std::vector<zel::KeyStroke>{})) {
          if (k.is_char) {
            sheet_.GetSheet().InputText(std::string(1, static_cast<char>(k.code)));
          } else {
            sheet_.GetSheet().InputKeyDown(static_cast<int16_t>(k.code), 0);
            sheet_.GetSheet().InputKeyUp(static_cast<int16_t>(k.code), 0);
          }
        }
      }
    }
  }

  // The data rows: status, then each column's outside form.
  void Print() {
    static constexpr const char* kStatus[] = {".", "A", "U", "X"};
    for (int32_t row = 1; row <= sheet_.GetSheet().DataRowCnt(); ++row) {
      std::cout << "  " << row << " " << kStatus[static_cast<int>(zel::GetRowStatus(sheet_, row))];
      for (int32_t col = kCode; col <= kColumnCount; ++col) std::cout << " " << sheet_.CellText(col, row);
      std::cout << "\n";
    }
  }

  zel::Platform& platform_;
  FakeServer& server_;
  int64_t clock_ms_ = 0;  // the time of a click, for telling double clicks apart
  zel::ZelSheet sheet_;  // declared last: destroyed first, while the server still exists
};

}  // namespace

int main() {
  // The platform gives the sheet its services. StandardPlatform needs a settings store; a
  // real host links ZelSheet::store and calls zel::DefaultPlatform() for the per-user one.
  zel::StandardPlatform platform(std::make_unique<zel::MemorySettingsStore>());
  platform.SetMessageBoxes(std::make_unique<PrintedBoxes>());
  FakeServer server;
  CustomerScreen screen(platform, server);
  screen.Query();
  screen.Edit();
  screen.Save();
  return 0;
}
