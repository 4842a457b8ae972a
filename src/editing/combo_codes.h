// A combo list indexed by item code, for writers that select items in many cells of one
// column (Display): the list is read and split once, and each cell's item is one lookup.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace zel::internal {

class ComboCodeIndex {
 public:
  // Indexes `list` (TAB-ended items, as the grid keeps it) by the last `codeSize` characters
  // of each item. Requires codeSize > 0.
  ComboCodeIndex(std::string list, int32_t codeSize);
  ComboCodeIndex(const ComboCodeIndex&) = delete;  // the index points into list_
  ComboCodeIndex& operator=(const ComboCodeIndex&) = delete;

  // The item text SetItemToComboBox(col, row, field, codeSize, false) writes into a cell
  // showing this list, or nullopt when it writes nothing (empty list, no matching item).
  std::optional<std::string_view> Find(std::string_view field) const;

 private:
  std::string list_;
  int32_t code_size_;
  std::string_view first_;  // the first item, chosen by an empty field when its code is empty
  std::unordered_map<std::string_view, std::string_view> by_code_;  // first item per code
};

}  // namespace zel::internal
