// DisplayQuerySheet on a loaded query sheet: roles from the code line, the total row, field
// names from the name line, the two fill modes, appending, and a random comparison against a
// plain reading of generated results. Texts that are not well formed are replayed from
// fuzz/regressions/query_text.
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

// The rows (columns 1 to 3), the frozen rows and the field names of columns 1 to 4.
std::string Shown(QuerySheet& f) {
  return RenderSheet(f.sheet, RenderRange{1, f.sheet.MaxRows(), 3}) + " frozen " + std::to_string(f.sheet.RowsFrozen()) +
         " names " + f.sheet.FieldName(1) + "," + f.sheet.FieldName(2) + "," + f.sheet.FieldName(3) + "," +
         f.sheet.FieldName(4);
}

TEST(DisplayQuerySheet, TotalRowByRoleCodes) {
  struct Case {
    const char* codes;  // columns 1 to 3
    const char* names;
    bool masks;         // column 2 with the mask #.00, column 3 with #,##0.0
    const char* shown;
  };
  const Case cases[] = {
      // The worked example: the names come from the result.
      {"~,T~,TOTAL~,", "Qty~,Item~,Name~,~,", false, ".||12|TOTAL\n.|1|5|1000\n.|5|7|2500.5 frozen 1 names Qty,Item,Name,"},
      {"~,A~,TOTAL~,", "", false, ".||6|TOTAL\n.|1|5|1000\n.|5|7|2500.5 frozen 1 names ,,,"},
      {"~,TSUM~,합계~,", "", false, ".||12|TOTAL\n.|1|5|1000\n.|5|7|2500.5 frozen 1 names ,,,"},  // "TOTAL" is written
      {" T ~,TOTALROW~,TOTAL~,", "", false, ".|6||TOTAL\n.|1|5|1000\n.|5|7|2500.5 frozen 1 names ,,,"},  // trimmed; no total
      {"~,t~,total~,", "", false, ".|1|5|1000\n.|5|7|2500.5 frozen 0 names ,,,"},  // case matters: no total row
      {"TOTAL~,A~,T~,", "", true, ".|TOTAL|6.00|3,500.5\n.|1|5.00|1000\n.|5|7.00|2500.5 frozen 1 names ,,,"},  // the masks
  };
  for (const Case& c : cases) {
    QuerySheet f;
    if (c.masks) {
      f.sheet.SetItem("B", "B", EnFloat, 2, 0, 2);
      f.sheet.SetItem("C", "C", EnText, 3, 0, 0, "", "", "#,##0.0");
    }
    f.sheet.DisplayQuerySheet(QuerySheet::Result(
        std::string(c.codes) + "~,~,~,~,~,~,~,000,000,255~,255,255,192~,", c.names,
        QuerySheet::Row({"1", "5", "1000"}) + QuerySheet::Row({"5", "7", "2500.5"})));
    EXPECT_EQ(Shown(f), c.shown) << c.codes;
    f.sheet.GetSheet().SetText(0, 2, "U");  // the result's names go out with the next save
    EXPECT_NE(f.sheet.GetData().find("WorkingTag~,~," + std::string(c.names)), std::string::npos) << c.codes;
    if (f.sheet.RowsFrozen() == 0) continue;
    EXPECT_EQ(f.At(1, 1).ForeColor(), Rgb(0, 0, 255));
    EXPECT_EQ(f.At(1, 1).BackColor(), Rgb(255, 255, 192));
  }
}

TEST(DisplayQuerySheet, RoleColumnsUnlessTheCallerNamedThem) {
  // The arguments after the call (sheet, check, select, display), the public values of the
  // same, the system columns 5 and 6 hidden, and whether column 4 (locked when declared) is.
  auto roles = [](int32_t check, int32_t select, int32_t dis) {
    QuerySheet f;
    f.sheet.gCheckCol(9);
    int32_t sheetNo = 0;
    f.sheet.DisplayQuerySheet(QuerySheet::Result("D~,S~,~,C~,C~,", "", QuerySheet::Row({"1"})), 7, false, sheetNo,
                              check, select, dis);
    Grid& g = f.sheet.GetSheet();
    auto hidden = [&g](int32_t col) { return g.Col(col), g.ColHidden(); };
    std::string out;
    for (const int32_t n : {sheetNo, check, select, dis, f.sheet.gSelectSheet(), f.sheet.gCheckCol(), f.sheet.gSelectCol(),
                            f.sheet.gDisCol()}) {
      out += std::to_string(n) + " ";
    }
    out += std::string(hidden(5) ? "5" : "-") + (hidden(6) ? "6" : "-");
    return out + (f.At(4, 1).LockCells() ? " locked" : " open");
  };
  EXPECT_EQ(roles(-1, -1, -1), "7 4 2 1 7 4 2 1 56 open");  // the first "C" wins
  EXPECT_EQ(roles(2, 5, 6), "0 2 5 6 -1 9 -1 -1 -- locked");
}

// ---- Fill modes -----------------------------------------------------------------------------

TEST(DisplayQuerySheet, FieldsByCellTypeAndRowColours) {
  SheetFixture f;
  f.sheet.MaxCols(6);
  for (const int16_t type : {EnDate, EnTime, EnTime, EnFloat, EnImageButton, EnText}) {
    f.sheet.AddItem("F", "F", type, 0, 0, type == EnFloat ? 1 : 0);
  }
  for (const bool displayMode : {true, false}) {
    // Fields 7 and 8 colour the row outside display mode; colours that do not read are none.
    f.sheet.DisplayQuerySheet(QuerySheet::Result("", "",
                                                 "20240131~,0930~,093015~,1234.56~,Go\r\n_/img/go.png~,  x  ~,"
                                                 "255,000,000~,000,255,000~,~I~~,~,~,~,Plain~,~,red~,12,3~,~I~~,~I~"),
                              0, displayMode);
    EXPECT_EQ(RenderSheet(f.sheet, RenderRange{1, 2, 6}), ".|31-01-2024|09:30|09:30:15|1,234.6|Go|  x\n.|||||Plain|")
        << displayMode;
    f.sheet.GetSheet().Col(5);
    f.sheet.GetSheet().Row(1);
    EXPECT_EQ(f.sheet.GetSheet().CellTag(), "img/go.png");
    EXPECT_EQ(f.At(1, 2).BackColor(), f.At(1, 3).BackColor());
    EXPECT_EQ(f.At(1, 1).BackColor(), displayMode ? f.At(1, 3).BackColor() : Rgb(0, 255, 0));
    EXPECT_EQ(f.At(1, 1).ForeColor(), displayMode ? f.At(1, 3).ForeColor() : Rgb(255, 0, 0));
  }
}

TEST(DisplayQuerySheet, AppendSortsDropsDuplicatesAndTotalsEveryRow) {
  QuerySheet f;
  const std::string codes = "TOTAL~,T~,~,";
  f.sheet.IsDataAdd(true);
  f.sheet.DisplayQuerySheet(QuerySheet::Result(
      codes, "", QuerySheet::Row({"", "5", "b"}) + QuerySheet::Row({"", "1", "d"})));
  f.sheet.IsDataAdd(true);
  f.sheet.DisplayQuerySheet(QuerySheet::Result(
      codes, "", QuerySheet::Row({"", "1", "d"}) + QuerySheet::Row({"", "2", "a"})));
  EXPECT_EQ(RenderSheet(f.sheet, RenderRange{1, -1, 3}), ".|TOTAL|8|\n.||2|a\n.||5|b\n.||1|d");
  EXPECT_FALSE(f.sheet.IsDataAdd());
}

// ---- Random results against a plain reading -------------------------------------------------

// Generated results of text columns coded "TOTAL", "T" or nothing against a plain split: field
// k in column k with trailing blanks removed, and a total row of the "T" columns' sums under
// the first label column's "TOTAL".
TEST(DisplayQuerySheet, RandomResultsMatchAPlainReading) {
  std::mt19937 rng(20261206);
  const std::vector<std::string> pieces = {"", "1", "23", " 4 ", "x", "가", "~", "~I", "I~", ",", "<", ">", "|"};
  const char* const kCodes[] = {"TOTAL", "T", "", "", "", ""};
  for (int round = 0; round < 60; ++round) {
    SheetFixture f;
    const auto cols = static_cast<size_t>(2 + rng() % 4);
    f.sheet.MaxCols(static_cast<int32_t>(cols) + 5);  // room for the system columns
    for (size_t k = 1; k <= cols + 5; ++k) f.sheet.AddItem("F" + std::to_string(k), "", EnText);
    std::vector<std::string> codes(cols);
    std::string codeLine, data, expected, head = ".";
    for (std::string& c : codes) codeLine += (c = kCodes[rng() % 6]) + "~,";
    const bool total = codeLine.find("TOTAL") != std::string::npos;
    std::vector<long> sums(cols, 0);
    for (unsigned r = 1 + rng() % 5; r > 0; --r) {
      expected += "\n.";
      for (size_t k = 0; k < cols; ++k) {
        std::string v;
        if (codes[k] == "T") {
          v = std::to_string(rng() % 100);
          sums[k] += std::stol(v);
        } else if (!(total && codes[k] == "TOTAL")) {
          for (unsigned n = rng() % 3; n > 0; --n) v += pieces[rng() % pieces.size()];
          const std::string t = v + "~,";
          if (t.find("~I~") != std::string::npos || t.find("~,") != t.size() - 2) v = "ok";
        }
        data += v + "~,";
        while (!v.empty() && v.back() == ' ') v.pop_back();
        expected += '|' + v;
      }
      data += "~,~,~,~,~,~I~";  // the system columns
    }
    bool labelled = false;  // only the first label column shows the label
    for (size_t k = 0; k < cols; ++k) {
      const bool label = codes[k] == "TOTAL" && !labelled;
      labelled = labelled || label;
      head += '|' + (label ? "TOTAL" : codes[k] == "T" ? std::to_string(sums[k]) : "");
    }
    f.sheet.DisplayQuerySheet(QuerySheet::Result(codeLine, "", data));
    EXPECT_EQ(RenderSheet(f.sheet, RenderRange{1, f.sheet.MaxRows(), static_cast<int32_t>(cols)}),
              total ? head + expected : expected.substr(1))
        << data;
  }
}

}  // namespace
}  // namespace zel
