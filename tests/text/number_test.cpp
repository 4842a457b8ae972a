#include "text/number.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace zel::text {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(TextVal, LeadingNumericPart) {
  const std::pair<std::string, double> cases[] = {
      {"12.50", 12.5}, {"1,234", 1}, {"", 0},     {"abc", 0},     {"-3e2x", -300}, {"  42", 42},
      {"+7", 7},       {".5", 0.5},  {"5.", 5},   {"3e", 3},      {"3e+", 3},      {"1E3", 1000},
      {"-", 0},        {".", 0},     {"12가", 12}, {"\t5", 0},     {"1e-400", 0},   {"- 5", 0},
      {"007", 7},      {"1e999", kInf}, {"-1e999", -kInf}, {std::string(400, '9'), kInf},
  };
  for (const auto& [s, v] : cases) EXPECT_EQ(Val(s), v) << '"' << s << '"';
  std::string numeric;
  for (const char* s : {" -12.5 ", "1e3", "1,234", "", ".", "12a"}) numeric += IsNumeric(s) ? 'Y' : 'n';
  EXPECT_EQ(numeric, "YYnnnn");
}

TEST(TextInteger, HalvesToEvenAndOverflow) {
  const std::pair<double, int32_t> cases[] = {{2.5, 2},  {3.5, 4},       {-2.5, -2},       {-3.5, -4}, {2.4999, 2},
                                              {2.5001, 3}, {0.5, 0},     {-0.5, 0},        {1.5, 2},   {32767.4, 32767},
                                              {-32768.5, -32768}};
  for (const auto& [v, expected] : cases) {
    EXPECT_EQ(CInt(v), expected) << v;
    EXPECT_EQ(CLng(v), expected) << v;
  }
  for (double v : {32768.0, 32767.5, -32769.0, std::nan("")}) EXPECT_THROW(CInt(v), std::overflow_error) << v;
  EXPECT_EQ(CLng(2147483647.0), 2147483647);
  for (double v : {2147483648.0, 1e300, kInf}) EXPECT_THROW(CLng(v), std::overflow_error) << v;
  EXPECT_DOUBLE_EQ(RoundHalfEven(2.675, 2), 2.68);
  EXPECT_DOUBLE_EQ(RoundHalfEven(2.665, 2), 2.66);
  EXPECT_DOUBLE_EQ(RoundHalfEven(-0.125, 2), -0.12);
}

TEST(TextFormatNumber, FormatTexts) {
  struct Case {
    double v;
    std::string fmt, text;
  };
  const Case cases[] = {
      {1234567.891, "#,##0", "1,234,568"}, {1234.5, "#,##0.00", "1,234.50"}, {-1234.5, "#,##0.00", "-1,234.50"},
      {0, "#,##0.00", "0.00"}, {999.995, "#,##0.00", "1,000.00"}, {1234.5, "#,##0.", "1,235."},
      {12.5, "#.000", "12.500"}, {0.5, "#.00", ".50"}, {0, "#.00", ".00"},
      {12.5, "0", "13"}, {-0.4, "0", "0"},  // half away from zero; no "-0"
      {2.675, "0.00", "2.68"}, {5, "000", "005"}, {12345, "000-00", "123-45"},
      {1.5, "0.0#", "1.5"}, {1.25, "0.0#", "1.25"}, {0.256, "0%", "26%"}, {0.256, "0.0%", "25.6%"},
      {1234567, "#,##0,", "1,235"}, {-5, "#,##0;(#,##0)", "(5)"}, {0, "#,##0;(#,##0);-", "-"},
      {-5, "0;;zero", "-5"}, {1234.5, "0.00E+00", "1.23E+03"}, {0.00123, "0.0E-00", "1.2E-03"},
      {5, "\"$\"0", "$5"}, {5, "0 원", "5 원"}, {123456789012345.0, "#,##0", "123,456,789,012,345"},
      {kInf, "0", "Infinity"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatNumber(c.v, c.fmt), c.text) << c.v << " " << c.fmt;
  EXPECT_EQ(FormatNumber(1e300, "0.00").size(), 304u);  // 301 digits, point, two decimals
}

// The shortest text by its definition: the library's shortest round trip, fixed notation
// from 1e-6 to 1e21.
std::string Shortest(double v) {
  if (std::isnan(v)) return "NaN";
  if (std::isinf(v)) return v < 0 ? "-Infinity" : "Infinity";
  if (v == 0) return "0";
  char buf[64];
  const double a = std::fabs(v);
  const auto fmt = a >= 1e-6 && a < 1e21 ? std::chars_format::fixed : std::chars_format::general;
  return std::string(buf, std::to_chars(buf, buf + sizeof buf, v, fmt).ptr);
}

TEST(NumberText, FastPathGivesTheShortestText) {
  // Pinned by hand too, so that the reference above cannot drift with the library.
  EXPECT_EQ(NumberToText(-0.0) + " " + NumberToText(1e20) + " " + NumberToText(1e-7) + " " +
                NumberToText(1e21) + " " + NumberToText(0.1 + 0.2),
            "0 100000000000000000000 1e-07 1e+21 0.30000000000000004");
  const double edge[] = {0.0, -0.0, 1, -1, 0.1, 12.5, -1234.56, 0.05, 1e-6, 9.99999e-7, 1.5e-6, 1e15,
                         999999999999999.9, 1e15 - 1, 1125899906842623.0, 1125899906842624.0,
                         112589990684262.4, 2.675, 1.005, 123456.789012, 4503599627370495.5,
                         9007199254740993.0, 1e22, 5e-324, 1.7976931348623157e308, kInf, -kInf,
                         std::numeric_limits<double>::quiet_NaN()};
  for (double v : edge) EXPECT_EQ(NumberToText(v), Shortest(v)) << v;

  // Powers of two and their neighbours: the spacing of doubles below them is half that
  // above, which decides whether a decimal next to them reads back.
  for (int e = -20; e <= 49; ++e) {
    const double p = std::ldexp(1.0, e);
    for (const double v : {p, std::nextafter(p, 0.0), std::nextafter(p, 1e300),
                           std::nextafter(std::nextafter(p, 0.0), 0.0)}) {
      EXPECT_EQ(NumberToText(v), Shortest(v)) << v;
      EXPECT_EQ(NumberToText(-v), Shortest(-v)) << -v;
    }
  }

  // Amounts with a few decimals (the fast path), their neighbours one step away (which
  // need the general search), and arbitrary bit patterns.
  std::mt19937_64 rng(20240315);
  for (int i = 0; i < 300000; ++i) {
    const double scale = std::pow(10.0, static_cast<int>(rng() % 9));
    const double amount = static_cast<double>(static_cast<int64_t>(rng() % 100000000000ULL) - 50000000000LL) / scale;
    uint64_t bits = rng();
    double any;
    std::memcpy(&any, &bits, sizeof any);
    for (const double v : {amount, std::nextafter(amount, 1e300), std::nextafter(amount, -1e300), any}) {
      ASSERT_EQ(NumberToText(v), Shortest(v)) << v << " bits " << bits;
    }
  }
}

}  // namespace
}  // namespace zel::text
