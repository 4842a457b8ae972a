// The general expression formatter behind GetFormat: picks the number, date or text layout
// a format text asks for and applies it to a value given as text.
#include <array>
#include <string>
#include <vector>

#include "text/calendar.h"
#include "text/number.h"
#include "text/strings.h"

namespace zel::text {
namespace {

constexpr std::array<std::string_view, 12> kMonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};
constexpr std::array<std::string_view, 7> kDayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                       "Thursday", "Friday", "Saturday"};

bool StartsNoCase(std::string_view s, size_t at, std::string_view prefix) {
  return at <= s.size() && StartsWithNoCase(s.substr(at), prefix);
}

std::string Pad2(int v) {
  std::string s = std::to_string(v);
  return s.size() < 2 ? "0" + s : s;
}

// What a format text asks for, judged from its codes outside quotes and escapes.
struct FormatKind {
  bool digits = false;  // "0" or "#"
  bool date = false;    // y m d h n s w q
  bool text = false;    // @ & < > !
};

FormatKind Classify(std::string_view fmt) {
  FormatKind k;
  for (size_t i = 0; i < fmt.size(); ++i) {
    const char c = AsciiLower(fmt[i]);
    if (c == '"') {
      const size_t end = fmt.find('"', i + 1);
      i = end == std::string_view::npos ? fmt.size() : end;
    } else if (c == '\\') {
      ++i;
    } else if (c == '0' || c == '#') {
      k.digits = true;
    } else if (c == 'y' || c == 'm' || c == 'd' || c == 'h' || c == 'n' || c == 's' || c == 'w' ||
               c == 'q') {
      k.date = true;
    } else if (c == '@' || c == '&' || c == '<' || c == '>' || c == '!') {
      k.text = true;
    }
  }
  return k;
}

// ---- dates ----

struct DateToken {
  enum Kind { kLiteral, kCode, kAmPm } kind;
  std::string text;  // the literal, or the code in lower case ("yyyy", "mm", "n"...)
};

std::vector<DateToken> TokenizeDate(std::string_view fmt) {
  std::vector<DateToken> out;
  for (size_t i = 0; i < fmt.size();) {
    const char c = fmt[i];
    const char lc = AsciiLower(c);
    if (c == '"') {
      const size_t end = fmt.find('"', i + 1);
      const size_t stop = end == std::string_view::npos ? fmt.size() : end;
      out.push_back({DateToken::kLiteral, std::string(fmt.substr(i + 1, stop - i - 1))});
      i = stop + 1;
    } else if (c == '\\') {
      const size_t n = i + 1 < fmt.size() ? CharSizeAt(fmt, i + 1) : 0;
      out.push_back({DateToken::kLiteral, std::string(fmt.substr(i + 1, n))});
      i += 1 + n;
    } else if (StartsNoCase(fmt, i, "am/pm") || StartsNoCase(fmt, i, "ampm")) {
      const size_t n = StartsNoCase(fmt, i, "ampm") ? 4 : 5;
      const bool upper = c == 'A';
      out.push_back({DateToken::kAmPm, upper ? "AM/PM" : "am/pm"});
      i += n;
    } else if (StartsNoCase(fmt, i, "a/p")) {
      out.push_back({DateToken::kAmPm, c == 'A' ? "A/P" : "a/p"});
      i += 3;
    } else if (lc == 'y' || lc == 'm' || lc == 'd' || lc == 'h' || lc == 'n' || lc == 's' ||
               lc == 'w' || lc == 'q') {
      size_t j = i;
      while (j < fmt.size() && AsciiLower(fmt[j]) == lc) ++j;
      out.push_back({DateToken::kCode, std::string(j - i, lc)});
      i = j;
    } else {
      const size_t n = CharSizeAt(fmt, i);
      out.push_back({DateToken::kLiteral, std::string(fmt.substr(i, n))});
      i += n;
    }
  }
  return out;
}

// Week number of `d` for the given first day of week (0 = Sunday) and first-week rule.
int WeekOfYear(const Date& d, int first_day, int first_week) {
  auto week1_start = [&](int year) {
    const long jan1 = DaysFromCivil({year, 1, 1});
    const int into = (Weekday({year, 1, 1}) - first_day + 7) % 7;  // days since week start
    if (first_week == 2) return into <= 3 ? jan1 - into : jan1 - into + 7;
    if (first_week == 3) return into == 0 ? jan1 : jan1 - into + 7;
    return jan1 - into;
  };
  const long day = DaysFromCivil(d);
  long start = week1_start(d.year);
  if (day < start) start = week1_start(d.year - 1);
  return static_cast<int>((day - start) / 7 + 1);
}

std::string FormatDate(const DateTime& t, std::string_view fmt, int first_day, int first_week) {
  const std::vector<DateToken> tokens = TokenizeDate(fmt);
  bool twelve_hour = false;
  for (const DateToken& tk : tokens) twelve_hour = twelve_hour || tk.kind == DateToken::kAmPm;

  auto code_at = [&](size_t i) -> std::string_view {
    return tokens[i].kind == DateToken::kCode ? std::string_view(tokens[i].text) : std::string_view();
  };
  // "m"/"mm" mean minutes right after an hour code or right before a seconds code, literals
  // in between allowed.
  auto is_minute = [&](size_t i) {
    for (size_t j = i; j-- > 0;) {
      if (tokens[j].kind != DateToken::kCode) continue;
      if (code_at(j)[0] == 'h') return true;
      break;
    }
    for (size_t j = i + 1; j < tokens.size(); ++j) {
      if (tokens[j].kind != DateToken::kCode) continue;
      return code_at(j)[0] == 's';
    }
    return false;
  };

  const Date& d = t.date;
  std::string out;
  for (size_t i = 0; i < tokens.size(); ++i) {
    const DateToken& tk = tokens[i];
    if (tk.kind == DateToken::kLiteral) {
      out += tk.text;
      continue;
    }
    if (tk.kind == DateToken::kAmPm) {
      const bool pm = t.hour >= 12;
      if (tk.text == "AM/PM") out += pm ? "PM" : "AM";
      else if (tk.text == "am/pm") out += pm ? "pm" : "am";
      else if (tk.text == "A/P") out += pm ? "P" : "A";
      else out += pm ? "p" : "a";
      continue;
    }
    const std::string& c = tk.text;
    const size_t n = c.size();
    switch (c[0]) {
      case 'y':
        if (n == 1) out += std::to_string(DaysFromCivil(d) - DaysFromCivil({d.year, 1, 1}) + 1);
        else if (n == 2) out += Pad2(d.year % 100);
        else {
          std::string y = std::to_string(d.year);
          out += std::string(y.size() < 4 ? 4 - y.size() : 0, '0') + y;
        }
        break;
      case 'q':
        out += std::to_string((d.month - 1) / 3 + 1);
        break;
      case 'm':
        if (n <= 2 && is_minute(i)) out += n == 1 ? std::to_string(t.minute) : Pad2(t.minute);
        else if (n == 1) out += std::to_string(d.month);
        else if (n == 2) out += Pad2(d.month);
        else if (n == 3) out += kMonthNames[static_cast<size_t>(d.month - 1)].substr(0, 3);
        else out += kMonthNames[static_cast<size_t>(d.month - 1)];
        break;
      case 'd':
        if (n == 1) out += std::to_string(d.day);
        else if (n == 2) out += Pad2(d.day);
        else if (n == 3) out += kDayNames[static_cast<size_t>(Weekday(d))].substr(0, 3);
        else if (n == 4) out += kDayNames[static_cast<size_t>(Weekday(d))];
        else {
          // The short (and long) date of the Korean locale: year first, dashes.
          out += FormatDate(t, "yyyy-mm-dd", first_day, first_week);
        }
        break;
      case 'w':
        if (n == 1) out += std::to_string((Weekday(d) - first_day + 7) % 7 + 1);
        else out += std::to_string(WeekOfYear(d, first_day, first_week));
        break;
      case 'h': {
        int h = t.hour;
        if (twelve_hour) h = h % 12 == 0 ? 12 : h % 12;
        out += n == 1 ? std::to_string(h) : Pad2(h);
        break;
      }
      case 'n':
        out += n == 1 ? std::to_string(t.minute) : Pad2(t.minute);
        break;
      case 's':
        out += n == 1 ? std::to_string(t.second) : Pad2(t.second);
        break;
    }
  }
  return out;
}

// ---- text layouts (@ & < > !) ----

std::string FormatText(std::string_view value, std::string_view fmt) {
  std::string v(value);
  bool left_to_right = false;
  size_t places = 0;
  for (size_t i = 0; i < fmt.size(); ++i) {
    const char c = fmt[i];
    if (c == '"') {
      const size_t end = fmt.find('"', i + 1);
      i = end == std::string_view::npos ? fmt.size() : end;
    } else if (c == '\\') {
      ++i;
    } else if (c == '<') {
      v = LCase(v);
    } else if (c == '>') {
      v = UCase(v);
    } else if (c == '!') {
      left_to_right = true;
    } else if (c == '@' || c == '&') {
      ++places;
    }
  }
  std::vector<std::string_view> chars;
  for (size_t pos = 0; pos < v.size(); pos += CharSizeAt(v, pos))
    chars.push_back(std::string_view(v).substr(pos, CharSizeAt(v, pos)));
  if (places == 0) return v;

  // Placeholder k (0-based from the left) takes character `offset + k`; characters with no
  // placeholder go out at the first (right-to-left fill) or the last (left-to-right) one.
  const long offset = left_to_right ? 0 : static_cast<long>(chars.size()) - static_cast<long>(places);
  std::string out;
  size_t k = 0;
  for (size_t i = 0; i < fmt.size(); ++i) {
    const char c = fmt[i];
    if (c == '"') {
      const size_t end = fmt.find('"', i + 1);
      const size_t stop = end == std::string_view::npos ? fmt.size() : end;
      out += fmt.substr(i + 1, stop - i - 1);
      i = stop;
    } else if (c == '\\') {
      if (i + 1 < fmt.size()) {
        const size_t n = CharSizeAt(fmt, i + 1);
        out += fmt.substr(i + 1, n);
        i += n;
      }
    } else if (c == '<' || c == '>' || c == '!') {
      continue;
    } else if (c == '@' || c == '&') {
      const long idx = offset + static_cast<long>(k);
      if (k == 0 && !left_to_right)
        for (long j = 0; j < idx; ++j) out += chars[static_cast<size_t>(j)];
      if (idx >= 0 && idx < static_cast<long>(chars.size())) out += chars[static_cast<size_t>(idx)];
      else if (c == '@') out += ' ';
      if (k + 1 == places && left_to_right)
        for (size_t j = places; j < chars.size(); ++j) out += chars[j];
      ++k;
    } else {
      const size_t n = CharSizeAt(fmt, i);
      out += fmt.substr(i, n);
      i += n - 1;
    }
  }
  return out;
}

// ---- named formats ----

// The layout a named format stands for; empty when `fmt` is no name.
std::string_view NamedFormat(std::string_view fmt) {
  struct Named {
    std::string_view name, layout;
  };
  static constexpr Named kNames[] = {
      {"Currency", "₩#,##0;-₩#,##0"}, {"Fixed", "0.00"},
      {"Standard", "#,##0.00"},            {"Percent", "0.00%"},
      {"Scientific", "0.00E+00"},          {"Long Date", "yyyy-mm-dd dddd"},
      {"Medium Date", "yy-mmm-dd"},        {"Short Date", "yyyy-mm-dd"},
      {"Long Time", "hh:nn:ss AM/PM"},     {"Medium Time", "hh:nn AM/PM"},
      {"Short Time", "hh:nn"},
  };
  for (const Named& n : kNames)
    if (EqualsNoCase(fmt, n.name)) return n.layout;
  return {};
}

bool ParseNumberLoose(std::string_view value, double* v) {
  if (IsNumeric(value)) {
    *v = Val(value);
    return true;
  }
  // "1,234.5": group commas between digits are accepted as the platform's formatter does.
  std::string plain;
  const std::string_view t = TrimView(value);
  for (size_t i = 0; i < t.size(); ++i) {
    const bool digit_around = i > 0 && i + 1 < t.size() && t[i - 1] >= '0' && t[i - 1] <= '9' &&
                              t[i + 1] >= '0' && t[i + 1] <= '9';
    if (t[i] == ',' && digit_around) continue;
    plain.push_back(t[i]);
  }
  if (plain.size() == t.size() || !IsNumeric(plain)) return false;
  *v = Val(plain);
  return true;
}

}  // namespace

std::string Format(std::string_view value, std::string_view fmt, int firstDayOfWeek,
                   int firstWeekOfYear) {
  if (fmt.empty()) return std::string(value);
  const int first_day = firstDayOfWeek >= 1 && firstDayOfWeek <= 7 ? firstDayOfWeek - 1 : 0;
  const int first_week = firstWeekOfYear >= 1 && firstWeekOfYear <= 3 ? firstWeekOfYear : 1;

  double number = 0;
  const bool numeric = ParseNumberLoose(value, &number);
  if (EqualsNoCase(fmt, "General Number")) return numeric ? NumberToText(number) : std::string(value);
  if (EqualsNoCase(fmt, "Yes/No") || EqualsNoCase(fmt, "True/False") || EqualsNoCase(fmt, "On/Off")) {
    if (!numeric) return std::string(value);
    const bool on = number != 0;
    if (EqualsNoCase(fmt, "Yes/No")) return on ? "Yes" : "No";
    if (EqualsNoCase(fmt, "True/False")) return on ? "True" : "False";
    return on ? "On" : "Off";
  }
  if (EqualsNoCase(fmt, "General Date")) {
    std::optional<DateTime> t = ParseDateText(value);
    if (!t && numeric) t = FromSerial(number);
    if (!t) return std::string(value);
    std::string layout;
    if (t->has_date) layout = "yyyy-mm-dd";
    if (t->has_time) layout += layout.empty() ? "hh:nn:ss" : " hh:nn:ss";
    return FormatDate(*t, layout, first_day, first_week);
  }
  if (std::string_view named = NamedFormat(fmt); !named.empty()) fmt = named;

  const FormatKind kind = Classify(fmt);
  if (kind.digits) return numeric ? FormatNumber(number, fmt) : std::string(value);
  if (kind.date) {
    std::optional<DateTime> t = ParseDateText(value);
    if (!t && numeric) t = FromSerial(number);
    if (!t) return std::string(value);
    if (!t->has_date) t->date = {1899, 12, 30};
    return FormatDate(*t, fmt, first_day, first_week);
  }
  if (kind.text) return FormatText(value, fmt);
  return numeric ? FormatNumber(number, fmt) : std::string(value);
}

}  // namespace zel::text
