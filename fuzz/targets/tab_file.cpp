// TAB-separated files through LoadTabFile: any bytes are refused, leaving the grid as it
// was, or load; a loaded table saved with SaveTabFile loads back to the same texts (cells
// holding a CR are left out of that check: the writer turns line breaks into blanks).
#include <cstdint>
#include <string>

#include "fuzz_files.h"
#include "fuzz_input.h"
#include "zelsheet/grid.h"

using zel::Grid;
using zel::fuzz::Check;
using zel::fuzz::MemoryFile;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const MemoryFile file(std::string(reinterpret_cast<const char*>(data), size));
  Grid g;
  g.MaxRows(3);
  g.MaxCols(2);
  g.SetText(2, 3, "before");
  if (!g.LoadTabFile(file.Path())) {
    std::string t;
    g.GetText(2, 3, t);
    Check(t == "before" && g.MaxRows() == 3 && g.MaxCols() == 2, "a refused file changed the grid");
    return 0;
  }
  const int32_t rows = g.DataRowCnt(), cols = g.DataColCnt();
  bool hasCr = false;
  std::string t;
  for (int32_t r = 1; r <= rows; ++r) {
    for (int32_t c = 1; c <= cols; ++c) {
      g.GetText(c, r, t);
      hasCr = hasCr || t.find('\r') != std::string::npos;
    }
  }
  const std::string saved = zel::fuzz::ScratchFolder() + "/table.txt";
  Check(g.SaveTabFile(saved), "a loaded table could not be saved");
  Grid back;
  Check(back.LoadTabFile(saved), "a saved table was refused");
  if (hasCr) return 0;
  Check(back.DataRowCnt() == rows && back.DataColCnt() == cols, "the table changed its size");
  std::string u;
  for (int32_t r = 1; r <= rows; ++r) {
    for (int32_t c = 1; c <= cols; ++c) {
      g.GetText(c, r, t);
      back.GetText(c, r, u);
      Check(t == u, "cell " + std::to_string(c) + "," + std::to_string(r) + " changed: '" + t + "' -> '" + u + "'");
    }
  }
  return 0;
}
