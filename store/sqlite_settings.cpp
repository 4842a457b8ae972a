// The settings store on SQLite.
//
// Database layout (application_id 0x5A454C53 "ZELS", user_version 1):
//
//   CREATE TABLE settings(application TEXT NOT NULL, section TEXT NOT NULL,
//                         key TEXT NOT NULL, value TEXT NOT NULL,
//                         PRIMARY KEY(application, section, key)) WITHOUT ROWID;
//
// Names are stored with ASCII letters lowered, so that matching them without regard to
// case is a plain byte comparison (which also keeps names holding NUL or invalid UTF-8
// apart). Values are stored as given. Example row for the frozen columns of sheet S1 of
// screen PGM001: ("praxium.net", "pgm001\s1", "colsfrozen", "2").
#include <sqlite3.h>
#include <sys/stat.h>

#include <filesystem>

#include "platform/names.h"
#include "text/strings.h"
#include "zelsheet/store.h"

namespace zel {

namespace {

constexpr int kApplicationId = 0x5A454C53;
constexpr int kSchemaVersion = 1;

std::string Lowered(const std::string& name) {
  std::string out = name;
  for (char& c : out) c = text::AsciiLower(c);
  return out;
}

}  // namespace

// One open database with its prepared statements.
class SqliteSettingsStore::Connection {
 public:
  Connection(const std::string& path, int busy_timeout_ms)
      : path_(path), busy_timeout_ms_(busy_timeout_ms) {
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(path.c_str(), &db,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                                   nullptr);
    db_.reset(db);  // sqlite3_open_v2 hands out a handle even when it fails
    if (rc != SQLITE_OK) Fail("cannot open", rc);
    sqlite3_extended_result_codes(db_.get(), 1);
    sqlite3_busy_timeout(db_.get(), busy_timeout_ms);
    CheckIdentityAndSchema();
    SwitchToWal();
    const std::string check = Text("PRAGMA quick_check");
    if (check != "ok") {
      throw SettingsError("settings database '" + path_ + "' is damaged (" + check +
                          "); it was left as it is");
    }
    get_ = Prepare("SELECT value FROM settings WHERE application=?1 AND section=?2 AND key=?3");
    put_ = Prepare(
        "INSERT INTO settings(application, section, key, value) VALUES(?1, ?2, ?3, ?4) "
        "ON CONFLICT(application, section, key) DO UPDATE SET value=excluded.value");
    delete_key_ =
        Prepare("DELETE FROM settings WHERE application=?1 AND section=?2 AND key=?3");
    delete_section_ = Prepare("DELETE FROM settings WHERE application=?1 AND section=?2");
    exists_ = Prepare("SELECT 1 FROM settings WHERE application=?1 AND section=?2 LIMIT 1");
  }

  ~Connection() {
    // Statements first: a database with live statements does not close.
    get_.reset();
    put_.reset();
    delete_key_.reset();
    delete_section_.reset();
    exists_.reset();
  }

  std::optional<std::string> Get(const std::string& a, const std::string& s,
                                 const std::string& k) {
    Statement& st = *get_;
    Bind(st, {a, s, k});
    std::optional<std::string> out;
    if (Step(st)) out = Column(st, 0);
    sqlite3_reset(st.get());
    return out;
  }

  bool Exists(const std::string& a, const std::string& s) {
    Statement& st = *exists_;
    Bind(st, {a, s});
    const bool found = Step(st);
    sqlite3_reset(st.get());
    return found;
  }

  void Put(const std::string& a, const std::string& s, const std::string& k,
           const std::string& v) {
    Run(*put_, {a, s, k, v});
  }
  void DeleteKey(const std::string& a, const std::string& s, const std::string& k) {
    Run(*delete_key_, {a, s, k});
  }
  void DeleteSection(const std::string& a, const std::string& s) { Run(*delete_section_, {a, s}); }

  // Runs `work` inside BEGIN IMMEDIATE ... COMMIT; rolls back when it throws.
  template <class Work>
  auto Write(Work&& work) {
    Exec("BEGIN IMMEDIATE");
    try {
      if constexpr (std::is_void_v<decltype(work())>) {
        work();
        Exec("COMMIT");
      } else {
        auto result = work();
        Exec("COMMIT");
        return result;
      }
    } catch (...) {
      sqlite3_exec(db_.get(), "ROLLBACK", nullptr, nullptr, nullptr);
      throw;
    }
  }

 private:
  struct CloseDb {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
  };
  struct FinalizeStatement {
    void operator()(sqlite3_stmt* st) const { sqlite3_finalize(st); }
  };
  using Statement = std::unique_ptr<sqlite3_stmt, FinalizeStatement>;

  [[noreturn]] void Fail(const char* what, int rc) const {
    const int primary = rc & 0xFF;
    std::string message = "settings database '" + path_ + "': " + what + ": ";
    message += db_ ? sqlite3_errmsg(db_.get()) : sqlite3_errstr(rc);
    if (primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB) {
      message += " (the file is damaged or not a settings database; it was left as it is)";
    } else if (primary == SQLITE_BUSY || primary == SQLITE_LOCKED) {
      message += " (another program kept the database locked)";
    }
    throw SettingsError(message);
  }

  std::unique_ptr<Statement> Prepare(const char* sql) {
    sqlite3_stmt* st = nullptr;
    const int rc = sqlite3_prepare_v2(db_.get(), sql, -1, &st, nullptr);
    auto out = std::make_unique<Statement>(st);
    if (rc != SQLITE_OK) Fail("cannot prepare a statement", rc);
    return out;
  }

  void Exec(const char* sql) {
    const int rc = sqlite3_exec(db_.get(), sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) Fail(sql, rc);
  }

  // The first column of the first row of `sql` as text ("" when there is no row).
  std::string Text(const char* sql) {
    std::unique_ptr<Statement> st = Prepare(sql);
    std::string out;
    if (Step(*st)) out = Column(*st, 0);
    while (Step(*st)) {
    }
    return out;
  }

  int64_t Number(const char* sql) {
    std::unique_ptr<Statement> st = Prepare(sql);
    int64_t out = 0;
    if (Step(*st)) out = sqlite3_column_int64(st->get(), 0);
    return out;
  }

  // Binds texts to ?1, ?2, ...; names (all but a 4th value) are lowered for matching.
  void Bind(Statement& st, std::initializer_list<std::string> values) {
    sqlite3_reset(st.get());
    int index = 1;
    for (const std::string& v : values) {
      const std::string text = index <= 3 ? Lowered(v) : v;
      const int rc = sqlite3_bind_text(st.get(), index, text.data(),
                                       static_cast<int>(text.size()), SQLITE_TRANSIENT);
      if (rc != SQLITE_OK) Fail("cannot bind a value", rc);
      ++index;
    }
  }

  bool Step(Statement& st) {
    const int rc = sqlite3_step(st.get());
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    sqlite3_reset(st.get());
    Fail("cannot read or write", rc);
  }

  void Run(Statement& st, std::initializer_list<std::string> values) {
    Bind(st, values);
    while (Step(st)) {
    }
    sqlite3_reset(st.get());
  }

  static std::string Column(Statement& st, int column) {
    const auto* text = static_cast<const char*>(sqlite3_column_blob(st.get(), column));
    const int bytes = sqlite3_column_bytes(st.get(), column);
    return text ? std::string(text, static_cast<size_t>(bytes)) : std::string();
  }

  // A new file gets the schema; an existing one must be ours and of a version we read.
  // Reading the header of a file that is no database fails here with SQLITE_NOTADB.
  // Another process may be creating the same file at this moment: the identity and the
  // tables are read in one read transaction (so that a creation committed in between cannot
  // show its tables without its identity), and a fresh file is given its schema under the
  // write lock after reading them again there.
  void CheckIdentityAndSchema() {
    Exec("BEGIN");
    int64_t id = 0, tables = 0;
    try {
      id = Number("PRAGMA application_id");
      tables = Number("SELECT count(*) FROM sqlite_master");
      Exec("COMMIT");
    } catch (...) {
      sqlite3_exec(db_.get(), "ROLLBACK", nullptr, nullptr, nullptr);
      throw;
    }
    if (id == kApplicationId) {
      CheckVersion();
      return;
    }
    if (id != 0 || tables != 0) ForeignFile();
    Write([&] {
      const int64_t id = Number("PRAGMA application_id");
      if (id == kApplicationId) return;
      if (id != 0 || Number("SELECT count(*) FROM sqlite_master") != 0) ForeignFile();
      Exec(
          "CREATE TABLE settings(application TEXT NOT NULL, section TEXT NOT NULL, "
          "key TEXT NOT NULL, value TEXT NOT NULL, "
          "PRIMARY KEY(application, section, key)) WITHOUT ROWID");
      Exec(("PRAGMA application_id=" + std::to_string(kApplicationId)).c_str());
      Exec(("PRAGMA user_version=" + std::to_string(kSchemaVersion)).c_str());
    });
    CheckVersion();
  }

  // Puts the database in WAL mode (kept in the file, so usually already so). The switch
  // needs the file to itself and SQLite answers "busy" at once, without its busy handler,
  // while another connection reads it, as another process opening the same new file does:
  // it is tried again until the busy timeout has passed.
  void SwitchToWal() {
    const int kPauseMs = 5;
    for (int waited = 0;; waited += kPauseMs) {
      sqlite3_stmt* raw = nullptr;
      int rc = sqlite3_prepare_v2(db_.get(), "PRAGMA journal_mode=WAL", -1, &raw, nullptr);
      Statement st(raw);
      std::string mode;
      if (rc == SQLITE_OK) {
        rc = sqlite3_step(st.get());
        if (rc == SQLITE_ROW) mode = Column(st, 0);
      }
      if (rc == SQLITE_ROW && mode == "wal") return;
      const int primary = rc & 0xFF;
      if ((primary == SQLITE_BUSY || primary == SQLITE_LOCKED) && waited < busy_timeout_ms_) {
        sqlite3_sleep(kPauseMs);
        continue;
      }
      if (rc != SQLITE_ROW) Fail("cannot switch to WAL mode", rc);
      throw SettingsError("settings database '" + path_ + "' cannot be put in WAL mode");
    }
  }

  void CheckVersion() {
    const int64_t version = Number("PRAGMA user_version");
    if (version != kSchemaVersion) {
      throw SettingsError("settings database '" + path_ + "' has format version " +
                          std::to_string(version) + ", this program reads version " +
                          std::to_string(kSchemaVersion) + "; it was left as it is");
    }
  }

  [[noreturn]] void ForeignFile() const {
    throw SettingsError("'" + path_ +
                        "' is a database of another program, not a settings database; it "
                        "was left as it is");
  }

  std::string path_;
  int busy_timeout_ms_;
  std::unique_ptr<sqlite3, CloseDb> db_;
  std::unique_ptr<Statement> get_, put_, delete_key_, delete_section_, exists_;
};

SqliteSettingsStore::SqliteSettingsStore(std::string path, int busy_timeout_ms)
    : path_(std::move(path)), busy_timeout_ms_(busy_timeout_ms) {}

SqliteSettingsStore::~SqliteSettingsStore() = default;

SqliteSettingsStore::Connection& SqliteSettingsStore::Open() {
  if (connection_) return *connection_;
  if (path_.empty()) throw SettingsError("settings database: no path given");
  const std::filesystem::path folder = std::filesystem::path(path_).parent_path();
  if (!folder.empty()) {
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) {
      std::filesystem::create_directories(folder, ec);
      if (ec) {
        throw SettingsError("settings database '" + path_ + "': cannot create its folder: " +
                            ec.message());
      }
      // Settings are the user's own: keep the new folder private.
      ::chmod(folder.c_str(), 0700);
    }
  }
  connection_ = std::make_unique<Connection>(path_, busy_timeout_ms_);
  return *connection_;
}

std::string SqliteSettingsStore::GetSetting(const std::string& application,
                                            const std::string& section, const std::string& key,
                                            const std::string& default_value) {
  return Open().Get(application, section, key).value_or(default_value);
}

void SqliteSettingsStore::SaveSetting(const std::string& application, const std::string& section,
                                      const std::string& key, const std::string& value) {
  Connection& c = Open();
  c.Write([&] { c.Put(application, section, key, value); });
}

void SqliteSettingsStore::SaveSettings(
    const std::string& application, const std::string& section,
    const std::vector<std::pair<std::string, std::string>>& values) {
  Connection& c = Open();
  c.Write([&] {
    for (const auto& [key, value] : values) c.Put(application, section, key, value);
  });
}

void SqliteSettingsStore::DeleteSetting(const std::string& application,
                                        const std::string& section, const std::string& key) {
  Connection& c = Open();
  c.Write([&] { c.DeleteKey(application, section, key); });
}

void SqliteSettingsStore::DeleteSection(const std::string& application,
                                        const std::string& section) {
  Connection& c = Open();
  c.Write([&] { c.DeleteSection(application, section); });
}

bool SqliteSettingsStore::SectionExists(const std::string& application,
                                        const std::string& section) {
  return Open().Exists(application, section);
}

std::string SqliteSettingsStore::Update(
    const std::string& application, const std::string& section, const std::string& key,
    const std::function<std::string(const std::optional<std::string>&)>& change) {
  Connection& c = Open();
  return c.Write([&] {
    std::string next = change(c.Get(application, section, key));
    c.Put(application, section, key, next);
    return next;
  });
}

}  // namespace zel
