// The read-only view of a grid on a sheet of 1,000,000 rows x 10 columns, formatted as a
// screen formats one (a float column, a check box column, colours on a column and on some
// rows, locked cells, alternate row colours, frozen rows and columns, a hidden column):
//
//   cell        GridView::Cell of every cell of a 240 x 70 character screen, per cell   <= 50 ns
//   layout      GridView::Layout of a 240 x 70 character viewport scrolled to row 500,000 <= 50 us
//   screen      layout and every visible cell's look: one full repaint's reading         (reported)
//
// Times are the process's CPU time over many rounds, divided by the rounds.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <ctime>
#include <string>

#include "zelsheet/grid.h"
#include "zelsheet/grid_view.h"

namespace {

constexpr int32_t kRows = 1'000'000;
constexpr int32_t kCols = 10;
constexpr int32_t kScreenCols = 240;
constexpr int32_t kScreenLines = 70;
constexpr double kCellTargetNs = 50;
constexpr double kLayoutTargetUs = 50;

double CpuNow() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

void Format(zel::Grid& g, int32_t col, int32_t row) {
  g.Col(col);
  g.Row(row);
}

void Fill(zel::Grid& g) {
  g.MaxCols(kCols);
  g.MaxRows(kRows);
  g.ReDraw(false);
  Format(g, 3, -1);
  g.CellType(zel::kCellFloat);
  g.TypeFloatSeparator(true);
  g.TypeHAlign(1);
  Format(g, 5, -1);
  g.CellType(zel::kCellCheckBox);
  Format(g, 2, -1);
  g.BackColor(zel::Rgb(255, 255, 200));
  Format(g, 1, -1);
  g.LockCells(false);
  Format(g, 8, -1);
  g.ColHidden(true);
  g.SetOddEvenRowColor(0xFFFFFF, 0, 0xF0F0F0, 0);
  g.ColsFrozen(1);
  g.RowsFrozen(1);
  for (int32_t c = 1; c <= kCols; ++c) g.SetText(c, 0, "Column " + std::to_string(c));
  std::string text;
  for (int32_t r = 1; r <= kRows; ++r) {
    for (int32_t c = 1; c <= kCols; ++c) {
      switch (c) {
        case 3: g.SetText(c, r, std::to_string(r % 100000) + ".5"); break;
        case 5: g.SetText(c, r, r % 2 ? "1" : "0"); break;
        case 4: g.SetText(c, r, "김민준-" + std::to_string(r % 1000)); break;
        default: g.SetText(c, r, "K" + std::to_string(r * 10 + c)); break;
      }
    }
    if (r % 97 == 0) {
      Format(g, -1, r);
      g.ForeColor(zel::Rgb(255, 0, 0));
    }
  }
  g.ReDraw(true);
}

struct Figures {
  double cell_ns = 0;
  double layout_us = 0;
  double screen_us = 0;
};

Figures Measure(const zel::Grid& g) {
  Figures f;
  const zel::GridView view(g);
  const zel::GridViewport viewport{kScreenCols * zel::kTwipsPerCharCell, kScreenLines * zel::kTwipsPerTextLine,
                                   kRows / 2, 1};
  zel::VisibleLayout layout;
  constexpr int kLayoutRounds = 20'000;
  double start = CpuNow();
  for (int i = 0; i < kLayoutRounds; ++i) {
    view.Layout(viewport, layout);
    benchmark::DoNotOptimize(layout.rows.data());
  }
  f.layout_us = (CpuNow() - start) / kLayoutRounds * 1e6;

  zel::CellLook look;
  constexpr int kScreenRounds = 1000;
  int64_t cells = 0;
  start = CpuNow();
  for (int i = 0; i < kScreenRounds; ++i) {
    for (const zel::LayoutLine& row : layout.rows) {
      for (const zel::LayoutLine& col : layout.cols) {
        view.Cell(col.index, row.index, look);
        benchmark::DoNotOptimize(look.back);
        ++cells;
      }
    }
  }
  f.cell_ns = (CpuNow() - start) / static_cast<double>(cells) * 1e9;

  start = CpuNow();
  for (int i = 0; i < kScreenRounds; ++i) {
    view.Layout(viewport, layout);
    for (const zel::LayoutLine& row : layout.rows) {
      for (const zel::LayoutLine& col : layout.cols) view.Cell(col.index, row.index, look);
    }
    benchmark::DoNotOptimize(look.back);
  }
  f.screen_us = (CpuNow() - start) / kScreenRounds * 1e6;
  return f;
}

void BM_ViewCell(benchmark::State& state) {
  static zel::Grid* grid = [] {
    auto* g = new zel::Grid;
    Fill(*g);
    return g;
  }();
  const zel::GridView view(*grid);
  zel::CellLook look;
  int32_t row = kRows / 2;
  for (auto _ : state) {
    view.Cell(2, row, look);
    benchmark::DoNotOptimize(look.back);
    row = row < kRows ? row + 1 : 1;
  }
}
BENCHMARK(BM_ViewCell);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();

  zel::Grid g;
  Fill(g);
  const Figures f = Measure(g);
  auto verdict = [](double v, double target) { return v <= target ? "met" : "MISSED"; };
  std::printf("\nview of a %d x %d sheet, %d x %d character screen at row %d\n", kRows, kCols, kScreenCols,
              kScreenLines, kRows / 2);
  std::printf("  %-34s %10.1f ns   target <= %.0f ns: %s\n", "cell look, per cell", f.cell_ns, kCellTargetNs,
              verdict(f.cell_ns, kCellTargetNs));
  std::printf("  %-34s %10.2f us   target <= %.0f us: %s\n", "visible layout", f.layout_us, kLayoutTargetUs,
              verdict(f.layout_us, kLayoutTargetUs));
  std::printf("  %-34s %10.2f us   (reported)\n", "layout and every visible look", f.screen_us);
  return 0;
}
