// Save parameter text: the rows a screen sends to the server for saving, in the data string
// grammar (every field followed by "~,", every line by "~I~", no quoting).
//
//   text    := info header line*
//   info    := Info "~I~"          Info = ActiveCol|ActiveRow|Col|Row|DataRowCnt|MaxRows|MaxCols|
//   header  := "WorkingTag~,~," (name "~,")* "~I~"      one field name per column
//   line    := tag "~," [row "~,"] (value "~,")* "~I~"  value = CellText of each column
//   tag     := "A" (added) | "U" (updated) | "D" (status "X", to delete) | "" (unchanged)
//
// The row number is present only in the lines of GetDataSelected and GetDataActiveRow; it
// fills the header's empty second name. Data-only text (IsDataOnly) is the values alone:
// no info, no header, no tag, no row number.
//
// Worked example: three text columns CustCode, CustName, Remark; row 1 unchanged, row 2 "U"
// with an empty remark, row 3 "X", row 4 "A"; active cell and current cell (2, 4), 4 data
// rows, MaxRows 24. GetData gives
//   2|4|2|4|4|24|3|~I~WorkingTag~,~,CustCode~,CustName~,Remark~,~I~
//   U~,C02~,Beta~,~,~I~D~,C03~,Gamma~,old~,~I~A~,C09~,Delta~,new~,~I~
// (one text; broken here after the header). GetDataCommon gives
//   'U', 'C02', 'Beta', ''~I~'D', 'C03', 'Gamma', 'old'~I~'A', 'C09', 'Delta', 'new'~I~
//
// Speed: a member reads each cell of the chosen rows once and writes each byte of one text
// once. In the plain layout lines are written by SaveTextReader, which takes the engine's
// storage directly for the common cell representations (see save_text.h), into a text
// reserved once from the length of the first lines; the multi-row variants read through
// CellText.
//
// Failure style: none of these members changes the sheet, shows a message or lets an error
// out. A cell whose reading fails leaves its field empty; a row whose status cannot be read
// counts as unchanged.
#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/internal/safe_cell_text.h"
#include "exchange/save_text.h"
#include "platform/failure.h"
#include "sheet/sheet_state.h"
#include "text/data_string.h"
#include "text/strings.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

using internal::ReadOr;

namespace {

constexpr std::string_view kTagHeader = "WorkingTag~,~,";
constexpr std::string_view kQuoteSeparator = ", ";

// Rows are changed when their status is exactly one of these (untrimmed).
bool IsChangedStatus(std::string_view status) {
  return status == "A" || status == "U" || status == "X";
}

// The save tag of a status: GetWorkingTag's translation, applied to a status already read.
std::string_view SaveTag(std::string_view status) {
  if (status.size() != 1) status = text::TrimView(status);
  if (status.size() != 1) return "";
  switch (status[0]) {
    case 'A': return "A";
    case 'U': return "U";
    case 'X': return "D";
    default: return "";
  }
}

// The line forms of the save texts, and which rows a save text takes: all, the changed
// ones, or those a filter accepts (given the row and its status as stored).
enum class SaveLineForm : uint8_t { kTag, kTagAndRow, kDataOnly, kQuoted };
enum class SaveRows : uint8_t { kAll, kChanged, kFiltered };
using SaveRowFilter = std::function<bool(int32_t row, std::string_view status)>;

void AppendField(std::string& out, std::string_view value) {
  out.append(value);
  out.append(internal::kFieldSeparator);
}

// The grid-state numbers of the info line, as the sheet's Info reads them: ActiveCol,
// ActiveRow, Col, Row, DataRowCnt, MaxRows, MaxCols, each followed by "|".
std::string GridStateText(const Grid& g) {
  std::string out;
  for (const int32_t n : {g.ActiveCol(), g.ActiveRow(), g.Col(), g.Row(), g.DataRowCnt(),
                          g.MaxRows(), g.MaxCols()}) {
    out += std::to_string(n);
    out += '|';
  }
  return out;
}

}  // namespace

namespace internal {

std::string SafeCellText(ZelSheet::Impl& s, int32_t defCol, int32_t row) noexcept {
  return ReadOr([&] { return s.sheet.CellText(defCol, row); }, std::string());
}

}  // namespace internal

namespace {

// "WorkingTag~,~,names~,~I~"
std::string SaveHeaderLine(const ZelSheet::Impl& s) {
  std::string out(kTagHeader);
  if (s.flags.is_multi_sheet) {
    for (int32_t k = 1; k <= s.columns.counter; ++k) {
      AppendField(out, s.columns.HasField(k) ? std::string_view(s.columns.Field(k).field_name)
                                             : std::string_view());
    }
  } else {
    const int32_t maxCols = s.grid.MaxCols();
    for (int32_t k = 1; k <= maxCols; ++k) {
      AppendField(out, s.columns.HasDef(k) ? std::string_view(s.columns.Def(k).field_name)
                                           : std::string_view());
    }
  }
  out.append(internal::kRowSeparator);
  return out;
}

// The row header text, "" when unreadable.
std::string RecordStatus(const ZelSheet::Impl& s, int32_t row) {
  return ReadOr(
      [&] {
        std::string status;
        s.grid.GetText(0, row, status);
        return status;
      },
      std::string());
}

// A line of the multi-row variants: the tag, then CellText of fields 1..fieldCount, each
// read in its own row of the record that starts at `row` (its field record's row offset),
// so that a record displayed by Display_Multi goes back field for field.
void AppendRecordLine(ZelSheet::Impl& s, std::string& out, int32_t row, std::string_view tag,
                      int32_t fieldCount) {
  AppendField(out, tag);
  for (int32_t k = 1; k <= fieldCount; ++k) {
    const int32_t offset = s.columns.HasField(k) ? s.columns.Field(k).row : 0;
    AppendField(out, internal::SafeCellText(s, k, row + offset));
  }
  out.append(internal::kRowSeparator);
}

// Appends a line of `form` for each chosen row of firstRow..lastRow, in ascending order
// (plain layout); returns the number of lines.
int32_t AppendSaveLines(ZelSheet::Impl& s, std::string& out, int32_t firstRow, int32_t lastRow,
                        SaveLineForm form, SaveRows rows, const SaveRowFilter& filter = {}) {
  // One reading plan per call: where each definition number stands, its declared type and
  // its code length. A sheet whose columns were never declared reads every cell trimmed.
  const int32_t maxCols = s.grid.MaxCols();
  std::vector<internal::SaveColumn> plan;
  plan.reserve(static_cast<size_t>(std::max(maxCols, 0)));
  std::vector<bool> isFloat;
  isFloat.reserve(plan.capacity());
  for (int32_t k = 1; k <= maxCols; ++k) {
    internal::SaveColumn c;
    c.def_col = k;
    // In the multi-row layout a definition number names a field record, whose cells CellText
    // reads by the record's own rules: no column is read directly there.
    c.grid_col = s.flags.is_multi_sheet ? 0 : ReadOr([&] { return s.sheet.ColX(k); }, 0);
    if (s.flags.is_multi_sheet) {
      if (s.columns.HasField(k)) c.cell_type = s.columns.Field(k).cell_type;
    } else if (s.columns.counter > 0 && s.columns.HasDef(k)) {
      const ColumnDef& def = s.columns.Def(k);
      c.cell_type = def.cell_type;
      c.code_length = def.max_length;
      c.mask = def.mask;
    }
    isFloat.push_back(c.cell_type == EnFloat);
    plan.push_back(c);
  }
  internal::SaveTextReader reader(s.grid, plan, [&s](int32_t defCol, int32_t row) {
    return internal::SafeCellText(s, defCol, row);
  });

  internal::SaveTextSink sink(out);
  const size_t start = sink.Size();
  bool reserved = false;
  int32_t lines = 0;
  // The row runs in 64 bits so that a range ending at the largest row number ends.
  for (int64_t row64 = firstRow; row64 <= lastRow; ++row64) {
    const auto row = static_cast<int32_t>(row64);
    // The status is read only where it decides or shows something; the usual one-byte
    // statuses straight from the cell.
    char statusByte = 0;
    std::string_view status;
    if (rows != SaveRows::kAll || form != SaveLineForm::kDataOnly) {
      statusByte = reader.StatusByte(row);
      status = statusByte != 0 ? std::string_view(&statusByte, 1) : reader.Status(row);
    }
    if (rows == SaveRows::kChanged ? !IsChangedStatus(status)
                                   : rows == SaveRows::kFiltered && !filter(row, status)) {
      continue;
    }
    reader.SelectRow(row);
    if (form == SaveLineForm::kQuoted) {
      sink.Put('\'');
      sink.Put(SaveTag(status));
      sink.Put('\'');
      sink.Put(kQuoteSeparator);
      for (size_t i = 0; i < plan.size(); ++i) {
        const std::string_view value = reader.Text(i);
        if (isFloat[i]) {
          sink.Put(value);
          sink.Put(kQuoteSeparator);
        } else {
          sink.Put('\'');
          sink.Put(value);
          sink.Put('\'');
          sink.Put(kQuoteSeparator);
        }
      }
      sink.Unput(kQuoteSeparator.size());
      sink.Put(internal::kRowSeparator);
    } else {
      // The line's lead: the tag field, and the row number field where the form has one.
      internal::SaveTextReader::LineLead lead;
      if (form != SaveLineForm::kDataOnly) {
        const std::string_view tag = SaveTag(status);
        char* p = lead.bytes;
        std::memcpy(p, tag.data(), tag.size());
        p += tag.size();
        *p++ = '~';
        *p++ = ',';
        if (form == SaveLineForm::kTagAndRow) {
          p = std::to_chars(p, lead.bytes + sizeof lead.bytes, row).ptr;
          *p++ = '~';
          *p++ = ',';
        }
        lead.size = static_cast<size_t>(p - lead.bytes);
      }
      reader.PutLine(sink, lead);
    }
    ++lines;
    // Once a few lines show the typical line length, make room for the rest in one step so
    // that a large sheet's text is allocated once more and not copied again and again while
    // it grows. The estimate counts the lines that the rows read so far gave.
    if (!reserved && lines == 64 && row < lastRow) {
      reserved = true;
      const double rowsRead = static_cast<double>(row - firstRow + 1);
      const double perRow = static_cast<double>(sink.Size() - start) / rowsRead;
      const double estimate = perRow * (lastRow - row) * 1.05 + 4096;
      sink.Expect(estimate < 1e18 ? static_cast<size_t>(estimate) : SIZE_MAX);
    }
  }
  return lines;
}

}  // namespace

std::string ZelSheet::Info() const { return GridStateText(impl_->grid); }

std::string ZelSheet::GetDataHeaders() {
  std::string out = ReadOr([&] { return Info(); }, std::string());
  out.append(internal::kRowSeparator);
  out.append(SaveHeaderLine(*impl_));
  return out;
}

std::string ZelSheet::GetData() {
  if (impl_->flags.is_multi_sheet) return GetData_Multi();
  const int32_t last = ReadOr([&] { return DataRowCnt(); }, 0);
  // The lines go straight after the header lines (no second copy of a large text); with no
  // line the whole text is dropped.
  std::string out = GetDataHeaders();
  if (AppendSaveLines(*impl_, out, 1, last, SaveLineForm::kTag, SaveRows::kChanged) == 0) return {};
  return out;
}

std::string ZelSheet::GetDataAll(bool IsDataOnly) {
  const int32_t last = ReadOr([&] { return DataRowCnt(); }, 0);
  if (last <= 0) return {};
  if (impl_->flags.is_multi_sheet) return GetDataAll_Multi();
  std::string out = IsDataOnly ? std::string() : GetDataHeaders();
  AppendSaveLines(*impl_, out, 1, last, IsDataOnly ? SaveLineForm::kDataOnly : SaveLineForm::kTag,
                  SaveRows::kAll);
  return out;
}

std::string ZelSheet::GetDataSelected(int32_t lngCheckCol, bool IsDataOnly) {
  const int32_t last = ReadOr([&] { return DataRowCnt(); }, 0);
  SaveRowFilter take;
  if (lngCheckCol != -1) {
    // A ticked check box column: the rows whose check cell reads exactly "1".
    take = [this, lngCheckCol](int32_t row, std::string_view) {
      return internal::SafeCellText(*impl_, lngCheckCol, row) == "1";
    };
  } else {
    // The rows the user selected by their row headers.
    take = [this](int32_t row, std::string_view) {
      return ReadOr([&] { return impl_->grid.IsCellSelected(0, row); }, false);
    };
  }
  std::string out = IsDataOnly ? std::string() : GetDataHeaders();
  AppendSaveLines(*impl_, out, 1, last,
                  IsDataOnly ? SaveLineForm::kDataOnly : SaveLineForm::kTagAndRow,
                  SaveRows::kFiltered, take);
  return out;
}

std::string ZelSheet::GetDataActiveRow(int32_t lngRow) {
  const int32_t row = lngRow == -1 ? impl_->grid.ActiveRow() : lngRow;
  std::string out = GetDataHeaders();
  AppendSaveLines(*impl_, out, row, row, SaveLineForm::kTagAndRow, SaveRows::kAll);
  return out;
}

std::string ZelSheet::GetDataCommon() {
  std::string out;
  const int32_t last = ReadOr([&] { return DataRowCnt(); }, 0);
  AppendSaveLines(*impl_, out, 1, last, SaveLineForm::kQuoted, SaveRows::kChanged);
  return out;
}

// ---- Multi-row layout ------------------------------------------------------------------
// A record takes H = ColHeaderRows grid rows; its status sits in the row header of its
// first row, and its fields are the field records 1..GetMaxCols.

std::string ZelSheet::GetData_Multi() {
  const int32_t h = std::max(impl_->grid.ColHeaderRows(), 1);
  const int32_t last = ReadOr([&] { return DataRowCnt(); }, 0);
  std::string lines;
  for (int32_t row = 1; row <= last; row += h) {
    const std::string status = RecordStatus(*impl_, row);
    if (IsChangedStatus(status)) {
      AppendRecordLine(*impl_, lines, row, SaveTag(status), impl_->columns.counter);
    }
  }
  if (lines.empty()) return {};
  return GetDataHeaders() + lines;
}

std::string ZelSheet::GetDataAll_Multi() {
  // Every record of the data, unchanged ones with the empty tag (their row header shows the
  // record number), with the same fields as GetData_Multi so that the lines match the
  // header's names.
  const int32_t h = std::max(impl_->grid.ColHeaderRows(), 1);
  const int32_t last = ReadOr([&] { return DataRowCnt(); }, 0);
  std::string out = GetDataHeaders();
  for (int32_t row = 1; row <= last; row += h) {
    AppendRecordLine(*impl_, out, row, SaveTag(RecordStatus(*impl_, row)), impl_->columns.counter);
  }
  return out;
}

std::string ZelSheet::GetDataActiveRow_Multi(int32_t lngRow) {
  // The record's first row is the given row less the row offset of its fields inside the
  // record. The fields run over the grid's columns 1..MaxCols.
  const int32_t h = std::max(impl_->grid.ColHeaderRows(), 1);
  int32_t row = lngRow == -1 ? impl_->grid.ActiveRow() : lngRow;
  if (row >= 1) row -= (row - 1) % h;
  std::string out = GetDataHeaders();
  AppendRecordLine(*impl_, out, row, SaveTag(RecordStatus(*impl_, row)), impl_->grid.MaxCols());
  return out;
}

}  // namespace zel
