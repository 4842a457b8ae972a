// The grid's file image through LoadFromFile: any bytes are refused, leaving the grid as it
// was, or load into a grid the engine itself accepts; a loaded grid's image (full and data
// only) loads back into a grid whose image is the same bytes.
#include <cstdint>
#include <string>

#include "fuzz_files.h"
#include "fuzz_input.h"
#include "grid/layout_image.h"
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
  for (const bool dataOnly : {false, true}) {
    const std::string image = zel::internal::EncodeLayoutImage(g.State(), dataOnly);
    const MemoryFile again(image);
    Grid back;
    Check(back.LoadFromFile(again.Path()), "a saved image was refused");
    Check(zel::internal::EncodeLayoutImage(back.State(), dataOnly) == image,
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
