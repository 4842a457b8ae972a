// The shortest decimal text of a double (NumberToText, WriteNumberText in text/number.h).
//
// The general shortest-digits search costs tens of nanoseconds per number, which dominates
// writing the save text of a large sheet; the values a sheet holds are nearly always amounts
// with a few decimals, for which the same text can be found and proven exact with a handful
// of multiplications. The general search stays for the rest.
//
// Why the fast path gives the same text as the shortest-digits search. Let a = |v| and look
// for the smallest k (0..6) for which some decimal with k fraction digits reads back as v.
// Reading back is correctly rounded, so the decimal m / 10^k reads back as v exactly when the
// correctly rounded quotient of the exact integers m and 10^k equals v, which one IEEE
// division decides. While a * 10^k stays below 2^50, the spacing of doubles near a is less
// than a quarter of 10^-k: at most one k-digit decimal can read back as v, and if one does,
// the rounded product a * 10^k lies within 3/16 of its m, so rounding the product finds it.
// Hence the first k that passes the check gives the only, and shortest, text; every fewer
// number of fraction digits was tried and has no decimal that reads back. Below 10^9 every
// k up to 6 is in range, and a k-digit decimal is also a 6-digit one, so a single check at
// k = 6 finds the decimal, and dropping its fraction's trailing zeros gives the shortest
// text. Values outside the range, or needing more digits, take the general path.
#include "text/number.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace zel::text {
namespace {

constexpr double kPow10[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6};
constexpr int kMaxFraction = 6;
constexpr double kProductLimit = 1125899906842624.0;  // 2^50
// Below this, a * 10^6 stays below 2^50.
constexpr double kSixDigitsLimit = 1e9;

constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Writes the decimal digits of n (n < 10^16), at least `minDigits` of them (zeros in
// front), and returns the end.
[[gnu::always_inline]] inline char* WriteDigits(char* out, uint64_t n, int minDigits) {
  // Number of digits from the bit length: log10(2) ~ 1233 / 4096, then one correction.
  static constexpr uint64_t kPowers[] = {1, 10, 100, 1000, 10000, 100000, 1000000,
                                         10000000, 100000000, 1000000000, 10000000000,
                                         100000000000, 1000000000000, 10000000000000,
                                         100000000000000, 1000000000000000,
                                         10000000000000000};
  const int t = (std::bit_width(n | 1) * 1233) >> 12;
  int len = t + (n >= kPowers[t] ? 1 : 0);
  if (len < minDigits) len = minDigits;
  char* p = out + len;
  while (n >= 100) {
    const size_t pair = static_cast<size_t>(n % 100) * 2;
    n /= 100;
    *--p = kDigitPairs[pair + 1];
    *--p = kDigitPairs[pair];
  }
  if (n >= 10) {
    const size_t pair = static_cast<size_t>(n) * 2;
    *--p = kDigitPairs[pair + 1];
    *--p = kDigitPairs[pair];
  } else {
    *--p = static_cast<char>('0' + n);
  }
  while (p > out) *--p = '0';
  return out + len;
}

// Writes the six fraction digits f (0 < f < 10^6) without their trailing zeros, and returns
// the end. Amounts with at most two decimals (f a multiple of 10^4) take one digit pair.
[[gnu::always_inline]] inline char* WriteSixFractionDigits(char* out, uint32_t f) {
  if (f % 10000 == 0) {
    const size_t pair = static_cast<size_t>(f / 10000) * 2;
    out[0] = kDigitPairs[pair];
    out[1] = kDigitPairs[pair + 1];
    return out + (out[1] == '0' ? 1 : 2);
  }
  char* end = WriteDigits(out, f, 6);
  while (end[-1] == '0') --end;
  return end;
}

// The general search: fixed notation from 1e-6 to 1e21, the shorter of the two beyond.
char* WriteGeneral(char* out, double v) {
  auto put = [out](std::string_view text) {
    std::memcpy(out, text.data(), text.size());
    return out + text.size();
  };
  if (std::isnan(v)) return put("NaN");
  if (std::isinf(v)) return put(v < 0 ? "-Infinity" : "Infinity");
  const double a = std::fabs(v);
  const auto fmt = a >= 1e-6 && a < 1e21 ? std::chars_format::fixed : std::chars_format::general;
  return std::to_chars(out, out + kNumberTextMax, v, fmt).ptr;
}

}  // namespace

char* WriteNumberText(char* out, double v) {
  if (v == 0) {  // -0 included
    *out = '0';
    return out + 1;
  }
  const double a = std::fabs(v);
  if (!(a >= 1e-6 && a < 1e15)) return WriteGeneral(out, v);  // NaN fails the test too
  const uint64_t whole = static_cast<uint64_t>(a);
  if (static_cast<double>(whole) == a) {  // a whole number: its digits are its text
    if (v < 0) *out++ = '-';
    return WriteDigits(out, whole, 1);
  }
  if (a < kSixDigitsLimit) {
    // Every k up to 6 has its product below 2^50, and a k-digit decimal is also a six-digit
    // one: the only six-digit candidate decides for all k.
    const uint64_t m = static_cast<uint64_t>(a * kPow10[kMaxFraction] + 0.5);
    if (static_cast<double>(m) / kPow10[kMaxFraction] != a) return WriteGeneral(out, v);
    // m is not a multiple of 10^6 (a is not whole), so some fraction digit is not zero.
    if (v < 0) *out++ = '-';
    out = WriteDigits(out, m / 1000000, 1);
    *out++ = '.';
    return WriteSixFractionDigits(out, static_cast<uint32_t>(m % 1000000));
  }
  for (int k = 1; k <= kMaxFraction; ++k) {
    const double product = a * kPow10[k];
    if (product >= kProductLimit) break;
    const uint64_t m = static_cast<uint64_t>(product + 0.5);
    // A decimal that reads back lies within 3/16 of the product (above): the division is
    // needed only near an integer.
    if (std::fabs(product - static_cast<double>(m)) > 0.1875) continue;
    if (static_cast<double>(m) / kPow10[k] != a) continue;
    // The digits of m with at least one before the point, then the last k moved right to
    // make room for it.
    if (v < 0) *out++ = '-';
    char* end = WriteDigits(out, m, k + 1);
    for (int i = 0; i < k; ++i) end[-i] = end[-i - 1];
    end[-k] = '.';
    return end + 1;
  }
  return WriteGeneral(out, v);
}

}  // namespace zel::text
