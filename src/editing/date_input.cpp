#include "editing/date_input.h"

#include <optional>
#include <vector>

#include "text/calendar.h"
#include "text/number.h"
#include "text/strings.h"

namespace zel::internal {

namespace {

bool IsSeparator(char c) {
  return c == ':' || c == '-' || c == ';' || c == '/' || c == '.' || c == ',';
}

// The parts of `t` between separators (every separator ends a part, so "1--2" has an empty
// middle part).
std::vector<std::string_view> SplitParts(std::string_view t) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  for (size_t i = 0; i < t.size(); ++i) {
    if (IsSeparator(t[i])) {
      parts.push_back(t.substr(start, i - start));
      start = i + 1;
    }
  }
  parts.push_back(t.substr(start));
  return parts;
}

// A year part made four characters long; nullopt for a 3-character year.
std::optional<std::string> YearText(std::string_view y, std::string_view thisYear) {
  const int32_t len = text::Len(y);
  std::string year;
  if (len == 3) return std::nullopt;
  if (len > 2) {
    year = text::Right(y, 4);
  } else if (len == 1) {
    year = "0" + std::string(y);
  } else {
    year = std::string(y);
  }
  if (text::Len(year) == 2) {
    // Two digits: from 50 up the century of today, below it the 2000s.
    year = (text::Val(year) >= 50 ? text::Left(thisYear, 2) : std::string("20")) + year;
  }
  return year;
}

// A month or day part made two characters long.
std::string PairText(std::string_view m) {
  const int32_t len = text::Len(m);
  if (len >= 2) return text::Right(m, 2);
  if (len == 1) return "0" + std::string(m);
  return {};
}

// The value of a text made only of ASCII digits; -1 for anything else (empty included).
int DigitsValue(std::string_view s) {
  if (s.empty() || s.size() > 4) return -1;
  int v = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return -1;
    v = v * 10 + (c - '0');
  }
  return v;
}

}  // namespace

DateRepair RepairDateInput(std::string_view input, DateInputMode mode, std::string_view today) {
  const bool dateMode = mode == DateInputMode::kDate;
  const std::string t = text::Trim(text::Replace(input, "\r\n", ""));
  if (t.empty()) return {};

  DateRepair refused;
  refused.outcome = DateRepair::kRefused;
  const int32_t length = text::Len(t);
  if (length > (dateMode ? 10 : 7)) return refused;
  const std::vector<std::string_view> parts = SplitParts(t);
  if (parts.size() > (dateMode ? 3u : 2u)) return refused;

  const std::string thisYear = text::Left(today, 4);
  const std::string thisMonth = text::Mid(today, 5, 2);

  std::string_view y, m, d;
  const int32_t p0 = text::Len(parts[0]);
  if (dateMode) {
    if (parts.size() == 3) {
      if (p0 == 3 || text::Len(parts[1]) >= 3 || text::Len(parts[2]) >= 3) return refused;
      y = parts[0];
      m = parts[1];
      d = parts[2];
    } else if (parts.size() == 2) {
      if (p0 >= 3 || text::Len(parts[1]) >= 3) return refused;
      y = thisYear;
      m = parts[0];
      d = parts[1];
    } else if (p0 == 8) {
      y = text::MidView(t, 1, 4);
      m = text::MidView(t, 5, 2);
      d = text::MidView(t, 7, 2);
    } else if (p0 == 5 || p0 == 6) {
      y = text::LeftView(t, p0 - 4);
      m = text::MidView(t, p0 - 3, 2);
      d = text::MidView(t, p0 - 1, 2);
    } else if (p0 == 3 || p0 == 4) {
      y = thisYear;
      m = text::LeftView(t, p0 - 2);
      d = text::RightView(t, 2);
    } else if (p0 == 1 || p0 == 2) {
      y = thisYear;
      m = thisMonth;
      d = t;
    } else {
      return refused;  // 7 digits, or 9 and 10
    }
  } else {
    if (parts.size() == 2) {
      if (p0 == 3 || text::Len(parts[1]) >= 3) return refused;
      y = parts[0];
      m = parts[1];
    } else if (p0 >= 3 && p0 <= 6) {
      y = text::LeftView(t, p0 - 2);
      m = text::RightView(t, 2);
    } else if (p0 == 1 || p0 == 2) {
      y = thisYear;
      m = t;
    } else {
      return refused;  // 7 characters
    }
    d = "01";
  }

  const std::optional<std::string> year = YearText(y, thisYear);
  if (!year) return refused;
  const std::string month = PairText(m);
  const std::string day = PairText(d);
  const int yv = DigitsValue(*year);
  const int mv = DigitsValue(month);
  const int dv = DigitsValue(day);
  if (year->size() != 4 || yv < 0 || mv < 0 || dv < 0 || !text::IsValidDate(yv, mv, dv)) {
    return refused;
  }

  DateRepair repaired;
  repaired.outcome = DateRepair::kRepaired;
  repaired.text = dateMode ? day + "-" + month + "-" + *year : month + "-" + *year;
  return repaired;
}

}  // namespace zel::internal
