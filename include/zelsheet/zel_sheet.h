// ZelSheet: the data sheet a screen places on itself.
//
// A host creates one ZelSheet per sheet of a screen, on a zel::Platform that outlives it,
// and sets it up in this order:
//
//   zel::ZelSheet sheet(platform, events);   // creation: identity defaults, Initialize
//   sheet.ReadProperties(bag);               // loading: Info split, settings, grid built
//   sheet.MaxCols(n);                        // the screen's column count (else 50)
//   sheet.AddItem(...);                      // the screen declares its columns
//   sheet.Display(data);                     // rows: cells exist from here on
//   ... editing, GetData, MessageCheckSave ...
//                                            // destruction: arrangement saved, Terminate
//
// ReadProperties builds the sheet: before it the column model does not exist, so AddItem
// shows a message box for nearly every step, and GetData sends the grid's 500 columns
// without field names.
// Until Display (or MaxRows) gives the grid rows, a member that reads a cell and lets
// errors through (CellCheck, GetValue, the pass-throughs) throws GridError.
//
// The sheet owns one grid engine (GetSheet returns it) and talks to it only through the
// engine's members. About two hundred members simply pass an engine member through under
// the same name; they never catch, so the engine's zel::GridError (bad index, refused value)
// reaches the caller. The other members state their failure style in their comment: skip
// the failing step and go on, end quietly, show a message box, or let the error through.
//
// Properties are overloaded pairs: `T Name() const` reads, `void Name(T)` writes.
// Everything runs on the host's one user-interface thread.
//
// The members are grouped by subsystem; each group is defined in the source folder named in
// its heading.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "zelsheet/grid.h"
#include "zelsheet/object_safety.h"
#include "zelsheet/platform.h"
#include "zelsheet/property_bag.h"
#include "zelsheet/types.h"
#include "zelsheet/zel_sheet_events.h"

namespace zel {

// The sheet's fourteen colours. The host sets them at design time (stored properties
// "COLOR_..."); every painting routine reads them. Values are 0x00BBGGRR.
struct TypeSheetColor {
  Color border_color = 0x1E9F4E;       // frame drawn around the sheet's own area
  Color code_help = 0xFBF1DF;          // back colour of code-help ("DIC") columns
  Color not_null = 0x0202FE;           // kept with the record; nothing paints with it
  Color grid_color = 0x1E9F4E;         // grid lines
  Color gray_area_back_color = 0xFFFFFF;  // the area outside the cells
  Color back_color = 0xFFFFFF;         // normal cells
  Color fore_color = 0;
  Color header_col_bg_color = 0xCDD4CF;  // column headers
  Color header_col_fg_color = 0;
  Color header_row_bg_color = 0xCDD4CF;  // row headers
  Color header_row_fg_color = 0;
  Color header_col_must_input_fg_color = 0x0202FE;  // titles of key and required columns
  Color lock_back_color = 0xFFFFFF;    // locked cells: copies of back/fore taken at loading
  Color lock_fore_color = 0;
};

// A rectangle the control drew on its own surface (the frame around the grid).
struct DrawnRect {
  int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  Color color = 0;
  bool operator==(const DrawnRect&) const = default;
};

// Where the control placed its grid, and what it drew around it (all in the control's
// units, as given to Resize). A host's renderer reads it.
struct ControlArea {
  int32_t width = 0, height = 0;                 // the control's inner size
  int32_t grid_left = 0, grid_top = 0;           // the grid's place inside it
  int32_t grid_width = 0, grid_height = 0;
  std::vector<DrawnRect> drawing;                // cleared by Cls
};

class ZelSheet {
 public:
  // =====================================================================================
  // ---- Sheet object and lifecycle (src/sheet) ----
  // =====================================================================================

  // Creation: sets the identity defaults (PgmID "Global", SheetID "ZelSheet", SortKeyNo 3,
  // ...), gives the grid a single-line border and raises Initialize to `events` (when
  // given). `platform` and `events` are not owned and must outlive the sheet; Terminate is
  // raised from the destructor.
  explicit ZelSheet(Platform& platform);
  ZelSheet(Platform& platform, ZelSheetEvents& events);
  // Destruction: stores the user's arrangement of the sheet in the settings store, releases
  // the column model and raises Terminate; then sets the pointers back to the default.
  // Never throws: each failing step is skipped.
  ~ZelSheet();
  ZelSheet(const ZelSheet&) = delete;
  ZelSheet& operator=(const ZelSheet&) = delete;

  // The sink that hears the sheet's events from now on (nullptr: none). Not owned.
  void SetEventSink(ZelSheetEvents* events);

  // Loading: reads the stored properties of the host's form (missing keys take their
  // defaults), splits Info, reads the OS language, font name, per-user settings and message
  // table, and builds the sheet (SetSheetDeg with "MaxCols", then SetHeaderColorMult).
  // Never throws: a step that fails is skipped and the next one runs.
  // The stored "MaxCols" sizes only built-in screens (PgmID starting "zel"); any other
  // screen gets 50 columns, so its host calls MaxCols(n) after loading.
  void ReadProperties(const PropertyBag& bag);
  // Saving: writes "Appearance", "Info", "SheetID", "IsClearHeaderInfo", "IsClear",
  // "ServerDate", "IsSaveToFileDataOnly" and "PgmID". A failing write is skipped.
  void WriteProperties(PropertyBag& bag) const;

  // The control was given a new inner size: clears its drawing, places the grid 10 units
  // in from the left and top with 30 units less width and height, draws the frame from
  // (5, 5) to (width - 10, height - 10) in BorderColor, and raises Resize.
  void Resize(int32_t width, int32_t height);
  // Raise Show, Paint and Hide.
  void Show();
  void Paint();
  void Hide();
  // The control's size, grid placement and drawing as of the last Resize.
  const ControlArea& Area() const;

  // Asks the host to repaint the grid: calls the handler set with SetRepaintHandler.
  void Refresh();
  // Host side: what Refresh does (repaint the grid). Empty: Refresh does nothing visible.
  void SetRepaintHandler(std::function<void()> handler);

  std::string UserID() const;
  void UserID(const std::string& userId);

  // Public switches. Plain fields: reading and writing has no other effect; the members
  // that read them say what they change.
  int32_t gSelectSheet() const;
  void gSelectSheet(int32_t v);
  int32_t gCheckCol() const;
  void gCheckCol(int32_t v);
  int32_t gSelectCol() const;
  void gSelectCol(int32_t v);
  int32_t gDisCol() const;
  void gDisCol(int32_t v);
  // True in the multi-row layout (set by AddItem_Multi, or by the host).
  bool IsMultiSheet() const;
  void IsMultiSheet(bool on);
  // Display-only sheet: keys other than navigation are swallowed (set for built-in screens).
  bool IsDataDisplay() const;
  void IsDataDisplay(bool on);
  bool IsNoColSort() const;
  void IsNoColSort(bool on);
  bool IsDblClickColor() const;
  void IsDblClickColor(bool on);
  bool IsNoButtonClick() const;
  void IsNoButtonClick(bool on);
  bool IsNoAddCellSpan() const;
  void IsNoAddCellSpan(bool on);
  bool IsNoRowEdit() const;
  void IsNoRowEdit(bool on);

  // When True, AddItem without IsSetStyle only hands out a definition number. Write only.
  void IsSheetInit(bool on);
  // When True, edits do not change the row status.
  bool IsNoRowHeaderChange() const;
  void IsNoRowHeaderChange(bool on);
  // When True, the user cannot drag columns.
  bool IsNoColMove() const;
  void IsNoColMove(bool on);
  // When True, restoring the cursor goes to the top instead of the stored position.
  bool IsActiveCellTop() const;
  void IsActiveCellTop(bool on);
  bool IsClearHeaderInfo() const;
  void IsClearHeaderInfo(bool on);
  bool IsClear() const;
  void IsClear(bool on);
  bool IsSaveToFileDataOnly() const;
  void IsSaveToFileDataOnly(bool on);

  // Locks the whole sheet (True: every cell locked in the system's locked colour, headers
  // in their header colours) or unlocks the grid's current cell or block and restores the
  // locked-cell colours (False). Grid errors reach the caller.
  bool IsSheetLock() const;
  void IsSheetLock(bool locked);

  // Kept for the settings; not passed to the grid here. 0 makes the cell type setters
  // re-centre the header cell.
  int16_t Appearance() const;
  void Appearance(int16_t appearance);
  // Number of sort keys (2 or 3) the header sort applies; stored as given.
  int16_t SortKeyNo() const;
  void SortKeyNo(int16_t keys);
  // The cell last being edited (kept by the editing members).
  int32_t EditCol() const;
  int32_t EditRow() const;

  // "ZelSheet"; writing is ignored.
  std::string ControlName() const { return "ZelSheet"; }
  void ControlName(const std::string&) {}
  // The grid engine itself, for hosts that need members not passed through.
  Grid& GetSheet();
  const Grid& GetSheet() const;
  // Accepted and ignored (the host sizes the control through Resize).
  void Size(float Width, float Height);

  // Length of `sSource` in bytes of the system's ANSI code page (a Hangul character counts
  // 2). Throws std::overflow_error beyond 32767.
  int16_t LenH(const std::string& sSource) const;
  // Cuts the first CutLength bytes (ANSI code page) off CutString without splitting a
  // two-byte character, and returns them as text. A blank CutString returns "" and changes
  // nothing. Otherwise CutLength is first lowered to CutString's byte length when larger,
  // and CutString becomes the rest; a character the cut would split stays whole in the rest.
  // Throws std::invalid_argument for a negative CutLength.
  std::string SCut(std::string& CutString, int32_t& CutLength) const;

  // First / last grid column (from 1 up / from MaxCols down) that is not hidden; 0 when
  // every column is hidden. The grid's Col is left as it was.
  int32_t ColStart();
  int32_t ColEnd();

  // The note of the grid's current cell (write only), and the grid's note-fetch switch.
  void CellNote(const std::string& note);
  bool IsFetchCellNote() const;
  int16_t RestrictCols() const;
  void RestrictCols(int16_t restrict);
  int16_t ColMerge() const;
  void ColMerge(int16_t mode);
  int16_t RowMerge() const;
  void RowMerge(int16_t mode);
  void SetCellBorder(int32_t lCol, int32_t lRow, int32_t lCol2, int32_t lRow2, int16_t nIndex,
                     Color crColor, int16_t nStyle);

  // Writing sets the pointer of the whole screen and of the control; reading gives the
  // control's.
  int16_t MousePointer() const;
  void MousePointer(int16_t pointer);

  // True when the active grid column's declared cell type is EnImageButton.
  bool IsActiveColimageButton() const;

  // Safety for scripting hosts (see object_safety.h): the options of interface `riid`
  // (its identifier text) and requests to set them. Return kSafetyOk, kSafetyFail or
  // kSafetyNoInterface.
  int32_t GetInterfaceSafetyOptions(const std::string& riid, int32_t& pdwSupportedOptions,
                                    int32_t& pdwEnabledOptions) const {
    return QueryInterfaceSafety(riid, pdwSupportedOptions, pdwEnabledOptions);
  }
  int32_t SetInterfaceSafetyOptions(const std::string& riid, int32_t dwOptionSetMask,
                                    int32_t dwEnabledOptions) {
    return RequestInterfaceSafety(riid, dwOptionSetMask, dwEnabledOptions);
  }

  // =====================================================================================
  // ---- Pass-through grid members (src/sheet) ----
  // =====================================================================================
  // Each reads, writes or calls the grid engine's member of the same name, with the
  // engine's units and codes (see grid.h). None catches: zel::GridError reaches the caller.

  bool AllowCellOverflow() const;
  void AllowCellOverflow(bool v);
  bool AllowDragDrop() const;
  void AllowDragDrop(bool v);
  bool AllowMultiBlocks() const;
  void AllowMultiBlocks(bool v);
  Color BackColor() const;
  void BackColor(Color v);
  int16_t BackColorStyle() const;
  void BackColorStyle(int16_t v);
  bool BlockMode() const;
  void BlockMode(bool v);
  int16_t ButtonDrawMode() const;
  void ButtonDrawMode(int16_t v);
  Color CellBorderColor() const;
  void CellBorderColor(Color v);
  int16_t CellBorderStyle() const;
  void CellBorderStyle(int16_t v);
  int16_t CellBorderType() const;
  void CellBorderType(int16_t v);
  int16_t CellType() const;
  void CellType(int16_t v);
  bool ChangeMade() const;
  void ChangeMade(bool v);
  std::string Clip() const;
  void Clip(const std::string& v);
  int16_t ClipboardOptions() const;
  void ClipboardOptions(int16_t v);
  std::string ClipValue() const;
  void ClipValue(const std::string& v);
  int32_t Col() const;
  void Col(int32_t v);
  int32_t Col2() const;
  void Col2(int32_t v);
  int16_t ColHeaderDisplay() const;
  void ColHeaderDisplay(int16_t v);
  bool ColHidden() const;
  void ColHidden(bool v);
  int32_t ColsFrozen() const;
  void ColsFrozen(int32_t v);
  double ColWidth(int32_t col) const;
  void ColWidth(int32_t col, double v);
  std::string CursorIcon() const;
  void CursorIcon(const std::string& v);
  int16_t CursorStyle() const;
  void CursorStyle(int16_t v);
  int16_t CursorType() const;
  void CursorType(int16_t v);
  bool DisplayColHeaders() const;
  void DisplayColHeaders(bool v);
  bool DisplayRowHeaders() const;
  void DisplayRowHeaders(bool v);
  bool EditMode() const;
  void EditMode(bool v);
  bool EditModePermanent() const;
  void EditModePermanent(bool v);
  bool EditModeReplace() const;
  void EditModeReplace(bool v);
  std::string FloatDefCurrencyChar() const;
  void FloatDefCurrencyChar(const std::string& v);
  std::string FloatDefDecimalChar() const;
  void FloatDefDecimalChar(const std::string& v);
  std::string FloatDefSepChar() const;
  void FloatDefSepChar(const std::string& v);
  GridFont Font() const;
  void Font(const GridFont& v);
  bool FontBold() const;
  void FontBold(bool v);
  bool FontItalic() const;
  void FontItalic(bool v);
  std::string FontName() const;
  void FontName(const std::string& v);
  float FontSize() const;
  void FontSize(float v);
  bool FontStrikethru() const;
  void FontStrikethru(bool v);
  bool FontUnderline() const;
  void FontUnderline(bool v);
  Color ForeColor() const;
  void ForeColor(Color v);
  int32_t LeftCol() const;
  void LeftCol(int32_t v);
  Color LockBackColor() const;
  void LockBackColor(Color v);
  bool LockCells() const;
  void LockCells(bool v);
  Color LockForeColor() const;
  void LockForeColor(Color v);
  int32_t MultiSelIndex() const;
  void MultiSelIndex(int32_t v);
  bool NoBeep() const;
  void NoBeep(bool v);
  bool NoBorder() const;
  void NoBorder(bool v);
  int16_t OperationMode() const;
  void OperationMode(int16_t v);
  bool ProcessTab() const;
  void ProcessTab(bool v);
  bool ReDraw() const;
  void ReDraw(bool v);
  int32_t Row() const;
  void Row(int32_t v);
  int32_t Row2() const;
  void Row2(int32_t v);
  int16_t RowHeaderDisplay() const;
  void RowHeaderDisplay(int16_t v);
  double RowHeight(int32_t row) const;
  void RowHeight(int32_t row, double v);
  bool RowHidden() const;
  void RowHidden(bool v);
  int32_t RowsFrozen() const;
  void RowsFrozen(int32_t v);
  Color SelBackColor() const;
  void SelBackColor(Color v);
  int16_t SelectBlockOptions() const;
  void SelectBlockOptions(int16_t v);
  Color SelForeColor() const;
  void SelForeColor(Color v);
  int32_t SelLength() const;
  void SelLength(int32_t v);
  int32_t SelModeIndex() const;
  void SelModeIndex(int32_t v);
  bool SelModeSelected() const;
  void SelModeSelected(bool v);
  int32_t SelStart() const;
  void SelStart(int32_t v);
  std::string SelText() const;
  void SelText(const std::string& v);
  int16_t SortBy() const;
  void SortBy(int16_t v);
  int32_t SortKey(int32_t n) const;
  void SortKey(int32_t n, int32_t v);
  int16_t SortKeyOrder(int32_t n) const;
  void SortKeyOrder(int32_t n, int16_t v);
  std::string Text() const;
  void Text(const std::string& v);
  int16_t TextTip() const;
  void TextTip(int16_t v);
  int32_t TextTipDelay() const;
  void TextTipDelay(int32_t v);
  int32_t TopRow() const;
  void TopRow(int32_t v);
  int16_t TypeEditCharCase() const;
  void TypeEditCharCase(int16_t v);
  std::string TypePictPicture() const;
  void TypePictPicture(const std::string& v);
  std::string Value() const;
  void Value(const std::string& v);
  // The cell tag of the current cell (Col, Row) and the identifier of the current column.
  std::string CellTag() const;
  void CellTag(const std::string& v);
  std::string ColID() const;
  void ColID(const std::string& v);
  // Number of header rows (H of the multi-row layout) and of row-header columns.
  int32_t ColHeaderRows() const;
  void ColHeaderRows(int32_t v);
  int32_t RowHeaderCols() const;
  void RowHeaderCols(int32_t v);

  // Read only.
  int32_t ActiveCol() const;
  int32_t ActiveRow() const;
  int32_t DataColCnt() const;
  intptr_t hwnd() const;
  bool IsBlockSelected() const;
  int32_t MaxCols() const;
  int32_t MaxRows() const;
  double MaxTextCellHeight() const;
  double MaxTextCellWidth() const;
  double MaxTextColWidth(int32_t col) const;
  double MaxTextRowHeight(int32_t row) const;
  int32_t MultiSelCount() const;
  int32_t SelBlockCol() const;
  int32_t SelBlockCol2() const;
  int32_t SelBlockRow() const;
  int32_t SelBlockRow2() const;
  int32_t SelModeSelCount() const;
  int16_t TypeFloatDecimalPlaces() const;

  // Write only.
  void Action(int32_t code);
  void CellNoteIndicator(int16_t indicator);

  // Methods.
  int32_t ColWidthToTwips(double width) const;
  bool ExportRangeToHTML(int32_t col, int32_t row, int32_t col2, int32_t row2,
                         const std::string& path, bool append, const std::string& logFile);
  bool ExportToExcel(const std::string& path, const std::string& sheetName,
                     const std::string& logFile);
  bool ExportToHTML(const std::string& path, bool append, const std::string& logFile);
  bool GetArray(int32_t colLeft, int32_t rowTop, std::vector<std::vector<std::string>>& out) const;
  bool GetCellPos(int32_t col, int32_t row, int32_t& x, int32_t& y, int32_t& width,
                  int32_t& height) const;
  int32_t GetColItemData(int32_t col) const;
  bool GetLastValidCell(int32_t& col, int32_t& row) const;
  int32_t GetMultiSelItem(int32_t previousRow) const;
  bool GetText(int32_t col, int32_t row, std::string& out) const;
  void GetTextTipAppearance(std::string& fontName, float& fontSize, bool& bold, bool& italic,
                            Color& backColor, Color& foreColor) const;
  bool ImportExcelSheet(const std::string& path, int32_t sheetIndex, const std::string& sheetName);
  bool IsCellSelected(int32_t col, int32_t row) const;
  bool IsExcelFile(const std::string& path) const;
  bool IsExcelFile(const std::string& path, std::vector<std::string>& sheetNames) const;
  bool IsFormulaValid(const std::string& formula) const;
  bool IsVisible(int32_t col, int32_t row, bool partial) const;
  bool LoadFromFile(const std::string& path);
  bool LoadTabFile(const std::string& path);
  void OLEDrag();
  int32_t RowHeightToTwips(double height) const;
  bool SaveTabFile(const std::string& path);
  bool SaveToFile(const std::string& path, bool dataOnly);
  void SetActiveCell(int32_t col, int32_t row);
  bool SetArray(int32_t colLeft, int32_t rowTop,
                const std::vector<std::vector<std::string>>& values);
  void SetColItemData(int32_t col, int32_t data);
  bool SetFloat(int32_t col, int32_t row, double value);
  bool SetInteger(int32_t col, int32_t row, int32_t value);
  void SetText(int32_t col, int32_t row, const std::string& value);
  double TwipsToColWidth(int32_t twips) const;
  double TwipsToRowHeight(int32_t twips) const;
  // Spans: a cell covering lNumCols x lNumRows cells; false when refused (overlap, outside).
  bool AddCellSpan(int32_t lCol, int32_t lRow, int32_t lNumCols, int32_t lNumRows);
  bool GetCellSpan(int32_t lCol, int32_t lRow, int32_t& pvColAnchar, int32_t& pvRowAnChar,
                   int32_t& pvNumCols, int32_t& pvNumRows) const;
  void RemoveCellSpan(int32_t lCol, int32_t lRow);

  // Members of the same family that go to the control itself or add behaviour.
  // The control's own switches (not the grid's).
  bool Enabled() const;
  void Enabled(bool on);
  bool RightToLeft() const;
  void RightToLeft(bool on);
  bool FontTransparent() const;
  void FontTransparent(bool on);
  // The window the control stands in (0 until the host tells it with SetContainerHwnd).
  intptr_t ContainerHwnd() const;
  void SetContainerHwnd(intptr_t handle);
  // Clears the control's own drawing (the frame around the grid).
  void Cls();
  // The control's own measure of `str` in twips, in its 9-point font: a character of the
  // ANSI code page's single-byte set is one grid column unit (120 twips) wide, a two-byte
  // character two; lines (LF, CR LF) are measured apart and the widest counts. The height
  // is one line of 1.2 times the font size per line.
  float TextWidth(const std::string& str) const;
  float TextHeight(const std::string& str) const;
  // The control's draw mode. Writing also records the grid's active cell as the sheet's
  // last-entered cell (the cell a following change is compared against).
  int16_t DrawMode() const;
  void DrawMode(int16_t mode);
  // The grid's border style; writing is ignored.
  int16_t BorderStyle() const;
  void BorderStyle(int16_t) {}
  // Sets the grid's MaxRows and then freezes again the rows the sheet keeps frozen (the
  // grid forgets frozen rows it no longer has).
  void MaxRows(int32_t rows);
  // The grid's DataRowCnt, plus 1 while the user is typing into a spare row below the data.
  int32_t DataRowCnt() const;
  // Row of the last double click; 1 before any.
  int32_t DblClickRow() const;
  // Makes (col, row) the active cell: sets the grid's Col and Row and performs Action 0.
  void ActiveCell(int32_t col, int32_t row);
  // Gives the input focus to the grid.
  void SetFocus();
  bool HasFocus() const;
  void RowHeadersAutoText(int16_t display);

  // =====================================================================================
  // ---- Column definition, cell types, multi-row layout (src/columns) ----
  // =====================================================================================

  // Declaring columns. A definition number (`defCol`) is a column's identity, handed out by
  // AddItem from 1 in the order of definition; ColX(defCol) is the grid column where it
  // stands now.

  // Declares a column (IsSetStyle false: hands out the next definition number, writes it to
  // lngCol and returns it) or re-declares and re-formats column lngCol (IsSetStyle true).
  // Writes the title into header row lngRow of grid column ColX(lngCol), fills the column
  // model (appending "SHID;" / "SDIS;" to the access code when FormReadClass /
  // FormWriteClass exceed the column's classes), formats the column by its cell type when
  // IsSetStyle is set or the sheet formats on definition, and applies the access code.
  // With IsSheetInit set, a plain declaration only hands out the number.
  // Call it after ReadProperties and MaxCols: it writes into the grid they build.
  // The sheet formats on definition only when the load mode (field 4 of Info, any letter
  // case) is "INIT", "NewPage" or "JumpIn" ("ControlsUpload" and an empty one count as
  // "INIT"), or a built-in screen has no stored arrangement; otherwise the column is
  // declared but its cells keep the grid's plain format (SetItem formats them).
  // strMaskAndString: the mask of an EnMask column ("###-####", "#" a placeholder), the
  // text of a check box or button, or the list of an EnCombo column: each item its caption,
  // blanks and its code, followed by a TAB; the code is read back as the item's last
  // intMaxLength characters, so intMaxLength is the code length (zel::ComboList writes it):
  //   "매출처" + 50 blanks + "1" TAB "매입처" + 50 blanks + "2" TAB    (intMaxLength 1)
  // InitCombo takes another form (caption "~," code TAB).
  // Never throws: every single write that fails shows a critical message box naming it and
  // the error, and the next write runs.
  int32_t AddItem(const std::string& strFileName, const std::string& strTitle,
                  int16_t enuCellType, int32_t& lngCol, int16_t intMaxLength = 0,
                  int16_t intDecLength = 0, const std::string& strAccessKey = "",
                  const std::string& strDefault = "", const std::string& strMaskAndString = "",
                  int16_t intReadclass = 9, int16_t intWriteclass = 9, int32_t lngRow = 0,
                  bool IsSetStyle = false);
  // The same without a variable to receive the number (a literal or nothing for lngCol).
  int32_t AddItem(const std::string& strFileName, const std::string& strTitle,
                  int16_t enuCellType = EnText, int32_t&& lngCol = 0, int16_t intMaxLength = 0,
                  int16_t intDecLength = 0, const std::string& strAccessKey = "",
                  const std::string& strDefault = "", const std::string& strMaskAndString = "",
                  int16_t intReadclass = 9, int16_t intWriteclass = 9, int32_t lngRow = 0,
                  bool IsSetStyle = false);
  // Re-declares and re-formats the existing column lngCol: AddItem with IsSetStyle true,
  // whatever is passed for it. Combo columns keep their format.
  void SetItem(const std::string& strFileName, const std::string& strTitle,
               int16_t enuCellType = EnText, int32_t lngCol = 0, int16_t intMaxLength = 0,
               int16_t intDecLength = 0, const std::string& strAccessKey = "",
               const std::string& strDefault = "", const std::string& strMaskAndString = "",
               int16_t intReadclass = 9, int16_t intWriteclass = 9, int32_t lngRow = 0,
               bool IsSetStyle = false);

  // Applies an access code to grid column lngCol: lock ("DIS", undone by "EDT"), back
  // colour ("DIC": CodeHelp), header text colour ("KEY", "NON": must-input colour), and
  // hiding ("SHID" always; "HID" when IsHidden or before the user's stored arrangement was
  // applied). Never shows a column. Keeps the grid's Row; leaves Col at lngCol.
  // Grid errors reach the caller.
  void SetAccessKey(int32_t lngCol, const std::string& strAccessKey, bool IsHidden = false);
  // The access code of definition lngCol. Writing stores it and applies it to ColX(lngCol)
  // (ControlKey also honours "HID"). Throws SubscriptError outside the model.
  std::string AccessKey(int32_t lngCol) const;
  void AccessKey(int32_t lngCol, const std::string& strAccessKey);
  std::string ControlKey(int32_t lngCol) const;
  void ControlKey(int32_t lngCol, const std::string& strAccessKey);
  // Field name and read class of definition lngCol: reading outside the model throws
  // SubscriptError, writing there is ignored. Writing only stores. The two sides differ
  // on purpose, and WriteClass (below) throws on both: screens written for this interface
  // count on each of these outcomes, so they stay.
  std::string FieldName(int32_t lngCol) const;
  void FieldName(int32_t lngCol, const std::string& strFieldName);
  int16_t ReadClass(int32_t lngCol) const;
  void ReadClass(int32_t lngCol, int16_t intReadClass);
  // Write class of definition lngCol; reading and writing outside the model throw
  // SubscriptError.
  int16_t WriteClass(int32_t lngCol) const;
  void WriteClass(int32_t lngCol, int16_t intWriteClass);
  // The read and write classes of the screen (write only): columns declared below them are
  // hidden / locked by AddItem.
  void FormReadClass(int16_t intFormReadClass);
  void FormWriteClass(int16_t intFormWriteClass);
  // The column counter: the last definition number handed out.
  int32_t GetMaxCols() const;
  void SetMaxCols(int32_t lngMaxCols);
  // Grid column of definition nCol: from the display map (nCol itself beyond it); in the
  // multi-row layout the column of field record nCol (0 for 0; SubscriptError beyond the
  // field records).
  int32_t ColX(int32_t nCol) const;
  // Definition number of the grid's active column (its column item data).
  int32_t ActiveColX() const;
  // The grid's value of cell (col, row) as text into Var / written as the cell's text (an
  // absent Value writes "0"). Both leave the grid's Col and Row at the cell. Grid errors
  // reach the caller.
  void GetValue(int32_t col, int32_t row, std::string& Var);
  void SetValue(int32_t col, int32_t row, const std::optional<std::string>& Value);
  // Sets the grid's MaxCols to n and, unless n is 0, sizes the column model and display map
  // to 1..n keeping their entries; the columns beyond the counter get their own number as
  // item data and map entry. Grid errors reach the caller. (SetSheetDeg and the settings
  // restore call this, not the grid's MaxCols, so the model follows the grid.)
  void MaxCols(int32_t n);

  // Cell type setters. lngCol and lngRow are grid coordinates (-1: all) unless stated; each
  // leaves the grid's Col and Row there. After formatting a whole column (lngRow -1) with
  // Appearance 0 the column's header cell is set back to a centred edit cell. None catches:
  // grid errors reach the caller with the settings made before them kept.
  bool fnSSSetTypeButton(const std::string& strText, int32_t lngCol, int32_t lngRow);
  void fnSSSetTypeCheckBox(const std::string& strText, bool IsCenter, int32_t lngCol,
                           int32_t lngRow);
  bool fnSSSetTypeComboBox(bool IsEditable, const std::string& strList, int32_t lngCol,
                           int32_t lngRow);
  // Also records EnDate as the declared type of the definition number the display map holds
  // for lngCol; SubscriptError when lngCol lies outside the map or that number outside the
  // model.
  bool fnSSSetTypeDate(bool IsEditable, int32_t lngCol, int32_t lngRow);
  // Edit cell of lngMaxLength characters, then SetColColor(strBackColor, strForeColor).
  void fnSSSetTypeEdit(int32_t lngMaxLength, int32_t lngCol, int32_t lngRow,
                       const std::string& strBackColor = "", const std::string& strForeColor = "");
  bool fnSSSetTypeFloat(int16_t intDecimalPlaces, double dblFloatMin, double dblFloatMax,
                        int32_t lngCol, int32_t lngRow);
  // Number cells of definition lngCol (grid column ColX(lngCol)), then
  // SetColColorLock(strBackColor, strForeColor).
  bool SetTypeTextFloat(int16_t intDecimalPlaces, double dblFloatMin, double dblFloatMax,
                        int32_t lngCol, int32_t lngRow, const std::string& strBackColor = "",
                        const std::string& strForeColor = "");
  void fnSSSetTypeInteger(int32_t lngIntegerMin, int32_t lngIntegerMax, int32_t lngCol,
                          int32_t lngRow);
  // Pattern cells with strPicMask as given ("X" a placeholder).
  void fnSSSetTypePic(int16_t intAlign, const std::string& strPicMask, int32_t lngCol,
                      int32_t lngRow);
  // Picture cells showing the image file strPictPicture.
  void fnSSSetTypePicture(int16_t intAlign, const std::string& strPictPicture, int32_t lngCol,
                          int32_t lngRow);
  void fnSSSetTypeStaticText(int16_t intAlign, int32_t lngCol, int32_t lngRow);
  // Writes Var into the column header of definition col.
  void fnSetHeaderText(int32_t col, const std::string& Var);
  // Back and text colour of the grid's current cell or block, each given as "r,g,b" (blank:
  // white / black). SubscriptError for a text of fewer than three items.
  void SetColColor(const std::string& strBackColor, const std::string& strForeColor);
  // The same through the grid's locked-cell colours, which take the two colours too. A
  // blank argument is replaced in the caller's variable by the colour text it stood for.
  void SetColColorLock(std::string& strBackColor, std::string& strForeColor);
  void SetColColorLock(const std::string& strBackColor, const std::string& strForeColor);

  // Multi-row layout: records of H = ColHeaderRows grid rows, whose fields are cells with a
  // row offset and spans. AddCellSpan_Start, one AddItem_Multi per field, AddCellSpan_End.

  // Sizes the field records to 1..lngTotalSpanCount and the field index to H x MaxCols.
  void AddCellSpan_Start(int32_t lngTotalSpanCount);
  // Declares field lngIndex (IsSetItem false: the next number, written to lngIndex and
  // returned) at grid column lCol, row offset lRow, spanning lNumCols x lNumRows, and
  // builds its header cell (header row lRow, spanned, titled, coloured, "HID" hides the
  // column). Sets IsMultiSheet. When the definition came from the string parameters, the
  // stored title and access code win and are written back to strTitle and strAccessKey.
  // SubscriptError for a field number beyond AddCellSpan_Start's count; grid errors reach
  // the caller.
  int32_t AddItem_Multi(int32_t lCol, int32_t lRow, int32_t lNumCols, int32_t lNumRows,
                        int32_t& lngIndex, const std::string& strDBFieldName,
                        std::string& strTitle, int16_t enCellType, std::string& strAccessKey,
                        int16_t intMaxLength, int16_t intDecMaxLength,
                        const std::string& strComboBoxListOrMaskString = "",
                        int32_t enHAlignHeader = 2, int32_t enVAlignHeader = 2,
                        int32_t enHAlign = -1, int32_t enVAlign = 0, bool IsSetItem = false);
  // The same with values only (nothing written back).
  int32_t AddItem_Multi(int32_t lCol, int32_t lRow, int32_t lNumCols, int32_t lNumRows,
                        int32_t lngIndex, const std::string& strDBFieldName,
                        const std::string& strTitle, int16_t enCellType,
                        const std::string& strAccessKey, int16_t intMaxLength,
                        int16_t intDecMaxLength,
                        const std::string& strComboBoxListOrMaskString = "",
                        int32_t enHAlignHeader = 2, int32_t enVAlignHeader = 2,
                        int32_t enHAlign = -1, int32_t enVAlign = 0, bool IsSetItem = false);
  // Re-declares field lngIndex (AddItem_Multi with IsSetItem true): header cells untouched.
  void SetItem_Multi(int32_t lCol, int32_t lRow, int32_t lNumCols, int32_t lNumRows,
                     int32_t lngIndex, const std::string& strDBFieldName,
                     const std::string& strTitle, int16_t enCellType,
                     const std::string& strAccessKey, int16_t intMaxLength,
                     int16_t intDecMaxLength, const std::string& strComboBoxListOrMaskString = "",
                     int32_t enHAlignHeader = 2, int32_t enVAlignHeader = 2,
                     int32_t enHAlign = -1, int32_t enVAlign = 0);
  // Trims the field records to the counter, spans the corner cell over the header rows and
  // paints the header block in the grid's own header colour. intHeaderCount is not used.
  void AddCellSpan_End(int16_t intHeaderCount = 0);
  // The cell tag of the header cell of definition lngCol (grid column ColX(lngCol), row 0).
  // The grid's Col and Row are left as they were.
  std::string HeaderCellTag(int32_t lngCol);
  void HeaderCellTag(int32_t lngCol, const std::string& strTag);
  // Row offset of field lngmsCol inside a record. SubscriptError beyond the field records.
  int32_t RowX(int32_t lngmsCol) const;
  // The field at grid column lngCol in the record row of grid row lngRow; with either left
  // at -1 the field the user last moved into. 0 for a cell outside the field index (never
  // throws).
  int32_t GetColIndex(int32_t lngCol = -1, int32_t lngRow = -1) const;
  // Row offset of grid row lngRow inside its record, and the record's first grid row.
  // std::domain_error when ColHeaderRows is below 1.
  int32_t GetSpanRow(int32_t lngRow) const;
  int32_t GetSpanHeaderRow(int32_t lngRow) const;
  // Number of field records (the column counter).
  int32_t GroupMaxCols() const;
  // Makes the cell of field msIndex in the record starting at grid row HeaderRow active.
  void ActiveCellX(int32_t msIndex, int32_t HeaderRow);
  // The record formatter (AddRowsToSheet calls it in the multi-row layout): keeps
  // lngRecordCnt spare records (-1: the sheet's spare count, 20 when unset; another number
  // becomes it) after the data (or after all rows with IsBelowAllRows), each with its row
  // header spanned over the record and marked "A", its field cells spanned (unless
  // IsNoAddCellSpan), formatted by type, aligned and given their access code, and a bottom
  // border under every record but the last. Grid errors reach the caller.
  void AddRecordsToSheet(int32_t lngRecordCnt = -1, bool IsBelowAllRows = false);

  // =====================================================================================
  // ---- Data string, Display, save parameters (src/exchange) ----
  // =====================================================================================

  // The data string: the table in which query results reach the sheet.
  //   data  := row* tail          row := (field "~,")* "~I~"
  //   field := any text without "~," or "~I~"
  // Every field, the last of a row too, is followed by "~," (sp) and every row by "~I~"
  // (SP_LF). The tail after the last "~I~" is not a row: a string without its final "~I~"
  // loses its last row. Field k goes to the column of definition number k. Numbers use
  // "." and no group separators, dates are "yyyymmdd", year-months "yyyymm", check boxes
  // "1"/"0", combos their code. Two customers of two columns:
  //   C001~,한빛상사~,~I~C002~,미래유통~,~I~
  // There is no quoting and no escaping: a value holding "~," or "~I~" splits its row and
  // shifts every later field. zel::DataStringWriter (host_helpers.h) refuses such a value.
  std::string sp() const;
  std::string SP_LF() const;

  // Fills the sheet from a data string. Field k of a row goes to the column of definition
  // number k, at ColX(k) wherever the user moved it, for k = 1 to the grid's MaxCols;
  // converted by the column's cell type (floats: the leading numeric part; dates
  // "yyyymmdd" shown "dd-mm-yyyy", an empty date leaves the cell untouched; masks applied;
  // combos select the item with that code; check boxes are ticked by "1" only: any other
  // field ("Y", "true") leaves them unticked, and they go back to the server as "0" or "1"
  // whatever it sent; other texts lose trailing blanks). Each written row's status is
  // cleared; with bulColorSetting the field after the last column is the
  // row's colour code (SetRowColor). Modes: replace (the default: the sheet is emptied
  // first), append below the grid's DataRowCnt (bulAddData, or always while IsDataAdd is
  // set, which also sets the caller's bulAddData), one row (lngRow not 0: the first row of
  // the text goes to row lngRow, nothing else changes). Afterwards the spare rows follow
  // the data, the first visible cell of row 1 is active, DblClickRow is 1, the column merge
  // and the frozen rows are applied again.
  // Returns false only for a blank text (in replace mode after emptying the sheet). In the
  // multi-row layout it is Display_Multi(strValue). Never throws: a failing step is
  // skipped and the next one runs.
  bool Display(const std::string& strValue, bool& bulAddData, bool bulColorSetting = false,
               int32_t lngRow = 0);
  bool Display(const std::string& strValue, bool&& bulAddData = false,
               bool bulColorSetting = false, int32_t lngRow = 0);
  // Fills a sheet of the multi-row layout: each row of the data string is a record of
  // ColHeaderRows grid rows, and its field d goes to field record d (its grid column, at
  // its row offset inside the record), converted by the record's cell type as Display
  // converts, except that dates must be "yyyymmdd" and year-months "yyyymm" (dashes are
  // kept). Every record gets its block of formatted rows (AddRowsToSheet: spanned, formatted,
  // spare records after the data; the spare count is kept) and its first row header shows
  // the record number (1, 2, ... over the whole sheet), or "A" with IsRowHeaderADD. With
  // IsDataAppend the records go after the whole records that hold data, which all stay;
  // otherwise the sheet is emptied first. The first visible cell of row 1 becomes active and
  // the frozen rows are applied again. Returns false for a blank text (after adding the
  // spare records) or one without a complete record, else true. Never throws: a failing
  // step is skipped and the next one runs.
  bool Display_Multi(const std::string& strValue, bool IsRowHeaderADD = false,
                     bool IsDataAppend = false);
  // Builds a cross tab from a matrix text of three sections joined by "|~|", each made of
  // lines ended by "~I~" with fields followed by "~,":
  //   keys   := (title type length decimals back fore "~I~")*   one per key column
  //   rows   := (total value_1 value_2 ... "~I~")*               one per sheet row
  //   values := (total title [type length decimals back fore extra] "~I~")*
  // The sheet's columns become the key columns (type "F": float of `decimals` places
  // within +-999999999999999, else text of `length` characters; colours "r,g,b"), with
  // bTotFlag a row-total column headed strTotalCaption (float of intMatrixRight places),
  // then the value columns (headed by their titles; float of intMatrixRight places unless
  // the line has the eight-field form). Field k of a data row goes to column k; with
  // bTotFlag row 1 is the total row (strTotalCaption in the first text column, the sum of
  // the row totals, each value column's total formatted "#,##0" with intMatrixRight
  // decimals), the data rows follow from row 2 and the row-total column shows each row's
  // total. Returns true. Never throws: a failing step is skipped and the next one runs.
  bool DisplayMatrix(const std::string& strString, bool bTotFlag = false,
                     int16_t intMatrixRight = 0, const std::string& strTotalCaption = "TOTAL");
  // Display(strValue, false, false, lngRow): rewrites row lngRow from the text's first row.
  bool DisplayRow(const std::string& strValue, int32_t lngRow);
  // Splits a data string into strArray[column][row] with both indexes from 0 (index 0
  // stays empty): lngMaxRows is the number of "~I~", lngMaxCols the number of "~," in the
  // first row; a later row's surplus fields are dropped, its missing ones stay "". Returns
  // false for a blank text (outputs untouched), else true. Never throws.
  bool GetStringToArray(const std::string& strValue,
                        std::vector<std::vector<std::string>>& strArray, int32_t& lngMaxCols,
                        int32_t& lngMaxRows);

  // Shows a query result text: a header section whose code line gives each column k its
  // role, and a data section whose name line replaces the columns' field names and whose
  // rows fill the sheet as Display's do:
  //   query  := header SEP data          SEP "<~I~>", or "|~|" with IsobjRs
  //   header := line0 "~I~" code_1 "~," ... code_n "~," fore "~," back "~," "~I~"
  //   data   := name_1 "~," ... name_n "~," "~I~" row*      rows as Display's
  // line0 is not read; fore and back are the total row's colours, "RRR,GGG,BBB" (three
  // digits each, or empty). Role codes (trimmed, case-sensitive):
  // "TOTAL" or "합계" the total label (the first switches on a total row 1, frozen, with
  // "TOTAL" in the label column, "TOTALROW" in column MaxCols - 1 and the row coloured from
  // the code line's two colour fields), "T..." summed, "A..." averaged over the data rows,
  // each total formatted with the column's mask as a number format; "C", "S", "D" make the
  // column the check, select or display column (editable in every row) unless the caller
  // named one (lngCheckCol, lngSelectCol, lngDisCol not -1): the column number is written
  // back and to gCheckCol, gSelectCol (with lngSelectSheet and gSelectSheet = intSheetNo),
  // gDisCol, and a check column hides column MaxCols - 4, a display column MaxCols - 5.
  // With IsDataAdd the rows are appended, sorted and freed of adjacent duplicates
  // (DataAddSort, DataAddRemoveRow), the totals summed over all rows; IsDataAdd is then
  // cleared. In display mode (IsDisplayMode) a float field is written as its text; otherwise
  // as its number, and fields MaxCols + 1 and + 2 of a row colour that row's text and back.
  // Dates "yyyymmdd" show "dd-mm-yyyy", times "hhmm"/"hhmmss" "hh:mm"/"hh:mm:ss"; an image
  // button field "caption\n_/tag" shows the caption and keeps the tag as the cell tag.
  // Returns true. Never throws: a failing step is skipped and the next one runs.
  bool DisplayQuerySheet(const std::string& strData, int32_t intSheetNo, bool IsDisplayMode,
                         int32_t& lngSelectSheet, int32_t& lngCheckCol, int32_t& lngSelectCol,
                         int32_t& lngDisCol, bool IsobjRs = false);
  // The same with the caller's role columns given as values (nothing written back).
  bool DisplayQuerySheet(const std::string& strData, int32_t intSheetNo = 0,
                         bool IsDisplayMode = false, int32_t&& lngSelectSheet = 0,
                         int32_t&& lngCheckCol = -1, int32_t&& lngSelectCol = -1,
                         int32_t&& lngDisCol = -1, bool IsobjRs = false);

  // Save parameters: the rows a screen sends to the server, in the data string's form and
  // as unquoted: a cell holding "~," or "~I~" (a user may type them) breaks its line.
  //   text   := info header line*
  //   info   := ActiveCol "|" ActiveRow "|" Col "|" Row "|" DataRowCnt "|" MaxRows "|"
  //             MaxCols "|" "~I~"
  //   header := "WorkingTag~,~," (name "~,")* "~I~"         a field name per column
  //   line   := tag "~," [row "~,"] (value "~,")* "~I~"     a chosen row, ascending
  //   tag    := "A" (added) | "U" (updated) | "D" (marked "X") | "" (unchanged)
  // The values are CellText of each column 1..MaxCols (definition numbers). The row number
  // is there only in the lines of GetDataSelected and GetDataActiveRow. Changed rows are
  // those whose status is exactly "A", "U" or "X", among rows 1 to DataRowCnt. Row 2
  // updated and row 4 added, two columns (one text, broken after the header here):
  //   2|4|2|4|4|24|2|~I~WorkingTag~,~,CUST_CD~,CUST_NM~,~I~
  //   U~,C002~,미래유통~,~I~A~,C009~,새한물산~,~I~
  // zel::ReadSaveParams (host_helpers.h) reads it. None of these members changes the sheet,
  // shows a message or throws: a cell that cannot be read leaves its field empty.

  // Identification properties. Reading Info gives the grid-state text of the save
  // parameters' info line: ActiveCol, ActiveRow, Col, Row, DataRowCnt, MaxRows, MaxCols,
  // each followed by "|". Writing Info stores the screen's info record, which loading
  // splits; the read side does not return it. PgmID and SheetID are the screen's and the
  // sheet's identifiers (the settings section fixed at loading does not follow later
  // changes); IsPostBack and StringParam are kept for the host.
  std::string Info() const;
  void Info(const std::string& value);
  const std::string& PgmID() const;
  void PgmID(const std::string& value);
  const std::string& SheetID() const;
  void SheetID(const std::string& value);
  bool IsPostBack() const;
  void IsPostBack(bool on);
  const std::string& StringParam() const;
  void StringParam(const std::string& value);

  // String parameters: column definitions sent by the server, one line per column, fields
  // separated by "~," and lines ended by "~I~" (the piece after the last "~I~" is not a
  // line). The query list (sbSetStringParam_Query) has, from field 0: field name, title,
  // type letter ("F"/"I" float, "K" check, "D" date, "C" text, "P"/"O" image button with
  // picture buttons, "M" mask, "T" time, else text), column number, maximum length,
  // decimals, access code, default, mask or list, read class, write class, column width
  // (not applied once the user's arrangement was restored), back and text colour ("r,g,b",
  // empty: unchanged). The item table list (sbSetStringParam) is read at fields 1 title,
  // 3 field name, 7 column number, 18 maximum length, 19 decimals, 28 read class, 29 write
  // class, 31 cell type number, 32 access code, 36 default, 37 mask or list; it widens the
  // sheet to its line count, and in the multi-row layout it gives the field records their
  // texts (SetItem_Multi), which the screen's AddItem_Multi calls then keep. Each line goes
  // through SetItem; both mark the sheet as defined from string parameters, also for an
  // empty text with IsControlDownload. A line whose column is not in the sheet or whose
  // number field is not a number is skipped. Never throw.
  void sbSetStringParam_Query(bool IsControlDownload, const std::string& m_strStringParam);
  void sbSetStringParam(bool IsControlDownload, const std::string& m_strStringParam);
  // The item list: for every declared column one line of 49 fields of the server's item
  // table "SCTPgmCntlItemWeb" (layout in src/exchange/string_params.cpp): PgmID, item
  // number, title, field name, intControlIndex, column number, default, the column's back
  // and text colours, "-1"/"0" flags for "KEY", "NON", "QRY", "DIC", "DIS", "HID", "EDT",
  // the access code and the mask with "0" as "9". The grid's Col and Row are put back.
  std::string GetItemsToString(int16_t intControlIndex);
  // The item list buffer: AddString appends item and "~,", AddStringNewList "~I~";
  // GetItemsToString empties it first and returns it.
  void AddString(const std::string& item);
  void AddStringNewList();
  // The definition of column lngCol (multi-row layout: field record lngCol): title, cell
  // type, lengths, access code, default, mask with every "0" as "9", read and write class,
  // field name. A field record has no default and no classes, and lngRow,
  // strSetCaptionAndMask, strCodeHelpServerValue, strCodeHelpConst and strDicCode are not
  // kept: those arguments are left as passed. A column outside the model leaves them all.
  void GetSheetInfo(std::string& strTitle, int16_t& enuCellType, int32_t lngCol,
                    int16_t& intMaxLength, int16_t& intDecLength, std::string& strAccessKey,
                    std::string& strDefault, std::string& strMask, int32_t& lngRow,
                    std::string& strSetCaptionAndMask, int16_t& intReadclass,
                    int16_t& intWriteclass, std::string& strCodeHelpServerValue,
                    std::string& strCodeHelpConst, std::string& strDicCode,
                    std::string& strFileName);
  // Declared cell type of column lngCol (multi-row layout: field record); 0 outside.
  int16_t ColType(int32_t lngCol) const;
  // Chosen rows handed on: a row is chosen when CellText(lngSelectCol, row) is "1".
  // Button execute data: per chosen row its save tag, "~,", strMasterData as given and the
  // text of the last column with "_/" made "~,"; lines joined by "~I~" (none after the
  // last), then every "<" made "~I.!". lngSelectCol 0 or less: strMasterData unchanged.
  std::string GetButtonExecuteData(int32_t lngSelectCol, const std::string& strMasterData);
  // Jump message: a line of field names (a combo column first as name "_Text"), each
  // followed by "~@~", then per chosen row (lngSelectCol 0: every row 1..DataRowCnt) its
  // values joined by "~@~" (a combo column: caption "~@~" code); every line ends "~!~".
  std::string GetJumpMsg(int32_t lngSelectCol = 0);
  // Jump string: "name~@value~!" per chosen row and column 1..MaxCols; with lngSelectCol 0
  // the rows are all rows 1..DataRowCnt with IsAll, else the active row.
  std::string GetJumpString(int32_t lngSelectCol = 0, bool IsAll = false);

  // The info line and the header line. In the multi-row layout the names are those of the
  // field records 1..GetMaxCols.
  std::string GetDataHeaders();
  // Both header lines and a line per changed row; "" when no row is changed. In the
  // multi-row layout: GetData_Multi.
  std::string GetData();
  // Multi-row layout: a line per changed record (status of the record's first grid row),
  // fields 1..GetMaxCols each read in its own row of the record; "" when none is changed.
  std::string GetData_Multi();
  // Every row 1..DataRowCnt, unchanged rows with the empty tag, after both header lines; with
  // IsDataOnly only the values (no info, header, tag). "" when DataRowCnt is 0. In the
  // multi-row layout: GetDataAll_Multi.
  std::string GetDataAll(bool IsDataOnly = false);
  // Multi-row layout: both header lines and a line per record of rows 1..DataRowCnt (fields
  // 1..GetMaxCols, as GetData_Multi), unchanged records with the empty tag.
  std::string GetDataAll_Multi();
  // The rows whose CellText in definition column lngCheckCol is exactly "1", or with -1 the
  // rows selected by their row headers. Lines carry the row number after the tag. Both
  // header lines are always there (alone when no row is chosen); with IsDataOnly only the
  // values ("" when no row is chosen).
  std::string GetDataSelected(int32_t lngCheckCol = -1, bool IsDataOnly = false);
  // Both header lines and the line of row lngRow (-1: the active row) with its row number.
  std::string GetDataActiveRow(int32_t lngRow = -1);
  // Multi-row layout: both header lines and the line of the record holding row lngRow (-1:
  // the active row), with fields 1..MaxCols of the grid, each read in its own row of the
  // record.
  std::string GetDataActiveRow_Multi(int32_t lngRow = -1);
  // Per changed row: "'" tag "', " then each value quoted the same way, floats (EnFloat
  // columns) bare; values separated by ", " and the line ended by "~I~" (no header; quotes
  // inside values are not doubled). "" when no row is changed.
  std::string GetDataCommon();

  // The parameter buffer: a text the host builds value by value (empty at creation).
  // AddParamHeaders starts it with strAddHeaders, or with GetDataHeaders when that is
  // empty; AddParam appends CellText(lngCol, lngRow) and "~,"; AddParamString appends the
  // value as text and "~,"; AddParamNewLine appends "~I~"; GetParams reads it.
  void AddParamHeaders(const std::string& strAddHeaders = "");
  void AddParam(int32_t lngCol, int32_t lngRow);
  void AddParamString(const std::string& strValue);
  void AddParamString(double value);  // as its shortest decimal text ("12.5", "3")
  void AddParamNewLine();
  std::string GetParams() const;

  // =====================================================================================
  // ---- Row status, cell values, row operations (src/editing) ----
  // =====================================================================================

  // Spare rows: keeps empty "A" rows below the data. lngNewCnt other than -1 becomes the
  // spare-row count; -1 keeps it (20 when never set). MaxRows becomes the grid's
  // DataRowCnt plus the count and every row after the data gets the status "A". In the
  // multi-row layout the record formatter does it instead (AddRecordsToSheet(lngNewCnt)).
  // Grid errors reach the caller.
  void AddRowsToSheet(int32_t lngNewCnt = -1);
  // The spare-row count as set: -1 until AddRowsToSheet first ran or was given one.
  int32_t AddRowCnt() const;
  // Colours the background of row lngRow: intColorType -1 white, 1 red (&HF81C1C),
  // 2 (&HF86C64), 3 (&HF8B2B2); 0 does nothing at all; another code leaves the colour. The
  // grid's Col and Row are put back. Grid errors reach the caller.
  void SetRowColor(int32_t lngRow, int16_t intColorType);
  // Writes strValue through CellText into definition column lngCol of rows lngRow1 to
  // lngRow2; with lngColCheck other than -1 only into the rows whose CellText in column
  // lngColCheck is "1". A row whose read or write fails is skipped. Never throws.
  void SetFillCol(int32_t lngCol, int32_t lngRow1, int32_t lngRow2, const std::string& strValue,
                  int32_t lngColCheck = -1);

  // ---- The user's input: the sheet's handling of its grid's events ----
  // The sheet listens to its grid (GetSheet): what the user does there (keys, typing,
  // clicks, drags, right clicks, resizing) goes through the sheet's handlers, which track
  // the row status, request code help, check dates on leaving a cell, auto-fit columns,
  // move dragged columns and open the context menus, and then raise the matching event of
  // ZelSheetEvents. The handlers never throw: a failure inside one ends that handler (or
  // that step of it) quietly and nothing reaches the grid or the host.

  // When true, a cell change and a double click raise no ShowDic; F9 still does.
  bool IsCancelCodeHelp() const;
  void IsCancelCodeHelp(bool on);
  // The sheet's own handlers of four grid events, for hosts that feed them directly:
  //   Grid1_Change: a committed change of grid cell (Col, Row): a final CR-LF dropped from
  //     single-line text and date cells, the row marked "U" (unless "DIS" column or
  //     IsNoRowHeaderChange), Change, then ShowDic with the last-entered cell;
  //   Grid1_KeyDown: the key handling of a key-down (KeyCode may come back 0), KeyDown, and
  //     ShowDic for F9;
  //   Grid1_DblClick: auto-fit of a header's column, code help, the IsDblClickColor
  //     highlight, DblClick, five message-loop passes, then DblClickRow = Row;
  //   Grid1_LeaveCell: once the sheet is loaded, the date checks of the cell left (a bad
  //     date puts the cursor back into it, without a message), the new cell becomes the
  //     last-entered one, and LeaveCell unless Cancel is already true.
  // Never throw.
  void Grid1_Change(int32_t Col, int32_t Row);
  void Grid1_KeyDown(int16_t& KeyCode, int16_t& Shift);
  void Grid1_DblClick(int32_t Col, int32_t Row);
  void Grid1_LeaveCell(int32_t Col, int32_t Row, int32_t NewCol, int32_t NewRow, bool& Cancel);

  // ---- Clipboard ----
  // The copy command of the menu and of Ctrl+C / Ctrl+X: ClipboardCopy unless
  // IsEditModeLock is set.
  void mnuCopy_Click();
  // Copies to the platform's clipboard: inside the cell editor the selected characters
  // (SelText), else the selected block (or the active cell) as TAB-separated lines. Does
  // nothing when the screen's rights forbid copying (eighth character "0"). Grid errors
  // reach the caller.
  void ClipboardCopy();
  // Does nothing: pasting is the grid's own (Ctrl+V).
  void ClipboardPaste();
  // When true the copy, cut and paste commands do nothing and their menu entries are
  // switched off.
  bool IsEditModeLock() const;
  void IsEditModeLock(bool on);
  // When true the paste command does nothing and the row copy entry is switched off.
  bool IsCopyPasteLock() const;
  void IsCopyPasteLock(bool on);

  // The cut command of the menu: unless IsEditModeLock, inside the cell editor the selected
  // characters go to the clipboard and leave the cell; otherwise whole selected rows are
  // deleted outright (no "X" mark, whatever their status), the selection is cut to the
  // clipboard and SheetCut(ActiveRow) is raised. Grid errors reach the caller.
  void mnuCut_Click();
  // The paste command of the menu: ClipboardPaste unless IsEditModeLock or IsCopyPasteLock.
  void mnuPaste_Click();
  // The line insert command: one new empty "A" row per row whose row header is selected,
  // all inserted above the first selected row (MaxRows grows by as many). Never throws.
  void mnuInsert_Click();
  // The row split command: asks the companion row split dialog which columns to split and
  // halves the numeric value of those columns in every row selected on its row header; the
  // halves are not copied into new rows. Cancelling changes nothing. Errors of the grid or
  // of the companion tools reach the caller.
  void mnuSeparate_Click();

  // Marks the rows selected on their row headers (1 to DataRowCnt) for deletion: an "A" row
  // is deleted, any other gets "X" and sets ChangeMade. Then the selection is cleared and
  // the spare rows restored (AddRowsToSheet()). Returns the number of rows marked "X".
  // lngNewRow is accepted and not used. Grid errors reach the caller.
  int32_t CutHeaderSetting(int32_t lngNewRow = 20);
  // The same for the rows of the grid's multiple selection; with IsHeaderLock the rows are
  // only counted (nothing changes). Returns the number of rows marked (or counted).
  int32_t CutHeaderSettingBlock(bool IsHeaderLock = false);
  // Empties the sheet for a new entry: MaxRows becomes the spare-row count, every row gets
  // "A", the texts of rows 1 to lngRow (0: all) are cleared, EditCol/EditRow and ChangeMade
  // are reset. lngCol is not used. Grid errors reach the caller.
  void ScreenClear(int32_t lngCol = 0, int32_t lngRow = 0);
  // Pastes whole rows as the grid copies them (row header field first, fields TAB
  // separated, lines ended by CR LF or LF) as new "A" rows inserted at the active row; text
  // after the last line feed is ignored; fields beyond MaxCols are dropped. The active cell
  // is put back. Throws std::overflow_error, changing nothing, for a text longer than 32767
  // characters; grid errors (more lines than the grid has rows below the active one) reach
  // the caller with the rows pasted so far kept.
  void SetTextPaste(const std::string& strClipboardText);
  // Writes TAB and line-feed separated text into the block col..Col2 x row..Row2: line k
  // (ended by a line feed) to row row + k - 1, and in it each field that a TAB ends to the
  // next column from col. No status is written. Cells outside the grid are skipped.
  void SetClipboardText(int32_t col, int32_t Col2, int32_t row, int32_t Row2,
                        const std::string& strClipboardText);
  // The grid's row and column insert / delete at lngRow / lngCol (Action 7, 5, 6, 4); no
  // status is written. Grid errors reach the caller.
  void sbInsertRow(int32_t lngRow);
  void sbDeleteRow(int32_t lngRow);
  void sbInsertCol(int32_t lngCol);
  void sbDeleteCol(int32_t lngCol);
  // Row-selection switch: reads -1 or 0. Any value other than 0 switches it on; -1 also puts
  // the grid into extended row selection (OperationMode 5) with a blue selection colour.
  int32_t IsActiveRowColorCng() const;
  void IsActiveRowColorCng(int32_t value);

  // ---- Row status (the row header text of each row) ----
  // The status of a row is the text of its row header cell (column 0): "A" added, "U"
  // updated, "X" marked for deletion, "" (or anything else) unchanged. A changed row has a
  // status of exactly "A", "U" or "X". In the multi-row layout the status sits on the
  // record's first grid row.

  // The save tag of `row`: "A" for "A", "U" for "U", "D" for "X", "" for anything else; the
  // status is trimmed first. Grid errors (a row outside the grid) reach the caller.
  std::string GetWorkingTag(int32_t row) const;
  // Number of changed rows among rows 1 to the sheet's DataRowCnt (which counts a spare row
  // being typed into); the status is compared as read, so " A" is not counted. A row that
  // cannot be read is not counted. Never throws.
  int32_t GetChangeCount() const;
  // Number of changed rows among rows 1 to the grid's DataRowCnt, statuses trimmed first.
  // lngNewRow is accepted and not used. A row that cannot be read is not counted. Never
  // throws.
  int32_t ChangedCount(int32_t lngNewRow = 20) const;
  // When ChangedCount() is above 0, asks "데이터가 변경되었습니다." LF "저장하겠습니까?" in a
  // Yes/No box titled "Message" and returns true for Yes. Otherwise returns false without
  // asking.
  bool IsChangedSave();
  // Marks every row 1 to the grid's DataRowCnt "A" (whatever it was, "X" included), so that
  // the whole sheet saves as new rows. Does nothing on a display-only sheet (IsDataDisplay).
  // Grid errors reach the caller.
  void SetSaveAs();
  // Data add mode: every Display appends below the existing rows. Writing also sets the
  // check mark of the context menu's data-add entry.
  bool IsDataAdd() const;
  void IsDataAdd(bool on);
  // Sorts the rows below the frozen rows up to the grid's DataRowCnt, whole rows, by every
  // column whose declared cell type is EnText, ascending, the keys in the columns' order
  // from left to right (keys an earlier sort set beyond these stay in force). startRow is
  // accepted and not used. Does nothing without a text column or without rows below the
  // frozen ones. Grid errors reach the caller.
  void DataAddSort(int32_t startRow = 0);
  // Clears every status and removes adjacent duplicate rows below the frozen rows (two rows
  // whose GetRowJoin(row, "|") texts are equal; the first row is compared with the row above
  // it, the header row for row 1), then sets MaxRows to the grid's DataRowCnt. The result is
  // that of walking the rows bottom-up and deleting row i up to MaxCols times while it
  // equals row i - 1, computed in one pass over the rows. Grid errors reach the caller.
  void DataAddRemoveRow();
  // The shown texts of grid columns 1 to MaxCols of lngRow, each followed by sp (an empty
  // cell gives "" and sp). Grid errors reach the caller.
  std::string GetRowJoin(int32_t lngRow, const std::string& sp) const;
  // Makes the first column that is not hidden (0 when all are) of row 1 the active cell.
  // Grid errors reach the caller.
  void ActiveCellTop();

  // The row marks of the row header menu: each writes its status into the row header of
  // every row 1 to the grid's DataRowCnt whose row header is selected, whatever the status
  // was, with redraw off, and sets ChangeMade. New "A", update "U", delete "X", cancel ""
  // (the mark is removed). The new, delete and cancel marks skip a row that fails; the
  // update mark stops at it and lets the grid error reach the caller.
  // Only whole rows count: with a block of cells or just an active cell selected a mark
  // does nothing. A host selects the rows first (the user's click on a row header, or
  // GetSheet().SetSelection(-1, row, -1, row)).
  void mnuNew_Click();
  void mnuUpdate_Click();
  void mnuDelete_Click();
  void mnuCancel_Click();
  // The data-add menu entry: flips its check mark and takes the new state into IsDataAdd.
  void mnuDataAdd_Click();

  // Change tracking, for the sheet's grid event handlers (and hosts that feed edits): the
  // one rule every tracked edit follows. When IsNoRowHeaderChange is false and the status of
  // `statusRow` is none of "A", "U" or "X", writes "U" and returns true; otherwise changes
  // nothing and returns false. Never throws (a row that cannot be read or written is left).
  bool TrackRowEdit(int32_t statusRow);
  // A committed cell change at (col, row): EditCol, EditRow = col, row; the row-pending flag
  // is cleared; then TrackRowEdit(statusRow) (the record's first row in the multi-row
  // layout, else `row`). Never throws.
  void TrackCellChange(int32_t col, int32_t row, int32_t statusRow);
  // A typed character in the active cell (col, row): when the status of `statusRow` is "A"
  // and EditRow lies below the grid's DataRowCnt, the user is typing into a spare row: the
  // row-pending flag is set (DataRowCnt then counts that row) and the status stays.
  // Otherwise TrackRowEdit(statusRow), and when it wrote "U", EditCol, EditRow = col, row.
  // Never throws.
  void TrackTypedEdit(int32_t col, int32_t row, int32_t statusRow);

  // ---- Cell values (col is a definition number, row a grid row) ----
  // Texts outside the sheet: dates "yyyymmdd", year-months "yyyymm", check boxes "1"/"0",
  // combos their code, masks without their literals, floats plain decimal text. On the
  // grid: dates "dd-mm-yyyy", year-months "mm-yyyy", combos the item text (caption, 50
  // blanks, code), masks with their literals. The column's declared cell type, maximum
  // length (the combo code length) and mask decide; in the multi-row layout they come from
  // the field record `col`.

  // The text of (ColX(col), row) in its outside form, trimmed. A column that is not declared
  // (col 0 or less, or beyond the model) gives the grid text trimmed. "" when the cell
  // cannot be read. Never throws, unlike the CellCheck reader beside it, which lets errors
  // through: screens written for this interface count on both, so they stay.
  std::string CellText(int32_t col, int32_t row);
  // Writes `value` converted to the grid form: a combo selects the item whose code is value
  // (SetItemToComboBox; no match leaves the selection), a check box "1" only for "1" else
  // "0", a mask formats value with the column's mask, a date "yyyymmdd" or "yyyy-mm-dd"
  // becomes "dd-mm-yyyy" ("" empties the cell), a year-month "mm-yyyy"; other types take
  // value as it is. The row status is not touched. Never throws: a failing write is skipped.
  void CellText(int32_t col, int32_t row, const std::string& value);
  // The grid's plain value of (ColX(col), row) read as a number (leading numeric part; 0
  // when empty or unreadable) / written as the cell's value. The grid's Col and Row are put
  // back. Never throws.
  double CellValue(int32_t col, int32_t row);
  void CellValue(int32_t col, int32_t row, double value);
  // A check column's "1" (ticked) or "0"; "" for a column of another type. In the multi-row
  // layout the same as CellText. Lets errors reach the caller (SubscriptError for a column
  // outside the model, GridError for a bad cell or a sheet without rows yet), where
  // CellText gives "": the two differ on purpose (see CellText).
  std::string CellCheck(int32_t col, int32_t row);
  // Ticks a check column's cell for "1" and clears it ("0") for anything else; other columns
  // are left alone (multi-row layout: as CellText). The write is the sheet's own, not a user
  // edit: the query-display flag is set meanwhile, so no status changes. Never throws.
  void CellCheck(int32_t col, int32_t row, const std::string& value);
  // The caption of a combo cell (its item text without the code, trimmed); "" for a column
  // of another type or a cell that cannot be read. Never throws.
  std::string CellComboCaption(int32_t col, int32_t row);
  // Selects, in the combo cell at grid column lngCol (a grid column, not a definition
  // number) and row lngRow, the item whose code is strItem: the code of an item is the last
  // intCodeSize characters of its trimmed text (0: the length of strItem trimmed). A blank
  // strItem selects item 0 when its code part is blank (an empty first item) or when
  // blnDefault is set. No match, or an empty list, changes nothing. Leaves the grid's Col
  // and Row at the cell. Never throws.
  void SetItemToComboBox(int32_t lngCol, int32_t lngRow, const std::string& strItem,
                         int16_t intCodeSize, bool blnDefault = false);
  // Builds or extends the combo list of definition column lngCol (grid column ColX(lngCol);
  // -1 all) in row lngRow (0 or -1: all rows). strItems holds the items, each caption "~,"
  // code TAB; every "~," becomes 50 blanks (the form AddItem takes):
  //   "매출처~,1\t매입처~,2\t"
  // blnClearList starts from an empty list (lngRow 0: the whole column's lists are
  // cleared), else the items are added to the present list.
  // intDefault 1 puts 50 blanks and a TAB before the items: an empty first item. The cells
  // become non-editable combo boxes and the column header's maximum length 0. Works only
  // when the sheet formats cells on definition, IsClearHeaderInfo is set or IsFlg is true;
  // otherwise the list is left alone and the stored cursor is put back (sbSetSheetInfo).
  // Stops quietly at a failing step; never throws.
  void InitCombo(const std::string& strItems, int16_t intDefault = 0, bool blnClearList = true,
                 int32_t lngCol = -1, int32_t lngRow = -1, bool IsFlg = false);
  // InitCombo from a data string: a row of one field gives the item field 1; a row of more
  // gives field 1, 50 blanks and field 2 (caption and code). A blank text does nothing.
  // Never throws.
  void InitComboStringArray(const std::string& strStringArray, int16_t intDefault = 0,
                            bool blnClearList = true, int32_t lngCol = -1,
                            int32_t lngRow = -1);
  // strExpression formatted by strFormat as the platform's expression formatter does
  // (numbers, dates, named and text formats; see text/number.h). FirstDayOfWeek (1 Sunday
  // .. 7 Saturday; 0 Sunday) and FirstWeekOfYear (1 the week of 1 January, 2 the first week
  // of four days, 3 the first full week; 0 as 1) drive week numbers.
  std::string GetFormat(const std::string& strExpression, const std::string& strFormat,
                        int32_t FirstDayOfWeek = 0, int32_t FirstWeekOfYear = 0) const;
  // The date input check the leave-cell handler runs on grid cell (col, row) of a column
  // declared EnDate or EnDateYearMonth (`cellType`; any other type passes). Unless col is
  // EditCol (the cell was edited since the last check) it passes without looking. Otherwise
  // it repairs what the user typed ("240105", "1/5", "7", "2024.1.5", "99-1-1", "2024/3" in
  // a year-month column) into "dd-mm-yyyy" or "mm-yyyy", today being ServerDate or the
  // platform's date, writes it back, sets EditCol to 0 and returns true; an empty cell
  // passes unchanged. Returns false, writing nothing, for what is no real date (too long,
  // too many parts, month 13, 30 February). Never shows a message and never throws.
  bool CheckDateInput(int32_t col, int32_t row, int16_t cellType);

  // =====================================================================================
  // ---- Save check, save results, error list (src/validation) ----
  // =====================================================================================
  // A save runs in three steps: fnCheckNotNull before the pending rows are collected
  // (GetData), the server's save, and MessageCheckSave or MessageCheckSaveSheet with the
  // server's answer, a save results string (below). The answer settles each pending row on
  // its own: saved rows lose their status and take the returned values, saved deletions
  // leave the grid, failed rows turn red and go into the error list (ErrorMsg), and one
  // message box says how many failed. What a row became stays when a later row fails.

  // The save results string: a header naming the returned values, then one result row per
  // line of the save text, in the same order.
  //   results := header result* ["~I~"]
  //   header  := "WorkingTag~,~," (name "~,")* "~I~"   the columns taking values 2, 3...
  //   result  := code "~," message "~," (value "~,")* "~I~"
  //   code    := "OK" (any case, blanks around: saved) | anything else (failed)
  // The two members disagree on the end: MessageCheckSaveSheet needs the final "~I~" (the
  // piece after the last one is not a row: without it the last result is lost), while
  // MessageCheckSave needs it left off (with it, the empty piece after it is taken for the
  // last result and every row pairs with the result of the row below). Row 2 saved with
  // serial 17, row 4 failed, for MessageCheckSaveSheet:
  //   WorkingTag~,~,CUST_SEQ~,~I~OK~,~,17~,~I~ERR~,코드가 중복됩니다~,~,~I~
  // zel::ResultsWriter (host_helpers.h) writes either form, zel::ReadErrorList reads
  // ErrorMsg.

  // Checks that every required column (access code containing "NON") of every pending row
  // (status "A", "U" or "X", rows 1 to DataRowCnt, top-down, columns in definition order)
  // holds a value: CellText trimmed not "", and not "0" in an EnFloat column. At the first
  // gap it makes that cell active, shows "'" + title + "' " + message table entry 2
  // (information icon), makes the cell active again and returns false. A step that fails
  // (a cell that cannot be read) is passed over; never throws.
  bool fnCheckNotNull();

  // Applies a save results string whose rows pair one by one with the taken sheet rows
  // (no final "~I~"; a bottom-up walk pairs the last taken row with the last result row).
  //   save mode (strMode "Save"): rows with status "A", "U" or "X" are taken; a saved row's
  //     status becomes "";
  //   check mode (anything else): every "U" status walked is cleared, and the rows whose
  //     CellText(lngCheckCol) reads 1 are taken; a saved row's tick becomes "0".
  // Mind the defaults: strMode "" is check mode, so a host that saved GetData's rows passes
  // "Save"; and a string with a final "~I~" (as MessageCheckSaveSheet wants it) pairs every
  // row with the result of the row below.
  // A saved "A"/"U" row (any saved row when lngCheckCol > 0, the default 65535 included)
  // takes every returned field into the column of that field name (FieldNo) and turns from
  // red to black; otherwise a saved "X" row is deleted and MaxRows lowered by 1. A failed
  // row turns red and its line (row "~, " message "~," code "~,~I~") goes in front of
  // ErrorMsg. Failures then give one box (entry 1, "@1" = ErrorCount, title
  // "[MessageCheckSave]") and false. A blank strResults returns false and changes nothing.
  // A fault in the walk (a missing result row, a failed row without a message field)
  // shows its text in a critical box titled "[MessageCheckSave]" and ends the walk; the
  // summary follows as after a normal walk. Never throws.
  // lngCheckCol is used by its leading number ("3" and "3abc" -> 3; none -> 0).
  bool MessageCheckSave(const std::string& strResults, const std::string& lngCheckCol = "65535",
                        const std::string& strMode = "", bool isTop = false);
  bool MessageCheckSave(const std::string& strResults, int32_t lngCheckCol,
                        const std::string& strMode = "", bool isTop = false);

  // Applies a save results string that ends in "~I~" (the piece after the last one is not
  // a row), walking the sheet bottom-up: saved rows get status "" (multi-row layout: their
  // record number), saved "A"/"U" rows take up to five returned keys and turn black, saved
  // "X" rows leave the grid (MaxRows lowered by 1, by H records rows in the multi-row
  // layout), failed rows turn red and their line (number "~," " ◇ " message
  // " ◆ 자료를 확인하십시오." "~,~I~") goes in front of ErrorMsg. Each key write-back is a
  // triple (lngNewKeyN: field index in the result row; lngNewKeyColN, then lngOldKeyColN:
  // definition numbers of the columns that receive it, 0 or less for none). Failed rows give
  // one box (entry 1, "@1" = ErrorCount, title "[MessageCheckSaveSheet]") and false; a clean
  // application clears ChangeMade and returns true. An empty strResults returns false.
  // A fault in the single-row walk (a key index beyond the result row, too few result rows)
  // shows its text in a critical box titled "[SetSaveResultsSheetArray]" and ends the walk
  // with the rows counted so far (and the summary when there are any); the result is then
  // false and ChangeMade stays, since rows may be left unsettled. In the multi-row layout a
  // failing step is passed over. Never throws.
  bool MessageCheckSaveSheet(const std::string& strResults, int32_t lngNewKey1 = 0,
                             int32_t lngOldKeyCol1 = 0, int32_t lngNewKeyCol1 = 0,
                             int32_t lngNewKey2 = 0, int32_t lngOldKeyCol2 = 0,
                             int32_t lngNewKeyCol2 = 0, int32_t lngNewKey3 = 0,
                             int32_t lngOldKeyCol3 = 0, int32_t lngNewKeyCol3 = 0,
                             int32_t lngNewKey4 = 0, int32_t lngOldKeyCol4 = 0,
                             int32_t lngNewKeyCol4 = 0, int32_t lngNewKey5 = 0,
                             int32_t lngOldKeyCol5 = 0, int32_t lngNewKeyCol5 = 0);

  // Failed rows of the last result application (0 after a clean one).
  int32_t ErrorCount() const;
  // The error list of the last result application: one line per failed row, newest first.
  std::string ErrorMsg() const;
  // Shows ErrorMsg as it is (separators included) in a box with only OK, no icon and the
  // default title.
  void ErrorMsgShow();
  // The "Error List" context menu entry (mnuErrorLogShow): hands ErrorMsg to the companion
  // tools' error list. A missing or failing tools service is passed over: nothing is shown.
  void ErrorLogShow();

  // Definition number of the first column (multi-row layout: field record) whose field name,
  // trimmed, equals strFieldName trimmed (case-sensitive), among 1 to MaxCols; -1 when none.
  int32_t FieldNo(const std::string& strFieldName) const;

  // =====================================================================================
  // ---- The sheet's build from its stored settings (src/sheet) ----
  // =====================================================================================

  // The user's arrangement of the sheet lives in two stores: the settings section of the
  // per-user settings store (section PgmID + "\" + SheetID: column order, widths, hidden
  // columns, frozen rows and columns, row heights, cursor, size, merge state, line colours,
  // fonts of the configuration dialog) and the layout file, the grid's own image (see
  // LayoutFilePath in the tools). The section also holds the stamp of the one layout file it
  // was written with: a layout file it does not describe is never loaded. Both are read when
  // the screen loads (SetSheetDeg, SheetInit), written when it closes (SaveTitleInfo, then
  // the destructor), and thrown away by sbSheetInit. None of these members throws: a step
  // that fails (a damaged value, a missing file, a name that may not make a file) is passed
  // over, and what it would have set keeps its default.

  // Builds the sheet when its screen loads: the stored frozen rows and columns; the layout
  // file (IsFileLoad True when it was written in the sheet's language; a freshly opened
  // screen - load mode "init", "newpage", "jumpin" - drops its rows), else the default
  // appearance of 50 columns, colours, header cells and the client's "SHEET" fonts; for
  // built-in screens SheetInit(lngMaxCols); IsClear's fresh spare rows; the language font;
  // the stored combo lists; the cursor (sbSetSheetInfo). Nothing is skipped for
  // IsClearHeaderInfo but the layout file and the combo lists.
  void SetSheetDeg(int32_t& lngMaxCols);
  // Puts the stored column arrangement back and returns true when it still fits the screen:
  // lngMaxCols equal to the stored column count (or below 1) and strRegDate equal to the
  // stored "RegDate". Row heights (a stored 10 comes back as 10.2) and the edit-mode choice
  // are applied in any case; with nothing stored it returns false. A stale arrangement is
  // ignored, and when the layout file was loaded on a fresh screen the grid is rebuilt with
  // lngMaxCols plain columns and every stored setting discarded. Sets the column counter
  // back to 0 (the screen declares its columns next).
  bool SheetInit(int32_t lngMaxCols = 0, const std::string& strRegDate = "");
  // Writes the closing arrangement: cursor, size, switches, merge state, combo lists, header
  // colours, row heights, "RegDate" and the close-time keys, together with the layout file,
  // as one change that a crash or a second program closing the same screen never splits.
  // The destruction that follows writes nothing more. Does nothing after sbSheetInit.
  void SaveTitleInfo();
  // Discards every stored setting of the sheet and its layout file; the screen saves
  // nothing more while it stays open.
  void sbSheetInit();
  // Puts the cursor and scroll position back as stored ("Point"), or with IsActiveCellTop
  // at the first column of row 1.
  void sbSetSheetInfo();
  // True when the layout file was loaded for the current language.
  bool IsFileLoad() const;
  void IsFileLoad(bool on);

  // Header cell style (centred multi-line edit cells, unlocked) and header colours of the
  // row-header column and the column-header row; only when Appearance is 0. Grid errors
  // reach the caller.
  void SetHeaderColor();
  // Gives the header rows and row-header columns of the multi-row layout the header cell
  // style, and the single row-header column its colours. Grid errors reach the caller.
  void SetHeaderColorMult();

  // Context menu entries. "Initialize": sbSheetInit, then the message table's note (entry
  // 0) that the screen must be opened again. "line color": light yellow odd rows, stored as
  // "ID_SheetColor" = "1" (restored with the column arrangement); "cancel line color": white
  // rows, "0".
  void mnuSheetInit_Click();
  void mnuSheetColor_Click();
  void mnuSheetColorCancel_Click();

  // =====================================================================================
  // ---- Tools, menus, folders (src/tools) ----
  // =====================================================================================

  // The context menus: "mnuSheet" (a right click on the top-left corner), "mnuFunction" (on
  // a data cell), "mnuEdit" (on a row header with a block selected) and "mnuHidden". Entry
  // names, order and built-in captions:
  //   mnuSheet: mnuSendToExcel, mnuSendToChart, mnuSheetPrint, mnuErrorLogShow,
  //     mnuSheetSetting, "-", mnuSheetFind, mnuSheetFilter, mnuColMerge, mnuSheetSort,
  //     mnuColsFrozen, mnuRowsFrozen, mnuSheetInit, mnuSheetAdd, mnuSheetColor,
  //     mnuSheetColorCancel, mnuDataAdd (a check item), mnuRowEdit;
  //   mnuFunction: mnuSheetSumNAvg, "-", mnuCut, mnuCopy, mnuPaste;
  //   mnuEdit: mnuInsert, "-", mnuNew, mnuUpdate, mnuDelete, mnuCancel, "-", mnuCopyPaste,
  //     mnuSeparate;
  //   mnuHidden: Hidden01.
  // A caption of "-" is a separator.

  // The sum of grid column lngActiveCol's values over rows lngRow1 to lngRow2 (-1: to
  // DataRowCnt): a number cell's number, a text's leading numeric part, an empty cell 0.
  // Rows outside the grid add nothing. GridError for a column outside the grid.
  double GetSumCols(int32_t lngActiveCol, int32_t lngRow1 = 1, int32_t lngRow2 = -1);

  // The entries of menu `menuName` as the user would see them now: captions (built in, from
  // the message table or from SetMenuCaption), enabled states (the rights switch the copy
  // and export entries off, IsEditModeLock and IsCopyPasteLock the clipboard ones) and the
  // data-add check mark. Empty for an unknown menu.
  std::vector<PopupMenuEntry> MenuEntries(const std::string& menuName) const;
  // Shows menu `menuName` through the platform's pop-up service (flags, position in the
  // control's units and default entry are handed on) and runs the entry the user chose.
  // Row Edit, row copy and Hidden01 do nothing. A tool that fails ends quietly.
  void PopupMenu(const std::string& menuName, int32_t flags = 0, double x = 0, double y = 0,
                 const std::string& defaultEntry = "");
  // When the operating system's language differs from the sheet's, gives every entry that
  // has one its English caption ("Sum", "represent A", "fix rows" for the frozen columns
  // entry, ...); the others keep theirs. strList is not used.
  void SetMenuCaption(const std::string& strList = "");

  // Find (the mnuSheetFind entry, Ctrl+F): asks the companion find dialog for a text,
  // starting from the last one. A new text starts from the top (the old marks are cleared);
  // an empty one ends the search and clears the marks; then SheetSearch runs.
  void mnuSheetFind_Click();
  // Find next (F3): marks every shown data cell whose text holds the search text in any
  // letter case bold in purple (RGB 112, 48, 160), and scrolls the first such cell after
  // the last match (by row, then column; after the last, the first again) into view. Does
  // nothing without a search text.
  void SheetSearch();
  // The cells the finds marked go back to normal weight and black text.
  void SheetSearchClear();

  // User folders and data files. The sheet keeps its files under the folder the platform
  // gives as WindowDir (ZELSHEET_WINDOW_DIR): WindowDir + "/Praxium.Net/", or with the
  // client value "UserDirType" "1" a folder per user, HomeDir + "/Data/" + UserID +
  // "/TempFile/" (HomeDir: the client value, WindowDir + "/Praxium.Net" when unset).
  // A data file is named by DefaultDir, strGroupDir and strFileName: with DefaultDir the
  // user's folder + "/TempFile/" + strGroupDir + "/" + strFileName, else strGroupDir (the
  // host's own folder, used as given) + "/" + strFileName. It holds a data string in its
  // data-only form and a line break, in the ANSI code page (CP949), and is written whole.
  // A user id, PgmID, SheetID, group folder or file name that would leave the sheet's
  // folders ("/", "\", "..", a drive, a control character, too long) is refused. The file
  // members show the hourglass meanwhile and end at the first failure with its text in a
  // critical box; they never throw.

  // Writes the rows selected on their row headers (all rows when none is) as data-only text
  // to the file; with bulAddFile after the file's present rows. No rows at all deletes it.
  void SetSheetToFile(bool DefaultDir, const std::string& strGroupDir,
                      const std::string& strFileName, bool bulAddFile);
  // Fills the sheet from the file: MaxRows = its rows, field c of row r into CellText(c, r).
  // Without search text, rows outside page lngPageNo of lngPageSize are hidden and their
  // number is returned. With search text, only the rows whose field strSearchCol1 contains
  // it ("=") or sorts at or after it (">=") are shown, those of the page, numbered 1, 2, ...
  // in their row headers (strSearchCol2..4 search again while the one before found a row);
  // the result is the number shown. Then the header sort on strSearchCol1. -1 when the file
  // does not exist; a page number or size below 1 empties the sheet.
  int32_t SetFileToSheet(bool DefaultDir, const std::string& strGroupDir,
                         const std::string& strFileName, const std::string& strSearchData = "",
                         const std::string& strOp = "=", int32_t lngPageNo = 1,
                         int32_t lngPageSize = 50, int32_t strSearchCol1 = 0,
                         int32_t strSearchCol2 = 0, int32_t strSearchCol3 = 0,
                         int32_t strSearchCol4 = 0);
  // The file's whole text (line break included) when either index is -1, else its field
  // (strSearchCol, strSearchRow), counted from 1 ("" for 0 or beyond the text). "" when the
  // file does not exist.
  std::string SetFileToString(bool DefaultDir, const std::string& strGroupDir,
                              const std::string& strFileName, int32_t strSearchCol = 0,
                              int32_t strSearchRow = 0);
  // Writes strFileData and a line break to the file, replacing it.
  void SetStringToFile(bool DefaultDir, const std::string& strGroupDir,
                       const std::string& strFileName, const std::string& strFileData);
  // Deletes the file when it exists. Always true.
  bool fnDeleteFile(bool DefaultDir, const std::string& strGroupDir,
                    const std::string& strFileName);
  // The folder that stands for the Windows directory (the platform's WindowDir).
  std::string WindowDir() const;
  // Hands the request to the platform's desktop launcher; its result (above 32: started),
  // 0 when the launcher fails.
  int32_t ShellExecute(const std::string& IpOperation, const std::string& lpFile,
                       const std::string& lpParameters, const std::string& lpDirectory,
                       int32_t nShowCmd);
  // The companion tools' file dialog: the chosen file or files, "" when cancelled or failed.
  std::string OpenDialog(const std::string& strInitDir, const std::string& strFilter = "",
                         bool bulMultiSelect = false);
  // The access code of definition lngCol; "" outside the column model.
  std::string getHiddenType(int32_t lngCol) const;
  // The first row from 1 to DataRowCnt that is not hidden; 0 when all are (or on failure).
  int32_t getUnHiddenRow();

  // ---- The sheet tools of the menus ----
  // Each dialog entry opens its companion dialog (CompanionTools); a cancelled dialog, or
  // companion tools that are missing, change nothing. Unless stated otherwise a tool that
  // fails ends there without a message.

  // Spreadsheet export (mnuSendToExcel): hands the sheet's table (see SheetTable) and the
  // third field of Info to the companion SendToExcel; SendExcel also hands PgmID, the
  // host's target document and a header title written above the table. Both do nothing
  // when the screen's rights forbid copying. The returned outcome names the file written,
  // or why none was ("" path and done false also when nothing ran).
  ToolOutcome SendToExcel();
  ToolOutcome SendExcel(std::string objDocument = "", std::string strHeaderTitle = "");
  // The chart (mnuSendToChart): the selected numeric columns against the first text column.
  ToolOutcome SendToChart();
  // Print (mnuSheetPrint): the table with the host form's caption as title (FormCaption),
  // or PgmID when the caption is empty.
  ToolOutcome SheetPrint();
  // The caption of the host form, used as the print title.
  std::string FormCaption() const;
  void FormCaption(const std::string& caption);
  // What the companion tools are given to export, print or chart: the shown rows (1 to
  // DataRowCnt, hidden rows left out) of every grid column 1 to the last declared one, with
  // the header rows and their spans, typed values, widths, hidden columns, frozen counts,
  // the selection and the row colours.
  GridTable SheetTable();

  // Configuration (mnuSheetSetting): the columns' titles and hidden states go to the dialog;
  // when confirmed every column it hands back "1" for is hidden and every other shown,
  // EditModePermanent takes its choice, and the dialog fonts and the close-time save run.
  void fnSheetSetting();
  // Filter (mnuSheetFilter): when confirmed every row is shown again, then a row is hidden
  // when for some column with a filter text its cell does not contain that text (in any
  // letter case); EditModePermanent, dialog fonts and close-time save as for configuration.
  void mnuSheetFilter_Click();
  // Applies filter texts, one per grid column (element c-1 for column c, "" none): the
  // filter step of mnuSheetFilter_Click, for hosts that filter without the dialog.
  void ApplyFilter(const std::vector<std::string>& filters);
  // Sort dialog (mnuSheetSort): up to three key columns, each ascending or descending; the
  // rows below the frozen ones up to DataRowCnt are sorted (nothing when the first key is
  // none).
  void mnuSheetSort_Click();
  // Frozen columns / rows (mnuColsFrozen / mnuRowsFrozen): the number entered becomes
  // ColsFrozen / RowsFrozen and is stored under "ColsFrozen" / "RowsFrozen". A number that
  // is not a count in 0..MaxCols (0..MaxRows) changes nothing.
  void mnuColsFrozen_Click();
  void mnuRowsFrozen_Click();
  // Add rows (mnuSheetAdd): 20 more rows marked "A"; nothing on a built-in screen.
  void mnuSheetAdd_Click();

  // Column merge (mnuColMerge): the dialog chooses up to three merge columns and the group
  // colouring; confirmed, the merge is applied. SetColMerge sets all five merge columns
  // (grid columns, 0 none), the colouring and the five descending flags, and applies them:
  // every column's merge is cleared; with merge columns the cell back colours are reset,
  // the data rows are sorted by the merge columns (descending where flagged), the first
  // merge column shows equal neighbours merged and the others only within the groups of the
  // ones before; with colouring the groups of the first merge column are painted alternately
  // in BackColor + 9 and BackColor. Merge columns that are hidden, beyond MaxCols or repeated
  // are left out. A failure shows its text in a message box (OK only, no icon).
  void mnuColMerge_Click();
  void SetColMerge(int32_t lngColMerge1 = 0, int32_t lngColMerge2 = 0, int32_t lngColMerge3 = 0,
                   int32_t lngColMerge4 = 0, int32_t lngColmerge5 = 0, bool bIsColor = false,
                   bool isDesc1 = false, bool isDesc2 = false, bool isDesc3 = false,
                   bool isDesc4 = false, bool isDesc5 = false);
  // True while a column merge is in force (the header sort then does nothing).
  bool IsColMerge() const;

  // Sum and average (mnuSheetSumNAvg): total, count, maximum, minimum and average of the
  // selected cells of the current block (texts with "," removed read as numbers; empty or
  // non-numeric texts count 0), formatted "#,##0" with the active cell's decimal places,
  // shown by the companion GetCalOnSheet. A failure shows its text in a message box (OK
  // only, no icon).
  void fnSumAvg();
  // The grid's cell tag of (ColX(lngCol), lngRow); the grid's Col and Row are put back.
  // Grid errors reach the caller.
  void SetCellTag(int32_t lngCol, int32_t lngRow, const std::string& strCellTag);
  std::string GetCellTag(int32_t lngCol, int32_t lngRow);
  // Always "".
  std::string PraxiumMyFolder(const std::string& struserid) const;

  // The sheet's state. It is defined inside the library; a host has no use for it.
  struct Impl;

 private:
  std::unique_ptr<Impl> impl_;
};

}  // namespace zel
