// The grid engine: the spreadsheet model the sheet draws and edits its cells through.
//
// Addressing
//   Columns and rows are 1-based up to MaxCols()/MaxRows(). Row 0 is the column header row,
//   column 0 the row header column. With several header rows (ColHeaderRows) header row n
//   (0 <= n < ColHeaderRows) is row -1000 + n, so row 0 and row -1000 are the same row; with
//   several row-header columns (RowHeaderCols) header column n is column -1000 + n. A value
//   of -1 means "all": (c, -1) is the whole column c (its header rows included), (-1, r) the
//   whole row r, (-1, -1) every cell, (0, -1) the row header column, (-1, 0) the column
//   header row.
//
// The current cell and the block
//   Cell properties (Text, Value, CellType and its Type* settings, colours, fonts, LockCells,
//   CellTag, ...) act on the current cell (Col, Row). With BlockMode true, writes act on the
//   block Col..Col2 x Row..Row2 (either end may be given first; -1 on both ends of an axis
//   means all of that axis) and reads report the cell (Col, Row). Reading a property of a
//   whole column or row (Row or Col -1) reports that column's or row's own setting.
//
// Formats are stored hierarchically and sparsely: sheet -> column -> row -> cell. Each
//   setting remembers when it was written and the most recent write that covers a cell
//   decides, so formatting a whole column of a million rows is one write, and a later column
//   format overrides earlier cell formats in that column exactly as if every cell had been
//   written.
//
// Errors
//   A bad index or a refused value throws zel::GridError whose message names the member and
//   the offending value ("SetText: column 12 is beyond MaxCols 10"). Nothing reads or writes
//   out of bounds. Members never catch their own errors; what was done before the failure
//   stays done.
//
// Properties are overloaded pairs: `T Name() const` reads, `void Name(T)` writes.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "zelsheet/types.h"

namespace zel {

class Clipboard;
class GridChangeListener;

namespace internal {
struct GridState;
struct GridAccess;
}

// Cell kinds: the values of Grid::CellType.
enum GridCellKind : int16_t {
  kCellDate = 0,
  kCellEdit = 1,
  kCellFloat = 2,
  kCellInteger = 3,
  kCellPattern = 4,  // masked edit: TypePicMask, "X" a placeholder
  kCellStatic = 5,
  kCellTime = 6,
  kCellButton = 7,
  kCellComboBox = 8,
  kCellPicture = 9,
  kCellCheckBox = 10,
  kCellNumber = 13,  // like float; shares the TypeFloat* settings
};

// Codes of Grid::Action.
enum GridAction : int32_t {
  kActionActiveCell = 0,     // make (Col, Row) the active cell
  kActionGotoCell = 1,       // as 0, and scroll so that it is at the top left
  kActionSelectBlock = 2,    // select the block Col..Col2 x Row..Row2 (replaces the selection)
  kActionClear = 3,          // clear texts and cell-level formats of the block
  kActionDeleteCol = 4,      // delete column Col (with BlockMode: Col..Col2); MaxCols stays
  kActionDeleteRow = 5,      // delete row Row (with BlockMode: Row..Row2); MaxRows stays
  kActionInsertCol = 6,      // insert an empty column at Col (with BlockMode: Col2-Col+1 of them)
  kActionInsertRow = 7,      // insert an empty row at Row (with BlockMode: Row2-Row+1 of them)
  kActionClearText = 12,     // clear the texts of the block
  kActionDeselectBlock = 14, // clear the selection
  kActionSetBorder = 16,     // SetCellBorder on the block with CellBorderType/Style/Color
  kActionCopyBlock = 19,     // copy the block to (DestCol, DestRow): texts, kinds, settings,
                             //   colours, tags; whole columns also carry their item data
  kActionClipboardPaste = 20,  // paste the clipboard text at the active cell (or selection)
  kActionClipboardCut = 21,    // copy the selection to the clipboard, then clear its texts
  kActionClipboardCopy = 22,   // copy the selection to the clipboard
  kActionSort = 25,            // sort the block by SortBy, SortKey(n), SortKeyOrder(n)
  kActionComboClear = 26,      // clear the combo lists of the block
};

// Values of Grid::SortKeyOrder.
enum GridSortOrder : int16_t { kSortNone = 0, kSortAscending = 1, kSortDescending = 2 };

// Values of Grid::SortBy.
enum GridSortBy : int16_t { kSortByRow = 0, kSortByCol = 1 };

// Values of Grid::ColMerge / Grid::RowMerge.
enum GridMerge : int16_t { kMergeNone = 0, kMergeAlways = 1, kMergeRestricted = 2 };

// Bits of Grid::CellBorderType and the index of SetCellBorder.
enum GridBorder : int16_t {
  kBorderLeft = 1,
  kBorderRight = 2,
  kBorderTop = 4,
  kBorderBottom = 8,
  kBorderOutline = 16,  // the outer edges of the block only
};

// A font as the Font property carries it.
struct GridFont {
  std::string name = "Arial";
  float size = 9.0f;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikethru = false;
  int16_t charset = 1;  // font character set; 1 = the system default
  bool operator==(const GridFont&) const = default;
};

// Receives what the grid's user does. The grid holds one listener (not owned). Every member
// does nothing by default. The grid raises these only for user input (fed by the host, a
// later part of the engine); programmatic changes (SetText, Action, Col/Row...) raise nothing.
class GridListener {
 public:
  virtual ~GridListener() = default;
  virtual void Click(int32_t /*col*/, int32_t /*row*/) {}
  virtual void DblClick(int32_t /*col*/, int32_t /*row*/) {}
  virtual void KeyDown(int16_t& /*keyCode*/, int16_t& /*shift*/) {}
  virtual void KeyPress(int16_t& /*keyAscii*/) {}
  virtual void KeyUp(int16_t& /*keyCode*/, int16_t& /*shift*/) {}
  virtual void MouseDown(int16_t& /*button*/, int16_t& /*shift*/, float& /*x*/, float& /*y*/) {}
  virtual void MouseMove(int16_t& /*button*/, int16_t& /*shift*/, float& /*x*/, float& /*y*/) {}
  virtual void MouseUp(int16_t& /*button*/, int16_t& /*shift*/, float& /*x*/, float& /*y*/) {}
  virtual void TopLeftChange(int32_t /*oldLeft*/, int32_t /*oldTop*/, int32_t /*newLeft*/,
                             int32_t /*newTop*/) {}
  virtual void SelChange(int32_t /*blockCol*/, int32_t /*blockRow*/, int32_t /*blockCol2*/,
                         int32_t /*blockRow2*/, int32_t /*curCol*/, int32_t /*curRow*/) {}
  virtual void RowHeightChange(int32_t /*row1*/, int32_t /*row2*/) {}
  virtual void ColWidthChange(int32_t /*col1*/, int32_t /*col2*/) {}
  virtual void RightClick(int16_t /*clickType*/, int32_t /*col*/, int32_t /*row*/,
                          int32_t /*mouseX*/, int32_t /*mouseY*/) {}
  virtual void LeaveRow(int32_t /*row*/, bool /*rowWasLast*/, bool /*rowChanged*/,
                        bool /*allCellsHaveData*/, int32_t /*newRow*/, int32_t /*newRowIsLast*/,
                        bool& /*cancel*/) {}
  virtual void LeaveCell(int32_t /*col*/, int32_t /*row*/, int32_t /*newCol*/,
                         int32_t /*newRow*/, bool& /*cancel*/) {}
  virtual void EnterRow(int32_t /*row*/, int32_t /*rowIsLast*/) {}
  virtual void EditMode(int32_t /*col*/, int32_t /*row*/, int16_t /*mode*/, bool /*changeMade*/) {}
  virtual void EditChange(int32_t /*col*/, int32_t /*row*/) {}
  virtual void DragDropBlock(int32_t /*col*/, int32_t /*row*/, int32_t /*col2*/, int32_t /*row2*/,
                             int32_t /*newCol*/, int32_t /*newRow*/, int32_t /*newCol2*/,
                             int32_t /*newRow2*/, bool /*overwrite*/, int16_t& /*action*/,
                             bool& /*dataOnly*/, bool& /*cancel*/) {}
  virtual void ComboSelChange(int32_t /*col*/, int32_t /*row*/) {}
  virtual void ComboDropDown(int32_t /*col*/, int32_t /*row*/) {}
  virtual void ComboCloseUp(int32_t /*col*/, int32_t /*row*/, int16_t /*selChange*/) {}
  virtual void Change(int32_t /*col*/, int32_t /*row*/) {}
  virtual void ButtonClicked(int32_t /*col*/, int32_t /*row*/, int16_t /*buttonDown*/) {}
  virtual void BlockSelected(int32_t /*blockCol*/, int32_t /*blockRow*/, int32_t /*blockCol2*/,
                             int32_t /*blockRow2*/) {}
  virtual void TextTipFetch(int32_t /*col*/, int32_t /*row*/, int16_t& /*multiLine*/,
                            int32_t& /*tipWidth*/, std::string& /*tipText*/, bool& /*showTip*/) {}
  virtual void Validate(int32_t /*col*/, int32_t /*row*/, bool& /*cancel*/) {}
  virtual void GotFocus() {}
  virtual void LostFocus() {}
  // OLEDrag() was called: the host starts a drag of the selection's text.
  virtual void OleDragStart(const std::string& /*text*/) {}
};

class Grid {
 public:
  // Units: column widths are in characters of the default font (1 unit = 120 twips), row
  // heights in points (1 unit = 20 twips). A new grid has MaxCols 500 and MaxRows 500, one
  // header row and one row-header column, every cell an empty edit cell, no selection, the
  // active cell (1, 1).
  static constexpr double kTwipsPerColUnit = 120.0;
  static constexpr double kTwipsPerRowUnit = 20.0;
  static constexpr double kDefaultColWidth = 8.0;
  static constexpr double kDefaultRowHeight = 12.0;
  // Limits: a grid holds at most kMaxDims rows and kMaxColCount columns; at most
  // kMaxHeaders header rows and row-header columns; a cell text is at most kMaxTextBytes bytes.
  static constexpr int32_t kMaxDims = 100'000'000;
  static constexpr int32_t kMaxColCount = 100'000;
  static constexpr int32_t kMaxHeaders = 100;
  static constexpr size_t kMaxTextBytes = 0x7FFFFFFF;

  Grid();
  ~Grid();
  Grid(Grid&&) noexcept;
  Grid& operator=(Grid&&) noexcept;
  Grid(const Grid&) = delete;
  Grid& operator=(const Grid&) = delete;

  // ---- Services --------------------------------------------------------------------------
  // The clipboard the copy, cut and paste actions use (not owned; nullptr detaches). Without
  // one the grid keeps its own in-process clipboard text.
  void AttachClipboard(Clipboard* clipboard);
  // The one listener of user-input events (not owned; nullptr detaches).
  void SetListener(GridListener* listener);
  GridListener* Listener() const;
  // Change tracking for views (zelsheet/grid_view.h): the counter moves on with every change
  // of what a view shows (content, formats, layout, selection, the active cell); the one
  // change listener (not owned; nullptr detaches) is told which rows and columns changed.
  uint64_t ChangeCount() const;
  void SetChangeListener(GridChangeListener* listener);

  // ---- Size and addressing ---------------------------------------------------------------
  // Number of data rows (0..kMaxDims) / columns (0..kMaxColCount). Raising adds empty ones;
  // lowering removes the last ones with everything in them; MaxRows(0) removes all data
  // rows. Frozen counts, the active cell, the scroll position, spans and the selection are
  // brought inside the new size.
  int32_t MaxRows() const;
  void MaxRows(int32_t rows);
  int32_t MaxCols() const;
  void MaxCols(int32_t cols);
  // Header rows (1..kMaxHeaders) and row-header columns (1..kMaxHeaders).
  int32_t ColHeaderRows() const;
  void ColHeaderRows(int32_t rows);
  int32_t RowHeaderCols() const;
  void RowHeaderCols(int32_t cols);

  // The current cell for property access and the other corner of the block. Col and Row
  // accept -1, 0 .. Max, and header addresses -1000 + n; they are checked when used.
  int32_t Col() const;
  void Col(int32_t col);
  int32_t Row() const;
  void Row(int32_t row);
  int32_t Col2() const;
  void Col2(int32_t col);
  int32_t Row2() const;
  void Row2(int32_t row);
  bool BlockMode() const;
  void BlockMode(bool on);
  // Destination of Action 19 (-1 keeps whole columns / rows whole).
  int32_t DestCol() const;
  void DestCol(int32_t col);
  int32_t DestRow() const;
  void DestRow(int32_t row);

  // ---- Content ---------------------------------------------------------------------------
  // Writes `value` into one cell (no -1). The cell's kind decides what is stored: float,
  // integer and number cells keep the leading numeric part as a number (rounded to their
  // decimal places; "" empties them), a check box keeps "1" for "1", "" for "" and "0" for
  // anything else, a combo box selects the item whose text equals `value` (an editable combo
  // also keeps any other text; a non-editable one ignores it), every other kind keeps the
  // text as given. Limits (minimum, maximum, maximum length) govern typing, not SetText.
  void SetText(int32_t col, int32_t row, std::string_view value);
  // The cell's text as shown (a float with its decimal places and separators, a check box
  // "1"/"0"/"", a combo its selected item) into `out`. Returns true when it is not empty.
  bool GetText(int32_t col, int32_t row, std::string& out) const;
  // The current cell's shown text; writing sets the current cell (or, with BlockMode, every
  // cell of the block; -1 allowed) as SetText does.
  std::string Text() const;
  void Text(std::string_view value);
  // The current cell's plain value: the number of a float, integer or number cell as plain
  // decimal text ("12.5", no separators; "" when empty), the text elsewhere. Writing is as
  // Text.
  std::string Value() const;
  void Value(std::string_view value);
  // Typed writes; store `value` as a number in a cell of any kind (shown as plain decimal
  // text outside float, integer and number cells). Return true.
  bool SetFloat(int32_t col, int32_t row, double value);
  bool SetInteger(int32_t col, int32_t row, int32_t value);
  // Block access: rows of cells. GetArray fills out[i][j] with the shown text of
  // (colLeft + j, rowTop + i) for the dimensions `out` already has, leaving entries beyond the
  // grid empty; returns false when no cell of the area is inside the grid. SetArray writes
  // values[i][j] to (colLeft + j, rowTop + i), skipping what falls outside; returns true when
  // at least one cell was written.
  bool GetArray(int32_t colLeft, int32_t rowTop, std::vector<std::vector<std::string>>& out) const;
  bool SetArray(int32_t colLeft, int32_t rowTop, const std::vector<std::vector<std::string>>& values);
  // The block's texts as TAB-separated cells and CR LF-ended rows (Clip); ClipValue the same
  // with plain values. Writing pastes such text at the block's top-left corner, within the
  // block when BlockMode is on.
  std::string Clip() const;
  void Clip(std::string_view text);
  std::string ClipValue() const;
  void ClipValue(std::string_view text);

  // Calls `found(col, row)` for every data cell (columns 1..MaxCols, rows 1..DataRowCnt,
  // hidden ones left out) whose shown text holds `text`, ASCII letters compared without
  // regard to case; column by column, each top-down. An empty `text` is in every non-empty
  // cell. Reads the cells in place: time proportional to the texts looked at.
  void FindText(std::string_view text,
                const std::function<void(int32_t col, int32_t row)>& found) const;

  // The last data row holding a non-empty cell in a data column (column >= 1), 0 when none.
  // O(1): kept up to date by every write, insert, delete, clear and sort.
  int32_t DataRowCnt() const;
  // The last data column holding a non-empty cell in a data row, 0 when none.
  int32_t DataColCnt() const;
  // DataColCnt and DataRowCnt together. Returns true when the grid holds data.
  bool GetLastValidCell(int32_t& col, int32_t& row) const;

  // The "user changed something" flag; the grid sets it when the user commits an edit.
  bool ChangeMade() const;
  void ChangeMade(bool changed);
  // A free text kept with the current cell (block: every cell); moves with its row and column.
  std::string CellTag() const;
  void CellTag(std::string_view tag);
  // A note kept with the current cell (block: every cell), shown by the indicator.
  std::string CellNote() const;
  void CellNote(std::string_view note);
  int16_t CellNoteIndicator() const;
  void CellNoteIndicator(int16_t indicator);
  bool IsFetchCellNote() const;
  void IsFetchCellNote(bool fetch);
  // Text shown for (col, row) by a renderer: the shown text, or for an empty header cell the
  // automatic label (ColHeaderDisplay / RowHeaderDisplay: 1 numbers, 2 letters).
  std::string DisplayText(int32_t col, int32_t row) const;

  // ---- Cell kind and its settings (current cell or block) ---------------------------------
  int16_t CellType() const;
  void CellType(int16_t kind);
  // Alignment: horizontal 0 left, 1 right, 2 centre; vertical 0 top, 1 bottom, 2 centre.
  int16_t TypeHAlign() const;
  void TypeHAlign(int16_t align);
  int16_t TypeVAlign() const;
  void TypeVAlign(int16_t align);
  // Edit cells: maximum length in characters (0 = none), character case (0 lower, 1 as
  // typed, 2 upper), character filter (0 any, 1 letters, 2 letters and digits, 3 digits),
  // multi-line, password.
  int32_t TypeMaxEditLen() const;
  void TypeMaxEditLen(int32_t length);
  int16_t TypeEditCharCase() const;
  void TypeEditCharCase(int16_t charCase);
  int16_t TypeEditCharSet() const;
  void TypeEditCharSet(int16_t filter);
  bool TypeEditMultiLine() const;
  void TypeEditMultiLine(bool multiLine);
  bool TypeEditPassword() const;
  void TypeEditPassword(bool password);
  // Float and number cells: limits, decimal places (0..15), thousands separators in the
  // shown text (the option flag), currency sign.
  double TypeFloatMin() const;
  void TypeFloatMin(double min);
  double TypeFloatMax() const;
  void TypeFloatMax(double max);
  int16_t TypeFloatDecimalPlaces() const;
  void TypeFloatDecimalPlaces(int16_t places);
  bool TypeFloatSeparator() const;
  void TypeFloatSeparator(bool separator);
  bool TypeFloatMoney() const;
  void TypeFloatMoney(bool money);
  // Integer cells: limits.
  int32_t TypeIntegerMin() const;
  void TypeIntegerMin(int32_t min);
  int32_t TypeIntegerMax() const;
  void TypeIntegerMax(int32_t max);
  // Combo boxes: the list (every item ended by a TAB), the item count, an item by index
  // (TypeComboBoxIndex chooses which item TypeComboBoxString reads), the selected item
  // (-1 none; writing selects item n, -1 clears the cell), the editable flag.
  std::string TypeComboBoxList() const;
  void TypeComboBoxList(std::string_view list);
  int32_t TypeComboBoxCount() const;
  int32_t TypeComboBoxIndex() const;
  void TypeComboBoxIndex(int32_t index);
  std::string TypeComboBoxString() const;
  int32_t TypeComboBoxCurSel() const;
  void TypeComboBoxCurSel(int32_t index);
  bool TypeComboBoxEditable() const;
  void TypeComboBoxEditable(bool editable);
  // Check boxes: caption, centred, type (0 two-state, 1 three-state).
  std::string TypeCheckText() const;
  void TypeCheckText(std::string_view text);
  bool TypeCheckCenter() const;
  void TypeCheckCenter(bool center);
  int16_t TypeCheckType() const;
  void TypeCheckType(int16_t type);
  // Buttons: caption, face colour, caption colour.
  std::string TypeButtonText() const;
  void TypeButtonText(std::string_view text);
  Color TypeButtonColor() const;
  void TypeButtonColor(Color color);
  Color TypeButtonTextColor() const;
  void TypeButtonTextColor(Color color);
  // Pattern cells: the mask, "X" a placeholder, every other character a literal.
  std::string TypePicMask() const;
  void TypePicMask(std::string_view mask);
  // Picture cells: the picture (an image file name or handle text the renderer loads).
  std::string TypePictPicture() const;
  void TypePictPicture(std::string_view picture);
  // Static text: word wrap.
  bool TypeTextWordWrap() const;
  void TypeTextWordWrap(bool wrap);
  // Date cells: century shown, format code, separator character code.
  bool TypeDateCentury() const;
  void TypeDateCentury(bool century);
  int16_t TypeDateFormat() const;
  void TypeDateFormat(int16_t format);
  int16_t TypeDateSeparator() const;
  void TypeDateSeparator(int16_t separator);
  // Time cells: seconds shown.
  bool TypeTimeSeconds() const;
  void TypeTimeSeconds(bool seconds);

  // ---- Style (current cell or block) -----------------------------------------------------
  // The cell lock: a locked cell cannot be edited by the user while Protect is on.
  bool LockCells() const;
  void LockCells(bool locked);
  Color BackColor() const;
  void BackColor(Color color);
  Color ForeColor() const;
  void ForeColor(Color color);
  std::string FontName() const;
  void FontName(std::string_view name);
  float FontSize() const;
  void FontSize(float size);
  bool FontBold() const;
  void FontBold(bool bold);
  bool FontItalic() const;
  void FontItalic(bool italic);
  bool FontUnderline() const;
  void FontUnderline(bool underline);
  bool FontStrikethru() const;
  void FontStrikethru(bool strikethru);
  int16_t FontCharSet() const;
  void FontCharSet(int16_t charset);
  GridFont Font() const;
  void Font(const GridFont& font);
  // Borders: SetCellBorder draws border `index` (GridBorder bits) of every cell of the block
  // in `color` with `style` (0 none, 1 solid, 2 dash, 3 dot...). The three properties are the
  // parameters of Action 16.
  void SetCellBorder(int32_t col, int32_t row, int32_t col2, int32_t row2, int16_t index,
                     Color color, int16_t style);
  int16_t CellBorderType() const;
  void CellBorderType(int16_t index);
  int16_t CellBorderStyle() const;
  void CellBorderStyle(int16_t style);
  Color CellBorderColor() const;
  void CellBorderColor(Color color);
  // The border of a cell on one side (index one of kBorderLeft..kBorderBottom).
  void GetCellBorder(int32_t col, int32_t row, int16_t index, Color& color, int16_t& style) const;

  // ---- Grid-wide colours and switches ----------------------------------------------------
  bool Protect() const;  // locks take effect (default true)
  void Protect(bool on);
  Color LockBackColor() const;
  void LockBackColor(Color color);
  Color LockForeColor() const;
  void LockForeColor(Color color);
  Color SelBackColor() const;
  void SelBackColor(Color color);
  Color SelForeColor() const;
  void SelForeColor(Color color);
  Color GridColor() const;
  void GridColor(Color color);
  Color GrayAreaBackColor() const;
  void GrayAreaBackColor(Color color);
  Color HeaderBackColor() const;  // the engine's own header colours
  void HeaderBackColor(Color color);
  Color HeaderForeColor() const;
  void HeaderForeColor(Color color);
  int16_t BackColorStyle() const;
  void BackColorStyle(int16_t style);
  // Alternate row colours of the data rows (odd = rows 1, 3, ...): a cell whose own back or
  // fore colour was never set shows these.
  void SetOddEvenRowColor(Color oddBack, Color oddFore, Color evenBack, Color evenFore);
  void GetOddEvenRowColor(Color& oddBack, Color& oddFore, Color& evenBack, Color& evenFore) const;
  // The colours a renderer paints (col, row) with: GridView::Cell's back and fore.
  void GetEffectiveColors(int32_t col, int32_t row, Color& back, Color& fore) const;

  // ---- Layout ----------------------------------------------------------------------------
  double ColWidth(int32_t col) const;  // col -1: the default width
  void ColWidth(int32_t col, double width);  // col -1: every column
  double RowHeight(int32_t row) const;
  void RowHeight(int32_t row, double height);
  bool ColHidden() const;  // of column Col (-1: every data column)
  void ColHidden(bool hidden);
  bool RowHidden() const;  // of row Row
  void RowHidden(bool hidden);
  // Frozen columns / rows: a count below 0 is refused, one beyond MaxCols / MaxRows freezes
  // them all (it is kept as MaxCols / MaxRows).
  int32_t ColsFrozen() const;
  void ColsFrozen(int32_t cols);
  int32_t RowsFrozen() const;
  void RowsFrozen(int32_t rows);
  // Merge mode of column Col / row Row (GridMerge): equal neighbours shown merged.
  int16_t ColMerge() const;
  void ColMerge(int16_t mode);
  int16_t RowMerge() const;
  void RowMerge(int16_t mode);
  // The merged run of equal cells (col, row) belongs to, as the renderer shows it (column
  // merge: rows; row merge: columns). Returns false when the cell is not merged.
  bool GetMergedRange(int32_t col, int32_t row, int32_t& col1, int32_t& row1, int32_t& col2,
                      int32_t& row2) const;
  // Spans: a cell covering numCols x numRows cells from (col, row). Refused (false) when it
  // would overlap another span or leave the grid; a 1 x 1 span removes a span anchored there.
  bool AddCellSpan(int32_t col, int32_t row, int32_t numCols, int32_t numRows);
  // The span covering (col, row): its anchor and size. Returns false (anchor = the cell,
  // size 1 x 1) when no span covers it.
  bool GetCellSpan(int32_t col, int32_t row, int32_t& anchorCol, int32_t& anchorRow,
                   int32_t& numCols, int32_t& numRows) const;
  // Removes the span anchored at (col, row); nothing when there is none.
  void RemoveCellSpan(int32_t col, int32_t row);
  // Column item data (an integer that moves with the column) and ColID (of column Col).
  int32_t GetColItemData(int32_t col) const;
  void SetColItemData(int32_t col, int32_t data);
  std::string ColID() const;
  void ColID(std::string_view id);
  // Scroll position: first non-frozen row / column shown.
  int32_t TopRow() const;
  void TopRow(int32_t row);
  int32_t LeftCol() const;
  void LeftCol(int32_t col);
  // Painting switch: false suspends painting (a renderer checks it).
  bool ReDraw() const;
  void ReDraw(bool on);
  // The painted area in twips (the host sets it when it lays the grid out).
  void SetViewport(int32_t widthTwips, int32_t heightTwips);
  // Unit conversions (see kTwipsPerColUnit, kTwipsPerRowUnit).
  double TwipsToColWidth(int32_t twips) const;
  int32_t ColWidthToTwips(double width) const;
  double TwipsToRowHeight(int32_t twips) const;
  int32_t RowHeightToTwips(double height) const;
  // The cell under a point (twips from the grid's top-left corner): header cells included;
  // -1 in a part that falls outside every cell.
  void GetCellFromScreenCoord(int32_t& col, int32_t& row, int32_t x, int32_t y) const;
  // Position and size (twips) of (col, row) in the painted area; false when not shown.
  bool GetCellPos(int32_t col, int32_t row, int32_t& x, int32_t& y, int32_t& width,
                  int32_t& height) const;
  // True when the cell is shown (fully, or at least partly when `partial`).
  bool IsVisible(int32_t col, int32_t row, bool partial) const;
  // Width (column units) / height (points) needed to show texts in full.
  double MaxTextColWidth(int32_t col) const;
  double MaxTextRowHeight(int32_t row) const;
  double MaxTextCellWidth() const;   // of the current cell
  double MaxTextCellHeight() const;

  // ---- Cursor and editing state ----------------------------------------------------------
  int32_t ActiveCol() const;
  int32_t ActiveRow() const;
  // Makes (col, row) the active cell without raising events.
  void SetActiveCell(int32_t col, int32_t row);
  bool EditMode() const;
  void EditMode(bool on);
  bool EditModePermanent() const;
  void EditModePermanent(bool on);
  bool EditModeReplace() const;
  void EditModeReplace(bool on);
  // The editor's selection while in edit mode (characters).
  int32_t SelStart() const;
  void SelStart(int32_t start);
  int32_t SelLength() const;
  void SelLength(int32_t length);
  std::string SelText() const;
  void SelText(std::string_view text);

  // ---- The user's input (grid_input.cpp, grid_edit.cpp, grid_mouse.cpp) -------------------
  // A host feeds the grid what its user does; the grid does what a spreadsheet grid does and
  // tells its listener, in the order a person expects. Keys are Windows virtual-key codes
  // (8 Backspace, 9 Tab, 13 Enter, 27 Escape, 33/34 Page Up/Down, 35 End, 36 Home, 37-40
  // Left/Up/Right/Down, 46 Delete, 113 F2, 115 F4, 67/86/88 C/V/X); `shift` is the modifier
  // state: 1 Shift, 2 Ctrl, 4 Alt, added together. Positions are twips from the grid's
  // top-left corner, the units of the read-only view's layout; the grid finds what lies
  // under them with the view's HitTest on its own viewport (SetViewport, TopRow, LeftCol),
  // so a renderer that paints that layout and the grid never disagree. Input the grid does
  // not know (an unmapped key, a point outside the cells) does nothing beyond the
  // listener's events. These members throw only what the listener throws; the grid's state
  // is whole before each event is raised.
  //
  // What the user can do: move the active cell (arrows, Tab and Shift+Tab, Home, End,
  // Ctrl+Home, Ctrl+End, Page Up/Down; a click), raising LeaveCell (its Cancel keeps the
  // cell; a listener that moves the active cell itself keeps its move), then LeaveRow and
  // EnterRow when the row changes, and TopLeftChange when the view scrolls to show the cell;
  // edit an unlocked cell by typing (EditMode 1, EditChange per change; Enter, a move or
  // leaving the grid commits: EditMode 0 and, when the text changed, Change; Escape cancels;
  // F2 or a double click edits the text in place, where Left and Right move the caret until
  // it reaches an end); tick a check box or press a button by a click or Space
  // (ButtonClicked); open a combo box list (a click, F4 or Alt+Down: ComboDropDown), choose
  // in it (Up/Down: ComboSelChange) and close it (Enter, Escape, F4, a click elsewhere:
  // ComboCloseUp); select a block by dragging or with Shift and the arrows (SelChange,
  // BlockSelected), whole rows from the row header and everything from the corner (as
  // SelectBlockOptions allows); resize a column or row by dragging a header border
  // (ColWidthChange, RowHeightChange); copy, cut and paste with Ctrl+C, Ctrl+X, Ctrl+V
  // through the grid's clipboard (the editor's selection while editing), each as
  // ClipboardOptions allows (bits: 1 copy, 2 cut, 4 paste); Ctrl+Enter types a line break
  // into a multi-line cell.
  //
  // Each cell kind's rules apply to typing: maximum length in characters and character case
  // and filter (edit cells), digits, one sign and the decimal places (float, number and
  // integer cells; out-of-range values are refused when the edit commits and the cell
  // keeps its text), the mask's placeholders (pattern cells).

  // A key went down. The listener's KeyDown comes first; Enter and Backspace then raise
  // KeyPress (13, 8) as the characters they type; unless the listener set the key (or the
  // character) to 0, the grid's action follows.
  void InputKeyDown(int16_t keyCode, int16_t shift);
  // A key went up: the listener's KeyUp.
  void InputKeyUp(int16_t keyCode, int16_t shift);
  // Characters typed (UTF-8, an input method's Hangul included): per character the
  // listener's KeyPress (its code; above 0x7FFF as the 16-bit pattern), then, unless the
  // listener set it to 0, the character goes into the editor (Space ticks a check box or
  // presses a button). CR or LF types Enter, TAB Tab, BS Backspace, ESC Escape; other
  // control characters, characters beyond 0xFFFF and invalid UTF-8 are dropped.
  void InputText(std::string_view utf8);
  // The pointer. `button`: 1 left, 2 right, 4 middle (MouseMove: the buttons held). The
  // listener hears MouseDown / MouseMove / MouseUp around the grid's own actions: a press on
  // a cell makes it active (Click), a second press of the same button on the same cell
  // within DoubleClickTime milliseconds (`timeMs` on any steady clock the host keeps) makes
  // DblClick instead; a right press raises RightClick (click type 0, 1 for a double one);
  // the release completes a check box tick or button press, a block drag (BlockSelected)
  // or a resize (ColWidthChange / RowHeightChange), before MouseUp.
  void InputMouseDown(int16_t button, int16_t shift, float x, float y, int64_t timeMs);
  void InputMouseMove(int16_t button, int16_t shift, float x, float y);
  void InputMouseUp(int16_t button, int16_t shift, float x, float y);
  // The pointer rests at (x, y): when TextTip is on and a data cell is there, the listener's
  // TextTipFetch fills a tip. Returns whether a tip is to be shown; `tip` then holds it.
  struct Tip {
    std::string text;
    int16_t multi_line = 0;
    int32_t width = 0;  // twips; 0 the renderer's choice
  };
  bool InputHover(float x, float y, Tip& tip);
  // The grid gained or lost the input focus. Losing it asks the listener's Validate; when
  // that cancels, the grid keeps the focus (and the edit) and this returns false. Otherwise
  // the edit is committed and LostFocus follows. Gaining raises GotFocus.
  bool InputFocus(bool gained);
  // The wheel turned `lines` rows (positive: down), or the scroll bars moved to (topRow,
  // leftCol); the view scrolls within the grid and TopLeftChange tells where.
  void InputWheel(int32_t lines);
  void InputScroll(int32_t topRow, int32_t leftCol);
  // Milliseconds within which two presses make a double click (default 500).
  int32_t DoubleClickTime() const;
  void DoubleClickTime(int32_t ms);
  // What the editor holds while the grid is in edit mode (else ""), for a renderer.
  std::string EditText() const;
  // Whether the active cell's combo box list is open, for a renderer.
  bool ComboDroppedDown() const;

  // ---- Selection -------------------------------------------------------------------------
  // Operation mode: 0 normal, 1 read only, 2 row mode, 3 single select, 4 multi select,
  // 5 extended select.
  int16_t OperationMode() const;
  void OperationMode(int16_t mode);
  // Which kinds of block the user may select (bits: 1 columns, 2 rows, 4 blocks, 8 all).
  int16_t SelectBlockOptions() const;
  void SelectBlockOptions(int16_t options);
  bool AllowMultiBlocks() const;
  void AllowMultiBlocks(bool allow);
  // Replace the selection with one block / add a block (-1 pairs for whole rows or columns).
  void SetSelection(int32_t col, int32_t row, int32_t col2, int32_t row2);
  void AddSelection(int32_t col, int32_t row, int32_t col2, int32_t row2);
  void ClearSelection();
  // The block chosen by MultiSelIndex (default: the last one added): -1 for whole rows (both
  // columns) or whole columns (both rows); 0 each when nothing is selected.
  int32_t SelBlockCol() const;
  int32_t SelBlockCol2() const;
  int32_t SelBlockRow() const;
  int32_t SelBlockRow2() const;
  bool IsBlockSelected() const;
  bool IsCellSelected(int32_t col, int32_t row) const;
  int32_t MultiSelCount() const;
  int32_t MultiSelIndex() const;  // 0-based
  void MultiSelIndex(int32_t index);
  // Walks the selected rows: the first row after `previousRow` that lies in a selected block
  // (every row of a whole-row or all-cells block; start with 0); -1 when there is none.
  int32_t GetMultiSelItem(int32_t previousRow) const;
  // Row selection in the select operation modes: SelModeIndex chooses a row, SelModeSelected
  // reads or sets whether that whole row is selected; SelModeSelCount counts selected rows.
  int32_t SelModeIndex() const;
  void SelModeIndex(int32_t row);
  bool SelModeSelected() const;
  void SelModeSelected(bool selected);
  int32_t SelModeSelCount() const;

  // ---- Actions and sorting ---------------------------------------------------------------
  // Performs one GridAction on the current cell, block or selection. An unknown code throws.
  void Action(int32_t code);
  int16_t SortBy() const;
  void SortBy(int16_t by);
  // Sort key n (n >= 1): a column (rows sort) or row (columns sort); 0 or beyond the grid is
  // no key. SortKeyOrder: GridSortOrder. Keys apply in order of n.
  int32_t SortKey(int32_t n) const;
  void SortKey(int32_t n, int32_t key);
  int16_t SortKeyOrder(int32_t n) const;
  void SortKeyOrder(int32_t n, int16_t order);

  // ---- Stored pass-through settings (kept for whoever draws and drives the grid) ---------
  bool AllowCellOverflow() const;
  void AllowCellOverflow(bool allow);
  bool AllowDragDrop() const;
  void AllowDragDrop(bool allow);
  int16_t ButtonDrawMode() const;
  void ButtonDrawMode(int16_t mode);
  int16_t ClipboardOptions() const;
  void ClipboardOptions(int16_t options);
  int16_t ColHeaderDisplay() const;  // 0 blank, 1 numbers, 2 letters
  void ColHeaderDisplay(int16_t display);
  int16_t RowHeaderDisplay() const;
  void RowHeaderDisplay(int16_t display);
  int16_t RowHeadersAutoText() const;  // same setting as RowHeaderDisplay
  void RowHeadersAutoText(int16_t display);
  std::string CursorIcon() const;
  void CursorIcon(std::string_view icon);
  int16_t CursorStyle() const;
  void CursorStyle(int16_t style);
  int16_t CursorType() const;
  void CursorType(int16_t type);
  bool DisplayColHeaders() const;
  void DisplayColHeaders(bool show);
  bool DisplayRowHeaders() const;
  void DisplayRowHeaders(bool show);
  std::string FloatDefCurrencyChar() const;
  void FloatDefCurrencyChar(std::string_view c);
  std::string FloatDefDecimalChar() const;
  void FloatDefDecimalChar(std::string_view c);
  std::string FloatDefSepChar() const;
  void FloatDefSepChar(std::string_view c);
  bool NoBeep() const;
  void NoBeep(bool on);
  bool NoBorder() const;
  void NoBorder(bool on);
  int16_t BorderStyle() const;
  void BorderStyle(int16_t style);
  bool ProcessTab() const;
  void ProcessTab(bool on);
  int16_t RestrictCols() const;
  void RestrictCols(int16_t restrict);
  int16_t RestrictRows() const;
  void RestrictRows(int16_t restrict);
  int16_t TextTip() const;  // 0 off, 1 fixed, 2 floating, 3 fixed with focus only, 4 floating with focus only
  void TextTip(int16_t mode);
  int32_t TextTipDelay() const;  // milliseconds
  void TextTipDelay(int32_t delay);
  void GetTextTipAppearance(std::string& fontName, float& fontSize, bool& bold, bool& italic,
                            Color& backColor, Color& foreColor) const;
  void SetTextTipAppearance(const std::string& fontName, float fontSize, bool bold, bool italic,
                            Color backColor, Color foreColor);
  // The host window handle the grid is painted in (0 until the host sets it).
  intptr_t hwnd() const;
  void SetHwnd(intptr_t handle);
  // Formula check: true when `formula` is an arithmetic expression of numbers, cell
  // references (A1, $A$1, ranges A1:B2), operators + - * / ^ & and comparisons, parentheses
  // and function calls NAME(arg, ...).
  bool IsFormulaValid(std::string_view formula) const;
  // Hands the selection's text to the listener's OleDragStart.
  void OLEDrag();

  // ---- Files (grid_file.cpp, grid_export.cpp) ---------------------------------------------
  // Our own versioned, checksummed image of the grid: content, kinds and settings, styles,
  // layout, spans, item data. `dataOnly` true keeps the texts and the layout without the
  // formats. Written atomically (temporary file, flush, rename). False on any I/O failure.
  bool SaveToFile(const std::string& path, bool dataOnly);
  // Loads an image written by SaveToFile. A missing, damaged, truncated or foreign file is
  // refused with false and the grid stays exactly as it was.
  bool LoadFromFile(const std::string& path);
  // TAB-separated texts, one data row per line (rows 1..DataRowCnt, columns 1..DataColCnt).
  bool SaveTabFile(const std::string& path);
  // Replaces the data cells by the file's lines (sizes grow to fit). False when unreadable.
  bool LoadTabFile(const std::string& path);
  // An HTML table of the data (append: add to an existing file's body).
  bool ExportToHTML(const std::string& path, bool append, const std::string& logFile);
  bool ExportRangeToHTML(int32_t col, int32_t row, int32_t col2, int32_t row2,
                         const std::string& path, bool append, const std::string& logFile);
  // A workbook spreadsheet programs open (no library needed), one sheet of the data.
  bool ExportToExcel(const std::string& path, const std::string& sheetName,
                     const std::string& logFile);
  // Reads sheet `sheetIndex` (0-based) or the sheet named `sheetName` of such a workbook.
  bool ImportExcelSheet(const std::string& path, int32_t sheetIndex, const std::string& sheetName);
  // True when `path` is a workbook ImportExcelSheet can read; its sheet names in `sheetNames`.
  bool IsExcelFile(const std::string& path) const;
  bool IsExcelFile(const std::string& path, std::vector<std::string>& sheetNames) const;

 private:
  // The engine's own code outside the members (its view, bulk reader and writer, file
  // helpers) reaches the state through internal::GridAccess.
  friend struct internal::GridAccess;
  std::unique_ptr<internal::GridState> state_;
};

}  // namespace zel
