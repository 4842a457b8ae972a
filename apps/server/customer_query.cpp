#include "server/customer_query.h"

#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>

namespace zel::server {
namespace {

constexpr std::string_view kSelectColumns =
    "SELECT seq, code, name, kind, credit_limit, registered_on, active, phone, region_code,"
    " remark, row_ver FROM customers WHERE seq BETWEEN ?1 AND ?2";

// Below this many serials one connection reads everything: a second thread would cost
// more than it saves.
constexpr int64_t kSplitSerials = 20'000;

// The text is reserved once, from the size of its first rows: a text grown by doubling
// would hold up to twice its size, and copy itself on every step.
constexpr int64_t kSampleRows = 1024;

// Writes the customers with serials from..to (and a name holding name_part) into `out`.
// `expected` is the number of rows the whole text may reach.
void WriteRange(Database& db, const RegionNames& regions, std::string_view name_part, int64_t from,
                int64_t to, int64_t expected, DataStringWriter& out) {
  std::string sql(kSelectColumns);
  if (!name_part.empty()) sql += " AND instr(name, ?3) > 0";
  sql += " ORDER BY seq";
  Statement s = db.Prepare(sql);
  s.Bind(1, from);
  s.Bind(2, to);
  if (!name_part.empty()) s.Bind(3, name_part);
  std::string_view code;
  try {
    while (s.Step()) {
      if (out.RowCount() == kSampleRows && expected > kSampleRows) {
        const double perRow = static_cast<double>(out.Text().size()) / kSampleRows;
        out.Reserve(
            static_cast<size_t>(perRow * 1.05 * static_cast<double>(expected - kSampleRows)));
      }
      code = s.Text(1);
      const std::string_view region = s.Text(8);
      out.Field(code)
          .Field(s.Text(2))
          .Field(s.Text(3))
          .Integer(s.Int(4))
          .Field(s.Text(5))
          .Field(s.Int(6) != 0 ? "1" : "0")
          .Field(s.Text(7))
          .Field(region)
          .Field(regions.Of(region))
          .Field(s.Text(9))
          .Integer(s.Int(0))
          .Integer(s.Int(10))
          .EndRow();
    }
  } catch (const WireTextError& e) {
    throw ServerError(ServerError::Kind::Damaged,
                      "거래처 " + std::string(code) +
                          "의 자료에 보낼 수 없는 구분 문자가 들어 있습니다. (" + e.what() + ")");
  }
}

}  // namespace

std::vector<Region> ReadRegions(Database& db) {
  std::vector<Region> regions;
  Statement s = db.Prepare("SELECT code, name FROM regions ORDER BY code");
  while (s.Step()) regions.push_back({std::string(s.Text(0)), std::string(s.Text(1))});
  return regions;
}

RegionNames::RegionNames(std::vector<Region> regions) : regions_(std::move(regions)) {
  for (const Region& r : regions_) {
    const std::string& c = r.code;
    if (c.size() == 2 && c[0] >= '0' && c[0] <= '9' && c[1] >= '0' && c[1] <= '9') {
      by_digits_[static_cast<size_t>((c[0] - '0') * 10 + (c[1] - '0'))] = r.name;
    }
  }
}

std::string_view RegionNames::Of(std::string_view code) const {
  if (code.size() == 2 && code[0] >= '0' && code[0] <= '9' && code[1] >= '0' && code[1] <= '9') {
    return by_digits_[static_cast<size_t>((code[0] - '0') * 10 + (code[1] - '0'))];
  }
  for (const Region& r : regions_) {
    if (r.code == code) return r.name;
  }
  return {};
}

std::string QueryCustomers(Database& db, std::string_view name_part, int busy_timeout_ms) {
  // One read transaction over the whole query: while it holds its shared lock no save can
  // commit, so the second connection, which starts reading inside it, sees the same rows.
  db.Exec("BEGIN");
  struct EndRead {
    Database& db;
    ~EndRead() { sqlite3_exec(db.handle(), "COMMIT", nullptr, nullptr, nullptr); }
  } endRead{db};

  const RegionNames regions(ReadRegions(db));
  Statement bounds = db.Prepare("SELECT min(seq), max(seq) FROM customers");
  bounds.Step();
  const int64_t first = bounds.Int(0), last = bounds.Int(1);
  // Rows to expect: the serials in use bound them (a filtered query expects few).
  const int64_t expected = name_part.empty() ? last - first + 1 : 0;
  DataStringWriter out;
  if (last - first < kSplitSerials) {
    WriteRange(db, regions, name_part, first, last, expected, out);
    return out.Take();
  }

  const int64_t middle = first + (last - first) / 2;
  Database other(db.path(), SQLITE_OPEN_READONLY, busy_timeout_ms);
  DataStringWriter upper;
  std::exception_ptr upperError;
  std::thread reader([&] {
    try {
      WriteRange(other, regions, name_part, middle + 1, last, expected / 2, upper);
    } catch (...) {
      upperError = std::current_exception();
    }
  });
  std::exception_ptr lowerError;
  try {
    WriteRange(db, regions, name_part, first, middle, expected, out);
  } catch (...) {
    lowerError = std::current_exception();
  }
  reader.join();
  if (lowerError) std::rethrow_exception(lowerError);
  if (upperError) std::rethrow_exception(upperError);
  std::string text = out.Take();
  text += upper.Text();
  return text;
}

void QueryCustomerPages(const std::string& path, std::string_view name_part, int64_t page_rows,
                        int busy_timeout_ms, const std::function<void(std::string&)>& page) {
  page_rows = std::max<int64_t>(page_rows, 1);
  // The reader hands pages over through a queue of at most two: it runs ahead of the caller
  // by one page, so reading and the caller's work on the last page overlap.
  constexpr size_t kAhead = 2;
  std::mutex mutex;
  std::condition_variable changed;
  std::deque<std::string> ready;
  bool done = false, stop = false;
  std::exception_ptr error;

  std::thread reader([&] {
    try {
      Database db(path, SQLITE_OPEN_READONLY, busy_timeout_ms);
      // One read transaction: every page sees the same customers.
      db.Exec("BEGIN");
      struct EndRead {
        Database& db;
        ~EndRead() { sqlite3_exec(db.handle(), "COMMIT", nullptr, nullptr, nullptr); }
      } endRead{db};
      const RegionNames regions(ReadRegions(db));
      Statement bounds = db.Prepare("SELECT min(seq), max(seq) FROM customers");
      bounds.Step();
      const int64_t first = bounds.Int(0), last = bounds.Int(1);
      for (int64_t from = first; from <= last && last > 0; from += page_rows) {
        DataStringWriter out;
        WriteRange(db, regions, name_part, from, std::min(from + page_rows - 1, last),
                   name_part.empty() ? page_rows : 0, out);
        if (out.RowCount() == 0) continue;
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return ready.size() < kAhead || stop; });
        if (stop) break;
        ready.push_back(out.Take());
        changed.notify_all();
      }
    } catch (...) {
      std::lock_guard lock(mutex);
      error = std::current_exception();
    }
    std::lock_guard lock(mutex);
    done = true;
    changed.notify_all();
  });

  auto finish = [&] {
    {
      std::lock_guard lock(mutex);
      stop = true;
      changed.notify_all();
    }
    reader.join();
  };
  try {
    for (;;) {
      std::string text;
      {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return !ready.empty() || done; });
        if (ready.empty()) break;
        text = std::move(ready.front());
        ready.pop_front();
        changed.notify_all();
      }
      page(text);
    }
  } catch (...) {
    finish();
    throw;
  }
  finish();
  if (error) std::rethrow_exception(error);
}

}  // namespace zel::server
