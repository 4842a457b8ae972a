// Cell storage, slots, data extent and format resolution of the grid's inner state.
#include "grid/internal/grid_store.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <new>

namespace zel::internal {

[[noreturn]] void Fail(const char* who, const std::string& what) {
  throw GridError(std::string(who) + ": " + what);
}

std::string AddrText(int32_t v) { return std::to_string(v); }

int64_t AsInt(const PropValue& v) {
  if (const auto* i = std::get_if<int64_t>(&v)) return *i;
  if (const auto* d = std::get_if<double>(&v)) return static_cast<int64_t>(*d);
  return 0;
}

double AsDouble(const PropValue& v) {
  if (const auto* d = std::get_if<double>(&v)) return *d;
  if (const auto* i = std::get_if<int64_t>(&v)) return static_cast<double>(*i);
  return 0;
}

const std::string& AsString(const PropValue& v) {
  static const std::string kEmpty;
  if (const auto* s = std::get_if<std::string>(&v)) return *s;
  return kEmpty;
}

// ---- Patch ------------------------------------------------------------------------------
const PatchEntry* Patch::Find(Prop p) const {
  // The cell kind is the first property and the one read on every write: no search for it.
  if (!entries_.empty() && entries_.front().prop == p) return &entries_.front();
  auto it = std::lower_bound(entries_.begin(), entries_.end(), p,
                             [](const PatchEntry& e, Prop q) { return e.prop < q; });
  return it != entries_.end() && it->prop == p ? &*it : nullptr;
}

void Patch::Set(Prop p, uint64_t stamp, PropValue v) {
  auto it = std::lower_bound(entries_.begin(), entries_.end(), p,
                             [](const PatchEntry& e, Prop q) { return e.prop < q; });
  if (it != entries_.end() && it->prop == p) {
    it->stamp = stamp;
    it->value = std::move(v);
  } else {
    entries_.insert(it, PatchEntry{p, stamp, std::move(v)});
  }
}

void Patch::Erase(Prop p) {
  auto it = std::lower_bound(entries_.begin(), entries_.end(), p,
                             [](const PatchEntry& e, Prop q) { return e.prop < q; });
  if (it != entries_.end() && it->prop == p) entries_.erase(it);
}

// ---- CellStyles ----------------------------------------------------------------------------
Patch& CellStyles::operator[](uint32_t slot) {
  if (shared_slots_ != 0 && slot < shared_of_.size() && shared_of_[slot] != 0) {
    Patch copy = shared_[shared_of_[slot] - 1];
    Untag(slot);
    MarkOwn(slot);
    return own_[slot] = std::move(copy);
  }
  MarkOwn(slot);
  return own_[slot];
}

void CellStyles::MarkOwn(uint32_t slot) {
  if (slot / 64 >= may_own_.size()) may_own_.resize(slot / 64 + 1, 0);
  may_own_[slot / 64] |= uint64_t{1} << (slot % 64);
}

void CellStyles::Untag(uint32_t slot) {
  shared_of_[slot] = 0;
  if (--shared_slots_ == 0) {
    // The last slot let go: the shared patches and the array go with it.
    shared_.clear();
    shared_of_.clear();
  }
}

void CellStyles::erase(uint32_t slot) {
  if (shared_slots_ != 0 && slot < shared_of_.size() && shared_of_[slot] != 0) {
    Untag(slot);  // a slot with a shared patch has no own one
  } else if (MayOwn(slot)) {
    own_.erase(slot);
    if (own_.empty()) may_own_.clear();
  }
}

void CellStyles::KeepOnly(const std::vector<uint32_t>& slots) {
  if (empty()) return;
  std::vector<std::pair<uint32_t, Patch>> kept;
  for (const uint32_t slot : slots) {
    if (const Patch* p = Find(slot)) kept.emplace_back(slot, *p);
  }
  clear();
  for (auto& [slot, p] : kept) (*this)[slot] = std::move(p);
}

void CellStyles::Copy(uint32_t from, uint32_t to) {
  if (from == to) return;
  const Patch* p = Find(from);
  if (p == nullptr) {
    erase(to);
  } else if (shared_slots_ != 0 && from < shared_of_.size() && shared_of_[from] != 0) {
    ShareWith(from, {to});
  } else {
    Patch copy = *p;
    (*this)[to] = std::move(copy);
  }
}

void CellStyles::EditAll(const std::function<void(Patch&)>& edit) {
  for (auto it = own_.begin(); it != own_.end();) {
    edit(it->second);
    it = it->second.empty() ? own_.erase(it) : std::next(it);
  }
  bool emptied = false;
  for (Patch& p : shared_) {
    edit(p);
    emptied = emptied || p.empty();
  }
  if (!emptied) return;
  for (uint32_t slot = 0; slot < shared_of_.size() && shared_slots_ != 0; ++slot) {
    if (shared_of_[slot] != 0 && shared_[shared_of_[slot] - 1].empty()) Untag(slot);
  }
}

void CellStyles::Renumber(const std::vector<uint32_t>& new_of) {
  auto moved = [&new_of](uint32_t slot) {
    return slot < new_of.size() ? new_of[slot] : std::numeric_limits<uint32_t>::max();
  };
  std::unordered_map<uint32_t, Patch> own;
  own.reserve(own_.size());
  for (auto& [slot, p] : own_) {
    if (const uint32_t n = moved(slot); n != std::numeric_limits<uint32_t>::max()) own.emplace(n, std::move(p));
  }
  own_.swap(own);
  may_own_.clear();
  for (const auto& entry : own_) MarkOwn(entry.first);
  if (shared_slots_ == 0) return;
  std::vector<uint16_t> shared_of;
  size_t count = 0;
  for (uint32_t slot = 0; slot < shared_of_.size(); ++slot) {
    const uint32_t n = moved(slot);
    if (shared_of_[slot] == 0 || n == std::numeric_limits<uint32_t>::max()) continue;
    if (n >= shared_of.size()) shared_of.resize(std::max<size_t>(n + 1, shared_of_.size()), 0);
    shared_of[n] = shared_of_[slot];
    ++count;
  }
  shared_of_.swap(shared_of);
  shared_slots_ = count;
  if (count == 0) {
    shared_.clear();
    shared_of_.clear();
  }
}

bool CellStyles::ShareWith(uint32_t from, const std::vector<uint32_t>& slots) {
  return Find(from) != nullptr && ShareBlock({from}, SlotRun{&slots});
}

bool CellStyles::ShareBlock(const std::vector<uint32_t>& from, const SlotRun& slots) {
  if (from.empty()) return true;
  // Each source's shared patch; an own patch becomes a shared one (all of them or none).
  auto ownPatch = [this](uint32_t slot) { return SharedNumber(slot) == 0 && MayOwn(slot) ? own_.find(slot) : own_.end(); };
  size_t needed = 0;
  for (const uint32_t f : from) needed += ownPatch(f) != own_.end() ? 1 : 0;
  if (shared_.size() + needed > std::numeric_limits<uint16_t>::max()) return false;
  std::vector<uint16_t> number(from.size(), 0);
  for (size_t k = 0; k < from.size(); ++k) {
    if (const auto it = ownPatch(from[k]); it != own_.end()) {
      shared_.push_back(std::move(it->second));
      own_.erase(it);
      if (from[k] >= shared_of_.size()) shared_of_.resize(from[k] + 1, 0);
      shared_of_[from[k]] = static_cast<uint16_t>(shared_.size());
      ++shared_slots_;
    }
    number[k] = SharedNumber(from[k]);
  }
  // Each source's copies in turn, in one pass over the slots.
  if (slots.size() == 0) return true;
  const uint32_t top = slots.list != nullptr ? *std::max_element(slots.list->begin(), slots.list->end())
                                             : slots.first + static_cast<uint32_t>(slots.count - 1);
  if (top >= shared_of_.size()) shared_of_.resize(std::max<size_t>(size_t{top} + 1, shared_of_.size() * 3 / 2), 0);
  const bool owning = !own_.empty();
  const size_t period = number.size();
  uint16_t* const tags = shared_of_.data();
  size_t tagged = 0;
  auto tagAll = [&](auto slotAt) {
    for (size_t o = 0; o < period; ++o) {
      const uint16_t n = number[o];
      if (n == 0) continue;
      for (size_t i = o; i < slots.size(); i += period) {
        const uint32_t slot = slotAt(i);
        if (owning && MayOwn(slot)) own_.erase(slot);
        tagged += tags[slot] == 0 ? 1 : 0;
        tags[slot] = n;
      }
    }
  };
  if (slots.list != nullptr) {
    tagAll([&list = *slots.list](size_t i) { return list[i]; });
  } else {
    tagAll([first = slots.first](size_t i) { return first + static_cast<uint32_t>(i); });
  }
  shared_slots_ += tagged;
  return true;
}

const PropValue& DefaultProp(Prop p) {
  static const std::vector<PropValue> kDefaults = [] {
    std::vector<PropValue> d(kPropCount, PropValue(int64_t{0}));
    auto set = [&d](Prop q, PropValue v) { d[static_cast<size_t>(q)] = std::move(v); };
    set(Prop::kKind, int64_t{kCellEdit});
    set(Prop::kHAlign, int64_t{0});
    set(Prop::kVAlign, int64_t{0});
    set(Prop::kCharCase, int64_t{1});
    set(Prop::kFloatMin, -99999999999.99);
    set(Prop::kFloatMax, 99999999999.99);
    set(Prop::kFloatDec, int64_t{2});
    set(Prop::kIntMin, int64_t{std::numeric_limits<int32_t>::min()});
    set(Prop::kIntMax, int64_t{std::numeric_limits<int32_t>::max()});
    set(Prop::kComboList, std::string());
    set(Prop::kCheckText, std::string());
    set(Prop::kButtonText, std::string());
    set(Prop::kButtonColor, int64_t{0xC0C0C0});
    set(Prop::kButtonTextColor, int64_t{0});
    set(Prop::kPicMask, std::string());
    set(Prop::kPicture, std::string());
    set(Prop::kDateCentury, int64_t{1});
    set(Prop::kDateSeparator, int64_t{'-'});
    set(Prop::kLock, int64_t{1});
    set(Prop::kBackColor, int64_t{0xFFFFFF});
    set(Prop::kForeColor, int64_t{0});
    set(Prop::kFontName, std::string("Arial"));
    set(Prop::kFontSize, 9.0);
    set(Prop::kFontCharSet, int64_t{1});
    return d;
  }();
  return kDefaults[static_cast<size_t>(p)];
}

// ---- CellArray ---------------------------------------------------------------------------
CellArray::Block CellArray::Allocate(size_t n) {
  if (n > std::numeric_limits<size_t>::max() / sizeof(Cell)) throw std::bad_alloc();
  const size_t bytes = n * sizeof(Cell);
  void* fresh = AllocateLargeBlock(bytes);
  if (!fresh) throw std::bad_alloc();
  return Block(static_cast<Cell*>(fresh), LargeBlockFree<Cell>{bytes});
}

void CellArray::resize(size_t n) {
  if (n == size_) return;
  if (n == 0) {
    clear();
    return;
  }
  if (n > size_ && size_ > 0) {
    // Growing keeps every cell where it is: the pages move, nothing is copied.
    if (n > std::numeric_limits<size_t>::max() / sizeof(Cell)) throw std::bad_alloc();
    const size_t bytes = n * sizeof(Cell);
    void* grown = GrowLargeBlock(data_.get(), size_ * sizeof(Cell), bytes);
    if (!grown) throw std::bad_alloc();
    (void)data_.release();
    data_ = Block(static_cast<Cell*>(grown), LargeBlockFree<Cell>{bytes});
    size_ = n;
    return;
  }
  Block fresh = Allocate(n);
  if (size_ > 0) std::memcpy(fresh.get(), data_.get(), std::min(n, size_) * sizeof(Cell));
  data_ = std::move(fresh);
  size_ = n;
}

void CellArray::CopyFrom(const CellArray& o) {
  CellArray copy;
  if (o.size_ > 0) {
    copy.data_ = Allocate(o.size_);
    std::memcpy(copy.data_.get(), o.data_.get(), o.size_ * sizeof(Cell));
    copy.size_ = o.size_;
  }
  swap(copy);
}

// ---- TextArena ---------------------------------------------------------------------------
TextArena::TextArena(const TextArena& o)
    : bytes_(o.bytes_), current_(o.current_), chunk_floor_(o.chunk_floor_), recent_(o.recent_),
      recent_next_(o.recent_next_) {
  chunks_.reserve(o.chunks_.size());
  for (const Chunk& c : o.chunks_) {
    Chunk copy = NewChunk(c.capacity);
    std::memcpy(copy.data.get(), c.data.get(), c.used);
    copy.used = c.used;
    chunks_.push_back(std::move(copy));
  }
}

TextArena& TextArena::operator=(const TextArena& o) {
  if (this != &o) {
    TextArena copy(o);
    swap(copy);
  }
  return *this;
}

void TextArena::AddChunk(size_t at_least) {
  size_t cap = chunks_.empty() ? kFirstChunk : std::min(chunks_.back().capacity * 2, kMaxChunk);
  cap = std::max({cap, chunk_floor_, at_least});
  if (chunks_.size() >= 0xFFFFFFFFu) Fail("SetText", "the column holds too many long texts");
  chunks_.push_back(NewChunk(cap));
}

TextArena::Chunk TextArena::NewChunk(size_t capacity) {
  char* fresh = static_cast<char*>(AllocateLargeBlock(capacity));
  if (!fresh) throw std::bad_alloc();
  Chunk c;
  c.data = std::unique_ptr<char, LargeBlockFree<char>>(fresh, LargeBlockFree<char>{capacity});
  c.capacity = capacity;
  return c;
}

void TextArena::Reset() {
  for (Chunk& c : chunks_) c.used = 0;
  bytes_ = 0;
  current_ = 0;
  recent_ = {};
  recent_next_ = 0;
}

void TextArena::MakeRoom(size_t bytes) {
  while (current_ < chunks_.size() && chunks_[current_].capacity - chunks_[current_].used < bytes) {
    if (current_ + 1 == chunks_.size()) break;
    ++current_;
  }
  if (chunks_.empty() || chunks_[current_].capacity - chunks_[current_].used < bytes) {
    AddChunk(bytes);
    current_ = chunks_.size() - 1;
  }
}

void TextArena::reserve(size_t bytes) {
  if (bytes > 0) MakeRoom(bytes);
}

uint64_t TextArena::Append(std::string_view text) {
  if (chunks_.empty() || chunks_[current_].capacity - chunks_[current_].used < text.size()) MakeRoom(text.size());
  Chunk& c = chunks_[current_];
  const uint64_t locator = (static_cast<uint64_t>(current_) << 32) | c.used;
  std::memcpy(c.data.get() + c.used, text.data(), text.size());
  c.used += text.size();
  bytes_ += text.size();
  return locator;
}

uint64_t TextArena::AppendShared(std::string_view text) {
  if (text.size() < 8 || text.size() > 0xFFFFFFFFu) return Append(text);
  uint64_t head;
  std::memcpy(&head, text.data(), 8);
  const uint32_t size = static_cast<uint32_t>(text.size());
  for (const Recent& r : recent_) {
    if (r.size == size && r.head == head && View(r.locator, size) == text) return r.locator;
  }
  const uint64_t locator = Append(text);
  recent_[recent_next_] = Recent{locator, size, head};
  recent_next_ = (recent_next_ + 1) % kRecent;
  return locator;
}

// ---- Column -----------------------------------------------------------------------------
Cell& Column::Grow(uint32_t slot) {
  // Grow geometrically: a column filled outside StoreValue (file loading) still grows in
  // amortised constant time.
  if (slot >= cells.size()) cells.resize(std::max<size_t>(static_cast<size_t>(slot) + 1, cells.size() * 2));
  return cells[slot];
}

void Column::Release(const Cell& c) {
  if (c.rep() == Cell::kArena) arena_garbage += c.arena_size();
}

bool Column::StoreTextAnyway(uint32_t slot, std::string_view s) {
  if (s.empty()) return !Erase(slot);
  if (s.size() > Grid::kMaxTextBytes) Fail("SetText", "text of " + std::to_string(s.size()) + " bytes is too long");
  Cell& c = Grow(slot);
  // Cells at and beyond `written` are known empty: a first fill never reads them.
  bool was_empty = true;
  if (slot >= written) {
    written = slot + 1;
  } else {
    was_empty = c.empty();
    Release(c);
  }
  if (s.size() <= Cell::kInlineMax) {
    c.set_inline(s);
  } else {
    if (cells.size() * sizeof(Cell) >= kHugePageBytes) arena.PreferFullChunks();
    c.set_arena(arena.AppendShared(s), static_cast<uint32_t>(s.size()));
  }
  if (arena_garbage > kCompactAfter && arena_garbage * 2 > arena.size()) CompactArena();
  return was_empty;
}

bool Column::StoreNumber(uint32_t slot, double v) {
  Cell& c = Grow(slot);
  bool was_empty = true;
  if (slot >= written) {
    written = slot + 1;
  } else {
    was_empty = c.empty();
    Release(c);
  }
  c.set_number(v);
  return was_empty;
}

bool Column::Erase(uint32_t slot) {
  if (Empty(slot)) return false;
  Release(cells[slot]);
  cells[slot].clear();
  return true;
}

bool Column::StoreCopy(uint32_t slot, const Column& src, uint32_t from) {
  const Cell* c = src.At(from);
  if (!c || c->empty()) {
    const bool was_empty = Empty(slot);
    Erase(slot);
    return was_empty;
  }
  if (c->rep() == Cell::kNumber) return StoreNumber(slot, c->number());
  if (&src == this) {
    const std::string copy(src.TextView(from));
    return StoreText(slot, copy);
  }
  return StoreText(slot, src.TextView(from));
}

void Column::CompactArena() {
  // With no long text left (the sheet was emptied) the arena keeps its chunks for the next
  // fill instead of handing them back and faulting new ones in.
  const size_t limit_all = std::min<size_t>(cells.size(), written);
  bool any_live = false;
  for (size_t i = 0; i < limit_all && !any_live; ++i) any_live = cells[i].rep() == Cell::kArena;
  if (!any_live) {
    arena.Reset();
    arena_garbage = 0;
    return;
  }
  TextArena fresh;
  fresh.reserve(arena.size() - std::min(arena.size(), arena_garbage));
  // Cells at and beyond `written` are empty; reading them would only fault their pages in.
  const size_t limit = std::min<size_t>(cells.size(), written);
  for (size_t i = 0; i < limit; ++i) {
    Cell& c = cells[i];
    if (c.rep() != Cell::kArena) continue;
    const uint32_t size = c.arena_size();
    c.set_arena(fresh.AppendShared(arena.View(c.arena_offset(), size)), size);
  }
  arena.swap(fresh);
  arena_garbage = 0;
}

void Column::ClearAll() {
  cells.clear();
  written = 0;
  arena.clear();
  arena_garbage = 0;
  data_cells = 0;
  style = Patch();
  cell_styles.clear();
  cell_props = 0;
  head_cell_props = 0;
  tags.clear();
  notes.clear();
}

// ---- RowBits ----------------------------------------------------------------------------
void RowBits::Resize(int32_t rows) {
  const int32_t old = size_;
  size_ = rows;
  words_.resize((static_cast<size_t>(rows) + 63) / 64, 0);
  if (rows < old && rows % 64 != 0) words_.back() &= (uint64_t{1} << (rows % 64)) - 1;
}

void RowBits::Set(int32_t row, bool on) {
  const size_t i = static_cast<size_t>(row - 1);
  const uint64_t m = uint64_t{1} << (i % 64);
  if (on) {
    words_[i / 64] |= m;
  } else {
    words_[i / 64] &= ~m;
  }
}

bool RowBits::Get(int32_t row) const {
  const size_t i = static_cast<size_t>(row - 1);
  return (words_[i / 64] >> (i % 64)) & 1;
}

void RowBits::InsertAt(int32_t row) {
  if (row < 1 || row > size_) return;
  const size_t i = static_cast<size_t>(row - 1);
  const size_t w = i / 64;
  const size_t b = i % 64;
  // Carry the top bit of each word into the next, from the last word down.
  for (size_t k = words_.size() - 1; k > w; --k) {
    words_[k] = (words_[k] << 1) | (words_[k - 1] >> 63);
  }
  const uint64_t low = b == 0 ? 0 : (words_[w] & ((uint64_t{1} << b) - 1));
  // The bits from b up move one place; at b == 63 the only one moved has gone to the next
  // word, and a shift by 64 is not defined, so that case is spelled out.
  const uint64_t high = b == 63 ? 0 : (words_[w] >> b) << (b + 1);
  words_[w] = high | low;
  if (size_ % 64 != 0) words_.back() &= (uint64_t{1} << (size_ % 64)) - 1;
}

void RowBits::EraseAt(int32_t row) {
  if (row < 1 || row > size_) return;
  const size_t i = static_cast<size_t>(row - 1);
  const size_t w = i / 64;
  const size_t b = i % 64;
  const uint64_t low = b == 0 ? 0 : (words_[w] & ((uint64_t{1} << b) - 1));
  const uint64_t high = b == 63 ? 0 : ((words_[w] >> (b + 1)) << b);
  words_[w] = high | low;
  for (size_t k = w; k + 1 < words_.size(); ++k) {
    words_[k] |= (words_[k + 1] & 1) << 63;
    words_[k + 1] >>= 1;
  }
}

int32_t RowBits::LastSet(int32_t limit) const {
  if (limit > size_) limit = size_;
  if (limit < 1) return 0;
  size_t i = static_cast<size_t>(limit - 1);
  size_t w = i / 64;
  uint64_t word = words_[w];
  const size_t b = i % 64;
  if (b != 63) word &= (uint64_t{2} << b) - 1;
  while (true) {
    if (word != 0) return static_cast<int32_t>(w * 64 + 63 - std::countl_zero(word)) + 1;
    if (w == 0) return 0;
    word = words_[--w];
  }
}

void RowBits::ClearAll() { std::fill(words_.begin(), words_.end(), 0); }

// ---- GridModel --------------------------------------------------------------------------
GridModel::GridModel() {
  for (size_t i = 0; i < kPropCount; ++i) {
    sheet_style.Set(static_cast<Prop>(i), 0, DefaultProp(static_cast<Prop>(i)));
  }
  cols.push_back(std::make_unique<Column>());
  head_slots.push_back(NewSlot());
}

bool GridModel::ValidCol(int32_t c) const {
  if (c >= 0) return c <= max_cols;
  return c >= -1000 && c + 1000 < head_cols();
}

bool GridModel::ValidRow(int32_t r) const {
  if (r >= 0) return r <= max_rows;
  return r >= -1000 && r + 1000 < head_rows();
}

const Column& GridModel::ColumnAtOther(const char* who, int32_t c) const {
  if (c >= 0) {
    if (c > max_cols) Fail(who, "column " + AddrText(c) + " is beyond MaxCols " + AddrText(max_cols));
    return *cols[static_cast<size_t>(c)];
  }
  if (c >= -1000 && c + 1000 < head_cols()) {
    const int32_t n = c + 1000;
    return n == 0 ? *cols[0] : *extra_head_cols[static_cast<size_t>(n - 1)];
  }
  if (c >= -1000 && c < -1000 + Grid::kMaxHeaders) {
    Fail(who, "row-header column " + AddrText(c + 1000) + " is beyond RowHeaderCols " +
                  AddrText(head_cols()));
  }
  Fail(who, "column " + AddrText(c) + " does not name one column");
}

uint32_t GridModel::SlotOfOther(const char* who, int32_t r) const {
  if (r >= 1) {
    if (r > max_rows) Fail(who, "row " + AddrText(r) + " is beyond MaxRows " + AddrText(max_rows));
    return row_map[static_cast<size_t>(r - 1)];
  }
  if (r == 0) return head_slots[0];
  if (r >= -1000 && r + 1000 < head_rows()) return head_slots[static_cast<size_t>(r + 1000)];
  if (r >= -1000 && r < -1000 + Grid::kMaxHeaders) {
    Fail(who, "header row " + AddrText(r + 1000) + " is beyond ColHeaderRows " + AddrText(head_rows()));
  }
  Fail(who, "row " + AddrText(r) + " does not name one row");
}

void GridModel::CheckColAll(const char* who, int32_t c) const {
  if (c == -1) return;
  (void)ColumnAt(who, c);
}

void GridModel::CheckRowAll(const char* who, int32_t r) const {
  if (r == -1) return;
  (void)SlotOf(who, r);
}

uint32_t GridModel::NewSlot() {
  if (!free_slots.empty()) {
    const uint32_t s = free_slots.back();
    free_slots.pop_back();
    return s;
  }
  if (slot_count == std::numeric_limits<uint32_t>::max()) Fail("MaxRows", "out of row slots");
  row_cells.push_back(0);
  return slot_count++;
}

void GridModel::ClearSlot(uint32_t slot, int32_t data_row) {
  // A data row's slot holds a cell or row format only when some format was set on data rows
  // (the props marks); the titles' formats in header rows must not cost every emptied data
  // row a map lookup per column.
  const bool data = data_row >= 1;
  for (size_t i = 0; i < cols.size(); ++i) {
    Column& c = *cols[i];
    if (c.Erase(slot)) NoteCell(c, i >= 1, data_row, slot, -1);
    if (!c.cell_styles.empty() && (!data || c.cell_props != 0)) c.cell_styles.erase(slot);
    if (!c.tags.empty()) c.tags.erase(slot);
    if (!c.notes.empty()) c.notes.erase(slot);
  }
  for (auto& p : extra_head_cols) {
    Column& c = *p;
    c.Erase(slot);
    if (!c.cell_styles.empty()) c.cell_styles.erase(slot);
    if (!c.tags.empty()) c.tags.erase(slot);
    if (!c.notes.empty()) c.notes.erase(slot);
  }
  EraseRowEntries(slot, data);
  row_cells[slot] = 0;
}

void GridModel::EraseRowEntries(uint32_t slot, bool data) {
  if (!row_styles.empty() && (!data || row_props != 0)) row_styles.erase(slot);
  if (!row_heights.empty()) row_heights.erase(slot);
  if (!hidden_rows.empty()) hidden_rows.erase(slot);
  if (!row_merge.empty()) row_merge.erase(slot);
}

void GridModel::ReleaseSlot(uint32_t slot, int32_t data_row) {
  ClearSlot(slot, data_row);
  free_slots.push_back(slot);
}

void GridModel::NoteRowFilled(int32_t r) {
  data_rows.Set(r, true);
  if (r > data_row_cnt) data_row_cnt = r;
}

void GridModel::NoteRowEmptied(int32_t r) {
  data_rows.Set(r, false);
  if (r == data_row_cnt) data_row_cnt = data_rows.LastSet(r - 1);
}

void GridModel::RecountRows(int32_t first, int32_t last) {
  for (int32_t r = first; r <= last; ++r) {
    const uint32_t slot = row_map[static_cast<size_t>(r - 1)];
    data_rows.Set(r, row_cells[slot] > 0);
  }
  RefreshDataRowCnt();
}

void GridModel::RefreshDataRowCnt() { data_row_cnt = data_rows.LastSet(max_rows); }

void GridModel::ReleaseAllDataRows() {
  // The same steps as ClearSlot's, in the same cases (a data slot holds cell or row formats
  // only when some format was set on data rows).
  for (size_t i = 0; i < cols.size(); ++i) {
    Column& c = *cols[i];
    for (const uint32_t slot : row_map) c.Erase(slot);
    if (i >= 1) c.data_cells = 0;
    // Every slot that is not a header row's is a data row's (free slots hold nothing).
    if (c.cell_props != 0) c.cell_styles.KeepOnly(head_slots);
    if (!c.tags.empty()) {
      for (const uint32_t slot : row_map) c.tags.erase(slot);
    }
    if (!c.notes.empty()) {
      for (const uint32_t slot : row_map) c.notes.erase(slot);
    }
  }
  for (auto& p : extra_head_cols) {
    Column& c = *p;
    c.cell_styles.KeepOnly(head_slots);
    for (const uint32_t slot : row_map) {
      c.Erase(slot);
      if (!c.tags.empty()) c.tags.erase(slot);
      if (!c.notes.empty()) c.notes.erase(slot);
    }
  }
  free_slots.reserve(free_slots.size() + row_map.size());
  for (size_t r = row_map.size(); r-- > 0;) {
    const uint32_t slot = row_map[r];
    EraseRowEntries(slot, true);
    row_cells[slot] = 0;
    free_slots.push_back(slot);
  }
}

void GridModel::Compact() {
  std::vector<uint32_t> new_of(slot_count, std::numeric_limits<uint32_t>::max());
  uint32_t next = 0;
  for (uint32_t& s : head_slots) {
    new_of[s] = next;
    s = next++;
  }
  for (uint32_t& s : row_map) {
    new_of[s] = next;
    s = next++;
  }
  auto remap_map = [&new_of](auto& m) {
    std::remove_reference_t<decltype(m)> fresh;
    fresh.reserve(m.size());
    for (auto& [k, v] : m) {
      if (k < new_of.size() && new_of[k] != std::numeric_limits<uint32_t>::max()) {
        fresh.emplace(new_of[k], std::move(v));
      }
    }
    m.swap(fresh);
  };
  // The cells are renumbered inside their own array: the live ones are taken out (leaving
  // zeros) and put back at their new numbers. Keeping the array keeps its pages, so a sheet
  // that is emptied and filled again (Display does it on every call) writes to memory it
  // already has instead of faulting a fresh array in.
  std::vector<std::pair<uint32_t, Cell>> live;
  ForEachColumn([&](Column& c) {
    live.clear();
    const uint32_t limit = static_cast<uint32_t>(std::min<size_t>(c.cells.size(), c.written));
    uint32_t used = 0;  // one past the last non-empty cell in the new numbering
    for (uint32_t s = 0; s < limit; ++s) {
      Cell& cell = c.cells[s];
      if (cell.empty()) continue;
      const uint32_t n = new_of[s];
      if (n == std::numeric_limits<uint32_t>::max()) {
        if (cell.rep() == Cell::kArena) c.arena_garbage += cell.arena_size();
      } else {
        live.emplace_back(n, cell);
        used = std::max(used, n + 1);
      }
      cell.clear();
    }
    if (used > c.cells.size()) c.cells.resize(used);
    for (const auto& [n, cell] : live) c.cells[n] = cell;
    c.written = used;
    if (c.arena_garbage > 0) c.CompactArena();
    c.cell_styles.Renumber(new_of);
    remap_map(c.tags);
    remap_map(c.notes);
  });
  remap_map(row_styles);
  remap_map(row_heights);
  remap_map(row_merge);
  std::unordered_set<uint32_t> hidden;
  for (uint32_t s : hidden_rows) {
    if (new_of[s] != std::numeric_limits<uint32_t>::max()) hidden.insert(new_of[s]);
  }
  hidden_rows.swap(hidden);
  SlotVector counts(next, 0);
  for (uint32_t s = 0; s < slot_count; ++s) {
    if (new_of[s] != std::numeric_limits<uint32_t>::max()) counts[new_of[s]] = row_cells[s];
  }
  // The arrays keep their capacity: a sheet emptied and filled again (each Display) reuses
  // memory it already has.
  row_cells.assign(counts.begin(), counts.end());
  slot_count = next;
  free_slots.clear();
}

const PropValue& GridModel::Resolve(Prop p, const Column& c, uint32_t slot) const {
  const PatchEntry* best = SheetEntry(p);
  if (const PatchEntry* e = c.style.Find(p); e && e->stamp > best->stamp) best = e;
  if (((row_props | head_row_props) & PropBit(p)) && !row_styles.empty()) {
    if (auto it = row_styles.find(slot); it != row_styles.end()) {
      if (const PatchEntry* e = it->second.Find(p); e && e->stamp > best->stamp) best = e;
    }
  }
  if (((c.cell_props | c.head_cell_props) & PropBit(p)) && !c.cell_styles.empty()) {
    if (const Patch* cell = c.cell_styles.Find(slot)) {
      if (const PatchEntry* e = cell->Find(p); e && e->stamp > best->stamp) best = e;
    }
  }
  return best->value;
}

const PropValue& GridModel::ResolveColumn(Prop p, const Column& c) const {
  const PatchEntry* best = SheetEntry(p);
  if (const PatchEntry* e = c.style.Find(p); e && e->stamp > best->stamp) best = e;
  return best->value;
}

const PropValue& GridModel::ResolveRow(Prop p, uint32_t slot) const {
  const PatchEntry* best = sheet_style.Find(p);
  if (auto it = row_styles.find(slot); it != row_styles.end()) {
    if (const PatchEntry* e = it->second.Find(p); e && e->stamp > best->stamp) best = e;
  }
  return best->value;
}

int16_t GridModel::KindOfAny(const Column& c, uint32_t slot) const {
  return static_cast<int16_t>(AsInt(Resolve(Prop::kKind, c, slot)));
}

int16_t GridModel::HeadKindOf(const Column& c, uint32_t slot) const {
  const PatchEntry* best = nullptr;
  if (auto it = row_styles.find(slot); it != row_styles.end()) best = it->second.Find(Prop::kKind);
  if (const Patch* cell = c.cell_styles.Find(slot)) {
    if (const PatchEntry* e = cell->Find(Prop::kKind); e && (!best || e->stamp > best->stamp)) best = e;
  }
  return best ? static_cast<int16_t>(AsInt(best->value)) : int16_t{kCellStatic};
}

}  // namespace zel::internal
