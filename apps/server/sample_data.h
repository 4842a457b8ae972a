// Sample contents for a new database: the regions of the code help and as many customers
// as asked for, made up but plausible (Korean company names, codes, phones, regions).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "server/customer_server.h"

namespace zel::server {

// One customer as the database keeps it.
struct CustomerRecord {
  std::string code;
  std::string name;
  std::string kind;  // "1", "2" or "3"
  int64_t credit_limit = 0;
  std::string registered_on;  // "yyyymmdd"
  bool active = true;
  std::string phone;  // digits only, or empty
  std::string region_code;
  std::string remark;
};

// The seventeen provinces and metropolitan cities, by their administrative codes.
const std::vector<Region>& SampleRegions();

// Sample customer number `n` (from 1): the same customer for the same n on every run, so
// that a database of a million customers is made row by row without keeping any. Its code
// is "C" and n in seven digits.
void MakeSampleCustomer(int64_t n, CustomerRecord& out);

}  // namespace zel::server
