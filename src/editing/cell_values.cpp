// Typed access to cells: CellText, CellValue, CellCheck and CellComboCaption convert between
// the text a cell shows and the text the server and the host exchange (see
// editing/cell_text.h for the two forms of each cell type).
//
// These members address a column by its definition number and find it at ColX(col), so the
// host's code keeps working however the user arranged the columns. The declared cell type
// decides the conversion; in the multi-row layout the field record does.
#include <optional>

#include "columns/cell_conversions.h"
#include "platform/failure.h"
#include "sheet/sheet_state.h"
#include "text/number.h"
#include "text/strings.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

using internal::SkipStep;

namespace {

// Reads the grid's plain value of one cell and puts the grid's current cell back, so that
// a host loop that set Col and Row for its own use is not disturbed by a value read.
std::string ReadCellValue(Grid& grid, int32_t col, int32_t row) {
  const int32_t keepCol = grid.Col();
  const int32_t keepRow = grid.Row();
  std::string value = internal::ReadOr(
      [&] {
        grid.Col(col);
        grid.Row(row);
        return grid.Value();
      },
      std::string());
  grid.Col(keepCol);
  grid.Row(keepRow);
  return value;
}

// Sets a flag for the lifetime of the scope and gives it back its former value, so that a
// writer nested inside another (a CellCheck inside a query display) leaves the outer one's
// flag standing.
class FlagScope {
 public:
  explicit FlagScope(bool& flag) : flag_(flag), before_(flag) { flag_ = true; }
  ~FlagScope() { flag_ = before_; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

 private:
  bool& flag_;
  bool before_;
};

// What a cell conversion needs to know of a declared column (or field record): its cell
// type, maximum length (the combo code length) and mask. The mask points into the model.
struct DeclaredCell {
  int32_t cell_type = 0;
  int16_t max_length = 0;
  const std::string* mask = nullptr;
};

}  // namespace

namespace {

// The declaration behind definition number (or field) `col`; nullopt when there is none.
std::optional<DeclaredCell> FindDeclaredCell(const ZelSheet::Impl& s, int32_t col) {
  if (s.flags.is_multi_sheet) {
    if (!s.columns.HasField(col)) return std::nullopt;
    const FieldRecord& field = s.columns.Field(col);
    return DeclaredCell{field.cell_type, field.max_length, &field.mask};
  }
  if (col <= 0 || s.columns.counter == 0 || !s.columns.HasDef(col)) return std::nullopt;
  const ColumnDef& def = s.columns.Def(col);
  return DeclaredCell{def.cell_type, def.max_length, &def.mask};
}

}  // namespace

std::string ZelSheet::CellText(int32_t col, int32_t row) {
  int32_t gridCol = 0;
  std::string shown;
  if (!SkipStep([&] {
        gridCol = ColX(col);
        impl_->grid.GetText(gridCol, row, shown);
      })) {
    return {};
  }
  const std::optional<DeclaredCell> decl = FindDeclaredCell(*impl_, col);
  if (!decl) return text::Trim(shown);

  std::string out;
  switch (decl->cell_type) {
    case EnFloat: {
      // The plain value, not the shown text: the grid shows separators and fixed decimals.
      const std::string value = ReadCellValue(impl_->grid, gridCol, row);
      out = text::NumberToText(text::Val(value.empty() ? std::string_view("0") : value));
      break;
    }
    case EnCombo:
      out = internal::ComboItemCode(shown, decl->max_length);
      break;
    case EnCheck:
      out = shown == "1" ? "1" : "0";
      break;
    case EnMask:
      out = internal::UnmaskText(shown, *decl->mask);
      break;
    case EnDate:
      out = internal::DateFromGrid(shown);
      break;
    case EnDateYearMonth:
      out = internal::YearMonthFromGrid(shown);
      break;
    default:
      out = std::move(shown);
  }
  return text::Trim(out);
}

void ZelSheet::CellText(int32_t col, int32_t row, const std::string& value) {
  // A cell that cannot be written keeps what it had.
  SkipStep([&] {
    const int32_t gridCol = ColX(col);
    const std::optional<DeclaredCell> decl = FindDeclaredCell(*impl_, col);
    std::string out;
    switch (decl ? decl->cell_type : 0) {
      case EnCombo:
        // A combo cell is never written as text: the item with that code is selected.
        SetItemToComboBox(gridCol, row, value, decl->max_length, false);
        return;
      case EnCheck:
        out = value == "1" ? "1" : "0";
        break;
      case EnMask:
        internal::FormatMask(value, *decl->mask, out);
        break;
      case EnDate:
        // Unlike Display, an empty date empties the cell: the host asked for "no date".
        internal::DateFieldToGrid(value, out);
        break;
      case EnDateYearMonth:
        internal::YearMonthFieldToGrid(value, out);
        break;
      default:
        out = value;
    }
    impl_->grid.SetText(gridCol, row, out);
  });
}

double ZelSheet::CellValue(int32_t col, int32_t row) {
  return internal::ReadOr([&] { return text::Val(ReadCellValue(impl_->grid, ColX(col), row)); },
                          0.0);
}

void ZelSheet::CellValue(int32_t col, int32_t row, double value) {
  const int32_t keepCol = impl_->grid.Col();
  const int32_t keepRow = impl_->grid.Row();
  // Left as it was.
  SkipStep([&] {
    impl_->grid.Col(ColX(col));
    impl_->grid.Row(row);
    impl_->grid.Value(text::NumberToText(value));
  });
  impl_->grid.Col(keepCol);
  impl_->grid.Row(keepRow);
}

std::string ZelSheet::CellCheck(int32_t col, int32_t row) {
  if (impl_->flags.is_multi_sheet) return CellText(col, row);
  if (impl_->columns.Def(col).cell_type != EnCheck) return {};
  std::string shown;
  impl_->grid.GetText(ColX(col), row, shown);
  return shown == "1" ? "1" : "0";
}

void ZelSheet::CellCheck(int32_t col, int32_t row, const std::string& value) {
  // The tick is the program's, not the user's: the handlers must not mark the row.
  FlagScope sheetWriting(impl_->editing.query_display);
  if (impl_->flags.is_multi_sheet) {
    CellText(col, row, value);
    return;
  }
  // A cell that cannot be written keeps what it had.
  SkipStep([&] {
    if (impl_->columns.Def(col).cell_type != EnCheck) return;
    impl_->grid.SetText(ColX(col), row, value == "1" ? "1" : "0");
  });
}

std::string ZelSheet::CellComboCaption(int32_t col, int32_t row) {
  const std::optional<DeclaredCell> decl = FindDeclaredCell(*impl_, col);
  if (!decl || decl->cell_type != EnCombo) return {};
  std::string shown;
  if (!SkipStep([&] { impl_->grid.GetText(ColX(col), row, shown); })) return {};
  return text::Trim(internal::ComboItemCaption(shown, decl->max_length));
}

std::string ZelSheet::GetFormat(const std::string& strExpression, const std::string& strFormat,
                                int32_t FirstDayOfWeek, int32_t FirstWeekOfYear) const {
  return text::Format(strExpression, strFormat, FirstDayOfWeek, FirstWeekOfYear);
}

}  // namespace zel
