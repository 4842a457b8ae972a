// The other text shapes against Display of the same bytes, each also as a ratio to a memchr
// scan of its input (the cheapest possible reading):
//   DisplayQuerySheet of 1,000,000 rows x 10 with a total row   <= 1.3 x Display
//   Display_Multi of 300,000 records x 3 rows                   <= 1.3 x Display
//   DisplayMatrix of 10,000 keys x 100 values                   <= 1.5 x Display
//   GetItemsToString for 500 columns                            <= 1 ms
// Each shape's Display runs on a plain sheet of the same columns with the same rows as a
// data string, so the two differ only by what the shape adds. Times are CPU times (the
// machine is shared); the figures are printed next to the targets after the table.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "zelsheet/testing.h"
#include "zelsheet/zel_sheet.h"

namespace {

void AppendNumber(std::string& out, unsigned value, int digits) {
  char buf[16];
  for (int i = digits - 1; i >= 0; --i) {
    buf[i] = static_cast<char>('0' + value % 10);
    value /= 10;
  }
  out.append(buf, static_cast<size_t>(digits));
}

// One field of a typed column for row r.
void AppendField(std::string& out, int16_t type, unsigned r) {
  const unsigned h = r * 2654435761u;
  switch (type) {
    case zel::EnFloat:
      AppendNumber(out, h % 100000, 5);
      out += '.';
      AppendNumber(out, r % 100, 2);
      break;
    case zel::EnDate:
      out += "2024";
      AppendNumber(out, 1 + r % 12, 2);
      AppendNumber(out, 1 + h % 28, 2);
      break;
    case zel::EnCheck:
      out += (h & 1) != 0 ? "1" : "0";
      break;
    default:
      out += "KIM";
      AppendNumber(out, h % 1000000, 6);
      break;
  }
  out += "~,";
}

// Rows of fields of `types`, each row ended by "~I~".
std::string MakeRows(const std::vector<int16_t>& types, unsigned rows) {
  std::string data;
  data.reserve(static_cast<size_t>(rows) * types.size() * 10);
  for (unsigned r = 0; r < rows; ++r) {
    for (const int16_t t : types) AppendField(data, t, r);
    data += "~I~";
  }
  return data;
}

size_t ScanSeparators(std::string_view data) {
  size_t separators = 0;
  const char* p = data.data();
  const char* end = p + data.size();
  while (p < end) {
    const void* hit = std::memchr(p, '~', static_cast<size_t>(end - p));
    if (hit == nullptr) break;
    p = static_cast<const char*>(hit);
    if (p + 1 < end && p[1] == ',') {
      ++separators;
      p += 2;
    } else if (p + 2 < end && p[1] == 'I' && p[2] == '~') {
      ++separators;
      p += 3;
    } else {
      ++p;
    }
  }
  return separators;
}


// A loaded sheet in a mode that formats cells on definition.
struct Sheet {
  Sheet() : sheet(platform) {
    zel::PropertyBag bag;
    bag.WriteProperty("Info", "DATE:20240101~,PGMBENCH~,~,INIT~,0~,11111111~,S1~,U1");
    sheet.ReadProperties(bag);
  }
  void Columns(const std::vector<int16_t>& types) {
    sheet.MaxCols(static_cast<int32_t>(types.size()));
    for (size_t k = 0; k < types.size(); ++k) {
      sheet.AddItem("F" + std::to_string(k + 1), "F", types[k], 0, 20,
                    types[k] == zel::EnFloat ? 2 : 0);
    }
  }
  zel::testing::ScriptedPlatform platform;
  zel::ZelSheet sheet;
};

// Mean CPU seconds per benchmark, collected while the usual table is printed.
class Collector : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
        auto& [sum, count] = cpu_[run.run_name.function_name];
        sum += run.GetAdjustedCPUTime() / 1e3;
        ++count;
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }
  double Cpu(const std::string& name) const {
    auto it = cpu_.find(name);
    return it == cpu_.end() || it->second.second == 0 ? 0 : it->second.first / it->second.second;
  }

 private:
  std::map<std::string, std::pair<double, int>> cpu_;
};

void Register(const std::string& name, std::function<void()> call, int iterations) {
  benchmark::RegisterBenchmark(name.c_str(), [call](benchmark::State& state) {
    for (auto _ : state) call();
  })->Unit(benchmark::kMillisecond)->Iterations(iterations);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);

  // ---- Query sheet: 1,000,000 rows x 10 with a total row ----
  const std::vector<int16_t> queryTypes = {zel::EnText, zel::EnFloat, zel::EnDate,  zel::EnCheck,
                                           zel::EnText, zel::EnText,  zel::EnFloat, zel::EnDate,
                                           zel::EnText, zel::EnText};
  const std::string queryRows = MakeRows(queryTypes, 1'000'000);
  const std::string queryText =
      "Q~I~~,T~,~,~,TOTAL~,~,A~,~,~,~,000,000,255~,255,255,192~,~I~<~I~>"
      "C1~,C2~,C3~,C4~,C5~,C6~,C7~,C8~,C9~,C10~,~I~" +
      queryRows;
  Sheet queryPlain, querySheet;
  queryPlain.Columns(queryTypes);
  querySheet.Columns(queryTypes);
  Register("QueryScan", [&] { benchmark::DoNotOptimize(ScanSeparators(queryText)); }, 5);
  Register("QueryDisplay", [&] { queryPlain.sheet.Display(queryRows); }, 3);
  Register("DisplayQuerySheet", [&] { querySheet.sheet.DisplayQuerySheet(queryText, 0, true); }, 3);

  // ---- Multi-row: 300,000 records x 3 rows, three fields a row ----
  const std::vector<int16_t> multiTypes = {zel::EnText, zel::EnText,  zel::EnFloat,
                                           zel::EnDate, zel::EnFloat, zel::EnText,
                                           zel::EnText, zel::EnCheck, zel::EnFloat};
  const std::string multiRows = MakeRows(multiTypes, 300'000);
  Sheet multiPlain, multiSheet;
  multiPlain.Columns(multiTypes);
  {
    zel::ZelSheet& m = multiSheet.sheet;
    m.MaxCols(3);
    m.ColHeaderRows(3);
    m.AddCellSpan_Start(9);
    for (int32_t d = 0; d < 9; ++d) {
      m.AddItem_Multi(1 + d % 3, d / 3, 1, 1, 0, "M" + std::to_string(d), "M", multiTypes[d], "",
                      20, multiTypes[d] == zel::EnFloat ? 2 : 0);
    }
    m.AddCellSpan_End();
  }
  Register("MultiScan", [&] { benchmark::DoNotOptimize(ScanSeparators(multiRows)); }, 5);
  Register("MultiDisplay", [&] { multiPlain.sheet.Display(multiRows); }, 5);
  Register("Display_Multi", [&] { multiSheet.sheet.Display_Multi(multiRows); }, 5);

  // ---- Matrix: 10,000 keys x 100 values ----
  std::vector<int16_t> matrixTypes = {zel::EnFloat, zel::EnText};  // the row total, the key
  matrixTypes.resize(103, zel::EnFloat);  // the row-total column's place, 100 values
  const std::string matrixRows = MakeRows(matrixTypes, 10'000);
  std::string matrixText = "Key~,C~,20~,0~,~,~,~I~|~|" + matrixRows + "|~|";
  for (int v = 0; v < 100; ++v) matrixText += "0~,V" + std::to_string(v) + "~,~I~";
  Sheet matrixPlain, matrixSheet;
  matrixPlain.Columns(matrixTypes);
  Register("MatrixScan", [&] { benchmark::DoNotOptimize(ScanSeparators(matrixText)); }, 5);
  Register("MatrixDisplay", [&] { matrixPlain.sheet.Display(matrixRows); }, 5);
  Register("DisplayMatrix", [&] { matrixSheet.sheet.DisplayMatrix(matrixText, true, 2); }, 5);

  // ---- Item list of 500 columns ----
  Sheet itemSheet;
  itemSheet.Columns(std::vector<int16_t>(500, zel::EnText));
  Register("GetItemsToString500", [&] { benchmark::DoNotOptimize(itemSheet.sheet.GetItemsToString(1)); },
           200);

  Collector collector;
  benchmark::RunSpecifiedBenchmarks(&collector);
  benchmark::Shutdown();

  auto line = [&](const char* what, const std::string& name, const std::string& base,
                  const std::string& scan, double target) {
    const double t = collector.Cpu(name), b = collector.Cpu(base), s = collector.Cpu(scan);
    if (t == 0 || b == 0 || s == 0) return;
    std::printf("  %-34s %8.1f ms = %5.2f x scan; Display %8.1f ms = %5.2f x scan\n", what,
                t * 1e3, t / s, b * 1e3, b / s);
    std::printf("  %-34s ratio %.2f (target <= %.1f)  %s\n", "", t / b, target,
                t / b <= target ? "met" : "MISSED");
  };
  std::printf("\nShapes against Display of the same bytes, CPU time\n");
  line("DisplayQuerySheet 1,000,000 x 10", "DisplayQuerySheet", "QueryDisplay", "QueryScan", 1.3);
  line("Display_Multi 300,000 x 3 rows", "Display_Multi", "MultiDisplay", "MultiScan", 1.3);
  line("DisplayMatrix 10,000 x 100", "DisplayMatrix", "MatrixDisplay", "MatrixScan", 1.5);
  const double items = collector.Cpu("GetItemsToString500");
  if (items > 0) {
    std::printf("  %-34s %8.3f ms (target <= 1 ms)  %s\n", "GetItemsToString 500 columns",
                items * 1e3, items <= 1e-3 ? "met" : "MISSED");
  }
  return 0;
}
