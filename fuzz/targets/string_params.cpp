// Column definition lists through sbSetStringParam_Query or sbSetStringParam, on a plain
// sheet of one to six columns or a multi-row one, then the texts that describe the sheet
// (GetItemsToString, GetSheetInfo) and hand rows on (button execute data, jump texts). Any
// list defines what it can without a crash, keeps the sheet within the list's own line
// count, and the item list has one line per declared column. The readers show no box of
// their own: a line that fails is skipped. The only boxes are SetItem's, one for each of its
// writes that the grid refuses (a float of 20 decimals, say), titled and worded as SetItem
// shows them.
//
// Input: the column count and layout byte, the list kind byte, then the list.
#include <algorithm>
#include <cstdint>
#include <string>

#include "fuzz_input.h"
#include "sheet_host.h"
#include "text/data_string.h"

using zel::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zel::fuzz::FuzzInput in(data, size);
  zel::fuzz::SheetHost host;
  zel::ZelSheet& sheet = host.sheet;
  const uint8_t layout = in.Byte();
  const int32_t cols = 1 + layout % 6;
  sheet.MaxCols(cols);
  if ((layout & 0x80) != 0) {
    sheet.ColHeaderRows(2);
    sheet.AddCellSpan_Start(cols);
    for (int32_t k = 1; k <= cols; ++k) {
      sheet.AddItem_Multi(k, k % 2, 1, 1, 0, "M" + std::to_string(k), "T", zel::EnText, "", 5, 0);
    }
    sheet.AddCellSpan_End();
  }
  const uint8_t kind = in.Byte();
  const std::string list = in.Rest();
  const size_t boxes = host.platform.Boxes().size();
  if ((kind & 1) != 0) {
    sheet.sbSetStringParam_Query((kind & 2) != 0, list);
  } else {
    sheet.sbSetStringParam((kind & 2) != 0, list);
  }
  const auto& shown = host.platform.Boxes();
  for (size_t b = boxes; b < shown.size(); ++b) {
    Check(shown[b].title == "[AddItem]" && shown[b].icon == zel::vbCritical && shown[b].text.starts_with("Column "),
          "a definition list showed a message box");
  }
  const size_t lines = zel::internal::CountDataRows(list);
  Check(sheet.MaxCols() <= std::max<int64_t>(cols, static_cast<int64_t>(lines)),
        "the sheet grew beyond the list's lines");

  const std::string items = sheet.GetItemsToString(1);
  Check(zel::internal::CountDataRows(items) == static_cast<size_t>(sheet.GetMaxCols()),
        "the item list has not one line per column");
  sheet.Display("1~,a~,b~,~I~0~,c~,d~,~I~");
  sheet.GetButtonExecuteData(1, "m");
  sheet.GetJumpMsg(0);
  sheet.GetJumpMsg(1);
  sheet.GetJumpString(0, true);
  sheet.GetJumpString(0, false);
  return 0;
}
