// Fast exact decimal text of a double: see number_text.h.
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
// k = 6 finds the decimal and its trailing zeros give the shortest k. Values outside the
// range, or needing more digits, take the general path.
//
// Digits are made eight at a time inside a 64-bit word and stored with fixed-size moves:
// the writers may use the whole kNumberTextMax bytes of room, beyond the text they return.
#include "exchange/number_text.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "text/number.h"

namespace zel::internal {
namespace {

constexpr double kPow10[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6};
constexpr int kMaxFraction = 6;
constexpr double kProductLimit = 1125899906842624.0;  // 2^50
// Below this, a * 10^6 stays below 2^50.
constexpr double kSixDigitsLimit = 1e9;

// The eight decimal digits of n (n < 10^8, zeros in front) as eight bytes 0..9, the first
// digit in the lowest byte: the number is split into halves, quarters and single digits
// inside one word (each division by a multiplication and a shift that is exact in range),
// so no loop and no branch depends on the number's length.
uint64_t EightDigits(uint32_t n) {
  uint64_t x = (n / 10000) | (static_cast<uint64_t>(n % 10000) << 32);
  uint64_t q = ((x * 10486) >> 20) & 0x0000007F0000007FULL;  // each half / 100
  x = q | ((x - q * 100) << 16);
  q = ((x * 103) >> 10) & 0x000F000F000F000FULL;  // each quarter / 10
  return q | ((x - q * 10) << 8);
}

// The sixteen digits of a number below 10^16 (zeros in front) as text at text[0..16),
// followed by sixteen spare bytes so that any 16 bytes from inside the digits can be moved
// in one step.
struct Digits {
  explicit Digits(uint64_t n) {
    const uint64_t high = EightDigits(static_cast<uint32_t>(n / 100000000));
    const uint64_t low = EightDigits(static_cast<uint32_t>(n % 100000000));
    constexpr uint64_t kZeros = 0x3030303030303030ULL;  // '0' in every byte
    const uint64_t words[4] = {high + kZeros, low + kZeros, 0, 0};
    std::memcpy(text, words, sizeof words);
    // Leading zero digits are the low zero bytes of the words (the last digit always
    // counts, so the low word is never taken as all zeros); trailing ones the high zero
    // bytes of the low word.
    length = high != 0 ? 16 - std::countr_zero(high) / 8
                       : 8 - std::countr_zero(low | (uint64_t{1} << 56)) / 8;
    trailing_zeros = low == 0 ? 8 : std::countl_zero(low) / 8;
  }
  char text[32];
  int length;          // digits without the leading zeros; 1 for 0
  int trailing_zeros;  // zero digits at the end, counted among the last eight
};

// Writes the digits of n (n < 10^16) and returns the end; may use 16 bytes at `out`.
char* WriteWhole(char* out, uint64_t n) {
  const Digits d(n);
  std::memcpy(out, d.text + 16 - d.length, 16);
  return out + d.length;
}

// Writes m / 10^places (m < 10^16, 1 <= places <= 6) with its first `kept` fraction digits
// (the rest must be zeros) and at least one digit before the point, and returns the end;
// may use 24 bytes at `out`.
char* WriteFraction(char* out, const Digits& m, int places, int kept) {
  const int len = m.length > places ? m.length : places + 1;
  std::memcpy(out, m.text + 16 - len, 16);              // the whole part, and more
  out[len - places] = '.';
  std::memcpy(out + len - places + 1, m.text + 16 - places, 8);  // the fraction, and more
  return out + len - places + 1 + kept;
}

char* WriteGeneral(char* out, double v) {
  const std::string text = text::NumberToText(v);
  std::memcpy(out, text.data(), text.size());
  return out + text.size();
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
  if (v < 0) *out++ = '-';
  if (static_cast<double>(whole) == a) return WriteWhole(out, whole);  // its digits are its text
  if (a < kSixDigitsLimit) {
    // Every k up to 6 has its product below 2^50, so the one six-digit decimal that can read
    // back is m6 = round(a * 10^6), and a k-digit decimal that reads back is that same
    // number: m6 then ends in 6 - k zeros. One check decides for all k, and the shortest
    // text is m6 without its trailing zeros (a is not whole, so at least one digit stays).
    const double product = a * kPow10[kMaxFraction];
    const uint64_t m = static_cast<uint64_t>(product + 0.5);
    if (static_cast<double>(m) / kPow10[kMaxFraction] == a) {
      const Digits digits(m);
      return WriteFraction(out, digits, kMaxFraction, kMaxFraction - digits.trailing_zeros);
    }
    return WriteGeneral(out - (v < 0 ? 1 : 0), v);
  }
  for (int k = 1; k <= kMaxFraction; ++k) {
    const double product = a * kPow10[k];
    if (product >= kProductLimit) break;
    const uint64_t m = static_cast<uint64_t>(product + 0.5);
    // A decimal that reads back lies within 3/16 of the product (above): the division is
    // needed only near an integer.
    if (std::fabs(product - static_cast<double>(m)) > 0.1875) continue;
    if (static_cast<double>(m) / kPow10[k] != a) continue;
    return WriteFraction(out, Digits(m), k, k);
  }
  return WriteGeneral(out - (v < 0 ? 1 : 0), v);
}

}  // namespace zel::internal
