// The bulk writer against the grid's own SetText: the same random writes and format changes
// applied to two equal grids, one through DataRowWriter and one through SetText, must leave
// the same cells, the same data extent and the same errors.
#include "grid/data_row_writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "grid_check.h"
#include "text/number.h"

namespace zel {
namespace {

using testing_grid::At;

constexpr int32_t kCols = 9;
constexpr int32_t kRows = 60;

// Column kinds and settings the writer resolves once: every kind whose stored value depends
// on a format, one column with a cell format of its own and titles in the header row.
void Prepare(Grid& g) {
  g.MaxCols(kCols);
  g.MaxRows(kRows);
  At(g, 1, -1).CellType(kCellEdit);
  At(g, 2, -1).CellType(kCellFloat);
  g.TypeFloatDecimalPlaces(2);
  At(g, 3, -1).CellType(kCellInteger);
  At(g, 4, -1).CellType(kCellNumber);
  g.TypeFloatDecimalPlaces(0);
  At(g, 5, -1).CellType(kCellComboBox);
  g.TypeComboBoxList("a\tb\tSeoul\t");
  At(g, 6, -1).CellType(kCellComboBox);
  g.TypeComboBoxList("a\tb\t");
  g.TypeComboBoxEditable(true);
  At(g, 7, -1).CellType(kCellCheckBox);
  At(g, 8, -1).CellType(kCellFloat);
  g.TypeFloatDecimalPlaces(3);
  At(g, 8, 5).TypeFloatDecimalPlaces(0);  // one cell of its own
  for (int32_t c = 1; c <= kCols; ++c) g.SetText(c, 0, "T" + std::to_string(c));
}

// A format change applied to both grids between writes (the writer must notice it): decimal
// places, a column's kind, a combo's editability, a cell colour, the grid's separators and
// its currency character.
void ChangeFormat(Grid& g, uint32_t which) {
  const uint32_t v = which / 6;  // the variant of the change
  switch (which % 6) {
    case 0: return At(g, 2, -1).TypeFloatDecimalPlaces(static_cast<int16_t>(v % 4));
    case 1: return At(g, 9, -1).CellType(v % 2 == 0 ? kCellFloat : kCellEdit);
    case 2: return At(g, 5, -1).TypeComboBoxEditable(v % 3 == 0);
    case 3: return At(g, 1, static_cast<int32_t>(1 + v % kRows)).BackColor(Rgb(static_cast<int>(v % 256), 0, 0));
    case 4:
      g.FloatDefSepChar(v % 3 == 0 ? "." : ",");
      return g.FloatDefDecimalChar(v % 3 == 0 ? "," : ".");
    default: return g.FloatDefCurrencyChar(v % 3 == 0 ? "1" : "\xE2\x82\xA9");
  }
}

// Runs `write` and returns the error it raised, if any.
template <class F>
std::optional<std::string> ErrorOf(F write) {
  try {
    write();
  } catch (const GridError& e) {
    return std::string(e.what());
  }
  return std::nullopt;
}

// The shown texts and the stored values (a float cell shows fewer places than it may keep).
void ExpectSameCells(Grid& a, Grid& b, int step) {
  std::string ta, tb;
  for (int32_t r = 0; r <= kRows; ++r) {
    for (int32_t c = 0; c <= kCols; ++c) {
      a.GetText(c, r, ta);
      b.GetText(c, r, tb);
      ASSERT_EQ(ta, tb) << "cell " << c << "," << r << " after step " << step;
      for (Grid* g : {&a, &b}) {
        g->Col(c);
        g->Row(r);
      }
      ASSERT_EQ(a.Value(), b.Value()) << "cell " << c << "," << r << " after step " << step;
    }
  }
  ASSERT_EQ(a.DataRowCnt(), b.DataRowCnt()) << "after step " << step;
  ASSERT_EQ(a.DataColCnt(), b.DataColCnt()) << "after step " << step;
}

TEST(DataRowWriter, WritesWhatSetTextWritesOnRandomInput) {
  const std::vector<std::string> texts = {
      "",        " ",     "abc",  "a",         "b",     "Seoul", "1",      "0",     "2",
      "12.345",  "-7.5",  "1,234.5", "\xE2\x82\xA9" "12", "1e3", "  42 ", "9.999", "-0",
      "0.005",   "15,5",  "a text longer than fifteen bytes", "\xEA\xB9\x80\xEB\xAF\xBC\xEC\xA4\x80"};
  const std::vector<double> numbers = {0.0,    -0.0,   1.0,     -2.5,   0.125, 123456.785, 1e21, 1e-7,
                                       1e300,  -1e300, 1e-310,  0.1,    2.675, 1234.5,     -0.0049,
                                       std::numeric_limits<double>::infinity(),
                                       std::numeric_limits<double>::quiet_NaN()};
  Grid viaWriter, viaSetText;
  Prepare(viaWriter);
  Prepare(viaSetText);
  internal::DataRowWriter writer(viaWriter);
  std::mt19937 rng(11);
  for (int step = 0; step < 40000; ++step) {
    const uint32_t pick = rng();
    if (step == 30000) {
      // A row with a kind of its own: from now on every column's rows may differ.
      for (Grid* g : {&viaWriter, &viaSetText}) {
        g->Col(-1);
        g->Row(7);
        g->CellType(kCellEdit);
      }
    }
    if (pick % 97 == 0) {
      ChangeFormat(viaWriter, pick / 97);
      ChangeFormat(viaSetText, pick / 97);
      continue;
    }
    // Mostly data cells; sometimes a header, row-header or refused address.
    int32_t col = static_cast<int32_t>(rng() % kCols) + 1;
    int32_t row = static_cast<int32_t>(rng() % kRows) + 1;
    if (pick % 23 == 0) col = static_cast<int32_t>(rng() % 3) == 0 ? kCols + 1 : 0;
    if (pick % 29 == 0) row = static_cast<int32_t>(rng() % 3) == 0 ? kRows + 1 : 0;
    std::optional<std::string> errWriter, errSetText;
    if (pick % 3 == 0) {
      const std::string& t = texts[rng() % texts.size()];
      errWriter = ErrorOf([&] { writer.SetText(col, row, t); });
      errSetText = ErrorOf([&] { viaSetText.SetText(col, row, t); });
    } else if (pick % 3 == 1) {
      // A text with the number its reader has taken from it already.
      const std::string& t = texts[rng() % texts.size()];
      errWriter = ErrorOf([&] { writer.SetNumberText(col, row, t, text::Val(t)); });
      errSetText = ErrorOf([&] { viaSetText.SetText(col, row, t); });
    } else {
      const double v = rng() % 3 == 0 ? numbers[rng() % numbers.size()]
                                      : static_cast<double>(static_cast<int32_t>(rng() % 2000001) - 1000000) / 1000.0;
      errWriter = ErrorOf([&] { writer.SetNumber(col, row, v); });
      errSetText = ErrorOf([&] { viaSetText.SetText(col, row, text::NumberToText(v)); });
    }
    ASSERT_EQ(errWriter, errSetText) << "step " << step << " at " << col << "," << row;
    if (step % 4000 == 0) ExpectSameCells(viaWriter, viaSetText, step);
  }
  ExpectSameCells(viaWriter, viaSetText, -1);
  EXPECT_TRUE(testing_grid::Invariants(viaWriter));
}

}  // namespace
}  // namespace zel
