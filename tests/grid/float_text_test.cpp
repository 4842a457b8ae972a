// A float cell's shown text: the quick layout of numbers that already have the cell's places
// must give what the general number formatter gives, for every number and setting.
#include <gtest/gtest.h>

#include "grid_check.h"

#include <cmath>
#include <limits>
#include <string>

#include "text/number.h"
#include "zelsheet/grid.h"
#include "zelsheet/grid_view.h"

namespace zel {
namespace {

using testing_grid::At;

TEST(FloatText, ShownTextIsTheGeneralFormattersText) {
  const double values[] = {0.0, -0.0, 5, -5, 0.05, -0.5, 12.5, 999.995, 1000, 1234567.891, -1234.5,
                           0.1 + 0.2, 1e-7, 123456789012345.0, 9.99e14, 1e15, 1e16, 2.675, 1e300,
                           std::numeric_limits<double>::denorm_min()};
  Grid g;
  g.MaxCols(1);
  g.MaxRows(1);
  At(g, 1, 1).CellType(kCellFloat);
  std::string shown;
  CellLook look;
  for (const int places : {0, 1, 2, 3, 15}) {
    for (const bool separator : {false, true}) {
      g.TypeFloatDecimalPlaces(static_cast<int16_t>(places));
      g.TypeFloatSeparator(separator);
      std::string fmt = separator ? "#,##0" : "0";
      if (places > 0) fmt += "." + std::string(static_cast<size_t>(places), '0');
      for (const double v : values) {
        g.SetFloat(1, 1, v);  // kept as given: the places may be more than the cell shows
        g.GetText(1, 1, shown);
        EXPECT_EQ(shown, text::FormatNumber(v, fmt)) << v << " with " << fmt;
        GridView(g).Cell(1, 1, look);
        EXPECT_EQ(look.text, shown) << v << " with " << fmt;
      }
    }
  }
}

}  // namespace
}  // namespace zel
