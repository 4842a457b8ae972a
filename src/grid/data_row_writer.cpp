#include "grid/data_row_writer.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "grid/internal/grid_ops.h"
#include "text/number.h"
#include "text/strings.h"

namespace zel::internal {
namespace {

bool IsNumberKind(int16_t kind) {
  return kind == kCellFloat || kind == kCellNumber || kind == kCellInteger;
}

// Whether property `p` resolves to the column's (or the sheet's) value in every data row of
// `c`: no row or cell format of a data row sets it. Data-row patches only hold properties
// their marks (row_props, cell_props) name; header rows keep theirs apart.
bool SameInEveryDataRow(const GridState& s, const Column& c, Prop p) {
  const PropBits bit = PropBit(p);
  return (!(s.row_props & bit) || s.row_styles.empty()) && (!(c.cell_props & bit) || c.cell_styles.empty());
}

// The formats a write reads (kind, decimals, combo list), resolved as for slot `slot` of
// column `c`; the list is copied into `list`, which `f` then points to.
void ResolveWriteFormat(const GridState& s, const Column& c, uint32_t slot, WriteFormat& f, std::string& list) {
  f = FormatOfKind(s, c, slot, s.KindOfAny(c, slot));
  list.clear();
  if (f.kind != kCellComboBox) return;
  if (f.combo_list != nullptr) list = *f.combo_list;
  f.combo_list = &list;
}

}  // namespace

// A column's data-row format, valid while the grid's stamp counter and the column object are
// those it was resolved with.
struct DataRowWriter::ColumnFormat {
  const Column* column = nullptr;
  uint64_t stamp = 0;
  bool uniform = false;  // every data row of the column resolves to `format`
  WriteFormat format;    // its combo_list points to `combo_list` below
  std::string combo_list;
  // Not uniform because cells share patches (the records of a multi-row sheet) and no row
  // format decides what a write reads: every cell of one shared patch resolves alike, so
  // each shared patch's format is resolved once, at its first cell (by number - 1).
  bool by_shared = false;
  struct Shared {
    bool resolved = false;
    WriteFormat format;
    std::string combo_list;
  };
  std::vector<Shared> shared;
};

DataRowWriter::DataRowWriter(Grid& grid) : grid_(grid) {}
DataRowWriter::~DataRowWriter() = default;

// The entry of column `col` (0..MaxCols) for column object `c`, resolved again when stale.
inline const DataRowWriter::ColumnFormat& DataRowWriter::FormatOf(int32_t col, const Column& c) {
  const auto index = static_cast<size_t>(col);
  if (index < formats_.size()) {
    const ColumnFormat& e = formats_[index];
    if (e.column == &c && e.stamp == StateOf(grid_).next_stamp) return e;
  }
  return Resolve(col, c);
}

const DataRowWriter::ColumnFormat& DataRowWriter::Resolve(int32_t col, const Column& c) {
  const GridState& s = StateOf(grid_);
  const auto index = static_cast<size_t>(col);
  if (index >= formats_.size()) {
    // Growing moves the entries and their lists: every entry is resolved again.
    formats_.resize(index + 1);
    for (ColumnFormat& stale : formats_) stale.column = nullptr;
  }
  ColumnFormat& e = formats_[index];
  // Every format write takes a new stamp, so an unchanged counter means unchanged formats.
  e.column = &c;
  e.stamp = s.next_stamp;
  e.format = WriteFormat{};
  e.combo_list.clear();
  // The condition under which KindOf reads the column and sheet levels only (and so ignores
  // the slot it is given).
  const bool kind_uniform = !((c.cell_props | s.row_props) & PropBit(Prop::kKind)) ||
                            (c.cell_styles.empty() && s.row_styles.empty());
  e.uniform = kind_uniform;
  const PropBits read = PropBit(Prop::kKind) | PropBit(Prop::kFloatDec) | PropBit(Prop::kComboEditable) |
                        PropBit(Prop::kComboList);
  e.by_shared = !(s.row_props & read) || s.row_styles.empty();
  e.shared.clear();
  if (!kind_uniform) return e;
  e.format.kind = s.KindOf(c, 0);
  switch (e.format.kind) {
    case kCellFloat:
    case kCellNumber:
      e.uniform = SameInEveryDataRow(s, c, Prop::kFloatDec);
      e.format.decimals =
          static_cast<int>(std::clamp<int64_t>(AsInt(s.ResolveColumn(Prop::kFloatDec, c)), 0, 15));
      break;
    case kCellComboBox:
      e.uniform = SameInEveryDataRow(s, c, Prop::kComboEditable) && SameInEveryDataRow(s, c, Prop::kComboList);
      e.format.combo_fixed = AsInt(s.ResolveColumn(Prop::kComboEditable, c)) == 0;
      if (e.format.combo_fixed) e.combo_list = AsString(s.ResolveColumn(Prop::kComboList, c));
      e.format.combo_list = &e.combo_list;
      break;
    default:
      break;
  }
  return e;
}

inline const WriteFormat* DataRowWriter::FormatAt(int32_t col, const Column& c, uint32_t slot) {
  ColumnFormat& e = const_cast<ColumnFormat&>(FormatOf(col, c));
  if (e.uniform) return &e.format;
  if (!e.by_shared) return nullptr;
  const uint16_t number = c.cell_styles.SharedNumber(slot);
  if (number == 0) return nullptr;
  if (number <= e.shared.size() && e.shared[number - 1].resolved) return &e.shared[number - 1].format;
  return ResolveShared(e, c, slot, number);
}

// A shared patch's format met for the first time.
const WriteFormat* DataRowWriter::ResolveShared(ColumnFormat& e, const Column& c, uint32_t slot, uint16_t number) {
  if (number > e.shared.size()) {
    e.shared.resize(number);
    // The lists moved with the entries.
    for (ColumnFormat::Shared& moved : e.shared) {
      if (moved.format.kind == kCellComboBox) moved.format.combo_list = &moved.combo_list;
    }
  }
  ColumnFormat::Shared& sh = e.shared[number - 1];
  ResolveWriteFormat(StateOf(grid_), c, slot, sh.format, sh.combo_list);
  sh.resolved = true;
  return &sh.format;
}

void DataRowWriter::SetText(int32_t col, int32_t row, std::string_view text) {
  GridState& s = StateOf(grid_);
  if (col < 0 || col > s.max_cols || row < 1 || row > s.max_rows) {
    grid_.SetText(col, row, text);  // header rows and columns, and the addresses it refuses
    return;
  }
  Column& c = *s.cols[static_cast<size_t>(col)];
  const uint32_t slot = s.row_map[static_cast<size_t>(row - 1)];
  if (const WriteFormat* f = FormatAt(col, c, slot)) {
    StoreWithFormat(s, c, col >= 1, row, slot, text, *f);
  } else {
    StoreValue(s, c, col >= 1, row, slot, text);
  }
  NoteChange(s, col, row, col, row);
}

bool DataRowWriter::StoreNumber(int32_t col, int32_t row, double value) {
  GridState& s = StateOf(grid_);
  // NumberToText's text of a finite number of normal magnitude reads back as that number;
  // the text route stays for everything else.
  const bool reads_back = std::isfinite(value) && (value == 0 || std::fabs(value) >= std::numeric_limits<double>::min());
  if (reads_back && col >= 0 && col <= s.max_cols && row >= 1 && row <= s.max_rows) {
    Column& c = *s.cols[static_cast<size_t>(col)];
    const uint32_t slot = s.row_map[static_cast<size_t>(row - 1)];
    const WriteFormat* f = FormatAt(col, c, slot);
    if (f != nullptr && IsNumberKind(f->kind) && NumberTextReadsBack(s)) {
      StoreNumberAs(s, c, col >= 1, row, slot, value, *f);
      NoteChange(s, col, row, col, row);
      return true;
    }
  }
  return false;
}

void DataRowWriter::SetNumber(int32_t col, int32_t row, double value) {
  if (!StoreNumber(col, row, value)) SetText(col, row, text::NumberToText(value));
}

void DataRowWriter::SetNumberText(int32_t col, int32_t row, std::string_view text, double value) {
  // A number cell reads a text with the grid's separators differently from text::Val; a
  // blank text empties it.
  if (text::TrimView(text).empty() || MayHoldNumberDecoration(StateOf(grid_), text) ||
      !StoreNumber(col, row, value)) {
    SetText(col, row, text);
  }
}

}  // namespace zel::internal
