// The column model's members on the sheet: access codes, the small accessors, the display
// map (ColX) and the MaxCols write that sizes the model.
#include <string>

#include "columns/access_code.h"
#include "sheet/sheet_state.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

void ZelSheet::SetAccessKey(int32_t lngCol, const std::string& strAccessKey, bool IsHidden) {
  const internal::ColumnAccess access =
      internal::EvaluateColumnAccess(strAccessKey, IsHidden, impl_->columns.layout_restored);
  const TypeSheetColor& colors = impl_->settings.colors;
  const int32_t saved_row = impl_->grid.Row();
  impl_->grid.Col(lngCol);

  // Lock of the cells; the header cell stays editable and keeps the header colour.
  impl_->grid.Row(-1);
  impl_->grid.LockCells(internal::HasCode(strAccessKey, internal::kCodeDisplayOnly));
  impl_->grid.Row(0);
  impl_->grid.LockCells(false);
  impl_->grid.BackColor(colors.header_col_bg_color);

  // Back colour of the cells.
  impl_->grid.Row(-1);
  impl_->grid.BackColor(access.code_help_back ? colors.code_help : colors.back_color);
  impl_->grid.Row(0);
  impl_->grid.BackColor(colors.header_col_bg_color);

  // Title colour: key and required columns stand out.
  impl_->grid.ForeColor(access.must_input_header ? colors.header_col_must_input_fg_color
                                                 : colors.header_col_fg_color);

  // Hiding only; a column the code does not hide keeps its visibility.
  if (access.hide) impl_->grid.ColHidden(true);

  if (internal::HasCode(strAccessKey, internal::kCodeEditable)) {
    impl_->grid.Row(-1);
    impl_->grid.LockCells(false);
  }
  impl_->grid.Row(saved_row);
}

std::string ZelSheet::AccessKey(int32_t lngCol) const {
  return impl_->columns.Def(lngCol).access_key;
}

void ZelSheet::AccessKey(int32_t lngCol, const std::string& strAccessKey) {
  impl_->columns.Def(lngCol).access_key = strAccessKey;
  SetAccessKey(ColX(lngCol), strAccessKey, false);
}

std::string ZelSheet::ControlKey(int32_t lngCol) const {
  return impl_->columns.Def(lngCol).access_key;
}

void ZelSheet::ControlKey(int32_t lngCol, const std::string& strAccessKey) {
  impl_->columns.Def(lngCol).access_key = strAccessKey;
  SetAccessKey(ColX(lngCol), strAccessKey, true);
}

std::string ZelSheet::FieldName(int32_t lngCol) const {
  return impl_->columns.Def(lngCol).field_name;
}

void ZelSheet::FieldName(int32_t lngCol, const std::string& strFieldName) {
  if (impl_->columns.HasDef(lngCol)) impl_->columns.Def(lngCol).field_name = strFieldName;
}

int16_t ZelSheet::ReadClass(int32_t lngCol) const { return impl_->columns.Def(lngCol).read_class; }

void ZelSheet::ReadClass(int32_t lngCol, int16_t intReadClass) {
  if (impl_->columns.HasDef(lngCol)) impl_->columns.Def(lngCol).read_class = intReadClass;
}

int16_t ZelSheet::WriteClass(int32_t lngCol) const {
  return impl_->columns.Def(lngCol).write_class;
}

void ZelSheet::WriteClass(int32_t lngCol, int16_t intWriteClass) {
  impl_->columns.Def(lngCol).write_class = intWriteClass;
}

int32_t ZelSheet::ColX(int32_t nCol) const {
  if (impl_->flags.is_multi_sheet) return nCol == 0 ? 0 : impl_->columns.Field(nCol).col;
  return impl_->columns.MappedCol(nCol);
}

int32_t ZelSheet::ActiveColX() const { return impl_->grid.GetColItemData(impl_->grid.ActiveCol()); }

void ZelSheet::GetValue(int32_t col, int32_t row, std::string& Var) {
  impl_->grid.Col(col);
  impl_->grid.Row(row);
  Var = impl_->grid.Value();
}

void ZelSheet::SetValue(int32_t col, int32_t row, const std::optional<std::string>& Value) {
  impl_->grid.Col(col);
  impl_->grid.Row(row);
  impl_->grid.Text(Value.value_or("0"));
}

void ZelSheet::MaxCols(int32_t n) {
  impl_->grid.MaxCols(n);
  if (n == 0) return;
  const int32_t first_new = impl_->columns.Resize(n);
  // The columns not declared yet carry their own number, as the map says.
  for (int32_t c = first_new; c <= n; ++c) impl_->grid.SetColItemData(c, c);
}

void ZelSheet::FormReadClass(int16_t intFormReadClass) {
  impl_->columns.form_read_class = intFormReadClass;
}
void ZelSheet::FormWriteClass(int16_t intFormWriteClass) {
  impl_->columns.form_write_class = intFormWriteClass;
}
int32_t ZelSheet::GetMaxCols() const { return impl_->columns.counter; }
void ZelSheet::SetMaxCols(int32_t lngMaxCols) { impl_->columns.counter = lngMaxCols; }
int32_t ZelSheet::GroupMaxCols() const { return impl_->columns.counter; }

}  // namespace zel
