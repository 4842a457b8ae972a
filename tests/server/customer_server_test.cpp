// The sample server: the customer rules each at its edge; the query whole and in parts;
// what a save writes and answers (rows changed by another user, serials, bad requests); how
// database problems are reported; that a save cut off by a kill leaves nothing behind; and
// the server with a real sheet, as the demo screen uses them.
#include "server/customer_server.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "server/customer_rules.h"
#include "server_support.h"
#include "support/sheet_fixture.h"
#include "zelsheet/zel_sheet.h"

namespace zel::server {
namespace {

using namespace testing;  // the server tests' helpers

constexpr ServerOptions kQuick{.busy_timeout_ms = 50};

// A save line: `tag`, then the customer `fields` in column order (missing ones empty).
std::string Line(const std::string& tag, std::vector<std::string> fields) {
  fields.resize(kCustomerColumnCount);
  std::string line = tag;
  for (const std::string& field : fields) line += "|" + field;
  return line;
}

// The customer of query line `row`, with field `def` (a definition number) set to `value`.
std::vector<std::string> With(const std::string& row, int32_t def, const std::string& value) {
  std::vector<std::string> f = Bars(row);
  f.at(static_cast<size_t>(def - 1)) = value;
  return f;
}

// The kind of ServerError `call` throws; a database problem names the file.
ServerError::Kind KindOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const ServerError& e) {
    EXPECT_TRUE(e.kind() == ServerError::Kind::BadRequest || std::string(e.what()).find(".db") != std::string::npos);
    return e.kind();
  }
  ADD_FAILURE() << "no error";
  return ServerError::Kind::Failed;
}

// The message for "code|name|kind|credit|date|active|phone|region|remark"; `out` the record.
std::string Check(const std::string& row, CustomerRecord& out) {
  const std::vector<std::string> f = Bars(row);
  return CheckCustomer({f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7], f[8]}, SampleRegions(), out);
}

TEST(CustomerRules, EachRuleAtItsEdge) {
  std::string hangul40;
  for (int i = 0; i < 40; ++i) hangul40 += "가";
  const std::pair<std::string, std::string> cases[] = {  // row, message ("" = accepted)
      {"C-01|" + hangul40 + "|1|0|20240229|1|01012345678|11|" + std::string(100, 'r'), ""},
      {"C1|이름|3|||||| ", ""},  // every optional field empty
      {"|이름|1|0||1|||", "거래처코드를 입력하십시오."},
      {"C123456789X|이름|1|0||1|||", "거래처코드는 10자 이내로 입력하십시오."},
      {"C 1|이름|1|0||1|||", "거래처코드에는 영문, 숫자, '-'만 쓸 수 있습니다."},
      {"C1| |1|0||1|||", "거래처명을 입력하십시오."},
      {"C1|" + hangul40 + "나|1|0||1|||", "거래처명은 40자 이내로 입력하십시오."},
      {"C1|이름||0||1|||", "거래처구분을 선택하십시오."},
      {"C1|이름|4|0||1|||", "없는 거래처구분입니다: 4"},
      {"C1|이름|1|-1||1|||", "여신한도는 0 이상이어야 합니다."},
      {"C1|이름|1|12.5||1|||", "여신한도는 원 단위로 입력하십시오."},
      {"C1|이름|1|1,000||1|||", "여신한도가 숫자가 아닙니다: 1,000"},
      {"C1|이름|1|1000000000000||1|||", "여신한도가 너무 큽니다 (999,999,999,999원까지)."},
      {"C1|이름|1|0|20230229|1|||", "등록일자가 올바른 날짜가 아닙니다: 20230229"},
      {"C1|이름|1|0|2024-01-31|1|||", "등록일자가 올바른 날짜가 아닙니다: 2024-01-31"},
      {"C1|이름|1|0||Y|||", "사용 여부는 1 또는 0이어야 합니다."},
      {"C1|이름|1|0||1|11012345678||", "전화번호는 0으로 시작하는 9~11자리 숫자여야 합니다."},
      {"C1|이름|1|0||1||99|", "없는 지역코드입니다: 99"},
      {"C1|이름|1|0||1|||" + std::string(101, 'r'), "비고는 100자 이내로 입력하십시오."},
  };
  CustomerRecord out;
  for (const auto& [row, message] : cases) EXPECT_EQ(Check(row, out), message) << row;

  ASSERT_EQ(Check("  C7 | 새한물산 |2| 5000000 | 20240131 || 0311234567 |41| 비고 ", out), "");
  EXPECT_EQ(out.code + "|" + out.name + "|" + out.kind + "|" + std::to_string(out.credit_limit) + "|" +
                out.registered_on + "|" + (out.active ? "1" : "0") + "|" + out.phone + "|" + out.region_code + "|" +
                out.remark,
            "C7|새한물산|2|5000000|20240131|0|0311234567|41|비고");
}

// A table this large is queried in two halves at once; the parts are read one after the
// other by one connection. Both give every customer once, in serial order, across the seam
// and a gap too, with and without a name filter.
TEST(CustomerServer, QueryWholeEqualsTheQueryInParts) {
  TempDir dir;
  const std::string path = dir.File("large.db");
  constexpr int kCustomers = 20'001;
  CustomerServer::CreateDatabase(path, kCustomers);
  CustomerServer server(path);
  server.Save(SaveText({Line("D", Bars(Lines(server.Query("동양"))[0]))}));  // a gap
  for (const char* filter : {"", "동양", "no such name"}) {
    for (const int64_t rows : {7, 4096}) {
      std::string joined;
      server.QueryPages(filter, rows, [&](std::string& part) {
        EXPECT_TRUE(part.ends_with("~I~")) << "a part ends with a whole row";
        joined += part;
      });
      EXPECT_EQ(joined, server.Query(filter)) << filter << " in parts of " << rows;
    }
  }

  // A caller that stops (throws) stops the reading without losing its error.
  int parts = 0;
  const auto stop = [&](std::string&) {
    if (++parts == 3) throw std::runtime_error("enough");
  };
  EXPECT_THROW(server.QueryPages("", 10, stop), std::runtime_error);
  EXPECT_EQ(parts, 3);
  EXPECT_EQ(server.CustomerCount(), kCustomers - 1);  // still usable
}

TEST(CustomerServer, RowsChangedByAnotherUserAreRefused) {
  TempDir dir;
  const std::string path = dir.File("customers.db");
  CustomerServer mine(path), theirs(path);
  const std::string row = Lines(theirs.Query())[0];
  const auto answer = [](CustomerServer& server, const std::string& line) {
    return Lines(server.Save(SaveText({line}))).at(1);
  };
  const std::string changed = "ERR|다른 사용자가 먼저 수정한 자료입니다. 다시 조회하십시오.|||";
  const std::string deleted = "ERR|다른 사용자가 삭제한 자료입니다. 다시 조회하십시오.|||";
  const std::string area = Bars(row)[kRegionName - 1];

  EXPECT_EQ(answer(mine, Line("U", With(row, kName, "먼저상사"))), "OK||1|2|" + area);
  EXPECT_EQ(answer(theirs, Line("U", With(row, kName, "나중상사"))), changed);
  EXPECT_EQ(answer(theirs, Line("D", Bars(row))), changed);
  EXPECT_EQ(Bars(Lines(theirs.Query())[0])[kName - 1], "먼저상사");

  EXPECT_EQ(answer(mine, Line("D", With(row, kRowVersion, "2"))), "OK||1|2|" + area);
  EXPECT_EQ(answer(theirs, Line("U", With(row, kRowVersion, "2"))), deleted);
  EXPECT_EQ(answer(theirs, Line("D", With(row, kRowVersion, "2"))), deleted);
  // A row the server never gave out cannot be updated.
  EXPECT_EQ(answer(theirs, Line("U", With(row, kSerial, ""))),
            "ERR|서버에서 조회하지 않은 자료는 수정하거나 삭제할 수 없습니다. 다시 조회하십시오.|||");

  // The rules apply to every saved row. A new row takes the next serial, never one handed out
  // before, not even the last after its deletion; MessageCheckSave's answer has no final "~I~".
  EXPECT_EQ(answer(mine, Line("A", {"C9", "음수상사", "1", "-5"})), "ERR|여신한도는 0 이상이어야 합니다.|||");
  EXPECT_EQ(answer(mine, Line("A", {"C9", "새한물산", "2", "", "", "", "", "41"})), "OK||301|1|경기도");
  EXPECT_EQ(answer(theirs, Line("D", Bars(Lines(theirs.Query()).back()))), "OK||301|1|경기도");
  const std::string again = mine.Save(SaveText({Line("A", {"C9", "새한물산", "2"})}), ResultsForm::CheckSave);
  EXPECT_EQ(Lines(again + "~I~").at(1) + (again.ends_with("~I~") ? " ~I~" : ""), "OK||302|1|");
}

// Runs `sql` on the file at `path` as another program would; the first value it returns.
std::string Sql(const std::string& path, const char* sql) {
  sqlite3* db = nullptr;
  std::string value;
  sqlite3_open(path.c_str(), &db);
  const auto first = [](void* out, int, char** v, char**) { return *static_cast<std::string*>(out) = v[0], 0; };
  sqlite3_exec(db, sql, first, &value, nullptr);
  sqlite3_close(db);
  return value;
}

// A new database is made on first use. A text the sheet would not send is refused whole; a
// file that is not the server's database, or cannot be used, is reported by kind, and the
// server outlives a lock.
TEST(CustomerServer, BadRequestsAndDatabaseProblemsAreReportedAndOutlived) {
  using Kind = ServerError::Kind;
  TempDir dir;
  const std::string path = dir.File("data/customers.db");
  CustomerServer server(path, kQuick);  // made on first use, in a folder not made yet
  const std::string before = server.Query();
  EXPECT_EQ(server.Regions("경"), (std::vector<Region>{{"41", "경기도"}, {"47", "경상북도"}, {"48", "경상남도"}}));
  EXPECT_EQ(KindOf([&] { server.Save("1|1|1|1|1|21|2|~I~WorkingTag~,~,CUST_CD~,CUST_NM~,~I~A~,C9~,이름~,~I~"); }),
            Kind::BadRequest);
  EXPECT_EQ(KindOf([&] { server.Save("C9~,이름~,~I~"); }), Kind::BadRequest);
  EXPECT_EQ(server.Query(), before);
  EXPECT_EQ(server.Save(""), "WorkingTag~,~,CUST_SEQ~,ROW_VER~,AREA_NM~,~I~");

  std::ofstream(dir.File("notes.db")) << std::string(4096, 'x');
  Sql(dir.File("foreign.db"), "CREATE TABLE notes(body TEXT)");
  const std::string damaged = dir.File("damaged.db");
  CustomerServer::CreateDatabase(damaged, 2000);
  {  // the header page kept, the pages of the tables overwritten
    std::fstream f(damaged, std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(8192);
    f << std::string(std::filesystem::file_size(damaged) - 16384, '\x5A');
  }
  std::ofstream(dir.File("blocked")) << "a file where the folder should be";
  EXPECT_EQ(KindOf([&] { CustomerServer(dir.File("notes.db"), kQuick).Query(); }), Kind::NotADatabase);
  EXPECT_EQ(KindOf([&] { CustomerServer(dir.File("foreign.db"), kQuick).Query(); }), Kind::NotADatabase);
  EXPECT_EQ(KindOf([&] { CustomerServer(damaged, kQuick).Query(); }), Kind::Damaged);
  EXPECT_EQ(KindOf([&] { CustomerServer(dir.File("blocked/x.db"), kQuick).Query(); }), Kind::CannotOpen);

  // Locked by another program, then released: the same server goes on.
  const std::string save = SaveText({Line("A", {"C9", "이름", "1"})});
  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &other), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
  EXPECT_EQ(KindOf([&] { server.Query(); }), Kind::Locked);
  EXPECT_EQ(KindOf([&] { server.Save(save); }), Kind::Locked);
  sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
  sqlite3_close(other);
  EXPECT_EQ(server.CustomerCount(), CustomerServer::kDefaultCustomers);

  // Read-only: queries work, a save is refused whole.
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  CustomerServer reader(path, kQuick);
  EXPECT_EQ(reader.Query(), before);
  EXPECT_EQ(KindOf([&] { reader.Save(save); }), Kind::ReadOnly);
}

// A save killed half-way leaves the database as before it: every save here adds a block of
// rows, so the count after the kill is a whole number of blocks, and the file is sound.
TEST(CustomerServer, SaveKilledHalfWayLeavesNothing) {
  TempDir dir;
  const std::string path = dir.File("customers.db");
  CustomerServer::CreateDatabase(path, 0);
  constexpr int kBlock = 3000;
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {  // an exception ends the writer by SIGABRT
    CustomerServer writer(path);
    for (int save = 0; save < 1000; ++save) {
      std::vector<std::string> lines;
      for (int i = 0; i < kBlock; ++i) lines.push_back(Line("A", {"K" + std::to_string(save * kBlock + i), "이름", "1"}));
      writer.Save(SaveText(lines));
    }
    ::_exit(0);
  }
  // Waits for two saves to be in, then kills the writer in the middle of a later one.
  CustomerServer watcher(path, {.busy_timeout_ms = 5000});
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (watcher.CustomerCount() < 2 * kBlock && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(17));
  ::kill(child, SIGKILL);
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the writer ended on its own";
  CustomerServer after(path);
  EXPECT_EQ(after.CustomerCount() % kBlock, 0) << after.CustomerCount();
  EXPECT_EQ(Sql(path, "PRAGMA integrity_check"), "ok");
}

// The query displayed, rows edited, marked and added, GetData saved, the answer applied with
// MessageCheckSaveSheet: the sheet and the database then hold the same customers, but for
// the refused row; and the versions written back let the same rows be saved again.
TEST(SheetRoundTrip, QueryEditSaveAndApply) {
  TempDir dir;
  CustomerServer server(dir.File("customers.db"));
  zel::testing::SheetFixture f;
  ZelSheet& s = f.sheet;
  s.MaxCols(kCustomerColumnCount);
  for (const ColumnDescription& column : CustomerColumns()) AddColumn(s, column);
  ASSERT_TRUE(s.Display(server.Query()));
  // Every column shows back what the server sent (the sheet's forms of combos, dates,
  // checks and masks convert back to the server's).
  EXPECT_EQ(Lines(s.GetDataAll(true)), Lines(server.Query()));

  const int32_t refused = CustomerServer::kDefaultCustomers, added = refused + 1;  // once row 3 left
  const auto edit = [&](int32_t row, const std::vector<std::pair<int32_t, std::string>>& values) {
    for (const auto& [col, value] : values) s.CellText(col, row, value), s.TrackCellChange(s.ColX(col), row, row);
  };
  const auto save = [&] {
    return s.MessageCheckSaveSheet(server.Save(s.GetData()), 2, 0, kSerial, 3, 0, kRowVersion, 4, 0, kRegionName);
  };
  edit(1, {{kName, "한빛상사 본점"}});
  edit(2, {{kCreditLimit, "0"}});
  s.GetSheet().SetText(0, 3, "X");  // the delete mark
  edit(added, {{kCode, "C0000004"}, {kName, "중복상사"}, {kKind, "2"}});  // the code of row 4
  edit(added + 1, {{kCode, "N0001"}, {kName, "새한물산"}, {kKind, "3"}, {kRegionCode, "41"}, {kPhone, "03112345678"}});
  EXPECT_FALSE(save());
  EXPECT_EQ(GetRowStatus(s, refused), RowStatus::Added);
  EXPECT_NE(s.ErrorMsg().find("~, ◇ 거래처코드가 이미 있습니다: C0000004 ◆ "), std::string::npos) << s.ErrorMsg();
  // The database holds what the sheet shows, less the refused row: the saved rows took
  // their serials, versions and region names.
  std::vector<std::string> shown = Lines(s.GetDataAll(true));
  EXPECT_EQ(shown.at(added - 1), "N0001|새한물산|3|0||0|03112345678|41|경기도||301|1");
  shown.erase(shown.begin() + (refused - 1));
  EXPECT_EQ(Lines(server.Query()), shown);

  edit(1, {{kName, "한빛상사 본사"}});
  edit(added, {{kRemark, "두 번째 저장"}});
  edit(refused, {{kCode, "N0002"}});
  EXPECT_TRUE(save());
  EXPECT_EQ(s.GetChangeCount(), 0);
  std::vector<std::string> stored = Lines(server.Query());
  shown = Lines(s.GetDataAll(true));
  std::sort(stored.begin(), stored.end());  // the fixed row got the newer serial, above the other
  std::sort(shown.begin(), shown.end());
  EXPECT_EQ(stored, shown);
}

}  // namespace
}  // namespace zel::server
