// The repair of typed dates, as a table: today is 15 March 2024 throughout.
#include "editing/date_input.h"

#include <gtest/gtest.h>

#include <string>

namespace zel::internal {
namespace {

constexpr const char* kToday = "20240315";
constexpr const char* kRefused = "<refused>";
constexpr const char* kUnchanged = "<unchanged>";

std::string Outcome(const std::string& input, DateInputMode mode, const char* today = kToday) {
  const DateRepair r = RepairDateInput(input, mode, today);
  switch (r.outcome) {
    case DateRepair::kUnchanged: return kUnchanged;
    case DateRepair::kRefused: return kRefused;
    case DateRepair::kRepaired: return r.text;
  }
  return "?";
}

struct Case {
  const char* input;
  const char* expected;
};

TEST(DateInput, DateModeTable) {
  const Case cases[] = {
      // The worked examples.
      {"240105", "05-01-2024"},
      {"1/5", "05-01-2024"},
      {"7", "07-03-2024"},
      {"2024.1.5", "05-01-2024"},
      {"99-1-1", "01-01-2099"},
      {"2024-13-01", kRefused},
      // Runs of digits by length.
      {"20240105", "05-01-2024"},
      {"2024010", kRefused},        // 7 digits
      {"240105x", kRefused},        // 7 characters
      {"40105", "05-01-2004"},      // y.mmdd: one-digit year
      {"105", "05-01-2024"},        // m.dd of this year
      {"1231", "31-12-2024"},
      {"07", "07-03-2024"},         // a day of this month
      {"32", kRefused},
      {"202401050", kRefused},      // 9 digits: no rule
      // Years: 50 and up keep today's century, below 50 the 2000s.
      {"49-1-1", "01-01-2049"},
      {"50-1-1", "01-01-2050"},
      {"5-1-1", "01-01-2005"},      // one digit
      {"024-1-1", kRefused},        // three digits
      {"12024-1-1", "01-01-2024"},  // the last four
      // Months and days keep their last two characters; one gets a leading zero.
      {"2024-001-1", kRefused},     // three-character month
      {"1-31", "31-01-2024"},
      {"123-1", kRefused},          // two parts: both below three characters
      // Separators and parts.
      {"2024:1:5", "05-01-2024"},
      {"2024;1;5", "05-01-2024"},
      {"2024,1,5", "05-01-2024"},
      {"2024/01/05", "05-01-2024"},
      {"1-2-3-4", kRefused},        // four parts
      {"2024--5", kRefused},        // empty month
      {"-", kRefused},
      // Calendar.
      {"2024-2-29", "29-02-2024"},
      {"2023-2-29", kRefused},
      {"2024-2-30", kRefused},
      {"2024-4-31", kRefused},
      {"0-1-1", "01-01-2000"},
      // Length, blanks, line breaks, letters.
      {"2024-01-051", kRefused},    // 11 characters
      {"  240105  ", "05-01-2024"},
      {"240105\r\n", "05-01-2024"},
      {"", kUnchanged},
      {"   ", kUnchanged},
      {"\r\n", kUnchanged},
      {"ab", kRefused},
      {"2024-ab-01", kRefused},
      {"２０２４", kRefused},       // full-width digits are not digits
      {"날짜", kRefused},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Outcome(c.input, DateInputMode::kDate), c.expected) << "input \"" << c.input << "\"";
  }
}

TEST(DateInput, YearMonthModeTable) {
  const Case cases[] = {
      {"2024/3", "03-2024"},       // the worked example
      {"202403", "03-2024"},
      {"24-3", "03-2024"},
      {"99.12", "12-2099"},
      {"2403", "03-2024"},
      {"403", "03-2004"},          // one-digit year, two-digit month
      {"3", "03-2024"},            // a month of this year
      {"12", "12-2024"},
      {"13", kRefused},
      {"2024031", kRefused},       // seven characters
      {"20240315", kRefused},      // eight: too long
      {"2024-3-1", kRefused},      // three parts
      {"024-3", kRefused},         // three-character year
      {"2024-003", kRefused},      // three-character month
      {"2024-0", kRefused},
      {"", kUnchanged},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Outcome(c.input, DateInputMode::kYearMonth), c.expected)
        << "input \"" << c.input << "\"";
  }
}

TEST(DateInput, TodayFillsWhatTheInputLeavesOut) {
  // A two-digit year of 50 or more takes today's century.
  EXPECT_EQ(Outcome("99-1-1", DateInputMode::kDate, "19990601"), "01-01-1999");
  EXPECT_EQ(Outcome("7", DateInputMode::kDate, "20230215"), "07-02-2023");
  EXPECT_EQ(Outcome("29", DateInputMode::kDate, "20230215"), kRefused);  // 29 Feb 2023
  EXPECT_EQ(Outcome("3", DateInputMode::kYearMonth, "19990601"), "03-1999");
  // A malformed today spoils only the inputs that need it.
  EXPECT_EQ(Outcome("7", DateInputMode::kDate, "bad"), kRefused);
  EXPECT_EQ(Outcome("2024-1-5", DateInputMode::kDate, ""), "05-01-2024");
}

}  // namespace
}  // namespace zel::internal
