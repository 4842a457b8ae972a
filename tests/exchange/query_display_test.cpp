// DisplayQuerySheet on a loaded query sheet: roles from the code line, the total row, field
// names from the name line, the two fill modes, appending, texts that are not well formed,
// and a random comparison against a plain reading of generated results.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "support/sheet_fixture.h"

namespace zel {
namespace {

using testing::RenderRange;
using testing::RenderSheet;
using testing::SheetFixture;

std::string Text(const ZelSheet& sheet, int32_t col, int32_t row) {
  std::string out;
  sheet.GetSheet().GetText(col, row, out);
  return out;
}

Color RowColor(ZelSheet& sheet, int32_t row, bool back) {
  Grid& g = sheet.GetSheet();
  g.Col(1);
  g.Row(row);
  return back ? g.BackColor() : g.ForeColor();
}

bool Hidden(ZelSheet& sheet, int32_t col) {
  sheet.GetSheet().Col(col);
  return sheet.GetSheet().ColHidden();
}

// A query sheet of ten columns: four data columns (text, float, text, a locked check column)
// and the system columns 5 to 10, as a query screen declares them.
struct QuerySheet : SheetFixture {
  QuerySheet() {
    sheet.MaxCols(10);
    sheet.AddItem("A", "A", EnText);
    sheet.AddItem("B", "B", EnFloat);
    sheet.AddItem("C", "C", EnText);
    sheet.AddItem("K", "K", EnCheck, 0, 0, 0, "DIS");
    for (int i = 5; i <= 10; ++i) sheet.AddItem("S" + std::to_string(i), "S", EnText);
  }
  // A result text from its code line, name line and data rows.
  static std::string Result(const std::string& codes, const std::string& names,
                            const std::string& rows) {
    return "head~I~" + codes + "~I~<~I~>" + names + "~I~" + rows;
  }
  // A data row of ten fields (the given ones, then empty ones) and the two colour fields.
  static std::string Row(const std::vector<std::string>& fields, const std::string& fore = "",
                         const std::string& back = "") {
    std::string out;
    for (size_t k = 0; k < 10; ++k) out += (k < fields.size() ? fields[k] : "") + "~,";
    return out + fore + "~," + back + "~,~I~";
  }
};

// ---- Roles and the total row ----------------------------------------------------------------

TEST(DisplayQuerySheet, WorkedExampleTotalRowOnTopAndNamesFromTheResult) {
  QuerySheet f;
  const std::string text = QuerySheet::Result(
      "~,T~,TOTAL~,~,~,~,~,~,~,~,000,000,255~,255,255,192~,", "Qty~,Item~,Name~,~,~,~,~,~,~,~,",
      QuerySheet::Row({"a", "5", "x"}) + QuerySheet::Row({"b", "7", "y"}));
  EXPECT_TRUE(f.sheet.DisplayQuerySheet(text));
  EXPECT_EQ(RenderSheet(f.sheet, RenderRange{1, 3, 10}),
            ".||12|TOTAL||||||TOTALROW|\n.|a|5|x|||||||\n.|b|7|y|||||||");
  EXPECT_EQ(f.sheet.FieldName(1), "Qty");
  EXPECT_EQ(f.sheet.FieldName(3), "Name");
  EXPECT_EQ(f.sheet.FieldName(4), "");
  EXPECT_EQ(RowColor(f.sheet, 1, false), Rgb(0, 0, 255));
  EXPECT_EQ(RowColor(f.sheet, 1, true), Rgb(255, 255, 192));
  EXPECT_EQ(f.sheet.RowsFrozen(), 1);
  EXPECT_EQ(f.sheet.MaxRows(), 3);
  EXPECT_TRUE(f.sheet.GetSheet().ReDraw());
  EXPECT_EQ(f.sheet.MousePointer(), 0);
  // The result's names go out with the next save.
  f.sheet.GetSheet().SetText(0, 2, "U");
  EXPECT_NE(f.sheet.GetData().find("WorkingTag~,~,Qty~,Item~,Name~,"), std::string::npos);
}

TEST(DisplayQuerySheet, TotalsByRoleCode) {
  struct Case {
    const char* codes;  // columns 1 to 3
    const char* row1;   // columns 1 to 3 of the total row; "" for no total row
  };
  const Case cases[] = {
      {"~,T~,TOTAL~,", "|12|TOTAL"},
      {"~,A~,TOTAL~,", "|6|TOTAL"},
      {"~,TSUM~,합계~,", "|12|TOTAL"},        // the Korean label; "TOTAL" is written
      {"TOTAL~,T~,TOTAL~,", "TOTAL|12|"},      // the first label wins
      {" T ~,TOTALROW~,TOTAL~,", "6||TOTAL"},  // codes trimmed; TOTALROW has no total
      {"~,t~,total~,", ""},                    // case matters: no total row
  };
  for (const Case& c : cases) {
    QuerySheet f;
    f.sheet.DisplayQuerySheet(QuerySheet::Result(
        c.codes, "", QuerySheet::Row({"1", "5", "x"}) + QuerySheet::Row({"5", "7", "y"})));
    if (*c.row1 == '\0') {
      EXPECT_EQ(RenderSheet(f.sheet, RenderRange{1, 1, 3}), ".|1|5|x") << c.codes;
      EXPECT_EQ(f.sheet.RowsFrozen(), 0) << c.codes;
    } else {
      EXPECT_EQ(RenderSheet(f.sheet, RenderRange{1, 1, 3}), std::string(".|") + c.row1) << c.codes;
      EXPECT_EQ(Text(f.sheet, 1, 3), "5") << c.codes;
    }
  }
}

TEST(DisplayQuerySheet, TotalsTakeTheColumnsMask) {
  QuerySheet f;
  f.sheet.SetItem("B", "B", EnFloat, 2, 0, 2);  // mask #.00
  f.sheet.SetItem("C", "C", EnText, 3, 0, 0, "", "", "#,##0.0");
  f.sheet.DisplayQuerySheet(QuerySheet::Result(
      "TOTAL~,A~,T~,", "", QuerySheet::Row({"", "1.25", "1000"}) + QuerySheet::Row({"", "2", "2500.5"})));
  EXPECT_EQ(RenderSheet(f.sheet, RenderRange{1, 1, 3}), ".|TOTAL|1.63|3,500.5");
}

TEST(DisplayQuerySheet, RoleColumnsUnlessTheCallerNamedThem) {
  QuerySheet f;
  int32_t sheetNo = 0, check = -1, select = -1, dis = -1;
  f.sheet.DisplayQuerySheet(QuerySheet::Result("D~,S~,~,C~,C~,", "", QuerySheet::Row({"1"})), 7,
                            false, sheetNo, check, select, dis);
  EXPECT_EQ(check, 4);  // the first "C"
  EXPECT_EQ(select, 2);
  EXPECT_EQ(dis, 1);
  EXPECT_EQ(sheetNo, 7);
  EXPECT_EQ(f.sheet.gCheckCol(), 4);
  EXPECT_EQ(f.sheet.gSelectCol(), 2);
  EXPECT_EQ(f.sheet.gSelectSheet(), 7);
  EXPECT_EQ(f.sheet.gDisCol(), 1);
  EXPECT_TRUE(Hidden(f.sheet, 6));   // MaxCols - 4
  EXPECT_TRUE(Hidden(f.sheet, 5));   // MaxCols - 5
  f.sheet.GetSheet().Col(4);
  f.sheet.GetSheet().Row(1);
  EXPECT_FALSE(f.sheet.GetSheet().LockCells());

  // A column the caller named keeps its role; the code is ignored.
  QuerySheet g;
  int32_t no = 0, named = 2, s = 5, d = 6;
  g.sheet.gCheckCol(9);
  g.sheet.DisplayQuerySheet(QuerySheet::Result("~,~,~,C~,", "", QuerySheet::Row({"1"})), 1,
                            false, no, named, s, d);
  EXPECT_EQ(named, 2);
  EXPECT_EQ(g.sheet.gCheckCol(), 9);
  EXPECT_FALSE(Hidden(g.sheet, 6));
  g.sheet.GetSheet().Col(4);
  g.sheet.GetSheet().Row(1);
  EXPECT_TRUE(g.sheet.GetSheet().LockCells());
}

// ---- Fill modes -----------------------------------------------------------------------------

TEST(DisplayQuerySheet, FieldsByCellType) {
  SheetFixture f;
  f.sheet.MaxCols(6);
  f.sheet.AddItem("D", "D", EnDate);
  f.sheet.AddItem("TM", "T", EnTime);
  f.sheet.AddItem("TS", "T", EnTime);
  f.sheet.AddItem("F", "F", EnFloat, 0, 0, 1);
  f.sheet.AddItem("I", "I", EnImageButton);
  f.sheet.AddItem("X", "X", EnText);
  for (const bool displayMode : {true, false}) {
    f.sheet.DisplayQuerySheet(
        QuerySheet::Result("", "",
                           "20240131~,0930~,093015~,1234.56~,Go\r\n_/img/go.png~,  x  ~,~I~"
                           "~,~,~,~,Plain~,~,~I~"),
        0, displayMode);
    EXPECT_EQ(RenderSheet(f.sheet, RenderRange{1, 2, 6}),
              ".|31-01-2024|09:30|09:30:15|1,234.6|Go|  x\n.|||||Plain|")
        << displayMode;
    f.sheet.GetSheet().Col(5);
    f.sheet.GetSheet().Row(1);
    EXPECT_EQ(f.sheet.GetSheet().CellTag(), "img/go.png");
  }
}

TEST(DisplayQuerySheet, RowColoursOutsideDisplayMode) {
  const std::string rows = QuerySheet::Row({"a", "1"}, "255,000,000", "000,255,000") +
                           QuerySheet::Row({"b", "2"}) +
                           QuerySheet::Row({"c", "3"}, "red", "12,3");  // no colours
  QuerySheet f;
  f.sheet.DisplayQuerySheet(QuerySheet::Result("", "", rows));
  const Color fore = RowColor(f.sheet, 2, false), back = RowColor(f.sheet, 2, true);
  EXPECT_EQ(RowColor(f.sheet, 1, false), Rgb(255, 0, 0));
  EXPECT_EQ(RowColor(f.sheet, 1, true), Rgb(0, 255, 0));
  EXPECT_EQ(RowColor(f.sheet, 3, false), fore);
  EXPECT_EQ(RowColor(f.sheet, 3, true), back);
  EXPECT_EQ(RenderSheet(f.sheet, RenderRange{1, 3, 2}), ".|a|1\n.|b|2\n.|c|3");
  // Display mode reads no row colours.
  QuerySheet g;
  g.sheet.DisplayQuerySheet(QuerySheet::Result("", "", rows), 0, true);
  EXPECT_EQ(RowColor(g.sheet, 1, true), back);
}

TEST(DisplayQuerySheet, AppendSortsDropsDuplicatesAndTotalsEveryRow) {
  QuerySheet f;
  const std::string codes = "TOTAL~,T~,~,";
  f.sheet.IsDataAdd(true);
  f.sheet.DisplayQuerySheet(QuerySheet::Result(
      codes, "", QuerySheet::Row({"", "5", "b"}) + QuerySheet::Row({"", "1", "d"})));
  EXPECT_FALSE(f.sheet.IsDataAdd());
  f.sheet.IsDataAdd(true);
  f.sheet.DisplayQuerySheet(QuerySheet::Result(
      codes, "", QuerySheet::Row({"", "1", "d"}) + QuerySheet::Row({"", "2", "a"})));
  EXPECT_EQ(RenderSheet(f.sheet, RenderRange{1, -1, 3}), ".|TOTAL|8|\n.||2|a\n.||5|b\n.||1|d");
  EXPECT_FALSE(f.sheet.IsDataAdd());
}

// ---- Texts that are not well formed ---------------------------------------------------------

TEST(DisplayQuerySheet, MalformedTextsEndWithAWholeSheet) {
  const std::string nul("a\0b~,1~,~I~", 11);
  const std::vector<std::string> texts = {
      "",
      "no sections at all",
      "head~I~~,T~,TOTAL~,",  // no data section
      "head<~I~>names~,",     // no code line, no rows
      QuerySheet::Result("~,T~,TOTAL~,~,~,~,~,~,~,~,abc,def,ghi~,12~,", "", QuerySheet::Row({"1"})),
      QuerySheet::Result(std::string(200, 'T') + "~,", "", "1~,2~,~I~"),
      QuerySheet::Result(std::string(30, 'T') + "~,", "", "1~,~I~"),  // more codes than columns
      QuerySheet::Result("~,T~,TOTAL~,", "", nul),
      QuerySheet::Result("~,A~,TOTAL~,", "", "\xff\xfe~,\xc3~,~I~"),
      QuerySheet::Result("~,T~,TOTAL~,", "", std::string(1000, 'x') + "~,1e999~,~I~"),
      "|~||~||~|<~I~><~I~><~I~>~I~~I~~,~,",
  };
  for (const std::string& text : texts) {
    QuerySheet f;
    EXPECT_TRUE(f.sheet.DisplayQuerySheet(text)) << text;
    EXPECT_TRUE(f.sheet.GetSheet().ReDraw()) << text;
    EXPECT_EQ(f.sheet.MousePointer(), 0) << text;
    EXPECT_LE(f.sheet.GetSheet().DataRowCnt(), f.sheet.MaxRows()) << text;
    // The sheet takes a Display afterwards as any other sheet does.
    EXPECT_TRUE(f.sheet.Display("z~,~I~")) << text;
  }
  // A sheet of fewer columns than the system columns need: those steps are skipped.
  SheetFixture g;
  g.sheet.MaxCols(2);
  EXPECT_TRUE(g.sheet.DisplayQuerySheet(QuerySheet::Result("C~,D~,", "", "1~,2~,~I~")));
  EXPECT_EQ(g.sheet.gCheckCol(), 1);
  EXPECT_EQ(RenderSheet(g.sheet, RenderRange{1, 1, 2}), ".|1|2");
}

// ---- Random results against a plain reading -------------------------------------------------

// The sheet a plain split of the result gives: rows after the name line, field k in column k
// with trailing blanks removed (all text columns), a total row of the "T" columns' sums.
std::string PlainReading(const std::vector<std::string>& codes,
                         const std::vector<std::vector<std::string>>& rows, int32_t cols) {
  bool total = false;
  for (const std::string& c : codes) total = total || c == "TOTAL";
  std::string out;
  if (total) {
    bool labelled = false;  // only the first label column shows the label
    for (int32_t k = 1; k <= cols; ++k) {
      const std::string& code = codes[static_cast<size_t>(k - 1)];
      out += '|';
      if (code == "TOTAL" && !labelled) {
        labelled = true;
        out += "TOTAL";
      } else if (code == "T") {
        long sum = 0;
        for (const auto& r : rows) sum += std::stol("0" + r[static_cast<size_t>(k - 1)]);
        out += std::to_string(sum);
      }
    }
  }
  for (const auto& r : rows) {
    if (!out.empty()) out += '\n';
    for (int32_t k = 1; k <= cols; ++k) {
      std::string v = r[static_cast<size_t>(k - 1)];
      while (!v.empty() && v.back() == ' ') v.pop_back();
      out += '|' + v;
    }
  }
  return out;
}

TEST(DisplayQuerySheet, RandomResultsMatchAPlainReading) {
  std::mt19937 rng(20261206);
  const std::vector<std::string> pieces = {"", "1", "23", " 4 ", "x", "가", "~", "~I", "I~", ",",
                                           "<", ">", "|"};
  for (int round = 0; round < 60; ++round) {
    SheetFixture f;
    const int32_t cols = 2 + static_cast<int32_t>(rng() % 4);
    f.sheet.MaxCols(cols + 5);  // room for the system columns
      for (int32_t k = 1; k <= cols + 5; ++k) f.sheet.AddItem("F" + std::to_string(k), "", EnText);
    std::vector<std::string> codes;
    std::string codeLine;
    for (int32_t k = 1; k <= cols; ++k) {
      const unsigned pick = rng() % 6;
      codes.push_back(pick == 0 ? "TOTAL" : pick == 1 ? "T" : "");
      codeLine += codes.back() + "~,";
    }
    for (int32_t k = cols + 1; k <= cols + 5; ++k) codeLine += "~,";
    const bool total = codeLine.find("TOTAL") != std::string::npos;
    std::vector<std::vector<std::string>> rows(1 + rng() % 5);
    std::string data;
    for (auto& r : rows) {
      for (int32_t k = 1; k <= cols + 5; ++k) {
        std::string v;
        if (k <= cols) {
          if (codes[static_cast<size_t>(k - 1)] == "T") {
            v = std::to_string(rng() % 100);
          } else if (!(total && codes[static_cast<size_t>(k - 1)] == "TOTAL")) {
            for (unsigned n = rng() % 3; n > 0; --n) v += pieces[rng() % pieces.size()];
            const std::string t = v + "~,";
            if (t.find("~I~") != std::string::npos || t.find("~,") != t.size() - 2) v = "ok";
          }
          r.push_back(v);
        }
        data += v + "~,";
      }
      data += "~I~";
    }
    f.sheet.DisplayQuerySheet(QuerySheet::Result(codeLine, "", data));
    std::string shown = RenderSheet(f.sheet, RenderRange{1, f.sheet.MaxRows(), cols});
    // The render starts each line with the row header; the reference has none.
    std::string plain;
    for (size_t p = 0; p < shown.size();) {
      const size_t bar = shown.find('|', p);
      const size_t nl = shown.find('\n', bar);
      plain += shown.substr(bar, nl == std::string::npos ? std::string::npos : nl - bar + 1);
      p = nl == std::string::npos ? shown.size() : nl + 1;
    }
    EXPECT_EQ(plain, PlainReading(codes, rows, cols)) << data;
  }
}

}  // namespace
}  // namespace zel
