// The pass-through members: the plain ones hand the call to the grid's member of the same
// name; the others go to the control itself or add behaviour to the grid's member. None of
// them catches, so the grid's errors reach the caller.
#include <algorithm>

#include "sheet/sheet_state.h"
#include "text/codepage.h"
#include "text/strings.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

namespace {
constexpr float kTwipsPerPoint = 20.0f;
// The control's font is the 9-point font a grid column unit is measured in.
constexpr float kUnitFontSize = 9.0f;
constexpr float kLineSpacing = 1.2f;
}  // namespace

void ZelSheet::DrawMode(int16_t mode) {
  impl_->control.draw_mode = mode;
  impl_->editing.last_entered_col = impl_->grid.ActiveCol();
  impl_->editing.last_entered_row = impl_->grid.ActiveRow();
}

void ZelSheet::MaxRows(int32_t rows) {
  impl_->grid.MaxRows(rows);
  // The grid clips its frozen rows to the rows it has; the sheet's own count comes back as
  // far as the new size allows.
  impl_->grid.RowsFrozen(std::min(impl_->settings.frozen_rows, impl_->grid.MaxRows()));
}

int32_t ZelSheet::DataRowCnt() const {
  return impl_->grid.DataRowCnt() + (impl_->editing.row_pending ? 1 : 0);
}

void ZelSheet::ActiveCell(int32_t col, int32_t row) {
  impl_->grid.Col(col);
  impl_->grid.Row(row);
  impl_->grid.Action(kActionActiveCell);
}

void ZelSheet::SetFocus() {
  if (impl_->control.grid_has_focus) return;
  impl_->control.grid_has_focus = true;
  // Gaining the focus is something the grid reports, as it does for the user's click.
  if (GridListener* listener = impl_->grid.Listener()) listener->GotFocus();
}

float ZelSheet::TextWidth(const std::string& str) const {
  const float unit =
      static_cast<float>(Grid::kTwipsPerColUnit) * impl_->control.font_size / kUnitFontSize;
  int32_t widest = 0;
  for (std::string_view line : text::SplitView(str, "\n")) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    widest = std::max(widest, text::LenH(line));
  }
  return static_cast<float>(widest) * unit;
}

float ZelSheet::TextHeight(const std::string& str) const {
  const auto lines = static_cast<float>(text::SplitView(str, "\n").size());
  return lines * impl_->control.font_size * kLineSpacing * kTwipsPerPoint;
}

// ---- Plain pass-throughs ------------------------------------------------------------------

Grid& ZelSheet::GetSheet() { return impl_->grid; }
const Grid& ZelSheet::GetSheet() const { return impl_->grid; }
void ZelSheet::CellNote(const std::string& note) { impl_->grid.CellNote(note); }
bool ZelSheet::IsFetchCellNote() const { return impl_->grid.IsFetchCellNote(); }
int16_t ZelSheet::RestrictCols() const { return impl_->grid.RestrictCols(); }
void ZelSheet::RestrictCols(int16_t restrict) { impl_->grid.RestrictCols(restrict); }
int16_t ZelSheet::ColMerge() const { return impl_->grid.ColMerge(); }
void ZelSheet::ColMerge(int16_t mode) { impl_->grid.ColMerge(mode); }
int16_t ZelSheet::RowMerge() const { return impl_->grid.RowMerge(); }
void ZelSheet::RowMerge(int16_t mode) { impl_->grid.RowMerge(mode); }
void ZelSheet::SetCellBorder(int32_t lCol, int32_t lRow, int32_t lCol2, int32_t lRow2,
                             int16_t nIndex, Color crColor, int16_t nStyle) {
  impl_->grid.SetCellBorder(lCol, lRow, lCol2, lRow2, nIndex, crColor, nStyle);
}
bool ZelSheet::AllowCellOverflow() const { return impl_->grid.AllowCellOverflow(); }
void ZelSheet::AllowCellOverflow(bool v) { impl_->grid.AllowCellOverflow(v); }
bool ZelSheet::AllowDragDrop() const { return impl_->grid.AllowDragDrop(); }
void ZelSheet::AllowDragDrop(bool v) { impl_->grid.AllowDragDrop(v); }
bool ZelSheet::AllowMultiBlocks() const { return impl_->grid.AllowMultiBlocks(); }
void ZelSheet::AllowMultiBlocks(bool v) { impl_->grid.AllowMultiBlocks(v); }
Color ZelSheet::BackColor() const { return impl_->grid.BackColor(); }
void ZelSheet::BackColor(Color v) { impl_->grid.BackColor(v); }
int16_t ZelSheet::BackColorStyle() const { return impl_->grid.BackColorStyle(); }
void ZelSheet::BackColorStyle(int16_t v) { impl_->grid.BackColorStyle(v); }
bool ZelSheet::BlockMode() const { return impl_->grid.BlockMode(); }
void ZelSheet::BlockMode(bool v) { impl_->grid.BlockMode(v); }
int16_t ZelSheet::ButtonDrawMode() const { return impl_->grid.ButtonDrawMode(); }
void ZelSheet::ButtonDrawMode(int16_t v) { impl_->grid.ButtonDrawMode(v); }
Color ZelSheet::CellBorderColor() const { return impl_->grid.CellBorderColor(); }
void ZelSheet::CellBorderColor(Color v) { impl_->grid.CellBorderColor(v); }
int16_t ZelSheet::CellBorderStyle() const { return impl_->grid.CellBorderStyle(); }
void ZelSheet::CellBorderStyle(int16_t v) { impl_->grid.CellBorderStyle(v); }
int16_t ZelSheet::CellBorderType() const { return impl_->grid.CellBorderType(); }
void ZelSheet::CellBorderType(int16_t v) { impl_->grid.CellBorderType(v); }
int16_t ZelSheet::CellType() const { return impl_->grid.CellType(); }
void ZelSheet::CellType(int16_t v) { impl_->grid.CellType(v); }
bool ZelSheet::ChangeMade() const { return impl_->grid.ChangeMade(); }
void ZelSheet::ChangeMade(bool v) { impl_->grid.ChangeMade(v); }
std::string ZelSheet::Clip() const { return impl_->grid.Clip(); }
void ZelSheet::Clip(const std::string& v) { impl_->grid.Clip(v); }
int16_t ZelSheet::ClipboardOptions() const { return impl_->grid.ClipboardOptions(); }
void ZelSheet::ClipboardOptions(int16_t v) { impl_->grid.ClipboardOptions(v); }
std::string ZelSheet::ClipValue() const { return impl_->grid.ClipValue(); }
void ZelSheet::ClipValue(const std::string& v) { impl_->grid.ClipValue(v); }
int32_t ZelSheet::Col() const { return impl_->grid.Col(); }
void ZelSheet::Col(int32_t v) { impl_->grid.Col(v); }
int32_t ZelSheet::Col2() const { return impl_->grid.Col2(); }
void ZelSheet::Col2(int32_t v) { impl_->grid.Col2(v); }
int16_t ZelSheet::ColHeaderDisplay() const { return impl_->grid.ColHeaderDisplay(); }
void ZelSheet::ColHeaderDisplay(int16_t v) { impl_->grid.ColHeaderDisplay(v); }
bool ZelSheet::ColHidden() const { return impl_->grid.ColHidden(); }
void ZelSheet::ColHidden(bool v) { impl_->grid.ColHidden(v); }
int32_t ZelSheet::ColsFrozen() const { return impl_->grid.ColsFrozen(); }
void ZelSheet::ColsFrozen(int32_t v) { impl_->grid.ColsFrozen(v); }
double ZelSheet::ColWidth(int32_t col) const { return impl_->grid.ColWidth(col); }
void ZelSheet::ColWidth(int32_t col, double v) { impl_->grid.ColWidth(col, v); }
std::string ZelSheet::CursorIcon() const { return impl_->grid.CursorIcon(); }
void ZelSheet::CursorIcon(const std::string& v) { impl_->grid.CursorIcon(v); }
int16_t ZelSheet::CursorStyle() const { return impl_->grid.CursorStyle(); }
void ZelSheet::CursorStyle(int16_t v) { impl_->grid.CursorStyle(v); }
int16_t ZelSheet::CursorType() const { return impl_->grid.CursorType(); }
void ZelSheet::CursorType(int16_t v) { impl_->grid.CursorType(v); }
bool ZelSheet::DisplayColHeaders() const { return impl_->grid.DisplayColHeaders(); }
void ZelSheet::DisplayColHeaders(bool v) { impl_->grid.DisplayColHeaders(v); }
bool ZelSheet::DisplayRowHeaders() const { return impl_->grid.DisplayRowHeaders(); }
void ZelSheet::DisplayRowHeaders(bool v) { impl_->grid.DisplayRowHeaders(v); }
bool ZelSheet::EditMode() const { return impl_->grid.EditMode(); }
void ZelSheet::EditMode(bool v) { impl_->grid.EditMode(v); }
bool ZelSheet::EditModePermanent() const { return impl_->grid.EditModePermanent(); }
void ZelSheet::EditModePermanent(bool v) { impl_->grid.EditModePermanent(v); }
bool ZelSheet::EditModeReplace() const { return impl_->grid.EditModeReplace(); }
void ZelSheet::EditModeReplace(bool v) { impl_->grid.EditModeReplace(v); }
std::string ZelSheet::FloatDefCurrencyChar() const { return impl_->grid.FloatDefCurrencyChar(); }
void ZelSheet::FloatDefCurrencyChar(const std::string& v) { impl_->grid.FloatDefCurrencyChar(v); }
std::string ZelSheet::FloatDefDecimalChar() const { return impl_->grid.FloatDefDecimalChar(); }
void ZelSheet::FloatDefDecimalChar(const std::string& v) { impl_->grid.FloatDefDecimalChar(v); }
std::string ZelSheet::FloatDefSepChar() const { return impl_->grid.FloatDefSepChar(); }
void ZelSheet::FloatDefSepChar(const std::string& v) { impl_->grid.FloatDefSepChar(v); }
GridFont ZelSheet::Font() const { return impl_->grid.Font(); }
void ZelSheet::Font(const GridFont& v) { impl_->grid.Font(v); }
bool ZelSheet::FontBold() const { return impl_->grid.FontBold(); }
void ZelSheet::FontBold(bool v) { impl_->grid.FontBold(v); }
bool ZelSheet::FontItalic() const { return impl_->grid.FontItalic(); }
void ZelSheet::FontItalic(bool v) { impl_->grid.FontItalic(v); }
std::string ZelSheet::FontName() const { return impl_->grid.FontName(); }
void ZelSheet::FontName(const std::string& v) { impl_->grid.FontName(v); }
float ZelSheet::FontSize() const { return impl_->grid.FontSize(); }
void ZelSheet::FontSize(float v) { impl_->grid.FontSize(v); }
bool ZelSheet::FontStrikethru() const { return impl_->grid.FontStrikethru(); }
void ZelSheet::FontStrikethru(bool v) { impl_->grid.FontStrikethru(v); }
bool ZelSheet::FontUnderline() const { return impl_->grid.FontUnderline(); }
void ZelSheet::FontUnderline(bool v) { impl_->grid.FontUnderline(v); }
Color ZelSheet::ForeColor() const { return impl_->grid.ForeColor(); }
void ZelSheet::ForeColor(Color v) { impl_->grid.ForeColor(v); }
int32_t ZelSheet::LeftCol() const { return impl_->grid.LeftCol(); }
void ZelSheet::LeftCol(int32_t v) { impl_->grid.LeftCol(v); }
Color ZelSheet::LockBackColor() const { return impl_->grid.LockBackColor(); }
void ZelSheet::LockBackColor(Color v) { impl_->grid.LockBackColor(v); }
bool ZelSheet::LockCells() const { return impl_->grid.LockCells(); }
void ZelSheet::LockCells(bool v) { impl_->grid.LockCells(v); }
Color ZelSheet::LockForeColor() const { return impl_->grid.LockForeColor(); }
void ZelSheet::LockForeColor(Color v) { impl_->grid.LockForeColor(v); }
int32_t ZelSheet::MultiSelIndex() const { return impl_->grid.MultiSelIndex(); }
void ZelSheet::MultiSelIndex(int32_t v) { impl_->grid.MultiSelIndex(v); }
bool ZelSheet::NoBeep() const { return impl_->grid.NoBeep(); }
void ZelSheet::NoBeep(bool v) { impl_->grid.NoBeep(v); }
bool ZelSheet::NoBorder() const { return impl_->grid.NoBorder(); }
void ZelSheet::NoBorder(bool v) { impl_->grid.NoBorder(v); }
int16_t ZelSheet::OperationMode() const { return impl_->grid.OperationMode(); }
void ZelSheet::OperationMode(int16_t v) { impl_->grid.OperationMode(v); }
bool ZelSheet::ProcessTab() const { return impl_->grid.ProcessTab(); }
void ZelSheet::ProcessTab(bool v) { impl_->grid.ProcessTab(v); }
bool ZelSheet::ReDraw() const { return impl_->grid.ReDraw(); }
void ZelSheet::ReDraw(bool v) { impl_->grid.ReDraw(v); }
int32_t ZelSheet::Row() const { return impl_->grid.Row(); }
void ZelSheet::Row(int32_t v) { impl_->grid.Row(v); }
int32_t ZelSheet::Row2() const { return impl_->grid.Row2(); }
void ZelSheet::Row2(int32_t v) { impl_->grid.Row2(v); }
int16_t ZelSheet::RowHeaderDisplay() const { return impl_->grid.RowHeaderDisplay(); }
void ZelSheet::RowHeaderDisplay(int16_t v) { impl_->grid.RowHeaderDisplay(v); }
double ZelSheet::RowHeight(int32_t row) const { return impl_->grid.RowHeight(row); }
void ZelSheet::RowHeight(int32_t row, double v) { impl_->grid.RowHeight(row, v); }
bool ZelSheet::RowHidden() const { return impl_->grid.RowHidden(); }
void ZelSheet::RowHidden(bool v) { impl_->grid.RowHidden(v); }
int32_t ZelSheet::RowsFrozen() const { return impl_->grid.RowsFrozen(); }
void ZelSheet::RowsFrozen(int32_t v) { impl_->grid.RowsFrozen(v); }
Color ZelSheet::SelBackColor() const { return impl_->grid.SelBackColor(); }
void ZelSheet::SelBackColor(Color v) { impl_->grid.SelBackColor(v); }
int16_t ZelSheet::SelectBlockOptions() const { return impl_->grid.SelectBlockOptions(); }
void ZelSheet::SelectBlockOptions(int16_t v) { impl_->grid.SelectBlockOptions(v); }
Color ZelSheet::SelForeColor() const { return impl_->grid.SelForeColor(); }
void ZelSheet::SelForeColor(Color v) { impl_->grid.SelForeColor(v); }
int32_t ZelSheet::SelLength() const { return impl_->grid.SelLength(); }
void ZelSheet::SelLength(int32_t v) { impl_->grid.SelLength(v); }
int32_t ZelSheet::SelModeIndex() const { return impl_->grid.SelModeIndex(); }
void ZelSheet::SelModeIndex(int32_t v) { impl_->grid.SelModeIndex(v); }
bool ZelSheet::SelModeSelected() const { return impl_->grid.SelModeSelected(); }
void ZelSheet::SelModeSelected(bool v) { impl_->grid.SelModeSelected(v); }
int32_t ZelSheet::SelStart() const { return impl_->grid.SelStart(); }
void ZelSheet::SelStart(int32_t v) { impl_->grid.SelStart(v); }
std::string ZelSheet::SelText() const { return impl_->grid.SelText(); }
void ZelSheet::SelText(const std::string& v) { impl_->grid.SelText(v); }
int16_t ZelSheet::SortBy() const { return impl_->grid.SortBy(); }
void ZelSheet::SortBy(int16_t v) { impl_->grid.SortBy(v); }
int32_t ZelSheet::SortKey(int32_t n) const { return impl_->grid.SortKey(n); }
void ZelSheet::SortKey(int32_t n, int32_t v) { impl_->grid.SortKey(n, v); }
int16_t ZelSheet::SortKeyOrder(int32_t n) const { return impl_->grid.SortKeyOrder(n); }
void ZelSheet::SortKeyOrder(int32_t n, int16_t v) { impl_->grid.SortKeyOrder(n, v); }
std::string ZelSheet::Text() const { return impl_->grid.Text(); }
void ZelSheet::Text(const std::string& v) { impl_->grid.Text(v); }
int16_t ZelSheet::TextTip() const { return impl_->grid.TextTip(); }
void ZelSheet::TextTip(int16_t v) { impl_->grid.TextTip(v); }
int32_t ZelSheet::TextTipDelay() const { return impl_->grid.TextTipDelay(); }
void ZelSheet::TextTipDelay(int32_t v) { impl_->grid.TextTipDelay(v); }
int32_t ZelSheet::TopRow() const { return impl_->grid.TopRow(); }
void ZelSheet::TopRow(int32_t v) { impl_->grid.TopRow(v); }
int16_t ZelSheet::TypeEditCharCase() const { return impl_->grid.TypeEditCharCase(); }
void ZelSheet::TypeEditCharCase(int16_t v) { impl_->grid.TypeEditCharCase(v); }
std::string ZelSheet::TypePictPicture() const { return impl_->grid.TypePictPicture(); }
void ZelSheet::TypePictPicture(const std::string& v) { impl_->grid.TypePictPicture(v); }
std::string ZelSheet::CellTag() const { return impl_->grid.CellTag(); }
void ZelSheet::CellTag(const std::string& v) { impl_->grid.CellTag(v); }
std::string ZelSheet::ColID() const { return impl_->grid.ColID(); }
void ZelSheet::ColID(const std::string& v) { impl_->grid.ColID(v); }
std::string ZelSheet::Value() const { return impl_->grid.Value(); }
void ZelSheet::Value(const std::string& v) { impl_->grid.Value(v); }
int32_t ZelSheet::ColHeaderRows() const { return impl_->grid.ColHeaderRows(); }
void ZelSheet::ColHeaderRows(int32_t v) { impl_->grid.ColHeaderRows(v); }
int32_t ZelSheet::RowHeaderCols() const { return impl_->grid.RowHeaderCols(); }
void ZelSheet::RowHeaderCols(int32_t v) { impl_->grid.RowHeaderCols(v); }
int32_t ZelSheet::ActiveCol() const { return impl_->grid.ActiveCol(); }
int32_t ZelSheet::ActiveRow() const { return impl_->grid.ActiveRow(); }
int32_t ZelSheet::DataColCnt() const { return impl_->grid.DataColCnt(); }
intptr_t ZelSheet::hwnd() const { return impl_->grid.hwnd(); }
bool ZelSheet::IsBlockSelected() const { return impl_->grid.IsBlockSelected(); }
int32_t ZelSheet::MaxCols() const { return impl_->grid.MaxCols(); }
int32_t ZelSheet::MaxRows() const { return impl_->grid.MaxRows(); }
double ZelSheet::MaxTextCellHeight() const { return impl_->grid.MaxTextCellHeight(); }
double ZelSheet::MaxTextCellWidth() const { return impl_->grid.MaxTextCellWidth(); }
double ZelSheet::MaxTextColWidth(int32_t col) const { return impl_->grid.MaxTextColWidth(col); }
double ZelSheet::MaxTextRowHeight(int32_t row) const { return impl_->grid.MaxTextRowHeight(row); }
int32_t ZelSheet::MultiSelCount() const { return impl_->grid.MultiSelCount(); }
int32_t ZelSheet::SelBlockCol() const { return impl_->grid.SelBlockCol(); }
int32_t ZelSheet::SelBlockCol2() const { return impl_->grid.SelBlockCol2(); }
int32_t ZelSheet::SelBlockRow() const { return impl_->grid.SelBlockRow(); }
int32_t ZelSheet::SelBlockRow2() const { return impl_->grid.SelBlockRow2(); }
int32_t ZelSheet::SelModeSelCount() const { return impl_->grid.SelModeSelCount(); }
int16_t ZelSheet::TypeFloatDecimalPlaces() const { return impl_->grid.TypeFloatDecimalPlaces(); }
void ZelSheet::Action(int32_t code) { impl_->grid.Action(code); }
void ZelSheet::CellNoteIndicator(int16_t indicator) { impl_->grid.CellNoteIndicator(indicator); }
int32_t ZelSheet::ColWidthToTwips(double width) const { return impl_->grid.ColWidthToTwips(width); }
bool ZelSheet::ExportRangeToHTML(int32_t col, int32_t row, int32_t col2, int32_t row2,
                                 const std::string& path, bool append, const std::string& logFile) {
  return impl_->grid.ExportRangeToHTML(col, row, col2, row2, path, append, logFile);
}
bool ZelSheet::ExportToExcel(const std::string& path, const std::string& sheetName,
                             const std::string& logFile) {
  return impl_->grid.ExportToExcel(path, sheetName, logFile);
}
bool ZelSheet::ExportToHTML(const std::string& path, bool append, const std::string& logFile) {
  return impl_->grid.ExportToHTML(path, append, logFile);
}
bool ZelSheet::GetArray(int32_t colLeft, int32_t rowTop,
                        std::vector<std::vector<std::string>>& out) const {
  return impl_->grid.GetArray(colLeft, rowTop, out);
}
bool ZelSheet::GetCellPos(int32_t col, int32_t row, int32_t& x, int32_t& y, int32_t& width,
                          int32_t& height) const {
  return impl_->grid.GetCellPos(col, row, x, y, width, height);
}
int32_t ZelSheet::GetColItemData(int32_t col) const { return impl_->grid.GetColItemData(col); }
bool ZelSheet::GetLastValidCell(int32_t& col, int32_t& row) const {
  return impl_->grid.GetLastValidCell(col, row);
}
int32_t ZelSheet::GetMultiSelItem(int32_t previousRow) const {
  return impl_->grid.GetMultiSelItem(previousRow);
}
bool ZelSheet::GetText(int32_t col, int32_t row, std::string& out) const {
  return impl_->grid.GetText(col, row, out);
}
void ZelSheet::GetTextTipAppearance(std::string& fontName, float& fontSize, bool& bold,
                                    bool& italic, Color& backColor, Color& foreColor) const {
  impl_->grid.GetTextTipAppearance(fontName, fontSize, bold, italic, backColor, foreColor);
}
bool ZelSheet::ImportExcelSheet(const std::string& path, int32_t sheetIndex,
                                const std::string& sheetName) {
  return impl_->grid.ImportExcelSheet(path, sheetIndex, sheetName);
}
bool ZelSheet::IsCellSelected(int32_t col, int32_t row) const {
  return impl_->grid.IsCellSelected(col, row);
}
bool ZelSheet::IsExcelFile(const std::string& path) const { return impl_->grid.IsExcelFile(path); }
bool ZelSheet::IsExcelFile(const std::string& path, std::vector<std::string>& sheetNames) const {
  return impl_->grid.IsExcelFile(path, sheetNames);
}
bool ZelSheet::IsFormulaValid(const std::string& formula) const {
  return impl_->grid.IsFormulaValid(formula);
}
bool ZelSheet::IsVisible(int32_t col, int32_t row, bool partial) const {
  return impl_->grid.IsVisible(col, row, partial);
}
bool ZelSheet::LoadFromFile(const std::string& path) { return impl_->grid.LoadFromFile(path); }
bool ZelSheet::LoadTabFile(const std::string& path) { return impl_->grid.LoadTabFile(path); }
void ZelSheet::OLEDrag() { impl_->grid.OLEDrag(); }
int32_t ZelSheet::RowHeightToTwips(double height) const {
  return impl_->grid.RowHeightToTwips(height);
}
bool ZelSheet::SaveTabFile(const std::string& path) { return impl_->grid.SaveTabFile(path); }
bool ZelSheet::SaveToFile(const std::string& path, bool dataOnly) {
  return impl_->grid.SaveToFile(path, dataOnly);
}
void ZelSheet::SetActiveCell(int32_t col, int32_t row) { impl_->grid.SetActiveCell(col, row); }
bool ZelSheet::SetArray(int32_t colLeft, int32_t rowTop,
                        const std::vector<std::vector<std::string>>& values) {
  return impl_->grid.SetArray(colLeft, rowTop, values);
}
void ZelSheet::SetColItemData(int32_t col, int32_t data) { impl_->grid.SetColItemData(col, data); }
bool ZelSheet::SetFloat(int32_t col, int32_t row, double value) {
  return impl_->grid.SetFloat(col, row, value);
}
bool ZelSheet::SetInteger(int32_t col, int32_t row, int32_t value) {
  return impl_->grid.SetInteger(col, row, value);
}
void ZelSheet::SetText(int32_t col, int32_t row, const std::string& value) {
  impl_->grid.SetText(col, row, value);
}
double ZelSheet::TwipsToColWidth(int32_t twips) const { return impl_->grid.TwipsToColWidth(twips); }
double ZelSheet::TwipsToRowHeight(int32_t twips) const {
  return impl_->grid.TwipsToRowHeight(twips);
}
bool ZelSheet::AddCellSpan(int32_t lCol, int32_t lRow, int32_t lNumCols, int32_t lNumRows) {
  return impl_->grid.AddCellSpan(lCol, lRow, lNumCols, lNumRows);
}
bool ZelSheet::GetCellSpan(int32_t lCol, int32_t lRow, int32_t& pvColAnchar, int32_t& pvRowAnChar,
                           int32_t& pvNumCols, int32_t& pvNumRows) const {
  return impl_->grid.GetCellSpan(lCol, lRow, pvColAnchar, pvRowAnChar, pvNumCols, pvNumRows);
}
void ZelSheet::RemoveCellSpan(int32_t lCol, int32_t lRow) {
  impl_->grid.RemoveCellSpan(lCol, lRow);
}
bool ZelSheet::Enabled() const { return impl_->control.enabled; }
void ZelSheet::Enabled(bool on) { impl_->control.enabled = on; }
bool ZelSheet::RightToLeft() const { return impl_->control.right_to_left; }
void ZelSheet::RightToLeft(bool on) { impl_->control.right_to_left = on; }
bool ZelSheet::FontTransparent() const { return impl_->control.font_transparent; }
void ZelSheet::FontTransparent(bool on) { impl_->control.font_transparent = on; }
intptr_t ZelSheet::ContainerHwnd() const { return impl_->control.container_hwnd; }
void ZelSheet::SetContainerHwnd(intptr_t handle) { impl_->control.container_hwnd = handle; }
void ZelSheet::Cls() { impl_->control.area.drawing.clear(); }
int16_t ZelSheet::DrawMode() const { return impl_->control.draw_mode; }
int16_t ZelSheet::BorderStyle() const { return impl_->grid.BorderStyle(); }
int32_t ZelSheet::DblClickRow() const { return impl_->editing.dbl_click_row; }
bool ZelSheet::HasFocus() const { return impl_->control.grid_has_focus; }
void ZelSheet::RowHeadersAutoText(int16_t display) { impl_->grid.RowHeadersAutoText(display); }

}  // namespace zel
