#include "text/calendar.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>

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
  EXPECT_EQ(DaysInMonth(2024, 2) + DaysInMonth(2024, 13), 29);
}

TEST(TextCalendar, YmdTexts) {
  EXPECT_EQ(ParseYmd("20240131"), (Date{2024, 1, 31}));
  for (const char* bad : {"20230229", "2024013", "2024-1-3"}) EXPECT_FALSE(ParseYmd(bad)) << bad;
  EXPECT_EQ(FormatYmd({2024, 1, 5}), "20240105");
  EXPECT_EQ(FormatYmd({2024, 2, 30}), "");

  // What ParseDateText found: "yyyymmdd hhmmss" and whether it had a date and a time.
  auto shown = [](const std::optional<DateTime>& t) {
    if (!t) return std::string("-");
    char out[32];
    std::snprintf(out, sizeof out, "%04d%02d%02d %02d%02d%02d %c%c", t->date.year, t->date.month, t->date.day,
                  t->hour, t->minute, t->second, t->has_date ? 'D' : '.', t->has_time ? 'T' : '.');
    return std::string(out);
  };
  const std::pair<const char*, const char*> cases[] = {
      {"20240131", "20240131 000000 D."}, {"2024-1-5", "20240105 000000 D."}, {"31-01-2024", "20240131 000000 D."},
      {"03-2024", "20240301 000000 D."}, {"202403", "20240301 000000 D."}, {"20240131235959", "20240131 235959 DT"},
      {" 2024/01/31 08:15 ", "20240131 081500 DT"}, {"08:15:30", "00000000 081530 .T"},
      {"20240131246000", "-"}, {"2024--01", "-"}, {"2024-01-31-01", "-"}, {"12345", "-"}, {"", "-"}, {"24:00", "-"},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(shown(ParseDateText(text)), expected) << text;
}

TEST(TextCalendar, DayArithmetic) {
  EXPECT_EQ(DaysFromCivil({1, 1, 1}), 0);
  for (const Date d : {Date{1, 1, 1}, Date{1899, 12, 30}, Date{2024, 2, 29}, Date{9999, 12, 31}})
    EXPECT_EQ(CivilFromDays(DaysFromCivil(d)), d);
  EXPECT_EQ(DaysFromCivil({2024, 3, 1}) - DaysFromCivil({2024, 2, 28}), 2);
  EXPECT_EQ(Weekday({2024, 1, 1}) + Weekday({1, 1, 1}), 2);  // both Mondays
  EXPECT_EQ(FromSerial(0)->date, (Date{1899, 12, 30}));
  EXPECT_EQ(FromSerial(45292.5)->hour, 12);
  EXPECT_FALSE(FromSerial(1e12));
}

}  // namespace
}  // namespace zel::text
