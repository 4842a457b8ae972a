// Paints one grid into a rectangle of a screen buffer, reading it only through its
// read-only view (zelsheet/grid_view.h): the visible layout of the grid's own viewport and
// the look of each cell shown, nothing else, so a grid of a million rows paints as fast as
// one of ten.
//
// Geometry: one column-width unit is one character cell and the default row height one
// line (kTwipsPerCharCell, kTwipsPerTextLine). A character cell belongs to the column (row)
// that holds its centre, so widths that are not whole characters still tile the screen
// without gaps, and a point on the screen maps back to a twip position inside the very
// cell painted there (PointToTwips), which is what the grid's own hit-testing then finds.
//
// Each cell shows its text aligned as its look says, in its colours; a text too wide for its
// cell is cut (never in the middle of a character) and ends in "…", a number too wide shows
// "#" marks instead. A column cut by the area's edge shows what fits, unmarked. The last
// character cell of each column is the grid line. Check boxes show "[x]" or "[ ]" and their caption, buttons their caption in
// brackets, combo boxes their chosen item, spans one text over the whole span, a merged
// run its text once. The active cell is shown reversed; the cell being edited shows the
// editor's text with the terminal cursor at the caret; an open combo box shows its list
// under the cell (above it when there is no room below).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tui/screen_buffer.h"
#include "zelsheet/grid.h"
#include "zelsheet/grid_view.h"

namespace zel::tui {

// What the host knows beyond the grid: whether the grid has the input focus (the active
// cell, the editor and an open combo list are shown only then).
struct PaintState {
  bool focused = true;
};

class GridPainter {
 public:
  explicit GridPainter(const Grid& grid);

  // The viewport (twips) that `area` of the screen shows: what the host gives the grid
  // (Grid::SetViewport) so that the grid scrolls and hit-tests over what is painted.
  static void AreaTwips(const Rect& area, int32_t& width, int32_t& height);
  // Rounds the data rows' height and each header row's height to whole lines, at least one.
  // A row shorter than a line would otherwise be left out between its neighbours (the
  // 10.2-point rows of the usual font are 0.85 of a line). A host calls it once the sheet
  // has taken its stored heights, before the rows come.
  static void FitRowHeightsToLines(Grid& grid);

  // Paints the grid's session viewport (scroll position) into `area` of `screen`.
  void Paint(ScreenBuffer& screen, const Rect& area, const PaintState& state = {});

  // The layout of the last Paint, and where its lines landed on the screen.
  const VisibleLayout& Layout() const { return layout_; }
  struct Span {
    int32_t index = 0;  // column or row address
    int first = 0;      // first screen column (line)
    int end = 0;        // one past the last
    bool cut = false;   // the area's edge cuts it: its grid line is beyond the edge
  };
  const std::vector<Span>& Columns() const { return cols_; }
  const std::vector<Span>& Rows() const { return rows_; }

  // The twip point (from the grid's top-left corner) inside the cell painted at screen
  // position (y, x) of the last Paint; false outside its area. On a column's grid line in
  // the header rows the point is the column's edge, where a drag resizes it.
  bool PointToTwips(int y, int x, float& tx, float& ty) const;
  // The screen rectangle of cell (col, row) in the last Paint; false when it was not shown.
  bool CellRect(int32_t col, int32_t row, Rect& out) const;

 private:
  // `line`: 0 none (the edge cuts the cell), 1 a grid line, 2 the double line after the
  // frozen columns.
  void PaintCell(ScreenBuffer& screen, const Rect& rect, int32_t col, int32_t row, int line,
                 const PaintState& state);
  void PaintEditor(ScreenBuffer& screen, const Rect& rect, int text_width, const Style& style);
  void PaintComboList(ScreenBuffer& screen, const Rect& area);
  void SpanRect(int32_t anchor_col, int32_t anchor_row, int32_t cols, int32_t rows, Rect& rect) const;

  const Grid& grid_;
  GridView view_;
  VisibleLayout layout_;
  CellLook look_;
  Rect area_;
  std::vector<Span> cols_, rows_;
  std::vector<std::pair<int32_t, int32_t>> painted_spans_;
  std::vector<std::string> combo_items_;
  std::string text_;
  std::string cut_;  // a line cut to its cell, with its mark
};

}  // namespace zel::tui
