// Workbooks through ImportExcelSheet and IsExcelFile: any document is refused, leaving the
// grid as it was, or imported into a grid the engine accepts; a document one member takes
// the other takes too, and its last sheet imports by name.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_files.h"
#include "fuzz_input.h"
#include "zelsheet/grid.h"

using zel::Grid;
using zel::fuzz::Check;
using zel::fuzz::MemoryFile;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const MemoryFile file(std::string(reinterpret_cast<const char*>(data), size));
  std::vector<std::string> names;
  const bool isWorkbook = Grid().IsExcelFile(file.Path(), names);
  Grid g;
  g.MaxRows(3);
  g.MaxCols(2);
  g.SetText(2, 3, "before");
  const bool imported = g.ImportExcelSheet(file.Path(), 0, "");
  if (!imported) {
    std::string t;
    g.GetText(2, 3, t);
    Check(t == "before" && g.MaxRows() == 3 && g.MaxCols() == 2, "a refused workbook changed the grid");
    return 0;
  }
  Check(isWorkbook && !names.empty(), "imported what IsExcelFile refused");
  if (!names.back().empty()) Check(Grid().ImportExcelSheet(file.Path(), 0, names.back()), "a named sheet was refused");
  g.MaxCols(g.MaxCols());
  g.MaxRows(g.MaxRows());
  return 0;
}
