// Exports for other programs: HTML tables, XML spreadsheet workbooks and their import, and
// the XML reader under the import.
#include <gtest/gtest.h>

#include "grid_check.h"

#include "file_test_support.h"
#include "grid/internal/xml_pull.h"
#include "zelsheet/grid.h"

namespace zel {
namespace {

using testing_grid::At;
using testing_files::DumpGrid;
using testing_files::ReadFile;
using testing_files::TempDir;
using testing_files::WriteFile;

size_t Count(const std::string& s, const std::string& what) {
  size_t n = 0;
  for (size_t p = s.find(what); p != std::string::npos; p = s.find(what, p + 1)) ++n;
  return n;
}

// The part of `s` between the first `from` and the following `to` (both excluded).
std::string Between(const std::string& s, const std::string& from, const std::string& to) {
  const size_t a = s.find(from);
  if (a == std::string::npos) return "<" + from + " missing>";
  const size_t b = s.find(to, a + from.size());
  if (b == std::string::npos) return "<" + to + " missing>";
  return s.substr(a + from.size(), b - a - from.size());
}

std::string Text(const Grid& g, int32_t col, int32_t row) {
  std::string t;
  g.GetText(col, row, t);
  return t;
}

// ---- HTML ---------------------------------------------------------------------------------------
TEST(GridHtml, EscapesEverythingThatIsNotMarkup) {
  TempDir dir;
  Grid g;
  g.MaxCols(2);
  g.MaxRows(2);
  g.SetText(1, 0, "<b>");
  g.SetText(1, 1, "<script>alert('x')</script> & \"q\"");
  g.SetText(2, 1, "줄1\r\n줄2");
  g.SetText(1, 2, "bad\xFF byte");
  g.SetText(2, 2, "ctl\x01" "char\ttab");
  const std::string path = dir.File("out <1>.html");
  ASSERT_TRUE(g.ExportToHTML(path, false, ""));
  const std::string html = ReadFile(path);
  EXPECT_EQ(html.rfind("<!DOCTYPE html>\n", 0), 0u);
  EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
  EXPECT_NE(html.find("<title>out &lt;1&gt;</title>"), std::string::npos);
  EXPECT_EQ(Between(html, "<thead>\n", "</tbody>"),  // automatic letters for empty titles
            "<tr><th>&lt;b&gt;</th><th>B</th></tr>\n</thead>\n<tbody>\n"
            "<tr><td>&lt;script&gt;alert(&#39;x&#39;)&lt;/script&gt; &amp; &quot;q&quot;</td><td>줄1<br>줄2</td></tr>\n"
            "<tr><td>bad\xEF\xBF\xBD byte</td><td>ctlchar\ttab</td></tr>\n");
  EXPECT_EQ(Count(html, "<script") * 10 + Count(html, "<table"), 1u);
}

// 4 x 4 cells "c-r", a 2 x 2 span at (1, 1), column 3 and row 3 hidden.
void FillLaidOut(Grid& g) {
  g.MaxCols(4);
  g.MaxRows(4);
  for (int32_t r = 1; r <= 4; ++r) {
    for (int32_t c = 1; c <= 4; ++c) g.SetText(c, r, std::to_string(c) + "-" + std::to_string(r));
  }
  ASSERT_TRUE(g.AddCellSpan(1, 1, 2, 2));
  g.Col(3);
  g.ColHidden(true);
  g.Row(3);
  g.RowHidden(true);
  At(g, 4, 4).BackColor(Rgb(0x12, 0x34, 0x56));
  g.TypeHAlign(1);
  g.FontBold(true);
}

TEST(GridHtml, SpansHiddenCellsAndFormats) {
  TempDir dir;
  Grid g;
  FillLaidOut(g);
  const std::string path = dir.File("t.html");
  ASSERT_TRUE(g.ExportToHTML(path, false, ""));
  EXPECT_EQ(Between(ReadFile(path), "<tbody>\n", "</tbody>"),
            "<tr><td colspan=\"2\" rowspan=\"2\">1-1</td><td>4-1</td></tr>\n<tr><td>4-2</td></tr>\n"
            "<tr><td>1-4</td><td>2-4</td>"
            "<td style=\"text-align:right;background-color:#123456;font-weight:bold;\">4-4</td></tr>\n");

  // A range that cuts the span shows the span's text in its first cell inside the range.
  ASSERT_TRUE(g.ExportRangeToHTML(4, 4, 2, 2, path, false, ""));
  EXPECT_EQ(Between(ReadFile(path), "<tbody>\n", "</tbody>"), "<tr><td>1-1</td><td>4-2</td></tr>\n<tr><td>2-4</td>"
            "<td style=\"text-align:right;background-color:#123456;font-weight:bold;\">4-4</td></tr>\n");
  EXPECT_EQ(Between(ReadFile(path), "<thead>\n", "</thead>"), "<tr><th>B</th><th>D</th></tr>\n");
}

TEST(GridHtml, AppendRangesAndLog) {
  TempDir dir;
  Grid g;
  FillLaidOut(g);
  const std::string path = dir.File("t.html");
  const std::string log = dir.File("export.log");
  ASSERT_TRUE(g.ExportRangeToHTML(1, 4, 1, 4, path, false, log));
  ASSERT_TRUE(g.ExportRangeToHTML(2, 4, 2, 4, path, true, log));
  std::string html = ReadFile(path);
  EXPECT_EQ(Count(html, "<table") * 10 + Count(html, "</body>"), 21u);
  EXPECT_LT(html.find("<td>1-4</td>"), html.find("<td>2-4</td>"));
  EXPECT_LT(html.find("<td>2-4</td>"), html.find("</body>"));

  // Appending to a file that is no HTML document adds the table at its end.
  WriteFile(path, "notes\n");
  ASSERT_TRUE(g.ExportRangeToHTML(-1, 4, -1, 4, path, true, log));
  html = ReadFile(path);
  EXPECT_EQ(html.rfind("notes\n<table", 0), 0u);
  EXPECT_EQ(Count(html, "<td"), 3u);  // columns 1, 2 and 4 of row 4

  // Ranges outside the data cells and unwritable files fail and say so in the log.
  EXPECT_FALSE(g.ExportRangeToHTML(1, 1, 5, 1, path, false, log));
  EXPECT_FALSE(g.ExportRangeToHTML(0, 1, 1, 1, path, false, log));
  EXPECT_FALSE(g.ExportToHTML(dir.File("no/folder/x.html"), false, log));
  const std::string lines = ReadFile(log);
  EXPECT_EQ(Count(lines, "\n") * 10 + Count(lines, "written to"), 63u);
  EXPECT_NE(lines.find("not inside the grid"), std::string::npos);
}

// ---- Workbooks -----------------------------------------------------------------------------------
void FillForWorkbook(Grid& g) {
  g.MaxCols(5);
  g.MaxRows(8);
  g.SetText(1, 0, "이름");
  g.SetText(3, 0, "금액");  // before the column's kind, which covers its header cells too
  At(g, 3, -1).CellType(kCellFloat);
  g.SetText(1, 1, "홍길동");
  g.SetText(2, 1, "<a> & \"b\" 'c'");
  g.SetText(3, 1, "12.5");
  g.SetText(1, 2, "두 줄\n둘째");
  g.SetText(3, 2, "-0.25");
  g.SetFloat(5, 2, 1e15);
  g.SetText(1, 4, "병합");
  g.SetText(4, 4, "끝");
  g.SetText(5, 5, "마지막");
  ASSERT_TRUE(g.AddCellSpan(1, 4, 2, 1));
  ASSERT_TRUE(g.AddCellSpan(4, 4, 1, 2));
  g.Col(2);
  g.ColHidden(true);
  g.ColWidth(1, 15);
}

// The texts of the header row and the data cells, one line per row.
std::string Texts(const Grid& g, int32_t cols, int32_t rows) {
  std::string out;
  for (int32_t r = 0; r <= rows; ++r) {
    for (int32_t c = 1; c <= cols; ++c) out += Text(g, c, r) + (c < cols ? "|" : "\n");
  }
  return out;
}

TEST(GridWorkbook, ExportThenImportGivesTheSameTableBack) {
  TempDir dir;
  Grid g;
  FillForWorkbook(g);
  const std::string path = dir.File("book.xml");
  ASSERT_TRUE(g.ExportToExcel(path, "데이터", ""));
  const std::string xml = ReadFile(path);
  EXPECT_EQ(xml.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n", 0), 0u);
  for (const char* part :
       {"<Worksheet ss:Name=\"데이터\">",
        "<Row ss:StyleID=\"zelHeader\"><Cell><Data ss:Type=\"String\">이름</Data></Cell><Cell ss:Index=\"3\">"
        "<Data ss:Type=\"String\">금액</Data></Cell></Row>",
        "<Data ss:Type=\"String\">&lt;a&gt; &amp; &quot;b&quot; &#39;c&#39;</Data>", "<Data ss:Type=\"Number\">12.5</Data>",
        "<Data ss:Type=\"Number\">1000000000000000</Data>", "두 줄&#10;둘째", "ss:MergeDown=\"1\"",
        "<Cell ss:MergeAcross=\"1\"><Data ss:Type=\"String\">병합</Data></Cell>", "<Column ss:Width=\"90\"/>",
        "<Column ss:Width=\"48\" ss:Hidden=\"1\"/>"}) {
    EXPECT_NE(xml.find(part), std::string::npos) << part;
  }

  std::vector<std::string> names{"stale"};
  EXPECT_TRUE(g.IsExcelFile(path, names));
  EXPECT_EQ(names, std::vector<std::string>{"데이터"});

  // The kinds are the importing grid's: its float column shows the numbers its own way.
  Grid back;
  back.MaxCols(3);
  back.MaxRows(1);
  At(back, 3, -1).CellType(kCellFloat);
  back.SetText(1, 1, "replaced");
  ASSERT_TRUE(back.ImportExcelSheet(path, 0, ""));
  EXPECT_EQ(back.MaxCols() * 10 + back.MaxRows(), 55);
  EXPECT_EQ(Texts(back, 5, 5), Texts(g, 5, 5));
  EXPECT_EQ(back.DataRowCnt(), g.DataRowCnt());
  int32_t ac, ar, nc, nr, ac2, ar2, nc2, nr2;
  ASSERT_TRUE(back.GetCellSpan(2, 4, ac, ar, nc, nr) && back.GetCellSpan(4, 5, ac2, ar2, nc2, nr2));
  EXPECT_EQ(std::vector<int32_t>({ac, nc, ar2}), std::vector<int32_t>({1, 2, 4}));
}

TEST(GridWorkbook, ReadsWhatSpreadsheetProgramsWrite) {
  TempDir dir;
  const std::string path = dir.File("other.xml");
  WriteFile(path,
            "\xEF\xBB\xBF<?xml version=\"1.0\"?>\r\n<?mso-application progid=\"Excel.Sheet\"?>\r\n"
            "<!-- written by another program -->\r\n"
            "<ss:Workbook xmlns:ss=\"urn:schemas-microsoft-com:office:spreadsheet\">\r\n"
            " <ss:Worksheet ss:Name=\"First\"><ss:Table><ss:Row><ss:Cell><ss:Data ss:Type=\"String\">one"
            "</ss:Data></ss:Cell></ss:Row></ss:Table></ss:Worksheet>\r\n <ss:Worksheet ss:Name=\"둘째\">\r\n"
            "  <ss:Table>\r\n   <ss:Row ss:Index=\"2\">\r\n"
            "    <ss:Cell ss:MergeAcross=\"1\"><ss:Data ss:Type=\"String\">a</ss:Data></ss:Cell>\r\n"
            "    <ss:Cell><ss:Data ss:Type=\"Number\">3</ss:Data></ss:Cell>\r\n"
            "    <ss:Cell ss:Index=\"6\"><ss:Data ss:Type=\"String\" "
            "xmlns=\"http://www.w3.org/TR/REC-html40\"><B>굵게</B> 보통</ss:Data>"
            "<ss:Comment><ss:Data>not the cell's text</ss:Data></ss:Comment></ss:Cell>\r\n   </ss:Row>\r\n"
            "   <ss:Row><ss:Cell><ss:Data ss:Type=\"String\"><![CDATA[<raw> & more]]></ss:Data></ss:Cell>"
            "<ss:Cell ss:StyleID=\"s1\"/></ss:Row>\r\n  </ss:Table>\r\n </ss:Worksheet>\r\n"
            "</ss:Workbook>\r\n");
  Grid probe;
  std::vector<std::string> names;
  ASSERT_TRUE(probe.IsExcelFile(path, names));
  EXPECT_EQ(names, (std::vector<std::string>{"First", "둘째"}));

  for (const auto& [index, name] : std::vector<std::pair<int32_t, std::string>>{{1, ""}, {0, "둘째"}}) {
    Grid g;
    g.MaxCols(2);
    g.MaxRows(2);
    ASSERT_TRUE(g.ImportExcelSheet(path, index, name));
    EXPECT_EQ(Texts(g, 6, 3), "|||||\n|||||\na||3|||굵게 보통\n<raw> & more|||||\n");
    int32_t ac, ar, nc, nr;
    EXPECT_TRUE(g.GetCellSpan(2, 2, ac, ar, nc, nr));
  }
  Grid first;
  ASSERT_TRUE(first.ImportExcelSheet(path, 0, ""));
  EXPECT_EQ(Text(first, 1, 1), "one");
}

TEST(GridWorkbook, ForeignAndMalformedFilesAreRefusedAndChangeNothing) {
  TempDir dir;
  const std::string head =
      "<?xml version=\"1.0\"?><Workbook xmlns=\"urn:schemas-microsoft-com:office:spreadsheet\" "
      "xmlns:ss=\"urn:schemas-microsoft-com:office:spreadsheet\">";
  const std::string sheet = "<Worksheet ss:Name=\"S\"><Table><Row><Cell><Data ss:Type=\"String\">x</Data></Cell></Row></Table></Worksheet>";
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"empty file", ""},
      {"HTML page", "<!DOCTYPE html><html><body><table><tr><td>1</td></tr></table></body></html>"},
      {"TAB text", "a\tb\r\n"},
      {"another XML vocabulary", "<?xml version=\"1.0\"?><Workbook><Worksheet/></Workbook>"},
      {"truncated (the XML reader's refusals are its own tests')", head + sheet.substr(0, 40)},
      {"unclosed root", head + sheet},
      {"row index zero", head + "<Worksheet><Table><Row ss:Index=\"0\"/></Table></Worksheet></Workbook>"},
      {"cell index beyond the limit", head + "<Worksheet><Table><Row><Cell ss:Index=\"100000001\"/></Row></Table></Worksheet></Workbook>"},
      {"merge beyond the limit", head + "<Worksheet><Table><Row><Cell ss:Index=\"5\" ss:MergeAcross=\"99999999\"/></Row></Table></Worksheet></Workbook>"},
      {"negative merge", head + "<Worksheet><Table><Row><Cell ss:MergeDown=\"-1\"/></Row></Table></Worksheet></Workbook>"},
  };
  Grid g;
  g.MaxCols(2);
  g.MaxRows(2);
  g.SetText(1, 1, "keep");
  const std::string before = DumpGrid(g);
  const std::string path = dir.File("f.xml");
  for (const auto& [what, bytes] : cases) {
    WriteFile(path, bytes);
    EXPECT_FALSE(g.IsExcelFile(path)) << what;
    EXPECT_FALSE(g.ImportExcelSheet(path, 0, "")) << what;
  }
  // A good workbook, but no such sheet.
  WriteFile(path, head + sheet + "</Workbook>");
  EXPECT_TRUE(g.IsExcelFile(path));
  EXPECT_FALSE(g.ImportExcelSheet(path, 1, "") || g.ImportExcelSheet(path, -1, "") || g.ImportExcelSheet(path, 0, "T"));
  EXPECT_FALSE(g.ImportExcelSheet(dir.File("missing.xml"), 0, "") || g.IsExcelFile(dir.File("missing.xml")));
  EXPECT_EQ(DumpGrid(g), before);
}

// ---- The XML reader -------------------------------------------------------------------------------
// Events as text: "<ns>local attr=value" for starts, "/local" for ends, "'text'" for texts.
std::string Events(std::string_view doc) {
  internal::XmlPull x(doc);
  std::string out;
  while (true) {
    switch (x.Next()) {
      case internal::XmlPull::Event::kStart:
        out += "<" + (x.Ns().empty() ? "" : "{" + x.Ns() + "}") + x.Local();
        for (const auto& a : x.Attributes()) {
          out += " " + (a.ns.empty() ? "" : "{" + a.ns + "}") + a.local + "=" + a.value;
        }
        out += "> ";
        break;
      case internal::XmlPull::Event::kEnd:
        out += "/" + x.Local() + " ";
        break;
      case internal::XmlPull::Event::kText:
        out += "'" + x.Text() + "' ";
        break;
      case internal::XmlPull::Event::kDone:
        return out;
      case internal::XmlPull::Event::kError:
        return "error";
    }
  }
}

TEST(XmlPull, WellFormedDocuments) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"<a x='1' y=\"&lt;2&gt;\">t&amp;<b/>&#xAC00;&#65;</a>", "<a x=1 y=<2>> 't&' <b> /b '가A' /a "},
      {"<?xml version='1.0'?>\n<!-- c --><a><!-- inside --><![CDATA[<&>]]></a>\n", "<a> '<&>' /a "},
      {"<p:a xmlns:p='u'><p:b p:c='v' d='w'/></p:a>", "<{u}a> <{u}b {u}c=v d=w> /b /a "},
      {"<a xmlns='d'><b xmlns=''/><c/></a>", "<{d}a> <b> /b <{d}c> /c /a "},
      {"<a x='l1&#10;l2\tl3'>r\r\nn</a>", "<a x=l1\nl2 l3> 'r\nn' /a "},
      {"<a xml:lang='ko'/>", "<a {http://www.w3.org/XML/1998/namespace}lang=ko> /a "},
  };
  for (const auto& [doc, events] : cases) EXPECT_EQ(Events(doc), events) << doc;
}

TEST(XmlPull, MalformedDocumentsAreRefused) {
  const std::vector<std::string> cases = {
      "", "   ", "text", "<a>", "<a></b>", "<a x=1/>", "<a x='<'/>", "<a x='1' x='2'/>", "<a x='1'y='2'/>",
      "<a>&bogus;</a>", "<a>&amp</a>", "<a>&#0;</a>", "<a>&#xD800;</a>", "<a>&#x110000;</a>", "<!DOCTYPE a><a/>",
      "<a/><b/>", "<a/>trailing", "<p:a/>", "<a xmlns:p=''/>", "<a><!-- open</a>", "<a><![CDATA[open</a>",
      "<a><!ELEMENT a ANY></a>", "<1a/>",
  };
  for (const std::string& doc : cases) EXPECT_EQ(Events(doc), "error") << doc;
}

}  // namespace
}  // namespace zel
