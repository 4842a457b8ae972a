// Save parameter text of large random sheets against the same text assembled from CellText
// and the row headers: the direct reading of the engine's storage, the in-place text with
// its growing window and the one-byte status reading must give exactly the general path's
// bytes, whatever the cells hold and however long the text grows.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "support/sheet_fixture.h"
#include "zelsheet/zel_sheet.h"

namespace zel {
namespace {

using testing::SheetFixture;

// The save tag of a row status: the trimmed status translated, as the save members read it.
std::string TagOf(std::string status) {
  while (!status.empty() && status.front() == ' ') status.erase(0, 1);
  while (!status.empty() && status.back() == ' ') status.pop_back();
  if (status == "A" || status == "U") return status;
  if (status == "X") return "D";
  return "";
}

bool IsChanged(const std::string& status) {
  return status == "A" || status == "U" || status == "X";
}

// Declares a column of every kind the fast reading treats apart and fills `rows` rows with
// random contents through the grid (behind the sheet's back, so that odd contents land in
// every column).
void FillRandom(ZelSheet& s, int32_t rows, uint32_t seed) {
    s.MaxCols(14);
    s.AddItem("T", "Text", EnText);
    s.AddItem("F", "Float", EnFloat, 0, 12, 2);
    s.AddItem("D", "Date", EnDate, 0, 10);
    s.AddItem("K", "Check", EnCheck);
    s.AddItem("C", "Combo", EnCombo, 0, 2);
    s.AddItem("Y", "YearMonth", EnDateYearMonth, 0, 7);
    s.AddItem("M", "Mask", EnMask, 0, 0, 0, "", "", "###-##");
    s.AddItem("L", "Long code", EnCombo, 0, 40);
    s.AddItem("Q", "Qty", EnFloat, 0, 8, 0);
    s.AddItem("N", "Note", EnTextMulti);
    s.AddItem("Z", "Combo0", EnCombo, 0, 0);
    s.AddItem("H", "Time", EnTime);
    s.AddItem("P", "Caption", EnCaption);
    s.AddItem("U", "Never declared type", 0);
    s.MaxRows(rows);
    std::mt19937 rng(seed);
    auto pick = [&rng](const std::vector<std::string>& from) {
      return from[rng() % from.size()];
    };
    const std::vector<std::string> texts = {
        "", "a", "C0000123", "김민준", "  lead", "trail  ", " both ", "exactly fifteen",
        "sixteen bytes ab", "delivered in full", "a text of exactly thirty-two b..",
        "a text longer than thirty-two bytes, kept in the arena", "  long and padded on both "
        "ends, more than thirty-two  ", "한글 텍스트가 열다섯 바이트를 넘는다", " ", "~",
        "blanks after this arena text   ", "   blanks before this arena text", "it's"};
    const std::vector<std::string> dates = {"", "31-01-2024", "01-12-1999", " 1-02-2024",
                                            "01-02-202 ", "31-01-２０２４", "bad", "1-1-2024"};
    const std::vector<std::string> checks = {"", "1", "0", "Y", "11", " 1"};
    const std::vector<std::string> combos = {"", "서울                01", "Busan 02",
                                             "x  ", "short", "한글", "ab 0한",
                                             "an item with a code at its end  Z9"};
    const std::vector<std::string> longCodes = {
        "", "caption followed by a code of forty bytes 0123456789012345678901234567890123456789",
        "too short", "  padded code at the end of a long item text, forty bytes long  "};
    const std::vector<std::string> statuses = {"", "", "A", "U", "X", "U", "D", " U", "A ",
                                               "AU", "1", "한"};
    Grid& g = s.GetSheet();
    for (int32_t row = 1; row <= rows; ++row) {
      g.SetText(0, row, pick(statuses));
      if (rng() % 50 == 0) g.SetFloat(0, row, 7);  // a number as status
      g.SetText(s.ColX(1), row, pick(texts));
      switch (rng() % 6) {
        case 0: g.SetFloat(s.ColX(2), row, static_cast<double>(rng() % 10000000) / 100); break;
        case 1: g.SetFloat(s.ColX(2), row, -static_cast<double>(rng() % 100000) / 1000); break;
        case 2: g.SetFloat(s.ColX(2), row, static_cast<double>(rng()) * 1e6 + 0.5); break;
        case 3: g.SetFloat(s.ColX(2), row, 1.0 / static_cast<double>(1 + rng() % 1000)); break;
        case 4: g.SetText(s.ColX(2), row, pick({"", "12.5", "abc", "-0", "1e300"})); break;
        default: break;
      }
      g.SetText(s.ColX(3), row, pick(dates));
      g.SetText(s.ColX(4), row, pick(checks));
      if (rng() % 20 == 0) g.SetFloat(s.ColX(4), row, 1);
      g.SetText(s.ColX(5), row, pick(combos));
      g.SetText(s.ColX(6), row, pick({"", "01-2024", "0", "12-1999"}));
      g.SetText(s.ColX(7), row, pick({"", "123-45", "한-글", "1"}));
      g.SetText(s.ColX(8), row, pick(longCodes));
      g.SetFloat(s.ColX(9), row, static_cast<double>(rng() % 1000));
      if (rng() % 7 == 0) g.SetText(s.ColX(9), row, "");
      g.SetText(s.ColX(10), row, pick(texts));
      if (rng() % 9 == 0) g.SetFloat(s.ColX(10), row, 3.25);  // a number in a text column
      g.SetText(s.ColX(11), row, pick(combos));
      g.SetText(s.ColX(12), row, pick({"", "0930", "  padded  "}));
      g.SetText(s.ColX(13), row, pick(texts));
      g.SetText(s.ColX(14), row, pick(texts));
    }
}

// The save texts assembled through CellText and the row headers.
struct Expected {
  std::string changed, all, data_only, quoted;
};
Expected ThroughCellText(ZelSheet& s) {
    Grid& g = s.GetSheet();
    Expected e;
    const std::string headers = s.GetDataHeaders();
    e.changed = headers;
    e.all = headers;
    for (int32_t row = 1; row <= s.DataRowCnt(); ++row) {
      std::string status;
      g.GetText(0, row, status);
      std::string values, quoted;
      for (int32_t k = 1; k <= s.MaxCols(); ++k) {
        const std::string v = s.CellText(k, row);
        values += v + "~,";
        quoted += k == 2 || k == 9 ? v + ", " : "'" + v + "', ";
      }
      const std::string tag = TagOf(status);
      e.all += tag + "~," + values + "~I~";
      e.data_only += values + "~I~";
      if (IsChanged(status)) {
        e.changed += tag + "~," + values + "~I~";
        e.quoted += "'" + tag + "', " + quoted.substr(0, quoted.size() - 2) + "~I~";
      }
    }
    if (e.changed == headers) e.changed.clear();
    return e;
}

TEST(RandomSheet, EveryFormEqualsCellTextOverManyWindows) {
  // About 2.6 MB of text: the window is widened many times and the reserved text is large
  // enough to be rounded to whole huge pages.
  SheetFixture f;
  FillRandom(f.sheet, 30000, 20240601);
  const Expected e = ThroughCellText(f.sheet);
  ASSERT_GT(e.all.size(), size_t{2} << 20);
  EXPECT_EQ(f.sheet.GetData(), e.changed);
  EXPECT_EQ(f.sheet.GetDataAll(false), e.all);
  EXPECT_EQ(f.sheet.GetDataAll(true), e.data_only);
  EXPECT_EQ(f.sheet.GetDataCommon(), e.quoted);
}

TEST(RandomSheet, SmallSheetsAndWrongEstimates) {
  // Fewer lines than the estimate waits for, and a few more; then the rows permuted under
  // the cells by a sort, and no column counted as declared (every cell read trimmed).
  for (const uint32_t seed : {1u, 2u, 3u}) {
    SCOPED_TRACE(seed);
    SheetFixture f;
    FillRandom(f.sheet, static_cast<int32_t>(3 + seed * 40), seed);
    Expected e = ThroughCellText(f.sheet);
    EXPECT_EQ(f.sheet.GetData(), e.changed);
    EXPECT_EQ(f.sheet.GetDataAll(false), e.all);
    EXPECT_EQ(f.sheet.GetDataAll(true), e.data_only);
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
    e = ThroughCellText(f.sheet);
    EXPECT_EQ(f.sheet.GetDataAll(false), e.all);
    EXPECT_EQ(f.sheet.GetDataCommon(), e.quoted);
    f.sheet.SetMaxCols(0);
    EXPECT_EQ(f.sheet.GetDataAll(true), ThroughCellText(f.sheet).data_only);
  }
  // A text that outgrows its estimate many times over: the first rows are short, the later
  // ones long (and cross the huge-page size).
  SheetFixture f;
  FillRandom(f.sheet, 12000, 4);
  Grid& g = f.sheet.GetSheet();
  for (int32_t row = 1; row <= 12000; ++row) {
    g.SetText(0, row, "U");
    g.SetText(f.sheet.ColX(1), row, row <= 64 ? "" : std::string(200 + row % 50, 'w'));
  }
  // Single fields longer than the text's spare window, padded and not.
  g.SetText(f.sheet.ColX(10), 70, std::string(100000, 'q') + "  ");
  g.SetText(f.sheet.ColX(1), 71, std::string(40000, 'r'));
  const Expected e = ThroughCellText(f.sheet);
  EXPECT_EQ(f.sheet.GetData(), e.changed);
  EXPECT_EQ(f.sheet.GetDataAll(true), e.data_only);
}

}  // namespace
}  // namespace zel
