// Stable multi-key sort of a block by rows or by columns.
//
// The sort moves 40-byte items holding the line index and the first two keys' order-preserving
// 16-byte prefixes, so that most comparisons never leave the item; the few ties that the
// prefixes cannot settle (texts over 16 bytes) read the cells again.
#include "grid/internal/grid_sort.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "grid/internal/grid_ops.h"

namespace zel::internal {

namespace {

enum KeyClass : uint8_t { kNum = 0, kText = 1, kNone = 2 };

struct Key {
  uint64_t prefix = 0;   // order-preserving: big-endian text bytes 0-7 or transformed double
  uint64_t prefix2 = 0;  // text bytes 8-15, big-endian
  const char* text = nullptr;
  uint32_t len = 0;
  uint8_t cls = kNone;
};

uint64_t BigEndian(const char* p, size_t n) {
  unsigned char bytes[8] = {};
  std::memcpy(bytes, p, std::min<size_t>(8, n));
  uint64_t v = 0;
  for (unsigned char b : bytes) v = (v << 8) | b;
  return v;
}

uint64_t NumberOrder(double v) {
  if (v == 0) v = 0;  // -0 sorts with 0
  uint64_t bits = std::bit_cast<uint64_t>(v);
  return (bits & 0x8000000000000000ULL) ? ~bits : bits | 0x8000000000000000ULL;
}

// Which text cells of a key are read as dates: none, all (a date column), or as each cell's
// kind says.
enum class Dates : uint8_t { kNone, kAll, kByCell };

Dates DatesOf(const GridState& s, const Column& c) {
  if (s.KindVariesByCell(c)) return Dates::kByCell;
  return s.KindOf(c, 0) == kCellDate ? Dates::kAll : Dates::kNone;  // the slot is not read
}

enum class DateText : uint8_t { kDate, kBlank, kOther };

// Reads the text of a date cell as the number yyyymmdd (yyyymm00 for a month), which sorts as
// the dates do. Date cells keep their text as written: day first, as the grid shows dates
// ("31-01-2024", a month "01-2024"); year first when the first part has four digits
// ("2024-01-31"); or digits alone ("20240131", "202401"). '-', '.' and '/' separate the parts;
// spaces around the text are ignored. A text of separators and spaces only is an unfilled
// date (kBlank); any other text is kOther.
DateText ReadDate(std::string_view t, uint32_t& ymd) {
  while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
  while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
  if (t.find_first_not_of(" -./") == std::string_view::npos) return DateText::kBlank;
  uint32_t part[3] = {};
  size_t width[3] = {};
  size_t n = 0;
  for (const char ch : t) {
    if (ch >= '0' && ch <= '9') {
      if (width[n] == 8) return DateText::kOther;
      part[n] = part[n] * 10 + static_cast<uint32_t>(ch - '0');
      ++width[n];
    } else if ((ch == '-' || ch == '.' || ch == '/') && width[n] > 0 && n < 2) {
      ++n;
    } else {
      return DateText::kOther;
    }
  }
  if (width[n] == 0) return DateText::kOther;
  uint32_t y = 0, m = 0, d = 0;
  const bool year_first = width[0] == 4;
  if (n == 0 && width[0] == 8) {
    y = part[0] / 10000, m = part[0] / 100 % 100, d = part[0] % 100;
  } else if (n == 0 && width[0] == 6) {
    y = part[0] / 100, m = part[0] % 100;
  } else if (n == 1 && year_first && width[1] <= 2) {
    y = part[0], m = part[1];
  } else if (n == 1 && width[0] <= 2 && width[1] <= 4) {
    m = part[0], y = part[1];
  } else if (n == 2 && year_first && width[1] <= 2 && width[2] <= 2) {
    y = part[0], m = part[1], d = part[2];
  } else if (n == 2 && width[0] <= 2 && width[1] <= 2 && width[2] <= 4) {
    d = part[0], m = part[1], y = part[2];
  } else {
    return DateText::kOther;
  }
  ymd = y * 10000 + m * 100 + d;
  return DateText::kDate;
}

Key MakeKey(const Column& c, uint32_t slot) {
  Key k;
  const Cell* cell = c.At(slot);
  if (!cell || cell->empty()) return k;
  if (cell->rep() == Cell::kNumber) {
    k.cls = kNum;
    k.prefix = NumberOrder(cell->number());
    return k;
  }
  const std::string_view t = c.TextView(slot);
  k.cls = kText;
  k.text = t.data();
  k.len = static_cast<uint32_t>(t.size());
  k.prefix = BigEndian(t.data(), t.size());
  if (t.size() > 8) k.prefix2 = BigEndian(t.data() + 8, t.size() - 8);
  return k;
}

// The key of a cell of a column that may hold date cells: a date sorts as its number, with
// the numbers and before the texts; an unfilled date sorts with the empty cells. Kept out of
// line so that the keys of other columns do not pay for its registers.
[[gnu::noinline]] Key MakeDateKey(const GridState& s, const Column& c, uint32_t slot, Dates dates) {
  const Cell* cell = c.At(slot);
  if (cell && (cell->rep() == Cell::kInline || cell->rep() == Cell::kArena) &&
      (dates == Dates::kAll || s.KindOf(c, slot) == kCellDate)) {
    uint32_t ymd = 0;
    switch (ReadDate(c.TextView(slot), ymd)) {
      case DateText::kBlank:
        return Key{};
      case DateText::kDate: {
        Key k;
        k.cls = kNum;
        k.prefix = NumberOrder(ymd);
        return k;
      }
      case DateText::kOther:
        break;
    }
  }
  return MakeKey(c, slot);
}

Key MakeKey(const GridState& s, const Column& c, uint32_t slot, Dates dates) {
  return dates == Dates::kNone ? MakeKey(c, slot) : MakeDateKey(s, c, slot, dates);
}

// Three-way comparison in ascending order (empties compare equal to each other).
int Compare(const Key& a, const Key& b) {
  if (a.cls != b.cls) return a.cls < b.cls ? -1 : 1;
  if (a.cls == kNone) return 0;
  if (a.prefix != b.prefix) return a.prefix < b.prefix ? -1 : 1;
  if (a.cls == kNum) return 0;
  // The first 8 bytes are equal. Zero padding makes a shorter text compare as a prefix, so
  // within 16 bytes the second prefix and then the lengths decide without touching the texts.
  if (a.prefix2 != b.prefix2) return a.prefix2 < b.prefix2 ? -1 : 1;
  if (a.len > 16 && b.len > 16) {
    const int c = std::memcmp(a.text + 16, b.text + 16, std::min(a.len, b.len) - 16);
    if (c != 0) return c < 0 ? -1 : 1;
  }
  return a.len == b.len ? 0 : (a.len < b.len ? -1 : 1);
}

// True when a goes before b for this key; empties last whatever the order.
int Directed(const Key& a, const Key& b, bool desc) {
  if (a.cls == kNone || b.cls == kNone) {
    if (a.cls == b.cls) return 0;
    return a.cls == kNone ? 1 : -1;
  }
  const int c = Compare(a, b);
  return desc ? -c : c;
}

// What a comparison of one key needs without leaving the item: the class and the two
// prefixes transformed so that plain ascending comparison gives the key's direction, and for
// keys that the prefixes hold whole (numbers, empties, texts of at most 16 bytes) the length,
// transformed too; kOpen when the key needs its full record.
struct Packed {
  static constexpr uint8_t kOpen = 0xFF;
  uint64_t hi = 0, lo = 0;
  uint8_t cls = 2;
  uint8_t len = 0;
};

Packed Pack(const Key& k, bool desc) {
  Packed p;
  if (k.cls == kNone) return p;  // class 2 sorts last in either direction
  const bool whole = k.cls == kNum || k.len <= 16;
  const uint8_t len = k.cls == kNum ? 0 : static_cast<uint8_t>(std::min<uint32_t>(k.len, 16));
  p.cls = k.cls;
  p.hi = k.prefix;
  p.lo = k.prefix2;
  p.len = whole ? len : Packed::kOpen;
  if (desc) {
    p.cls = k.cls == kNum ? 1 : 0;
    p.hi = ~p.hi;
    p.lo = ~p.lo;
    if (whole) p.len = static_cast<uint8_t>(16 - len);
  }
  return p;
}

// The first two keys packed with the line (40 bytes): comparisons, ties on the first key
// included, end inside the item unless two texts over 16 bytes share their first 16 bytes.
struct Item {
  uint64_t hi0, lo0, hi1, lo1;
  uint32_t line;
  uint8_t cls0, len0, cls1, len1;
};

struct SortKeySpec {
  int32_t key;
  bool desc;
};

// Sorts `lines` lines; key_of(k, line) gives the record of key k of a line, text_of(k, line)
// its text. Returns the new
// order. Key records are made as needed rather than stored: a million rows would otherwise
// take tens of megabytes of fresh memory per key.
template <class KeyOf, class TextOf>
std::vector<uint32_t> Order(const std::vector<SortKeySpec>& specs, uint32_t lines, KeyOf key_of, TextOf text_of) {
  std::vector<Item> items(lines);
  const bool two = specs.size() > 1;
  for (uint32_t i = 0; i < lines; ++i) {
    const Packed a = Pack(key_of(0, i), specs[0].desc);
    const Packed b = two ? Pack(key_of(1, i), specs[1].desc) : Packed{};
    items[i] = Item{a.hi, a.lo, b.hi, b.lo, i, a.cls, a.len, b.cls, b.len};
  }
  // -1, 0, 1 for one packed key; the key records decide when the prefixes tie and a side is
  // open (a text over 16 bytes).
  auto step = [&](size_t k, uint8_t ca, uint64_t ha, uint64_t la, uint8_t na, uint8_t cb, uint64_t hb,
                  uint64_t lb, uint8_t nb, uint32_t line_a, uint32_t line_b) {
    if (ca != cb) return ca < cb ? -1 : 1;
    if (ha != hb) return ha < hb ? -1 : 1;
    if (la != lb) return la < lb ? -1 : 1;
    if (na != Packed::kOpen && nb != Packed::kOpen) return na == nb ? 0 : (na < nb ? -1 : 1);
    // Both are texts with the same first 16 bytes, one at least longer: compare the rest.
    const std::string_view ta = text_of(k, line_a);
    const std::string_view tb = text_of(k, line_b);
    const size_t common = std::min(ta.size(), tb.size());
    int c = common > 16 ? std::memcmp(ta.data() + 16, tb.data() + 16, common - 16) : 0;
    if (c == 0 && ta.size() != tb.size()) c = ta.size() < tb.size() ? -1 : 1;
    c = c < 0 ? -1 : (c > 0 ? 1 : 0);
    return specs[k].desc ? -c : c;
  };
  auto less = [&](const Item& a, const Item& b) {
    int c = step(0, a.cls0, a.hi0, a.lo0, a.len0, b.cls0, b.hi0, b.lo0, b.len0, a.line, b.line);
    if (c != 0) return c < 0;
    if (!two) return false;
    c = step(1, a.cls1, a.hi1, a.lo1, a.len1, b.cls1, b.hi1, b.lo1, b.len1, a.line, b.line);
    if (c != 0) return c < 0;
    for (size_t k = 2; k < specs.size(); ++k) {
      c = Directed(key_of(k, a.line), key_of(k, b.line), specs[k].desc);
      if (c != 0) return c < 0;
    }
    return false;
  };
  std::stable_sort(items.begin(), items.end(), less);
  std::vector<uint32_t> order(lines);
  for (uint32_t i = 0; i < lines; ++i) order[i] = items[i].line;
  return order;
}

// Moves the entries of a slot-keyed map along with a permutation of `slots`: the entry of
// slots[order[i]] goes to slots[i]. Nothing to do for an empty map.
template <class Map>
void PermuteSparse(Map& m, const std::vector<uint32_t>& slots, const std::vector<uint32_t>& order) {
  if (m.empty()) return;
  std::vector<std::pair<uint32_t, typename Map::mapped_type>> moved;
  for (uint32_t i = 0; i < slots.size(); ++i) {
    auto it = m.find(slots[order[i]]);
    if (it != m.end()) moved.emplace_back(slots[i], it->second);
  }
  for (uint32_t slot : slots) m.erase(slot);
  for (auto& [slot, v] : moved) m.emplace(slot, std::move(v));
}

// The same for cell formats; a moved patch becomes the slot's own.
void PermuteSparse(CellStyles& m, const std::vector<uint32_t>& slots, const std::vector<uint32_t>& order) {
  if (m.empty()) return;
  std::vector<std::pair<uint32_t, Patch>> moved;
  for (uint32_t i = 0; i < slots.size(); ++i) {
    if (const Patch* p = m.Find(slots[order[i]])) moved.emplace_back(slots[i], *p);
  }
  for (uint32_t slot : slots) m.erase(slot);
  for (auto& [slot, v] : moved) m[slot] = std::move(v);
}

void SortRows(GridState& s, const CellRange& r, const std::vector<SortKeySpec>& specs, bool whole_rows) {
  const int32_t lo = std::max(r.row_lo, 1);
  const int32_t hi = r.row_hi;
  if (hi - lo < 1) return;
  const uint32_t n = static_cast<uint32_t>(hi - lo + 1);
  std::vector<uint32_t> old_slots(s.row_map.begin() + (lo - 1), s.row_map.begin() + (lo - 1) + n);
  std::vector<const Column*> key_cols;
  std::vector<Dates> key_dates;
  for (const SortKeySpec& k : specs) {
    key_cols.push_back(s.cols[static_cast<size_t>(k.key)].get());
    key_dates.push_back(DatesOf(s, *key_cols.back()));
  }
  auto text_of = [&](size_t k, uint32_t line) { return key_cols[k]->TextView(old_slots[line]); };
  // Keys without date cells take the plain key maker: asking per key costs a sort by text
  // keys about one per cent more instructions.
  const bool dates = std::any_of(key_dates.begin(), key_dates.end(), [](Dates d) { return d != Dates::kNone; });
  const std::vector<uint32_t> order =
      dates ? Order(
                  specs, n,
                  [&](size_t k, uint32_t line) { return MakeKey(s, *key_cols[k], old_slots[line], key_dates[k]); },
                  text_of)
            : Order(
                  specs, n, [&](size_t k, uint32_t line) { return MakeKey(*key_cols[k], old_slots[line]); }, text_of);
  if (whole_rows) {
    for (uint32_t i = 0; i < n; ++i) s.row_map[static_cast<size_t>(lo - 1) + i] = old_slots[order[i]];
    s.RecountRows(lo, hi);
    return;
  }
  // Only the block's columns move: permute their cells, formats, tags and notes in place.
  // A row's count of non-empty cells changes by what the block's columns bring to it.
  std::vector<int32_t> block_count(n, 0);
  for (int32_t lc = r.col_lo; lc <= r.col_hi; ++lc) {
    const int32_t col = ColAddr(s, lc);
    Column& c = s.ColumnAt("Action", col);
    std::vector<Cell> cells(n);
    for (uint32_t i = 0; i < n; ++i) {
      if (!c.Empty(old_slots[i])) {
        cells[i] = c.cells[old_slots[i]];
        if (col >= 1) ++block_count[i];
      }
    }
    if (c.cells.size() < s.slot_count) c.cells.resize(s.slot_count);
    c.written = static_cast<uint32_t>(c.cells.size());
    for (uint32_t i = 0; i < n; ++i) c.cells[old_slots[i]] = cells[order[i]];
    PermuteSparse(c.cell_styles, old_slots, order);
    PermuteSparse(c.tags, old_slots, order);
    PermuteSparse(c.notes, old_slots, order);
  }
  std::vector<uint32_t> counts(n);
  for (uint32_t i = 0; i < n; ++i) counts[i] = s.row_cells[old_slots[i]];
  for (uint32_t i = 0; i < n; ++i) {
    s.row_cells[old_slots[i]] = counts[i] - static_cast<uint32_t>(block_count[i]) +
                                static_cast<uint32_t>(block_count[order[i]]);
  }
  s.RecountRows(lo, hi);
}

void SortCols(GridState& s, const CellRange& r, const std::vector<SortKeySpec>& specs, bool whole_cols) {
  const int32_t lo = std::max(r.col_lo, 1);
  const int32_t hi = r.col_hi;
  if (hi - lo < 1) return;
  const uint32_t n = static_cast<uint32_t>(hi - lo + 1);
  std::vector<uint32_t> key_slots;
  for (const SortKeySpec& k : specs) key_slots.push_back(s.row_map[static_cast<size_t>(k.key - 1)]);
  const std::vector<uint32_t> order = Order(
      specs, n,
      [&](size_t k, uint32_t line) {
        return MakeKey(s, *s.cols[static_cast<size_t>(lo) + line], key_slots[k], Dates::kByCell);
      },
      [&](size_t k, uint32_t line) { return s.cols[static_cast<size_t>(lo) + line]->TextView(key_slots[k]); });
  if (whole_cols) {
    std::vector<std::unique_ptr<Column>> moved(n);
    for (uint32_t i = 0; i < n; ++i) moved[i] = std::move(s.cols[static_cast<size_t>(lo) + order[i]]);
    for (uint32_t i = 0; i < n; ++i) s.cols[static_cast<size_t>(lo) + i] = std::move(moved[i]);
    return;
  }
  for (int32_t lr = r.row_lo; lr <= r.row_hi; ++lr) {
    const int32_t row = RowAddr(s, lr);
    const uint32_t slot = s.SlotOf("Action", row);
    Column holder;
    std::vector<std::pair<bool, Patch>> styles(n);
    std::vector<std::pair<bool, std::string>> tags(n), notes(n);
    for (uint32_t i = 0; i < n; ++i) {
      Column& c = *s.cols[static_cast<size_t>(lo) + i];
      holder.StoreCopy(i, c, slot);
      if (const Patch* p = c.cell_styles.Find(slot)) styles[i] = {true, *p};
      if (auto it = c.tags.find(slot); it != c.tags.end()) tags[i] = {true, it->second};
      if (auto it = c.notes.find(slot); it != c.notes.end()) notes[i] = {true, it->second};
    }
    for (uint32_t i = 0; i < n; ++i) {
      Column& c = *s.cols[static_cast<size_t>(lo) + i];
      const uint32_t from = order[i];
      CopyValue(s, c, true, row >= 1 ? row : 0, slot, holder, from);
      if (styles[from].first) {
        c.cell_styles[slot] = styles[from].second;
        c.cell_props = c.head_cell_props = kAllProps;
      } else {
        c.cell_styles.erase(slot);
      }
      if (tags[from].first) {
        c.tags[slot] = tags[from].second;
      } else {
        c.tags.erase(slot);
      }
      if (notes[from].first) {
        c.notes[slot] = notes[from].second;
      } else {
        c.notes.erase(slot);
      }
    }
  }
}

}  // namespace

void SortBlock(GridState& s) {
  const CellRange r = MakeRange(s, "Action", s.col, s.row, s.col2, s.row2);
  if (r.empty()) return;
  const bool by_rows = s.sort_by == kSortByRow;
  std::vector<SortKeySpec> specs;
  for (size_t n = 0; n < s.sort_keys.size(); ++n) {
    const int32_t key = s.sort_keys[n];
    const int16_t order = n < s.sort_orders.size() ? s.sort_orders[n] : int16_t{kSortNone};
    if (order == kSortNone || key < 1 || key > (by_rows ? s.max_cols : s.max_rows)) continue;
    specs.push_back({key, order == kSortDescending});
  }
  if (specs.empty()) return;
  if (by_rows) {
    SortRows(s, r, specs, s.col == -1 || s.col2 == -1);
  } else {
    SortCols(s, r, specs, s.row == -1 || s.row2 == -1);
  }
}

}  // namespace zel::internal
