// The public cell type setters and the two colour setters they use. Each addresses the
// grid directly, leaves the grid's Col and Row on the cells it formatted and lets grid
// errors reach the caller.
#include <string>

#include "columns/internal/cell_format.h"
#include "columns/internal/color_text.h"
#include "sheet/sheet_state.h"
#include "zelsheet/zel_sheet.h"

namespace zel {
namespace {

// Points the grid's current cell or block at (col, row).
void Select(Grid& g, int32_t col, int32_t row) {
  g.Col(col);
  g.Row(row);
}

// After a whole column was formatted, its header cell is a centred edit cell again (the
// kind written to the column covered it too). Only on sheets with the flat appearance.
void ResetHeader(Grid& g, int16_t appearance, int32_t col, int32_t row, bool clear_length) {
  if (row != -1 || appearance != 0) return;
  g.Col(col);
  g.Row(0);
  g.CellType(kCellEdit);
  g.TypeHAlign(internal::kAlignCenter);
  g.TypeVAlign(internal::kAlignCenter);
  if (clear_length) g.TypeMaxEditLen(0);
}

}  // namespace

bool ZelSheet::fnSSSetTypeButton(const std::string& strText, int32_t lngCol, int32_t lngRow) {
  Select(impl_->grid, lngCol, lngRow);
  impl_->grid.CellType(kCellButton);
  impl_->grid.TypeButtonText(strText);
  ResetHeader(impl_->grid, impl_->flags.appearance, lngCol, lngRow, false);
  return false;
}

void ZelSheet::fnSSSetTypeCheckBox(const std::string& strText, bool IsCenter, int32_t lngCol,
                                   int32_t lngRow) {
  Select(impl_->grid, lngCol, lngRow);
  impl_->grid.CellType(kCellCheckBox);
  impl_->grid.TypeCheckCenter(IsCenter);
  impl_->grid.TypeCheckText(strText);
  ResetHeader(impl_->grid, impl_->flags.appearance, lngCol, lngRow, false);
}

bool ZelSheet::fnSSSetTypeComboBox(bool IsEditable, const std::string& strList, int32_t lngCol,
                                   int32_t lngRow) {
  Select(impl_->grid, lngCol, lngRow);
  impl_->grid.CellType(kCellComboBox);
  impl_->grid.TypeComboBoxEditable(IsEditable);
  impl_->grid.TypeComboBoxList(strList);
  ResetHeader(impl_->grid, impl_->flags.appearance, lngCol, lngRow, true);
  return false;
}

bool ZelSheet::fnSSSetTypeDate(bool IsEditable, int32_t lngCol, int32_t lngRow) {
  Select(impl_->grid, lngCol, lngRow);
  impl_->grid.CellType(kCellDate);
  impl_->grid.TypeDateCentury(IsEditable);
  impl_->grid.TypeDateFormat(10);
  impl_->grid.TypeDateSeparator(3);
  // The model entry is found through the display map entry of lngCol, as the screens
  // written against this member expect; both lookups are checked.
  if (lngCol < 1 || lngCol > static_cast<int32_t>(impl_->columns.display_map.size())) {
    throw SubscriptError("fnSSSetTypeDate: column " + std::to_string(lngCol) +
                         " is outside the display map");
  }
  impl_->columns.Def(impl_->columns.display_map[static_cast<size_t>(lngCol - 1)]).cell_type =
      EnDate;
  ResetHeader(impl_->grid, impl_->flags.appearance, lngCol, lngRow, false);
  return false;
}

void ZelSheet::fnSSSetTypeEdit(int32_t lngMaxLength, int32_t lngCol, int32_t lngRow,
                               const std::string& strBackColor,
                               const std::string& strForeColor) {
  Select(impl_->grid, lngCol, lngRow);
  impl_->grid.CellType(kCellEdit);
  impl_->grid.TypeMaxEditLen(lngMaxLength);
  impl_->grid.TypeHAlign(internal::kAlignLeft);
  impl_->grid.TypeEditCharCase(1);
  impl_->grid.TypeEditCharSet(internal::kFilterAny);
  SetColColor(strBackColor, strForeColor);
  ResetHeader(impl_->grid, impl_->flags.appearance, lngCol, lngRow, false);
}

bool ZelSheet::fnSSSetTypeFloat(int16_t intDecimalPlaces, double dblFloatMin,
                                double dblFloatMax, int32_t lngCol, int32_t lngRow) {
  Select(impl_->grid, lngCol, lngRow);
  impl_->grid.CellType(kCellFloat);
  impl_->grid.TypeFloatSeparator(true);
  impl_->grid.TypeFloatMax(dblFloatMax);
  impl_->grid.TypeFloatMin(dblFloatMin);
  impl_->grid.TypeFloatDecimalPlaces(intDecimalPlaces);
  impl_->grid.TypeHAlign(internal::kAlignRight);
  ResetHeader(impl_->grid, impl_->flags.appearance, lngCol, lngRow, false);
  return false;
}

bool ZelSheet::SetTypeTextFloat(int16_t intDecimalPlaces, double dblFloatMin,
                                double dblFloatMax, int32_t lngCol, int32_t lngRow,
                                const std::string& strBackColor,
                                const std::string& strForeColor) {
  const int32_t grid_col = ColX(lngCol);
  Select(impl_->grid, grid_col, lngRow);
  impl_->grid.CellType(kCellNumber);
  impl_->grid.TypeFloatSeparator(true);
  impl_->grid.TypeFloatMax(dblFloatMax);
  impl_->grid.TypeFloatMin(dblFloatMin);
  impl_->grid.TypeFloatDecimalPlaces(intDecimalPlaces);
  impl_->grid.TypeHAlign(internal::kAlignRight);
  std::string back = strBackColor;
  std::string fore = strForeColor;
  SetColColorLock(back, fore);
  ResetHeader(impl_->grid, impl_->flags.appearance, grid_col, lngRow, false);
  return false;
}

void ZelSheet::fnSSSetTypeInteger(int32_t lngIntegerMin, int32_t lngIntegerMax, int32_t lngCol,
                                  int32_t lngRow) {
  Select(impl_->grid, lngCol, lngRow);
  impl_->grid.CellType(kCellInteger);
  impl_->grid.TypeIntegerMin(lngIntegerMin);
  impl_->grid.TypeIntegerMax(lngIntegerMax);
  impl_->grid.TypeHAlign(internal::kAlignRight);
  ResetHeader(impl_->grid, impl_->flags.appearance, lngCol, lngRow, false);
}

void ZelSheet::fnSSSetTypePic(int16_t intAlign, const std::string& strPicMask, int32_t lngCol,
                              int32_t lngRow) {
  Select(impl_->grid, lngCol, lngRow);
  impl_->grid.CellType(kCellPattern);
  impl_->grid.TypePicMask(strPicMask);
  impl_->grid.TypeHAlign(intAlign);
  ResetHeader(impl_->grid, impl_->flags.appearance, lngCol, lngRow, false);
}

void ZelSheet::fnSSSetTypePicture(int16_t intAlign, const std::string& strPictPicture,
                                  int32_t lngCol, int32_t lngRow) {
  Select(impl_->grid, lngCol, lngRow);
  impl_->grid.CellType(kCellPicture);
  impl_->grid.TypeHAlign(intAlign);
  // The grid keeps the image file's name; whoever paints the grid loads the picture.
  impl_->grid.TypePictPicture(strPictPicture);
  ResetHeader(impl_->grid, impl_->flags.appearance, lngCol, lngRow, false);
}

void ZelSheet::fnSSSetTypeStaticText(int16_t intAlign, int32_t lngCol, int32_t lngRow) {
  Select(impl_->grid, lngCol, lngRow);
  impl_->grid.CellType(kCellStatic);
  impl_->grid.TypeHAlign(intAlign);
  impl_->grid.TypeTextWordWrap(false);
  ResetHeader(impl_->grid, impl_->flags.appearance, lngCol, lngRow, false);
}

void ZelSheet::fnSetHeaderText(int32_t col, const std::string& Var) {
  impl_->grid.SetText(ColX(col), 0, Var);
}

void ZelSheet::SetColColor(const std::string& strBackColor, const std::string& strForeColor) {
  const Color back =
      internal::ColorFromText(internal::ColorTextOrDefault(strBackColor, internal::kWhiteText));
  const Color fore =
      internal::ColorFromText(internal::ColorTextOrDefault(strForeColor, internal::kBlackText));
  impl_->grid.BackColor(back);
  impl_->grid.ForeColor(fore);
}

void ZelSheet::SetColColorLock(std::string& strBackColor, std::string& strForeColor) {
  strBackColor = internal::ColorTextOrDefault(strBackColor, internal::kWhiteText);
  strForeColor = internal::ColorTextOrDefault(strForeColor, internal::kBlackText);
  const Color back = internal::ColorFromText(strBackColor);
  const Color fore = internal::ColorFromText(strForeColor);
  impl_->grid.LockBackColor(back);
  impl_->grid.BackColor(impl_->grid.LockBackColor());
  impl_->grid.LockForeColor(fore);
  impl_->grid.ForeColor(impl_->grid.LockForeColor());
}

void ZelSheet::SetColColorLock(const std::string& strBackColor,
                               const std::string& strForeColor) {
  std::string back = strBackColor;
  std::string fore = strForeColor;
  SetColColorLock(back, fore);
}

}  // namespace zel
