// The server's save results string through MessageCheckSave and MessageCheckSaveSheet, on a
// sheet of three columns whose rows and statuses the input chooses. No answer may make a
// member throw or crash; the error list holds one line per failed row (a row whose answer
// lacks the message field counts as failed, ends the walk and gets no line).
//
// Input: row count, each row's status, the member and its arguments, then the results text.
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_input.h"
#include "sheet_host.h"

using zel::fuzz::Check;

namespace {

size_t Count(std::string_view s, std::string_view sep) {
  size_t n = 0;
  for (size_t at = s.find(sep); at != std::string_view::npos; at = s.find(sep, at + sep.size())) ++n;
  return n;
}

void CheckErrorList(const zel::ZelSheet& sheet, const char* member) {
  const size_t lines = Count(sheet.ErrorMsg(), "~I~");
  const auto count = static_cast<size_t>(sheet.ErrorCount());
  Check(lines <= count && count <= lines + 1,
        std::string(member) + ": " + std::to_string(count) + " failed rows, error list [" + sheet.ErrorMsg() + "]");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zel::fuzz::FuzzInput in(data, size);
  zel::fuzz::SheetHost host;
  zel::ZelSheet& sheet = host.sheet;
  sheet.MaxCols(3);
  sheet.AddItem("CustCode", "Code", zel::EnText);
  sheet.AddItem("Amount", "Amount", zel::EnFloat, 0, 10, 2);
  sheet.AddItem("Ok", "Ok", zel::EnCheck);
  const int32_t rows = in.Byte() % 8;
  std::string display;
  for (int32_t r = 1; r <= rows; ++r) display += "C" + std::to_string(r) + "~," + std::to_string(r * 10) + "~,1~,~I~";
  sheet.Display(display);
  static const char* const kStatuses[] = {"", "A", "U", "X", "a", " U"};
  for (int32_t r = 1; r <= rows; ++r) sheet.GetSheet().SetText(0, r, kStatuses[in.Byte() % 6]);

  const uint8_t member = in.Byte();
  if (member % 2 == 0) {
    const std::string checkCol = in.Text(8);
    const std::string mode = in.Bool() ? "Save" : in.Text(8);
    const bool isTop = in.Bool();
    const std::string results = in.Rest();
    sheet.MessageCheckSave(results, checkCol, mode, isTop);
    CheckErrorList(sheet, "MessageCheckSave");
  } else {
    int32_t k[15];
    for (int32_t& v : k) v = in.Index(6);
    const std::string results = in.Rest();
    sheet.MessageCheckSaveSheet(results, k[0], k[1], k[2], k[3], k[4], k[5], k[6], k[7], k[8], k[9],
                                k[10], k[11], k[12], k[13], k[14]);
    CheckErrorList(sheet, "MessageCheckSaveSheet");
  }
  Check(sheet.MaxRows() >= 0 && sheet.GetSheet().DataRowCnt() <= sheet.MaxRows(), "rows out of order");
  sheet.GetData();
  return 0;
}
