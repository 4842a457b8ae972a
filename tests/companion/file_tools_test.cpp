// The real exports read back with real readers: the workbook unzipped and its sheet XML
// checked, the PDF measured with pdfinfo and read with pdftotext, the chart's PNG and SVG
// opened and their size checked.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "zelsheet/file_tools.h"
#include "zelsheet/testing.h"

namespace zel {
namespace {

namespace fs = std::filesystem;

std::string Output(const std::string& command) {
  std::string out;
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  if (!pipe) return out;
  char buf[4096];
  for (size_t n; (n = fread(buf, 1, sizeof buf, pipe.get())) > 0;) out.append(buf, n);
  return out;
}

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
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
  t.columns = {{1, 8, false, TableKind::kText, 0, false},
               {2, 12, false, TableKind::kText, 0, false},
               {3, 12, false, TableKind::kNumber, 2, true},
               {4, 11, false, TableKind::kDate, 0, false},
               {5, 5, false, TableKind::kCheck, 0, false},
               {6, 10, true, TableKind::kText, 0, false}};
  for (size_t r = 0; r < rows; ++r) {
    t.rows.push_back({"K" + std::to_string(r + 1), r % 2 ? "홍길동" : "Kim", std::to_string(r * 1000 + 0.5),
                      "20240105", r % 2 ? "1" : "0", std::string("bad\xff\x01", 5)});
    t.row_back.push_back(0xFFFFFF);
    t.row_fore.push_back(r == 1 ? 0x0000FF : 0);
  }
  t.frozen_cols = 1;
  t.frozen_rows = 1;
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

TEST_F(Tools, WorkbookKeepsTypesMergesWidthsHiddenColumnsPanesAndColours) {
  GridTable t = Customers(3);
  std::string info = "고객/목록", doc, title = "고객 현황";
  const ToolOutcome out = tools.SendExcel("PGM001", info, doc, t, title);
  ASSERT_TRUE(out.done) << out.message;
  EXPECT_EQ(fs::path(out.path).parent_path(), fs::path(folder));
  EXPECT_EQ(fs::path(out.path).extension(), ".xlsx");
  const std::string xml = Output("unzip -p '" + out.path + "' xl/worksheets/sheet1.xml");
  const std::string styles = Output("unzip -p '" + out.path + "' xl/styles.xml");
  EXPECT_NE(xml.find("<mergeCell ref=\"A1:F1\"/>"), std::string::npos) << xml;  // title
  EXPECT_NE(xml.find("<mergeCell ref=\"A2:B2\"/>"), std::string::npos);
  EXPECT_NE(xml.find("<mergeCell ref=\"C2:C3\"/>"), std::string::npos);
  EXPECT_NE(xml.find("<pane xSplit=\"1\" ySplit=\"4\""), std::string::npos);
  EXPECT_NE(xml.find("hidden=\"1\""), std::string::npos);
  EXPECT_NE(xml.find("<c r=\"C5\" s=\""), std::string::npos);
  EXPECT_NE(xml.find("<v>1000.5</v>"), std::string::npos);     // a number, not a text
  
  EXPECT_EQ(Count(xml, "t=\"b\""), 3u);                         // check boxes as booleans
  EXPECT_NE(xml.find("<v>45296</v>"), std::string::npos);       // 2024-01-05 as a date serial
  EXPECT_NE(xml.find("홍길동"), std::string::npos);
  EXPECT_NE(styles.find("#,##0.00"), std::string::npos);
  EXPECT_NE(styles.find("formatCode=\"yyyy-mm-dd\""), std::string::npos);
  EXPECT_NE(styles.find("FFFF0000"), std::string::npos);        // the failed row's red

  // Same title again: a second file beside the first, never over it.
  const ToolOutcome again = tools.SendExcel("PGM001", info, doc, t, title);
  ASSERT_TRUE(again.done);
  EXPECT_NE(again.path, out.path);
  EXPECT_EQ(Output("unzip -tq '" + again.path + "'").find("No errors"), 0u);
}

TEST_F(Tools, BadSheetsGiveAMessageAndNoFile) {
  GridTable wide;
  wide.titles.assign(kWorkbookMaxCols + 1, "c");
  wide.rows.push_back(std::vector<std::string>(kWorkbookMaxCols + 1, "1"));
  std::string info = "x";
  const ToolOutcome tooWide = tools.SendToExcel(info, wide);
  EXPECT_FALSE(tooWide.done);
  EXPECT_NE(tooWide.message.find("16384"), std::string::npos);
  const ToolOutcome empty = tools.SendToExcel(info, GridTable{});
  EXPECT_FALSE(empty.done);
  EXPECT_FALSE(tools.sbShowChart(GridTable{{"a"}, {{"x"}}}).done);  // nothing to chart
  EXPECT_TRUE(!fs::exists(folder) || fs::is_empty(folder));  // not even a temporary file

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
  const size_t at = info.find("Pages:");
  ASSERT_NE(at, std::string::npos);
  const int pages = std::stoi(info.substr(at + 6));
  EXPECT_EQ(pages % 2, 0);  // two column groups of equal row pages
  EXPECT_GE(pages, 6);
  const std::string text = Output("pdftotext -layout '" + out.path + "' -");
  EXPECT_EQ(Count(text, "고객 목록"), static_cast<size_t>(pages));
  EXPECT_EQ(Count(text, "코드"), static_cast<size_t>(pages / 2));  // headers on each page
  std::string flat = text;  // pdftotext closes up the footer's narrow spaces
  std::erase(flat, ' ');
  for (int p = 1; p <= pages; ++p) {
    EXPECT_NE(flat.find(std::to_string(p) + "/" + std::to_string(pages)), std::string::npos) << p;
  }
  EXPECT_NE(text.find("1,000.50"), std::string::npos);
  EXPECT_NE(text.find("2024-01-05"), std::string::npos);
  EXPECT_EQ(text.find("bad"), std::string::npos);  // the hidden column stays out
}

TEST_F(Tools, ChartWritesAnSvgAndAPngOfTheSelectedNumbers) {
  const ToolOutcome out = tools.sbShowChart(Customers(12));
  ASSERT_TRUE(out.done) << out.message;
  const std::string png = Slurp(out.path);
  ASSERT_GT(png.size(), 24u);
  EXPECT_EQ(png.substr(1, 3), "PNG");
  auto be32 = [&](size_t at) {
    return (static_cast<uint32_t>(static_cast<uint8_t>(png[at])) << 24) |
           (static_cast<uint32_t>(static_cast<uint8_t>(png[at + 1])) << 16) |
           (static_cast<uint32_t>(static_cast<uint8_t>(png[at + 2])) << 8) |
           static_cast<uint8_t>(png[at + 3]);
  };
  EXPECT_EQ(be32(16), 900u);
  EXPECT_EQ(be32(20), 540u);
  const std::string svg = Slurp(out.path.substr(0, out.path.size() - 4) + ".svg");
  EXPECT_NE(svg.find("width=\"900"), std::string::npos);
  EXPECT_NE(svg.find("<svg"), std::string::npos);
}

}  // namespace
}  // namespace zel
