// The sheet tools of the menus on large sheets, printed beside their targets:
//   on 1,000,000 rows x 10 columns: the filter                          target <= 0.5 s
//                                   a column merge of one column          target <= 0.5 s
//                                   sum and average of a 1,000,000 x 2 block  <= 0.1 s
//   a sheet of 100,000 rows x 10 exported to a workbook (.xlsx)   target <= 3 s, <= 200 MB
//   a sheet of 1,000 rows printed to PDF                          target <= 1 s
// Times are CPU seconds of this program (the machine is shared); the export's memory is the
// growth of the peak resident set while it runs.
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>

#include "zelsheet/file_tools.h"
#include "zelsheet/property_bag.h"
#include "zelsheet/testing.h"
#include "zelsheet/zel_sheet.h"

namespace {

constexpr int32_t kCols = 10;

double PeakResidentMB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

// A sheet of `rows` rows: text, number (2 decimals), date and check columns, as a screen
// declares them. Columns 2 and 3 repeat few values, so that a merge forms groups.
struct Sheet {
  zel::testing::ScriptedPlatform platform;
  zel::ZelSheet sheet{platform};

  explicit Sheet(int32_t rows) {
    zel::PropertyBag bag;
    bag.WriteProperty("Info", "20240101~,PGM001~,~,INIT~,1~,11111111~,S1~,kim");
    sheet.ReadProperties(bag);
    sheet.MaxCols(kCols);
    const int16_t types[kCols] = {zel::EnText, zel::EnText,  zel::EnFloat, zel::EnFloat,
                                  zel::EnDate, zel::EnCheck, zel::EnText,  zel::EnText,
                                  zel::EnText, zel::EnFloat};
    for (int32_t c = 1; c <= kCols; ++c) {
      sheet.AddItem("F" + std::to_string(c), "항목 " + std::to_string(c), types[c - 1], 0, 20, 2);
    }
    sheet.MaxRows(rows);
    zel::Grid& g = sheet.GetSheet();
    g.ReDraw(false);
    for (int32_t r = 1; r <= rows; ++r) {
      g.SetText(1, r, "K" + std::to_string(r));
      g.SetText(2, r, "city" + std::to_string(r % 97));
      g.SetText(3, r, std::to_string(r % 1000) + ".50");
      g.SetText(4, r, std::to_string(r % 77) + ".25");
      g.SetText(5, r, "05-01-2024");
      g.SetText(6, r, r % 2 ? "1" : "0");
      g.SetText(7, r, "고객" + std::to_string(r % 13));
      g.SetText(8, r, "memo");
      g.SetText(9, r, "x");
      g.SetText(10, r, std::to_string(r % 31));
    }
    g.ReDraw(true);
  }
};

template <class Work>
void Measure(const char* what, double targetSeconds, Work&& work) {
  const auto t0 = std::chrono::steady_clock::now();
  const std::clock_t c0 = std::clock();
  work();
  const double cpu = static_cast<double>(std::clock() - c0) / CLOCKS_PER_SEC;
  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  std::printf("  %-40s %7.3f s cpu (%6.3f s wall)  target <= %.1f s  %s\n", what, cpu, wall,
              targetSeconds, cpu <= targetSeconds ? "ok" : "MISSED");
}

}  // namespace

int main() {
  const std::string folder =
      (std::filesystem::temp_directory_path() / ("zel-bench-" + std::to_string(getpid()))).string();
  zel::testing::ScriptedPlatform quiet;
  zel::FileCompanionTools tools(quiet.Messages(), [&] { return folder; });

  std::printf("Exports\n");
  {
    auto small = std::make_unique<Sheet>(100'000);
    const double before = PeakResidentMB();
    zel::ToolOutcome out;
    Measure("workbook of 100,000 x 10 (.xlsx)", 3.0, [&] {
      zel::GridTable table = small->sheet.SheetTable();
      std::string info = "bench";
      out = tools.SendToExcel(info, table);
    });
    const double growth = PeakResidentMB() - before;
    std::printf("  %-40s %7.1f MB                       target <= 200 MB  %s  (%s)\n",
                "  its peak memory growth", growth, growth <= 200 ? "ok" : "MISSED",
                out.done ? "written" : out.message.c_str());
  }
  {
    Sheet page(1'000);
    zel::ToolOutcome out;
    Measure("PDF of 1,000 rows x 10", 1.0, [&] {
      zel::GridTable table = page.sheet.SheetTable();
      out = tools.sbPrint(table, "고객 목록");
    });
    if (!out.done) std::printf("  (not written: %s)\n", out.message.c_str());
  }

  std::printf("\nTools on 1,000,000 rows x %d columns\n", kCols);
  Sheet big(1'000'000);
  Measure("filter (one column, matching 1 row in 97)", 0.5,
          [&] { big.sheet.ApplyFilter({"", "CITY5"}); });
  big.sheet.ApplyFilter({});
  Measure("column merge of one column", 0.5, [&] { big.sheet.SetColMerge(2); });
  big.sheet.SetColMerge(0);
  big.sheet.GetSheet().SetSelection(3, 1, 4, 1'000'000);
  Measure("sum and average of 1,000,000 x 2", 0.1, [&] { big.sheet.fnSumAvg(); });
  const auto& shown = big.platform.ToolCalls<zel::CalOnSheetDialog>();
  if (!shown.empty()) std::printf("  (total %s over %s cells)\n", shown.back().dfTotal.c_str(),
                                  shown.back().dfRecordCnt.c_str());
  std::filesystem::remove_all(folder);
  return 0;
}
