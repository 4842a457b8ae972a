// Save parameter text of large random sheets against the same text assembled from CellText
// and the row headers: the direct reading of the engine's storage, the in-place text with
// its growing window and the one-byte status reading must give exactly the general path's
// bytes, whatever the cells hold and however long the text grows.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "support/sheet_fixture.h"
#include "zelsheet/zel_sheet.h"

namespace zel {
namespace {

using testing::SheetFixture;

// Declares a column of every kind the fast reading treats apart and fills `rows` rows with
// random contents through the grid (behind the sheet's back, so that odd contents land in
// every column): short, padded, Hangul and arena-long texts, numbers as numbers and as text,
// damaged dates, combos with codes of 0, 2 and 40 bytes, and statuses of every kind.
void FillRandom(ZelSheet& s, int32_t rows, uint32_t seed) {
  s.MaxCols(10);
  s.AddItem("T", "Text", EnText);
  s.AddItem("F", "Float", EnFloat, 0, 12, 2);
  s.AddItem("D", "Date", EnDate, 0, 10);
  s.AddItem("K", "Check", EnCheck);
  s.AddItem("C", "Combo", EnCombo, 0, 2);
  s.AddItem("Y", "YearMonth", EnDateYearMonth, 0, 7);
  s.AddItem("M", "Mask", EnMask, 0, 0, 0, "", "", "###-##");
  s.AddItem("L", "Long code", EnCombo, 0, 40);
  s.AddItem("Z", "Combo0", EnCombo, 0, 0);
  s.AddItem("U", "Never declared type", 0);
  s.MaxRows(rows);
  std::mt19937 rng(seed);
  const auto pick = [&rng](const std::vector<std::string>& from) { return from[rng() % from.size()]; };
  const std::vector<std::string> texts = {
      "", "a", "김민준", "  lead", "trail  ", " both ", "exactly fifteen", "sixteen bytes ab",
      "a text of exactly thirty-two b..", "a text longer than thirty-two bytes, kept in the arena",
      "  long and padded on both ends, more than thirty-two  ", "한글 텍스트가 열다섯 바이트를 넘는다", "~"};
  const std::vector<std::string> combos = {"", "서울                01", "Busan 02", "x  ", "한글", "ab 0한",
                                           "caption followed by a code of forty bytes 0123456789012345678901234567890123456789",
                                           "  padded code at the end of a long item text, forty bytes long  "};
  const std::vector<std::string> statuses = {"", "", "A", "U", "X", "U", "D", " U", "A ", "AU", "한"};
  Grid& g = s.GetSheet();
  for (int32_t row = 1; row <= rows; ++row) {
    g.SetText(0, row, pick(statuses));
    if (rng() % 50 == 0) g.SetFloat(0, row, 7);  // a number as status
    g.SetText(s.ColX(1), row, pick(texts));
    if (rng() % 9 == 0) g.SetFloat(s.ColX(1), row, 3.25);  // a number in a text column
    switch (rng() % 5) {
      case 0: g.SetFloat(s.ColX(2), row, static_cast<double>(rng() % 10000000) / 100); break;
      case 1: g.SetFloat(s.ColX(2), row, -static_cast<double>(rng() % 100000) / 1000); break;
      case 2: g.SetFloat(s.ColX(2), row, static_cast<double>(rng()) * 1e6 + 0.5); break;
      case 3: g.SetText(s.ColX(2), row, pick({"", "12.5", "abc", "-0", "1e300"})); break;
      default: break;
    }
    g.SetText(s.ColX(3), row, pick({"", "31-01-2024", " 1-02-2024", "01-02-202 ", "31-01-２０２４", "bad"}));
    g.SetText(s.ColX(4), row, pick({"", "1", "0", "Y", " 1"}));
    g.SetText(s.ColX(5), row, pick(combos));
    g.SetText(s.ColX(6), row, pick({"", "01-2024", "0"}));
    g.SetText(s.ColX(7), row, pick({"", "123-45", "한-글"}));
    g.SetText(s.ColX(8), row, pick(combos));
    g.SetText(s.ColX(9), row, pick(combos));
    g.SetText(s.ColX(10), row, pick(texts));
  }
}

// GetData, GetDataAll, GetDataAll(true) and GetDataCommon assembled through CellText and the
// row headers: the tag of a row is its trimmed status translated ("X" -> "D"; anything but
// "A", "U" and "X" gives ""), and only those three exact statuses are changed rows.
std::vector<std::string> ThroughCellText(ZelSheet& s) {
  const std::string headers = s.GetDataHeaders();
  std::string changed = headers, all = headers, data_only, quoted;
  for (int32_t row = 1; row <= s.DataRowCnt(); ++row) {
    std::string status, values, fields;
    s.GetSheet().GetText(0, row, status);
    for (int32_t k = 1; k <= s.MaxCols(); ++k) {
      values += s.CellText(k, row) + "~,";
      fields += k == 2 ? s.CellText(k, row) + ", " : "'" + s.CellText(k, row) + "', ";
    }
    const size_t first = status.find_first_not_of(' ');
    const std::string trimmed = first == std::string::npos ? "" : status.substr(first, status.find_last_not_of(' ') - first + 1);
    const std::string tag = trimmed == "A" || trimmed == "U" ? trimmed : trimmed == "X" ? "D" : "";
    all += tag + "~," + values + "~I~";
    data_only += values + "~I~";
    if (status == "A" || status == "U" || status == "X") {
      changed += tag + "~," + values + "~I~";
      quoted += "'" + tag + "', " + fields.substr(0, fields.size() - 2) + "~I~";
    }
  }
  return {changed == headers ? "" : changed, all, data_only, quoted};
}

std::vector<std::string> EveryForm(ZelSheet& s) {
  return {s.GetData(), s.GetDataAll(false), s.GetDataAll(true), s.GetDataCommon()};
}

TEST(RandomSheet, EveryFormEqualsCellTextOverManyWindows) {
  // About 2 MB of text: the window is widened many times and the reserved text is large
  // enough to be rounded to whole huge pages.
  SheetFixture big;
  FillRandom(big.sheet, 30000, 20240601);
  const std::vector<std::string> expected = ThroughCellText(big.sheet);
  ASSERT_GT(expected[1].size(), size_t{2} << 20) << expected[1].size();
  EXPECT_EQ(EveryForm(big.sheet), expected);

  // Fewer lines than the estimate waits for, and a few more; then the rows permuted under
  // the cells by a sort, and no column counted as declared (every cell read trimmed).
  for (const uint32_t seed : {1u, 2u, 3u}) {
    SCOPED_TRACE(seed);
    SheetFixture f;
    FillRandom(f.sheet, static_cast<int32_t>(3 + seed * 40), seed);
    EXPECT_EQ(EveryForm(f.sheet), ThroughCellText(f.sheet));
    Grid& g = f.sheet.GetSheet();
    g.Col(-1);  // whole rows: the row map is permuted, the cells stay in their slots
    g.Col2(-1);
    g.Row(1);
    g.Row2(f.sheet.DataRowCnt());
    g.BlockMode(true);
    g.SortBy(kSortByRow);
    g.SortKey(1, f.sheet.ColX(1));
    g.SortKeyOrder(1, kSortDescending);
    g.Action(kActionSort);
    g.BlockMode(false);
    EXPECT_EQ(EveryForm(f.sheet), ThroughCellText(f.sheet));
    f.sheet.SetMaxCols(0);
    EXPECT_EQ(f.sheet.GetDataAll(true), ThroughCellText(f.sheet)[2]);
  }

  // A text that outgrows its estimate many times over: the first rows are short, the later
  // ones long (and cross the huge-page size); single fields longer than the spare window.
  SheetFixture f;
  FillRandom(f.sheet, 12000, 4);
  Grid& g = f.sheet.GetSheet();
  for (int32_t row = 1; row <= 12000; ++row) {
    g.SetText(0, row, "U");
    g.SetText(f.sheet.ColX(1), row, row <= 64 ? "" : std::string(200 + row % 50, 'w'));
  }
  g.SetText(f.sheet.ColX(10), 70, std::string(100000, 'q') + "  ");
  g.SetText(f.sheet.ColX(1), 71, std::string(40000, 'r'));
  EXPECT_EQ(EveryForm(f.sheet), ThroughCellText(f.sheet));
}

}  // namespace
}  // namespace zel
