// The read-only view of a grid: what a renderer or an exporter reads to paint or copy it,
// without moving the grid's cursor (Col, Row, BlockMode, ...) that the sheet itself uses.
//
// Three questions and one signal:
//   - GridView::Cell: how one cell looks and what it shows, every level of formats applied;
//   - GridView::Layout: which rows and columns a viewport shows, in what order and where,
//     computed in time proportional to what is shown (not to the row index);
//   - HitTest: what lies under a point of that layout (a cell, a header, a border, the empty
//     area beyond the last row or column);
//   - Grid::ChangeCount and GridChangeListener: something changed, and which rows and
//     columns it touched, so that a view repaints only those.
//
// Units
//   Positions and sizes in a layout are twips (1/1440 inch), the unit of the grid's geometry
//   members (GetCellPos, SetViewport). A column of width w (Grid::ColWidth: characters of the
//   default font) is w * 120 twips wide (Grid::kTwipsPerColUnit); a row of height h
//   (Grid::RowHeight: points) is h * 20 twips high (Grid::kTwipsPerRowUnit). A renderer that
//   paints character cells takes one column-width unit as one character cell and the default
//   row height (12 points) as one line of text: kTwipsPerCharCell and kTwipsPerTextLine
//   below. A terminal of 80 x 24 characters is then a viewport of 9,600 x 5,760 twips, and
//   a layout position x lands in character column x / 120.
//
// Lifetime: a view holds a reference to its grid, which must outlive it. Reading through a
// view never changes the grid. A CellLook or a VisibleLayout is a copy: it stays as it was
// when the grid changes; read it again after a change.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "zelsheet/grid.h"

namespace zel {

// The usual mapping of a character-cell renderer (see Units above).
inline constexpr int32_t kTwipsPerCharCell = 120;
inline constexpr int32_t kTwipsPerTextLine = 240;

// How one cell looks and what it shows.
struct CellLook {
  // The text to paint: the shown text (a float with its decimal places and separators, a
  // combo its item, a check box "1", "0" or ""), a header cell's automatic label when it is
  // empty (ColHeaderDisplay, RowHeaderDisplay), one "*" per character in a password cell.
  std::string text;
  // The cell kind (GridCellKind). A header cell (in a header row) takes only a kind set on
  // its header row or on the cell itself, so a whole-column kind never turns a title into,
  // say, a check box; without one it is kCellStatic.
  int16_t kind = kCellEdit;
  int16_t h_align = 0;  // 0 left, 1 right, 2 centre
  int16_t v_align = 0;  // 0 top, 1 bottom, 2 centre
  // The text may take several lines: static cells with word wrap, multi-line edit cells.
  bool wrap = false;
  // LockCells after every level. The user cannot edit the cell when it is locked and the
  // grid's Protect is on (`protect`).
  bool locked = false;
  bool protect = false;
  // Colours after every level, in the order the grid applies them:
  //   header cells (a header row or a row-header column): a colour set on the cell, its row
  //     or (row-header columns) its column, else HeaderBackColor / HeaderForeColor;
  //   data cells: selected cells the selection colours (SelBackColor, SelForeColor);
  //     otherwise a colour set on the cell, its row or its column (the newest setting wins);
  //     where none was, the alternate row colours when they are set (SetOddEvenRowColor),
  //     else for a locked cell under Protect the locked-cell colours, else the sheet's.
  Color back = 0xFFFFFF;
  Color fore = 0;
  GridFont font;
  // Kind settings a painter needs: a check box's state (true for "1") and caption, centred
  // or not; a button's caption and colours.
  bool checked = false;
  bool check_center = false;
  std::string caption;  // TypeCheckText of a check box, TypeButtonText of a button
  Color button_color = 0;
  Color button_text_color = 0;
  // The span covering the cell: its anchor and size (the cell itself and 1 x 1 when none).
  // Only the anchor's look and text are painted, over the whole span.
  int32_t span_col = 0, span_row = 0;
  int32_t span_cols = 1, span_rows = 1;
  // Merged display (ColMerge, RowMerge): the cell joins the run of equal texts of the cell
  // above (column merge) / to its left (row merge). A painter shows a run's text once and no
  // grid line inside the run. Grid::GetMergedRange gives the whole run.
  bool merged_up = false;
  bool merged_left = false;
  bool hidden = false;    // its column or row is hidden (a layout leaves it out)
  bool selected = false;  // inside a selected block
  bool active = false;    // the active cell
};

// What a layout is computed for: the painted area and the scroll position.
struct GridViewport {
  int32_t width = 0;   // twips; the area's size
  int32_t height = 0;
  int32_t top_row = 1;   // first scrolled (non-frozen) row shown
  int32_t left_col = 1;  // first scrolled (non-frozen) column shown
};

// One column or row of a layout.
struct LayoutLine {
  enum Area : uint8_t { kHeader, kFrozen, kScrolled };
  int32_t index = 0;  // the column or row address (a header: 0 or -1000 + n)
  int32_t pos = 0;    // twips from the grid's left (columns) or top (rows) edge
  int32_t size = 0;   // twips, > 0
  Area area = kScrolled;
};

// The columns and rows a viewport shows, in painting order: header columns (rows) when the
// grid displays them, then the frozen ones, then the scrolled ones from the viewport's
// LeftCol (TopRow) on. Hidden columns and rows (and those of zero size) are left out. The
// last column (row) may be cut by the viewport's edge: its pos is inside, pos + size may not
// be.
struct VisibleLayout {
  std::vector<LayoutLine> cols;
  std::vector<LayoutLine> rows;
  int32_t width = 0;   // the viewport it was computed for
  int32_t height = 0;
  // Where the laid-out columns (rows) end: pos + size of the last one, at most the viewport.
  int32_t used_width = 0;
  int32_t used_height = 0;
};

// What lies under a point of a layout.
struct GridHit {
  enum Part : uint8_t {
    kOutside,    // outside the viewport (col and row are -1)
    kCell,       // a data cell
    kColHeader,  // a header row's cell above a data column (row: the header row's address)
    kRowHeader,  // a row-header column's cell of a data row (col: 0 or -1000 + n)
    kCorner,     // a cell where the header rows and the row-header columns meet
    kColBorder,  // the right edge of column `col`, within the header rows (where a drag
                 //   resizes the column)
    kRowBorder,  // the bottom edge of row `row`, within the row-header columns
    kEmpty,      // inside the viewport, beyond the last column or row shown
  };
  Part part = kOutside;
  // The column and row under the point; -1 on an axis where no column (row) is there.
  int32_t col = -1;
  int32_t row = -1;
};

// A point (twips from the grid's top-left corner) in `layout`. A point within `borderSlack`
// twips of a column's right edge in the header rows is that column's border (the same for
// rows in the row-header columns); a character-cell host passes half a character cell.
inline constexpr int32_t kDefaultBorderSlack = 45;  // three pixels at 15 twips each
GridHit HitTest(const VisibleLayout& layout, int32_t x, int32_t y,
                int32_t borderSlack = kDefaultBorderSlack);

// A part of the grid that changed. Columns col1..col2 and rows row1..row2 (addresses,
// header ones included; -1 on both ends of an axis means all of it, headers included) may
// show differently now. `layout` is true when positions may have moved too: sizes, hidden
// or frozen rows and columns, the scroll position, rows or columns added or removed; a view
// computes its layout again then. `count` is Grid::ChangeCount after the change.
struct GridChange {
  int32_t col1 = -1, row1 = -1, col2 = -1, row2 = -1;
  bool layout = false;
  uint64_t count = 0;
};

// Told what changed. The grid holds one (Grid::SetChangeListener, not owned). Changes made
// while ReDraw is false are gathered and told once, as the smallest block that covers them,
// when ReDraw turns true again. The listener must not change the grid.
class GridChangeListener {
 public:
  virtual ~GridChangeListener() = default;
  virtual void GridChanged(const GridChange& change) = 0;
};

class GridView {
 public:
  explicit GridView(const Grid& grid);
  ~GridView();
  GridView(const GridView&) = delete;
  GridView& operator=(const GridView&) = delete;

  // The look of (col, row): any cell address, headers included (no -1). Throws GridError
  // for an address outside the grid. `out` is overwritten; reusing one CellLook for many
  // cells keeps its strings' memory.
  void Cell(int32_t col, int32_t row, CellLook& out) const;

  // The items of the combo box list of (col, row) as the user chooses among them (the list
  // that applies to the cell, each item's text as shown), into `out` (overwritten; empty
  // for a cell without a list). Throws GridError for an address outside the grid.
  void ComboItems(int32_t col, int32_t row, std::vector<std::string>& out) const;

  // The layout of `viewport` into `out` (overwritten). A scroll position beyond the grid
  // shows the frozen and header lines only; a viewport of zero width or height shows
  // nothing on that axis. Time proportional to the lines shown (and hidden rows skipped).
  void Layout(const GridViewport& viewport, VisibleLayout& out) const;
  // The viewport the grid itself keeps: SetViewport's size, TopRow and LeftCol.
  GridViewport SessionViewport() const;

 private:
  struct Cache;
  const Grid& grid_;
  std::unique_ptr<Cache> cache_;
};

}  // namespace zel
