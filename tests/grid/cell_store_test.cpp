// The cell store's representations (short texts inside the cell, long ones in the column's
// text store, numbers) under overwrites of every length by every other, and the data extent
// kept from what each store reports.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

#include "grid_check.h"

namespace zel {
namespace {

using testing_grid::At;

std::string Text(const Grid& g, int32_t col, int32_t row) {
  std::string out;
  g.GetText(col, row, out);
  return out;
}

// Texts of 0..40 bytes whose every byte differs from its neighbours', so that a byte taken
// from the wrong place or a stale byte left behind shows. NUL and high bytes included.
std::vector<std::string> TextsOfEveryLength() {
  std::vector<std::string> texts;
  for (size_t n = 0; n <= 40; ++n) {
    std::string t;
    for (size_t i = 0; i < n; ++i) t.push_back(static_cast<char>((n * 31 + i * 7 + (i % 3 == 2 ? 0x80 : 1)) & 0xFF));
    if (n == 5) t[2] = '\0';
    texts.push_back(t);
  }
  texts.push_back("\xEA\xB9\x80\xEB\xAF\xBC\xEC\xA4\x80-0042");  // 14 bytes of Hangul and digits
  return texts;
}

TEST(GridCellStore, EveryLengthOverwritesEveryOtherExactly) {
  const std::vector<std::string> texts = TextsOfEveryLength();
  Grid g;
  g.MaxCols(2);
  g.MaxRows(static_cast<int32_t>(texts.size()));
  for (const std::string& before : texts) {
    // Row r holds `before`, then gets texts[r - 1]: every pair of lengths meets once per pass.
    for (size_t r = 1; r <= texts.size(); ++r) g.SetText(1, static_cast<int32_t>(r), before);
    for (size_t r = 1; r <= texts.size(); ++r) {
      const int32_t row = static_cast<int32_t>(r);
      g.SetText(1, row, texts[r - 1]);
      ASSERT_EQ(Text(g, 1, row), texts[r - 1]) << before.size() << " bytes overwritten by " << r - 1;
    }
    // Row 1 was emptied by the empty text; the last row holds text.
    EXPECT_EQ(g.DataRowCnt() * 10 + g.DataColCnt(), static_cast<int32_t>(texts.size()) * 10 + 1);
    EXPECT_TRUE(testing_grid::Invariants(g));
  }
}

TEST(GridCellStore, NumbersAndTextsReplaceEachOtherAndKeepTheExtent) {
  // kind, value -> shown text, DataRowCnt after the write to row 3
  const std::tuple<int16_t, std::string, std::string, int32_t> steps[] = {
      {kCellEdit, "abc", "abc", 3},
      {kCellInteger, "12", "12", 3},
      {kCellEdit, "a text longer than a cell holds", "a text longer than a cell holds", 3},
      {kCellEdit, "", "", 0},
      {kCellFloat, "1.5", "1.50", 3},
      {kCellEdit, "", "", 0},
      {kCellCheckBox, "1", "1", 3},
      {kCellCheckBox, "", "", 0},
      {kCellEdit, "fifteen bytes..", "fifteen bytes..", 3},
      {kCellEdit, "sixteen bytes...", "sixteen bytes...", 3},
  };
  Grid g;
  g.MaxCols(3);
  g.MaxRows(5);
  At(g, 2, 3);
  for (const auto& [kind, value, shown, data_rows] : steps) {
    g.CellType(kind);
    g.SetText(2, 3, value);
    EXPECT_EQ(Text(g, 2, 3) + "|" + std::to_string(g.DataRowCnt()) + "|" + std::to_string(g.DataColCnt()),
              shown + "|" + std::to_string(data_rows) + "|" + (data_rows == 0 ? "0" : "2"))
        << "value \"" << value << "\"";
    EXPECT_TRUE(testing_grid::Invariants(g));
  }
}

// A column big enough for its cells and long texts to live in huge-page blocks. Even rows
// cycle through nine repeating items (more than are remembered for sharing: sharing must
// never show), odd rows hold texts of their own; rewrites make enough garbage to compact the
// store (which shares again as it copies); a row is inserted and one deleted; a block copy
// carries the texts on while the source changes; the sheet is emptied and half filled again
// in the kept memory, with one text longer than a text chunk. Every text reads back.
TEST(GridCellStore, LongTextsSurviveRewritesCompactionCopiesAndRefill) {
  constexpr int32_t kRows = 150'000;  // 2.4 MB of cells: above one huge page
  std::vector<std::string> items;
  for (int k = 0; k < 9; ++k) items.push_back("combo caption " + std::to_string(k) + std::string(50, ' ') + "0" + std::to_string(k));
  auto written = [&](int32_t r, int pass) {
    if (r % 2 == 0) return items[static_cast<size_t>((r * (pass + 1)) % 9)];
    return "row " + std::to_string(r) + " pass " + std::to_string(pass) + " long enough for the store";
  };
  // Pass 0 writes every row, pass p every p-th row from row 1; a row shows the last pass
  // that wrote it.
  auto shown = [&](int32_t r) { return written(r, (r - 1) % 3 == 0 ? 3 : (r - 1) % 2 == 0 ? 2 : 1); };
  Grid g;
  g.MaxCols(3);
  g.MaxRows(kRows);
  for (int pass = 0; pass <= 3; ++pass) {
    for (int32_t r = 1; r <= kRows; r += std::max(pass, 1)) g.SetText(1, r, written(r, pass));
  }
  At(g, 1, 10).Action(kActionInsertRow);
  g.Row(kRows);
  g.Action(kActionDeleteRow);
  // Row 10 is the inserted one; the insert pushed the last row out and the delete emptied
  // the one that took its place.
  auto moved = [&](int32_t r) { return r == 10 || r == kRows ? std::string() : shown(r < 10 ? r : r - 1); };
  testing_grid::Block(g, 1, 1, 1, kRows).BlockMode(true);
  g.DestCol(2);
  g.DestRow(1);
  g.Action(kActionCopyBlock);
  g.BlockMode(false);
  for (int32_t r = 1; r <= kRows; r += 3) g.SetText(1, r, "");
  int32_t bad = 0;
  for (int32_t r = 1; r <= kRows; ++r) {
    bad += Text(g, 2, r) != moved(r);
    bad += Text(g, 1, r) != ((r - 1) % 3 == 0 ? std::string() : moved(r));
  }
  EXPECT_EQ(bad, 0);
  EXPECT_TRUE(testing_grid::Invariants(g));
  const std::string huge(3 << 20, 'h');
  g.MaxRows(0);
  g.MaxRows(kRows);
  for (int32_t r = 1; r <= kRows; r += 2) g.SetText(1, r, written(r, 4));
  g.SetText(1, 2, huge);
  bad = 0;
  for (int32_t r = 1; r <= kRows; ++r) bad += Text(g, 1, r) != (r == 2 ? huge : r % 2 ? written(r, 4) : "");
  EXPECT_EQ(bad, 0);
  EXPECT_EQ(g.DataRowCnt(), kRows - 1);
  EXPECT_TRUE(testing_grid::Invariants(g));
}

// The resident size of the process in bytes (0 when unreadable). Read without taking heap
// memory, which the sanitizer build would keep in quarantine and count.
size_t ResidentBytes() {
  std::FILE* f = std::fopen("/proc/self/statm", "r");
  if (f == nullptr) return 0;
  unsigned long long total = 0, resident = 0;
  const int read = std::fscanf(f, "%llu %llu", &total, &resident);
  std::fclose(f);
  return read == 2 ? static_cast<size_t>(resident) * static_cast<size_t>(sysconf(_SC_PAGESIZE)) : 0;
}

// Emptying an empty cell takes no memory: clearing the row status of half a million rows
// added part by part, as a screen displays a long answer, once grew the status column's
// array at every part, copying it (up to 8 MB resident for a column that holds nothing).
// Every hundredth row is enough to show it, and few writes keep the allocator's own noise
// out of the figure.
TEST(GridCellStore, EmptyingCellsTakesNoMemory) {
  if (ResidentBytes() == 0) GTEST_SKIP() << "no resident size to read";
  constexpr int32_t kRows = 500'000, kPart = 5'000;
  Grid g;
  g.MaxCols(1);
  g.MaxRows(1);
  g.SetText(0, 1, "A");
  int64_t clearing = 0;  // the resident size the clearing alone added
  for (int32_t top = 0; top < kRows; top += kPart) {
    g.MaxRows(top + kPart);
    const size_t before = ResidentBytes();
    for (int32_t r = top + 1; r <= top + kPart; r += 100) g.SetText(0, r, "");
    clearing += static_cast<int64_t>(ResidentBytes()) - static_cast<int64_t>(before);
  }
  EXPECT_LT(clearing, 1 << 20);
}

}  // namespace
}  // namespace zel
