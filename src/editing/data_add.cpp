// Data add mode: a screen appends query after query below the rows it already shows, then
// sorts the rows by their text columns (DataAddSort) and drops the rows that came twice
// (DataAddRemoveRow).
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "editing/duplicate_rows.h"
#include "platform/failure.h"
#include "sheet/sheet_state.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

using internal::SkipStep;

namespace {

// Compares rows by their GetRowJoin texts without keeping those texts: each row's join is
// built once in a reused buffer and only its hash is kept; rows whose hashes agree are joined
// again and compared in full, so a hash collision never makes two rows equal.
class RowJoinComparer {
 public:
  RowJoinComparer(const Grid& grid, int32_t firstRow, int32_t lastRow, int32_t maxCols,
                  std::string_view sp)
      : grid_(grid), first_(firstRow), last_(lastRow), max_cols_(maxCols), sp_(sp) {
    hashes_.reserve(static_cast<size_t>(lastRow - firstRow + 1));
    for (int32_t r = firstRow; r <= lastRow; ++r) {
      Join(r, a_);
      hashes_.push_back(std::hash<std::string_view>{}(a_));
    }
    Join(lastRow + 1, a_);
    empty_hash_ = std::hash<std::string_view>{}(a_);
  }

  // Whether rows a and b join to the same text; rows beyond the last are empty rows.
  bool Same(int32_t a, int32_t b) {
    if (Hash(a) != Hash(b)) return false;
    Join(a, a_);
    Join(b, b_);
    return a_ == b_;
  }

 private:
  size_t Hash(int32_t r) const {
    return r > last_ ? empty_hash_ : hashes_[static_cast<size_t>(r - first_)];
  }
  // Row r's join into `out`; below the data every cell is empty, so only the separators.
  void Join(int32_t r, std::string& out) {
    out.clear();
    for (int32_t c = 1; c <= max_cols_; ++c) {
      if (r <= last_) {
        grid_.GetText(c, r, cell_);
        out += cell_;
      }
      out += sp_;
    }
  }

  const Grid& grid_;
  int32_t first_, last_, max_cols_;
  std::string_view sp_;
  std::vector<size_t> hashes_;
  size_t empty_hash_ = 0;
  std::string a_, b_, cell_;
};

// Puts BlockMode back as it was when the scope ends.
class BlockModeScope {
 public:
  BlockModeScope(Grid& grid, bool on) : grid_(grid), before_(grid.BlockMode()) {
    grid_.BlockMode(on);
  }
  ~BlockModeScope() { grid_.BlockMode(before_); }
  BlockModeScope(const BlockModeScope&) = delete;
  BlockModeScope& operator=(const BlockModeScope&) = delete;

 private:
  Grid& grid_;
  bool before_;
};

// Moves the rows `kept` (ascending, within first..last) to first, first + 1, ... in their
// order and deletes the other rows of first..last, as many single-row deletions would, but
// in one pass: a stable sort by a temporary key column brings the kept rows up (a sort moves
// whole rows with everything in them), then one block deletion removes the rest. The rows
// above the first dropped one stay where they are and are left out of the sort.
void KeepRows(Grid& grid, int32_t first, int32_t last, const std::vector<int32_t>& kept) {
  size_t k = 0;
  while (k < kept.size() && kept[k] == first + static_cast<int32_t>(k)) ++k;
  const int32_t from = first + static_cast<int32_t>(k);  // the first row that is dropped
  if (from > last) return;

  const int32_t maxCols = grid.MaxCols();
  const int32_t keyCol = maxCols + 1;
  grid.MaxCols(keyCol);
  struct Restore {
    Grid& grid;
    int32_t max_cols;
    int16_t sort_by;
    int32_t key1;
    int16_t order1;
    ~Restore() {
      // Each value was read from the grid, which takes it back.
      SkipStep([&] {
        grid.MaxCols(max_cols);
        grid.SortKey(1, key1);
        grid.SortKeyOrder(1, order1);
        grid.SortBy(sort_by);
      });
    }
  } restore{grid, maxCols, grid.SortBy(), grid.SortKey(1), grid.SortKeyOrder(1)};

  // Every key is different, so the first sort key alone decides the order.
  int32_t nextKept = 0;
  int32_t nextDropped = static_cast<int32_t>(kept.size() - k);
  for (int32_t r = from; r <= last; ++r) {
    if (k < kept.size() && kept[k] == r) {
      grid.SetInteger(keyCol, r, nextKept++);
      ++k;
    } else {
      grid.SetInteger(keyCol, r, nextDropped++);
    }
  }
  grid.SortBy(kSortByRow);
  grid.SortKey(1, keyCol);
  grid.SortKeyOrder(1, kSortAscending);
  grid.Col(-1);
  grid.Col2(-1);
  grid.Row(from);
  grid.Row2(last);
  grid.Action(kActionSort);

  BlockModeScope block(grid, true);
  grid.Row(from + nextKept);
  grid.Row2(last);
  grid.Action(kActionDeleteRow);
}

}  // namespace

std::string ZelSheet::GetRowJoin(int32_t lngRow, const std::string& sp) const {
  std::string out;
  std::string cell;
  const int32_t maxCols = impl_->grid.MaxCols();
  for (int32_t c = 1; c <= maxCols; ++c) {
    impl_->grid.GetText(c, lngRow, cell);
    out += cell;
    out += sp;
  }
  return out;
}

void ZelSheet::DataAddSort(int32_t /*startRow*/) {
  const int32_t first = impl_->grid.RowsFrozen() + 1;
  const int32_t last = impl_->grid.DataRowCnt();
  if (last < first) return;
  int32_t keys = 0;
  const int32_t maxCols = impl_->grid.MaxCols();
  for (int32_t c = 1; c <= maxCols; ++c) {
    const int32_t defCol = impl_->grid.GetColItemData(c);
    if (impl_->columns.HasDef(defCol) && impl_->columns.Def(defCol).cell_type == EnText) {
      ++keys;
      impl_->grid.SortKey(keys, c);
      impl_->grid.SortKeyOrder(keys, kSortAscending);
    }
  }
  // Without a text column there is nothing to sort by; the keys of an earlier sort must not
  // reorder the rows instead.
  if (keys == 0) return;
  impl_->grid.Col(-1);
  impl_->grid.Col2(-1);
  impl_->grid.Row(first);
  impl_->grid.Row2(last);
  impl_->grid.SortBy(kSortByRow);
  impl_->grid.Action(kActionSort);
}

void ZelSheet::DataAddRemoveRow() {
  {
    // Every status goes: after the merge of several queries no row is pending.
    BlockModeScope single(impl_->grid, false);
    impl_->grid.Col(0);
    impl_->grid.Row(-1);
    impl_->grid.Text("");
  }

  const int32_t first = impl_->grid.RowsFrozen() + 1;
  const int32_t last = impl_->grid.DataRowCnt();
  const int32_t maxCols = impl_->grid.MaxCols();
  if (last >= first && maxCols > 0) {
    RowJoinComparer rows(impl_->grid, first - 1, last, maxCols, "|");
    const std::vector<int32_t> kept = internal::RowsLeftAfterDuplicateRemoval(
        first, last, maxCols, [&rows](int32_t a, int32_t b) { return rows.Same(a, b); });
    if (static_cast<int32_t>(kept.size()) < last - first + 1) {
      KeepRows(impl_->grid, first, last, kept);
    }
  }
  // The empty rows left at the bottom go.
  MaxRows(impl_->grid.DataRowCnt());
}

}  // namespace zel
