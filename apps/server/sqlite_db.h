// A thin owner of a SQLite connection and its prepared statements, turning every failure
// into a ServerError with a sentence the user can act on.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "server/customer_server.h"

namespace zel::server {

// The ServerError for SQLite result code `rc` on the database at `path`; `detail` is
// SQLite's own message, kept at the end for whoever reads a log.
ServerError ErrorFor(int rc, const std::string& path, std::string_view detail);

class Statement;

class Database {
 public:
  // Opens `path` (SQLITE_OPEN_* flags). Throws ServerError.
  Database(const std::string& path, int flags, int busy_timeout_ms);
  ~Database();
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  // Runs one or more statements that return no rows. Throws ServerError.
  void Exec(const char* sql);
  Statement Prepare(std::string_view sql);
  int64_t LastInsertRowid() const { return sqlite3_last_insert_rowid(db_); }
  const std::string& path() const { return path_; }
  sqlite3* handle() const { return db_; }
  // The ServerError for `rc` with this connection's message.
  ServerError Error(int rc) const;

 private:
  sqlite3* db_ = nullptr;
  std::string path_;
};

// A prepared statement. Bind, then Step until it returns false; Reset before reuse.
class Statement {
 public:
  Statement(const Database& db, sqlite3_stmt* stmt) : db_(&db), stmt_(stmt) {}
  ~Statement() { sqlite3_finalize(stmt_); }
  Statement(Statement&& other) noexcept : db_(other.db_), stmt_(other.stmt_) {
    other.stmt_ = nullptr;
  }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
  Statement& operator=(Statement&&) = delete;

  // Parameters are numbered from 1. Texts are copied by SQLite.
  void Bind(int index, std::string_view text);
  // The same without the copy: `text` must stay as it is until the statement is reset.
  void BindKept(int index, std::string_view text);
  void Bind(int index, int64_t value);
  // True while a row is there to read; false when done. Throws ServerError.
  bool Step();
  // Makes the statement ready to run again (bindings are kept until rebound).
  void Reset();

  int64_t Int(int col) const { return sqlite3_column_int64(stmt_, col); }
  std::string_view Text(int col) const {
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, col));
    return p == nullptr
               ? std::string_view()
               : std::string_view(p, static_cast<size_t>(sqlite3_column_bytes(stmt_, col)));
  }

 private:
  const Database* db_;
  sqlite3_stmt* stmt_;
};

}  // namespace zel::server
