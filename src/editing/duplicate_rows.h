// Which rows survive the removal of adjacent duplicates, computed in one pass.
//
// The removal is defined one row at a time: walk i from the last data row up to `first`;
// at each i, up to `repetitions` times, delete row i when it equals row i - 1. Deleting row
// i moves the rows below it up one place (an empty row enters at the bottom), so a repeated
// test at the same i looks at the next row below, which lets one i remove a run of copies.
//
// Seen from row i, the rows below it are the outcome of the steps already taken, and a
// deletion at i only ever removes the topmost of them. They therefore form a stack: step i
// pushes row i and pops while the top equals row i - 1, at most `repetitions` times. Each
// row is pushed once and popped at most once, so the whole removal is linear in the number
// of rows, and what is left on the stack (from the top down) are the surviving rows in
// order. Below the last data row the stack holds empty rows without end.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace zel::internal {

// Rows first..last (first >= 1) with rows compared by `same(a, b)`, where a row number
// above `last` stands for an empty row and `first - 1` is the row above the range (compared,
// never removed). Returns the rows of first..last that survive, ascending. repetitions <= 0
// removes nothing.
std::vector<int32_t> RowsLeftAfterDuplicateRemoval(
    int32_t first, int32_t last, int32_t repetitions,
    const std::function<bool(int32_t, int32_t)>& same);

}  // namespace zel::internal
