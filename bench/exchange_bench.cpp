// Speed of collecting save parameter text from a large sheet.
//
// A sheet of 1,000,000 rows x 10 fields (text, Hangul text, floats, dates, a check box and a
// combo column; about 100 MB as a data string) is filled once through Display. Then, in the
// same run:
//   scan         a plain memchr walk over the data string counting its separators: the
//                floor any reader or writer of that much text has to pay;
//   GetData      with every row marked "U" (every row changed);
//   GetDataAll   with IsDataOnly (the values alone).
// Targets: each of GetData and GetDataAll(true) at most 1.5 times the scan. The figures are
// printed next to the targets after the runs.
//
// The first call of each member is made, and timed, before the runs. On a virtual machine
// memory the process has never used since the machine started costs the host a fault per
// page on first touch (a plain memset of a fresh 90 MB block: ~105 ms the first time in a
// process, ~8 ms once the block was used and given back), so the first text of a run pays
// for the machine's memory rather than for the member; it is printed apart. The data string is built in canonical form, so
// the data-only text must equal it byte for byte; the program says whether it did.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <map>
#include <memory>
#include <string>

#include "text/number.h"
#include "zelsheet/property_bag.h"
#include "zelsheet/testing.h"
#include "zelsheet/zel_sheet.h"

namespace {

constexpr int32_t kRows = 1'000'000;

// Counts "~," and "~I~" with memchr for '~': the cheapest pass over the text there is.
size_t ScanSeparators(const std::string& data) {
  size_t count = 0;
  const char* p = data.data();
  const char* const end = p + data.size();
  while ((p = static_cast<const char*>(std::memchr(p, '~', static_cast<size_t>(end - p))))) {
    if (p + 1 < end && (p[1] == ',' || p[1] == 'I')) ++count;
    ++p;
  }
  return count;
}

std::string MakeData() {
  static const char* const kNames[] = {"김민준", "이서연", "박도윤", "최하은", "정시우",
                                       "Kang", "Yoon", "Jang", "Lim", "Han"};
  std::string data;
  data.reserve(110'000'000);
  uint32_t seed = 12345;
  auto next = [&seed] {
    seed = seed * 1664525u + 1013904223u;
    return seed >> 8;
  };
  char code[16];
  for (int32_t r = 1; r <= kRows; ++r) {
    std::snprintf(code, sizeof code, "C%07d", r);
    data += code;                                     // 1 text: a code
    data += "~,";
    data += kNames[next() % 10];                      // 2 text: a name
    data += "~,";
    data += zel::text::NumberToText(static_cast<double>(next() % 10'000'000) / 100);  // 3
    data += "~,";
    data += "2024";                                   // 4 date
    const uint32_t month = 1 + next() % 12, day = 1 + next() % 28;
    data += static_cast<char>('0' + month / 10);
    data += static_cast<char>('0' + month % 10);
    data += static_cast<char>('0' + day / 10);
    data += static_cast<char>('0' + day % 10);
    data += "~,";
    data += next() % 2 ? "1" : "0";                   // 5 check box
    data += "~,";
    data += "0";                                      // 6 combo code
    data += static_cast<char>('1' + next() % 5);
    data += "~,";
    data += std::to_string(next() % 1000);            // 7 float: a quantity
    data += "~,";
    data += "2023";                                   // 8 date
    data += "0";
    data += static_cast<char>('1' + next() % 9);
    data += "15~,";
    if (next() % 4 != 0) {                            // 9 text, sometimes empty
      data += "memo ";
      data += std::to_string(next() % 100000);
    }
    data += "~,";
    data += next() % 5 ? "delivered in full" : "partly open";  // 10 text
    data += "~,~I~";
  }
  return data;
}

double CpuMs() {
  return static_cast<double>(std::clock()) * 1000.0 / CLOCKS_PER_SEC;
}

struct Fixture {
  zel::testing::ScriptedPlatform platform;
  std::unique_ptr<zel::ZelSheet> sheet;
  std::string data;
  double display_seconds = 0;
  double first_get_data_ms = 0;
  double first_get_data_all_ms = 0;

  Fixture() {
    data = MakeData();
    sheet = std::make_unique<zel::ZelSheet>(platform);
    zel::ZelSheet& s = *sheet;
    s.ReadProperties(zel::PropertyBag{});  // loaded as a host's form loads it
    s.MaxCols(10);
    s.AddItem("CODE", "Code", zel::EnText, 0, 8);
    s.AddItem("NAME", "Name", zel::EnText, 0, 20);
    s.AddItem("AMOUNT", "Amount", zel::EnFloat, 0, 10, 2);
    s.AddItem("DAY", "Day", zel::EnDate, 0, 10);
    s.AddItem("OK", "OK", zel::EnCheck);
    s.AddItem("CITY", "City", zel::EnCombo, 0, 2);
    s.AddItem("QTY", "Qty", zel::EnFloat, 0, 6, 0);
    s.AddItem("SINCE", "Since", zel::EnDate, 0, 10);
    s.AddItem("NOTE", "Note", zel::EnText, 0, 30);
    s.AddItem("STATE", "State", zel::EnText, 0, 4);
    s.InitCombo("서울~,01\t부산~,02\t대구~,03\t인천~,04\t광주~,05\t", 0, true, 6, -1, true);
    const auto t0 = std::chrono::steady_clock::now();
    s.Display(data);
    display_seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    zel::Grid& g = s.GetSheet();
    for (int32_t r = 1; r <= kRows; ++r) g.SetText(0, r, "U");
    double t = CpuMs();
    benchmark::DoNotOptimize(s.GetData().size());
    first_get_data_ms = CpuMs() - t;
    t = CpuMs();
    benchmark::DoNotOptimize(s.GetDataAll(true).size());
    first_get_data_all_ms = CpuMs() - t;
  }
};

Fixture& Shared() {
  static Fixture f;
  return f;
}

void BM_MemchrScan(benchmark::State& state) {
  const std::string& data = Shared().data;
  for (auto _ : state) benchmark::DoNotOptimize(ScanSeparators(data));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * data.size()));
}

void BM_GetDataEveryRowChanged(benchmark::State& state) {
  zel::ZelSheet& s = *Shared().sheet;
  size_t size = 0;
  for (auto _ : state) {
    std::string text = s.GetData();
    size = text.size();
    benchmark::DoNotOptimize(text.data());
  }
  state.counters["MB"] = static_cast<double>(size) / 1e6;
}

void BM_GetDataAllDataOnly(benchmark::State& state) {
  zel::ZelSheet& s = *Shared().sheet;
  size_t size = 0;
  for (auto _ : state) {
    std::string text = s.GetDataAll(true);
    size = text.size();
    benchmark::DoNotOptimize(text.data());
  }
  state.counters["MB"] = static_cast<double>(size) / 1e6;
}

// What producing any new text of GetDataAll's size costs here: a fresh string filled by
// 64 KiB appends, as the save members fill theirs. On a machine where fresh memory is
// expensive (page faults under virtualisation) this floor shows how much of the save
// members' time is the memory itself.
void BM_FreshTextOfTheSameSize(benchmark::State& state) {
  const size_t size = Shared().data.size();
  const std::string chunk(64 * 1024, 'x');
  for (auto _ : state) {
    std::string text;
    text.reserve(size);
    while (text.size() + chunk.size() <= size) text.append(chunk);
    benchmark::DoNotOptimize(text.data());
  }
}

BENCHMARK(BM_MemchrScan)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_GetDataEveryRowChanged)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_GetDataAllDataOnly)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_FreshTextOfTheSameSize)->Unit(benchmark::kMillisecond)->Iterations(5);

// Keeps each run's wall and CPU time per iteration (milliseconds) for the summary.
class CollectingReporter : public benchmark::ConsoleReporter {
 public:
  struct Times {
    double wall = 0, cpu = 0;
  };
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration) {
        times_[run.benchmark_name()] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }
  Times Time(const std::string& prefix) const {
    for (const auto& [name, t] : times_) {
      if (name.rfind(prefix, 0) == 0) return t;
    }
    return {};
  }

 private:
  std::map<std::string, Times> times_;
};

void PrintFigure(const char* what, CollectingReporter::Times t, CollectingReporter::Times scan,
                 const char* target) {
  std::printf("%-36s %9.1f %7.2f %9.1f %7.2f %8s\n", what, t.wall,
              scan.wall > 0 ? t.wall / scan.wall : 0.0, t.cpu, scan.cpu > 0 ? t.cpu / scan.cpu : 0.0,
              target);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  Fixture& f = Shared();
  std::printf("data string: %.1f MB, %d rows x 10 fields; Display took %.2f s\n",
              static_cast<double>(f.data.size()) / 1e6, kRows, f.display_seconds);
  CollectingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);

  const auto scan = reporter.Time("BM_MemchrScan");
  std::printf("\n%-36s %9s %7s %9s %7s %8s\n", "figure", "wall ms", "x scan", "cpu ms",
              "x scan", "target");
  PrintFigure("memchr scan of the data string", scan, scan, "");
  PrintFigure("GetData, every row changed", reporter.Time("BM_GetDataEveryRowChanged"), scan,
              "<= 1.5");
  PrintFigure("GetDataAll(true)", reporter.Time("BM_GetDataAllDataOnly"), scan, "<= 1.5");
  PrintFigure("(a fresh text of the same size)", reporter.Time("BM_FreshTextOfTheSameSize"),
              scan, "");
  std::printf("first calls after loading (cpu ms): GetData %.1f, GetDataAll(true) %.1f\n",
              f.first_get_data_ms, f.first_get_data_all_ms);
  const bool same = f.sheet->GetDataAll(true) == f.data;
  std::printf("GetDataAll(true) equals the displayed data string: %s\n", same ? "yes" : "NO");
  benchmark::Shutdown();
  return same ? 0 : 1;
}
