// The read-only view: a cell's look with every format level applied, the visible layout of a
// viewport, hit-testing, and the change signal views repaint by.
//
// A look reads some twenty properties. Resolving each through the levels (sheet, column,
// row, cell) would search four patches per property; instead the view keeps, per column,
// the entries that decide each property at the sheet and column levels, and a cell only
// overlays its row's and its own patch when those may hold a look property at all. The
// per-column entries are taken again whenever the grid changed since (its change counter or
// its format stamps moved) or the column object is another one.
#include <algorithm>
#include <array>

#include "grid/internal/grid_ops.h"
#include "text/strings.h"

namespace zel {
using namespace internal;

namespace {

// The properties a look reads, in the order of the view's tables.
enum Look : uint8_t {
  kLookKind, kLookHAlign, kLookVAlign, kLookLock, kLookBack, kLookFore,
  kLookFontName, kLookFontSize, kLookBold, kLookItalic, kLookUnderline, kLookStrike, kLookCharSet,
  kLookCheckText, kLookCheckCenter, kLookButtonText, kLookButtonColor, kLookButtonTextColor,
  kLookPassword, kLookMultiLine, kLookWordWrap, kLookFloatDec, kLookFloatSep, kLookFloatMoney,
  kLookCount
};
constexpr std::array<Prop, kLookCount> kLookProps = {
    Prop::kKind, Prop::kHAlign, Prop::kVAlign, Prop::kLock, Prop::kBackColor, Prop::kForeColor,
    Prop::kFontName, Prop::kFontSize, Prop::kFontBold, Prop::kFontItalic, Prop::kFontUnderline,
    Prop::kFontStrike, Prop::kFontCharSet, Prop::kCheckText, Prop::kCheckCenter, Prop::kButtonText,
    Prop::kButtonColor, Prop::kButtonTextColor, Prop::kPassword, Prop::kMultiLine, Prop::kWordWrap,
    Prop::kFloatDec, Prop::kFloatSep, Prop::kFloatMoney};
constexpr uint8_t kNotLook = 0xFF;
constexpr std::array<uint8_t, kPropCount> kLookOf = [] {
  std::array<uint8_t, kPropCount> t{};
  t.fill(kNotLook);
  for (uint8_t i = 0; i < kLookCount; ++i) t[static_cast<size_t>(kLookProps[i])] = i;
  return t;
}();
constexpr PropBits kLookBits = [] {
  PropBits b = 0;
  for (Prop p : kLookProps) b |= PropBit(p);
  return b;
}();

using Entries = std::array<const PatchEntry*, kLookCount>;

// Lets the newer settings of `patch` decide.
void Overlay(Entries& e, const Patch& patch) {
  for (const PatchEntry& pe : patch.entries()) {
    const uint8_t i = kLookOf[static_cast<size_t>(pe.prop)];
    if (i != kNotLook && pe.stamp > e[i]->stamp) e[i] = &pe;
  }
}

const Patch* Find(const std::unordered_map<uint32_t, Patch>& patches, uint32_t slot) {
  auto it = patches.find(slot);
  return it == patches.end() ? nullptr : &it->second;
}
const Patch* Find(const CellStyles& patches, uint32_t slot) { return patches.Find(slot); }

// The newest setting of `p` among the levels that count for a header cell: the cell, its
// row and, for a row-header column, its column. Null when none of them sets it.
const PatchEntry* HeaderSetting(Prop p, const Column& c, bool headerColumn, const Patch* row,
                                const Patch* cell) {
  const PatchEntry* best = headerColumn ? c.style.Find(p) : nullptr;
  for (const Patch* patch : {row, cell}) {
    if (!patch) continue;
    if (const PatchEntry* e = patch->Find(p); e && (!best || e->stamp > best->stamp)) best = e;
  }
  return best;
}

// Copies `from` unless `to` holds it already: a painter reads cell after cell of one font.
void CopyText(std::string& to, const std::string& from) {
  if (to.size() == from.size()) {
    size_t i = 0;
    while (i < to.size() && to[i] == from[i]) ++i;
    if (i == to.size()) return;
  }
  to.assign(from.data(), from.size());
}

Color ColorOf(const PatchEntry* e) { return static_cast<Color>(AsInt(e->value)); }

// The settings a look takes from the deciding entries, read out of their values once.
struct Settings {
  int16_t kind, h_align, v_align, charset;
  bool locked, word_wrap, multi_line, password, check_center, bold, italic, underline, strike;
  float font_size;
  Color back, fore, button_color, button_text_color;
  bool own_back, own_fore;  // set at some level below the sheet
  FloatFormat float_format;
  const std::string* font_name;
  const std::string* check_text;
  const std::string* button_text;
};

Settings Read(const GridState& s, const Entries& e) {
  auto num = [&e](Look l) { return AsInt(e[l]->value); };
  Settings t;
  t.kind = static_cast<int16_t>(num(kLookKind));
  t.h_align = static_cast<int16_t>(num(kLookHAlign));
  t.v_align = static_cast<int16_t>(num(kLookVAlign));
  t.charset = static_cast<int16_t>(num(kLookCharSet));
  t.locked = num(kLookLock) != 0;
  t.word_wrap = num(kLookWordWrap) != 0;
  t.multi_line = num(kLookMultiLine) != 0;
  t.password = num(kLookPassword) != 0;
  t.check_center = num(kLookCheckCenter) != 0;
  t.bold = num(kLookBold) != 0;
  t.italic = num(kLookItalic) != 0;
  t.underline = num(kLookUnderline) != 0;
  t.strike = num(kLookStrike) != 0;
  t.font_size = static_cast<float>(AsDouble(e[kLookFontSize]->value));
  t.back = ColorOf(e[kLookBack]);
  t.fore = ColorOf(e[kLookFore]);
  t.button_color = static_cast<Color>(num(kLookButtonColor));
  t.button_text_color = static_cast<Color>(num(kLookButtonTextColor));
  t.float_format.decimals = static_cast<int>(std::clamp<int64_t>(num(kLookFloatDec), 0, 15));
  t.float_format.separator = num(kLookFloatSep) != 0;
  t.float_format.money = num(kLookFloatMoney) != 0;
  t.own_back = e[kLookBack] != s.SheetEntry(Prop::kBackColor);
  t.own_fore = e[kLookFore] != s.SheetEntry(Prop::kForeColor);
  t.font_name = &AsString(e[kLookFontName]->value);
  t.check_text = &AsString(e[kLookCheckText]->value);
  t.button_text = &AsString(e[kLookButtonText]->value);
  return t;
}

}  // namespace

struct GridView::Cache {
  // What the sheet and a column set, for every cell of that column.
  struct Column {
    const internal::Column* column = nullptr;
    uint64_t change = 0;
    uint64_t stamp = 0;
    Entries entries{};
    Settings settings{};
  };
  std::vector<Column> cols;  // by linear column position, the row-header columns first
  // The format patch of the row read last: a painter reads a row's cells one after another.
  uint32_t row_slot = 0;
  uint64_t row_change = 0;
  uint64_t row_stamp = 0;
  const Patch* row_patch = nullptr;
};

GridView::GridView(const Grid& grid) : grid_(grid), cache_(std::make_unique<Cache>()) {}
GridView::~GridView() = default;

void GridView::Cell(int32_t col, int32_t row, CellLook& out) const {
  const GridState& s = StateOf(grid_);
  const Column& c = s.ColumnAt("GridView::Cell", col);
  const uint32_t slot = s.SlotOf("GridView::Cell", row);
  const bool head_row = row < 1;
  const bool head_col = col < 1;
  Cache& cache = *cache_;

  // The sheet's and the column's settings, kept per column.
  const size_t at = static_cast<size_t>(LinCol(s, col) + s.head_cols() - 1);
  if (at >= cache.cols.size()) cache.cols.resize(at + 1);
  Cache::Column& base = cache.cols[at];
  if (base.column != &c || base.change != s.change_count || base.stamp != s.next_stamp) {
    for (uint8_t i = 0; i < kLookCount; ++i) base.entries[i] = s.SheetEntry(kLookProps[i]);
    Overlay(base.entries, c.style);
    base.settings = Read(s, base.entries);
    base.column = &c;
    base.change = s.change_count;
    base.stamp = s.next_stamp;
  }
  // The row's and the cell's own settings, where they may hold a look property.
  const Patch* row_patch = nullptr;
  if (((head_row ? s.head_row_props : s.row_props) & kLookBits) && !s.row_styles.empty()) {
    if (cache.row_slot != slot || cache.row_change != s.change_count || cache.row_stamp != s.next_stamp) {
      cache.row_patch = Find(s.row_styles, slot);
      cache.row_slot = slot;
      cache.row_change = s.change_count;
      cache.row_stamp = s.next_stamp;
    }
    row_patch = cache.row_patch;
  }
  const PropBits cell_bits = head_row ? c.head_cell_props : c.cell_props;
  const Patch* cell_patch = (cell_bits & kLookBits) && !c.cell_styles.empty() ? Find(c.cell_styles, slot) : nullptr;
  Settings own;
  const Settings* t = &base.settings;
  if (row_patch || cell_patch) {
    Entries local = base.entries;
    if (row_patch) Overlay(local, *row_patch);
    if (cell_patch) Overlay(local, *cell_patch);
    own = Read(s, local);
    t = &own;
  }

  out.kind = head_row ? s.HeadKindOf(c, slot) : t->kind;
  out.h_align = t->h_align;
  out.v_align = t->v_align;
  out.locked = t->locked;
  out.protect = s.protect;
  out.wrap = (out.kind == kCellStatic && t->word_wrap) || (out.kind == kCellEdit && t->multi_line);
  CopyText(out.font.name, *t->font_name);
  out.font.size = t->font_size;
  out.font.bold = t->bold;
  out.font.italic = t->italic;
  out.font.underline = t->underline;
  out.font.strikethru = t->strike;
  out.font.charset = t->charset;

  // What it shows.
  const internal::Cell* cell = c.At(slot);
  if (cell && cell->rep() == internal::Cell::kNumber && (out.kind == kCellFloat || out.kind == kCellNumber)) {
    FormatFloat(s, t->float_format, cell->number(), out.text);
  } else {
    ShownText(s, c, slot, out.text);
  }
  if (out.text.empty() && (head_row || head_col)) AutoLabel(s, col, row, out.text);
  out.checked = false;
  out.check_center = false;
  if (out.kind != kCellCheckBox && out.kind != kCellButton) out.caption.clear();
  out.button_color = 0;
  out.button_text_color = 0;
  switch (out.kind) {
    case kCellCheckBox:
      out.checked = out.text.size() == 1 && out.text[0] == '1';
      out.check_center = t->check_center;
      CopyText(out.caption, *t->check_text);
      break;
    case kCellButton:
      CopyText(out.caption, *t->button_text);
      out.button_color = t->button_color;
      out.button_text_color = t->button_text_color;
      break;
    case kCellEdit:
      if (t->password && !out.text.empty()) out.text.assign(static_cast<size_t>(text::Len(out.text)), '*');
      break;
    default:
      break;
  }

  // Where it stands.
  out.span_col = col;
  out.span_row = row;
  out.span_cols = 1;
  out.span_rows = 1;
  if (!s.spans.empty()) grid_.GetCellSpan(col, row, out.span_col, out.span_row, out.span_cols, out.span_rows);
  out.merged_up = false;
  out.merged_left = false;
  if (c.merge != kMergeNone) out.merged_up = JoinsAbove(s, col, row);
  if (!s.row_merge.empty() && !out.merged_up && !JoinsAbove(s, col, row + 1)) out.merged_left = JoinsLeft(s, col, row);
  out.hidden = c.hidden || (!s.hidden_rows.empty() && s.hidden_rows.count(slot) > 0);
  out.active = col == s.active_col && row == s.active_row;
  out.selected = false;
  if (!head_row && !head_col) {
    for (const Block& b : s.blocks) {
      if (BlockContains(s, b, col, row)) {
        out.selected = true;
        break;
      }
    }
  }

  // Its colours.
  if (head_row || head_col) {
    const PatchEntry* back = HeaderSetting(Prop::kBackColor, c, head_col, row_patch, cell_patch);
    const PatchEntry* fore = HeaderSetting(Prop::kForeColor, c, head_col, row_patch, cell_patch);
    out.back = back ? ColorOf(back) : s.header_back;
    out.fore = fore ? ColorOf(fore) : s.header_fore;
    return;
  }
  if (out.selected) {
    out.back = s.sel_back;
    out.fore = s.sel_fore;
    return;
  }
  out.back = t->back;
  out.fore = t->fore;
  // Where no level set a colour, the alternate row colours; else the locked-cell colours.
  if (s.odd_even_set) {
    const bool odd = row % 2 == 1;
    if (!t->own_back) out.back = odd ? s.odd_back : s.even_back;
    if (!t->own_fore) out.fore = odd ? s.odd_fore : s.even_fore;
  } else if (s.protect && out.locked) {
    if (!t->own_back) out.back = s.lock_back;
    if (!t->own_fore) out.fore = s.lock_fore;
  }
}

void GridView::ComboItems(int32_t col, int32_t row, std::vector<std::string>& out) const {
  const GridState& s = StateOf(grid_);
  const Column& c = s.ColumnAt("GridView::ComboItems", col);
  const uint32_t slot = s.SlotOf("GridView::ComboItems", row);
  out.clear();
  for (std::string_view item : internal::ComboItems(AsString(s.Resolve(Prop::kComboList, c, slot)))) {
    out.emplace_back(item);
  }
}

void GridView::Layout(const GridViewport& viewport, VisibleLayout& out) const {
  ComputeLayout(StateOf(grid_), viewport, out);
}

GridViewport GridView::SessionViewport() const {
  const GridState& s = StateOf(grid_);
  return GridViewport{s.viewport_w, s.viewport_h, s.top_row, s.left_col};
}

GridHit HitTest(const VisibleLayout& layout, int32_t x, int32_t y, int32_t borderSlack) {
  GridHit hit;
  if (x < 0 || y < 0 || x >= layout.width || y >= layout.height) return hit;
  const LayoutLine* c = LineAt(layout.cols, x);
  const LayoutLine* r = LineAt(layout.rows, y);
  hit.col = c ? c->index : -1;
  hit.row = r ? r->index : -1;
  const bool head_row = r && r->area == LayoutLine::kHeader;
  const bool head_col = c && c->area == LayoutLine::kHeader;
  // The line whose far edge lies within the slack of `pos`.
  auto edge = [borderSlack](const std::vector<LayoutLine>& lines, int32_t pos) -> const LayoutLine* {
    const int64_t slack = std::max(borderSlack, 0);
    for (const LayoutLine* l : {LineAt(lines, pos), LineAt(lines, static_cast<int32_t>(std::max<int64_t>(pos - slack, 0)))}) {
      if (!l) continue;
      const int64_t end = int64_t{l->pos} + l->size;
      if (pos >= end - slack && pos < end + slack) return l;
    }
    return nullptr;
  };
  if (head_row) {
    if (const LayoutLine* l = edge(layout.cols, x)) {
      hit.part = GridHit::kColBorder;
      hit.col = l->index;
      return hit;
    }
  }
  if (head_col) {
    if (const LayoutLine* l = edge(layout.rows, y)) {
      hit.part = GridHit::kRowBorder;
      hit.row = l->index;
      return hit;
    }
  }
  if (!c || !r) {
    hit.part = GridHit::kEmpty;
  } else if (head_row && head_col) {
    hit.part = GridHit::kCorner;
  } else if (head_row) {
    hit.part = GridHit::kColHeader;
  } else if (head_col) {
    hit.part = GridHit::kRowHeader;
  } else {
    hit.part = GridHit::kCell;
  }
  return hit;
}

// ---- Change tracking -----------------------------------------------------------------------
namespace internal {

namespace {

// The smallest span of one axis covering [a1, a2] and [b1, b2] (addresses; -1 for all).
void Cover(int32_t& a1, int32_t& a2, int32_t b1, int32_t b2, int32_t (*lin)(const GridState&, int32_t),
           int32_t (*addr)(const GridState&, int32_t), const GridState& s) {
  if (a1 == -1 || a2 == -1 || b1 == -1 || b2 == -1) {
    a1 = a2 = -1;
    return;
  }
  const int32_t lo = std::min({lin(s, a1), lin(s, a2), lin(s, b1), lin(s, b2)});
  const int32_t hi = std::max({lin(s, a1), lin(s, a2), lin(s, b1), lin(s, b2)});
  a1 = addr(s, lo);
  a2 = addr(s, hi);
}

}  // namespace

void TellChange(GridState& s, const GridChange& change) {
  if (s.redraw && !s.has_pending) {
    s.change_listener->GridChanged(change);
    return;
  }
  if (!s.has_pending) {
    s.pending_change = change;
    s.has_pending = true;
  } else {
    GridChange& p = s.pending_change;
    Cover(p.col1, p.col2, change.col1, change.col2, LinCol, ColAddr, s);
    Cover(p.row1, p.row2, change.row1, change.row2, LinRow, RowAddr, s);
    p.layout = p.layout || change.layout;
    p.count = change.count;
  }
  if (s.redraw) FlushChanges(s);
}

void FlushChanges(GridState& s) {
  if (!s.has_pending) return;
  s.has_pending = false;
  if (s.change_listener) s.change_listener->GridChanged(s.pending_change);
}

}  // namespace internal

uint64_t Grid::ChangeCount() const { return state_->change_count; }

void Grid::SetChangeListener(GridChangeListener* listener) {
  state_->change_listener = listener;
  state_->has_pending = false;
}

}  // namespace zel
