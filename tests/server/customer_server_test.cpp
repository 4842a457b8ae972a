// The customer server: what a new database holds, what a save writes and answers (a mixed
// save, stale rows, bad requests), how database problems are reported, and that a save cut
// off by a kill leaves nothing behind.
#include "server/customer_server.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "server_support.h"

namespace zel::server {
namespace {

using testing::Bars;
using testing::Lines;
using testing::SaveText;
using testing::TempDir;

constexpr ServerOptions kQuick{.busy_timeout_ms = 50};

std::string Join(const std::vector<std::string>& fields) {
  std::string line;
  for (size_t i = 0; i < fields.size(); ++i) line += (i == 0 ? "" : "|") + fields[i];
  return line;
}

// A save line for the customer `fields` (as the query gave them), with `tag` in front.
std::string Line(const std::string& tag, const std::vector<std::string>& fields) {
  return tag + "|" + Join(fields);
}

// An "A" line for a new customer: `fields` in column order, the rest empty.
std::string Added(std::vector<std::string> fields) {
  fields.resize(kCustomerColumnCount);
  return Line("A", fields);
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
    if (e.kind() != ServerError::Kind::BadRequest) {
      EXPECT_NE(std::string(e.what()).find(".db"), std::string::npos) << e.what();
    }
    return e.kind();
  }
  ADD_FAILURE() << "no error";
  return ServerError::Kind::Failed;
}

TEST(CustomerServer, NewDatabaseIsMadeOnFirstUse) {
  TempDir dir;
  CustomerServer server(dir.File("data/customers.db"));  // in a folder not made yet
  const std::vector<std::string> rows = Lines(server.Query());
  ASSERT_EQ(rows.size(), static_cast<size_t>(CustomerServer::kDefaultCustomers));
  EXPECT_EQ(Bars(rows[0])[kCode - 1], "C0000001");
  // Same samples on every build of the same size.
  CustomerServer::CreateDatabase(dir.File("again.db"), CustomerServer::kDefaultCustomers);
  EXPECT_EQ(Lines(CustomerServer(dir.File("again.db")).Query()), rows);

  EXPECT_EQ(server.Regions("경"),
            (std::vector<Region>{{"41", "경기도"}, {"47", "경상북도"}, {"48", "경상남도"}}));
  EXPECT_EQ(server.Regions("2").size(), 4u);
  EXPECT_EQ(server.Regions("").size(), 17u);
}

// A large table is read in two halves at once: every customer comes once, in serial
// order, across the seam too, with its region's name, with and without a name filter.
TEST(CustomerServer, QueryGivesEveryCustomerOnceInOrder) {
  TempDir dir;
  const std::string path = dir.File("large.db");
  constexpr int kCustomers = 20'001;
  CustomerServer::CreateDatabase(path, kCustomers);
  CustomerServer server(path);
  server.Save(SaveText({Line("D", Bars(Lines(server.Query("동양"))[0]))}));  // a gap
  std::map<std::string, std::string> regions;
  for (const Region& r : server.Regions()) regions[r.code] = r.name;

  const std::vector<std::string> rows = Lines(server.Query());
  ASSERT_EQ(rows.size(), static_cast<size_t>(kCustomers - 1));
  std::vector<std::string> filtered;
  int64_t previous = 0;
  for (const std::string& row : rows) {
    const std::vector<std::string> f = Bars(row);
    ASSERT_EQ(f.size(), static_cast<size_t>(kCustomerColumnCount)) << row;
    ASSERT_GT(std::stoll(f[kSerial - 1]), previous) << row;
    previous = std::stoll(f[kSerial - 1]);
    ASSERT_EQ(f[kRegionName - 1], regions.at(f[kRegionCode - 1])) << row;
    if (f[kName - 1].find("동양") != std::string::npos) filtered.push_back(row);
  }
  EXPECT_EQ(previous, kCustomers);
  EXPECT_EQ(Lines(server.Query("동양")), filtered);
}

TEST(CustomerServer, MixedSaveWritesTheGoodRowsAndAnswersEveryRow) {
  TempDir dir;
  CustomerServer server(dir.File("customers.db"));
  const std::vector<std::string> rows = Lines(server.Query());

  const std::string results = server.Save(SaveText({
      Line("U", With(rows[0], kCreditLimit, "70000000")),
      Line("U", With(rows[1], kRowVersion, "7")),  // read before another user's change
      Line("D", Bars(rows[2])),
      Added({"C9000001", "새한물산", "2", "0", "20240315", "1", "01099998888", "41", "", "신규"}),
      Added({"C0000004", "중복상사", "1", "0"}),
      Added({"C9000002", "음수상사", "1", "-5"}),
      Added({"C9000005", "구분없음", "7", "0"}),
  }));
  const std::string area1 = Bars(rows[0])[kRegionName - 1];
  const std::string area3 = Bars(rows[2])[kRegionName - 1];
  EXPECT_EQ(Lines(results), (std::vector<std::string>{
                                "WorkingTag||CUST_SEQ|ROW_VER|AREA_NM",
                                "OK||1|2|" + area1,
                                "ERR|다른 사용자가 먼저 수정한 자료입니다. 다시 조회하십시오.|||",
                                "OK||3|1|" + area3,
                                "OK||301|1|경기도",
                                "ERR|거래처코드가 이미 있습니다: C0000004|||",
                                "ERR|여신한도는 0 이상이어야 합니다.|||",
                                "ERR|없는 거래처구분입니다: 7|||",
                            }));
  EXPECT_TRUE(results.ends_with("~I~"));

  // Exactly the saved changes: row 1 updated, row 3 gone, one new customer.
  std::vector<std::string> expected = rows;
  expected[0] = Join(With(Join(With(rows[0], kCreditLimit, "70000000")), kRowVersion, "2"));
  expected.erase(expected.begin() + 2);
  expected.push_back("C9000001|새한물산|2|0|20240315|1|01099998888|41|경기도|신규|301|1");
  EXPECT_EQ(Lines(server.Query()), expected);

  // Serials are never handed out twice, not even the last one after its deletion.
  server.Save(SaveText({Line("D", Bars(expected.back()))}));
  const std::string again =
      server.Save(SaveText({Added({"C9000001", "새한물산", "2"})}), ResultsForm::CheckSave);
  EXPECT_EQ(Lines(again + "~I~").at(1), "OK||302|1|");
  EXPECT_FALSE(again.ends_with("~I~"));
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
  // A row the server never gave out cannot be updated; deleting one is nothing to do.
  EXPECT_EQ(
      answer(theirs, Line("U", With(row, kSerial, ""))),
      "ERR|서버에서 조회하지 않은 자료는 수정하거나 삭제할 수 없습니다. 다시 조회하십시오.|||");
  EXPECT_EQ(answer(theirs, Line("D", With(row, kSerial, ""))), "OK||||");
  EXPECT_EQ(theirs.CustomerCount(), CustomerServer::kDefaultCustomers - 1);
}

// A text the sheet would not send is refused whole (the reader's checks are its own).
TEST(CustomerServer, SaveTextWithoutTheFieldsIsRefusedWhole) {
  TempDir dir;
  CustomerServer server(dir.File("customers.db"));
  const std::string before = server.Query();
  EXPECT_EQ(KindOf([&] {
              server.Save("1|1|1|1|1|21|2|~I~WorkingTag~,~,CUST_CD~,CUST_NM~,~I~A~,C9~,이름~,~I~");
            }),
            ServerError::Kind::BadRequest);
  EXPECT_EQ(KindOf([&] { server.Save("C9~,이름~,~I~"); }), ServerError::Kind::BadRequest);
  EXPECT_EQ(server.Query(), before);
  EXPECT_EQ(server.Save(""), "WorkingTag~,~,CUST_SEQ~,ROW_VER~,AREA_NM~,~I~");
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// Runs `sql` on the file at `path` as another program would; the first value it returns.
std::string Sql(const std::string& path, const char* sql) {
  sqlite3* db = nullptr;
  sqlite3_stmt* st = nullptr;
  std::string value;
  sqlite3_open(path.c_str(), &db);
  if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) == SQLITE_OK &&
      sqlite3_step(st) == SQLITE_ROW) {
    value = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
  }
  sqlite3_finalize(st);
  sqlite3_close(db);
  return value;
}

TEST(CustomerServer, DatabaseProblemsAreReportedAndOutlived) {
  using Kind = ServerError::Kind;
  TempDir dir;

  const std::string text = dir.File("notes.db");
  WriteFile(text, std::string(4096, 'x'));
  EXPECT_EQ(KindOf([&] { CustomerServer(text, kQuick).Query(); }), Kind::NotADatabase);

  const std::string foreign = dir.File("foreign.db");
  Sql(foreign, "CREATE TABLE notes(body TEXT)");
  EXPECT_EQ(KindOf([&] { CustomerServer(foreign, kQuick).Query(); }), Kind::NotADatabase);

  const std::string damaged = dir.File("damaged.db");
  CustomerServer::CreateDatabase(damaged, 2000);
  const auto size = std::filesystem::file_size(damaged);
  {  // the header page kept, the pages of the tables overwritten
    std::fstream f(damaged, std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(8192);
    f << std::string(size - 16384, '\x5A');
  }
  EXPECT_EQ(KindOf([&] { CustomerServer(damaged, kQuick).Query(); }), Kind::Damaged);

  const std::string blocked = dir.File("blocked/x.db");
  WriteFile(dir.File("blocked"), "a file where the folder should be");
  EXPECT_EQ(KindOf([&] { CustomerServer(blocked, kQuick).Query(); }), Kind::CannotOpen);

  // Locked by another program, then released: the same server goes on.
  const std::string path = dir.File("customers.db");
  CustomerServer server(path, kQuick);
  ASSERT_EQ(server.CustomerCount(), CustomerServer::kDefaultCustomers);  // created
  const std::string save = SaveText({Added({"C9", "이름", "1"})});
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
  EXPECT_EQ(Lines(reader.Query()).size(), static_cast<size_t>(CustomerServer::kDefaultCustomers));
  EXPECT_EQ(KindOf([&] { reader.Save(save); }), Kind::ReadOnly);
  EXPECT_EQ(reader.CustomerCount(), CustomerServer::kDefaultCustomers);
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
  if (child == 0) {
    try {
      CustomerServer writer(path);
      for (int save = 0; save < 1000; ++save) {
        std::vector<std::string> lines;
        for (int i = 0; i < kBlock; ++i)
          lines.push_back(Added({"K" + std::to_string(save * kBlock + i), "이름", "1"}));
        writer.Save(SaveText(lines));
      }
    } catch (...) {
      ::_exit(1);
    }
    ::_exit(0);
  }
  // Waits for two saves to be in, then kills the writer in the middle of a later one.
  CustomerServer watcher(path, {.busy_timeout_ms = 5000});
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  int status = 0;
  bool ended = false;
  while (!ended && watcher.CustomerCount() < 2 * kBlock &&
         std::chrono::steady_clock::now() < deadline) {
    ended = ::waitpid(child, &status, WNOHANG) == child;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  if (!ended) {
    std::this_thread::sleep_for(std::chrono::milliseconds(17));
    ::kill(child, SIGKILL);
    ::waitpid(child, &status, 0);
  }
  ASSERT_TRUE(WIFSIGNALED(status)) << "the writer ended on its own";

  CustomerServer after(path);
  EXPECT_EQ(after.CustomerCount() % kBlock, 0) << after.CustomerCount();
  EXPECT_EQ(Sql(path, "PRAGMA integrity_check"), "ok");
}

}  // namespace
}  // namespace zel::server
