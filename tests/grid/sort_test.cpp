// Sorting (Action 25): stable, several keys each ascending or descending, numbers as numbers.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "grid_check.h"

namespace zel {
namespace {

using testing_grid::At;
using testing_grid::Block;
using testing_grid::Fill;
using testing_grid::Invariants;
using testing_grid::Picture;

void SortRows(Grid& g, int32_t col, int32_t row, int32_t col2, int32_t row2,
              std::vector<std::pair<int32_t, int16_t>> keys) {
  Block(g, col, row, col2, row2);
  g.SortBy(kSortByRow);
  for (int32_t n = 1; n <= 4; ++n) {
    const bool used = static_cast<size_t>(n) <= keys.size();
    g.SortKey(n, used ? keys[static_cast<size_t>(n - 1)].first : 0);
    g.SortKeyOrder(n, used ? keys[static_cast<size_t>(n - 1)].second : int16_t{kSortNone});
  }
  g.Action(kActionSort);
}

TEST(GridSort, RowHeadersMoveAndAnOrderOfNoneIgnoresItsKey) {
  Grid g;
  g.MaxCols(3);
  g.MaxRows(7);
  Fill(g, {{"b", "1", "first b1"}, {"a", "2", "a2"}, {"b", "2", "b2"}, {"a", "1", "a1"}, {"b", "1", "second b1"},
           {"", "9", "no key"}});
  for (int32_t r = 1; r <= 6; ++r) g.SetText(0, r, std::to_string(r));
  SortRows(g, -1, 1, -1, 6, {{1, kSortDescending}, {2, kSortNone}, {3, kSortAscending}});
  EXPECT_EQ(Picture(g, 6), "|||\n3|b|2|b2\n1|b|1|first b1\n5|b|1|second b1\n4|a|1|a1\n2|a|2|a2\n6||9|no key\n")
      << "whole rows move with their row headers; empties last; order 0 ignores key 2";
  EXPECT_TRUE(Invariants(g));
}

TEST(GridSort, NumbersCompareAsNumbersAndBeforeTexts) {
  Grid g;
  g.MaxCols(1);
  g.MaxRows(5);
  At(g, 1, -1).CellType(kCellFloat);
  g.TypeFloatDecimalPlaces(0);
  g.SetText(1, 1, "10");
  g.SetText(1, 2, "9");
  g.SetText(1, 3, "-1");
  At(g, 1, 4).CellType(kCellEdit);
  g.SetText(1, 4, "100");  // a text, even though it looks like a number
  SortRows(g, -1, 1, -1, 5, {{1, kSortAscending}});
  EXPECT_EQ(Picture(g), "|\n|-1\n|9\n|10\n|100\n|\n");
  SortRows(g, -1, 1, -1, 5, {{1, kSortDescending}});
  EXPECT_EQ(Picture(g), "|\n|100\n|10\n|9\n|-1\n|\n");
  EXPECT_TRUE(Invariants(g));
}

// Date cells hold day-first texts; they sort by the date, an unfilled one as an empty cell.
TEST(GridSort, DateCellsSortByTheirDates) {
  Grid g;
  g.MaxCols(2);
  g.MaxRows(9);
  At(g, 1, -1).CellType(kCellDate);
  At(g, 1, 9).CellType(kCellEdit);  // a text cell in the date column sorts as text
  Fill(g, {{"03-11-2018", "a"}, {"  -  -    ", "b"}, {"15-10-2012", "c"}, {"11-2018", "d"}, {"?", "e"},
           {"2021-02-08", "f"}, {"08-02-2021", "g"}, {"20120101", "h"}, {"01-01-2000", "i"}});
  SortRows(g, -1, 1, -1, 9, {{1, kSortAscending}});
  EXPECT_EQ(Picture(g),
            "||\n|20120101|h\n|15-10-2012|c\n|11-2018|d\n|03-11-2018|a\n|2021-02-08|f\n|08-02-2021|g\n"
            "|01-01-2000|i\n|?|e\n|  -  -    |b\n");
  SortRows(g, -1, 1, -1, 9, {{1, kSortDescending}});
  EXPECT_EQ(Picture(g),
            "||\n|?|e\n|01-01-2000|i\n|2021-02-08|f\n|08-02-2021|g\n|03-11-2018|a\n|11-2018|d\n"
            "|15-10-2012|c\n|20120101|h\n|  -  -    |b\n");
}

TEST(GridSort, PartialBlocksAndColumns) {
  Grid g;
  g.MaxCols(3);
  g.MaxRows(3);
  Fill(g, {{"c", "3", "x"}, {"a", "1", "y"}, {"b", "2", "z"}});
  g.SetText(0, 1, "H1");
  SortRows(g, 1, 1, 2, 3, {{1, kSortAscending}});  // columns 1-2 only
  EXPECT_EQ(Picture(g), "|||\nH1|a|1|x\n|b|2|y\n|c|3|z\n");
  EXPECT_TRUE(Invariants(g));

  // Sorting columns by row 1.
  Block(g, 1, -1, 3, -1);
  g.SortBy(kSortByCol);
  g.SortKey(1, 1);
  g.SortKeyOrder(1, kSortDescending);
  g.SetColItemData(1, 11);
  g.Action(kActionSort);
  EXPECT_EQ(Picture(g), "|||\nH1|x|a|1\n|y|b|2\n|z|c|3\n");
  EXPECT_EQ(g.GetColItemData(2), 11) << "whole columns move with their item data";

  // A key beyond the grid or order 0 everywhere sorts nothing.
  SortRows(g, -1, 1, -1, 3, {{9, kSortAscending}});
  EXPECT_EQ(Picture(g), "|||\nH1|x|a|1\n|y|b|2\n|z|c|3\n");
}

// A reference stable sort over random rows: numbers, ties, and texts past the packed prefixes
// under an ascending and a descending key.
TEST(GridSort, ThreeKeysWithNumbersLongTextsAndTies) {
  std::mt19937 rng(11);
  const int32_t rows = 2000;
  Grid g;
  g.MaxCols(4);
  g.MaxRows(rows);
  At(g, 2, -1).CellType(kCellFloat);
  g.TypeFloatDecimalPlaces(1);
  const std::string long_a = "가나다라마바사아자차카타";  // 36 bytes: texts past the packed prefixes
  const char* firsts[] = {"", "x", "short", "exactly16bytes!!", "exactly16bytes!!+", "a long shared prefix: one",
                          "a long shared prefix: two"};
  struct Row {
    std::string k1;
    double k2;
    bool k2_empty;
    std::string k3;
    int32_t id;
  };
  std::vector<Row> ref;
  for (int32_t r = 1; r <= rows; ++r) {
    Row row{rng() % 5 == 0 ? long_a + std::to_string(rng() % 3) : firsts[rng() % 7],
            static_cast<double>(static_cast<int>(rng() % 7) - 3) / 2, rng() % 6 == 0,
            (rng() % 2 == 0 ? "a shared prefix past sixteen: " : "") + std::string(1, static_cast<char>('a' + rng() % 3)),
            r};
    g.SetText(1, r, row.k1);
    if (!row.k2_empty) g.SetFloat(2, r, row.k2);
    g.SetText(3, r, row.k3);
    g.SetText(4, r, std::to_string(r));
    ref.push_back(row);
  }
  SortRows(g, -1, 1, -1, rows, {{1, kSortAscending}, {3, kSortDescending}, {2, kSortDescending}});
  auto cmp_text = [](const std::string& a, const std::string& b, bool desc) {
    if (a.empty() != b.empty()) return a.empty() ? 1 : -1;
    if (a == b) return 0;
    return (a < b) != desc ? -1 : 1;
  };
  std::stable_sort(ref.begin(), ref.end(), [&](const Row& a, const Row& b) {
    if (int c = cmp_text(a.k1, b.k1, false)) return c < 0;
    if (int c = cmp_text(a.k3, b.k3, true)) return c < 0;
    if (a.k2_empty != b.k2_empty) return b.k2_empty;
    if (!a.k2_empty && a.k2 != b.k2) return a.k2 > b.k2;
    return false;
  });
  std::string t;
  for (int32_t r = 1; r <= rows; ++r) {
    g.GetText(4, r, t);
    ASSERT_EQ(t, std::to_string(ref[static_cast<size_t>(r - 1)].id)) << "row " << r;
  }
}

}  // namespace
}  // namespace zel
