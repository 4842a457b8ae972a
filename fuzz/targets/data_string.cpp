// The data string through Display (replace, append and one-row mode) and back out through
// the GetData family and GetStringToArray, on a sheet of one to four columns whose cell
// types the input chooses. Any text is displayed without a crash; GetStringToArray counts
// the separators the grammar says; and on a sheet of text columns a well-formed text (one
// field per column, no blanks around a field, data in its last row) comes back byte for
// byte from GetDataAll(true).
//
// Input: column count and types, the Display arguments, then the data string.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_input.h"
#include "sheet_host.h"
#include "text/strings.h"

using zel::fuzz::Check;

namespace {

constexpr int16_t kTypes[] = {zel::EnText, zel::EnFloat, zel::EnCombo,    zel::EnCheck,
                              zel::EnMask, zel::EnTime,  zel::EnDate,     zel::EnDateYearMonth,
                              zel::EnCaption, zel::EnTextMulti, zel::EnButton, 99};

size_t Count(std::string_view s, std::string_view sep) {
  size_t n = 0;
  for (size_t at = s.find(sep); at != std::string_view::npos; at = s.find(sep, at + sep.size())) ++n;
  return n;
}

// True when `data` is rows of exactly `cols` fields, none with blanks around it, and the
// last row holds a field that is not empty: the texts GetDataAll(true) gives back as they are.
bool WellFormed(std::string_view data, int32_t cols) {
  const std::vector<std::string_view> rows = zel::text::SplitView(data, "~I~");
  if (rows.size() < 2 || !rows.back().empty()) return false;
  bool lastHasData = false;
  for (size_t r = 0; r + 1 < rows.size(); ++r) {
    const std::vector<std::string_view> fields = zel::text::SplitView(rows[r], "~,");
    if (fields.size() != static_cast<size_t>(cols) + 1 || !fields.back().empty()) return false;
    lastHasData = false;
    for (size_t k = 0; k + 1 < fields.size(); ++k) {
      if (zel::text::TrimView(fields[k]) != fields[k]) return false;
      lastHasData = lastHasData || !fields[k].empty();
    }
  }
  return lastHasData;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zel::fuzz::FuzzInput in(data, size);
  zel::fuzz::SheetHost host;
  zel::ZelSheet& sheet = host.sheet;
  const int32_t cols = 1 + in.Byte() % 4;
  sheet.MaxCols(cols);
  bool allText = true;
  for (int32_t k = 1; k <= cols; ++k) {
    const int16_t type = kTypes[in.Byte() % (sizeof kTypes / sizeof kTypes[0])];
    allText = allText && type == zel::EnText;
    const std::string mask = type == zel::EnMask ? "###-##-####" : type == zel::EnCombo ? "One~,1\tTwo~,2\t" : "";
    sheet.AddItem("F" + std::to_string(k), "T" + std::to_string(k), type, 0, 2, 1, "", "", mask);
  }
  const uint8_t mode = in.Byte();
  bool addData = (mode & 1) != 0;
  const bool colorSetting = (mode & 2) != 0;
  const int32_t row = (mode & 4) != 0 ? in.Index(30) : 0;
  const std::string text = in.Rest();

  const bool shown = sheet.Display(text, addData, colorSetting, row);
  Check(shown == !zel::text::TrimView(text).empty(), "Display's result does not follow the text");
  Check(sheet.GetSheet().ReDraw(), "Display left redraw off");

  sheet.GetData();
  const std::string all = sheet.GetDataAll(true);
  sheet.GetDataAll(false);
  sheet.GetDataSelected(-1, false);
  sheet.GetDataSelected(1, true);
  sheet.GetDataActiveRow(row);
  sheet.GetDataActiveRow(-1);
  sheet.GetDataCommon();

  std::vector<std::vector<std::string>> cells;
  int32_t maxCols = -1, maxRows = -1;
  if (sheet.GetStringToArray(text, cells, maxCols, maxRows)) {
    const std::string_view first = std::string_view(text).substr(0, text.find("~I~"));
    Check(static_cast<size_t>(maxRows) == Count(text, "~I~"), "GetStringToArray row count");
    Check(static_cast<size_t>(maxCols) == Count(first, "~,"), "GetStringToArray column count");
  }

  if (allText && row == 0 && !addData && WellFormed(text, cols)) {
    Check(all == text, "a well-formed text came back as '" + all + "'");
  }
  return 0;
}
