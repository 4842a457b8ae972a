// Data add mode: a screen appends query after query below the rows it already shows, then
// sorts the rows by their text columns (DataAddSort) and drops the rows that came twice
// (DataAddRemoveRow).
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "editing/duplicate_rows.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

namespace {

// The rows' joined texts, kept in one buffer: row r's text is text(r).
class RowJoins {
 public:
  RowJoins(const Grid& grid, int32_t firstRow, int32_t lastRow, int32_t maxCols,
           std::string_view sp)
      : first_(firstRow) {
    ends_.reserve(static_cast<size_t>(lastRow - firstRow + 1));
    std::string cell;
    for (int32_t r = firstRow; r <= lastRow; ++r) {
      for (int32_t c = 1; c <= maxCols; ++c) {
        grid.GetText(c, r, cell);
        buffer_ += cell;
        buffer_ += sp;
      }
      ends_.push_back(buffer_.size());
    }
    // Below the data every cell is empty: the join is the separators alone.
    for (int32_t c = 1; c <= maxCols; ++c) empty_ += sp;
  }

  // Row r's join; rows beyond the ones read are empty rows.
  std::string_view text(int32_t r) const {
    const size_t i = static_cast<size_t>(r - first_);
    if (r < first_ || i >= ends_.size()) return empty_;
    const size_t begin = i == 0 ? 0 : ends_[i - 1];
    return std::string_view(buffer_).substr(begin, ends_[i] - begin);
  }

 private:
  int32_t first_;
  std::string buffer_;
  std::vector<size_t> ends_;
  std::string empty_;
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
// whole rows with everything in them), then one block deletion removes the rest.
void KeepRows(Grid& grid, int32_t first, int32_t last, const std::vector<int32_t>& kept) {
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
      try {
        grid.MaxCols(max_cols);
        grid.SortKey(1, key1);
        grid.SortKeyOrder(1, order1);
        grid.SortBy(sort_by);
      } catch (const std::exception&) {
        // Each value was read from the grid, which takes it back.
      }
    }
  } restore{grid, maxCols, grid.SortBy(), grid.SortKey(1), grid.SortKeyOrder(1)};

  // Every key is different, so the first sort key alone decides the order.
  int32_t nextDropped = static_cast<int32_t>(kept.size());
  size_t k = 0;
  for (int32_t r = first; r <= last; ++r) {
    if (k < kept.size() && kept[k] == r) {
      grid.SetInteger(keyCol, r, static_cast<int32_t>(k));
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
  grid.Row(first);
  grid.Row2(last);
  grid.Action(kActionSort);

  const int32_t firstDropped = first + static_cast<int32_t>(kept.size());
  if (firstDropped <= last) {
    BlockModeScope block(grid, true);
    grid.Row(firstDropped);
    grid.Row2(last);
    grid.Action(kActionDeleteRow);
  }
}

}  // namespace

std::string ZelSheet::GetRowJoin(int32_t lngRow, const std::string& sp) const {
  std::string out;
  std::string cell;
  const int32_t maxCols = grid_.MaxCols();
  for (int32_t c = 1; c <= maxCols; ++c) {
    grid_.GetText(c, lngRow, cell);
    out += cell;
    out += sp;
  }
  return out;
}

void ZelSheet::DataAddSort(int32_t /*startRow*/) {
  const int32_t first = grid_.RowsFrozen() + 1;
  const int32_t last = grid_.DataRowCnt();
  if (last < first) return;
  int32_t keys = 0;
  const int32_t maxCols = grid_.MaxCols();
  for (int32_t c = 1; c <= maxCols; ++c) {
    const int32_t defCol = grid_.GetColItemData(c);
    if (columns_.HasDef(defCol) && columns_.Def(defCol).cell_type == EnText) {
      ++keys;
      grid_.SortKey(keys, c);
      grid_.SortKeyOrder(keys, kSortAscending);
    }
  }
  // Without a text column there is nothing to sort by; the keys of an earlier sort must not
  // reorder the rows instead.
  if (keys == 0) return;
  grid_.Col(-1);
  grid_.Col2(-1);
  grid_.Row(first);
  grid_.Row2(last);
  grid_.SortBy(kSortByRow);
  grid_.Action(kActionSort);
}

void ZelSheet::DataAddRemoveRow() {
  {
    // Every status goes: after the merge of several queries no row is pending.
    BlockModeScope single(grid_, false);
    grid_.Col(0);
    grid_.Row(-1);
    grid_.Text("");
  }

  const int32_t first = grid_.RowsFrozen() + 1;
  const int32_t last = grid_.DataRowCnt();
  const int32_t maxCols = grid_.MaxCols();
  if (last >= first && maxCols > 0) {
    const RowJoins joins(grid_, first - 1, last, maxCols, "|");
    const std::vector<int32_t> kept = internal::RowsLeftAfterDuplicateRemoval(
        first, last, maxCols,
        [&joins](int32_t a, int32_t b) { return joins.text(a) == joins.text(b); });
    if (static_cast<int32_t>(kept.size()) < last - first + 1) KeepRows(grid_, first, last, kept);
  }
  // The empty rows left at the bottom go.
  MaxRows(grid_.DataRowCnt());
}

}  // namespace zel
