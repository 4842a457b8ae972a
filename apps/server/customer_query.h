// Reading customers out of the database as a data string, fast enough for a million rows:
// the rows are written straight from SQLite's values, and a large table is read in two
// halves at once, by two connections, on two threads.
#pragma once

#include <array>
#include <functional>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "server/customer_server.h"
#include "server/sqlite_db.h"

namespace zel::server {

// The regions table, by code.
std::vector<Region> ReadRegions(Database& db);

// A region's name by its code, looked up once per customer row: two-digit codes by index,
// any other code by a search.
class RegionNames {
 public:
  explicit RegionNames(std::vector<Region> regions);
  // "" for an unknown or empty code.
  std::string_view Of(std::string_view code) const;
  const std::vector<Region>& all() const { return regions_; }

 private:
  std::vector<Region> regions_;
  std::array<std::string_view, 100> by_digits_{};
};

// The customers whose name holds `name_part` (all when empty), in serial order, one data
// string row each with the fields in the screen's column order. `db` is the server's own
// connection; a second one to the same file, waiting busy_timeout_ms for a lock, reads the
// upper half of a large table. Throws ServerError.
std::string QueryCustomers(Database& db, std::string_view name_part, int busy_timeout_ms);

// The same customers in pages of up to `page_rows` serials each, read on a second thread
// with its own connection to `path` (one read transaction for all pages) and handed to
// `page` on the caller's thread, in order; empty pages are skipped. Throws ServerError, or
// what `page` throws (reading then stops).
void QueryCustomerPages(const std::string& path, std::string_view name_part, int64_t page_rows,
                        int busy_timeout_ms, const std::function<void(std::string&)>& page);

}  // namespace zel::server
