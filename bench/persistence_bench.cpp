// The user's arrangement and the data files, on the real stores (the SQLite settings
// database and files under a temporary folder, each write flushed to disk):
//   - SetSheetDeg of a 200-column sheet with a stored arrangement: target <= 10 ms;
//   - SaveTitleInfo with the close-time save of the same sheet (its layout file holds no
//     data rows): target <= 20 ms;
//   - SetSheetToFile and SetFileToSheet of 100,000 rows x 10 columns: target <= 0.5 s each.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "zelsheet/store.h"
#include "zelsheet/zel_sheet.h"

namespace {

namespace fs = std::filesystem;

constexpr int32_t kArrangedCols = 200;
constexpr int32_t kFileRows = 100'000;
constexpr int32_t kFileCols = 10;

struct Folder {
  Folder() : root(fs::temp_directory_path() / ("zel_persistence_bench_" + std::to_string(::getpid()))) {
    fs::create_directories(root / "win");
    ::setenv("ZELSHEET_WINDOW_DIR", (root / "win").c_str(), 1);
    ::setenv("ZELSHEET_VALUES_FILE", (root / "none.conf").c_str(), 1);
  }
  ~Folder() { fs::remove_all(root); }
  fs::path root;
};

Folder& Sandbox() {
  static Folder folder;
  return folder;
}

struct Screen {
  explicit Screen(int32_t cols)
      : platform(std::make_unique<zel::SqliteSettingsStore>((Sandbox().root / "settings.db").string())),
        owned(std::make_unique<zel::ZelSheet>(platform)),
        sheet(*owned) {
    zel::PropertyBag bag;
    bag.WriteProperty("Info", "~,PGM001~,~,INIT~,0~,~,S1~,kim");
    bag.WriteProperty("MaxCols", std::to_string(cols));
    sheet.ReadProperties(bag);
    if (!sheet.SheetInit(cols, "d")) sheet.MaxCols(cols);
    for (int32_t c = 1; c <= cols; ++c) {
      sheet.AddItem("F" + std::to_string(c), "Title " + std::to_string(c), zel::EnText, 0, 20,
                    0, c % 7 == 0 ? "SHID" : "");
    }
    sheet.AddRowsToSheet(20);
  }
  zel::StandardPlatform platform;
  std::unique_ptr<zel::ZelSheet> owned;  // destroyed apart to time the close
  zel::ZelSheet& sheet;
};

// A 200-column screen the user arranged once: widths, order, hidden, frozen.
void StoreArrangement() {
  Screen s(kArrangedCols);
  zel::Grid& g = s.sheet.GetSheet();
  for (int32_t c = 1; c <= kArrangedCols; ++c) g.ColWidth(c, 5 + c % 11);
  g.SetColItemData(3, 9);
  g.SetColItemData(9, 3);
  g.Col(4);
  g.ColHidden(true);
  s.sheet.ColsFrozen(2);
  s.sheet.SaveTitleInfo();
}

void BM_SetSheetDeg(benchmark::State& state) {
  StoreArrangement();
  Screen s(kArrangedCols);
  int32_t cols = kArrangedCols;
  for (auto _ : state) s.sheet.SetSheetDeg(cols);
  state.counters["target_ms"] = 10;
}
BENCHMARK(BM_SetSheetDeg)->Unit(benchmark::kMillisecond)->Iterations(50);

void BM_SaveTitleInfoAndClose(benchmark::State& state) {
  StoreArrangement();
  for (auto _ : state) {
    state.PauseTiming();
    auto s = std::make_unique<Screen>(kArrangedCols);
    state.ResumeTiming();
    s->sheet.SaveTitleInfo();
    s->owned.reset();
    state.PauseTiming();
    s.reset();
    state.ResumeTiming();
  }
  state.counters["target_ms"] = 20;
}
BENCHMARK(BM_SaveTitleInfoAndClose)->Unit(benchmark::kMillisecond)->Iterations(30);

std::string FileRows() {
  std::string data;
  for (int32_t r = 1; r <= kFileRows; ++r) {
    for (int32_t c = 1; c <= kFileCols; ++c) {
      data += c == 2 ? "한글 이름 " + std::to_string(r % 977) : "V" + std::to_string(r * c);
      data += "~,";
    }
    data += "~I~";
  }
  return data;
}

void BM_SetSheetToFile(benchmark::State& state) {
  Screen s(kFileCols);
  s.sheet.Display(FileRows());
  for (auto _ : state) s.sheet.SetSheetToFile(true, "bench", "rows.txt", false);
  state.counters["target_ms"] = 500;
}
BENCHMARK(BM_SetSheetToFile)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_SetFileToSheet(benchmark::State& state) {
  Screen s(kFileCols);
  s.sheet.SetStringToFile(true, "bench", "rows.txt", FileRows());
  for (auto _ : state) {
    benchmark::DoNotOptimize(s.sheet.SetFileToSheet(true, "bench", "rows.txt", "", "=", 3, 50));
  }
  state.counters["target_ms"] = 500;
}
BENCHMARK(BM_SetFileToSheet)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
