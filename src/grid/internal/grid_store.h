// Inner state of zel::Grid, shared by the engine's source files (src/grid/*.cpp), including
// the layout file and export code that serialise it.
//
// Storage layout
// --------------
// Rows. Every row owns a *physical slot* (uint32). Data row r (1-based, logical) lives in
//   slot row_map[r - 1]; header row n lives in slot head_slots[n]. Everything that belongs to
//   a row is keyed by its slot: the cells of every column, cell formats, tags and notes, row
//   formats, heights, hidden flags and merge modes. Inserting or deleting a row therefore
//   moves 4 bytes per following row in row_map (a memmove), and a full-row sort only permutes
//   row_map. Slots of removed rows go to free_slots and are reused; Compact() renumbers the
//   slots (header rows first, then data rows in order) when too many are free.
// Columns. cols[0] is the row-header column 0, cols[c] data column c (1..MaxCols);
//   extra_head_cols[n - 1] is row-header column n (-1000 + n) for n >= 1. Each Column is a
//   heap object, so inserting, deleting or sorting whole columns moves pointers.
// Cells. Column::cells is indexed by slot; the cell format and the text arena are described in
//   cells.h.
// Formats. A Patch is a small sorted list of (property, stamp, value). The sheet level
//   (sheet_style) has every property; column patches live in Column::style, row patches in
//   row_styles[slot], cell patches in Column::cell_styles[slot]. Every write takes a new stamp
//   from next_stamp; the value of a property for a cell is the one with the highest stamp
//   among its cell, row, column and sheet patches. Stamps only grow; saving keeps them.
//   row_props and Column::cell_props hold the properties the row and cell patches may set, so
//   a lookup visits those maps only for a property somebody set at that level.
// Data extent. row_cells[slot] counts the non-empty cells of data columns in that slot (data
//   rows only); data_rows is a bitmap of the logical data rows whose count is non-zero and
//   data_row_cnt caches its highest set bit (DataRowCnt). Column::data_cells counts the
//   non-empty data-row cells of a column (DataColCnt scans the few columns).
// Spans are kept in logical coordinates in `spans` (span_table.h).
#pragma once

#include <bit>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <limits>
#include <map>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <variant>
#include <vector>

#include "zelsheet/grid.h"
#include "zelsheet/grid_view.h"
#include "grid/internal/cells.h"
#include "grid/internal/span_table.h"
#include "zelsheet/platform.h"

namespace zel::internal {

// ---- Formats -----------------------------------------------------------------------------
enum class Prop : uint8_t {
  kKind, kHAlign, kVAlign, kMaxLen, kCharCase, kCharSet, kMultiLine, kPassword,
  kFloatMin, kFloatMax, kFloatDec, kFloatSep, kFloatMoney, kIntMin, kIntMax,
  kComboList, kComboEditable, kCheckText, kCheckCenter, kCheckType,
  kButtonText, kButtonColor, kButtonTextColor, kPicMask, kPicture, kWordWrap,
  kDateCentury, kDateFormat, kDateSeparator, kTimeSeconds,
  kLock, kBackColor, kForeColor,
  kFontName, kFontSize, kFontBold, kFontItalic, kFontUnderline, kFontStrike, kFontCharSet,
  kBorderLeft, kBorderRight, kBorderTop, kBorderBottom,  // value: style << 32 | colour
  kCount
};
constexpr size_t kPropCount = static_cast<size_t>(Prop::kCount);
static_assert(kPropCount <= 64);

// A set of properties as bits (bit p for Prop p).
using PropBits = uint64_t;
constexpr PropBits kAllProps = ~PropBits{0};
constexpr PropBits PropBit(Prop p) { return PropBits{1} << static_cast<unsigned>(p); }

using PropValue = std::variant<int64_t, double, std::string>;

struct PatchEntry {
  Prop prop;
  uint64_t stamp;
  PropValue value;
};

// The properties written at one level, sorted by property.
class Patch {
 public:
  const PatchEntry* Find(Prop p) const;
  void Set(Prop p, uint64_t stamp, PropValue v);
  void Erase(Prop p);
  bool empty() const { return entries_.empty(); }
  const std::vector<PatchEntry>& entries() const { return entries_; }
  std::vector<PatchEntry>& entries() { return entries_; }

 private:
  std::vector<PatchEntry> entries_;
};

// Default value of every property (the sheet level of a new grid).
const PropValue& DefaultProp(Prop p);

// The cell formats of one column, by slot: a slot has no patch, its own patch, or a shared
// one. The records of a multi-row sheet give hundreds of thousands of cells the same few
// patches; those are kept once as shared patches and a slot names its shared patch by a
// 16-bit number in an array by slot, so repeating a record's formats costs an array write per
// cell and no allocation. Changing a shared slot's patch gives the slot its own copy first,
// so to every reader a slot's patch is its own.
// Slots in a given order: a list, or `count` slots in a row from `first` on (the rows of a
// grid that grew in order).
struct SlotRun {
  const std::vector<uint32_t>* list = nullptr;
  uint32_t first = 0;
  size_t count = 0;
  size_t size() const { return list != nullptr ? list->size() : count; }
  uint32_t operator[](size_t i) const { return list != nullptr ? (*list)[i] : first + static_cast<uint32_t>(i); }
};

class CellStyles {
 public:
  bool empty() const { return own_.empty() && shared_slots_ == 0; }
  const Patch* Find(uint32_t slot) const {
    // A slot with a shared patch has no own one: the array answers without a hash lookup.
    if (shared_slots_ != 0 && slot < shared_of_.size() && shared_of_[slot] != 0) return &shared_[shared_of_[slot] - 1];
    if (MayOwn(slot)) {
      if (auto it = own_.find(slot); it != own_.end()) return &it->second;
    }
    return nullptr;
  }
  // The slot's patch to change: its own, made from its shared one or empty when it has none.
  Patch& operator[](uint32_t slot);
  void erase(uint32_t slot);
  void clear() { *this = CellStyles(); }
  // Keeps the patches of `slots` alone, as erasing every other slot would (a shared one
  // becomes the slot's own).
  void KeepOnly(const std::vector<uint32_t>& slots);
  // Gives slot `to` what slot `from` has (nothing, a copy of its own patch, the same shared
  // patch).
  void Copy(uint32_t from, uint32_t to);
  // Calls f(slot, patch) for every slot with a patch, in no particular order.
  template <class F>
  void ForEach(F&& f) const {
    for (const auto& [slot, p] : own_) f(slot, p);
    if (shared_slots_ == 0) return;
    for (uint32_t slot = 0; slot < shared_of_.size(); ++slot) {
      if (shared_of_[slot] != 0) f(slot, shared_[shared_of_[slot] - 1]);
    }
  }
  // Lets `edit` change every patch once (a shared one stands for all its slots); the patches
  // it leaves empty go.
  void EditAll(const std::function<void(Patch&)>& edit);
  // The number of the slot's shared patch, 0 when it has none (then it may have its own).
  uint16_t SharedNumber(uint32_t slot) const {
    return shared_slots_ != 0 && slot < shared_of_.size() ? shared_of_[slot] : 0;
  }
  // Slot s becomes new_of[s]; a slot beyond new_of or mapped to UINT32_MAX goes.
  void Renumber(const std::vector<uint32_t>& new_of);
  // Shares slot `from`'s patch with `slots` (which lose theirs): they all name one shared
  // patch, and `from`'s own patch becomes that shared one. False, with nothing changed, when
  // `from` has no patch or no more patches can be shared (the caller then copies).
  bool ShareWith(uint32_t from, const std::vector<uint32_t>& slots);
  // ShareWith for a block of sources at once: slots[i] shares the patch of
  // from[i % from.size()], and is left as it is when that source has none. False, with
  // nothing changed, when no more patches can be shared.
  bool ShareBlock(const std::vector<uint32_t>& from, const SlotRun& slots);

 private:
  void Untag(uint32_t slot);
  // Whether the slot may have its own patch: its bit is set when it gets one and stays set,
  // so a slot without the bit needs no hash lookup.
  bool MayOwn(uint32_t slot) const {
    return slot / 64 < may_own_.size() && (may_own_[slot / 64] >> (slot % 64) & 1) != 0;
  }
  void MarkOwn(uint32_t slot);
  std::unordered_map<uint32_t, Patch> own_;
  std::vector<uint64_t> may_own_;    // bit by slot
  std::vector<Patch> shared_;
  std::vector<uint16_t> shared_of_;  // by slot: 0 none, n the shared patch n - 1
  size_t shared_slots_ = 0;          // slots with a shared patch
};

// ---- Columns -----------------------------------------------------------------------------
struct Column {
  CellArray cells;          // by slot
  // Cells at and beyond `written` were never written since `cells` was allocated, so they
  // are known empty without reading them: reading a fresh page would fault it in twice.
  uint32_t written = 0;
  TextArena arena;          // texts longer than Cell::kInlineMax
  size_t arena_garbage = 0;
  int64_t data_cells = 0;   // non-empty cells in data rows
  Patch style;              // column-level formats
  CellStyles cell_styles;   // by slot
  // The properties that may appear in cell_styles (supersets), for data-row cells and for
  // header-row cells apart: format lookups skip the per-cell map for any other property, so a
  // write to a column with a few formatted cells (its titles, say) costs what one to a plain
  // column does.
  PropBits cell_props = 0;
  PropBits head_cell_props = 0;
  std::unordered_map<uint32_t, std::string> tags;   // by slot
  std::unordered_map<uint32_t, std::string> notes;  // by slot
  int32_t item_data = 0;
  std::string id;
  double width = -1;  // < 0: the default width
  bool hidden = false;
  int16_t merge = kMergeNone;

  bool Empty(uint32_t slot) const { return slot >= written || slot >= cells.size() || cells[slot].empty(); }
  const Cell* At(uint32_t slot) const { return slot < cells.size() ? &cells[slot] : nullptr; }
  // The text of a text cell (empty view for empty and number cells).
  std::string_view TextView(uint32_t slot) const {
    if (slot >= cells.size()) return {};
    const Cell& c = cells[slot];
    switch (c.rep()) {
      case Cell::kInline: return {c.inline_data(), c.inline_size()};
      case Cell::kArena: return arena.View(c.arena_offset(), c.arena_size());
      default: return {};
    }
  }
  // Stores a text / number; returns whether the cell was empty before. "" empties.
  bool StoreText(uint32_t slot, std::string_view s) {
    // The most frequent write, 1..15 bytes into a cell that holds no long text, is done here
    // without a call; everything else goes the general way.
    if (s.size() - 1 < Cell::kInlineMax && slot < cells.size()) {
      Cell& c = cells[slot];
      bool was_empty = true;
      if (slot >= written) {
        written = slot + 1;
      } else {
        if (c.rep() == Cell::kArena) return StoreTextAnyway(slot, s);
        was_empty = c.empty();
      }
      c.set_inline(s);
      if (arena_garbage > kCompactAfter && arena_garbage * 2 > arena.size()) CompactArena();
      return was_empty;
    }
    return StoreTextAnyway(slot, s);
  }
  bool StoreNumber(uint32_t slot, double v);
  // Empties the cell; returns whether it held something.
  bool Erase(uint32_t slot);
  // Copies cell `from` of `src` into `slot` (any representation); returns was-empty.
  bool StoreCopy(uint32_t slot, const Column& src, uint32_t from);
  void CompactArena();
  // Resets the column to empty cells and no formats (keeps item data, width, id...).
  void ClearAll();

 private:
  // Garbage in the arena beyond which, once it is also half the arena, the arena is compacted.
  static constexpr size_t kCompactAfter = size_t{1} << 20;
  bool StoreTextAnyway(uint32_t slot, std::string_view s);
  void Release(const Cell& c);
  Cell& Grow(uint32_t slot);
};

// ---- Data extent bitmap -----------------------------------------------------------------
// Bit r - 1 set when logical data row r holds data.
class RowBits {
 public:
  void Resize(int32_t rows);
  void Set(int32_t row, bool on);
  bool Get(int32_t row) const;
  // Shift rows [row, size] one place up (inserting an empty bit at row, dropping the last).
  void InsertAt(int32_t row);
  // Shift rows [row + 1, size] one place down (dropping row, adding an empty last bit).
  void EraseAt(int32_t row);
  // Highest set row <= `limit`, 0 when none.
  int32_t LastSet(int32_t limit) const;
  void ClearAll();

 private:
  std::vector<uint64_t> words_;
  int32_t size_ = 0;
};

// ---- Selection --------------------------------------------------------------------------
struct Block {
  int32_t col, row, col2, row2;  // -1 pairs for whole rows / columns
};

struct InputState;

// ---- The model ---------------------------------------------------------------------------
// What the grid holds and every view shows: cells, formats, spans, the row map, sizes, and
// the grid-wide settings a layout image keeps. Loading an image replaces it whole; nothing in
// it says where the user or the sheet is (that is the session below).
struct GridModel {
  GridModel();

  // Size.
  int32_t max_rows = 0;
  int32_t max_cols = 0;
  // Rows.
  SlotVector row_map;                // data row r -> slot (index r - 1)
  std::vector<uint32_t> head_slots;  // header row n -> slot
  uint32_t slot_count = 0;
  std::vector<uint32_t> free_slots;
  SlotVector row_cells;              // by slot
  RowBits data_rows;
  int32_t data_row_cnt = 0;
  std::unordered_map<uint32_t, Patch> row_styles;
  // The properties that may appear in row_styles (supersets) for data rows and header rows,
  // as Column::cell_props: a coloured header row does not make every cell's kind a lookup.
  PropBits row_props = 0;
  PropBits head_row_props = 0;
  std::unordered_map<uint32_t, double> row_heights;
  std::unordered_set<uint32_t> hidden_rows;
  std::unordered_map<uint32_t, int16_t> row_merge;
  double default_row_height = Grid::kDefaultRowHeight;
  // Columns.
  std::vector<std::unique_ptr<Column>> cols;             // 0 and 1..max_cols
  std::vector<std::unique_ptr<Column>> extra_head_cols;  // row-header columns 1..
  double default_col_width = Grid::kDefaultColWidth;
  int32_t cols_frozen = 0, rows_frozen = 0;
  // Formats.
  Patch sheet_style;
  uint64_t next_stamp = 1;
  // Spans.
  SpanTable spans;
  // Grid-wide colours and switches.
  bool protect = true;
  Color lock_back = 0xFFFFFF, lock_fore = 0;
  Color sel_back = 0xC56A31, sel_fore = 0xFFFFFF;
  Color grid_color = 0xC0C0C0, gray_area = 0x808080;
  Color header_back = 0xC0C0C0, header_fore = 0;
  int16_t back_color_style = 0;
  bool odd_even_set = false;
  Color odd_back = 0xFFFFFF, odd_fore = 0, even_back = 0xFFFFFF, even_fore = 0;
  // How the user may work the grid.
  bool edit_mode_permanent = false, edit_mode_replace = false;
  int16_t operation_mode = 0;
  int16_t select_block_options = 15;
  bool allow_multi_blocks = false;
  // Stored pass-through settings.
  bool allow_cell_overflow = false, allow_drag_drop = false;
  int16_t button_draw_mode = 0, clipboard_options = 15;
  int16_t col_header_display = 2, row_header_display = 1;
  std::string cursor_icon;
  int16_t cursor_style = 0, cursor_type = 0;
  bool display_col_headers = true, display_row_headers = true;
  std::string float_currency = "\xE2\x82\xA9", float_decimal = ".", float_sep = ",";
  bool no_beep = false, no_border = false;
  int16_t border_style_grid = 1;
  bool process_tab = false;
  int16_t restrict_cols = 0, restrict_rows = 0;
  int16_t text_tip = 0;
  int32_t text_tip_delay = 500;
  std::string tip_font = "Arial";
  float tip_size = 9.0f;
  bool tip_bold = false, tip_italic = false;
  Color tip_back = 0xE1FFFF, tip_fore = 0;
  int16_t note_indicator = 0;
  bool fetch_cell_note = false;

  // ---- Addressing helpers (throw GridError naming `who`) ----
  int32_t head_rows() const { return static_cast<int32_t>(head_slots.size()); }
  int32_t head_cols() const { return static_cast<int32_t>(extra_head_cols.size()) + 1; }
  // A single column (0, 1..max_cols, -1000 + n). -1 refused.
  Column& ColumnAt(const char* who, int32_t col) {
    if (col >= 1 && col <= max_cols) return *cols[static_cast<size_t>(col)];
    return const_cast<Column&>(ColumnAtOther(who, col));
  }
  const Column& ColumnAt(const char* who, int32_t col) const {
    if (col >= 1 && col <= max_cols) return *cols[static_cast<size_t>(col)];
    return ColumnAtOther(who, col);
  }
  const Column& ColumnAtOther(const char* who, int32_t col) const;
  // A single row's slot (1..max_rows, 0, -1000 + n). -1 refused.
  uint32_t SlotOf(const char* who, int32_t row) const {
    if (row >= 1 && row <= max_rows) return row_map[static_cast<size_t>(row - 1)];
    return SlotOfOther(who, row);
  }
  uint32_t SlotOfOther(const char* who, int32_t row) const;
  // Checks without throwing.
  bool ValidCol(int32_t col) const;
  bool ValidRow(int32_t row) const;
  // Checks an address that may be -1.
  void CheckColAll(const char* who, int32_t col) const;
  void CheckRowAll(const char* who, int32_t row) const;

  // ---- Slots ----
  uint32_t NewSlot();
  // Empties everything keyed by `slot` (cells of every column, formats, tags, notes, height,
  // hidden, merge). `data_row` is its logical data row (0 for a header slot).
  void ClearSlot(uint32_t slot, int32_t data_row);
  void ReleaseSlot(uint32_t slot, int32_t data_row);
  // The row-keyed entries of `slot` (format, height, hidden, merge); `data`: a data row's
  // slot, which holds a row format only when some format was set on data rows.
  void EraseRowEntries(uint32_t slot, bool data);
  // ReleaseSlot for every data row, from the last up (the sheet is emptied: MaxRows 0, each
  // Display). Done a column at a time, with the counts of data cells set once at the end
  // instead of kept cell by cell. The caller then sizes row_map and the row bits.
  void ReleaseAllDataRows();
  void Compact();
  template <class F>
  void ForEachColumn(F&& f) {
    for (auto& c : cols) f(*c);
    for (auto& c : extra_head_cols) f(*c);
  }

  // ---- Data extent ----
  // Adjusts counts after a cell of column `c` (a data column when `data_col`) in `slot`
  // (logical data row `row`, 0 for a header row) became non-empty (+1) or empty (-1).
  void NoteCell(Column& c, bool data_col, int32_t row, uint32_t slot, int delta) {
    if (!data_col || row < 1) return;
    c.data_cells += delta;
    uint32_t& n = row_cells[slot];
    if (delta > 0) {
      if (n++ == 0) NoteRowFilled(row);
    } else if (n > 0 && --n == 0) {
      NoteRowEmptied(row);
    }
  }
  // Data row `row` got its first non-empty cell / lost its last one.
  void NoteRowFilled(int32_t row);
  void NoteRowEmptied(int32_t row);
  bool IsHeadSlot(uint32_t slot) const {
    for (uint32_t h : head_slots) if (h == slot) return true;
    return false;
  }
  void RecountRows(int32_t first, int32_t last);  // rebuild bits/counts for a row range
  void RefreshDataRowCnt();

  // ---- Formats ----
  // The sheet level holds every property in order, so its entry is found by index.
  const PatchEntry* SheetEntry(Prop p) const {
    const auto& e = sheet_style.entries();
    const size_t i = static_cast<size_t>(p);
    if (i < e.size() && e[i].prop == p) return &e[i];
    return sheet_style.Find(p);
  }
  const PropValue& Resolve(Prop p, const Column& c, uint32_t slot) const;
  const PropValue& ResolveColumn(Prop p, const Column& c) const;
  const PropValue& ResolveRow(Prop p, uint32_t slot) const;
  // The kind of a cell in a data row (header rows: HeadKindOf), read on every write: without
  // row or cell kinds in data rows it is the newer of the column's and the sheet's setting,
  // both the first entry of their patch.
  int16_t KindOf(const Column& c, uint32_t slot) const {
    if (!KindVariesByCell(c)) {
      const PatchEntry* best = SheetEntry(Prop::kKind);
      const auto& own = c.style.entries();
      if (!own.empty() && own.front().prop == Prop::kKind && own.front().stamp > best->stamp) best = &own.front();
      const int64_t* v = std::get_if<int64_t>(&best->value);
      return static_cast<int16_t>(v ? *v : int64_t{kCellEdit});
    }
    return KindOfAny(c, slot);
  }
  int16_t KindOfAny(const Column& c, uint32_t slot) const;
  // Whether a data row or cell may set a kind of its own in column c; when not, every data
  // cell of c has the same kind.
  bool KindVariesByCell(const Column& c) const {
    return ((c.cell_props | row_props) & PropBit(Prop::kKind)) && !(c.cell_styles.empty() && row_styles.empty());
  }
  // The kind of a cell in a header row. Header rows hold the columns' titles: a kind set for
  // whole columns or the whole sheet (a float column, say) must not turn a title into a
  // number, so only a kind set on the header row itself or on the header cell counts there;
  // without one the cell keeps its text as written.
  int16_t HeadKindOf(const Column& c, uint32_t slot) const;
  uint64_t Stamp() { return next_stamp++; }
};

// ---- The session -------------------------------------------------------------------------
// Where the sheet and the user are in the model, and what the grid is connected to: the
// property cursor (Col, Row, the block, the destination), the active cell, the scroll
// position and the painted area, the selection, the edit state, the parameters of actions,
// the services and the listeners. Loading a layout image keeps it (brought inside the new
// size).
struct GridSession {
  // The property cursor.
  int32_t col = 1, row = 1, col2 = 1, row2 = 1;
  bool block_mode = false;
  int32_t dest_col = 1, dest_row = 1;
  // Cursor, scroll and painting.
  int32_t active_col = 1, active_row = 1;
  int32_t top_row = 1, left_col = 1;
  bool redraw = true;
  int32_t viewport_w = 0, viewport_h = 0;
  // Editing state (the input part drives it; the rest of it is in grid_input.h, made when
  // the first input arrives).
  std::shared_ptr<InputState> input;
  bool change_made = false;
  bool edit_mode = false;
  int32_t sel_start = 0, sel_length = 0;
  std::string sel_text;
  // Selection.
  std::vector<Block> blocks;
  int32_t multi_sel_index = -1;  // -1: the last block
  int32_t sel_mode_index = 0;
  // Parameters of actions: sorting (Action 25), the border (Action 16), the combo item read.
  int16_t sort_by = kSortByRow;
  std::vector<int32_t> sort_keys;     // index n - 1
  std::vector<int16_t> sort_orders;   // index n - 1
  int16_t border_type = 0, border_style = 1;
  Color border_color = 0;
  int32_t combo_index = 0;
  // Services.
  intptr_t hwnd = 0;
  Clipboard* clipboard = nullptr;
  std::string own_clipboard;
  std::string last_row_copy;  // text of the last whole-row copy (for paste back)
  GridListener* listener = nullptr;
  // Change tracking: the counter every change moves, the one change listener, and the block
  // of changes gathered while ReDraw is off (pending_change is meaningful when has_pending).
  uint64_t change_count = 0;
  GridChangeListener* change_listener = nullptr;
  bool has_pending = false;
  GridChange pending_change;
};

// ---- Whole state ------------------------------------------------------------------------
// The engine's members work on both parts through this; what concerns only the model takes
// a GridModel.
struct GridState : GridModel, GridSession {};


// Small helpers.
[[noreturn]] void Fail(const char* who, const std::string& what);
std::string AddrText(int32_t v);
int64_t AsInt(const PropValue& v);
double AsDouble(const PropValue& v);
const std::string& AsString(const PropValue& v);

// The way to a grid's state for the engine's code that is not a Grid member, and for the
// engine's own tests.
struct GridAccess {
  static GridState& State(Grid& g) { return *g.state_; }
  static const GridState& State(const Grid& g) { return *g.state_; }
};
inline GridState& StateOf(Grid& g) { return GridAccess::State(g); }
inline const GridState& StateOf(const Grid& g) { return GridAccess::State(g); }

}  // namespace zel::internal
