#include "text/calendar.h"

#include <cmath>

namespace zel::text {
namespace {

bool AllDigits(std::string_view s) noexcept {
  if (s.empty()) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

// Digits of s (all checked beforehand) as a number.
int Num(std::string_view s) noexcept {
  int v = 0;
  for (char c : s) v = v * 10 + (c - '0');
  return v;
}

std::string_view TrimBlanks(std::string_view s) noexcept {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

bool IsDateSep(char c) noexcept { return c == '-' || c == '/' || c == '.'; }

// Splits at any of the separator characters; fails (returns false) on an empty part or
// more than `max_parts` parts.
template <typename Pred>
bool SplitParts(std::string_view s, Pred is_sep, std::string_view* parts, int max_parts,
                int* count) noexcept {
  int n = 0;
  size_t begin = 0;
  for (size_t i = 0; i <= s.size(); ++i) {
    if (i == s.size() || is_sep(s[i])) {
      if (n == max_parts || i == begin) return false;
      parts[n++] = s.substr(begin, i - begin);
      begin = i + 1;
    }
  }
  *count = n;
  return true;
}

std::optional<DateTime> ParseTime(std::string_view s) noexcept {
  std::string_view parts[3];
  int n = 0;
  if (!SplitParts(s, [](char c) { return c == ':'; }, parts, 3, &n) || n < 2) return std::nullopt;
  for (int i = 0; i < n; ++i)
    if (!AllDigits(parts[i]) || parts[i].size() > 2) return std::nullopt;
  DateTime t;
  t.has_date = false;
  t.has_time = true;
  t.hour = Num(parts[0]);
  t.minute = Num(parts[1]);
  t.second = n == 3 ? Num(parts[2]) : 0;
  if (!IsValidTime(t.hour, t.minute, t.second)) return std::nullopt;
  return t;
}

std::optional<DateTime> ParseDigits(std::string_view s) noexcept {
  DateTime t;
  switch (s.size()) {
    case 6:  // yyyymm
      t.date = {Num(s.substr(0, 4)), Num(s.substr(4, 2)), 1};
      break;
    case 8:
    case 12:
    case 14:
      t.date = {Num(s.substr(0, 4)), Num(s.substr(4, 2)), Num(s.substr(6, 2))};
      if (s.size() > 8) {
        t.has_time = true;
        t.hour = Num(s.substr(8, 2));
        t.minute = Num(s.substr(10, 2));
        t.second = s.size() == 14 ? Num(s.substr(12, 2)) : 0;
      }
      break;
    default:
      return std::nullopt;
  }
  if (!IsValidDate(t.date.year, t.date.month, t.date.day)) return std::nullopt;
  if (t.has_time && !IsValidTime(t.hour, t.minute, t.second)) return std::nullopt;
  return t;
}

std::optional<Date> ParseSeparatedDate(std::string_view s) noexcept {
  std::string_view parts[3];
  int n = 0;
  if (!SplitParts(s, IsDateSep, parts, 3, &n) || n < 2) return std::nullopt;
  for (int i = 0; i < n; ++i)
    if (!AllDigits(parts[i])) return std::nullopt;
  Date d;
  if (parts[0].size() == 4 && parts[1].size() <= 2 && (n == 2 || parts[2].size() <= 2)) {
    d = {Num(parts[0]), Num(parts[1]), n == 3 ? Num(parts[2]) : 1};  // year first
  } else if (parts[n - 1].size() == 4 && parts[0].size() <= 2 && (n == 2 || parts[1].size() <= 2)) {
    // Day first, as the grid shows dates: dd-mm-yyyy, mm-yyyy.
    d = n == 3 ? Date{Num(parts[2]), Num(parts[1]), Num(parts[0])}
               : Date{Num(parts[1]), Num(parts[0]), 1};
  } else {
    return std::nullopt;
  }
  if (!IsValidDate(d.year, d.month, d.day)) return std::nullopt;
  return d;
}

}  // namespace

bool IsLeapYear(int year) noexcept {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) noexcept {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsValidDate(int year, int month, int day) noexcept {
  return year >= 1 && year <= 9999 && day >= 1 && day <= DaysInMonth(year, month);
}

bool IsValidTime(int hour, int minute, int second) noexcept {
  return hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59 && second >= 0 && second <= 59;
}

std::optional<Date> ParseYmd(std::string_view s) noexcept {
  if (s.size() != 8 || !AllDigits(s)) return std::nullopt;
  Date d{Num(s.substr(0, 4)), Num(s.substr(4, 2)), Num(s.substr(6, 2))};
  if (!IsValidDate(d.year, d.month, d.day)) return std::nullopt;
  return d;
}

std::string FormatYmd(const Date& d) {
  if (!IsValidDate(d.year, d.month, d.day)) return {};
  std::string out(8, '0');
  int v = d.year * 10000 + d.month * 100 + d.day;
  for (int i = 7; i >= 0; --i, v /= 10) out[static_cast<size_t>(i)] = static_cast<char>('0' + v % 10);
  return out;
}

std::optional<DateTime> ParseDateText(std::string_view s) noexcept {
  s = TrimBlanks(s);
  if (s.empty()) return std::nullopt;
  if (AllDigits(s)) return ParseDigits(s);
  if (s.find_first_of("-/.") == std::string_view::npos) return ParseTime(s);

  // A date, optionally followed by a blank or "T" and a time.
  const size_t cut = s.find_first_of(" T");
  std::optional<Date> date = ParseSeparatedDate(s.substr(0, cut));
  if (!date) return std::nullopt;
  DateTime t;
  t.date = *date;
  if (cut != std::string_view::npos) {
    std::optional<DateTime> time = ParseTime(TrimBlanks(s.substr(cut + 1)));
    if (!time) return std::nullopt;
    t.has_time = true;
    t.hour = time->hour;
    t.minute = time->minute;
    t.second = time->second;
  }
  return t;
}

long DaysFromCivil(const Date& d) noexcept {
  // Days from 0000-03-01 by the usual era arithmetic, shifted so that 0001-01-01 is day 0.
  const long y = d.year - (d.month <= 2 ? 1 : 0);
  const long era = (y >= 0 ? y : y - 399) / 400;
  const long yoe = y - era * 400;
  const long mp = (d.month + 9) % 12;
  const long doy = (153 * mp + 2) / 5 + d.day - 1;
  const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 306;
}

Date CivilFromDays(long days) noexcept {
  const long z = days + 306;
  const long era = (z >= 0 ? z : z - 146096) / 146097;
  const long doe = z - era * 146097;
  const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long mp = (5 * doy + 2) / 153;
  const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  const int year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
  return {year, month, day};
}

int Weekday(const Date& d) noexcept {
  // 0001-01-01 was a Monday.
  const long w = (DaysFromCivil(d) + 1) % 7;
  return static_cast<int>(w < 0 ? w + 7 : w);
}

std::optional<DateTime> FromSerial(double serial) noexcept {
  if (!std::isfinite(serial) || std::fabs(serial) > 1e7) return std::nullopt;
  static const long kEpoch = DaysFromCivil({1899, 12, 30});
  // Negative serials count days back but their fraction still means the time of day.
  const double whole = std::trunc(serial);
  long total_seconds = std::lround(std::fabs(serial - whole) * 86400.0);
  long days = static_cast<long>(whole);
  if (total_seconds >= 86400) {
    total_seconds -= 86400;
    days += serial < 0 ? -1 : 1;
  }
  const Date d = CivilFromDays(kEpoch + days);
  if (!IsValidDate(d.year, d.month, d.day)) return std::nullopt;
  DateTime t;
  t.date = d;
  t.has_time = total_seconds != 0;
  t.hour = static_cast<int>(total_seconds / 3600);
  t.minute = static_cast<int>(total_seconds / 60 % 60);
  t.second = static_cast<int>(total_seconds % 60);
  return t;
}

}  // namespace zel::text
