// The business rules of a customer row: what the server accepts into the customer master,
// checked before anything is written. Each failure is one Korean sentence that the sheet
// shows in its error list.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "server/customer_server.h"
#include "server/sample_data.h"

namespace zel::server {

inline constexpr size_t kCodeMaxChars = 10;
inline constexpr size_t kNameMaxChars = 40;
inline constexpr size_t kRemarkMaxChars = 100;
inline constexpr int64_t kCreditLimitMax = 999'999'999'999;

// A customer's values as a save line carries them (CellText forms).
struct CustomerFields {
  std::string_view code, name, kind, credit_limit, registered_on, active, phone, region_code,
      remark;
};

// Checks `in` against the rules, in column order, and converts it into `out`: blanks
// around the texts dropped, the credit limit as a number, an empty credit limit 0, an empty
// active flag "0". Returns "" when the row may be written, else the message of the first
// rule it breaks. Whether the code is already taken needs the database: the caller checks.
std::string CheckCustomer(const CustomerFields& in, const std::vector<Region>& regions,
                          CustomerRecord& out);

// The message for a code another customer already has.
std::string DuplicateCodeMessage(std::string_view code);
// The messages for a row that another user changed, or deleted, since it was read.
extern const char* const kChangedByOtherMessage;
extern const char* const kDeletedByOtherMessage;
// The message for a "U" or "D" row without a serial the server gave (it was never read
// from the server, or the hidden columns were lost).
extern const char* const kNoSerialMessage;

}  // namespace zel::server
