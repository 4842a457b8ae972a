// Painting held off while a member makes many changes to the grid: ReDraw goes off when the
// guard is made and back on however the work ends, so a failure never leaves a frozen screen.
#pragma once

#include "zelsheet/grid.h"

namespace zel::internal {

class RedrawOff {
 public:
  explicit RedrawOff(Grid& grid) : grid_(grid) { grid_.ReDraw(false); }
  ~RedrawOff() { grid_.ReDraw(true); }
  RedrawOff(const RedrawOff&) = delete;
  RedrawOff& operator=(const RedrawOff&) = delete;

 private:
  Grid& grid_;
};

}  // namespace zel::internal
