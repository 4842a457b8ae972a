// Choosing a combo item by its code: the one rule SetItemToComboBox applies cell by cell and
// an index applies to many cells of one column (Display).
//
// A list is one text in which every item ends with a TAB; an item text is the caption, 50
// blanks and the code ("Seoul" + 50 blanks + "01" TAB "Busan" + 50 blanks + "02" TAB), so
// the code sits outside the visible width. The code of an item is its last n characters, n
// being the column's code length; a field selects the first item whose code, trimmed, equals
// the field's last n characters, trimmed. With no code length n is the field's own length.
// An empty field selects the first item when that item's code is empty, or when asked to.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace zel::internal {

// The item of `list` that `field` selects with code length `codeSize` (0: none), the first
// item taking an empty field when `takeFirst`. Returns the item's index (from 0) and sets
// `item` to its text; -1 when the field selects nothing.
int32_t SelectComboItem(std::string_view list, std::string_view field, int32_t codeSize, bool takeFirst,
                        std::string_view& item);

// A list indexed by item code, for writers that select items in many cells of one column.
class ComboCodeIndex {
 public:
  // Indexes `list` by code length `codeSize`. Requires codeSize > 0.
  ComboCodeIndex(std::string list, int32_t codeSize);
  ComboCodeIndex(const ComboCodeIndex&) = delete;  // the index points into list_
  ComboCodeIndex& operator=(const ComboCodeIndex&) = delete;

  // The item text SelectComboItem(list, field, codeSize, false) finds, or nullopt.
  std::optional<std::string_view> Find(std::string_view field) const;

 private:
  std::string list_;
  int32_t code_size_;
  std::string_view first_;  // the first item, chosen by an empty field when its code is empty
  std::unordered_map<std::string_view, std::string_view> by_code_;  // first item per code
};

}  // namespace zel::internal
