// The column model's members on the sheet: access codes, the small accessors, the display
// map (ColX) and the MaxCols write that sizes the model.
#include <string>

#include "columns/access_code.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

void ZelSheet::SetAccessKey(int32_t lngCol, const std::string& strAccessKey, bool IsHidden) {
  const internal::ColumnAccess access =
      internal::EvaluateColumnAccess(strAccessKey, IsHidden, columns_.layout_restored);
  const TypeSheetColor& colors = settings_.colors;
  const int32_t saved_row = grid_.Row();
  grid_.Col(lngCol);

  // Lock of the cells; the header cell stays editable and keeps the header colour.
  grid_.Row(-1);
  grid_.LockCells(internal::HasCode(strAccessKey, internal::kCodeDisplayOnly));
  grid_.Row(0);
  grid_.LockCells(false);
  grid_.BackColor(colors.header_col_bg_color);

  // Back colour of the cells.
  grid_.Row(-1);
  grid_.BackColor(access.code_help_back ? colors.code_help : colors.back_color);
  grid_.Row(0);
  grid_.BackColor(colors.header_col_bg_color);

  // Title colour: key and required columns stand out.
  grid_.ForeColor(access.must_input_header ? colors.header_col_must_input_fg_color
                                           : colors.header_col_fg_color);

  // Hiding only; a column the code does not hide keeps its visibility.
  if (access.hide) grid_.ColHidden(true);

  if (internal::HasCode(strAccessKey, internal::kCodeEditable)) {
    grid_.Row(-1);
    grid_.LockCells(false);
  }
  grid_.Row(saved_row);
}

std::string ZelSheet::AccessKey(int32_t lngCol) const { return columns_.Def(lngCol).access_key; }

void ZelSheet::AccessKey(int32_t lngCol, const std::string& strAccessKey) {
  columns_.Def(lngCol).access_key = strAccessKey;
  SetAccessKey(ColX(lngCol), strAccessKey, false);
}

std::string ZelSheet::ControlKey(int32_t lngCol) const { return columns_.Def(lngCol).access_key; }

void ZelSheet::ControlKey(int32_t lngCol, const std::string& strAccessKey) {
  columns_.Def(lngCol).access_key = strAccessKey;
  SetAccessKey(ColX(lngCol), strAccessKey, true);
}

std::string ZelSheet::FieldName(int32_t lngCol) const { return columns_.Def(lngCol).field_name; }

void ZelSheet::FieldName(int32_t lngCol, const std::string& strFieldName) {
  if (columns_.HasDef(lngCol)) columns_.Def(lngCol).field_name = strFieldName;
}

int16_t ZelSheet::ReadClass(int32_t lngCol) const { return columns_.Def(lngCol).read_class; }

void ZelSheet::ReadClass(int32_t lngCol, int16_t intReadClass) {
  if (columns_.HasDef(lngCol)) columns_.Def(lngCol).read_class = intReadClass;
}

int16_t ZelSheet::WriteClass(int32_t lngCol) const { return columns_.Def(lngCol).write_class; }

void ZelSheet::WriteClass(int32_t lngCol, int16_t intWriteClass) {
  columns_.Def(lngCol).write_class = intWriteClass;
}

int32_t ZelSheet::ColX(int32_t nCol) const {
  if (flags_.is_multi_sheet) return nCol == 0 ? 0 : columns_.Field(nCol).col;
  return columns_.MappedCol(nCol);
}

int32_t ZelSheet::ActiveColX() const { return grid_.GetColItemData(grid_.ActiveCol()); }

void ZelSheet::GetValue(int32_t col, int32_t row, std::string& Var) {
  grid_.Col(col);
  grid_.Row(row);
  Var = grid_.Value();
}

void ZelSheet::SetValue(int32_t col, int32_t row, const std::optional<std::string>& Value) {
  grid_.Col(col);
  grid_.Row(row);
  grid_.Text(Value.value_or("0"));
}

void ZelSheet::MaxCols(int32_t n) {
  grid_.MaxCols(n);
  if (n == 0) return;
  const int32_t first_new = columns_.Resize(n);
  // The columns not declared yet carry their own number, as the map says.
  for (int32_t c = first_new; c <= n; ++c) grid_.SetColItemData(c, c);
}

}  // namespace zel
