// Test helpers for sheet-level tests: a loaded sheet on its own scripted platform in one
// line, and the sheet's rows rendered as text for whole-picture comparisons.
//
//   zel::testing::SheetFixture f;                    // created and loaded (empty bag)
//   f.sheet.AddItem(...);
//   EXPECT_EQ(RenderSheet(f.sheet), "A|kim|3\n.|lee|4");
//   EXPECT_EQ(f.events.Joined(), "Initialize()");
//
// Members are declared in the order they must outlive each other: the sheet raises
// Terminate to the sink and saves its settings to the platform when it is destroyed.
#pragma once

#include <cstdint>
#include <string>

#include "support/recording_events.h"
#include "zelsheet/property_bag.h"
#include "zelsheet/testing.h"
#include "zelsheet/zel_sheet.h"

namespace zel::testing {

struct SheetFixture {
  // A sheet created and loaded from `bag` (by default an empty one, as a new form has).
  explicit SheetFixture(const PropertyBag& bag = PropertyBag{}) : sheet(platform, events) {
    sheet.ReadProperties(bag);
  }
  // Stored properties from key/value pairs: SheetFixture::Bag({{"Info", "..."}}).
  static PropertyBag Bag(std::initializer_list<std::pair<std::string, std::string>> values) {
    PropertyBag bag;
    for (const auto& [key, value] : values) bag.WriteProperty(key, value);
    return bag;
  }

  // The sheet's grid; pointed at cell (col, row) so that a cell property reads in one line:
  // `f.At(2, 0).ForeColor()`. The text shown in cell (col, row).
  Grid& grid() { return sheet.GetSheet(); }
  Grid& At(int32_t col, int32_t row) {
    grid().Col(col);
    grid().Row(row);
    return grid();
  }
  std::string Text(int32_t col, int32_t row) const {
    std::string text;
    sheet.GetSheet().GetText(col, row, text);
    return text;
  }

  ScriptedPlatform platform;
  RecordingEvents events;
  ZelSheet sheet;
};

// Which part of the sheet RenderSheet shows. -1 means: rows up to the grid's DataRowCnt,
// columns up to the grid's DataColCnt.
struct RenderRange {
  int32_t from_row = 1;
  int32_t to_row = -1;
  int32_t cols = -1;
};

// One line per grid row: the row header text (the row status; "." when empty), then the
// shown text of each grid column from 1, each after a "|". Lines are joined by "\n".
//   "A|kim|3\n.|lee|4"  -- row 1 added, row 2 unchanged
inline std::string RenderSheet(const ZelSheet& sheet, RenderRange range = {}) {
  const Grid& grid = sheet.GetSheet();
  const int32_t toRow = range.to_row < 0 ? grid.DataRowCnt() : range.to_row;
  const int32_t cols = range.cols < 0 ? grid.DataColCnt() : range.cols;
  std::string out;
  for (int32_t r = range.from_row; r <= toRow; ++r) {
    if (!out.empty()) out += '\n';
    std::string cell;
    grid.GetText(0, r, cell);
    out += cell.empty() ? "." : cell;
    for (int32_t c = 1; c <= cols; ++c) {
      cell.clear();
      grid.GetText(c, r, cell);
      out += '|';
      out += cell;
    }
  }
  return out;
}

}  // namespace zel::testing
