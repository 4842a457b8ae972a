// The grid's file image (SaveToFile / LoadFromFile) and TAB-separated files.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <tuple>

#include "file_test_support.h"
#include "grid_check.h"
#include "zelsheet/grid_view.h"
#include "text/codepage.h"
#include "zelsheet/grid.h"

namespace zel {
namespace {

using testing_grid::At;
using testing_grid::Block;
using testing_files::DumpGrid;
using testing_files::ReadFile;
using testing_files::TempDir;
using testing_files::WriteFile;

// A grid using every kind of thing the image keeps: texts short and long (Hangul), header
// rows and row-header columns, kinds with settings, column / row / cell formats written in an
// order where the latest must win, borders, tags, notes, spans in the data and header areas,
// layout and grid-wide settings.
void FillRich(Grid& g) {
  g.MaxCols(6);
  g.MaxRows(30);
  g.ColHeaderRows(2);
  g.RowHeaderCols(2);
  const std::tuple<int32_t, int32_t, const char*> texts[] = {
      {1, 0, "이름"}, {2, -999, "upper header"}, {-999, 3, "rh"}, {0, 2, "U"}, {1, 2, "ab"}, {1, 4, "line one\nline\ttwo"},
      {1, 1, "가나다라마바사아자차카타파하가나다라마바사아자차카타파하"}};
  for (const auto& [col, row, text] : texts) g.SetText(col, row, text);

  At(g, 2, -1).CellType(kCellFloat);
  g.TypeFloatDecimalPlaces(3);
  g.TypeHAlign(1);
  g.SetText(2, 1, "12.5");
  g.SetText(2, 3, "-7");
  g.Col(3);
  g.CellType(kCellCheckBox);
  g.TypeCheckText("예");
  g.SetText(3, 1, "1");
  g.SetText(3, 2, "Y");
  g.Col(4);
  g.CellType(kCellComboBox);
  g.TypeComboBoxList("사과\t배\t");
  g.SetText(4, 1, "배");
  At(g, 5, 3).CellType(kCellInteger);
  g.SetText(5, 3, "42");
  g.SetFloat(1, 20, 3.25);
  g.SetInteger(6, 21, -12);

  At(g, 6, -1).BackColor(Rgb(1, 2, 3));
  At(g, -1, 5).ForeColor(Rgb(200, 0, 0));
  At(g, 6, 5);
  g.BackColor(Rgb(9, 9, 9));  // a cell format newer than its column's
  g.Col(1);
  g.FontBold(true);
  g.FontName("굴림체");
  g.Row(6);
  g.LockCells(false);
  At(g, -1, -1);
  g.FontSize(11);  // the sheet level, newest, so it wins over the older cell formats
  At(g, 1, 5).FontItalic(true);
  g.SetCellBorder(1, 7, 2, 8, kBorderOutline, Rgb(0, 0, 255), 2);
  g.Row(9);
  g.CellTag("tag-9");
  g.CellNote("메모");
  At(g, -999, 3).CellTag("in the row header");

  EXPECT_TRUE(g.AddCellSpan(1, 10, 2, 2));
  EXPECT_TRUE(g.AddCellSpan(3, 0, 2, 1));
  EXPECT_TRUE(g.AddCellSpan(1, 0, 1, 2));
  EXPECT_TRUE(g.AddCellSpan(-999, 5, 1, 3));

  g.ColWidth(1, 20.5);
  g.RowHeight(3, 30);
  g.RowHeight(0, 18);
  g.Col(4);
  g.ColHidden(true);
  g.Row(7);
  g.RowHidden(true);
  g.ColsFrozen(1);
  g.RowsFrozen(2);
  g.TopRow(4);
  g.LeftCol(2);
  g.SetActiveCell(3, 5);
  for (int32_t c = 1; c <= 6; ++c) g.SetColItemData(c, 100 + c);
  g.Col(2);
  g.ColID("F2");
  g.Col(1);
  g.ColMerge(kMergeAlways);
  g.Row(4);
  g.RowMerge(kMergeRestricted);

  g.SetOddEvenRowColor(Rgb(250, 250, 250), Rgb(1, 1, 1), Rgb(240, 240, 255), Rgb(2, 2, 2));
  g.LockBackColor(Rgb(10, 20, 30));
  g.SelBackColor(Rgb(0, 0, 128));
  g.TextTip(2);
  g.TextTipDelay(900);
  g.EditModePermanent(true);
  g.OperationMode(2);
  g.ColHeaderDisplay(1);
  g.Protect(false);
  g.CursorStyle(3);
}

// Moves rows about so that physical row slots no longer follow the row order: inserts,
// deletes, a sort, and a shrink and regrow that leaves free slots behind.
void Shuffle(Grid& g) {
  g.BlockMode(false);
  g.Row(3);
  g.Action(kActionInsertRow);
  g.Row(12);
  g.Action(kActionDeleteRow);
  Block(g, 1, 1, g.MaxCols(), 9);
  g.BlockMode(true);
  g.SortBy(kSortByRow);
  g.SortKey(1, 1);
  g.SortKeyOrder(1, kSortDescending);
  g.Action(kActionSort);
  g.BlockMode(false);
  g.MaxRows(25);
  g.MaxRows(33);
  g.SetText(2, 33, "9.75");
}

// A small grid that the refused loads must leave alone.
void FillSmall(Grid& g) {
  g.MaxCols(3);
  g.MaxRows(5);
  g.SetText(1, 1, "keep me");
  g.SetText(3, 5, "끝");
  At(g, 2, -1).BackColor(Rgb(5, 6, 7));
  g.AddCellSpan(1, 2, 2, 2);
}

TEST(GridImage, ReloadsIdenticallyIncludingAfterRowsMoved) {
  TempDir dir;
  for (bool shuffled : {false, true}) {
    SCOPED_TRACE(shuffled ? "shuffled rows" : "rows in order");
    Grid src;
    FillRich(src);
    if (shuffled) Shuffle(src);
    const std::string path = dir.File("layout.sts");
    ASSERT_TRUE(src.SaveToFile(path, false));

    Grid back;
    back.SetText(1, 1, "to be replaced");
    ASSERT_TRUE(back.LoadFromFile(path));
    EXPECT_EQ(DumpGrid(back), DumpGrid(src));
    // Everything the image holds came back: saving again gives the same bytes.
    ASSERT_TRUE(back.SaveToFile(dir.File("again.sts"), false));
    EXPECT_EQ(ReadFile(dir.File("again.sts")), ReadFile(path));
  }
}

// Loading replaces the model; the session (cursor, selection, property cursor, listeners)
// stays, brought inside the loaded size.
TEST(GridImage, LoadingKeepsTheSession) {
  TempDir dir;
  Grid small;
  small.MaxCols(4);
  small.MaxRows(5);
  small.SetActiveCell(4, 5);
  ASSERT_TRUE(small.SaveToFile(dir.File("small.sts"), false));

  Grid g;
  g.MaxCols(6);
  g.MaxRows(10);
  g.SetActiveCell(2, 8);
  g.TopRow(6);
  g.SetSelection(1, 4, 2, 9);
  At(g, 3, 2).BlockMode(true);
  GridListener listener;
  g.SetListener(&listener);
  struct Counter : GridChangeListener {
    int told = 0;
    void GridChanged(const GridChange&) override { ++told; }
  } counter;
  g.SetChangeListener(&counter);
  ASSERT_TRUE(g.LoadFromFile(dir.File("small.sts")));
  // The cursor, the top row and the selection stay, brought inside the loaded rows.
  const auto n = [](int32_t v) { return std::to_string(v) + " "; };
  EXPECT_EQ(n(g.MaxRows()) + n(g.ActiveCol()) + n(g.ActiveRow()) + n(g.TopRow()) + n(g.SelBlockRow()) +
                n(g.SelBlockRow2()) + n(g.Col()) + n(g.Row()) + n(g.BlockMode()),
            "5 2 5 5 4 5 3 2 1 ");
  EXPECT_EQ(g.Listener(), &listener);
  EXPECT_EQ(counter.told, 1) << "the listener stays and hears of the load";
}

TEST(GridImage, DataOnlyKeepsContentAndLayoutAndAFullLoadKeepsItsIndexes) {
  TempDir dir;
  Grid src;
  FillRich(src);
  ASSERT_TRUE(src.SaveToFile(dir.File("data.sts"), true));
  Grid g;
  ASSERT_TRUE(g.LoadFromFile(dir.File("data.sts")));
  // The float's number is now in a plain text cell.
  EXPECT_EQ(testing_grid::Picture(g, 1), "|이름|||||\n|가나다라마바사아자차카타파하가나다라마바사아자차카타파하|12.5|1|배||\n");
  EXPECT_EQ(At(g, 2, 1).CellType(), kCellEdit);
  EXPECT_EQ(At(g, 6, 1).BackColor(), Grid().BackColor());
  EXPECT_EQ(g.TextTip(), Grid().TextTip());
  // Layout, tags, item data and spans stay.
  int32_t ac, ar, nc, nr;
  EXPECT_EQ(std::to_string(g.MaxRows()) + " " + std::to_string(g.ColHeaderRows()) + " " + At(g, 1, 9).CellTag() + " " +
                std::to_string(g.GetColItemData(3)) + " " + std::to_string(g.ColWidth(1)).substr(0, 4) + " " +
                std::to_string(g.RowHeight(3)).substr(0, 2) + " " + std::to_string(g.ColsFrozen()) + " " +
                std::to_string(g.GetCellSpan(2, 10, ac, ar, nc, nr)) + " " + std::to_string(g.DataRowCnt()),
            "30 2 tag-9 103 20.5 30 1 1 21");
  // A data-only image is smaller than the full one.
  ASSERT_TRUE(src.SaveToFile(dir.File("full.sts"), false));
  EXPECT_LT(ReadFile(dir.File("data.sts")).size(), ReadFile(dir.File("full.sts")).size());
  // What the dump cannot show: the indexes a full load rebuilds still work for later edits.
  Grid full;
  ASSERT_TRUE(full.LoadFromFile(dir.File("full.sts")));
  EXPECT_FALSE(full.AddCellSpan(2, 11, 2, 1));  // the loaded span still refuses overlaps
  std::string counts = std::to_string(full.DataRowCnt());
  full.SetText(1, 30, "x");
  counts += " " + std::to_string(full.DataRowCnt());
  full.Row(30);
  full.Action(kActionDeleteRow);
  EXPECT_EQ(counts + " " + std::to_string(full.DataRowCnt()), "21 30 21");
}

// Damaged, foreign and missing files are refused and leave the grid as it was.
TEST(GridImage, DamagedForeignAndMissingFilesAreRefusedAndSavingIsAtomic) {
  TempDir dir;
  Grid src;
  FillRich(src);
  ASSERT_TRUE(src.SaveToFile(dir.File("good.sts"), false));
  const std::string good = ReadFile(dir.File("good.sts"));
  Grid target;
  FillSmall(target);
  const std::string before = DumpGrid(target);
  const std::string other = dir.File("other");
  auto refused = [&](const std::string& bytes, const std::string& what) {
    WriteFile(other, bytes);
    EXPECT_FALSE(target.LoadFromFile(other)) << what;
  };
  for (size_t n : {size_t{1}, size_t{8}, size_t{19}, size_t{20}, size_t{21}, good.size() / 2, good.size() - 4, good.size() - 1}) {
    refused(good.substr(0, n), "truncated to " + std::to_string(n));
  }
  refused(good + "x", "a byte appended");
  refused(good + good, "the image twice");
  for (size_t i = 0; i < good.size(); i += (i < 64 ? 1 : 7)) {
    for (int bit : {0, 5}) {
      refused(std::string(good).replace(i, 1, 1, static_cast<char>(good[i] ^ (1 << bit))), "byte " + std::to_string(i));
    }
  }
  const std::pair<std::string, std::string> cases[] = {
      {"empty file", ""},
      {"text", "이름\t값\r\n1\t2\r\n"},
      {"picture header", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16)},
      {"our magic alone", "ZELGRID\x1A"},
      {"our magic, a future version", std::string("ZELGRID\x1A\x02\0\0\0\0\0\0\0\0\0\0\0", 20) + "\0\0\0\0"},
  };
  for (const auto& [what, bytes] : cases) refused(bytes, what);
  EXPECT_FALSE(target.LoadFromFile(dir.File("missing.sts")));
  EXPECT_FALSE(target.LoadFromFile(dir.path().string()));  // a folder
  EXPECT_FALSE(target.LoadFromFile(""));
  EXPECT_EQ(DumpGrid(target), before);
  std::filesystem::remove(dir.File("good.sts"));
  // Saving replaces a file whole and reports failure without touching what was there.
  const std::string path = dir.File("layout.sts");
  WriteFile(path, "previous contents");
  ASSERT_TRUE(target.SaveToFile(path, false));
  ASSERT_TRUE(target.SaveToFile(path, true));
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"layout.sts", "other"}));  // no temporary left behind
  Grid back;
  EXPECT_TRUE(back.LoadFromFile(path));
  const std::string saved = ReadFile(path);
  EXPECT_FALSE(target.SaveToFile(dir.File("no/such/folder/x.sts"), false) || target.SaveToFile("", false));
  EXPECT_EQ(ReadFile(path), saved);
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"layout.sts", "other"}));
}

// ---- Images built by hand from the written-down grammar -------------------------------------
class ImageBuilder {
 public:
  ImageBuilder& U8(uint8_t v) {
    body_ += static_cast<char>(v);
    return *this;
  }
  ImageBuilder& Var(uint64_t v) {
    while (v >= 0x80) {
      body_ += static_cast<char>((v & 0x7F) | 0x80);
      v >>= 7;
    }
    return U8(static_cast<uint8_t>(v));
  }
  ImageBuilder& Zig(int64_t v) { return Var((static_cast<uint64_t>(v) << 1) ^ static_cast<uint64_t>(v >> 63)); }
  ImageBuilder& F64(double d) {
    uint64_t v;
    std::memcpy(&v, &d, 8);
    for (int i = 0; i < 8; ++i) U8(static_cast<uint8_t>(v >> (8 * i)));
    return *this;
  }
  ImageBuilder& Str(std::string_view s) {
    Var(s.size());
    body_ += s;
    return *this;
  }
  ImageBuilder& Raw(std::string_view s) {
    body_ += s;
    return *this;
  }
  // A plain column: no item data, id, width, flags or merge; an empty style when `full`.
  ImageBuilder& ColumnHead(bool full) {
    Zig(0).Str("").F64(-1).U8(0).Zig(0);
    if (full) Var(0);
    return *this;
  }
  ImageBuilder& EmptyColumn(bool full) {
    ColumnHead(full).Var(0).Var(0).Var(0);
    if (full) Var(0);
    return *this;
  }
  std::string Finish(bool data_only) const {
    std::string out("ZELGRID\x1A", 8);
    auto fixed = [&out](uint64_t v, int n) {
      for (int i = 0; i < n; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    fixed(1, 2);
    fixed(data_only ? 1 : 0, 2);
    fixed(body_.size(), 8);
    out += body_;
    uint32_t c = 0xFFFFFFFFu;
    for (unsigned char b : out) {
      c ^= b;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    }
    fixed(c ^ 0xFFFFFFFFu, 4);
    return out;
  }

 private:
  std::string body_;
};

// Parts of a full image of 2 data rows x 2 data columns; each case replaces one part.
struct ImageParts {
  std::function<void(ImageBuilder&)> sizes = [](ImageBuilder& b) { b.Var(2).Var(2).Var(1).Var(1); };
  std::function<void(ImageBuilder&)> settings = [](ImageBuilder& b) { b.Var(0); };
  std::function<void(ImageBuilder&)> formats = [](ImageBuilder& b) { b.Var(5).Var(0); };
  std::function<void(ImageBuilder&)> rows = [](ImageBuilder& b) { b.Var(0); };
  std::function<void(ImageBuilder&)> column1 = [](ImageBuilder& b) {
    b.ColumnHead(true).Var(1).Var(1).U8(1).Str("가").Var(0).Var(0).Var(0);
  };
  std::function<void(ImageBuilder&)> spans = [](ImageBuilder& b) { b.Var(0); };
  std::string extra;

  std::string Build() const {
    ImageBuilder b;
    sizes(b);
    settings(b);
    formats(b);
    rows(b);
    b.EmptyColumn(true);  // column 0
    column1(b);
    b.EmptyColumn(true);  // column 2
    spans(b);
    b.Raw(extra);
    return b.Finish(false);
  }
};

// The worked example of the format comment: a 1 x 2 grid with "가" in (1, 1).
TEST(GridImage, SavedImageFollowsTheGrammar) {
  TempDir dir;
  Grid ex;
  ex.MaxRows(1);
  ex.MaxCols(2);
  ex.SetText(1, 1, "가");
  ASSERT_TRUE(ex.SaveToFile(dir.File("ex.sts"), false));
  const std::string image = ReadFile(dir.File("ex.sts"));
  EXPECT_EQ(image.substr(0, 12), std::string("ZELGRID\x1A\x01\0\0\0", 12));
  EXPECT_EQ(image.substr(20, 4), std::string("\x01\x02\x01\x01", 4));
  const std::string column1("\0\0\0\0\0\0\0\0\xF0\xBF\0\0\0\x01\x01\x01\x03\xEA\xB0\x80\0\0\0", 23);
  EXPECT_NE(image.find(column1), std::string::npos);
}

TEST(GridImage, ForgedImagesWithAGoodChecksumAreCheckedPartByPart) {
  using B = ImageBuilder;
  const std::tuple<const char*, std::function<void(ImageParts&)>, bool> cases[] = {
      {"as built", [](ImageParts&) {}, true},
      {"millions of columns in a tiny image", [](ImageParts& p) { p.sizes = [](B& b) { b.Var(2).Var(100'000'000).Var(1).Var(1); }; }, false},
      {"rows beyond the limit", [](ImageParts& p) { p.sizes = [](B& b) { b.Var(100'000'001).Var(2).Var(1).Var(1); }; }, false},
      {"no header row", [](ImageParts& p) { p.sizes = [](B& b) { b.Var(2).Var(2).Var(0).Var(1); }; }, false},
      {"cell beyond the last row", [](ImageParts& p) { p.column1 = [](B& b) { b.ColumnHead(true).Var(1).Var(3).U8(1).Str("x").Var(0).Var(0).Var(0); }; }, false},
      {"empty text cell", [](ImageParts& p) { p.column1 = [](B& b) { b.ColumnHead(true).Var(1).Var(1).U8(1).Str("").Var(0).Var(0).Var(0); }; }, false},
      {"unknown cell code", [](ImageParts& p) { p.column1 = [](B& b) { b.ColumnHead(true).Var(1).Var(1).U8(2).Str("x").Var(0).Var(0).Var(0); }; }, false},
      {"number cell", [](ImageParts& p) { p.column1 = [](B& b) { b.ColumnHead(true).Var(1).Var(2).U8(3).F64(2.5).Var(0).Var(0).Var(0); }; }, true},
      {"cell count larger than the image", [](ImageParts& p) { p.column1 = [](B& b) { b.ColumnHead(true).Var(1u << 30); }; }, false},
      {"format stamp from the future", [](ImageParts& p) { p.formats = [](B& b) { b.Var(5).Var(1).U8(0).Var(5).U8(0).Zig(2); }; }, false},
      {"format of the wrong type", [](ImageParts& p) { p.formats = [](B& b) { b.Var(5).Var(1).U8(0).Var(1).U8(2).Str("2"); }; }, false},
      {"formats out of order", [](ImageParts& p) { p.formats = [](B& b) { b.Var(5).Var(2).U8(2).Var(1).U8(0).Zig(0).U8(1).Var(1).U8(0).Zig(0); }; }, false},
      {"unknown format property", [](ImageParts& p) { p.formats = [](B& b) { b.Var(5).Var(1).U8(200).Var(1).U8(0).Zig(0); }; }, false},
      {"sheet made of float cells", [](ImageParts& p) { p.formats = [](B& b) { b.Var(5).Var(1).U8(0).Var(1).U8(0).Zig(kCellFloat); }; }, true},
      {"setting of the wrong type", [](ImageParts& p) { p.settings = [](B& b) { b.Var(1).Var(44).U8(2).Str("1"); }; }, false},
      {"setting out of range", [](ImageParts& p) { p.settings = [](B& b) { b.Var(1).Var(44).U8(0).Zig(7); }; }, false},
      {"setting of a newer writer", [](ImageParts& p) { p.settings = [](B& b) { b.Var(1).Var(9999).U8(0).Zig(7); }; }, true},
      {"frozen beyond the size (clamped)", [](ImageParts& p) { p.settings = [](B& b) { b.Var(1).Var(5).U8(0).Zig(99); }; }, true},
      {"negative row height", [](ImageParts& p) { p.rows = [](B& b) { b.Var(1).Var(1).U8(1).F64(-3); }; }, false},
      {"row without flags", [](ImageParts& p) { p.rows = [](B& b) { b.Var(1).Var(1).U8(0); }; }, false},
      {"span", [](ImageParts& p) { p.spans = [](B& b) { b.Var(1).U8(0).Var(1).Var(1).Var(2).Var(2); }; }, true},
      {"span leaving the grid", [](ImageParts& p) { p.spans = [](B& b) { b.Var(1).U8(0).Var(2).Var(1).Var(1).Var(2); }; }, false},
      {"span of no cells", [](ImageParts& p) { p.spans = [](B& b) { b.Var(1).U8(0).Var(1).Var(1).Var(0).Var(1); }; }, false},
      {"overlapping spans", [](ImageParts& p) { p.spans = [](B& b) { b.Var(2).U8(0).Var(1).Var(1).Var(2).Var(1).U8(0).Var(1).Var(2).Var(1).Var(2); }; }, false},
      {"header span into the data rows", [](ImageParts& p) { p.spans = [](B& b) { b.Var(1).U8(1).Var(0).Var(1).Var(1).Var(2); }; }, false},
      {"varint of eleven bytes", [](ImageParts& p) { p.settings = [](B& b) { b.Raw(std::string(10, '\x80')).U8(0); }; }, false},
      {"bytes after the spans", [](ImageParts& p) { p.extra = "x"; }, false},
  };
  TempDir dir;
  for (const auto& [what, change, loads] : cases) {
    ImageParts parts;
    change(parts);
    WriteFile(dir.File("f.sts"), parts.Build());
    Grid g;
    g.SetText(1, 1, "before");
    EXPECT_EQ(g.LoadFromFile(dir.File("f.sts")), loads) << what;
    std::string t;
    g.GetText(1, 1, t);
    if (!loads) { EXPECT_EQ(t, "before") << what; }
    if (loads) { EXPECT_TRUE(g.ColsFrozen() <= g.MaxCols() && testing_grid::Invariants(g)) << what; }
    if (std::string(what) == "as built") { EXPECT_EQ(testing_grid::Picture(g), "||\n|가|\n||\n"); }
  }
}

// ---- TAB-separated files ----------------------------------------------------------------------
TEST(GridTabFile, RoundTripWithHangulEmptyCellsAndKinds) {
  TempDir dir;
  Grid g;
  g.MaxCols(5);
  g.MaxRows(10);
  At(g, 3, -1).CellType(kCellFloat);
  g.SetText(1, 1, "이름");
  g.SetText(3, 1, "1234.5");
  g.SetText(2, 2, "탭\t과 줄\n바꿈");
  g.SetText(4, 3, "끝");
  g.SetText(1, 0, "header is not data");
  const std::string path = dir.File("data.txt");
  ASSERT_TRUE(g.SaveTabFile(path));
  EXPECT_EQ(ReadFile(path), "이름\t\t1234.50\t\r\n\t탭 과 줄 바꿈\t\t\r\n\t\t\t끝\r\n");

  Grid back;
  back.MaxCols(2);
  back.MaxRows(1);
  back.Col(3);  // not yet there: the load grows the grid
  ASSERT_TRUE(back.LoadTabFile(path));
  EXPECT_EQ(testing_grid::Picture(back), "||||\n|이름||1234.50|\n||탭 과 줄 바꿈||\n||||끝\n");
  EXPECT_TRUE(testing_grid::Invariants(back));
  EXPECT_EQ(back.Col(), 3);
}

TEST(GridTabFile, LoadReplacesAllDataAndReadsOtherEncodings) {
  TempDir dir;
  Grid g;
  g.MaxCols(4);
  g.MaxRows(8);
  g.SetText(4, 8, "old");
  g.SetText(1, 0, "header stays");
  const std::string path = dir.File("in.txt");
  WriteFile(path, "\xEF\xBB\xBF" "a\tb\nc\n");
  ASSERT_TRUE(g.LoadTabFile(path));
  // The byte-order mark is not data; the header stays; the rows keep their number.
  EXPECT_EQ(testing_grid::Picture(g), "|header stays|||\n|a|b||\n|c|||\n||||\n||||\n||||\n||||\n||||\n||||\n");
  EXPECT_TRUE(testing_grid::Invariants(g));

  if (text::CodePageAvailable("CP949")) {
    WriteFile(path, "\xB0\xA1\t\xC7\xD1\r\n");  // "가", "한" in the ANSI code page
    ASSERT_TRUE(g.LoadTabFile(path));
    EXPECT_EQ(testing_grid::Picture(g, 1), "|header stays|||\n|가|한||\n");
  }

  const std::string before = DumpGrid(g);
  EXPECT_FALSE(g.LoadTabFile(dir.File("missing.txt")));
  EXPECT_FALSE(g.SaveTabFile(dir.File("no/folder/out.txt")));
  EXPECT_EQ(DumpGrid(g), before);
}

// ---- What every loader refuses ----------------------------------------------------------------
// A refused file leaves the grid exactly as it was, and a short file cannot make the grid
// allocate what its content does not justify.

// A full image of `cols` empty data columns and `rows` empty data rows.
std::string EmptyImage(uint64_t rows, uint64_t cols) {
  ImageBuilder b;
  b.Var(rows).Var(cols).Var(1).Var(1).Var(0).Var(5).Var(0).Var(0);
  for (uint64_t c = 0; c <= cols; ++c) b.EmptyColumn(true);
  b.Var(0);
  return b.Finish(false);
}

TEST(GridLoaders, RefuseWhatAGridCannotHoldOrTheFileCannotJustify) {
  const std::string wb =
      "<Workbook xmlns=\"urn:schemas-microsoft-com:office:spreadsheet\" "
      "xmlns:ss=\"urn:schemas-microsoft-com:office:spreadsheet\"><Worksheet ss:Name=\"S\"><Table>";
  const std::string wbEnd = "</Table></Worksheet></Workbook>";
  const std::string cellX = "<Data ss:Type=\"String\">x</Data></Cell></Row>";
  enum Kind { kImage, kTab, kWorkbook };
  // An image of 100,001 columns is a fuzz regression input.
  const std::tuple<const char*, Kind, std::string, bool> cases[] = {
      {"image of 100,000,000 empty rows", kImage, EmptyImage(100'000'000, 2), false},
      {"image of the empty rows any file may have", kImage, EmptyImage(1 << 20, 2), true},
      {"image of 100,000 columns", kImage, EmptyImage(2, Grid::kMaxColCount), true},
      {"tab file of 100,001 fields", kTab, std::string(Grid::kMaxColCount, '\t') + "x\r\n", false},
      {"tab file of 100,000 fields", kTab, std::string(Grid::kMaxColCount - 1, '\t') + "x\r\n", true},
      {"workbook row 100,000,000", kWorkbook, wb + "<Row ss:Index=\"100000000\"><Cell>" + cellX + wbEnd, false},
      {"workbook cell in column 100,001", kWorkbook, wb + "<Row><Cell ss:Index=\"100001\">" + cellX + wbEnd, false},
      {"workbook cell in column 100,000", kWorkbook, wb + "<Row><Cell ss:Index=\"100000\">" + cellX + wbEnd, true},
      {"workbook merge across beyond the columns", kWorkbook,
       wb + "<Row><Cell ss:MergeAcross=\"100000\">" + cellX + wbEnd, false},
  };
  TempDir dir;
  const std::string path = dir.File("in");
  for (const auto& [what, kind, bytes, loads] : cases) {
    Grid g;
    g.MaxRows(3);
    g.MaxCols(3);
    g.SetText(1, 1, "kept");
    g.SetText(3, 3, "kept too");
    const std::string before = DumpGrid(g);
    WriteFile(path, bytes);
    const bool loaded = kind == kImage ? g.LoadFromFile(path)
                        : kind == kTab ? g.LoadTabFile(path)
                                       : g.ImportExcelSheet(path, 0, "");
    EXPECT_EQ(loaded, loads) << what;
    if (!loads) { EXPECT_EQ(DumpGrid(g), before) << what; }
    // Whatever loaded is a grid the engine itself accepts.
    EXPECT_NO_THROW(g.MaxCols(g.MaxCols()); g.MaxRows(g.MaxRows())) << what;
  }
}

TEST(GridLoaders, NamesWithANulByteAreRefused) {
  TempDir dir;
  Grid g;
  g.SetText(1, 1, "x");
  const std::string real = dir.File("real.bin");
  ASSERT_TRUE(g.SaveToFile(real, false));
  ASSERT_TRUE(g.SaveTabFile(dir.File("real.txt")));
  const std::string cut = real + std::string(1, '\0') + ".other";
  Grid other;
  EXPECT_FALSE(other.LoadFromFile(cut));
  EXPECT_FALSE(other.LoadTabFile(dir.File("real.txt") + std::string(1, '\0')));
  EXPECT_FALSE(other.ImportExcelSheet(cut, 0, ""));
  EXPECT_FALSE(g.SaveToFile(dir.File("new.bin") + std::string(1, '\0') + "x", false));
  EXPECT_FALSE(g.SaveTabFile(dir.File("new.txt") + std::string(1, '\0')));
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"real.bin", "real.txt"}));
}

}  // namespace
}  // namespace zel
