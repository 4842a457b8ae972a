#include <gtest/gtest.h>

#include <string>

#include "text/number.h"

namespace zel::text {
namespace {

struct Case {
  std::string value, fmt, text;
};

void Check(const Case& c, int first_day = 1, int first_week = 1) {
  EXPECT_EQ(Format(c.value, c.fmt, first_day, first_week), c.text)
      << '"' << c.value << "\" with \"" << c.fmt << '"';
}

TEST(TextFormat, NumbersDatesAndTextLayouts) {
  const Case cases[] = {
      {"1234.5", "", "1234.5"}, {"abc", "", "abc"}, {"1234.5", "#,##0.00", "1,234.50"},
      {" 1234 ", "#,##0", "1,234"},
      {"1,234.5", "0.0", "1234.5"},  // group commas in the value
      {"abc", "#,##0", "abc"}, {"-0.256", "0.0%;(0.0%)", "(25.6%)"}, {"1234.567", "Standard", "1,234.57"},
      {"0.5", "Percent", "50.00%"}, {"2", "Fixed", "2.00"}, {"0", "Yes/No", "No"},
      {"12.50", "General Number", "12.5"},
      // Dates.
      {"20240131", "yyyy-mm-dd", "2024-01-31"}, {"2024-01-31", "yyyymmdd", "20240131"},
      {"2024/1/5", "yy/m/d", "24/1/5"}, {"20240131093005", "yyyy-mm-dd hh:mm:ss", "2024-01-31 09:30:05"},
      {"2024-01-31 13:05:00", "h:nn AM/PM", "1:05 PM"}, {"2024-01-31 00:05:00", "hh:nn a/p", "12:05 a"},
      {"202403", "yyyy년 mm월", "2024년 03월"}, {"20240131", "mmm d, yyyy (ddd)", "Jan 31, 2024 (Wed)"},
      {"20240131", "mmmm dddd", "January Wednesday"}, {"20240131", "YYYY-MM-DD", "2024-01-31"},
      {"20240131", "\"Q\"q y", "Q1 31"},
      {"20230229", "yyyy-mm-dd", "20230229"},  // not a date: unchanged
      {"hello", "yyyy-mm-dd", "hello"},
      {"45292", "yyyy-mm-dd", "2024-01-01"},  // a number is a day serial
      {"45292.75", "yyyy-mm-dd hh:nn", "2024-01-01 18:00"}, {"13:45:10", "hh\\h nn\\m", "13h 45m"},
      {"20240131", "Short Date", "2024-01-31"}, {"20240131", "General Date", "2024-01-31"},
      // Text layouts.
      {"abc", ">", "ABC"}, {"ABC", "<", "abc"}, {"12345", "@@@-@@", "123-45"},
      {"123", "@@@@@", "  123"}, {"123", "!@@@@@", "123  "}, {"123", "&&&&&", "123"}, {"abcdef", "@@@", "abcdef"},
      {"가나다", "(@@@)", "(가나다)"},
  };
  for (const Case& c : cases) Check(c);
}

TEST(TextFormat, Weeks) {
  // 2024-01-01 was a Monday; 2021-01-01 a Friday.
  Check({"20240101", "w", "2"});
  Check({"20240101", "w", "1"}, 2);
  Check({"20240107", "ww", "2"});        // Sunday starts week 2
  Check({"20240107", "ww", "1"}, 2);     // weeks from Monday
  Check({"20210101", "ww", "1"});
  Check({"20210101", "ww", "53"}, 2, 2);  // ISO-like: belongs to the last week of 2020
  Check({"20210104", "ww", "1"}, 2, 2);
  Check({"20210103", "ww", "52"}, 2, 3);  // first full week starts 2021-01-04
}

}  // namespace
}  // namespace zel::text
