#include "columns/combo_items.h"

#include <utility>

#include "columns/cell_conversions.h"
#include "text/strings.h"

namespace zel::internal {
namespace {

// Calls `visit(item)` for each TAB-ended item of `list` (a last piece without a TAB is an
// item too, as the grid counts it) until `visit` returns true. Returns the index at which it
// stopped, or -1.
template <class Visit>
int32_t FindItem(std::string_view list, Visit visit) {
  int32_t index = 0;
  size_t start = 0;
  while (start < list.size()) {
    size_t tab = list.find('\t', start);
    if (tab == std::string_view::npos) tab = list.size();
    if (visit(list.substr(start, tab - start))) return index;
    ++index;
    start = tab + 1;
  }
  return -1;
}

// The code of an item as a field is compared with it: the last `codeSize` characters of the
// trimmed item text, trimmed.
std::string_view ItemKey(std::string_view item, int32_t codeSize) {
  return text::TrimView(LastChars(text::TrimView(item), codeSize));
}

// What a non-empty field is compared as: its last `codeSize` characters, trimmed.
std::string_view FieldKey(std::string_view wanted, int32_t codeSize) {
  return text::TrimView(LastChars(wanted, codeSize));
}

}  // namespace

int32_t SelectComboItem(std::string_view list, std::string_view field, int32_t codeSize, bool takeFirst,
                        std::string_view& item) {
  const std::string_view wanted = text::TrimView(field);
  std::string_view key = wanted;
  if (codeSize > 0) {
    key = FieldKey(wanted, codeSize);
  } else {
    codeSize = text::Len(key);
  }
  if (wanted.empty()) {
    int32_t chosen = -1;
    FindItem(list, [&](std::string_view it) {
      if (ItemKey(it, codeSize).empty() || takeFirst) {
        chosen = 0;
        item = it;
      }
      return true;
    });
    return chosen;
  }
  return FindItem(list, [&](std::string_view it) {
    if (ItemKey(it, codeSize) != key) return false;
    item = it;
    return true;
  });
}

ComboCodeIndex::ComboCodeIndex(std::string list, int32_t codeSize)
    : list_(std::move(list)), code_size_(codeSize) {
  bool first = true;
  FindItem(list_, [&](std::string_view item) {
    if (first) first_ = item;
    first = false;
    by_code_.emplace(ItemKey(item, code_size_), item);  // keeps the first item of a code
    return false;
  });
}

std::optional<std::string_view> ComboCodeIndex::Find(std::string_view field) const {
  if (list_.empty()) return std::nullopt;
  const std::string_view wanted = text::TrimView(field);
  if (wanted.empty()) {
    if (ItemKey(first_, code_size_).empty()) return first_;
    return std::nullopt;
  }
  const auto it = by_code_.find(FieldKey(wanted, code_size_));
  if (it == by_code_.end()) return std::nullopt;
  return it->second;
}

}  // namespace zel::internal
