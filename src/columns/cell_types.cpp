// The public cell type setters and the two colour setters they use. Each addresses the
// grid directly, leaves the grid's Col and Row on the cells it formatted and lets grid
// errors reach the caller.
#include <string>

#include "columns/cell_format.h"
#include "columns/color_text.h"
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
  Select(grid_, lngCol, lngRow);
  grid_.CellType(kCellButton);
  grid_.TypeButtonText(strText);
  ResetHeader(grid_, flags_.appearance, lngCol, lngRow, false);
  return false;
}

void ZelSheet::fnSSSetTypeCheckBox(const std::string& strText, bool IsCenter, int32_t lngCol,
                                   int32_t lngRow) {
  Select(grid_, lngCol, lngRow);
  grid_.CellType(kCellCheckBox);
  grid_.TypeCheckCenter(IsCenter);
  grid_.TypeCheckText(strText);
  ResetHeader(grid_, flags_.appearance, lngCol, lngRow, false);
}

bool ZelSheet::fnSSSetTypeComboBox(bool IsEditable, const std::string& strList, int32_t lngCol,
                                   int32_t lngRow) {
  Select(grid_, lngCol, lngRow);
  grid_.CellType(kCellComboBox);
  grid_.TypeComboBoxEditable(IsEditable);
  grid_.TypeComboBoxList(strList);
  ResetHeader(grid_, flags_.appearance, lngCol, lngRow, true);
  return false;
}

bool ZelSheet::fnSSSetTypeDate(bool IsEditable, int32_t lngCol, int32_t lngRow) {
  Select(grid_, lngCol, lngRow);
  grid_.CellType(kCellDate);
  grid_.TypeDateCentury(IsEditable);
  grid_.TypeDateFormat(10);
  grid_.TypeDateSeparator(3);
  // The model entry is found through the display map entry of lngCol, as the screens
  // written against this member expect; both lookups are checked.
  if (lngCol < 1 || lngCol > static_cast<int32_t>(columns_.display_map.size())) {
    throw SubscriptError("fnSSSetTypeDate: column " + std::to_string(lngCol) +
                         " is outside the display map");
  }
  columns_.Def(columns_.display_map[static_cast<size_t>(lngCol - 1)]).cell_type = EnDate;
  ResetHeader(grid_, flags_.appearance, lngCol, lngRow, false);
  return false;
}

void ZelSheet::fnSSSetTypeEdit(int32_t lngMaxLength, int32_t lngCol, int32_t lngRow,
                               const std::string& strBackColor,
                               const std::string& strForeColor) {
  Select(grid_, lngCol, lngRow);
  grid_.CellType(kCellEdit);
  grid_.TypeMaxEditLen(lngMaxLength);
  grid_.TypeHAlign(internal::kAlignLeft);
  grid_.TypeEditCharCase(1);
  grid_.TypeEditCharSet(internal::kFilterAny);
  SetColColor(strBackColor, strForeColor);
  ResetHeader(grid_, flags_.appearance, lngCol, lngRow, false);
}

bool ZelSheet::fnSSSetTypeFloat(int16_t intDecimalPlaces, double dblFloatMin,
                                double dblFloatMax, int32_t lngCol, int32_t lngRow) {
  Select(grid_, lngCol, lngRow);
  grid_.CellType(kCellFloat);
  grid_.TypeFloatSeparator(true);
  grid_.TypeFloatMax(dblFloatMax);
  grid_.TypeFloatMin(dblFloatMin);
  grid_.TypeFloatDecimalPlaces(intDecimalPlaces);
  grid_.TypeHAlign(internal::kAlignRight);
  ResetHeader(grid_, flags_.appearance, lngCol, lngRow, false);
  return false;
}

bool ZelSheet::SetTypeTextFloat(int16_t intDecimalPlaces, double dblFloatMin,
                                double dblFloatMax, int32_t lngCol, int32_t lngRow,
                                const std::string& strBackColor,
                                const std::string& strForeColor) {
  const int32_t grid_col = ColX(lngCol);
  Select(grid_, grid_col, lngRow);
  grid_.CellType(kCellNumber);
  grid_.TypeFloatSeparator(true);
  grid_.TypeFloatMax(dblFloatMax);
  grid_.TypeFloatMin(dblFloatMin);
  grid_.TypeFloatDecimalPlaces(intDecimalPlaces);
  grid_.TypeHAlign(internal::kAlignRight);
  std::string back = strBackColor;
  std::string fore = strForeColor;
  SetColColorLock(back, fore);
  ResetHeader(grid_, flags_.appearance, grid_col, lngRow, false);
  return false;
}

void ZelSheet::fnSSSetTypeInteger(int32_t lngIntegerMin, int32_t lngIntegerMax, int32_t lngCol,
                                  int32_t lngRow) {
  Select(grid_, lngCol, lngRow);
  grid_.CellType(kCellInteger);
  grid_.TypeIntegerMin(lngIntegerMin);
  grid_.TypeIntegerMax(lngIntegerMax);
  grid_.TypeHAlign(internal::kAlignRight);
  ResetHeader(grid_, flags_.appearance, lngCol, lngRow, false);
}

void ZelSheet::fnSSSetTypePic(int16_t intAlign, const std::string& strPicMask, int32_t lngCol,
                              int32_t lngRow) {
  Select(grid_, lngCol, lngRow);
  grid_.CellType(kCellPattern);
  grid_.TypePicMask(strPicMask);
  grid_.TypeHAlign(intAlign);
  ResetHeader(grid_, flags_.appearance, lngCol, lngRow, false);
}

void ZelSheet::fnSSSetTypePicture(int16_t intAlign, const std::string& strPictPicture,
                                  int32_t lngCol, int32_t lngRow) {
  Select(grid_, lngCol, lngRow);
  grid_.CellType(kCellPicture);
  grid_.TypeHAlign(intAlign);
  // The grid keeps the image file's name; whoever paints the grid loads the picture.
  grid_.TypePictPicture(strPictPicture);
  ResetHeader(grid_, flags_.appearance, lngCol, lngRow, false);
}

void ZelSheet::fnSSSetTypeStaticText(int16_t intAlign, int32_t lngCol, int32_t lngRow) {
  Select(grid_, lngCol, lngRow);
  grid_.CellType(kCellStatic);
  grid_.TypeHAlign(intAlign);
  grid_.TypeTextWordWrap(false);
  ResetHeader(grid_, flags_.appearance, lngCol, lngRow, false);
}

void ZelSheet::fnSetHeaderText(int32_t col, const std::string& Var) {
  grid_.SetText(ColX(col), 0, Var);
}

void ZelSheet::SetColColor(const std::string& strBackColor, const std::string& strForeColor) {
  const Color back =
      internal::ColorFromText(internal::ColorTextOrDefault(strBackColor, internal::kWhiteText));
  const Color fore =
      internal::ColorFromText(internal::ColorTextOrDefault(strForeColor, internal::kBlackText));
  grid_.BackColor(back);
  grid_.ForeColor(fore);
}

void ZelSheet::SetColColorLock(std::string& strBackColor, std::string& strForeColor) {
  strBackColor = internal::ColorTextOrDefault(strBackColor, internal::kWhiteText);
  strForeColor = internal::ColorTextOrDefault(strForeColor, internal::kBlackText);
  const Color back = internal::ColorFromText(strBackColor);
  const Color fore = internal::ColorFromText(strForeColor);
  grid_.LockBackColor(back);
  grid_.BackColor(grid_.LockBackColor());
  grid_.LockForeColor(fore);
  grid_.ForeColor(grid_.LockForeColor());
}

void ZelSheet::SetColColorLock(const std::string& strBackColor,
                               const std::string& strForeColor) {
  std::string back = strBackColor;
  std::string fore = strForeColor;
  SetColColorLock(back, fore);
}

}  // namespace zel
