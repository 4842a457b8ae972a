// Repeating a block of rows: the records of a multi-row sheet are blocks of H rows that all
// look alike (the same cell formats, spans and row-header text), and a sheet shows hundreds
// of thousands of them. Formatting each through the grid's property cursor costs a patch per
// cell; this repeats one formatted block instead, and the copies share its formats.
#pragma once

#include <cstdint>

#include "zelsheet/grid.h"

namespace zel::internal {

// Gives each of the `copies` blocks of `rows` data rows that follow rows first..first+rows-1
// what that block has: every cell's value and format (row-header columns included), each
// row's format, and the spans anchored in the block that end inside it. The target rows must
// be as MaxRows creates them (no values, formats or spans): what they had is not merged.
// Row heights, hidden rows, tags and notes are not repeated. Throws GridError when the
// blocks do not fit in 1..MaxRows or `rows` is below 1.
void RepeatRowBlock(Grid& grid, int32_t first, int32_t rows, int32_t copies);

}  // namespace zel::internal
