// Combo lists: how a column's list is built from text, and how an item is chosen by its code.
//
// A list is one text in which every item ends with a TAB. An item text is the caption, 50
// blanks and the code, so the code sits outside the visible width and the drop-down shows
// captions only:
//
//   "Seoul" + 50 blanks + "01" TAB "Busan" + 50 blanks + "02" TAB
//
// The code of an item is its last n characters, n being the column's code length (its
// declared maximum length); the selection by code is columns/combo_items.h. Screens pass items as "caption~,code" TAB (InitCombo) or as a data string of code lists
// (InitComboStringArray).
#include <utility>

#include "columns/combo_items.h"
#include "platform/failure.h"
#include "sheet/sheet_state.h"
#include "text/data_string.h"
#include "text/strings.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

using internal::SkipStep;

namespace {

constexpr int32_t kCodeGap = 50;  // blanks between an item's caption and its code

}  // namespace

void ZelSheet::SetItemToComboBox(int32_t lngCol, int32_t lngRow, const std::string& strItem,
                                 int16_t intCodeSize, bool blnDefault) {
  // A cell without a list or outside the grid keeps its selection.
  SkipStep([&] {
    impl_->grid.Col(lngCol);
    impl_->grid.Row(lngRow);
    const std::string list = impl_->grid.TypeComboBoxList();
    if (list.empty()) return;  // no items

    std::string_view item;
    const int32_t chosen = internal::SelectComboItem(list, strItem, intCodeSize > 0 ? intCodeSize : 0,
                                                     blnDefault, item);
    if (chosen < 0) return;  // no match: the selection stays as it was

    if (lngCol >= 0 && lngRow >= 0) {
      // One cell: write the item text itself; the grid checks it against the list.
      impl_->grid.SetText(lngCol, lngRow, item);
    } else {
      impl_->grid.TypeComboBoxCurSel(chosen);
    }
  });
}

void ZelSheet::InitCombo(const std::string& strItems, int16_t intDefault, bool blnClearList,
                         int32_t lngCol, int32_t lngRow, bool IsFlg) {
  // Lists are built when the sheet formats its cells itself; a sheet restored from a stored
  // layout already carries its lists, and only its cursor is put back.
  if (!impl_->settings.format_on_define && !impl_->flags.is_clear_header_info && !IsFlg) {
    sbSetSheetInfo();
    return;
  }
  // Stops at the failing step; what was done before it stays.
  SkipStep([&] {
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
  });
}

void ZelSheet::InitComboStringArray(const std::string& strStringArray, int16_t intDefault,
                                    bool blnClearList, int32_t lngCol, int32_t lngRow) {
  if (text::TrimView(strStringArray).empty()) return;
  std::string items;
  // The items read so far are used.
  SkipStep([&] {
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
  });
  InitCombo(items, intDefault, blnClearList, lngCol, lngRow, true);
}

}  // namespace zel
