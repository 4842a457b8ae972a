// The conversions between the grid's text and the outside one, on their own: the fields
// Display writes and the texts CellText and the save text read back.
#include "columns/cell_conversions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>

#include "text/number.h"

namespace zel::internal {
namespace {

TEST(CellTextConversions, GridTextsBackToFields) {
  const auto Combo = [](std::string_view item, int32_t codeLength) {
    return std::string(ComboItemCode(item, codeLength)) + "|" + std::string(ComboItemCaption(item, codeLength));
  };
  const std::pair<std::string, std::string> cases[] = {
      {DateFromGrid("05-01-2024"), "20240105"}, {DateFromGrid(""), ""},
      {DateFromGrid("5-1"), "5-"},  // malformed: whatever the positions hold, no fault
      {YearMonthFromGrid("01-2024"), "202401"}, {YearMonthFromGrid(""), ""},
      {UnmaskText("123-45-67890", "000-00-00000"), "1234567890"},
      {UnmaskText("AB 12", "AA 00"), "AB 12"},       // a blank is a placeholder too
      {UnmaskText("12-34xyz", "##-##"), "1234xyz"},  // beyond the mask: kept
      {UnmaskText("12", "###-##"), "12"},            // shorter than the mask
      {UnmaskText("가나-다", "##-#"), "가나다"},     {UnmaskText("abc", ""), "abc"},  // characters
      // A combo item's code by its length; without one, what follows the last blank.
      {Combo("Seoul   01", 2), "01|Seoul   "},       {Combo("Seoul   01", 0), "01|Seoul  "},
      {Combo("nocode", 0), "nocode|nocode"},         {Combo("서울   가나", 2), "가나|서울   "},
      {Combo("01", 5), "01|"},  // all code
  };
  for (const auto& [got, expected] : cases) EXPECT_EQ(got, expected);
}

// Same double, bit for bit (so -0 and 0 differ).
bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(FloatFieldValue, AgreesWithValOnEveryField) {
  // The plain-decimal shortcut must never differ from Val: fields the random runs below do
  // not make, random fields of number characters, and random plain decimals of up to 17
  // digits with the point anywhere.
  for (const char* field : {"", "abc", "-0", "0.1234567890123456789", "9007199254740993"}) {
    EXPECT_TRUE(SameBits(FloatFieldValue(field), text::Val(field))) << field;
  }
  EXPECT_THROW(FloatFieldValue("1e999"), std::overflow_error);
  EXPECT_THROW(FloatFieldValue("-1e400x"), std::overflow_error);
  std::mt19937 rng(7);
  const char alphabet[] = "0123456789000.-e, +";
  for (int i = 0; i < 200000; ++i) {
    std::string field(1 + rng() % 22, ' ');
    for (char& ch : field) ch = alphabet[rng() % (sizeof alphabet - 1)];
    const double value = text::Val(field);
    if (!std::isfinite(value)) continue;
    ASSERT_TRUE(SameBits(FloatFieldValue(field), value)) << field;
  }
  for (int i = 0; i < 200000; ++i) {
    std::string field = rng() % 4 == 0 ? "-" : "";
    const size_t digits = 1 + rng() % 17;
    const size_t point = rng() % (digits + 1);
    for (size_t d = 0; d < digits; ++d) {
      if (d == point && d > 0) field += '.';
      field += static_cast<char>('0' + rng() % 10);
    }
    ASSERT_TRUE(SameBits(FloatFieldValue(field), text::Val(field))) << field;
  }
}

TEST(FormatMask, PlaceholdersTakeTheValueInOrder) {
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"1234567890", "###-##-#####", "123-45-67890"},
      {"12", "###-##", "12-"},       // placeholders beyond the value give nothing
      {"123456", "##-##", "12-34"},  // the surplus of the value is dropped
      {"AB12", "A0-#0", "AB-12"},    // "A", "0" and "#" are all placeholders
      {"   ", "###", ""},            // blank value: empty result, literals included
      {" 12", "#-##", " -12"},       // a value with a leading blank is not blank
      {"가나다", "#-##", "가-나다"}, {"12", "(#)년#", "(1)년2"},  // characters, not bytes
      {"123", "", ""},               {"\xFF\xFE", "#/#", "\xFF/\xFE"},  // invalid bytes count one each
  };
  std::string out = "stale";
  for (const auto& [value, mask, expected] : cases) {
    FormatMask(value, mask, out);
    EXPECT_EQ(out, expected) << value << " with " << mask;
  }
}

TEST(DateFields, DayFirstForTheGrid) {
  const std::pair<const char*, const char*> cases[] = {  // field, "date year-month"
      {"20240131", "31-01-2024 01-2024"},    {"2024-01-31", "31-01-2024 01-2024"},
      {" 20240131  ", "31-01-2024 01-2024"}, {"202401", "-01-2024 01-2024"},
      {"", " "},                             {"--", " "},  // only dashes: nothing left
      {"20241350", "50-13-2024 13-2024"},  // impossible dates pass through unchecked
      {"2024", "--2024 -2024"},              {"2024년01월31", "1월-년0-2024 년0-2024"},  // characters
      // Near the two common forms: dashes elsewhere or a letter among the digits.
      {"2024-0131", "31-01-2024 01-2024"},   {"202401-31", "31-01-2024 01-2024"},
      {"2024-01-31-", "31-01-2024 01-2024"}, {"2024-01-3a", "3a-01-2024 01-2024"},
      {"2024x01-31", "13-x0-2024 x0-2024"},  {"1234567x", "7x-56-1234 56-1234"},
  };
  std::string date, year_month;
  for (const auto& [field, expected] : cases) {
    DateFieldToGrid(field, date);
    YearMonthFieldToGrid(field, year_month);
    EXPECT_EQ(date + " " + year_month, expected) << field;
  }
}

}  // namespace
}  // namespace zel::internal
