// The grid's own file image: writer and reader.
//
// Format (all integers little-endian; v = unsigned LEB128 varint of at most 10 bytes;
// z = zigzag-encoded signed varint; f64 = IEEE double, 8 bytes; str = v length, then bytes)
//
//   image     := header body crc:u32
//   header    := magic:"ZELGRID\x1A" version:u16 flags:u16 body_length:u64      (20 bytes)
//                  version 1; flags bit 0 = data-only image; other bits 0
//   crc       := CRC-32 (the polynomial of zip and PNG) of header and body
//   body      := sizes settings formats? rows columns spans       (nothing may follow)
//   sizes     := max_rows:v max_cols:v head_rows:v head_cols:v
//   settings  := count:v (id:v value)*       grid-wide settings, ids in SettingTable();
//                                            unknown ids are skipped (a newer writer's)
//   value     := 0 z | 1 f64 | 2 str         (type byte, then the payload)
//   formats   := next_stamp:v sheet:patch   (full images only)
//   patch     := count:v (prop:u8 stamp:v value)*   props strictly increasing, each value
//                                            of its property's type, stamp < next_stamp
//   rows      := count:v (gap:v rflags:u8 [height:f64] [merge:z] [style:patch])*
//                  rflags bit 0 height, 1 hidden, 2 merge, 3 style (full only)
//   columns   := column * (max_cols + head_cols): column 0, data columns 1..max_cols, then
//                row-header columns 1..head_cols-1
//   column    := item_data:z id:str width:f64 cflags:u8 merge:z [style:patch]
//                cells tags notes [cell_styles]            ([...] in full images only)
//                  cflags bit 0 hidden; width < 0 means the default width
//   cells     := count:v (gap:v (1 text:str | 3 number:f64))*   texts are not empty
//   tags      := count:v (gap:v text:str)*          (notes the same)
//   cell_styles := count:v (gap:v patch)*
//   spans     := count:v (aflags:u8 row:v col:v num_cols:v num_rows:v)*
//                  aflags bit 0: row in the header area (header row index), bit 1: col in
//                  the header area (row-header column index); spans stay inside their area
//                  and do not overlap
//
// Rows are referred to by their place in the grid: header rows 0..head_rows-1 first, then
// data rows 1..max_rows as head_rows..head_rows+max_rows-1. A list keyed by rows is in
// increasing order and stores gaps: the first entry's gap is its row reference, each next
// one's the distance to the previous minus one.
//
// Worked example: a full image of a grid of 1 data row and 2 data columns whose cell (1, 1)
// holds "가" and whose other settings are the defaults starts with
//   5A 45 4C 47 52 49 44 1A  01 00  00 00  <body length, 8 bytes>     header
//   01 02 01 01                                                       sizes
// and column 1 (after column 0) reads
//   00 00 <width: 00 00 00 00 00 00 F0 BF = -1.0> 00 00 <style patch: 00>
//   01 01 01 03 EA B0 80  00  00  00
// i.e. item data 0, no id, default width, not hidden, no merge, an empty patch, one cell at
// row reference 1 (header row 0 is reference 0) holding the 3-byte text, no tags, no notes,
// no cell styles.
#include "grid/internal/layout_image.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <map>
#include <new>
#include <queue>
#include <stdexcept>
#include <variant>

#include "grid/internal/file_io.h"
#include "grid/internal/grid_ops.h"
#include "grid/internal/grid_store.h"

namespace zel::internal {

namespace {

constexpr char kMagic[8] = {'Z', 'E', 'L', 'G', 'R', 'I', 'D', '\x1A'};
constexpr uint16_t kVersion = 1;
constexpr uint16_t kFlagDataOnly = 1;
constexpr uint32_t kNoRef = std::numeric_limits<uint32_t>::max();

enum ValueType : uint8_t { kTypeInt = 0, kTypeDouble = 1, kTypeString = 2 };
enum CellCode : uint8_t { kCodeText = 1, kCodeNumber = 3 };
enum RowFlags : uint8_t { kRowHeight = 1, kRowHidden = 2, kRowMerge = 4, kRowStyle = 8 };
enum ColFlags : uint8_t { kColHidden = 1 };
enum AreaFlags : uint8_t { kAreaHeadRow = 1, kAreaHeadCol = 2 };

// ---- Checksum -----------------------------------------------------------------------------
constexpr std::array<uint32_t, 256> MakeCrcTable() {
  std::array<uint32_t, 256> t{};
  for (uint32_t i = 0; i < 256; ++i) {
    uint32_t c = i;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    t[i] = c;
  }
  return t;
}
constexpr std::array<uint32_t, 256> kCrcTable = MakeCrcTable();

uint32_t Crc32(std::string_view bytes) {
  uint32_t c = 0xFFFFFFFFu;
  for (unsigned char b : bytes) c = kCrcTable[(c ^ b) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

// ---- Grid-wide settings -------------------------------------------------------------------
// Each setting has a fixed id (never reused), whether a data-only image keeps it (layout) and
// the range a loaded value must lie in.
using FieldPtr = std::variant<bool GridModel::*, int16_t GridModel::*, int32_t GridModel::*,
                              float GridModel::*, double GridModel::*, std::string GridModel::*>;

struct Setting {
  uint16_t id;
  bool layout;
  FieldPtr field;
  double lo = -std::numeric_limits<double>::infinity();
  double hi = std::numeric_limits<double>::infinity();
  bool non_empty = false;  // strings only
};

const std::vector<Setting>& SettingTable() {
  using S = GridModel;
  constexpr double kInf = std::numeric_limits<double>::infinity();
  static const std::vector<Setting> kTable = {
      // Layout: frozen counts are clamped to the loaded size afterwards. Ids 1 to 4 held the
      // scroll position and the active cell, which are the session's, not the image's: an
      // image that has them is read without them.
      {5, true, &S::cols_frozen},
      {6, true, &S::rows_frozen},
      {7, true, &S::default_row_height, 0, kInf},
      {8, true, &S::default_col_width, 0, kInf},
      // Behaviour and appearance.
      {20, false, &S::edit_mode_permanent},
      {21, false, &S::edit_mode_replace},
      {22, false, &S::operation_mode, 0, 5},
      {23, false, &S::select_block_options, 0, 15},
      {24, false, &S::allow_multi_blocks},
      {25, false, &S::protect},
      {26, false, &S::lock_back},
      {27, false, &S::lock_fore},
      {28, false, &S::sel_back},
      {29, false, &S::sel_fore},
      {30, false, &S::grid_color},
      {31, false, &S::gray_area},
      {32, false, &S::header_back},
      {33, false, &S::header_fore},
      {34, false, &S::back_color_style},
      {35, false, &S::odd_even_set},
      {36, false, &S::odd_back},
      {37, false, &S::odd_fore},
      {38, false, &S::even_back},
      {39, false, &S::even_fore},
      {40, false, &S::allow_cell_overflow},
      {41, false, &S::allow_drag_drop},
      {42, false, &S::button_draw_mode},
      {43, false, &S::clipboard_options},
      {44, false, &S::col_header_display, 0, 2},
      {45, false, &S::row_header_display, 0, 2},
      {46, false, &S::cursor_icon},
      {47, false, &S::cursor_style},
      {48, false, &S::cursor_type},
      {49, false, &S::display_col_headers},
      {50, false, &S::display_row_headers},
      {51, false, &S::float_currency},
      {52, false, &S::float_decimal, -kInf, kInf, true},
      {53, false, &S::float_sep},
      {54, false, &S::no_beep},
      {55, false, &S::no_border},
      {56, false, &S::border_style_grid},
      {57, false, &S::process_tab},
      {58, false, &S::restrict_cols},
      {59, false, &S::restrict_rows},
      {60, false, &S::text_tip, 0, 4},
      {61, false, &S::text_tip_delay, 0, kInf},
      {62, false, &S::tip_font},
      {63, false, &S::tip_size, 1e-3, 1e4},
      {64, false, &S::tip_bold},
      {65, false, &S::tip_italic},
      {66, false, &S::tip_back},
      {67, false, &S::tip_fore},
      {68, false, &S::note_indicator},
      {69, false, &S::fetch_cell_note},
  };
  return kTable;
}

// ---- Writer -------------------------------------------------------------------------------
class ImageWriter {
 public:
  std::string& bytes() { return out_; }

  void U8(uint8_t v) { out_.push_back(static_cast<char>(v)); }
  void Fixed(uint64_t v, int n) {
    for (int i = 0; i < n; ++i) out_.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
  }
  void Var(uint64_t v) {
    while (v >= 0x80) {
      out_.push_back(static_cast<char>((v & 0x7F) | 0x80));
      v >>= 7;
    }
    out_.push_back(static_cast<char>(v));
  }
  void Zig(int64_t v) { Var((static_cast<uint64_t>(v) << 1) ^ static_cast<uint64_t>(v >> 63)); }
  void F64(double d) {
    uint64_t v;
    std::memcpy(&v, &d, 8);
    Fixed(v, 8);
  }
  void Str(std::string_view s) {
    Var(s.size());
    out_.append(s);
  }
  void Value(const PropValue& v) {
    if (const auto* i = std::get_if<int64_t>(&v)) {
      U8(kTypeInt);
      Zig(*i);
    } else if (const auto* d = std::get_if<double>(&v)) {
      U8(kTypeDouble);
      F64(*d);
    } else {
      U8(kTypeString);
      Str(std::get<std::string>(v));
    }
  }
  void PatchOf(const Patch& p) {
    Var(p.entries().size());
    for (const PatchEntry& e : p.entries()) {
      U8(static_cast<uint8_t>(e.prop));
      Var(e.stamp);
      Value(e.value);
    }
  }

 private:
  std::string out_;
};

// Row references of the grid being written: slot -> reference and back.
struct RowRefs {
  std::vector<uint32_t> slot_of_ref;
  std::vector<uint32_t> ref_of_slot;

  explicit RowRefs(const GridModel& s) {
    slot_of_ref.reserve(s.head_slots.size() + s.row_map.size());
    slot_of_ref.insert(slot_of_ref.end(), s.head_slots.begin(), s.head_slots.end());
    slot_of_ref.insert(slot_of_ref.end(), s.row_map.begin(), s.row_map.end());
    ref_of_slot.assign(s.slot_count, kNoRef);
    for (uint32_t r = 0; r < slot_of_ref.size(); ++r) ref_of_slot[slot_of_ref[r]] = r;
  }
  // The entries of a slot-keyed map in row order, as (reference, value) pairs.
  template <class Map>
  auto InRowOrder(const Map& m) const {
    std::vector<std::pair<uint32_t, const typename Map::mapped_type*>> out;
    out.reserve(m.size());
    for (const auto& [slot, v] : m) {
      if (slot < ref_of_slot.size() && ref_of_slot[slot] != kNoRef) out.emplace_back(ref_of_slot[slot], &v);
    }
    std::sort(out.begin(), out.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    return out;
  }
  auto InRowOrder(const CellStyles& m) const {
    std::vector<std::pair<uint32_t, const Patch*>> out;
    m.ForEach([&](uint32_t slot, const Patch& p) {
      if (slot < ref_of_slot.size() && ref_of_slot[slot] != kNoRef) out.emplace_back(ref_of_slot[slot], &p);
    });
    std::sort(out.begin(), out.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    return out;
  }
};

// Writes a row-keyed list: count, then gap-coded references each followed by `item`.
template <class Entries, class F>
void WriteKeyed(ImageWriter& w, const Entries& entries, F item) {
  w.Var(entries.size());
  int64_t prev = -1;
  for (const auto& [ref, v] : entries) {
    w.Var(static_cast<uint64_t>(static_cast<int64_t>(ref) - prev - 1));
    prev = ref;
    item(*v);
  }
}

void WriteSettings(ImageWriter& w, const GridModel& s, bool data_only) {
  size_t count = 0;
  for (const Setting& st : SettingTable()) count += (!data_only || st.layout) ? 1 : 0;
  w.Var(count);
  for (const Setting& st : SettingTable()) {
    if (data_only && !st.layout) continue;
    w.Var(st.id);
    std::visit(
        [&](auto ptr) {
          using T = std::remove_cvref_t<decltype(s.*ptr)>;
          if constexpr (std::is_same_v<T, std::string>) {
            w.Value(PropValue(s.*ptr));
          } else if constexpr (std::is_floating_point_v<T>) {
            w.Value(PropValue(static_cast<double>(s.*ptr)));
          } else {
            w.Value(PropValue(static_cast<int64_t>(s.*ptr)));
          }
        },
        st.field);
  }
}

void WriteRows(ImageWriter& w, const GridModel& s, const RowRefs& refs, bool data_only) {
  std::map<uint32_t, uint8_t> flags;  // reference -> rflags
  for (const auto& [slot, h] : s.row_heights) {
    if (slot < refs.ref_of_slot.size() && refs.ref_of_slot[slot] != kNoRef) flags[refs.ref_of_slot[slot]] |= kRowHeight;
  }
  for (uint32_t slot : s.hidden_rows) {
    if (slot < refs.ref_of_slot.size() && refs.ref_of_slot[slot] != kNoRef) flags[refs.ref_of_slot[slot]] |= kRowHidden;
  }
  for (const auto& [slot, m] : s.row_merge) {
    if (slot < refs.ref_of_slot.size() && refs.ref_of_slot[slot] != kNoRef) flags[refs.ref_of_slot[slot]] |= kRowMerge;
  }
  if (!data_only) {
    for (const auto& [slot, p] : s.row_styles) {
      if (p.empty()) continue;
      if (slot < refs.ref_of_slot.size() && refs.ref_of_slot[slot] != kNoRef) flags[refs.ref_of_slot[slot]] |= kRowStyle;
    }
  }
  w.Var(flags.size());
  int64_t prev = -1;
  for (const auto& [ref, f] : flags) {
    const uint32_t slot = refs.slot_of_ref[ref];
    w.Var(static_cast<uint64_t>(static_cast<int64_t>(ref) - prev - 1));
    prev = ref;
    w.U8(f);
    if (f & kRowHeight) w.F64(s.row_heights.at(slot));
    if (f & kRowMerge) w.Zig(s.row_merge.at(slot));
    if (f & kRowStyle) w.PatchOf(s.row_styles.at(slot));
  }
}

void WriteColumn(ImageWriter& w, const GridModel& s, const RowRefs& refs, const Column& c,
                 bool data_only) {
  (void)s;
  w.Zig(c.item_data);
  w.Str(c.id);
  w.F64(c.width);
  w.U8(c.hidden ? kColHidden : 0);
  w.Zig(c.merge);
  if (!data_only) w.PatchOf(c.style);
  // Cells: count first, so walk twice (counting is cheap next to writing).
  size_t count = 0;
  for (uint32_t slot : refs.slot_of_ref) count += c.Empty(slot) ? 0 : 1;
  w.Var(count);
  int64_t prev = -1;
  for (uint32_t ref = 0; ref < refs.slot_of_ref.size(); ++ref) {
    const uint32_t slot = refs.slot_of_ref[ref];
    if (c.Empty(slot)) continue;
    w.Var(static_cast<uint64_t>(static_cast<int64_t>(ref) - prev - 1));
    prev = ref;
    const Cell& cell = c.cells[slot];
    if (cell.rep() == Cell::kNumber) {
      w.U8(kCodeNumber);
      w.F64(cell.number());
    } else {
      w.U8(kCodeText);
      w.Str(c.TextView(slot));
    }
  }
  WriteKeyed(w, refs.InRowOrder(c.tags), [&w](const std::string& t) { w.Str(t); });
  WriteKeyed(w, refs.InRowOrder(c.notes), [&w](const std::string& t) { w.Str(t); });
  if (!data_only) WriteKeyed(w, refs.InRowOrder(c.cell_styles), [&w](const Patch& p) { w.PatchOf(p); });
}

// ---- Reader -------------------------------------------------------------------------------
struct Refused : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class ImageReader {
 public:
  explicit ImageReader(std::string_view in) : in_(in) {}

  size_t remaining() const { return in_.size() - pos_; }
  bool at_end() const { return pos_ == in_.size(); }

  uint8_t U8() {
    Need(1);
    return static_cast<uint8_t>(in_[pos_++]);
  }
  uint64_t Fixed(int n) {
    Need(static_cast<size_t>(n));
    uint64_t v = 0;
    for (int i = 0; i < n; ++i) v |= static_cast<uint64_t>(static_cast<uint8_t>(in_[pos_ + i])) << (8 * i);
    pos_ += static_cast<size_t>(n);
    return v;
  }
  uint64_t Var() {
    uint64_t v = 0;
    for (int shift = 0; shift < 64; shift += 7) {
      const uint8_t b = U8();
      if (shift == 63 && b > 1) throw Refused("varint overflows 64 bits");
      v |= static_cast<uint64_t>(b & 0x7F) << shift;
      if (!(b & 0x80)) return v;
    }
    throw Refused("varint longer than 10 bytes");
  }
  int64_t Zig() {
    const uint64_t v = Var();
    return static_cast<int64_t>(v >> 1) ^ -static_cast<int64_t>(v & 1);
  }
  double F64() {
    const uint64_t v = Fixed(8);
    double d;
    std::memcpy(&d, &v, 8);
    return d;
  }
  std::string_view Str() {
    const uint64_t n = Var();
    Need(n);
    const std::string_view s = in_.substr(pos_, static_cast<size_t>(n));
    pos_ += static_cast<size_t>(n);
    return s;
  }
  PropValue Value() {
    switch (U8()) {
      case kTypeInt: return Zig();
      case kTypeDouble: return F64();
      case kTypeString: return std::string(Str());
      default: throw Refused("unknown value type");
    }
  }
  // A count of entries each at least `min_bytes` long: refused when the rest of the image
  // cannot hold them, so a forged count never makes us allocate.
  uint64_t Count(size_t min_bytes, const char* what) {
    const uint64_t n = Var();
    if (n > remaining() / min_bytes) throw Refused(std::string(what) + " count exceeds the image");
    return n;
  }
  int64_t Int(int64_t lo, int64_t hi, const char* what) {
    const int64_t v = Zig();
    if (v < lo || v > hi) throw Refused(std::string(what) + " out of range");
    return v;
  }

 private:
  void Need(uint64_t n) const {
    if (n > remaining()) throw Refused("image ends early");
  }

  std::string_view in_;
  size_t pos_ = 0;
};

// Reads a gap-coded row reference following `prev` (-1 before the first); refused beyond
// `total` rows.
uint32_t NextRef(ImageReader& r, int64_t& prev, uint32_t total) {
  const uint64_t gap = r.Var();
  if (gap >= total || static_cast<uint64_t>(prev + 1) + gap >= total) throw Refused("row reference beyond the grid");
  prev = prev + 1 + static_cast<int64_t>(gap);
  return static_cast<uint32_t>(prev);
}

void ReadPatch(ImageReader& r, Patch& out, uint64_t next_stamp) {
  const uint64_t n = r.Count(3, "format");
  if (n > kPropCount) throw Refused("format list too long");
  int prev = -1;
  for (uint64_t i = 0; i < n; ++i) {
    const uint8_t prop = r.U8();
    if (prop >= kPropCount || static_cast<int>(prop) <= prev) throw Refused("bad format property");
    prev = prop;
    const uint64_t stamp = r.Var();
    if (stamp >= next_stamp) throw Refused("format stamp from the future");
    PropValue v = r.Value();
    const Prop p = static_cast<Prop>(prop);
    if (v.index() != DefaultProp(p).index()) throw Refused("format value of the wrong type");
    out.Set(p, stamp, std::move(v));
  }
}

void ReadSettings(ImageReader& r, GridModel& s) {
  const uint64_t n = r.Count(3, "setting");
  for (uint64_t i = 0; i < n; ++i) {
    const uint64_t id = r.Var();
    const PropValue v = r.Value();
    const auto& table = SettingTable();
    const auto it = std::find_if(table.begin(), table.end(), [id](const Setting& st) { return st.id == id; });
    if (it == table.end()) continue;
    const Setting& st = *it;
    std::visit(
        [&](auto ptr) {
          using T = std::remove_cvref_t<decltype(s.*ptr)>;
          if constexpr (std::is_same_v<T, std::string>) {
            const auto* str = std::get_if<std::string>(&v);
            if (!str) throw Refused("setting of the wrong type");
            if (st.non_empty && str->empty()) throw Refused("empty setting");
            s.*ptr = *str;
          } else if constexpr (std::is_floating_point_v<T>) {
            const auto* d = std::get_if<double>(&v);
            if (!d || !std::isfinite(*d) || *d < st.lo || *d > st.hi) throw Refused("bad setting value");
            s.*ptr = static_cast<T>(*d);
          } else {
            const auto* x = std::get_if<int64_t>(&v);
            if (!x) throw Refused("setting of the wrong type");
            const double lo = std::max<double>(st.lo, static_cast<double>(std::numeric_limits<T>::min()));
            const double hi = std::min<double>(st.hi, static_cast<double>(std::numeric_limits<T>::max()));
            if (static_cast<double>(*x) < lo || static_cast<double>(*x) > hi) throw Refused("setting out of range");
            s.*ptr = static_cast<T>(*x);
          }
        },
        st.field);
  }
}

void ReadRows(ImageReader& r, GridModel& s, bool data_only, uint64_t next_stamp) {
  const uint32_t total = s.slot_count;
  const uint64_t n = r.Count(2, "row");
  int64_t prev = -1;
  for (uint64_t i = 0; i < n; ++i) {
    const uint32_t slot = NextRef(r, prev, total);
    const uint8_t f = r.U8();
    const uint8_t allowed = data_only ? (kRowHeight | kRowHidden | kRowMerge)
                                      : (kRowHeight | kRowHidden | kRowMerge | kRowStyle);
    if (f == 0 || (f & ~allowed)) throw Refused("bad row flags");
    if (f & kRowHeight) {
      const double h = r.F64();
      if (!std::isfinite(h) || h < 0) throw Refused("bad row height");
      s.row_heights[slot] = h;
    }
    if (f & kRowHidden) s.hidden_rows.insert(slot);
    if (f & kRowMerge) s.row_merge[slot] = static_cast<int16_t>(r.Int(kMergeNone, kMergeRestricted, "row merge"));
    if (f & kRowStyle) {
      ReadPatch(r, s.row_styles[slot], next_stamp);
      s.row_props = s.head_row_props = kAllProps;
    }
  }
}

void ReadColumn(ImageReader& r, GridModel& s, Column& c, bool data_col, bool data_only,
                uint64_t next_stamp) {
  const uint32_t total = s.slot_count;
  const uint32_t first_data = static_cast<uint32_t>(s.head_slots.size());
  c.item_data = static_cast<int32_t>(r.Int(INT32_MIN, INT32_MAX, "item data"));
  c.id = std::string(r.Str());
  const double width = r.F64();
  if (!std::isfinite(width)) throw Refused("bad column width");
  c.width = width < 0 ? -1 : width;
  const uint8_t f = r.U8();
  if (f & ~kColHidden) throw Refused("bad column flags");
  c.hidden = (f & kColHidden) != 0;
  c.merge = static_cast<int16_t>(r.Int(kMergeNone, kMergeRestricted, "column merge"));
  if (!data_only) ReadPatch(r, c.style, next_stamp);

  // Cells are parsed first and stored after, so that the column's cell array is sized once.
  struct Parsed {
    uint32_t slot;
    bool number;
    double value;
    std::string_view text;
  };
  const uint64_t count = r.Count(2, "cell");
  std::vector<Parsed> parsed;
  parsed.reserve(count);
  size_t arena_bytes = 0;
  int64_t prev = -1;
  for (uint64_t i = 0; i < count; ++i) {
    Parsed p{NextRef(r, prev, total), false, 0, {}};
    switch (r.U8()) {
      case kCodeText:
        p.text = r.Str();
        if (p.text.empty() || p.text.size() > Grid::kMaxTextBytes) throw Refused("bad cell text");
        if (p.text.size() > Cell::kInlineMax) arena_bytes += p.text.size();
        break;
      case kCodeNumber:
        p.number = true;
        p.value = r.F64();
        break;
      default:
        throw Refused("unknown cell code");
    }
    parsed.push_back(p);
  }
  if (!parsed.empty()) c.cells.resize(static_cast<size_t>(parsed.back().slot) + 1);
  c.arena.reserve(arena_bytes);
  for (const Parsed& p : parsed) {
    if (p.number) {
      c.StoreNumber(p.slot, p.value);
    } else {
      c.StoreText(p.slot, p.text);
    }
    if (data_col && p.slot >= first_data) {
      ++c.data_cells;
      ++s.row_cells[p.slot];
    }
  }
  for (auto* m : {&c.tags, &c.notes}) {
    const uint64_t k = r.Count(2, "tag");
    prev = -1;
    for (uint64_t i = 0; i < k; ++i) {
      const uint32_t slot = NextRef(r, prev, total);
      (*m)[slot] = std::string(r.Str());
    }
  }
  if (!data_only) {
    const uint64_t k = r.Count(2, "cell format");
    prev = -1;
    for (uint64_t i = 0; i < k; ++i) {
      const uint32_t slot = NextRef(r, prev, total);
      ReadPatch(r, c.cell_styles[slot], next_stamp);
      c.cell_props = c.head_cell_props = kAllProps;
    }
  }
}

// True when two spans of the same area overlap: a sweep over anchor rows keeping the column
// extents of the spans still open, which must stay disjoint.
bool AnySpansOverlap(const std::map<SpanKey, Span>& spans) {
  struct Rect {
    int64_t r1, r2, c1, c2;
  };
  std::map<std::pair<bool, bool>, std::vector<Rect>> areas;
  for (const auto& [k, sp] : spans) {
    areas[{k.head_row, k.head_col}].push_back(
        Rect{k.row, int64_t{k.row} + sp.num_rows - 1, k.col, int64_t{k.col} + sp.num_cols - 1});
  }
  for (auto& [area, rects] : areas) {
    std::sort(rects.begin(), rects.end(), [](const Rect& a, const Rect& b) { return a.r1 < b.r1; });
    std::map<int64_t, Rect> open;  // by first column
    using Ending = std::pair<int64_t, int64_t>;  // (last row, first column)
    std::priority_queue<Ending, std::vector<Ending>, std::greater<>> ends;
    for (const Rect& x : rects) {
      while (!ends.empty() && ends.top().first < x.r1) {
        open.erase(ends.top().second);
        ends.pop();
      }
      auto it = open.lower_bound(x.c1);
      if (it != open.end() && it->first <= x.c2) return true;
      if (it != open.begin() && std::prev(it)->second.c2 >= x.c1) return true;
      open.emplace(x.c1, x);
      ends.emplace(x.r2, x.c1);
    }
  }
  return false;
}

void ReadSpans(ImageReader& r, GridModel& s) {
  const uint64_t n = r.Count(5, "span");
  const int64_t head_rows = s.head_rows(), head_cols = s.head_cols();
  std::map<SpanKey, Span> spans;
  for (uint64_t i = 0; i < n; ++i) {
    const uint8_t f = r.U8();
    if (f & ~(kAreaHeadRow | kAreaHeadCol)) throw Refused("bad span flags");
    const bool hr = f & kAreaHeadRow, hc = f & kAreaHeadCol;
    const uint64_t row = r.Var(), col = r.Var(), nc = r.Var(), nr = r.Var();
    const uint64_t row_lo = hr ? 0 : 1, row_hi = hr ? head_rows - 1 : s.max_rows;
    const uint64_t col_lo = hc ? 0 : 1, col_hi = hc ? head_cols - 1 : s.max_cols;
    if (row < row_lo || row > row_hi || col < col_lo || col > col_hi || nc < 1 || nr < 1 ||
        nc > col_hi - col + 1 || nr > row_hi - row + 1) {
      throw Refused("span outside the grid");
    }
    const SpanKey key{hr, static_cast<int32_t>(row), hc, static_cast<int32_t>(col)};
    if (!spans.emplace(key, Span{static_cast<int32_t>(nc), static_cast<int32_t>(nr)}).second) {
      throw Refused("span given twice");
    }
  }
  if (AnySpansOverlap(spans)) throw Refused("spans overlap");
  s.spans.Assign(std::move(spans));
}

// Brings the frozen counts read from the image inside the loaded size.
void ClampPositions(GridModel& s) {
  auto clamp = [](int32_t& v, int32_t lo, int32_t hi) { v = std::clamp(v, lo, std::max(lo, hi)); };
  clamp(s.cols_frozen, 0, s.max_cols);
  clamp(s.rows_frozen, 0, s.max_rows);
}

void DecodeBody(ImageReader& r, GridModel& s, bool data_only) {
  // Sizes. Columns cost a heap object each, so the image must hold their bytes; rows cost
  // the engine's per-row arrays, so the image may declare only as many as its length
  // justifies (RowsAFileMayHold).
  const uint64_t max_rows = r.Var(), max_cols = r.Var(), head_rows = r.Var(), head_cols = r.Var();
  if (max_rows > static_cast<uint64_t>(RowsAFileMayHold(r.remaining())) ||
      max_cols > static_cast<uint64_t>(Grid::kMaxColCount) ||
      head_rows < 1 || head_rows > static_cast<uint64_t>(Grid::kMaxHeaders) || head_cols < 1 ||
      head_cols > static_cast<uint64_t>(Grid::kMaxHeaders)) {
    throw Refused("grid size out of range");
  }
  if (max_cols + head_cols > r.remaining() / 13) throw Refused("column count exceeds the image");

  ReadSettings(r, s);
  uint64_t next_stamp = 1;
  if (!data_only) {
    next_stamp = r.Var();
    if (next_stamp == 0) throw Refused("bad stamp counter");
    s.next_stamp = next_stamp;
    ReadPatch(r, s.sheet_style, next_stamp);
  }

  // Rows: header slots 0..head_rows-1, data slots after them in order (references = slots).
  const uint64_t total = head_rows + max_rows;
  s.head_slots.resize(head_rows);
  for (uint32_t i = 0; i < head_rows; ++i) s.head_slots[i] = i;
  s.row_map.resize(max_rows);
  for (uint32_t i = 0; i < max_rows; ++i) s.row_map[i] = static_cast<uint32_t>(head_rows) + i;
  s.slot_count = static_cast<uint32_t>(total);
  s.free_slots.clear();
  s.row_cells.assign(total, 0);
  s.max_rows = static_cast<int32_t>(max_rows);
  s.data_rows.Resize(s.max_rows);
  ReadRows(r, s, data_only, next_stamp);

  s.max_cols = static_cast<int32_t>(max_cols);
  s.cols.clear();
  s.cols.reserve(max_cols + 1);
  for (uint64_t i = 0; i <= max_cols; ++i) s.cols.push_back(std::make_unique<Column>());
  s.extra_head_cols.clear();
  for (uint64_t i = 1; i < head_cols; ++i) s.extra_head_cols.push_back(std::make_unique<Column>());
  for (size_t i = 0; i < s.cols.size(); ++i) ReadColumn(r, s, *s.cols[i], i >= 1, data_only, next_stamp);
  for (auto& c : s.extra_head_cols) ReadColumn(r, s, *c, false, data_only, next_stamp);

  ReadSpans(r, s);
  if (!r.at_end()) throw Refused("bytes after the image's end");

  for (int32_t row = 1; row <= s.max_rows; ++row) {
    if (s.row_cells[s.row_map[static_cast<size_t>(row - 1)]] > 0) s.data_rows.Set(row, true);
  }
  s.RefreshDataRowCnt();
  ClampPositions(s);
}

}  // namespace

std::string EncodeLayoutImage(const GridModel& s, bool data_only) {
  ImageWriter w;
  // Reserving about the image's size up front spares a big sheet the copies of a growing
  // buffer: a cell costs about 2 bytes of framing and its text or number.
  size_t estimate = 4096;
  auto add_column = [&estimate](const Column& c) {
    for (const Cell& cell : c.cells) {
      if (cell.rep() == Cell::kInline) estimate += 3 + cell.inline_size();
      if (cell.rep() == Cell::kNumber) estimate += 10;
      if (cell.rep() == Cell::kArena) estimate += 7;
    }
    estimate += c.arena.size() + 64;
  };
  for (const auto& c : s.cols) add_column(*c);
  for (const auto& c : s.extra_head_cols) add_column(*c);
  w.bytes().reserve(estimate);
  w.bytes().append(kMagic, sizeof kMagic);
  w.Fixed(kVersion, 2);
  w.Fixed(data_only ? kFlagDataOnly : 0, 2);
  w.Fixed(0, 8);  // body length, patched below

  w.Var(static_cast<uint64_t>(s.max_rows));
  w.Var(static_cast<uint64_t>(s.max_cols));
  w.Var(static_cast<uint64_t>(s.head_rows()));
  w.Var(static_cast<uint64_t>(s.head_cols()));
  WriteSettings(w, s, data_only);
  if (!data_only) {
    w.Var(s.next_stamp);
    w.PatchOf(s.sheet_style);
  }
  const RowRefs refs(s);
  WriteRows(w, s, refs, data_only);
  for (const auto& c : s.cols) WriteColumn(w, s, refs, *c, data_only);
  for (const auto& c : s.extra_head_cols) WriteColumn(w, s, refs, *c, data_only);

  const std::map<SpanKey, Span> spans = s.spans.All();
  w.Var(spans.size());
  for (const auto& [k, sp] : spans) {
    w.U8(static_cast<uint8_t>((k.head_row ? kAreaHeadRow : 0) | (k.head_col ? kAreaHeadCol : 0)));
    w.Var(static_cast<uint64_t>(k.row));
    w.Var(static_cast<uint64_t>(k.col));
    w.Var(static_cast<uint64_t>(sp.num_cols));
    w.Var(static_cast<uint64_t>(sp.num_rows));
  }

  std::string& out = w.bytes();
  const uint64_t body = out.size() - kImageHeaderSize;
  for (int i = 0; i < 8; ++i) out[12 + i] = static_cast<char>((body >> (8 * i)) & 0xFF);
  w.Fixed(Crc32(out), 4);
  return std::move(out);
}

uint64_t LayoutImageSize(std::string_view header) {
  if (header.size() < kImageHeaderSize || header.substr(0, 8) != std::string_view(kMagic, 8)) return 0;
  ImageReader r(header.substr(8, 12));
  const uint64_t version = r.Fixed(2);
  const uint64_t flags = r.Fixed(2);
  const uint64_t body = r.Fixed(8);
  if (version != kVersion || (flags & ~uint64_t{kFlagDataOnly})) return 0;
  if (body > std::numeric_limits<uint64_t>::max() - kImageHeaderSize - 4) return 0;
  return kImageHeaderSize + body + 4;
}

std::string DecodeLayoutImage(std::string_view image, GridModel& out) {
  const uint64_t size = LayoutImageSize(image);
  if (size == 0) return "not a grid image of a known version";
  if (image.size() != size) return "the image is truncated or has bytes after its end";
  const std::string_view covered = image.substr(0, image.size() - 4);
  ImageReader tail(image.substr(image.size() - 4));
  if (Crc32(covered) != tail.Fixed(4)) return "checksum mismatch: the image is damaged";
  const bool data_only = (static_cast<uint8_t>(image[10]) & kFlagDataOnly) != 0;
  try {
    ImageReader r(covered.substr(kImageHeaderSize));
    DecodeBody(r, out, data_only);
  } catch (const Refused& e) {
    return e.what();
  } catch (const std::bad_alloc&) {
    return "the image needs more memory than is available";
  } catch (const std::length_error&) {
    return "the image is too large";
  } catch (const GridError& e) {
    return e.what();
  }
  return "";
}

}  // namespace zel::internal
