// The repair of typed dates, as a table: today is 15 March 2024 unless a case says.
#include "editing/date_input.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace zel::internal {
namespace {

constexpr const char* kRefused = "<refused>";
constexpr const char* kUnchanged = "<unchanged>";

std::string Outcome(const std::string& input, DateInputMode mode, const char* today) {
  const DateRepair r = RepairDateInput(input, mode, today);
  return r.outcome == DateRepair::kUnchanged ? kUnchanged : r.outcome == DateRepair::kRefused ? kRefused : r.text;
}

TEST(DateInput, DateModeTable) {
  // The worked examples; runs of digits by length (8, 7, 7 characters, y.mmdd, m.dd and
  // mm.dd of this year, a day of this month, 9 digits); years (50 and up keep today's
  // century, below 50 the 2000s; one digit; three digits; the last four of more); months and
  // days keep their last two characters, one gets a leading zero; separators and parts; the
  // calendar; length, blanks, line breaks, letters (full-width digits are not digits).
  const std::pair<const char*, const char*> cases[] = {
      {"240105", "05-01-2024"}, {"1/5", "05-01-2024"}, {"7", "07-03-2024"}, {"2024.1.5", "05-01-2024"}, {"99-1-1", "01-01-2099"},
      {"2024-13-01", kRefused}, {"20240105", "05-01-2024"}, {"2024010", kRefused}, {"240105x", kRefused}, {"40105", "05-01-2004"},
      {"105", "05-01-2024"}, {"1231", "31-12-2024"}, {"07", "07-03-2024"}, {"32", kRefused}, {"202401050", kRefused},
      {"49-1-1", "01-01-2049"}, {"50-1-1", "01-01-2050"}, {"5-1-1", "01-01-2005"}, {"024-1-1", kRefused}, {"12024-1-1", "01-01-2024"},
      {"2024-001-1", kRefused}, {"1-31", "31-01-2024"}, {"123-1", kRefused}, {"2024:1:5", "05-01-2024"}, {"2024;1;5", "05-01-2024"},
      {"2024,1,5", "05-01-2024"}, {"2024/01/05", "05-01-2024"}, {"1-2-3-4", kRefused}, {"2024--5", kRefused}, {"-", kRefused},
      {"2024-2-29", "29-02-2024"}, {"2023-2-29", kRefused}, {"2024-2-30", kRefused}, {"2024-4-31", kRefused}, {"0-1-1", "01-01-2000"},
      {"2024-01-051", kRefused}, {"  240105  ", "05-01-2024"}, {"240105\r\n", "05-01-2024"}, {"", kUnchanged}, {"   ", kUnchanged},
      {"\r\n", kUnchanged}, {"ab", kRefused}, {"2024-ab-01", kRefused}, {"２０２４", kRefused}, {"날짜", kRefused},
  };
  for (const auto& [input, expected] : cases) EXPECT_EQ(Outcome(input, DateInputMode::kDate, "20240315"), expected) << input;
}

// Year-month mode: the worked example, 6 digits, parts, 4 and 3 digits (one-digit year), a
// month of this year; 7 and 8 characters, three parts, three-character year or month. Then
// today filling what the input leaves out: a two-digit year of 50 or more takes today's
// century; a malformed today spoils only the inputs that need it.
TEST(DateInput, YearMonthModeAndTodayTable) {
  const std::tuple<const char*, bool, const char*, const char*> cases[] = {
      {"2024/3", true, "20240315", "03-2024"}, {"202403", true, "20240315", "03-2024"}, {"24-3", true, "20240315", "03-2024"},
      {"99.12", true, "20240315", "12-2099"}, {"2403", true, "20240315", "03-2024"}, {"403", true, "20240315", "03-2004"},
      {"3", true, "20240315", "03-2024"}, {"12", true, "20240315", "12-2024"}, {"13", true, "20240315", kRefused},
      {"2024031", true, "20240315", kRefused}, {"20240315", true, "20240315", kRefused}, {"2024-3-1", true, "20240315", kRefused},
      {"024-3", true, "20240315", kRefused}, {"2024-003", true, "20240315", kRefused}, {"2024-0", true, "20240315", kRefused},
      {"", true, "20240315", kUnchanged}, {"99-1-1", false, "19990601", "01-01-1999"}, {"7", false, "20230215", "07-02-2023"},
      {"29", false, "20230215", kRefused}, {"3", true, "19990601", "03-1999"}, {"7", false, "bad", kRefused},
      {"2024-1-5", false, "", "05-01-2024"},
  };
  for (const auto& [input, yearMonth, today, expected] : cases) {
    EXPECT_EQ(Outcome(input, yearMonth ? DateInputMode::kYearMonth : DateInputMode::kDate, today), expected)
        << input << " today " << today;
  }
}

}  // namespace
}  // namespace zel::internal
