// The customer server on SQLite: opening (and creating) the database, the query, the save
// and the region look-up.
//
// The database holds two tables, `regions` (code, name) and `customers` (seq, the serial
// the server hands out and never reuses; code, unique; the other columns; row_ver, raised
// by every update). The file carries an application id so that another program's
// database is refused instead of being written into.
#include "server/customer_server.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "server/customer_query.h"
#include "server/customer_rules.h"
#include "server/sample_data.h"
#include "server/sqlite_db.h"

namespace zel::server {
namespace {

namespace fs = std::filesystem;

constexpr int kApplicationId = 0x5A454C43;  // "ZELC"
constexpr int kSchemaVersion = 1;
constexpr int64_t kMaxCustomers = 9'999'999;  // codes are "C" and seven digits

constexpr const char* kSchema =
    "CREATE TABLE regions(code TEXT PRIMARY KEY, name TEXT NOT NULL) WITHOUT ROWID;"
    "CREATE TABLE customers("
    " seq INTEGER PRIMARY KEY AUTOINCREMENT,"
    " code TEXT NOT NULL UNIQUE,"
    " name TEXT NOT NULL,"
    " kind TEXT NOT NULL,"
    " credit_limit INTEGER NOT NULL,"
    " registered_on TEXT NOT NULL,"
    " active INTEGER NOT NULL,"
    " phone TEXT NOT NULL,"
    " region_code TEXT NOT NULL,"
    " remark TEXT NOT NULL,"
    " row_ver INTEGER NOT NULL);";

// Field names of the save text the server reads (AREA_NM is display only).
constexpr const char* kSaveFields[] = {"CUST_CD", "CUST_NM",  "CUST_GB", "CREDIT_AMT",
                                       "REG_DT",  "USE_YN",   "TEL_NO",  "AREA_CD",
                                       "REMARK",  "CUST_SEQ", "ROW_VER"};
enum SaveField { fCode, fName, fKind, fCredit, fDate, fActive, fPhone, fRegion, fRemark, fSeq,
                 fVer, kSaveFieldCount };

ServerError CannotOpen(const std::string& path, const std::string& why) {
  return {ServerError::Kind::CannotOpen,
          "데이터베이스 파일을 열 수 없습니다. (" + path + ": " + why + ")"};
}

// Makes the bytes of `path` (a file or a folder) reach the disk.
void SyncPath(const std::string& path, int flags) {
  const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// The record's texts are bound without a copy: they stay put until the step is done.
void InsertCustomer(Statement& insert, const CustomerRecord& c, int64_t version) {
  insert.Reset();
  insert.BindKept(1, c.code);
  insert.BindKept(2, c.name);
  insert.BindKept(3, c.kind);
  insert.Bind(4, c.credit_limit);
  insert.BindKept(5, c.registered_on);
  insert.Bind(6, int64_t{c.active ? 1 : 0});
  insert.BindKept(7, c.phone);
  insert.BindKept(8, c.region_code);
  insert.BindKept(9, c.remark);
  insert.Bind(10, version);
  insert.Step();
}

// A positive whole number, or 0 when `text` is not one.
int64_t ParseId(std::string_view text) {
  int64_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size() && value > 0 ? value : 0;
}

// A transaction that rolls back unless committed, so that any failure inside a save leaves
// the database as it was.
class Transaction {
 public:
  explicit Transaction(Database& db) : db_(db) { db_.Exec("BEGIN IMMEDIATE"); }
  ~Transaction() {
    if (open_) sqlite3_exec(db_.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
  }
  void Commit() {
    db_.Exec("COMMIT");
    open_ = false;
  }

 private:
  Database& db_;
  bool open_ = true;
};

}  // namespace

struct CustomerServer::Impl {
  std::string path;
  ServerOptions options;
  std::unique_ptr<Database> db;
};

CustomerServer::CustomerServer(std::string path, ServerOptions options)
    : impl_(std::make_unique<Impl>()) {
  impl_->path = std::move(path);
  impl_->options = options;
}

CustomerServer::~CustomerServer() = default;

void CustomerServer::CreateDatabase(const std::string& path, int64_t customers) {
  if (customers < 0 || customers > kMaxCustomers) {
    throw ServerError(ServerError::Kind::BadRequest,
                      "거래처 수는 0에서 9,999,999 사이여야 합니다.");
  }
  std::error_code ec;
  const fs::path parent = fs::path(path).parent_path();
  if (!parent.empty()) {
    fs::create_directories(parent, ec);
    if (ec) throw CannotOpen(path, ec.message());
  }
  // Built aside and moved into place whole: the file at `path` is either the old one or
  // the complete new one, whenever the build stops.
  const std::string building = path + ".building";
  fs::remove(building, ec);
  try {
    Database db(building, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, 0);
    // No journal and no syncs while building: a build that stops is thrown away anyway.
    db.Exec("PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF;");
    db.Exec(("PRAGMA application_id=" + std::to_string(kApplicationId) +
             "; PRAGMA user_version=" + std::to_string(kSchemaVersion) + ";")
                .c_str());
    db.Exec("BEGIN");
    db.Exec(kSchema);
    Statement region = db.Prepare("INSERT INTO regions(code, name) VALUES(?1, ?2)");
    for (const Region& r : SampleRegions()) {
      region.Reset();
      region.Bind(1, r.code);
      region.Bind(2, r.name);
      region.Step();
    }
    Statement insert = db.Prepare(
        "INSERT INTO customers(code, name, kind, credit_limit, registered_on, active, phone,"
        " region_code, remark, row_ver) VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10)");
    CustomerRecord c;
    for (int64_t n = 1; n <= customers; ++n) {
      MakeSampleCustomer(n, c);
      InsertCustomer(insert, c, 1);
    }
    db.Exec("COMMIT");
  } catch (...) {
    fs::remove(building, ec);
    throw;
  }
  SyncPath(building, O_RDONLY);
  // A journal or log left by the old file would be played back into the new one.
  for (const char* suffix : {"-journal", "-wal", "-shm"}) fs::remove(path + suffix, ec);
  fs::rename(building, path, ec);
  if (ec) throw CannotOpen(path, ec.message());
  SyncPath(parent.empty() ? "." : parent.string(), O_RDONLY | O_DIRECTORY);
}

void CustomerServer::Open() {
  if (impl_->db) return;
  const std::string& path = impl_->path;
  struct stat st {};
  const bool exists = ::stat(path.c_str(), &st) == 0;
  if (!exists && errno != ENOENT) throw CannotOpen(path, std::strerror(errno));
  if (!exists || (S_ISREG(st.st_mode) && st.st_size == 0)) {
    CreateDatabase(path, kDefaultCustomers);
    if (::stat(path.c_str(), &st) != 0) throw CannotOpen(path, std::strerror(errno));
  }
  // A file without any write permission is read-only for this server even where the
  // process could write it anyway (as root does): the user marked it so.
  const bool readOnly = (st.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0;
  auto db =
      std::make_unique<Database>(path, readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE,
                                 impl_->options.busy_timeout_ms);
  Statement id = db->Prepare("PRAGMA application_id");
  id.Step();
  if (id.Int(0) != kApplicationId) {
    throw ServerError(ServerError::Kind::NotADatabase,
                      "거래처 데이터베이스가 아닙니다. (" + path + ")");
  }
  impl_->db = std::move(db);
}

std::string CustomerServer::Query(std::string_view name_part) {
  Open();
  return QueryCustomers(*impl_->db, name_part, impl_->options.busy_timeout_ms);
}

void CustomerServer::QueryPages(std::string_view name_part, int64_t page_rows,
                                const std::function<void(std::string&)>& page) {
  Open();  // creates the database when it is new, and checks that it is this server's
  QueryCustomerPages(impl_->path, name_part, page_rows, impl_->options.busy_timeout_ms, page);
}

std::string CustomerServer::Save(std::string_view save_text, ResultsForm form) {
  SaveParams params;
  try {
    params = ReadSaveParams(save_text);
  } catch (const WireTextError& e) {
    throw ServerError(ServerError::Kind::BadRequest,
                      std::string("저장 자료의 형식이 올바르지 않습니다. (") + e.what() + ")");
  }
  ResultsWriter results({"CUST_SEQ", "ROW_VER", "AREA_NM"});
  if (params.lines.empty()) return results.Text(form);

  int32_t at[kSaveFieldCount];
  for (int f = 0; f < kSaveFieldCount; ++f) {
    at[f] = params.FieldIndex(kSaveFields[f]);
    if (at[f] < 0) {
      throw ServerError(ServerError::Kind::BadRequest,
                        std::string("저장 자료에 ") + kSaveFields[f] + " 항목이 없습니다.");
    }
  }

  Open();
  Database& db = *impl_->db;
  Transaction transaction(db);
  const RegionNames regions(ReadRegions(db));
  Statement version = db.Prepare("SELECT row_ver FROM customers WHERE seq = ?1");
  Statement codeOwner = db.Prepare("SELECT seq FROM customers WHERE code = ?1");
  Statement insert = db.Prepare(
      "INSERT INTO customers(code, name, kind, credit_limit, registered_on, active, phone,"
      " region_code, remark, row_ver) VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10)");
  Statement update = db.Prepare(
      "UPDATE customers SET code = ?1, name = ?2, kind = ?3, credit_limit = ?4,"
      " registered_on = ?5, active = ?6, phone = ?7, region_code = ?8, remark = ?9,"
      " row_ver = ?10 WHERE seq = ?11");
  Statement erase = db.Prepare("DELETE FROM customers WHERE seq = ?1");

  // The row's version as stored now; 0 when the row is gone.
  auto storedVersion = [&](int64_t seq) {
    version.Reset();
    version.Bind(1, seq);
    return version.Step() ? version.Int(0) : int64_t{0};
  };
  // The serial of the customer that has `code`, 0 when none.
  auto ownerOf = [&](std::string_view code) {
    codeOwner.Reset();
    codeOwner.Bind(1, code);
    return codeOwner.Step() ? codeOwner.Int(0) : int64_t{0};
  };

  CustomerRecord c;
  for (const SaveLine& line : params.lines) {
    const auto value = [&](SaveField f) -> std::string_view {
      return line.values[static_cast<size_t>(at[f])];
    };
    if (line.tag == SaveTag::Unchanged) {
      results.Saved({std::string(value(fSeq)), std::string(value(fVer)),
                     std::string(regions.Of(value(fRegion)))});
      continue;
    }
    const int64_t seq = ParseId(value(fSeq));
    if (line.tag == SaveTag::Deleted && value(fSeq).empty()) {
      // A row added and marked for deletion before it was ever saved: nothing to delete.
      results.Saved({"", "", ""});
      continue;
    }
    if (line.tag != SaveTag::Added) {
      if (seq == 0) {
        results.Failed(kNoSerialMessage);
        continue;
      }
      const int64_t stored = storedVersion(seq);
      if (stored == 0) {
        results.Failed(kDeletedByOtherMessage);
        continue;
      }
      if (stored != ParseId(value(fVer))) {
        results.Failed(kChangedByOtherMessage);
        continue;
      }
      if (line.tag == SaveTag::Deleted) {
        erase.Reset();
        erase.Bind(1, seq);
        erase.Step();
        results.Saved({std::string(value(fSeq)), std::string(value(fVer)),
                       std::string(regions.Of(value(fRegion)))});
        continue;
      }
    }

    const CustomerFields fields{value(fCode),   value(fName),   value(fKind),
                                value(fCredit), value(fDate),   value(fActive),
                                value(fPhone),  value(fRegion), value(fRemark)};
    if (std::string message = CheckCustomer(fields, regions.all(), c); !message.empty()) {
      results.Failed(message);
      continue;
    }
    const int64_t owner = ownerOf(c.code);
    if (owner != 0 && owner != seq) {
      results.Failed(DuplicateCodeMessage(c.code));
      continue;
    }
    int64_t savedSeq = seq;
    int64_t savedVersion = 1;
    if (line.tag == SaveTag::Added) {
      InsertCustomer(insert, c, savedVersion);
      savedSeq = db.LastInsertRowid();
    } else {
      savedVersion = ParseId(value(fVer)) + 1;
      update.Reset();
      update.Bind(1, c.code);
      update.Bind(2, c.name);
      update.Bind(3, c.kind);
      update.Bind(4, c.credit_limit);
      update.Bind(5, c.registered_on);
      update.Bind(6, int64_t{c.active ? 1 : 0});
      update.Bind(7, c.phone);
      update.Bind(8, c.region_code);
      update.Bind(9, c.remark);
      update.Bind(10, savedVersion);
      update.Bind(11, seq);
      update.Step();
    }
    results.Saved({std::to_string(savedSeq), std::to_string(savedVersion),
                   std::string(regions.Of(c.region_code))});
  }
  transaction.Commit();
  return results.Text(form);
}

std::vector<Region> CustomerServer::Regions(std::string_view prefix) {
  Open();
  std::vector<Region> matching;
  for (Region& r : ReadRegions(*impl_->db)) {
    if (r.code.starts_with(prefix) || r.name.starts_with(prefix)) matching.push_back(std::move(r));
  }
  return matching;
}

int64_t CustomerServer::CustomerCount() {
  Open();
  Statement s = impl_->db->Prepare("SELECT count(*) FROM customers");
  s.Step();
  return s.Int(0);
}

}  // namespace zel::server
