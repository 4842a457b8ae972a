#include "text/calendar.h"

#include <gtest/gtest.h>

namespace zel::text {
namespace {

TEST(TextCalendar, ValidDates) {
  const struct {
    int y, m, d;
    bool valid;
  } cases[] = {{2024, 2, 29, true}, {2023, 2, 29, false}, {1900, 2, 29, false},
                        {2000, 2, 29, true}, {2024, 4, 31, false}, {2024, 13, 1, false},
                        {2024, 0, 1, false}, {2024, 1, 0, false},  {1, 1, 1, true},
                        {0, 1, 1, false},    {9999, 12, 31, true}, {10000, 1, 1, false}};
  for (const auto& c : cases) EXPECT_EQ(IsValidDate(c.y, c.m, c.d), c.valid) << c.y << "-" << c.m << "-" << c.d;
  EXPECT_EQ(DaysInMonth(2024, 2), 29);
  EXPECT_EQ(DaysInMonth(2024, 13), 0);
}

TEST(TextCalendar, YmdTexts) {
  EXPECT_EQ(ParseYmd("20240131"), (Date{2024, 1, 31}));
  for (const char* bad : {"20230229", "2024013", "2024-1-3"}) EXPECT_FALSE(ParseYmd(bad)) << bad;
  EXPECT_EQ(FormatYmd({2024, 1, 5}), "20240105");
  EXPECT_EQ(FormatYmd({2024, 2, 30}), "");

  struct Case {
    const char* text;
    bool ok;
    DateTime t;
  };
  const Case cases[] = {
      {"20240131", true, {{2024, 1, 31}, 0, 0, 0, true, false}}, {"2024-1-5", true, {{2024, 1, 5}, 0, 0, 0, true, false}},
      {"31-01-2024", true, {{2024, 1, 31}, 0, 0, 0, true, false}}, {"03-2024", true, {{2024, 3, 1}, 0, 0, 0, true, false}},
      {"202403", true, {{2024, 3, 1}, 0, 0, 0, true, false}},
      {"20240131235959", true, {{2024, 1, 31}, 23, 59, 59, true, true}},
      {" 2024/01/31 08:15 ", true, {{2024, 1, 31}, 8, 15, 0, true, true}}, {"08:15:30", true, {{}, 8, 15, 30, false, true}},
      {"20240131246000", false, {}}, {"2024--01", false, {}}, {"2024-01-31-01", false, {}},
      {"12345", false, {}}, {"", false, {}}, {"24:00", false, {}},
  };
  for (const Case& c : cases) {
    const auto t = ParseDateText(c.text);
    ASSERT_EQ(t.has_value(), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(*t, c.t) << c.text;
    }
  }
}

TEST(TextCalendar, DayArithmetic) {
  EXPECT_EQ(DaysFromCivil({1, 1, 1}), 0);
  for (const Date d : {Date{1, 1, 1}, Date{1899, 12, 30}, Date{2024, 2, 29}, Date{9999, 12, 31}})
    EXPECT_EQ(CivilFromDays(DaysFromCivil(d)), d);
  EXPECT_EQ(DaysFromCivil({2024, 3, 1}) - DaysFromCivil({2024, 2, 28}), 2);
  EXPECT_EQ(Weekday({2024, 1, 1}), 1);  // Monday
  EXPECT_EQ(Weekday({1, 1, 1}), 1);
  EXPECT_EQ(FromSerial(0)->date, (Date{1899, 12, 30}));
  EXPECT_EQ(FromSerial(45292.5)->hour, 12);
  EXPECT_FALSE(FromSerial(1e12));
}

}  // namespace
}  // namespace zel::text
