// A cell's format as one line of text, for tests that compare a whole format at once: the
// kind, then what that kind keeps, then " locked" for a locked cell.
//
//   "edit 12/0/1 multi Tahoma"   max length/char set/case, multi-line, font
//   "float -5..5.3 sep align1"   min..max.places, thousands separator, horizontal alignment
//   "check Yes centred"  "button Go"  "pattern XXX-XXXX"  "combo editable"  "static"
//
//   EXPECT_EQ(testing::FormatAt(grid, 3, 1), "float -100000..100000.2 sep align1 locked");
#pragma once

#include <cstdint>
#include <string>

#include "zelsheet/grid.h"

namespace zel::testing {

inline std::string FormatAt(Grid& g, int32_t col, int32_t row) {
  g.Col(col);
  g.Row(row);
  const auto n = [](double v) { return std::to_string(static_cast<int64_t>(v)); };
  const std::string lock = g.LockCells() ? " locked" : "";
  switch (g.CellType()) {
    case kCellEdit:
      return "edit " + n(g.TypeMaxEditLen()) + "/" + n(g.TypeEditCharSet()) + "/" + n(g.TypeEditCharCase()) +
             (g.TypeEditMultiLine() ? " multi " : " ") + g.FontName() + lock;
    case kCellFloat:
    case kCellNumber:
      return std::string(g.CellType() == kCellFloat ? "float " : "number ") + n(g.TypeFloatMin()) + ".." +
             n(g.TypeFloatMax()) + "." + n(g.TypeFloatDecimalPlaces()) + (g.TypeFloatSeparator() ? " sep" : "") +
             " align" + n(g.TypeHAlign()) + lock;
    case kCellCheckBox: return "check " + g.TypeCheckText() + (g.TypeCheckCenter() ? " centred" : "") + lock;
    case kCellButton: return "button " + g.TypeButtonText() + lock;
    case kCellPattern: return "pattern " + g.TypePicMask() + lock;
    case kCellComboBox: return std::string("combo") + (g.TypeComboBoxEditable() ? " editable" : "") + lock;
    case kCellStatic: return "static" + lock;
    case kCellDate: return "date" + lock;
    default: return "kind " + n(g.CellType()) + lock;
  }
}

}  // namespace zel::testing
