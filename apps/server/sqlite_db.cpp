#include "server/sqlite_db.h"

namespace zel::server {

ServerError ErrorFor(int rc, const std::string& path, std::string_view detail) {
  using Kind = ServerError::Kind;
  std::string tail = " (" + path;
  if (!detail.empty()) {
    tail += ": ";
    tail += detail;
  }
  tail += ")";
  switch (rc & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return {Kind::Locked,
              "데이터베이스를 다른 프로그램이 사용하고 있습니다. 잠시 후 다시 하십시오." + tail};
    case SQLITE_READONLY:
      return {Kind::ReadOnly, "데이터베이스 파일이 읽기 전용이라 저장할 수 없습니다." + tail};
    case SQLITE_CORRUPT:
      return {Kind::Damaged, "데이터베이스 파일이 손상되었습니다." + tail};
    case SQLITE_NOTADB:
      return {Kind::NotADatabase, "데이터베이스 파일이 아닙니다." + tail};
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
    case SQLITE_AUTH:
      return {Kind::CannotOpen, "데이터베이스 파일을 열 수 없습니다." + tail};
    case SQLITE_FULL:
      return {Kind::Failed, "디스크가 가득 차서 저장할 수 없습니다." + tail};
    default:
      return {Kind::Failed, "데이터베이스 오류가 발생했습니다." + tail};
  }
}

Database::Database(const std::string& path, int flags, int busy_timeout_ms) : path_(path) {
  const int rc = sqlite3_open_v2(path.c_str(), &db_, flags | SQLITE_OPEN_NOMUTEX, nullptr);
  if (rc != SQLITE_OK) {
    const ServerError error = ErrorFor(rc, path, db_ ? sqlite3_errmsg(db_) : "");
    sqlite3_close(db_);
    throw error;
  }
  sqlite3_extended_result_codes(db_, 1);
  sqlite3_busy_timeout(db_, busy_timeout_ms);
}

Database::~Database() { sqlite3_close(db_); }

ServerError Database::Error(int rc) const { return ErrorFor(rc, path_, sqlite3_errmsg(db_)); }

void Database::Exec(const char* sql) {
  const int rc = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) throw Error(rc);
}

Statement Database::Prepare(std::string_view sql) {
  sqlite3_stmt* stmt = nullptr;
  const int rc = sqlite3_prepare_v2(db_, sql.data(), static_cast<int>(sql.size()), &stmt, nullptr);
  if (rc != SQLITE_OK) throw Error(rc);
  return Statement(*this, stmt);
}

namespace {

void BindText(sqlite3_stmt* stmt, const Database& db, int index, std::string_view text,
              sqlite3_destructor_type lifetime) {
  // A null pointer would bind SQL NULL; an empty text is "".
  const char* data = text.data() == nullptr ? "" : text.data();
  const int rc = sqlite3_bind_text(stmt, index, data, static_cast<int>(text.size()), lifetime);
  if (rc != SQLITE_OK) throw db.Error(rc);
}

}  // namespace

void Statement::Bind(int index, std::string_view text) {
  BindText(stmt_, *db_, index, text, SQLITE_TRANSIENT);
}

void Statement::BindKept(int index, std::string_view text) {
  BindText(stmt_, *db_, index, text, SQLITE_STATIC);
}

void Statement::Bind(int index, int64_t value) {
  const int rc = sqlite3_bind_int64(stmt_, index, value);
  if (rc != SQLITE_OK) throw db_->Error(rc);
}

bool Statement::Step() {
  const int rc = sqlite3_step(stmt_);
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  // The statement's own error; reset so that it does not hold its lock.
  const ServerError error = db_->Error(rc);
  sqlite3_reset(stmt_);
  throw error;
}

void Statement::Reset() { sqlite3_reset(stmt_); }

}  // namespace zel::server
