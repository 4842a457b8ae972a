// The sample server: a customer master ("거래처 관리") on a SQLite database file, answering a
// screen in-process with the texts a sheet exchanges. Business rules live here, not in the
// sheet: the screen shows what the server sends and sends back what the user changed.
//
// ---- The screen's columns ------------------------------------------------------------
//
// The query's data string carries one field per column in this order, which is the order
// the screen declares its columns in (definition numbers 1 to 12). CustomerColumns() gives
// the declarations as ColumnDescription values, ready for AddColumn:
//
//   def field       title       type     length  access   what
//   1   CUST_CD     거래처코드  EnText   10      KEY;NON  the user's code: A-Z a-z 0-9 "-"
//   2   CUST_NM     거래처명    EnText   40      NON      the name (Hangul), 1 to 40 chars
//   3   CUST_GB     구분        EnCombo  1       NON      "1" 매출처, "2" 매입처, "3" 겸용
//   4   CREDIT_AMT  여신한도    EnFloat  12, 0            whole won, 0 up to 10^12 - 1
//   5   REG_DT      등록일자    EnDate   10               "yyyymmdd" or empty
//   6   USE_YN      사용        EnCheck                   "1" in use, "0" not
//   7   TEL_NO      전화번호    EnMask   mask ###-####-####  digits only: "0" and 8-10 more
//   8   AREA_CD     지역코드    EnText   2       DIC      a code of Regions(), or empty
//   9   AREA_NM     지역명      EnText   20      DIS      display only: the region's name
//   10  REMARK      비고        EnText   100              up to 100 chars
//   11  CUST_SEQ    일련번호    EnText   12      HID;DIS  the server's serial (row key)
//   12  ROW_VER     버전        EnText   12      HID;DIS  the row's version
//
// The screen must also:
//   * after ReadProperties, size the sheet with MaxCols(12) before declaring the columns
//     (a screen's grid keeps 50 columns otherwise, whatever "MaxCols" its stored properties
//     hold): GetData then sends 12 values per row, and Display finds one field per column;
//   * load with the load mode "INIT" (or none) in its Info record, so that AddItem formats
//     the cells by type (the combo list, the check box, the mask);
//   * keep CUST_SEQ and ROW_VER as the server sent them: they travel with "U" and "D" rows,
//     and a row whose version moved on since it was read is refused (another user changed
//     it);
//   * apply the save results with MessageCheckSaveSheet(results, 2, 0, 11, 3, 0, 12, 4, 0, 9)
//     so that a saved row takes its serial, its new version and its region name;
//   * fill AREA_CD and AREA_NM from Regions() on the code help (ShowDic).
//
// ---- The wire texts --------------------------------------------------------------------
//
// Query -> data string (fields in the order above, every field followed by "~,", every row
// by "~I~"; rows in the order customers were registered):
//
//   C0000001~,한빛상사㈜~,1~,50000000~,20190312~,1~,01012345678~,11~,서울특별시~,~,1~,1~,~I~
//   C0000002~,주식회사 미래유통~,3~,0~,20210705~,0~,03176543210~,41~,경기도~,VIP~,2~,4~,~I~
//
// Save <- save text, as GetData hands it out: the info line, the header line with the
// field names, one line per changed row tagged "A" (insert), "U" (update) or "D" (delete):
//
//   1|3|1|3|3|23|12|~I~WorkingTag~,~,CUST_CD~,CUST_NM~,CUST_GB~,CREDIT_AMT~,REG_DT~,USE_YN~,
//   TEL_NO~,AREA_CD~,AREA_NM~,REMARK~,CUST_SEQ~,ROW_VER~,~I~
//   U~,C0000001~,한빛상사㈜~,1~,70000000~,20190312~,1~,01012345678~,11~,서울특별시~,~,1~,1~,~I~
//   D~,C0000002~,주식회사 미래유통~,3~,0~,20210705~,0~,03176543210~,41~,경기도~,VIP~,2~,4~,~I~
//   A~,C0000001~,새한물산~,2~,0~,~,1~,~,~,~,~,~,~,~I~
//
// (one text; broken here for reading). Values are found by field name, so a screen may
// declare more columns; the header must name every field above but AREA_NM.
//
// Save -> results string, one result row per line in the same order: "OK" or "ERR", the
// message, then CUST_SEQ, ROW_VER and AREA_NM as saved (empty for a failed row). For the
// example, when another user had meanwhile changed customer 2 and the new row repeats an
// existing code:
//
//   WorkingTag~,~,CUST_SEQ~,ROW_VER~,AREA_NM~,~I~OK~,~,1~,2~,서울특별시~,~I~
//   ERR~,다른 사용자가 먼저 수정한 자료입니다. 다시 조회하십시오.~,~,~,~,~I~
//   ERR~,거래처코드가 이미 있습니다: C0000001~,~,~,~,~I~
//
// With ResultsForm::Sheet the text ends in "~I~" as shown (MessageCheckSaveSheet); with
// ResultsForm::CheckSave the last "~I~" is left off (MessageCheckSave, which writes the
// returned values back by field name).
//
// One save is one transaction: the rows that pass the rules are written, the failed ones
// leave nothing, and a save cut off (killed, a disk error) leaves the database as it was.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "zelsheet/host_helpers.h"

namespace zel::server {

// Definition numbers of the customer columns (the field order of the data string).
enum CustomerColumn : int32_t {
  kCode = 1,
  kName,
  kKind,
  kCreditLimit,
  kRegisteredOn,
  kActive,
  kPhone,
  kRegionCode,
  kRegionName,
  kRemark,
  kSerial,
  kRowVersion,
};
inline constexpr int32_t kCustomerColumnCount = 12;

// The declarations of the screen's columns, in definition order (see the table above).
std::vector<ColumnDescription> CustomerColumns();

// A region of the code help: code ("11") and name ("서울특별시").
struct Region {
  std::string code;
  std::string name;
  bool operator==(const Region&) const = default;
};

// Why the server could not do what it was asked. what() is a Korean sentence for the
// user's status line, naming the file where that helps.
class ServerError : public std::runtime_error {
 public:
  enum class Kind {
    Locked,        // another program holds the database; try again later
    ReadOnly,      // the file cannot be written (queries still work)
    Damaged,       // the file is a database with damaged contents
    NotADatabase,  // the file is not a database, or not this server's
    CannotOpen,    // the file or its folder cannot be opened or created
    BadRequest,    // the save text is not one a sheet produces
    Failed,        // any other failure of the database (disk full, I/O error)
  };
  ServerError(Kind kind, const std::string& message) : std::runtime_error(message), kind_(kind) {}
  Kind kind() const { return kind_; }

 private:
  Kind kind_;
};

struct ServerOptions {
  // How long a call waits for another program's lock before it reports Locked.
  int busy_timeout_ms = 1000;
};

// The server a screen calls in-process. Calls come from one thread at a time (a query of a
// large table reads its upper half on a thread of its own meanwhile). Several servers, in
// one process or several, may share a database file: SQLite's locks keep them apart, and a
// call that finds the file locked longer than busy_timeout_ms reports Locked.
class CustomerServer {
 public:
  // Sample customers a new database starts with.
  static constexpr int64_t kDefaultCustomers = 300;

  // A server on the database file at `path`. Touches no file: the file is opened (and, when
  // it does not exist or is empty, created with kDefaultCustomers sample customers) by the
  // first call that needs it, and a call that fails leaves it to be opened again by the next.
  explicit CustomerServer(std::string path, ServerOptions options = {});
  ~CustomerServer();
  CustomerServer(const CustomerServer&) = delete;
  CustomerServer& operator=(const CustomerServer&) = delete;

  // Builds a new database at `path` with `customers` sample customers (and the regions),
  // replacing what was there only once it is complete: a build cut off leaves the old file.
  // The folder is created when missing. Same samples for the same count, on every run.
  // Throws ServerError.
  static void CreateDatabase(const std::string& path, int64_t customers);

  // Opens the database now (see the constructor) and checks that it is this server's.
  // Every other member does this itself. Throws ServerError.
  void Open();

  // The customers whose name holds `name_part` (all when empty; letter case counts), as a
  // data string in the column order above. Throws ServerError.
  std::string Query(std::string_view name_part = "");

  // Saves the rows of a save text (GetData) and returns the results string in `form`.
  // Throws ServerError (nothing written): BadRequest for a text that is not save text or
  // lacks a field, Locked, ReadOnly, Damaged... for the database.
  std::string Save(std::string_view save_text, ResultsForm form = ResultsForm::Sheet);

  // The customers of Query(name_part), handed to `page` a part at a time, in order: each
  // part is a data string of whole rows, of up to `page_rows` customers. The next part is
  // read while `page` works on this one, and only two parts are held at once, so a screen
  // that displays part after part (Display, then Display with bulAddData) never holds the
  // whole text beside its sheet. `page` may take the text over (move from it). Throws
  // ServerError (after the parts already handed over), or what `page` throws.
  void QueryPages(std::string_view name_part, int64_t page_rows,
                  const std::function<void(std::string&)>& page);

  // The regions whose code or name starts with `prefix` (all when empty), by code.
  // Throws ServerError.
  std::vector<Region> Regions(std::string_view prefix = "");

  // Number of customers. Throws ServerError.
  int64_t CustomerCount();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace zel::server
