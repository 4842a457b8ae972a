// The texts that hand chosen rows to a server action or to another screen. A row is chosen
// when its cell in the select column reads "1" (a ticked check box); the columns are the
// definition numbers 1 to MaxCols, read with CellText.
//
// Button execute data (GetButtonExecuteData): per chosen row
//   tag "~," master last
// where tag is the row's save tag ("A", "U", "D" or ""), master the caller's master data as
// given and last the text of the sheet's last column with every "_/" made "~,"; the lines
// are joined by "~I~" (none after the last) and then every "<" becomes "~I.!".
//   Example: rows 1 ("U", last column "K1_/K2") and 3 ("", "K3") ticked, master "M~,":
//   "U~,M~,K1~,K2~I~~,M~,K3"
//
// Jump message (GetJumpMsg): a name line, then a line per chosen row, each ended by "~!~".
//   names := (["name_Text~@~"] "name~@~")*            name_Text only for combo columns
//   row   := value ("~@~" value)*                     a combo gives caption "~@~" code
//   Example (columns CODE and CITY, CITY a combo): "CODE~@~CITY_Text~@~CITY~@~~!~"
//   "C1~@~Seoul~@~01~!~"
//
// Jump string (GetJumpString): an element "name~@value" per chosen row and column, in row
// order, each followed by "~!": "CODE~@C1~!CITY~@01~!".
//
// None of these members shows a message or throws: a cell that cannot be read gives "".
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/failure.h"
#include "sheet/sheet_state.h"
#include "text/data_string.h"
#include "text/strings.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

using internal::ReadOr;

namespace {

constexpr std::string_view kJumpValueSeparator = "~@~";
constexpr std::string_view kJumpLineEnd = "~!~";
constexpr std::string_view kJumpNameSeparator = "~@";
constexpr std::string_view kJumpElementEnd = "~!";
constexpr std::string_view kKeyJoin = "_/";
constexpr std::string_view kLessThanMark = "~I.!";

// Rows 1..DataRowCnt whose CellText in definition column `selectCol` is "1".
std::vector<int32_t> TickedRows(ZelSheet& sheet, int32_t selectCol) {
  std::vector<int32_t> rows;
  const int32_t last = ReadOr([&] { return sheet.DataRowCnt(); }, 0);
  for (int32_t r = 1; r <= last; ++r) {
    if (sheet.CellText(selectCol, r) == "1") rows.push_back(r);
  }
  return rows;
}

std::vector<int32_t> AllRows(ZelSheet& sheet) {
  std::vector<int32_t> rows;
  const int32_t last = ReadOr([&] { return sheet.DataRowCnt(); }, 0);
  for (int32_t r = 1; r <= last; ++r) rows.push_back(r);
  return rows;
}

std::string FieldNameOf(const ZelSheet::Impl& s, int32_t k) {
  if (s.flags.is_multi_sheet) return s.columns.HasField(k) ? s.columns.Field(k).field_name : "";
  return s.columns.HasDef(k) ? s.columns.Def(k).field_name : "";
}

}  // namespace

std::string ZelSheet::GetButtonExecuteData(int32_t lngSelectCol, const std::string& strMasterData) {
  if (lngSelectCol <= 0) return strMasterData;
  const int32_t lastCol = impl_->grid.MaxCols();
  std::string out;
  bool first = true;
  for (const int32_t row : TickedRows(*this, lngSelectCol)) {
    if (!first) out.append(internal::kRowSeparator);
    first = false;
    out.append(ReadOr([&] { return GetWorkingTag(row); }, std::string()));
    out.append(internal::kFieldSeparator);
    out.append(strMasterData);
    out.append(text::Replace(CellText(lastCol, row), kKeyJoin, internal::kFieldSeparator));
  }
  return text::Replace(out, "<", kLessThanMark);
}

std::string ZelSheet::GetJumpMsg(int32_t lngSelectCol) {
  const int32_t maxCols = impl_->grid.MaxCols();
  std::vector<bool> combo(static_cast<size_t>(std::max(maxCols, 0)) + 1);
  std::string out;
  for (int32_t k = 1; k <= maxCols; ++k) {
    combo[static_cast<size_t>(k)] = ColType(k) == EnCombo;
    const std::string name = FieldNameOf(*impl_, k);
    if (combo[static_cast<size_t>(k)]) {
      out += name;
      out += "_Text";
      out.append(kJumpValueSeparator);
    }
    out += name;
    out.append(kJumpValueSeparator);
  }
  out.append(kJumpLineEnd);
  const std::vector<int32_t> rows =
      lngSelectCol == 0 ? AllRows(*this) : TickedRows(*this, lngSelectCol);
  for (const int32_t row : rows) {
    for (int32_t k = 1; k <= maxCols; ++k) {
      if (k > 1) out.append(kJumpValueSeparator);
      if (combo[static_cast<size_t>(k)]) {
        out += CellComboCaption(k, row);
        out.append(kJumpValueSeparator);
      }
      out += CellText(k, row);
    }
    out.append(kJumpLineEnd);
  }
  return out;
}

std::string ZelSheet::GetJumpString(int32_t lngSelectCol, bool IsAll) {
  std::vector<int32_t> rows;
  if (lngSelectCol != 0) {
    rows = TickedRows(*this, lngSelectCol);
  } else if (IsAll) {
    rows = AllRows(*this);
  } else {
    rows.push_back(impl_->grid.ActiveRow());
  }
  const int32_t maxCols = impl_->grid.MaxCols();
  std::string out;
  for (const int32_t row : rows) {
    for (int32_t k = 1; k <= maxCols; ++k) {
      out += FieldNameOf(*impl_, k);
      out.append(kJumpNameSeparator);
      out += CellText(k, row);
      out.append(kJumpElementEnd);
    }
  }
  return out;
}

}  // namespace zel
