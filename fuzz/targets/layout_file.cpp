// The grid's file image through LoadFromFile: any bytes are refused, leaving the grid as it
// was, or load into a grid the engine itself accepts; a loaded grid's image (full and data
// only) loads back into a grid whose image is the same bytes. (An image declaring more empty
// rows than its length justifies is refused, so a loaded grid of more than 2^20 rows may
// save an image shorter than the one it came from, which is then refused.)
#include <algorithm>
#include <cstdint>
#include <string>

#include "fuzz_files.h"
#include "fuzz_input.h"
#include "grid/internal/file_io.h"
#include "zelsheet/grid.h"

using zel::Grid;
using zel::fuzz::Check;
using zel::fuzz::MemoryFile;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const MemoryFile file(std::string(reinterpret_cast<const char*>(data), size));
  Grid g;
  g.MaxRows(3);
  g.MaxCols(2);
  g.SetText(1, 1, "before");
  if (!g.LoadFromFile(file.Path())) {
    std::string t;
    g.GetText(1, 1, t);
    Check(t == "before" && g.MaxRows() == 3 && g.MaxCols() == 2, "a refused image changed the grid");
    return 0;
  }
  Check(g.RowsFrozen() <= g.MaxRows() && g.ColsFrozen() <= g.MaxCols(), "frozen beyond the grid");
  const std::string path = zel::fuzz::ScratchFolder() + "/image.sts";
  for (const bool dataOnly : {false, true}) {
    Check(g.SaveToFile(path, dataOnly), "a loaded grid could not be saved");
    const std::string image = zel::fuzz::ReadFile(path);
    Grid back;
    if (!back.LoadFromFile(path)) {
      Check(g.MaxRows() > zel::internal::kFileEmptyRowAllowance, "a saved image was refused");
      return 0;
    }
    Check(back.SaveToFile(path, dataOnly) && zel::fuzz::ReadFile(path) == image,
          "save, load and save gave another image");
  }
  // The loaded grid is one the engine accepts as it stands.
  g.MaxCols(g.MaxCols());
  g.MaxRows(g.MaxRows());
  std::string t;
  for (int32_t r = 0; r <= std::min(g.MaxRows(), 4); ++r) {
    for (int32_t c = 0; c <= std::min(g.MaxCols(), 4); ++c) g.GetText(c, r, t);
  }
  return 0;
}
