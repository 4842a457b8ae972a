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
// not override does nothing.
class CustomerScreen : public zel::ZelSheetEvents {
 public:
  CustomerScreen(zel::Platform& platform, FakeServer& server)
      : server_(server), sheet_(platform, *this) {
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

  // 5. The user edits. Cells are read and written in their outside form (combo codes, "1"
  //    and "0" for check boxes); Grid1_Change is what the sheet runs when its grid reports
  //    a user's change: it marks the row "U" and raises Change.
  void Edit() {
    Type(kName, 2, "미래유통(주)");
    const int32_t newRow = sheet_.GetSheet().DataRowCnt() + 1;  // the first spare row, "A"
    Type(kCode, newRow, "C004");
    Type(kName, newRow, "새한물산");
    Type(kKind, newRow, "2");
    Type(kActive, newRow, "1");
    // The row marks act on rows whose row header is selected: select the whole row first.
    sheet_.GetSheet().SetSelection(-1, 3, -1, 3);
    sheet_.mnuDelete_Click();
    sheet_.GetSheet().ClearSelection();
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
  void Type(Column col, int32_t row, const std::string& text) {
    sheet_.CellText(col, row, text);
    sheet_.Grid1_Change(sheet_.ColX(col), row);
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

  FakeServer& server_;
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
