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

// True when every "~" of `results` belongs to a separator. Otherwise a message may itself end
// in "~I" or start with "I~" and, as the error line is written without quoting, make one
// more "~I~" in the list: a trap of the text format, not a fault.
bool OnlySeparatorTildes(std::string_view results) {
  std::string rest(results);
  for (const std::string_view sep : {std::string_view("~I~"), std::string_view("~,")}) {
    for (size_t at = rest.find(sep); at != std::string::npos; at = rest.find(sep, at)) rest.erase(at, sep.size());
  }
  return rest.find('~') == std::string::npos;
}

void CheckErrorList(const zel::ZelSheet& sheet, const std::string& results, const char* member) {
  if (!OnlySeparatorTildes(results)) return;
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
    CheckErrorList(sheet, results, "MessageCheckSave");
  } else {
    int32_t k[15];
    for (int32_t& v : k) v = in.Index(6);
    const std::string results = in.Rest();
    sheet.MessageCheckSaveSheet(results, k[0], k[1], k[2], k[3], k[4], k[5], k[6], k[7], k[8], k[9],
                                k[10], k[11], k[12], k[13], k[14]);
    CheckErrorList(sheet, results, "MessageCheckSaveSheet");
  }
  Check(sheet.MaxRows() >= 0 && sheet.GetSheet().DataRowCnt() <= sheet.MaxRows(), "rows out of order");
  sheet.GetData();
  return 0;
}
