// Calendar rules for the date texts the sheet reads and writes (proleptic Gregorian,
// years 1..9999).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zel::text {

struct Date {
  int year = 0;
  int month = 0;
  int day = 0;
  friend bool operator==(const Date&, const Date&) = default;
};

struct DateTime {
  Date date;
  int hour = 0;
  int minute = 0;
  int second = 0;
  bool has_date = true;  // false for a time-only text ("hh:nn:ss", "hhnnss")
  bool has_time = false;
  friend bool operator==(const DateTime&, const DateTime&) = default;
};

bool IsLeapYear(int year) noexcept;

// Days in `month` of `year`; 0 when month is outside 1..12.
int DaysInMonth(int year, int month) noexcept;

// True for a real calendar day in years 1..9999: 2024-02-29 valid, 2023-02-29 not.
bool IsValidDate(int year, int month, int day) noexcept;
bool IsValidTime(int hour, int minute, int second) noexcept;

// Parses exactly 8 digits "yyyymmdd" into a valid date; nullopt otherwise.
std::optional<Date> ParseYmd(std::string_view s) noexcept;

// "yyyymmdd" for a valid date; "" otherwise.
std::string FormatYmd(const Date& d);

// Reads a date or date-time text: "yyyymmdd", "yyyy-mm-dd", "yyyy/mm/dd", "yyyy.mm.dd",
// "yyyymmddhhnn", "yyyymmddhhnnss", "yyyy-mm-dd hh:nn[:ss]", "yyyymm", "yyyy-mm" (day 1),
// and time-only "hh:nn[:ss]". Blanks around it are allowed. nullopt when it is not a valid
// date or time.
std::optional<DateTime> ParseDateText(std::string_view s) noexcept;

// Days since 0001-01-01 (day 0) for a valid date; used for date arithmetic and weekdays.
long DaysFromCivil(const Date& d) noexcept;
Date CivilFromDays(long days) noexcept;

// 0 = Sunday .. 6 = Saturday.
int Weekday(const Date& d) noexcept;

// Day serial as the platform's date values count them: 0 is 1899-12-30 and the fraction is
// the time of day (0.5 = 12:00). nullopt when the day falls outside years 1..9999 or the
// serial is not finite. The time is rounded to the nearest second.
std::optional<DateTime> FromSerial(double serial) noexcept;

}  // namespace zel::text
