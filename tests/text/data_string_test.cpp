// The data string reader on its own.
#include "text/data_string.h"

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
