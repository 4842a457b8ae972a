#include "text/number.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <vector>

#include "text/strings.h"

namespace zel::text {
namespace {

bool IsDigit(char c) noexcept { return c >= '0' && c <= '9'; }

// Length of the number at the start of `s` as Val reads it (sign, digits, point, digits,
// exponent); 0 when there is none. `digits` receives whether a mantissa digit was seen.
size_t ScanNumber(std::string_view s, bool* digits) noexcept {
  size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  size_t mantissa_digits = 0;
  while (i < s.size() && IsDigit(s[i])) ++i, ++mantissa_digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && IsDigit(s[i])) ++i, ++mantissa_digits;
  }
  *digits = mantissa_digits > 0;
  if (!*digits) return 0;
  // The exponent counts only when digits follow it: "3e" and "3e+" read as 3.
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    if (j < s.size() && IsDigit(s[j])) {
      while (j < s.size() && IsDigit(s[j])) ++j;
      i = j;
    }
  }
  return i;
}

// A finite non-negative number as decimal digits: value = 0.d1d2d3... * 10^point. No leading
// or trailing zeros in `digits`; zero is digits "" (point irrelevant).
struct Decimal {
  std::string digits;
  int point = 0;
};

Decimal ToDecimal(double v) {
  Decimal d;
  v = std::fabs(v);
  if (v == 0 || !std::isfinite(v)) return d;
  char buf[64];
  const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific);
  const std::string_view text(buf, static_cast<size_t>(res.ptr - buf));  // "d.ddde+xx"
  const size_t e = text.find('e');
  for (char c : text.substr(0, e))
    if (IsDigit(c)) d.digits.push_back(c);
  int exp = 0;
  std::string_view ex = text.substr(e + 1);
  if (!ex.empty() && ex.front() == '+') ex.remove_prefix(1);
  std::from_chars(ex.data(), ex.data() + ex.size(), exp);
  d.point = exp + 1;
  while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
  return d;
}

enum class Rounding { kHalfAwayFromZero, kHalfEven };

// Keeps `keep` leading digits (keep may be <= 0 or beyond the digits).
void RoundDigits(Decimal& d, long keep, Rounding mode) {
  if (d.digits.empty() || keep >= static_cast<long>(d.digits.size())) return;
  if (keep < 0) {
    d.digits.clear();
    return;
  }
  const size_t k = static_cast<size_t>(keep);
  bool up = d.digits[k] > '5';
  if (d.digits[k] == '5') {
    const bool exact_half = k + 1 == d.digits.size();  // no trailing zeros are stored
    up = mode == Rounding::kHalfAwayFromZero || !exact_half ||
         (k > 0 && (d.digits[k - 1] - '0') % 2 == 1);
  }
  d.digits.resize(k);
  if (up) {
    size_t i = k;
    while (i > 0 && d.digits[i - 1] == '9') --i;
    if (i == 0) {
      d.digits = "1";
      ++d.point;
    } else {
      d.digits.resize(i);
      ++d.digits[i - 1];
    }
  }
  while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
}

// Digit `index` of the digit string, counted from its first digit; zeros beyond it.
char DigitAt(const Decimal& d, long index) {
  if (index < 0 || index >= static_cast<long>(d.digits.size())) return '0';
  return d.digits[static_cast<size_t>(index)];
}

template <typename Int>
Int ToInteger(double v, const char* what) {
  if (std::isnan(v)) throw std::overflow_error(what);
  const double f = std::floor(v);
  const double frac = v - f;
  const double r = frac > 0.5 ? f + 1 : frac < 0.5 ? f : std::fmod(f, 2.0) == 0 ? f : f + 1;
  if (!(r >= static_cast<double>(std::numeric_limits<Int>::min()) &&
        r <= static_cast<double>(std::numeric_limits<Int>::max())))
    throw std::overflow_error(what);
  return static_cast<Int>(r);
}

// ---- numeric format texts ----

struct Token {
  enum Kind { kLiteral, kDigit, kPoint, kComma, kPercent, kExponent } kind;
  std::string text;  // literal text, "0"/"#" for digits, "E+"/"e-"... for the exponent
};

std::vector<Token> Tokenize(std::string_view fmt) {
  std::vector<Token> out;
  for (size_t i = 0; i < fmt.size(); ++i) {
    const char c = fmt[i];
    if (c == '"') {
      const size_t end = fmt.find('"', i + 1);
      const size_t stop = end == std::string_view::npos ? fmt.size() : end;
      out.push_back({Token::kLiteral, std::string(fmt.substr(i + 1, stop - i - 1))});
      i = stop;
    } else if (c == '\\') {
      if (i + 1 < fmt.size()) {
        const size_t n = CharSizeAt(fmt, i + 1);
        out.push_back({Token::kLiteral, std::string(fmt.substr(i + 1, n))});
        i += n;
      }
    } else if (c == '0' || c == '#') {
      out.push_back({Token::kDigit, std::string(1, c)});
    } else if (c == '.') {
      out.push_back({Token::kPoint, "."});
    } else if (c == ',') {
      out.push_back({Token::kComma, ","});
    } else if (c == '%') {
      out.push_back({Token::kPercent, "%"});
    } else if ((c == 'E' || c == 'e') && i + 2 < fmt.size() && (fmt[i + 1] == '+' || fmt[i + 1] == '-') &&
               (fmt[i + 2] == '0' || fmt[i + 2] == '#')) {
      out.push_back({Token::kExponent, std::string(fmt.substr(i, 2))});
      ++i;
    } else {
      const size_t n = CharSizeAt(fmt, i);
      out.push_back({Token::kLiteral, std::string(fmt.substr(i, n))});
      i += n - 1;
    }
  }
  return out;
}

std::vector<std::string_view> Sections(std::string_view fmt) {
  std::vector<std::string_view> out;
  size_t begin = 0;
  bool quoted = false;
  for (size_t i = 0; i < fmt.size(); ++i) {
    if (fmt[i] == '"') quoted = !quoted;
    else if (!quoted && fmt[i] == '\\') ++i;
    else if (!quoted && fmt[i] == ';') {
      out.push_back(fmt.substr(begin, i - begin));
      begin = i + 1;
    }
  }
  out.push_back(fmt.substr(std::min(begin, fmt.size())));
  return out;
}

// Formats |v| with one section; `negative_sign` asks for a leading "-" (dropped when the
// shown value is zero).
std::string FormatSection(double v, const std::vector<Token>& tokens, bool negative_sign) {
  // Layout of the section: where the point and the exponent stand, how the integer
  // placeholders and commas lie.
  size_t point_at = tokens.size(), exp_at = tokens.size();
  for (size_t i = 0; i < tokens.size(); ++i) {
    if (tokens[i].kind == Token::kPoint && point_at == tokens.size() && exp_at == tokens.size())
      point_at = i;
    if (tokens[i].kind == Token::kExponent && exp_at == tokens.size()) exp_at = i;
  }
  const size_t int_end = std::min(point_at, exp_at);
  std::vector<size_t> int_digits, frac_digits, exp_digits;
  for (size_t i = 0; i < tokens.size(); ++i) {
    if (tokens[i].kind != Token::kDigit) continue;
    if (i < int_end) int_digits.push_back(i);
    else if (i < exp_at) frac_digits.push_back(i);
    else exp_digits.push_back(i);
  }
  bool grouping = false;
  int scale_thousands = 0;
  int percents = 0;
  for (size_t i = 0; i < tokens.size(); ++i) {
    if (tokens[i].kind == Token::kPercent) ++percents;
    if (tokens[i].kind != Token::kComma || i >= int_end) continue;
    const bool digit_before = !int_digits.empty() && int_digits.front() < i;
    const bool digit_after = !int_digits.empty() && int_digits.back() > i;
    if (digit_before && digit_after) grouping = true;
    else if (digit_before) ++scale_thousands;
  }

  for (int i = 0; i < percents; ++i) v *= 100;
  for (int i = 0; i < scale_thousands; ++i) v /= 1000;

  Decimal d = ToDecimal(v);
  long exponent = 0;
  const bool scientific = exp_at < tokens.size();
  if (scientific && !d.digits.empty()) {
    // The mantissa shows as many integer digits as there are integer placeholders (at least
    // one digit when there are none, as 0.5E+00 would waste the first place).
    const long int_places = std::max<long>(1, static_cast<long>(int_digits.size()));
    RoundDigits(d, int_places + static_cast<long>(frac_digits.size()), Rounding::kHalfAwayFromZero);
    exponent = d.point - int_places;
    d.point = static_cast<int>(int_places);
  } else {
    RoundDigits(d, d.point + static_cast<long>(frac_digits.size()), Rounding::kHalfAwayFromZero);
  }

  // Integer digits, padded to the "0" placeholders: the first "0" from the left fixes how
  // many digits always show.
  std::string int_text;
  if (!d.digits.empty())
    for (long i = 0; i < d.point; ++i) int_text.push_back(DigitAt(d, i));
  size_t min_digits = 0;
  for (size_t k = 0; k < int_digits.size(); ++k) {
    if (tokens[int_digits[k]].text == "0") {
      min_digits = int_digits.size() - k;
      break;
    }
  }
  if (int_text.size() < min_digits) int_text.insert(0, min_digits - int_text.size(), '0');

  // Fraction digits; "#" places at the end drop their zeros.
  std::string frac_text;
  for (size_t k = 0; k < frac_digits.size(); ++k)
    frac_text.push_back(DigitAt(d, d.point + static_cast<long>(k)));
  size_t frac_shown = frac_text.size();
  while (frac_shown > 0 && tokens[frac_digits[frac_shown - 1]].text == "#" &&
         frac_text[frac_shown - 1] == '0')
    --frac_shown;

  std::string out;
  const bool shown_zero = d.digits.empty();
  if (negative_sign && !shown_zero) out.push_back('-');
  const size_t n_int = int_digits.size();
  size_t frac_k = 0, exp_k = 0;
  std::string exp_text = std::to_string(std::labs(exponent));
  size_t exp_min = 0;
  for (size_t idx : exp_digits)
    if (tokens[idx].text == "0") ++exp_min;
  if (exp_text.size() < exp_min) exp_text.insert(0, exp_min - exp_text.size(), '0');

  for (size_t i = 0; i < tokens.size(); ++i) {
    const Token& t = tokens[i];
    switch (t.kind) {
      case Token::kLiteral:
        out += t.text;
        break;
      case Token::kPercent:
        out += '%';
        break;
      case Token::kPoint:
        // With no integer placeholder the integer digits still show, before the point.
        if (i == point_at && n_int == 0) out += int_text;
        out += '.';
        break;
      case Token::kComma:
        if (i >= int_end) out += ',';  // a comma among the decimals is a plain character
        break;
      case Token::kExponent:
        out += t.text[0];
        if (exponent < 0) out += '-';
        else if (t.text[1] == '+') out += '+';
        break;
      case Token::kDigit:
        if (i < int_end) {
          // Placeholder k (from the left) takes the digit `n_int - 1 - k` places from the
          // right; the first one also takes every digit that has no placeholder.
          size_t k = 0;
          while (int_digits[k] != i) ++k;
          const size_t from_right = n_int - 1 - k;
          const size_t len = int_text.size();
          size_t first = len, last = len;  // digit range [first, last) shown here
          if (len > from_right) {
            last = len - from_right;
            first = k == 0 ? 0 : last - 1;
          }
          for (size_t j = first; j < last; ++j) {
            out += int_text[j];
            const size_t pos = len - 1 - j;  // 0 for the units digit
            if (grouping && pos > 0 && pos % 3 == 0) out += ',';
          }
        } else if (i < exp_at) {
          if (frac_k < frac_shown) out += frac_text[frac_k];
          ++frac_k;
        } else {
          // All exponent digits go out at the first exponent placeholder.
          if (exp_k++ == 0) out += exp_text;
        }
        break;
    }
  }
  return out;
}

}  // namespace

double Val(std::string_view s) noexcept {
  s = LTrimView(s);
  bool digits = false;
  const size_t len = ScanNumber(s, &digits);
  if (len == 0) return 0;
  std::string_view num = s.substr(0, len);
  const bool negative = num.front() == '-';
  if (num.front() == '+' || num.front() == '-') num.remove_prefix(1);
  double v = 0;
  const auto res = std::from_chars(num.data(), num.data() + num.size(), v);
  if (res.ec == std::errc::result_out_of_range) {
    // Tell overflow from underflow by the magnitude: integer digits plus the exponent.
    const size_t e = num.find_first_of("eE");
    std::string_view mant = num.substr(0, e);
    long mag = 0;
    const size_t first = mant.find_first_not_of("0.");
    const size_t pt = mant.find('.');
    if (first != std::string_view::npos) {
      const long int_end = static_cast<long>(pt == std::string_view::npos ? mant.size() : pt);
      mag = int_end - static_cast<long>(first);
      if (pt != std::string_view::npos && first > pt) ++mag;
    }
    if (e != std::string_view::npos) {
      std::string_view ex = num.substr(e + 1);
      const bool neg_exp = !ex.empty() && ex.front() == '-';
      if (!ex.empty() && (ex.front() == '+' || ex.front() == '-')) ex.remove_prefix(1);
      // Beyond about 1e6 the exact exponent no longer matters.
      long x = 0;
      for (char c : ex) x = std::min<long>(x * 10 + (c - '0'), 1000000);
      mag += neg_exp ? -x : x;
    }
    v = mag > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return negative ? -v : v;
}

bool IsNumeric(std::string_view s) noexcept {
  s = TrimView(s);
  bool digits = false;
  return !s.empty() && ScanNumber(s, &digits) == s.size() && digits;
}

int16_t CInt(double v) { return ToInteger<int16_t>(v, "CInt: value out of the 16-bit range"); }
int32_t CLng(double v) { return ToInteger<int32_t>(v, "CLng: value out of the 32-bit range"); }

double RoundHalfEven(double v, int decimals) {
  if (!std::isfinite(v) || decimals < 0) return v;
  Decimal d = ToDecimal(v);
  RoundDigits(d, d.point + static_cast<long>(decimals), Rounding::kHalfEven);
  if (d.digits.empty()) return 0.0;
  std::string text = "0." + d.digits + "e" + std::to_string(d.point);
  double r = 0;
  std::from_chars(text.data(), text.data() + text.size(), r);
  return v < 0 ? -r : r;
}

std::string NumberToText(double v) {
  char buf[kNumberTextMax];
  return std::string(buf, WriteNumberText(buf, v));
}

std::string FormatNumber(double v, std::string_view fmt) {
  if (!std::isfinite(v)) return NumberToText(v);
  const std::vector<std::string_view> sections = Sections(fmt);
  std::string_view section = sections[0];
  bool sign = v < 0;
  if (sections.size() >= 2 && v < 0 && !sections[1].empty()) {
    section = sections[1];
    sign = false;
  } else if (sections.size() >= 3 && v == 0 && !sections[2].empty()) {
    section = sections[2];
  }
  return FormatSection(std::fabs(v), Tokenize(section), sign);
}

}  // namespace zel::text
