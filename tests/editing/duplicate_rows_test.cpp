// A pure piece of the editing layer: the one-pass duplicate removal, checked against the
// row-by-row definition it replaces.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "editing/duplicate_rows.h"

namespace zel::internal {
namespace {

// The removal as defined: rows in a list that always has empty rows below, row by row
// from the bottom, each test repeated `repetitions` times, a deletion moving the rows below
// up.
std::vector<std::string> RemoveOneByOne(std::vector<std::string> rows, int32_t first,
                                        int32_t repetitions) {
  const int32_t last = static_cast<int32_t>(rows.size()) - 1;  // rows[0] is the row above
  rows.resize(rows.size() + static_cast<size_t>(repetitions) * rows.size() + 1, "");
  for (int32_t i = last; i >= first; --i) {
    for (int32_t k = 0; k < repetitions; ++k) {
      if (rows[static_cast<size_t>(i)] == rows[static_cast<size_t>(i - 1)]) {
        rows.erase(rows.begin() + i);
        rows.push_back("");
      }
    }
  }
  while (!rows.empty() && rows.back().empty()) rows.pop_back();
  if (rows.size() <= static_cast<size_t>(first)) return {};
  return {rows.begin() + first, rows.end()};
}

std::vector<std::string> RemoveInOnePass(const std::vector<std::string>& rows, int32_t first,
                                         int32_t repetitions) {
  const int32_t last = static_cast<int32_t>(rows.size()) - 1;
  auto text = [&](int32_t r) { return r > last ? std::string() : rows[static_cast<size_t>(r)]; };
  const std::vector<int32_t> kept = RowsLeftAfterDuplicateRemoval(
      first, last, repetitions, [&](int32_t a, int32_t b) { return text(a) == text(b); });
  std::vector<std::string> out;
  for (int32_t r : kept) out.push_back(text(r));
  while (!out.empty() && out.back().empty()) out.pop_back();
  return out;
}

TEST(DuplicateRows, KnownCases) {
  using V = std::vector<std::string>;
  // (a,b), (a,b), (a,c) below the header row.
  EXPECT_EQ(RemoveInOnePass(V{"hdr", "a|b|", "a|b|", "a|c|"}, 1, 2), (V{"a|b|", "a|c|"}));
  // A run of four copies with two repetitions per row still goes down to one.
  EXPECT_EQ(RemoveInOnePass(V{"h", "x", "x", "x", "x"}, 1, 2), (V{"x"}));
  // The first row equal to the row above it goes too.
  EXPECT_EQ(RemoveInOnePass(V{"x", "x", "y"}, 1, 3), (V{"y"}));
  // Empty middle rows: two of them are duplicates of each other.
  EXPECT_EQ(RemoveInOnePass(V{"h", "a", "", "", "b"}, 1, 3), (V{"a", "", "b"}));
  // Row `first` is compared with the row above it, which itself stays.
  EXPECT_EQ(RemoveInOnePass(V{"h", "a", "a", "a"}, 3, 2), V{});
}

TEST(DuplicateRows, OnePassEqualsRowByRowOnRandomSheets) {
  std::mt19937 rng(20240315);
  for (int trial = 0; trial < 3000; ++trial) {
    const int n = 1 + static_cast<int>(rng() % 12);
    const int32_t repetitions = static_cast<int32_t>(rng() % 4);
    std::vector<std::string> rows{rng() % 3 == 0 ? "a" : "hdr"};
    for (int i = 0; i < n; ++i) {
      const unsigned pick = rng() % 4;
      rows.push_back(pick == 0 ? "" : std::string(1, static_cast<char>('a' + rng() % 2)));
    }
    const int32_t first = 1 + static_cast<int32_t>(rng() % static_cast<unsigned>(n));
    EXPECT_EQ(RemoveInOnePass(rows, first, repetitions), RemoveOneByOne(rows, first, repetitions))
        << "trial " << trial;
  }
}

}  // namespace
}  // namespace zel::internal
