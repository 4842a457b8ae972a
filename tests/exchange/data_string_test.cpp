// The data string reader and the field conversions Display uses, on their own.
#include "exchange/data_string.h"

#include <gtest/gtest.h>

#include "text/number.h"

#include <cmath>
#include <cstring>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace zel::internal {
namespace {

using namespace std::string_literals;

// Every row of `data` as its elements joined by "|", rows joined by "/".
std::string Rows(std::string_view data) {
  std::string out;
  DataStringReader reader(data);
  bool firstRow = true;
  while (reader.NextRow()) {
    if (!firstRow) out += '/';
    firstRow = false;
    std::string_view element;
    bool first = true;
    while (reader.NextElement(element)) {
      if (!first) out += '|';
      out.append(element);
      first = false;
    }
  }
  return out;
}

// The same by the two plain splits the grammar describes: rows at "~I~" first (the tail
// dropped), then each row at "~,".
std::string RowsBySplitting(std::string_view data) {
  std::string out;
  size_t begin = 0;
  bool firstRow = true;
  for (size_t end = data.find("~I~"); end != std::string_view::npos;
       end = data.find("~I~", begin)) {
    if (!firstRow) out += '/';
    firstRow = false;
    bool first = true;
    for (std::string_view element : SplitElements(data.substr(begin, end - begin))) {
      if (!first) out += '|';
      out.append(element);
      first = false;
    }
    begin = end + 3;
  }
  return out;
}

TEST(DataStringReader, RowsAndElements) {
  struct Case {
    std::string data;
    size_t rows;
    std::string shown;
  };
  const Case cases[] = {
      {"", 0, ""},
      {"   ", 0, ""},
      {"a1~,a2~,a3~,~I~b1~,b2~,b3~,~I~", 2, "a1|a2|a3|/b1|b2|b3|"},
      {"a~,b~,~I~c~,d~,", 1, "a|b|"},  // the unterminated last row is not a row
      {"a~,b", 0, ""},
      {"~I~~I~", 2, "/"},              // only row separators: two rows of one empty element
      {"~,~,~I~", 1, "||"},
      {"~I~I~", 1, ""},                // no overlap: "I~" after the first row is the tail
      {"~~I~", 1, "~"},
      {"a~,I~", 0, ""},                // "~," is taken first; "I~" is no separator
      {"x~I~,y~,~I~", 2, "x/,y|"},
      {"a~~,b~,~I~", 1, "a~|b|"},
      {"a\nb\0c~,\r\n~I~"s, 1, "a\nb\0c|\r\n"s},  // line breaks and NUL are field text
      {"\xFF\xFE~,\xE0~I~", 1, "\xFF\xFE|\xE0"},  // invalid UTF-8 passes through
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CountDataRows(c.data), c.rows) << c.data;
    EXPECT_EQ(Rows(c.data), c.shown) << c.data;
  }
}

TEST(DataStringReader, AgreesWithSplittingRowsFirstOnRandomText) {
  // The reader walks once; the grammar splits twice. Texts made of the separators' own
  // characters are where the two could part; bytes one bit away from '~' and high bytes
  // are where a word-at-a-time search could mistake a byte for one.
  std::mt19937 rng(20240315);
  const char alphabet[] = {'~', 'I', ',', 'a', '~', '~', '\x7F', '\xFE', '\x7C', '\xFF'};
  for (int i = 0; i < 40000; ++i) {
    std::string data(rng() % 40, ' ');
    for (char& ch : data) ch = alphabet[rng() % sizeof alphabet];
    ASSERT_EQ(Rows(data), RowsBySplitting(data)) << data;
    size_t rows = 0;
    for (size_t p = data.find("~I~"); p != std::string::npos; p = data.find("~I~", p + 3)) ++rows;
    ASSERT_EQ(CountDataRows(data), rows) << data;
  }
}

TEST(DataStringReader, SkippedElementsDoNotShiftTheNextRow) {
  DataStringReader reader("a~,b~,c~,~I~d~,~I~");
  std::string_view element;
  ASSERT_TRUE(reader.NextRow());
  EXPECT_EQ(reader.ElementCount(), 4u);
  ASSERT_TRUE(reader.NextElement(element));
  EXPECT_EQ(element, "a");
  ASSERT_TRUE(reader.NextRow());
  ASSERT_TRUE(reader.NextElement(element));
  EXPECT_EQ(element, "d");
  EXPECT_FALSE(reader.NextRow());
  EXPECT_FALSE(reader.NextElement(element));
}

// Same double, bit for bit (so -0 and 0 differ).
bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(FloatFieldValue, IsTheLeadingNumberOfTheField) {
  struct Case {
    const char* field;
    double value;
  };
  // Plain decimals of up to 17 digits are compared with Val at random below.
  const Case cases[] = {
      {"-0", -0.0},  {"1,234", 1.0}, {"", 0.0},   {"abc", 0.0},
      {"+5", 5.0},   {"  42", 42.0}, {"1e3", 1000.0},
      {"0.1234567890123456789", 0.1234567890123456789}, {"9007199254740993", 9007199254740992.0},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(SameBits(FloatFieldValue(c.field), c.value)) << c.field;
  }
  EXPECT_THROW(FloatFieldValue("1e999"), std::overflow_error);
  EXPECT_THROW(FloatFieldValue("-1e400x"), std::overflow_error);
}

TEST(FloatFieldValue, AgreesWithValOnEveryField) {
  // The plain-decimal shortcut must never differ from Val: random fields of number
  // characters, and random plain decimals of up to 17 digits with the point anywhere.
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
  struct Case {
    const char* value;
    const char* mask;
    const char* expected;
  };
  const Case cases[] = {
      {"1234567890", "###-##-#####", "123-45-67890"},
      {"12", "###-##", "12-"},          // placeholders beyond the value give nothing
      {"123456", "##-##", "12-34"},     // the surplus of the value is dropped
      {"AB12", "A0-#0", "AB-12"},       // "A", "0" and "#" are all placeholders
      {"", "###", ""},
      {"   ", "###", ""},               // blank value: empty result, literals included
      {" 12", "#-##", " -12"},          // a value with a leading blank is not blank
      {"가나다", "#-##", "가-나다"},    // characters, not bytes
      {"12", "(#)년#", "(1)년2"},
      {"123", "", ""},
      {"\xFF\xFE", "#/#", "\xFF/\xFE"},  // invalid bytes count one each
  };
  std::string out = "stale";
  for (const Case& c : cases) {
    FormatMask(c.value, c.mask, out);
    EXPECT_EQ(out, c.expected) << c.value << " with " << c.mask;
  }
}

TEST(DateFields, DayFirstForTheGrid) {
  struct Case {
    const char* field;
    const char* date;
    const char* year_month;
  };
  const Case cases[] = {
      {"20240131", "31-01-2024", "01-2024"},
      {"2024-01-31", "31-01-2024", "01-2024"},
      {" 20240131  ", "31-01-2024", "01-2024"},
      {"202401", "-01-2024", "01-2024"},
      {"", "", ""},
      {"--", "", ""},                  // only dashes: nothing left, cell untouched
      {"20241350", "50-13-2024", "13-2024"},  // impossible dates pass through unchecked
      {"2024", "--2024", "-2024"},
      {"2024년01월31", "1월-년0-2024", "년0-2024"},  // characters, not bytes
      // Near the two common forms: dashes elsewhere or a letter among the digits.
      {"2024-0131", "31-01-2024", "01-2024"},
      {"202401-31", "31-01-2024", "01-2024"},
      {"2024-01-31-", "31-01-2024", "01-2024"},
      {"2024-01-3a", "3a-01-2024", "01-2024"},
      {"2024x01-31", "13-x0-2024", "x0-2024"},
      {"1234567x", "7x-56-1234", "56-1234"},
  };
  std::string out;
  for (const Case& c : cases) {
    DateFieldToGrid(c.field, out);
    EXPECT_EQ(out, c.date) << c.field;
    YearMonthFieldToGrid(c.field, out);
    EXPECT_EQ(out, c.year_month) << c.field;
  }
}

TEST(SplitToTable, CountsTerminatedRowsAndFields) {
  // Ragged rows: a longer row loses its surplus, a shorter one leaves cells empty; the
  // element after a row's last "~," is not a field.
  StringTable t = SplitToTable("a~,b~,~I~c~,~I~d~,e~,f~,~I~g~,h~I~tail~,");
  EXPECT_EQ(t.max_cols, 2);
  EXPECT_EQ(t.max_rows, 4);
  ASSERT_EQ(t.cells.size(), 3u);
  ASSERT_EQ(t.cells[0].size(), 5u);
  EXPECT_EQ(t.cells[0][1], "");
  EXPECT_EQ(t.cells[2][1], "b");
  EXPECT_EQ(t.cells[1][2], "c");
  EXPECT_EQ(t.cells[2][2], "");
  EXPECT_EQ(t.cells[2][3], "e");
  EXPECT_EQ(t.cells[1][4], "g");
  EXPECT_EQ(t.cells[2][4], "");

  // No row separator at all: the first piece still gives the column count, no rows.
  t = SplitToTable("a~,b~,c");
  EXPECT_EQ(t.max_cols, 2);
  EXPECT_EQ(t.max_rows, 0);
  ASSERT_EQ(t.cells.size(), 3u);
  EXPECT_EQ(t.cells[1].size(), 1u);
}

TEST(SplitToTable, RefusesATableNoMemoryCouldHold) {
  // 100,000 columns wide and 100,000 rows long from 500 kB of separators.
  std::string data;
  for (int i = 0; i < 100000; ++i) data += "~,";
  for (int i = 0; i < 100000; ++i) data += "~I~";
  const StringTable t = SplitToTable(data);
  EXPECT_EQ(t.max_cols, 100000);
  EXPECT_EQ(t.max_rows, 100000);
  EXPECT_TRUE(t.cells.empty());
}

}  // namespace
}  // namespace zel::internal
