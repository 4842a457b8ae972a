// The data string reader on its own.
#include "text/data_string.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace zel::internal {
namespace {

using namespace std::string_literals;

// Every row of `data` as the reader gives it: elements joined by "|", rows by "/".
std::string Rows(std::string_view data) {
  std::string out;
  DataStringReader reader(data);
  std::string_view element;
  for (const char* row = ""; reader.NextRow(); row = "/") {
    out += row;
    for (const char* sep = ""; reader.NextElement(element); sep = "|") out.append(sep).append(element);
  }
  return out;
}

// The same by the two plain splits the grammar describes: rows at "~I~" first (the tail
// dropped), then each row at "~,".
std::string RowsBySplitting(std::string_view data) {
  std::string out;
  for (size_t begin = 0, end = data.find("~I~"); end != std::string_view::npos; begin = end + 3, end = data.find("~I~", begin)) {
    out += begin ? "/" : "";
    const char* sep = "";
    for (std::string_view element : SplitElements(data.substr(begin, end - begin))) out.append(sep).append(element), sep = "|";
  }
  return out;
}

TEST(DataStringReader, RowsAndElements) {
  // Each case: the data string, then the row count and the rows as Rows shows them. The
  // random comparison below covers the rest of the separator mixes.
  const std::pair<std::string, std::string> cases[] = {
      {"", "0:"},
      {"a1~,a2~,a3~,~I~b1~,b2~,b3~,~I~", "2:a1|a2|a3|/b1|b2|b3|"},
      {"a~,b~,~I~c~,d~,", "1:a|b|"},  // the unterminated last row is not a row
      {"~~I~", "1:~"},
      {"~I~~I~", "2:/"},                        // only row separators: two rows of one empty element
      {"~I~I~", "1:"},                          // no overlap: "I~" after the first row is the tail
      {"a~,I~", "0:"},                          // "~," is taken first; "I~" is no separator
      {"a\nb\0c~,\r\n~I~"s, "1:a\nb\0c|\r\n"s},  // line breaks and NUL are field text
      {"\xFF\xFE~,\xE0~I~", "1:\xFF\xFE|\xE0"},  // invalid UTF-8 passes through
  };
  for (const auto& [data, shown] : cases) EXPECT_EQ(std::to_string(CountDataRows(data)) + ":" + Rows(data), shown) << data;
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
  std::string_view first, second;
  ASSERT_TRUE(reader.NextRow());
  EXPECT_EQ(reader.ElementCount(), 4u);
  ASSERT_TRUE(reader.NextElement(first));
  ASSERT_TRUE(reader.NextRow());
  ASSERT_TRUE(reader.NextElement(second));
  EXPECT_EQ(std::string(first) + std::string(second), "ad");
  EXPECT_FALSE(reader.NextRow());
  EXPECT_FALSE(reader.NextElement(second));
}

TEST(SplitToTable, CountsTerminatedRowsAndFieldsAndRefusesHugeTables) {
  // The table as "cols x rows:" and its cells row by row, cells[c][r] joined by "|".
  auto shown = [](const StringTable& t) {
    std::string out = std::to_string(t.max_cols) + "x" + std::to_string(t.max_rows) + ":";
    for (size_t r = 0; !t.cells.empty() && r < t.cells[0].size(); ++r) {
      out += r ? "/" : "";
      for (size_t c = 0; c < t.cells.size(); ++c) out += (c ? "|" : "") + (r < t.cells[c].size() ? t.cells[c][r] : "?");
    }
    return out;
  };
  // Ragged rows: a longer row loses its surplus, a shorter one leaves cells empty; the
  // element after a row's last "~," is not a field.
  EXPECT_EQ(shown(SplitToTable("a~,b~,~I~c~,~I~d~,e~,f~,~I~g~,h~I~tail~,")), "2x4:||/|a|b/|c|/|d|e/|g|");
  // No row separator at all: the first piece still gives the column count, no rows.
  EXPECT_EQ(shown(SplitToTable("a~,b~,c")), "2x0:||");
  // 100,000 columns wide and 100,000 rows long from 500 kB of separators: counted, not built.
  std::string huge;
  for (int i = 0; i < 100000; ++i) huge += "~,";
  for (int i = 0; i < 100000; ++i) huge += "~I~";
  EXPECT_EQ(shown(SplitToTable(huge)), "100000x100000:");
}

}  // namespace
}  // namespace zel::internal
