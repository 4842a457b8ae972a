// A matrix text through DisplayMatrix (with or without the total column and row), and the
// same bytes as records through Display_Multi on a sheet of the multi-row layout. Any text
// leaves a whole sheet: redraw on, the pointer back, the data rows inside the sheet; the
// matrix has one column per key and value line (and the total column); and records saved
// again give a line per record, whenever their fields can travel in a data string.
//
// Input: the flags byte, then the text.
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_input.h"
#include "sheet_host.h"
#include "text/data_shapes.h"
#include "text/data_string.h"

using zel::fuzz::Check;

namespace {

// Whether a saved field, followed by its "~,", stays one field. Fields are written without
// quoting, so a text holding a separator or ending in "~I" (a mask may cut a longer field
// there) makes one more "~I~" in the saved text: a trap of the text format, not a fault.
bool Travels(std::string_view field) {
  return field.find("~,") == std::string_view::npos && field.find("~I~") == std::string_view::npos &&
         !field.ends_with("~I");
}

// Whether every field of every record of the two-row sheet travels.
bool RecordsTravel(zel::ZelSheet& sheet, int32_t fields) {
  const int32_t last = sheet.GetSheet().DataRowCnt();
  for (int32_t row = 1; row <= last; row += 2) {
    for (int32_t d = 1; d <= fields; ++d) {
      if (!Travels(sheet.CellText(d, row + sheet.RowX(d)))) return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zel::fuzz::FuzzInput in(data, size);
  const uint8_t flags = in.Byte();
  const std::string text = in.Rest();
  {
    zel::fuzz::SheetHost host;
    zel::ZelSheet& sheet = host.sheet;
    const bool total = (flags & 1) != 0;
    Check(sheet.DisplayMatrix(text, total, static_cast<int16_t>(flags >> 4)), "DisplayMatrix returned false");
    const zel::internal::MatrixText m = zel::internal::ReadMatrixText(text);
    const size_t cols = zel::internal::CountDataRows(m.keys) + zel::internal::CountDataRows(m.values) + (total ? 1 : 0);
    if (cols <= 30000) Check(static_cast<size_t>(sheet.MaxCols()) == cols, "matrix column count");
    Check(sheet.GetSheet().ReDraw() && sheet.MousePointer() == 0, "DisplayMatrix left redraw off");
    Check(sheet.GetSheet().DataRowCnt() <= sheet.MaxRows(), "data rows beyond MaxRows");
  }
  zel::fuzz::SheetHost host;
  zel::ZelSheet& sheet = host.sheet;
  sheet.MaxCols(3);
  sheet.ColHeaderRows(2);
  sheet.AddCellSpan_Start(4);
  sheet.AddItem_Multi(1, 0, 1, 1, 0, "A", "A", zel::EnText, "", 10, 0);
  sheet.AddItem_Multi(2, 0, 2, 1, 0, "B", "B", zel::EnDate, "", 8, 0);
  sheet.AddItem_Multi(1, 1, 1, 1, 0, "C", "C", zel::EnFloat, "", 5, 2);
  sheet.AddItem_Multi(2, 1, 1, 1, 0, "D", "D", (flags & 2) != 0 ? zel::EnCombo : zel::EnMask, "", 2, 0, "##-##");
  sheet.AddCellSpan_End();
  if ((flags & 4) != 0) sheet.Display_Multi("x~,20240101~,1~,12~,~I~");
  const bool shown = sheet.Display_Multi(text, (flags & 8) != 0, (flags & 4) != 0);
  Check(sheet.GetSheet().ReDraw(), "Display_Multi left redraw off");
  if (shown && RecordsTravel(sheet, 4)) {
    const std::string all = sheet.GetDataAll_Multi();
    const int32_t records = (sheet.GetSheet().DataRowCnt() + 1) / 2;
    Check(zel::internal::CountDataRows(all) == static_cast<size_t>(records) + 2, "a line per record");
  }
  sheet.GetData_Multi();
  return 0;
}
