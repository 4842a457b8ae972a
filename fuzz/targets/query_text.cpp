// A query result text through DisplayQuerySheet on a query sheet of two to eight columns
// whose cell types and role arguments the input chooses, in display mode or not, appending
// or not. Any text leaves a whole sheet: the call returns true, redraw is on again, the data
// rows fit in the sheet, and the query-display flag is clear (a user edit then marks its row).
//
// Input: column count and types, the mode byte, then the text.
#include <cstdint>
#include <string>

#include "fuzz_input.h"
#include "sheet_host.h"

using zel::fuzz::Check;

namespace {

constexpr int16_t kTypes[] = {zel::EnText,  zel::EnFloat, zel::EnDate,        zel::EnTime,
                              zel::EnCheck, zel::EnCombo, zel::EnImageButton, zel::EnMask};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zel::fuzz::FuzzInput in(data, size);
  zel::fuzz::SheetHost host;
  zel::ZelSheet& sheet = host.sheet;
  const int32_t cols = 2 + in.Byte() % 7;
  sheet.MaxCols(cols);
  for (int32_t k = 1; k <= cols; ++k) {
    const int16_t type = kTypes[in.Byte() % (sizeof kTypes / sizeof kTypes[0])];
    sheet.AddItem("F" + std::to_string(k), "T", type, 0, 2, 1, "", "", type == zel::EnMask ? "##-##" : "#,##0.0");
  }
  const uint8_t mode = in.Byte();
  sheet.IsDataAdd((mode & 1) != 0);
  if ((mode & 8) != 0) sheet.Display("a~,1~,~I~b~,2~,~I~");
  int32_t sheetNo = 0, check = (mode & 16) != 0 ? 1 : -1, select = -1, dis = -1;
  const std::string text = in.Rest();

  Check(sheet.DisplayQuerySheet(text, 3, (mode & 2) != 0, sheetNo, check, select, dis, (mode & 4) != 0),
        "DisplayQuerySheet returned false");
  zel::Grid& grid = sheet.GetSheet();
  Check(grid.ReDraw(), "DisplayQuerySheet left redraw off");
  Check(grid.DataRowCnt() <= grid.MaxRows(), "data rows beyond MaxRows");
  Check(!sheet.IsDataAdd(), "IsDataAdd outlived the call");
  Check(check >= -1 && check <= cols && select >= -1 && select <= cols && dis >= -1 && dis <= cols,
        "a role column outside the sheet");
  sheet.GetData();
  sheet.GetDataAll(false);
  return 0;
}
