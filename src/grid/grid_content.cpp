// Cell content: what SetText stores for each kind, what GetText shows, block text transfer.
#include <algorithm>
#include <charconv>
#include <cmath>

#include "grid/data_row_writer.h"
#include "grid/internal/grid_ops.h"
#include "text/number.h"
#include "text/strings.h"

namespace zel {
using namespace internal;

namespace internal {

int32_t LinRow(const GridState& s, int32_t row) {
  if (row >= 0) return row == 0 ? 1 - s.head_rows() : row;
  return row + 1000 - (s.head_rows() - 1);
}

int32_t RowAddr(const GridState& s, int32_t lin) {
  if (lin >= 1) return lin;
  const int32_t n = lin + s.head_rows() - 1;
  return n == 0 ? 0 : -1000 + n;
}

int32_t LinCol(const GridState& s, int32_t col) {
  if (col >= 0) return col == 0 ? 1 - s.head_cols() : col;
  return col + 1000 - (s.head_cols() - 1);
}

int32_t ColAddr(const GridState& s, int32_t lin) {
  if (lin >= 1) return lin;
  const int32_t n = lin + s.head_cols() - 1;
  return n == 0 ? 0 : -1000 + n;
}

CellRange MakeRange(const GridState& s, const char* who, int32_t c1, int32_t r1, int32_t c2,
                    int32_t r2) {
  s.CheckColAll(who, c1);
  s.CheckColAll(who, c2);
  s.CheckRowAll(who, r1);
  s.CheckRowAll(who, r2);
  CellRange r{};
  if (c1 == -1 || c2 == -1) {
    r.col_lo = 1;
    r.col_hi = s.max_cols;
  } else {
    r.col_lo = std::min(LinCol(s, c1), LinCol(s, c2));
    r.col_hi = std::max(LinCol(s, c1), LinCol(s, c2));
  }
  if (r1 == -1 || r2 == -1) {
    r.row_lo = 1;
    r.row_hi = s.max_rows;
  } else {
    r.row_lo = std::min(LinRow(s, r1), LinRow(s, r2));
    r.row_hi = std::max(LinRow(s, r1), LinRow(s, r2));
  }
  return r;
}

CellRange CurrentRange(const GridState& s, const char* who) {
  if (s.block_mode) return MakeRange(s, who, s.col, s.row, s.col2, s.row2);
  return MakeRange(s, who, s.col, s.row, s.col, s.row);
}

namespace {

// Makes room for `slot` in the column's cells. A column's cells are allocated for every slot
// at its first write: growing them cell by cell would copy and re-fault the whole array again
// and again while a sheet fills. Later growth (rows added a few at a time) is geometric so
// that it stays amortised O(1).
inline void EnsureCell(const GridState& s, Column& c, uint32_t slot) {
  if (slot >= c.cells.size()) {
    c.cells.resize(std::max({static_cast<size_t>(s.slot_count), static_cast<size_t>(slot) + 1,
                             c.cells.size() + c.cells.size() / 2}));
  }
}

// Applies a store to one cell and keeps the data extent in step.
template <class F>
void Put(GridState& s, Column& c, bool data_col, int32_t data_row, uint32_t slot, F store) {
  EnsureCell(s, c, slot);
  const bool was_empty = c.Empty(slot);
  store();
  const bool now_empty = c.Empty(slot);
  if (was_empty != now_empty) s.NoteCell(c, data_col, data_row, slot, now_empty ? -1 : 1);
}

// The stores of the write path, with the cell's change of state known from the store itself
// instead of read back from the cell. Views go by reference here and in StoreWithFormat: as
// the seventh argument a view travels on the stack, and reading it whole right after the
// caller wrote it in halves stalls every write.
inline void PutEmpty(GridState& s, Column& c, bool data_col, int32_t data_row, uint32_t slot) {
  if (c.Erase(slot)) s.NoteCell(c, data_col, data_row, slot, -1);
}

inline void PutText(GridState& s, Column& c, bool data_col, int32_t data_row, uint32_t slot,
                    const std::string_view& v) {
  // Emptying needs no storage: a cell beyond the column's array is empty already, and
  // growing the array for it would copy (and so make resident) every cell before it, as
  // clearing the row status of a million displayed rows once did to the status column.
  if (v.empty()) {
    PutEmpty(s, c, data_col, data_row, slot);
    return;
  }
  EnsureCell(s, c, slot);
  const bool was_empty = c.StoreText(slot, v);
  if (was_empty != v.empty()) s.NoteCell(c, data_col, data_row, slot, v.empty() ? -1 : 1);
}

inline void PutNumber(GridState& s, Column& c, bool data_col, int32_t data_row, uint32_t slot,
                      double v) {
  EnsureCell(s, c, slot);
  if (c.StoreNumber(slot, v)) s.NoteCell(c, data_col, data_row, slot, 1);
}

// Whether `what` (a separator, currency or decimal text of the grid) could occur in the text
// NumberToText writes for a finite number, which holds only digits, '-', '.', 'e' and '+'.
bool MayDecorate(const std::string& what) {
  if (what.empty()) return false;
  for (const char ch : what) {
    if (!((ch >= '0' && ch <= '9') || ch == '-' || ch == '.' || ch == 'e' || ch == '+')) return false;
  }
  return true;
}

// Drops the grid's separator and currency characters so that a shown number reads back.
std::string StripNumberText(const GridState& s, std::string_view v) {
  std::string out(v);
  auto drop = [&out](const std::string& what) {
    if (what.empty()) return;
    for (size_t p = out.find(what); p != std::string::npos; p = out.find(what, p)) {
      out.erase(p, what.size());
    }
  };
  drop(s.float_sep);
  drop(s.float_currency);
  if (s.float_decimal != ".") {
    const size_t p = out.find(s.float_decimal);
    if (p != std::string::npos) out.replace(p, s.float_decimal.size(), ".");
  }
  return out;
}

// The shown text of a number that has no more decimal places than its cell shows, the usual
// case (numbers are rounded to their cell's places when written), without the general
// formatter: when v is the double nearest to n / 10^dec for an integer n well inside a
// double's exact range, n's digits are v's shortest text, padded with zeros, so they are
// exactly what the general formatter lays out. False (`out` undefined) for other numbers.
bool FormatPlainly(const GridState& s, double v, const FloatFormat& f, std::string& out) {
  const int dec = f.decimals;
  const bool sep = f.separator;
  const bool money = f.money;
  static constexpr double kPow10[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                      1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  const double scale = kPow10[dec];
  const double whole = std::nearbyint(v * scale);
  // Below 2^50 two numbers with dec places never share a double, so n is v's shortest text.
  if (!(std::fabs(whole) < 1e15) || whole / scale != v) return false;
  char buf[24];
  const auto res = std::to_chars(buf, buf + sizeof buf, static_cast<uint64_t>(std::fabs(whole)));
  const std::string_view digits(buf, static_cast<size_t>(res.ptr - buf));
  const size_t places = static_cast<size_t>(dec);
  const size_t int_len = digits.size() > places ? digits.size() - places : 0;
  out.clear();
  if (v < 0) out += '-';
  if (money) out += s.float_currency;
  if (int_len == 0) out += '0';
  for (size_t i = 0; i < int_len; ++i) {
    if (sep && i > 0 && (int_len - i) % 3 == 0) out += s.float_sep;
    out += digits[i];
  }
  if (dec > 0) {
    out += s.float_decimal;
    out.append(places - (digits.size() - int_len), '0');
    out += digits.substr(int_len);
  }
  return true;
}

}  // namespace

FloatFormat FloatFormatOf(const GridState& s, const Column& c, uint32_t slot) {
  FloatFormat f;
  f.decimals = static_cast<int>(std::clamp<int64_t>(AsInt(s.Resolve(Prop::kFloatDec, c, slot)), 0, 15));
  f.separator = AsInt(s.Resolve(Prop::kFloatSep, c, slot)) != 0;
  f.money = AsInt(s.Resolve(Prop::kFloatMoney, c, slot)) != 0;
  return f;
}

void FormatFloat(const GridState& s, const FloatFormat& f, double v, std::string& out) {
  if (FormatPlainly(s, v, f, out)) return;
  const int dec = f.decimals;
  const bool sep = f.separator;
  const bool money = f.money;
  std::string fmt = sep ? "#,##0" : "0";
  if (dec > 0) fmt += "." + std::string(static_cast<size_t>(dec), '0');
  const std::string shown = text::FormatNumber(v, fmt);
  out.clear();
  size_t from = 0;
  if (money) {
    if (!shown.empty() && shown[0] == '-') {
      out += '-';
      from = 1;
    }
    out += s.float_currency;
  }
  for (size_t i = from; i < shown.size(); ++i) {
    if (shown[i] == '.') {
      out += s.float_decimal;
    } else if (shown[i] == ',') {
      out += s.float_sep;
    } else {
      out += shown[i];
    }
  }
}

namespace {

// Rounds half to even at `decimals` places (0..15). Most values already have no more places
// than the cell shows (a data string's "1234.50" in a two-place column). When v is the double
// nearest to some integer / 10^decimals, its shortest decimal text has at most that many
// places, so rounding that text would give v back: the exact check below skips the text
// round trip for them; everything else goes through it.
double RoundToPlaces(double v, int decimals) {
  static constexpr double kPow10[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                      1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  if (v == 0) return 0.0;  // as the text route does, -0 becomes 0
  const double scale = kPow10[decimals];
  const double whole = std::nearbyint(v * scale);
  if (std::fabs(whole) < 9007199254740992.0 && whole / scale == v) return v;  // below 2^53: exact
  return text::RoundHalfEven(v, decimals);
}

// Whether `item` (not empty) is one of the TAB-separated items of `list`: the check every
// write to a fixed combo makes, done on the list text without splitting it.
bool ComboHasItem(std::string_view list, std::string_view item) {
  if (item.find('\t') != std::string_view::npos) return false;  // items never hold a TAB
  for (size_t at = list.find(item); at != std::string_view::npos; at = list.find(item, at + 1)) {
    const size_t end = at + item.size();
    if ((at == 0 || list[at - 1] == '\t') && (end == list.size() || list[end] == '\t')) return true;
  }
  return false;
}

}  // namespace

std::vector<std::string_view> ComboItems(std::string_view list) {
  std::vector<std::string_view> items;
  size_t start = 0;
  while (start < list.size()) {
    const size_t tab = list.find('\t', start);
    if (tab == std::string_view::npos) {
      items.push_back(list.substr(start));
      break;
    }
    items.push_back(list.substr(start, tab - start));
    start = tab + 1;
  }
  return items;
}

WriteFormat FormatOfKind(const GridState& s, const Column& c, uint32_t slot, int16_t kind) {
  WriteFormat f;
  f.kind = kind;
  switch (kind) {
    case kCellFloat:
    case kCellNumber:
      f.decimals = static_cast<int>(std::clamp<int64_t>(AsInt(s.Resolve(Prop::kFloatDec, c, slot)), 0, 15));
      break;
    case kCellComboBox:
      f.combo_fixed = AsInt(s.Resolve(Prop::kComboEditable, c, slot)) == 0;
      if (f.combo_fixed) f.combo_list = &AsString(s.Resolve(Prop::kComboList, c, slot));
      break;
    default:
      break;
  }
  return f;
}

namespace {

// Whether a cell of kind `kind` stores a text as it is written (no other format matters).
bool StoresTextAsWritten(int16_t kind) {
  return kind != kCellFloat && kind != kCellNumber && kind != kCellInteger && kind != kCellCheckBox &&
         kind != kCellComboBox;
}

}  // namespace

void StoreWithFormat(GridState& s, Column& c, bool data_col, int32_t data_row, uint32_t slot,
                     const std::string_view& v, const WriteFormat& f) {
  switch (f.kind) {
    case kCellFloat:
    case kCellNumber:
    case kCellInteger: {
      // The grid's own separator and currency characters go before the number is read; a
      // value without any of them (the usual case) is read as it is.
      std::string stripped;
      std::string_view plain = v;
      if (MayHoldNumberDecoration(s, v)) {
        stripped = StripNumberText(s, v);
        plain = stripped;
      }
      if (text::TrimView(plain).empty()) {
        PutEmpty(s, c, data_col, data_row, slot);
        return;
      }
      double d = text::Val(plain);
      if (std::isfinite(d)) d = RoundToPlaces(d, f.kind == kCellInteger ? 0 : f.decimals);
      PutNumber(s, c, data_col, data_row, slot, d);
      return;
    }
    case kCellCheckBox: {
      const std::string_view stored = v.empty() ? "" : (v == "1" ? "1" : "0");
      PutText(s, c, data_col, data_row, slot, stored);
      return;
    }
    case kCellComboBox: {
      if (!v.empty() && f.combo_fixed && !ComboHasItem(*f.combo_list, v)) return;
      PutText(s, c, data_col, data_row, slot, v);
      return;
    }
    default:
      PutText(s, c, data_col, data_row, slot, v);
  }
}

void StoreValue(GridState& s, Column& c, bool data_col, int32_t data_row, uint32_t slot,
                std::string_view v) {
  // data_row is 0 exactly for the header rows (row 0 and -1000 + n).
  const int16_t kind = data_row == 0 ? s.HeadKindOf(c, slot) : s.KindOf(c, slot);
  if (StoresTextAsWritten(kind)) {
    PutText(s, c, data_col, data_row, slot, v);  // the most frequent write: no other lookup
    return;
  }
  StoreWithFormat(s, c, data_col, data_row, slot, v, FormatOfKind(s, c, slot, kind));
}

void StoreNumberAs(GridState& s, Column& c, bool data_col, int32_t data_row, uint32_t slot,
                   double v, const WriteFormat& f) {
  PutNumber(s, c, data_col, data_row, slot, RoundToPlaces(v, f.kind == kCellInteger ? 0 : f.decimals));
}

bool MayHoldNumberDecoration(const GridState& s, std::string_view v) {
  auto holds = [v](const std::string& what) { return !what.empty() && v.find(what) != std::string_view::npos; };
  return holds(s.float_sep) || holds(s.float_currency) || (s.float_decimal != "." && holds(s.float_decimal));
}

bool NumberTextReadsBack(const GridState& s) {
  return !MayDecorate(s.float_sep) && !MayDecorate(s.float_currency) &&
         (s.float_decimal == "." || !MayDecorate(s.float_decimal));
}

void StoreNumberValue(GridState& s, Column& c, bool data_col, int32_t data_row, uint32_t slot,
                      double v) {
  PutNumber(s, c, data_col, data_row, slot, v);
}

void EraseValue(GridState& s, Column& c, bool data_col, int32_t data_row, uint32_t slot) {
  PutEmpty(s, c, data_col, data_row, slot);
}

void CopyValue(GridState& s, Column& c, bool data_col, int32_t data_row, uint32_t slot,
               const Column& src, uint32_t from) {
  Put(s, c, data_col, data_row, slot, [&] { c.StoreCopy(slot, src, from); });
}

// Puts a cell's stored bytes into `out`. Clearing and appending is a plain copy into the
// capacity `out` already has; assign takes the general replace path, which allows for the
// source overlapping the string and cost half of a whole-sheet read. (Cell bytes never live
// inside a caller's string.)
inline void CopyInto(std::string& out, std::string_view bytes) {
  out.clear();
  out.append(bytes.data(), bytes.size());
}

void ShownText(const GridState& s, const Column& c, uint32_t slot, std::string& out) {
  const Cell* cell = c.At(slot);
  if (!cell || cell->empty()) {
    out.clear();
    return;
  }
  switch (cell->rep()) {
    case Cell::kInline:
      CopyInto(out, {cell->inline_data(), cell->inline_size()});
      return;
    case Cell::kArena:
      CopyInto(out, c.TextView(slot));
      return;
    default:
      break;
  }
  const double v = cell->number();
  const int16_t kind = s.IsHeadSlot(slot) ? s.HeadKindOf(c, slot) : s.KindOf(c, slot);
  if (kind == kCellFloat || kind == kCellNumber) {
    FormatFloat(s, FloatFormatOf(s, c, slot), v, out);
  } else {
    out = text::NumberToText(v);
  }
}

std::string ShownText(const GridState& s, const Column& c, uint32_t slot) {
  std::string out;
  ShownText(s, c, slot, out);
  return out;
}

std::string PlainValue(const GridState& /*s*/, const Column& c, uint32_t slot) {
  const Cell* cell = c.At(slot);
  if (!cell || cell->empty()) return {};
  if (cell->rep() == Cell::kNumber) return text::NumberToText(cell->number());
  return std::string(c.TextView(slot));
}

std::vector<std::vector<std::string>> ParseTabText(std::string_view text) {
  std::vector<std::vector<std::string>> rows;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    std::string_view line =
        end == std::string_view::npos ? text.substr(start) : text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::vector<std::string> fields;
    for (std::string_view f : text::SplitView(line, "\t")) fields.emplace_back(f);
    rows.push_back(std::move(fields));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return rows;
}

void PasteRows(GridState& s, const std::vector<std::vector<std::string>>& rows, int32_t col,
               int32_t row, int32_t col_limit, int32_t row_limit, bool plain) {
  const int32_t lc0 = LinCol(s, col);
  const int32_t lr0 = LinRow(s, row);
  const int32_t lc_max = LinCol(s, col_limit);
  const int32_t lr_max = LinRow(s, row_limit);
  for (size_t i = 0; i < rows.size(); ++i) {
    const int64_t lr = lr0 + static_cast<int64_t>(i);
    if (lr > lr_max) break;
    const int32_t r = RowAddr(s, static_cast<int32_t>(lr));
    const uint32_t slot = s.SlotOf("Paste", r);
    for (size_t j = 0; j < rows[i].size(); ++j) {
      const int64_t lc = lc0 + static_cast<int64_t>(j);
      if (lc > lc_max) break;
      const int32_t c = ColAddr(s, static_cast<int32_t>(lc));
      Column& column = s.ColumnAt("Paste", c);
      if (plain) {
        PutText(s, column, c >= 1, r >= 1 ? r : 0, slot, rows[i][j]);
      } else {
        StoreValue(s, column, c >= 1, r >= 1 ? r : 0, slot, rows[i][j]);
      }
    }
  }
}

std::string RangeText(const GridState& s, const CellRange& r, bool plain) {
  std::string out;
  std::string cell;
  if (r.empty()) return out;
  for (int32_t lr = r.row_lo; lr <= r.row_hi; ++lr) {
    const int32_t row = RowAddr(s, lr);
    const uint32_t slot = s.SlotOf("Clip", row);
    for (int32_t lc = r.col_lo; lc <= r.col_hi; ++lc) {
      const Column& c = s.ColumnAt("Clip", ColAddr(s, lc));
      if (lc != r.col_lo) out += '\t';
      if (plain) {
        out += PlainValue(s, c, slot);
      } else {
        ShownText(s, c, slot, cell);
        out += cell;
      }
    }
    out += "\r\n";
  }
  return out;
}

namespace {

// Column letters as spreadsheets name columns: 1 A, 26 Z, 27 AA.
std::string Letters(int64_t n) {
  std::string letters;
  for (; n > 0; n = (n - 1) / 26) letters.insert(letters.begin(), static_cast<char>('A' + (n - 1) % 26));
  return letters;
}

}  // namespace

void AutoLabel(const GridState& s, int32_t col, int32_t row, std::string& out) {
  int16_t display = 0;
  int32_t n = 0;
  if (row == 0 && col >= 1) {
    display = s.col_header_display;
    n = col;
  } else if (col == 0 && row >= 1) {
    display = s.row_header_display;
    n = row;
  }
  if (display == 1) {
    out = std::to_string(n);
  } else if (display == 2) {
    out = Letters(n);
  } else {
    out.clear();
  }
}

}  // namespace internal

// ---- Grid members -------------------------------------------------------------------------
void Grid::SetText(int32_t col, int32_t row, std::string_view value) {
  GridState& s = *state_;
  if (col >= 1 && col <= s.max_cols && row >= 1 && row <= s.max_rows) {
    // A data cell, the write a fill makes millions of times: the text kinds store it here.
    Column& c = *s.cols[static_cast<size_t>(col)];
    const uint32_t slot = s.row_map[static_cast<size_t>(row - 1)];
    if (StoresTextAsWritten(s.KindOf(c, slot))) {
      PutText(s, c, true, row, slot, value);
    } else {
      StoreValue(s, c, true, row, slot, value);
    }
    NoteChange(s, col, row, col, row);
    return;
  }
  Column& c = s.ColumnAt("SetText", col);
  const uint32_t slot = s.SlotOf("SetText", row);
  StoreValue(s, c, col >= 1, row >= 1 ? row : 0, slot, value);
  NoteChange(s, col, row, col, row);
}

bool Grid::GetText(int32_t col, int32_t row, std::string& out) const {
  const GridState& s = *state_;
  const Column& c = s.ColumnAt("GetText", col);
  const uint32_t slot = s.SlotOf("GetText", row);
  // Short texts, the common case, straight from the cell.
  if (slot < c.written && c.cells[slot].rep() == Cell::kInline) {
    const Cell& cell = c.cells[slot];
    CopyInto(out, {cell.inline_data(), cell.inline_size()});
    return true;
  }
  ShownText(s, c, slot, out);
  return !out.empty();
}

std::string Grid::Text() const {
  const GridState& s = *state_;
  return ShownText(s, s.ColumnAt("Text", s.col), s.SlotOf("Text", s.row));
}

void Grid::Text(std::string_view value) {
  GridState& s = *state_;
  const CellRange r = CurrentRange(s, "Text");
  const ChangeScope change(s, r);
  const std::string copy(value);  // the value may be a view of a cell being overwritten
  for (int32_t lr = r.row_lo; lr <= r.row_hi; ++lr) {
    const int32_t row = RowAddr(s, lr);
    const uint32_t slot = s.SlotOf("Text", row);
    for (int32_t lc = r.col_lo; lc <= r.col_hi; ++lc) {
      const int32_t col = ColAddr(s, lc);
      StoreValue(s, s.ColumnAt("Text", col), col >= 1, row >= 1 ? row : 0, slot, copy);
    }
  }
}

std::string Grid::Value() const {
  const GridState& s = *state_;
  return PlainValue(s, s.ColumnAt("Value", s.col), s.SlotOf("Value", s.row));
}

void Grid::Value(std::string_view value) { Text(value); }

bool Grid::SetFloat(int32_t col, int32_t row, double value) {
  GridState& s = *state_;
  Column& c = s.ColumnAt("SetFloat", col);
  const uint32_t slot = s.SlotOf("SetFloat", row);
  if (!std::isfinite(value)) Fail("SetFloat", "value is not a finite number");
  StoreNumberValue(s, c, col >= 1, row >= 1 ? row : 0, slot, value);
  NoteChange(s, col, row, col, row);
  return true;
}

bool Grid::SetInteger(int32_t col, int32_t row, int32_t value) {
  GridState& s = *state_;
  Column& c = s.ColumnAt("SetInteger", col);
  const uint32_t slot = s.SlotOf("SetInteger", row);
  StoreNumberValue(s, c, col >= 1, row >= 1 ? row : 0, slot, value);
  NoteChange(s, col, row, col, row);
  return true;
}

bool Grid::GetArray(int32_t colLeft, int32_t rowTop,
                    std::vector<std::vector<std::string>>& out) const {
  const GridState& s = *state_;
  bool any = false;
  for (size_t i = 0; i < out.size(); ++i) {
    const int64_t lr = static_cast<int64_t>(LinRow(s, rowTop)) + static_cast<int64_t>(i);
    for (size_t j = 0; j < out[i].size(); ++j) {
      const int64_t lc = static_cast<int64_t>(LinCol(s, colLeft)) + static_cast<int64_t>(j);
      out[i][j].clear();
      if (lr > s.max_rows || lc > s.max_cols || lr < 1 - s.head_rows() || lc < 1 - s.head_cols()) {
        continue;
      }
      const int32_t row = RowAddr(s, static_cast<int32_t>(lr));
      const int32_t col = ColAddr(s, static_cast<int32_t>(lc));
      ShownText(s, s.ColumnAt("GetArray", col), s.SlotOf("GetArray", row), out[i][j]);
      any = true;
    }
  }
  return any;
}

bool Grid::SetArray(int32_t colLeft, int32_t rowTop,
                    const std::vector<std::vector<std::string>>& values) {
  GridState& s = *state_;
  s.CheckColAll("SetArray", colLeft);
  s.CheckRowAll("SetArray", rowTop);
  if (colLeft == -1 || rowTop == -1) Fail("SetArray", "the corner must name one cell");
  const ChangeScope change(s, false);
  bool any = false;
  for (size_t i = 0; i < values.size(); ++i) {
    const int64_t lr = static_cast<int64_t>(LinRow(s, rowTop)) + static_cast<int64_t>(i);
    if (lr > s.max_rows) break;
    const int32_t row = RowAddr(s, static_cast<int32_t>(lr));
    const uint32_t slot = s.SlotOf("SetArray", row);
    for (size_t j = 0; j < values[i].size(); ++j) {
      const int64_t lc = static_cast<int64_t>(LinCol(s, colLeft)) + static_cast<int64_t>(j);
      if (lc > s.max_cols) break;
      const int32_t col = ColAddr(s, static_cast<int32_t>(lc));
      StoreValue(s, s.ColumnAt("SetArray", col), col >= 1, row >= 1 ? row : 0, slot, values[i][j]);
      any = true;
    }
  }
  return any;
}

std::string Grid::Clip() const {
  const GridState& s = *state_;
  return RangeText(s, CurrentRange(s, "Clip"), false);
}

void Grid::Clip(std::string_view text) {
  GridState& s = *state_;
  const CellRange r = CurrentRange(s, "Clip");
  if (r.empty()) return;
  const ChangeScope change(s, false);
  const int32_t col_limit = s.block_mode ? ColAddr(s, r.col_hi) : s.max_cols;
  const int32_t row_limit = s.block_mode ? RowAddr(s, r.row_hi) : s.max_rows;
  PasteRows(s, ParseTabText(text), ColAddr(s, r.col_lo), RowAddr(s, r.row_lo), col_limit,
            row_limit, false);
}

std::string Grid::ClipValue() const {
  const GridState& s = *state_;
  return RangeText(s, CurrentRange(s, "ClipValue"), true);
}

void Grid::ClipValue(std::string_view text) { Clip(text); }

int32_t Grid::DataRowCnt() const { return state_->data_row_cnt; }

int32_t Grid::DataColCnt() const {
  const GridState& s = *state_;
  for (int32_t c = s.max_cols; c >= 1; --c) {
    if (s.cols[static_cast<size_t>(c)]->data_cells > 0) return c;
  }
  return 0;
}

bool Grid::GetLastValidCell(int32_t& col, int32_t& row) const {
  col = DataColCnt();
  row = DataRowCnt();
  return row > 0;
}

std::string Grid::DisplayText(int32_t col, int32_t row) const {
  std::string out;
  GetText(col, row, out);
  if (out.empty()) AutoLabel(*state_, col, row, out);
  return out;
}

}  // namespace zel

namespace zel {
using namespace internal;

namespace {

std::string ReadSide(const GridState& s, const char* who, bool note) {
  const Column& c = s.ColumnAt(who, s.col);
  const auto& m = note ? c.notes : c.tags;
  auto it = m.find(s.SlotOf(who, s.row));
  return it == m.end() ? std::string() : it->second;
}

void WriteSide(GridState& s, const char* who, bool note, std::string_view value) {
  const CellRange r = CurrentRange(s, who);
  const ChangeScope change(s, r);
  for (int32_t lr = r.row_lo; lr <= r.row_hi; ++lr) {
    const uint32_t slot = s.SlotOf(who, RowAddr(s, lr));
    for (int32_t lc = r.col_lo; lc <= r.col_hi; ++lc) {
      Column& c = s.ColumnAt(who, ColAddr(s, lc));
      auto& m = note ? c.notes : c.tags;
      if (value.empty()) {
        m.erase(slot);
      } else {
        m[slot] = std::string(value);
      }
    }
  }
}

}  // namespace

std::string Grid::CellTag() const { return ReadSide(*state_, "CellTag", false); }
void Grid::CellTag(std::string_view tag) { WriteSide(*state_, "CellTag", false, tag); }
std::string Grid::CellNote() const { return ReadSide(*state_, "CellNote", true); }
void Grid::CellNote(std::string_view note) { WriteSide(*state_, "CellNote", true, note); }

}  // namespace zel
