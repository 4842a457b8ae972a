// Formats: the hierarchical, stamped properties of cells, columns, rows and the sheet, and the
// members that read and write them (cell kinds and their settings, colours, fonts, borders).
#include <algorithm>
#include <cmath>

#include "grid/internal/grid_ops.h"

namespace zel {
using namespace internal;

namespace internal {

namespace {

void PruneCell(Column& c, uint32_t slot, Prop p) {
  const Patch* found = c.cell_styles.Find(slot);
  if (found == nullptr || found->Find(p) == nullptr) return;
  Patch& own = c.cell_styles[slot];
  own.Erase(p);
  if (own.empty()) c.cell_styles.erase(slot);
}

void PruneColumn(Column& c, Prop p) {
  c.cell_styles.EditAll([p](Patch& patch) { patch.Erase(p); });
}

}  // namespace

void WritePropRange(GridState& s, const char* who, Prop p, const PropValue& v, int32_t c1,
                    int32_t r1, int32_t c2, int32_t r2, uint64_t stamp) {
  s.CheckColAll(who, c1);
  s.CheckColAll(who, c2);
  s.CheckRowAll(who, r1);
  s.CheckRowAll(who, r2);
  const ChangeScope change(s, c1, r1, c2, r2);
  const bool all_cols = c1 == -1 || c2 == -1;
  const bool all_rows = r1 == -1 || r2 == -1;
  // A write that covers a level makes the older, narrower settings of the same property
  // unreachable: drop them so that repeated formatting does not accumulate.
  if (all_cols && all_rows) {
    s.ForEachColumn([p](Column& c) {
      c.style.Erase(p);
      PruneColumn(c, p);
    });
    for (auto it = s.row_styles.begin(); it != s.row_styles.end();) {
      it->second.Erase(p);
      it = it->second.empty() ? s.row_styles.erase(it) : std::next(it);
    }
    s.sheet_style.Set(p, stamp, v);
    return;
  }
  if (all_rows) {
    const int32_t lo = std::min(LinCol(s, c1), LinCol(s, c2));
    const int32_t hi = std::max(LinCol(s, c1), LinCol(s, c2));
    for (int32_t lc = lo; lc <= hi; ++lc) {
      Column& c = s.ColumnAt(who, ColAddr(s, lc));
      PruneColumn(c, p);
      c.style.Set(p, stamp, v);
    }
    return;
  }
  const int32_t rlo = std::min(LinRow(s, r1), LinRow(s, r2));
  const int32_t rhi = std::max(LinRow(s, r1), LinRow(s, r2));
  if (all_cols) {
    for (int32_t lr = rlo; lr <= rhi; ++lr) {
      const uint32_t slot = s.SlotOf(who, RowAddr(s, lr));
      s.ForEachColumn([&](Column& c) {
        if (!c.cell_styles.empty()) PruneCell(c, slot, p);
      });
      s.row_styles[slot].Set(p, stamp, v);
      (RowAddr(s, lr) >= 1 ? s.row_props : s.head_row_props) |= PropBit(p);
    }
    return;
  }
  const int32_t clo = std::min(LinCol(s, c1), LinCol(s, c2));
  const int32_t chi = std::max(LinCol(s, c1), LinCol(s, c2));
  for (int32_t lc = clo; lc <= chi; ++lc) {
    Column& c = s.ColumnAt(who, ColAddr(s, lc));
    if (rhi >= 1) c.cell_props |= PropBit(p);
    if (rlo < 1) c.head_cell_props |= PropBit(p);
    for (int32_t lr = rlo; lr <= rhi; ++lr) {
      c.cell_styles[s.SlotOf(who, RowAddr(s, lr))].Set(p, stamp, v);
    }
  }
}

void WriteProp(GridState& s, const char* who, Prop p, PropValue v) {
  const uint64_t stamp = s.Stamp();
  if (s.block_mode) {
    WritePropRange(s, who, p, v, s.col, s.row, s.col2, s.row2, stamp);
  } else {
    WritePropRange(s, who, p, v, s.col, s.row, s.col, s.row, stamp);
  }
}

const PropValue& ReadPropAt(const GridState& s, const char* who, Prop p, int32_t col, int32_t row) {
  s.CheckColAll(who, col);
  s.CheckRowAll(who, row);
  if (col == -1 && row == -1) return s.sheet_style.Find(p)->value;
  if (col == -1) return s.ResolveRow(p, s.SlotOf(who, row));
  if (row == -1) return s.ResolveColumn(p, s.ColumnAt(who, col));
  return s.Resolve(p, s.ColumnAt(who, col), s.SlotOf(who, row));
}

const PropValue& ReadProp(const GridState& s, const char* who, Prop p) {
  return ReadPropAt(s, who, p, s.col, s.row);
}

}  // namespace internal

namespace {

int64_t ReadI(const GridState& s, const char* who, Prop p) { return AsInt(ReadProp(s, who, p)); }
double ReadD(const GridState& s, const char* who, Prop p) { return AsDouble(ReadProp(s, who, p)); }
std::string ReadS(const GridState& s, const char* who, Prop p) { return AsString(ReadProp(s, who, p)); }

void CheckRange(const char* who, const char* what, int64_t v, int64_t lo, int64_t hi) {
  if (v < lo || v > hi) {
    Fail(who, std::string(what) + " " + std::to_string(v) + " is outside " + std::to_string(lo) +
                  ".." + std::to_string(hi));
  }
}

void CheckFinite(const char* who, double v) {
  if (!std::isfinite(v)) Fail(who, "value is not a finite number");
}

int64_t PackBorder(int16_t style, Color color) {
  return (static_cast<int64_t>(style) << 32) | static_cast<uint32_t>(color);
}

}  // namespace

// ---- Cell kind and settings ------------------------------------------------------------
int16_t Grid::CellType() const { return static_cast<int16_t>(ReadI(*state_, "CellType", Prop::kKind)); }
void Grid::CellType(int16_t kind) {
  const bool known = (kind >= kCellDate && kind <= kCellCheckBox) || kind == kCellNumber;
  if (!known) Fail("CellType", "cell kind " + AddrText(kind) + " is not a kind of this grid");
  WriteProp(*state_, "CellType", Prop::kKind, int64_t{kind});
}

int16_t Grid::TypeHAlign() const { return static_cast<int16_t>(ReadI(*state_, "TypeHAlign", Prop::kHAlign)); }
void Grid::TypeHAlign(int16_t align) {
  CheckRange("TypeHAlign", "alignment", align, 0, 2);
  WriteProp(*state_, "TypeHAlign", Prop::kHAlign, int64_t{align});
}
int16_t Grid::TypeVAlign() const { return static_cast<int16_t>(ReadI(*state_, "TypeVAlign", Prop::kVAlign)); }
void Grid::TypeVAlign(int16_t align) {
  CheckRange("TypeVAlign", "alignment", align, 0, 2);
  WriteProp(*state_, "TypeVAlign", Prop::kVAlign, int64_t{align});
}
int32_t Grid::TypeMaxEditLen() const { return static_cast<int32_t>(ReadI(*state_, "TypeMaxEditLen", Prop::kMaxLen)); }
void Grid::TypeMaxEditLen(int32_t length) {
  CheckRange("TypeMaxEditLen", "length", length, 0, INT32_MAX);
  WriteProp(*state_, "TypeMaxEditLen", Prop::kMaxLen, int64_t{length});
}
int16_t Grid::TypeEditCharCase() const { return static_cast<int16_t>(ReadI(*state_, "TypeEditCharCase", Prop::kCharCase)); }
void Grid::TypeEditCharCase(int16_t charCase) {
  CheckRange("TypeEditCharCase", "case", charCase, 0, 2);
  WriteProp(*state_, "TypeEditCharCase", Prop::kCharCase, int64_t{charCase});
}
int16_t Grid::TypeEditCharSet() const { return static_cast<int16_t>(ReadI(*state_, "TypeEditCharSet", Prop::kCharSet)); }
void Grid::TypeEditCharSet(int16_t filter) {
  CheckRange("TypeEditCharSet", "character filter", filter, 0, 3);
  WriteProp(*state_, "TypeEditCharSet", Prop::kCharSet, int64_t{filter});
}
bool Grid::TypeEditMultiLine() const { return ReadI(*state_, "TypeEditMultiLine", Prop::kMultiLine) != 0; }
void Grid::TypeEditMultiLine(bool multiLine) {
  WriteProp(*state_, "TypeEditMultiLine", Prop::kMultiLine, int64_t{multiLine});
}
bool Grid::TypeEditPassword() const { return ReadI(*state_, "TypeEditPassword", Prop::kPassword) != 0; }
void Grid::TypeEditPassword(bool password) {
  WriteProp(*state_, "TypeEditPassword", Prop::kPassword, int64_t{password});
}

double Grid::TypeFloatMin() const { return ReadD(*state_, "TypeFloatMin", Prop::kFloatMin); }
void Grid::TypeFloatMin(double min) {
  CheckFinite("TypeFloatMin", min);
  WriteProp(*state_, "TypeFloatMin", Prop::kFloatMin, min);
}
double Grid::TypeFloatMax() const { return ReadD(*state_, "TypeFloatMax", Prop::kFloatMax); }
void Grid::TypeFloatMax(double max) {
  CheckFinite("TypeFloatMax", max);
  WriteProp(*state_, "TypeFloatMax", Prop::kFloatMax, max);
}
int16_t Grid::TypeFloatDecimalPlaces() const {
  return static_cast<int16_t>(ReadI(*state_, "TypeFloatDecimalPlaces", Prop::kFloatDec));
}
void Grid::TypeFloatDecimalPlaces(int16_t places) {
  CheckRange("TypeFloatDecimalPlaces", "decimal places", places, 0, 15);
  WriteProp(*state_, "TypeFloatDecimalPlaces", Prop::kFloatDec, int64_t{places});
}
bool Grid::TypeFloatSeparator() const { return ReadI(*state_, "TypeFloatSeparator", Prop::kFloatSep) != 0; }
void Grid::TypeFloatSeparator(bool separator) {
  WriteProp(*state_, "TypeFloatSeparator", Prop::kFloatSep, int64_t{separator});
}
bool Grid::TypeFloatMoney() const { return ReadI(*state_, "TypeFloatMoney", Prop::kFloatMoney) != 0; }
void Grid::TypeFloatMoney(bool money) { WriteProp(*state_, "TypeFloatMoney", Prop::kFloatMoney, int64_t{money}); }
int32_t Grid::TypeIntegerMin() const { return static_cast<int32_t>(ReadI(*state_, "TypeIntegerMin", Prop::kIntMin)); }
void Grid::TypeIntegerMin(int32_t min) { WriteProp(*state_, "TypeIntegerMin", Prop::kIntMin, int64_t{min}); }
int32_t Grid::TypeIntegerMax() const { return static_cast<int32_t>(ReadI(*state_, "TypeIntegerMax", Prop::kIntMax)); }
void Grid::TypeIntegerMax(int32_t max) { WriteProp(*state_, "TypeIntegerMax", Prop::kIntMax, int64_t{max}); }

// ---- Combo boxes -----------------------------------------------------------------------
std::string Grid::TypeComboBoxList() const { return ReadS(*state_, "TypeComboBoxList", Prop::kComboList); }
void Grid::TypeComboBoxList(std::string_view list) {
  WriteProp(*state_, "TypeComboBoxList", Prop::kComboList, std::string(list));
}
int32_t Grid::TypeComboBoxCount() const {
  return static_cast<int32_t>(ComboItems(TypeComboBoxList()).size());
}
int32_t Grid::TypeComboBoxIndex() const { return state_->combo_index; }
void Grid::TypeComboBoxIndex(int32_t index) {
  if (index < -1) Fail("TypeComboBoxIndex", "item index " + AddrText(index) + " is below -1");
  state_->combo_index = index;
}
std::string Grid::TypeComboBoxString() const {
  const std::string list = TypeComboBoxList();
  const auto items = ComboItems(list);
  const int32_t i = state_->combo_index;
  if (i < 0 || static_cast<size_t>(i) >= items.size()) return {};
  return std::string(items[static_cast<size_t>(i)]);
}
int32_t Grid::TypeComboBoxCurSel() const {
  const GridState& s = *state_;
  const Column& c = s.ColumnAt("TypeComboBoxCurSel", s.col);
  const uint32_t slot = s.SlotOf("TypeComboBoxCurSel", s.row);
  const std::string_view text = c.TextView(slot);
  if (text.empty()) return -1;
  const auto items = ComboItems(AsString(s.Resolve(Prop::kComboList, c, slot)));
  const auto it = std::find(items.begin(), items.end(), text);
  return it == items.end() ? -1 : static_cast<int32_t>(it - items.begin());
}
void Grid::TypeComboBoxCurSel(int32_t index) {
  GridState& s = *state_;
  const CellRange r = CurrentRange(s, "TypeComboBoxCurSel");
  const ChangeScope change(s, r);
  for (int32_t lr = r.row_lo; lr <= r.row_hi; ++lr) {
    const int32_t row = RowAddr(s, lr);
    const uint32_t slot = s.SlotOf("TypeComboBoxCurSel", row);
    for (int32_t lc = r.col_lo; lc <= r.col_hi; ++lc) {
      const int32_t col = ColAddr(s, lc);
      Column& c = s.ColumnAt("TypeComboBoxCurSel", col);
      const std::string list = AsString(s.Resolve(Prop::kComboList, c, slot));
      const auto items = ComboItems(list);
      if (index < -1 || index >= static_cast<int64_t>(items.size())) {
        Fail("TypeComboBoxCurSel", "item " + AddrText(index) + " is outside the list of " +
                                       std::to_string(items.size()) + " items at column " +
                                       AddrText(col) + ", row " + AddrText(row));
      }
      if (index == -1) {
        EraseValue(s, c, col >= 1, row >= 1 ? row : 0, slot);
      } else {
        const std::string item(items[static_cast<size_t>(index)]);
        EraseValue(s, c, col >= 1, row >= 1 ? row : 0, slot);
        StoreValue(s, c, col >= 1, row >= 1 ? row : 0, slot, item);
      }
    }
  }
}
bool Grid::TypeComboBoxEditable() const {
  return ReadI(*state_, "TypeComboBoxEditable", Prop::kComboEditable) != 0;
}
void Grid::TypeComboBoxEditable(bool editable) {
  WriteProp(*state_, "TypeComboBoxEditable", Prop::kComboEditable, int64_t{editable});
}

// ---- Check boxes, buttons, patterns, pictures, static, date, time ----------------------
std::string Grid::TypeCheckText() const { return ReadS(*state_, "TypeCheckText", Prop::kCheckText); }
void Grid::TypeCheckText(std::string_view text) {
  WriteProp(*state_, "TypeCheckText", Prop::kCheckText, std::string(text));
}
bool Grid::TypeCheckCenter() const { return ReadI(*state_, "TypeCheckCenter", Prop::kCheckCenter) != 0; }
void Grid::TypeCheckCenter(bool center) {
  WriteProp(*state_, "TypeCheckCenter", Prop::kCheckCenter, int64_t{center});
}
int16_t Grid::TypeCheckType() const { return static_cast<int16_t>(ReadI(*state_, "TypeCheckType", Prop::kCheckType)); }
void Grid::TypeCheckType(int16_t type) {
  CheckRange("TypeCheckType", "check box type", type, 0, 1);
  WriteProp(*state_, "TypeCheckType", Prop::kCheckType, int64_t{type});
}
std::string Grid::TypeButtonText() const { return ReadS(*state_, "TypeButtonText", Prop::kButtonText); }
void Grid::TypeButtonText(std::string_view text) {
  WriteProp(*state_, "TypeButtonText", Prop::kButtonText, std::string(text));
}
Color Grid::TypeButtonColor() const { return static_cast<Color>(ReadI(*state_, "TypeButtonColor", Prop::kButtonColor)); }
void Grid::TypeButtonColor(Color color) {
  WriteProp(*state_, "TypeButtonColor", Prop::kButtonColor, int64_t{color});
}
Color Grid::TypeButtonTextColor() const {
  return static_cast<Color>(ReadI(*state_, "TypeButtonTextColor", Prop::kButtonTextColor));
}
void Grid::TypeButtonTextColor(Color color) {
  WriteProp(*state_, "TypeButtonTextColor", Prop::kButtonTextColor, int64_t{color});
}
std::string Grid::TypePicMask() const { return ReadS(*state_, "TypePicMask", Prop::kPicMask); }
void Grid::TypePicMask(std::string_view mask) {
  WriteProp(*state_, "TypePicMask", Prop::kPicMask, std::string(mask));
}
std::string Grid::TypePictPicture() const { return ReadS(*state_, "TypePictPicture", Prop::kPicture); }
void Grid::TypePictPicture(std::string_view picture) {
  WriteProp(*state_, "TypePictPicture", Prop::kPicture, std::string(picture));
}
bool Grid::TypeTextWordWrap() const { return ReadI(*state_, "TypeTextWordWrap", Prop::kWordWrap) != 0; }
void Grid::TypeTextWordWrap(bool wrap) { WriteProp(*state_, "TypeTextWordWrap", Prop::kWordWrap, int64_t{wrap}); }
bool Grid::TypeDateCentury() const { return ReadI(*state_, "TypeDateCentury", Prop::kDateCentury) != 0; }
void Grid::TypeDateCentury(bool century) {
  WriteProp(*state_, "TypeDateCentury", Prop::kDateCentury, int64_t{century});
}
int16_t Grid::TypeDateFormat() const { return static_cast<int16_t>(ReadI(*state_, "TypeDateFormat", Prop::kDateFormat)); }
void Grid::TypeDateFormat(int16_t format) {
  WriteProp(*state_, "TypeDateFormat", Prop::kDateFormat, int64_t{format});
}
int16_t Grid::TypeDateSeparator() const {
  return static_cast<int16_t>(ReadI(*state_, "TypeDateSeparator", Prop::kDateSeparator));
}
void Grid::TypeDateSeparator(int16_t separator) {
  WriteProp(*state_, "TypeDateSeparator", Prop::kDateSeparator, int64_t{separator});
}
bool Grid::TypeTimeSeconds() const { return ReadI(*state_, "TypeTimeSeconds", Prop::kTimeSeconds) != 0; }
void Grid::TypeTimeSeconds(bool seconds) {
  WriteProp(*state_, "TypeTimeSeconds", Prop::kTimeSeconds, int64_t{seconds});
}

// ---- Lock, colours, fonts --------------------------------------------------------------
bool Grid::LockCells() const { return ReadI(*state_, "LockCells", Prop::kLock) != 0; }
void Grid::LockCells(bool locked) { WriteProp(*state_, "LockCells", Prop::kLock, int64_t{locked}); }
Color Grid::BackColor() const { return static_cast<Color>(ReadI(*state_, "BackColor", Prop::kBackColor)); }
void Grid::BackColor(Color color) { WriteProp(*state_, "BackColor", Prop::kBackColor, int64_t{color}); }
Color Grid::ForeColor() const { return static_cast<Color>(ReadI(*state_, "ForeColor", Prop::kForeColor)); }
void Grid::ForeColor(Color color) { WriteProp(*state_, "ForeColor", Prop::kForeColor, int64_t{color}); }
std::string Grid::FontName() const { return ReadS(*state_, "FontName", Prop::kFontName); }
void Grid::FontName(std::string_view name) { WriteProp(*state_, "FontName", Prop::kFontName, std::string(name)); }
float Grid::FontSize() const { return static_cast<float>(ReadD(*state_, "FontSize", Prop::kFontSize)); }
void Grid::FontSize(float size) {
  if (!(size > 0) || !std::isfinite(size)) Fail("FontSize", "font size must be a positive number");
  WriteProp(*state_, "FontSize", Prop::kFontSize, static_cast<double>(size));
}
bool Grid::FontBold() const { return ReadI(*state_, "FontBold", Prop::kFontBold) != 0; }
void Grid::FontBold(bool bold) { WriteProp(*state_, "FontBold", Prop::kFontBold, int64_t{bold}); }
bool Grid::FontItalic() const { return ReadI(*state_, "FontItalic", Prop::kFontItalic) != 0; }
void Grid::FontItalic(bool italic) { WriteProp(*state_, "FontItalic", Prop::kFontItalic, int64_t{italic}); }
bool Grid::FontUnderline() const { return ReadI(*state_, "FontUnderline", Prop::kFontUnderline) != 0; }
void Grid::FontUnderline(bool underline) {
  WriteProp(*state_, "FontUnderline", Prop::kFontUnderline, int64_t{underline});
}
bool Grid::FontStrikethru() const { return ReadI(*state_, "FontStrikethru", Prop::kFontStrike) != 0; }
void Grid::FontStrikethru(bool strikethru) {
  WriteProp(*state_, "FontStrikethru", Prop::kFontStrike, int64_t{strikethru});
}
int16_t Grid::FontCharSet() const { return static_cast<int16_t>(ReadI(*state_, "FontCharSet", Prop::kFontCharSet)); }
void Grid::FontCharSet(int16_t charset) {
  WriteProp(*state_, "FontCharSet", Prop::kFontCharSet, int64_t{charset});
}

GridFont Grid::Font() const {
  GridFont f;
  f.name = FontName();
  f.size = FontSize();
  f.bold = FontBold();
  f.italic = FontItalic();
  f.underline = FontUnderline();
  f.strikethru = FontStrikethru();
  f.charset = FontCharSet();
  return f;
}

void Grid::Font(const GridFont& font) {
  if (!(font.size > 0) || !std::isfinite(font.size)) Fail("Font", "font size must be a positive number");
  GridState& s = *state_;
  // Check the addresses once before writing anything, so a bad block changes nothing.
  (void)CurrentRange(s, "Font");
  WriteProp(s, "Font", Prop::kFontName, font.name);
  WriteProp(s, "Font", Prop::kFontSize, static_cast<double>(font.size));
  WriteProp(s, "Font", Prop::kFontBold, int64_t{font.bold});
  WriteProp(s, "Font", Prop::kFontItalic, int64_t{font.italic});
  WriteProp(s, "Font", Prop::kFontUnderline, int64_t{font.underline});
  WriteProp(s, "Font", Prop::kFontStrike, int64_t{font.strikethru});
  WriteProp(s, "Font", Prop::kFontCharSet, int64_t{font.charset});
}

// ---- Borders ---------------------------------------------------------------------------
void Grid::SetCellBorder(int32_t col, int32_t row, int32_t col2, int32_t row2, int16_t index,
                         Color color, int16_t style) {
  GridState& s = *state_;
  CheckRange("SetCellBorder", "border index", index, 0, 31);
  CheckRange("SetCellBorder", "border style", style, 0, 15);
  const CellRange r = MakeRange(s, "SetCellBorder", col, row, col2, row2);
  const int64_t v = PackBorder(style, color);
  const uint64_t stamp = s.Stamp();
  const struct {
    int16_t bit;
    Prop prop;
  } sides[] = {{kBorderLeft, Prop::kBorderLeft},
               {kBorderRight, Prop::kBorderRight},
               {kBorderTop, Prop::kBorderTop},
               {kBorderBottom, Prop::kBorderBottom}};
  for (const auto& side : sides) {
    if (index & side.bit) WritePropRange(s, "SetCellBorder", side.prop, v, col, row, col2, row2, stamp);
  }
  if ((index & kBorderOutline) && !r.empty()) {
    const int32_t first_col = ColAddr(s, r.col_lo), last_col = ColAddr(s, r.col_hi);
    const int32_t first_row = RowAddr(s, r.row_lo), last_row = RowAddr(s, r.row_hi);
    const bool all_rows = row == -1 || row2 == -1;
    const bool all_cols = col == -1 || col2 == -1;
    const int32_t rows_a = all_rows ? -1 : first_row, rows_b = all_rows ? -1 : last_row;
    const int32_t cols_a = all_cols ? -1 : first_col, cols_b = all_cols ? -1 : last_col;
    WritePropRange(s, "SetCellBorder", Prop::kBorderLeft, v, first_col, rows_a, first_col, rows_b, stamp);
    WritePropRange(s, "SetCellBorder", Prop::kBorderRight, v, last_col, rows_a, last_col, rows_b, stamp);
    WritePropRange(s, "SetCellBorder", Prop::kBorderTop, v, cols_a, first_row, cols_b, first_row, stamp);
    WritePropRange(s, "SetCellBorder", Prop::kBorderBottom, v, cols_a, last_row, cols_b, last_row, stamp);
  }
}

void Grid::GetCellBorder(int32_t col, int32_t row, int16_t index, Color& color, int16_t& style) const {
  Prop p;
  switch (index) {
    case kBorderLeft: p = Prop::kBorderLeft; break;
    case kBorderRight: p = Prop::kBorderRight; break;
    case kBorderTop: p = Prop::kBorderTop; break;
    case kBorderBottom: p = Prop::kBorderBottom; break;
    default: Fail("GetCellBorder", "border index " + AddrText(index) + " is not one side");
  }
  if (col == -1 || row == -1) Fail("GetCellBorder", "the address must name one cell");
  const int64_t v = AsInt(ReadPropAt(*state_, "GetCellBorder", p, col, row));
  color = static_cast<Color>(static_cast<uint32_t>(v & 0xFFFFFFFF));
  style = static_cast<int16_t>(v >> 32);
}

int16_t Grid::CellBorderType() const { return state_->border_type; }
void Grid::CellBorderType(int16_t index) {
  CheckRange("CellBorderType", "border index", index, 0, 31);
  state_->border_type = index;
}
int16_t Grid::CellBorderStyle() const { return state_->border_style; }
void Grid::CellBorderStyle(int16_t style) {
  CheckRange("CellBorderStyle", "border style", style, 0, 15);
  state_->border_style = style;
}
Color Grid::CellBorderColor() const { return state_->border_color; }
void Grid::CellBorderColor(Color color) { state_->border_color = color; }

// ---- Grid-wide colours -----------------------------------------------------------------
bool Grid::Protect() const { return state_->protect; }
void Grid::Protect(bool on) {
  state_->protect = on;
  NoteAllChanged(*state_, false);
}
Color Grid::LockBackColor() const { return state_->lock_back; }
void Grid::LockBackColor(Color color) {
  state_->lock_back = color;
  NoteAllChanged(*state_, false);
}
Color Grid::LockForeColor() const { return state_->lock_fore; }
void Grid::LockForeColor(Color color) {
  state_->lock_fore = color;
  NoteAllChanged(*state_, false);
}
Color Grid::SelBackColor() const { return state_->sel_back; }
void Grid::SelBackColor(Color color) {
  state_->sel_back = color;
  NoteAllChanged(*state_, false);
}
Color Grid::SelForeColor() const { return state_->sel_fore; }
void Grid::SelForeColor(Color color) {
  state_->sel_fore = color;
  NoteAllChanged(*state_, false);
}
Color Grid::GridColor() const { return state_->grid_color; }
void Grid::GridColor(Color color) {
  state_->grid_color = color;
  NoteAllChanged(*state_, false);
}
Color Grid::GrayAreaBackColor() const { return state_->gray_area; }
void Grid::GrayAreaBackColor(Color color) {
  state_->gray_area = color;
  NoteAllChanged(*state_, false);
}
Color Grid::HeaderBackColor() const { return state_->header_back; }
void Grid::HeaderBackColor(Color color) {
  state_->header_back = color;
  NoteAllChanged(*state_, false);
}
Color Grid::HeaderForeColor() const { return state_->header_fore; }
void Grid::HeaderForeColor(Color color) {
  state_->header_fore = color;
  NoteAllChanged(*state_, false);
}
int16_t Grid::BackColorStyle() const { return state_->back_color_style; }
void Grid::BackColorStyle(int16_t style) {
  CheckRange("BackColorStyle", "style", style, 0, 3);
  state_->back_color_style = style;
  NoteAllChanged(*state_, false);
}

void Grid::SetOddEvenRowColor(Color oddBack, Color oddFore, Color evenBack, Color evenFore) {
  GridState& s = *state_;
  s.odd_even_set = true;
  s.odd_back = oddBack;
  s.odd_fore = oddFore;
  s.even_back = evenBack;
  s.even_fore = evenFore;
  NoteAllChanged(s, false);
}

void Grid::GetOddEvenRowColor(Color& oddBack, Color& oddFore, Color& evenBack, Color& evenFore) const {
  const GridState& s = *state_;
  oddBack = s.odd_back;
  oddFore = s.odd_fore;
  evenBack = s.even_back;
  evenFore = s.even_fore;
}

void Grid::GetEffectiveColors(int32_t col, int32_t row, Color& back, Color& fore) const {
  CellLook look;
  GridView(*this).Cell(col, row, look);
  back = look.back;
  fore = look.fore;
}

}  // namespace zel
