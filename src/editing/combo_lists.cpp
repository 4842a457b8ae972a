// Combo lists: how a column's list is built from text, and how an item is chosen by its code.
//
// A list is one text in which every item ends with a TAB. An item text is the caption, 50
// blanks and the code, so the code sits outside the visible width and the drop-down shows
// captions only:
//
//   "Seoul" + 50 blanks + "01" TAB "Busan" + 50 blanks + "02" TAB
//
// The code of an item is its last n characters, n being the column's code length (its
// declared maximum length); with no code length it is the part after the last blank.
// Screens pass items as "caption~,code" TAB (InitCombo) or as a data string of code lists
// (InitComboStringArray).
#include <exception>
#include <utility>

#include "editing/combo_codes.h"
#include "exchange/data_string.h"
#include "sheet/sheet_state.h"
#include "text/strings.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

namespace {

constexpr int32_t kCodeGap = 50;  // blanks between an item's caption and its code

// Calls `visit(index, item)` for each TAB-ended item of `list` (a last piece without a TAB
// is an item too, as the grid counts it) until `visit` returns true. Returns the index at
// which it stopped, or -1.
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

// The last `n` characters of `s`. Codes are nearly always ASCII, and when the last n bytes
// are ASCII they are the last n characters whatever precedes them; only other texts need
// the character count from the start. Display selects an item per combo cell, so this is
// on its hot path.
std::string_view LastChars(std::string_view s, int32_t n) {
  const size_t bytes = static_cast<size_t>(n);
  if (bytes <= s.size()) {
    bool ascii = true;
    for (size_t i = s.size() - bytes; i < s.size(); ++i) {
      if (static_cast<unsigned char>(s[i]) >= 0x80) {
        ascii = false;
        break;
      }
    }
    if (ascii) return s.substr(s.size() - bytes);
  }
  return text::RightView(s, n);
}

// The code part of an item as the selection compares it: the last `codeSize` characters of
// the trimmed item text, trimmed.
std::string_view ItemCode(std::string_view item, int32_t codeSize) {
  return text::TrimView(LastChars(text::TrimView(item), codeSize));
}

}  // namespace

namespace internal {

ComboCodeIndex::ComboCodeIndex(std::string list, int32_t codeSize)
    : list_(std::move(list)), code_size_(codeSize) {
  bool first = true;
  FindItem(list_, [&](std::string_view item) {
    if (first) first_ = item;
    first = false;
    by_code_.emplace(ItemCode(item, code_size_), item);  // keeps the first item of a code
    return false;
  });
}

std::optional<std::string_view> ComboCodeIndex::Find(std::string_view field) const {
  // Mirrors SetItemToComboBox with a code length and no default.
  if (list_.empty()) return std::nullopt;
  const std::string_view wanted = text::TrimView(field);
  if (wanted.empty()) {
    if (ItemCode(first_, code_size_).empty()) return first_;
    return std::nullopt;
  }
  const auto it = by_code_.find(text::TrimView(LastChars(wanted, code_size_)));
  if (it == by_code_.end()) return std::nullopt;
  return it->second;
}

}  // namespace internal

void ZelSheet::SetItemToComboBox(int32_t lngCol, int32_t lngRow, const std::string& strItem,
                                 int16_t intCodeSize, bool blnDefault) {
  try {
    impl_->grid.Col(lngCol);
    impl_->grid.Row(lngRow);
    const std::string list = impl_->grid.TypeComboBoxList();
    if (list.empty()) return;  // no items

    const std::string_view wanted = text::TrimView(strItem);
    int32_t codeSize = intCodeSize > 0 ? intCodeSize : 0;
    std::string_view key;
    if (codeSize > 0) {
      key = text::TrimView(LastChars(wanted, codeSize));
    } else {
      key = wanted;
      codeSize = text::Len(key);
    }

    // One pass finds the item and keeps its text for the write (Display calls this per cell).
    int32_t chosen = -1;
    std::string_view item;
    if (wanted.empty()) {
      // No code: the first item is chosen when it is the empty item, or when asked to.
      FindItem(list, [&](std::string_view it) {
        if (ItemCode(it, codeSize).empty() || blnDefault) {
          chosen = 0;
          item = it;
        }
        return true;
      });
    } else {
      chosen = FindItem(list, [&](std::string_view it) {
        if (ItemCode(it, codeSize) != key) return false;
        item = it;
        return true;
      });
    }
    if (chosen < 0) return;  // no match: the selection stays as it was

    if (lngCol >= 0 && lngRow >= 0) {
      // One cell: write the item text itself; the grid checks it against the list.
      impl_->grid.SetText(lngCol, lngRow, item);
    } else {
      impl_->grid.TypeComboBoxCurSel(chosen);
    }
  } catch (const std::exception&) {
    // A cell without a list or outside the grid keeps its selection.
  }
}

void ZelSheet::InitCombo(const std::string& strItems, int16_t intDefault, bool blnClearList,
                         int32_t lngCol, int32_t lngRow, bool IsFlg) {
  // Lists are built when the sheet formats its cells itself; a sheet restored from a stored
  // layout already carries its lists.
  // TODO(settings): run sbSetSheetInfo here once the settings restore provides it.
  if (!impl_->settings.format_on_define && !impl_->flags.is_clear_header_info && !IsFlg) return;
  try {
    const int32_t gridCol = ColX(lngCol);
    const int32_t gridRow = lngRow == 0 ? -1 : lngRow;
    std::string current;
    impl_->grid.Col(gridCol);
    if (blnClearList) {
      if (lngRow != 0) {
        impl_->grid.Row(lngRow);
        impl_->grid.TypeComboBoxList("");
      } else {
        impl_->grid.Row(-1);
        impl_->grid.Action(kActionComboClear);
      }
    } else {
      impl_->grid.Row(gridRow);
      current = impl_->grid.TypeComboBoxList();
    }

    const std::string items = text::Trim(text::Replace(strItems, "~,", text::Space(kCodeGap)));
    std::string list;
    if (intDefault == 1) {
      // The empty first item: 50 blanks, so that a blank code selects it.
      list = current + text::Space(kCodeGap) + "\t" + items;
    } else if (text::TrimView(current).empty()) {
      list = items;
    } else {
      list = current + items;
    }
    fnSSSetTypeComboBox(false, list, gridCol, gridRow);
    impl_->grid.Col(gridCol);
    impl_->grid.Row(0);
    impl_->grid.TypeMaxEditLen(0);
  } catch (const std::exception&) {
    // Stops at the failing step; what was done before it stays.
  }
}

void ZelSheet::InitComboStringArray(const std::string& strStringArray, int16_t intDefault,
                                    bool blnClearList, int32_t lngCol, int32_t lngRow) {
  if (text::TrimView(strStringArray).empty()) return;
  std::string items;
  try {
    const internal::StringTable table = internal::SplitToTable(strStringArray);
    // Rows of one field are captions alone; with two or more, field 1 is the caption and
    // field 2 the code. A first row without any field gives no items.
    if (table.max_cols >= 1) {
      for (int32_t r = 1; r <= table.max_rows; ++r) {
        items += table.cells[1][static_cast<size_t>(r)];
        if (table.max_cols >= 2) {
          items += text::Space(kCodeGap);
          items += table.cells[2][static_cast<size_t>(r)];
        }
        items += '\t';
      }
    }
  } catch (const std::exception&) {
    // The items read so far are used.
  }
  InitCombo(items, intDefault, blnClearList, lngCol, lngRow, true);
}

}  // namespace zel
