// The real exports read back with real readers: the workbook unzipped and its sheet XML
// checked, the PDF measured with pdfinfo and read with pdftotext, the chart's PNG and SVG
// opened and their size checked.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "zelsheet/file_tools.h"
#include "zelsheet/testing.h"

namespace zel {
namespace {

namespace fs = std::filesystem;

// What `command` writes to its standard output.
std::string Output(const std::string& command) {
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  std::string out;
  for (int c; pipe && (c = fgetc(pipe.get())) != EOF;) out += static_cast<char>(c);
  return out;
}

size_t Count(const std::string& hay, const std::string& needle) {
  size_t n = 0;
  for (size_t at = hay.find(needle); at != std::string::npos; at = hay.find(needle, at + 1)) ++n;
  return n;
}

// Two header rows ("고객" over code and name, "금액" spanning both rows), typed columns, a
// hidden column, one frozen column and row, and a red failed row.
GridTable Customers(size_t rows) {
  GridTable t;
  t.header_rows = {{"고객", "", "금액", "가입일", "사용", "비고"},
                   {"코드", "이름", "", "", "", ""}};
  t.titles = t.header_rows.back();
  t.header_spans = {{0, 0, 2, 1}, {2, 0, 1, 2}};
  t.columns = {{1, 8, false, TableKind::kText, 0, false},    {2, 12, false, TableKind::kText, 0, false},
               {3, 12, false, TableKind::kNumber, 2, true},  {4, 11, false, TableKind::kDate, 0, false},
               {5, 5, false, TableKind::kCheck, 0, false},   {6, 10, true, TableKind::kText, 0, false}};
  for (size_t r = 0; r < rows; ++r) {
    t.rows.push_back({"K" + std::to_string(r + 1), r % 2 ? "홍길동" : "Kim", std::to_string(r * 1000 + 0.5),
                      "20240105", r % 2 ? "1" : "0", std::string("bad\xff\x01", 5)});
    t.row_back.push_back(0xFFFFFF);
    t.row_fore.push_back(r == 1 ? 0x0000FF : 0);
  }
  t.frozen_cols = t.frozen_rows = 1;
  t.selected_cols = {2};
  return t;
}

struct Tools : ::testing::Test {
  void SetUp() override {
    const char* base = std::getenv("ZEL_TEST_TMP");
    folder = (fs::path(base ? base : "/tmp") / ("companion-" + std::to_string(getpid()))).string();
    fs::remove_all(folder);
  }
  void TearDown() override { fs::remove_all(folder); }
  std::string folder;
  testing::ScriptedPlatform platform;
  FileCompanionTools tools{platform.Messages(), [this] { return folder; }};
};

TEST_F(Tools, WorkbookKeepsTypesMergesHiddenColumnsPanesAndColoursOrRefusesTheSheet) {
  GridTable t = Customers(3);
  std::string info = "고객/목록", doc, title = "고객 현황";
  const ToolOutcome out = tools.SendExcel("PGM001", info, doc, t, title);
  ASSERT_TRUE(out.done) << out.message;
  EXPECT_EQ(fs::path(out.path).parent_path() / fs::path(out.path).extension(), fs::path(folder) / ".xlsx");
  const std::string xml = Output("unzip -p '" + out.path + "' xl/worksheets/sheet1.xml");
  const std::string styles = Output("unzip -p '" + out.path + "' xl/styles.xml");
  // The title and the header spans merged, the panes, the hidden column, a number as a number,
  // 2024-01-05 as a date serial, Hangul, the number and date formats, the failed row's red.
  for (const char* part : {"<mergeCell ref=\"A1:F1\"/>", "<mergeCell ref=\"A2:B2\"/>", "<mergeCell ref=\"C2:C3\"/>",
                           "<pane xSplit=\"1\" ySplit=\"4\"", "hidden=\"1\"", "<c r=\"C5\" s=\"", "<v>1000.5</v>",
                           "<v>45296</v>", "홍길동"}) EXPECT_NE(xml.find(part), std::string::npos) << part << "\n" << xml;
  for (const char* part : {"#,##0.00", "formatCode=\"yyyy-mm-dd\"", "FFFF0000"}) EXPECT_NE(styles.find(part), std::string::npos) << part;
  EXPECT_EQ(Count(xml, "t=\"b\""), 3u);  // check boxes as booleans

  // Same title again: a second file beside the first, never over it.
  const ToolOutcome again = tools.SendExcel("PGM001", info, doc, t, title);
  EXPECT_TRUE(again.done && again.path != out.path) << again.path;
  EXPECT_EQ(Output("unzip -tq '" + again.path + "'").find("No errors"), 0u);

  // Sheets a workbook cannot hold give a message and no file, not even a temporary one.
  fs::remove_all(folder);
  GridTable wide;
  wide.titles.assign(kWorkbookMaxCols + 1, "c");
  wide.rows.push_back(std::vector<std::string>(kWorkbookMaxCols + 1, "1"));
  const ToolOutcome tooWide = tools.SendToExcel(info, wide);
  EXPECT_TRUE(!tooWide.done && tooWide.message.find("16384") != std::string::npos) << tooWide.message;
  EXPECT_FALSE(tools.SendToExcel(info, GridTable{}).done);
  EXPECT_TRUE(!fs::exists(folder) || fs::is_empty(folder));
  FileCompanionTools nowhere(platform.Messages(), [] { return std::string(); });
  EXPECT_FALSE(nowhere.sbPrint(Customers(1), "t").done);
}

TEST_F(Tools, PrintoutRepeatsHeadersOverPagesAndNumbersThem) {
  GridTable t = Customers(100);
  for (auto& c : t.columns) c.width = 40;  // too wide for one page: columns continue
  const ToolOutcome out = tools.sbPrint(t, "고객 목록 ../../etc");
  ASSERT_TRUE(out.done) << out.message;
  EXPECT_EQ(fs::path(out.path).parent_path(), fs::path(folder));
  const std::string info = Output("pdfinfo '" + out.path + "'");
  const int pages = std::stoi(info.substr(info.find("Pages:") + 6));
  EXPECT_TRUE(pages % 2 == 0 && pages >= 6) << pages;  // two column groups of equal row pages
  const std::string text = Output("pdftotext -layout '" + out.path + "' -");
  // The title on each page, the headers on each page of the first column group.
  EXPECT_EQ(std::to_string(Count(text, "고객 목록")) + " " + std::to_string(Count(text, "코드")), std::to_string(pages) + " " + std::to_string(pages / 2));
  std::string flat = text;  // pdftotext closes up the footer's narrow spaces
  std::erase(flat, ' ');
  for (int p = 1; p <= pages; ++p) EXPECT_NE(flat.find(std::to_string(p) + "/" + std::to_string(pages)), std::string::npos) << p;
  for (const char* part : {"1,000.50", "2024-01-05"}) EXPECT_NE(text.find(part), std::string::npos) << part;
  EXPECT_EQ(text.find("bad"), std::string::npos);  // the hidden column stays out
}

TEST_F(Tools, ChartWritesAnSvgAndAPngOfTheSelectedNumbersOrRefusesNone) {
  const ToolOutcome out = tools.sbShowChart(Customers(12));
  ASSERT_TRUE(out.done) << out.message;
  const std::string png = Output("cat '" + out.path + "'");
  EXPECT_EQ(png.substr(1, 3) + png.substr(16, 8), "PNG" + std::string("\0\0\x03\x84\0\0\x02\x1c", 8));  // 900 by 540
  const std::string svg = Output("cat '" + out.path.substr(0, out.path.size() - 4) + ".svg'");
  EXPECT_LT(svg.find("<svg"), svg.find("width=\"900"));
  GridTable none;  // nothing to chart
  none.titles = {"a"}, none.rows = {{"x"}};
  EXPECT_FALSE(tools.sbShowChart(none).done);
}

}  // namespace
}  // namespace zel
