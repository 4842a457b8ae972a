// The host helpers' column declaration: AddItem's thirteen positional arguments by name,
// and the combo list AddItem takes.
#include <string>

#include "zelsheet/host_helpers.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

std::string ComboList(const std::vector<ComboItem>& items) {
  // The sheet finds an item's code as the last characters of the item text; the blanks
  // keep the code out of sight in the drop-down.
  static const std::string kGap(50, ' ');
  std::string list;
  for (const ComboItem& item : items) {
    list += item.caption;
    list += kGap;
    list += item.code;
    list += '\t';
  }
  return list;
}

int32_t AddColumn(ZelSheet& sheet, const ColumnDescription& column) {
  int32_t defCol = 0;
  sheet.AddItem(column.field_name, column.title, column.cell_type, defCol, column.max_length,
                column.decimals, column.access_code, column.default_value, column.mask_or_list,
                column.read_class, column.write_class, column.header_row, false);
  return defCol;
}

}  // namespace zel
