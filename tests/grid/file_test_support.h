// Helpers of the grid file tests: a temporary folder, whole-file reads and writes, and a dump
// of a grid (everything a host can read through the public members) as one text, so that
// "reloads identically" is one comparison that shows the whole difference when it fails.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

#include "zelsheet/grid.h"

namespace zel::testing_files {

class TempDir {
 public:
  TempDir() {
    const char* env = std::getenv("ZEL_TEST_TMP");
    const std::filesystem::path base = (env && *env) ? env : std::filesystem::temp_directory_path();
    static std::atomic<int> counter{0};
    path_ = base / ("grid_files_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  std::string File(const std::string& name) const { return (path_ / name).string(); }
  const std::filesystem::path& path() const { return path_; }
  // Names of the files in the folder, sorted.
  std::vector<std::string> Names() const {
    std::vector<std::string> out;
    for (const auto& e : std::filesystem::directory_iterator(path_)) out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
  }

 private:
  std::filesystem::path path_;
};

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

// Everything readable about the grid's model (not its session: cursor, scroll, selection),
// one line per row, column or cell that differs from a new cell, so that two grids compare as
// texts. Leaves Col / Row / BlockMode as it found them.
inline std::string DumpGrid(Grid& g) {
  std::ostringstream o;
  const int32_t col0 = g.Col(), row0 = g.Row(), col20 = g.Col2(), row20 = g.Row2();
  const bool block0 = g.BlockMode();
  g.BlockMode(false);
  o << "size " << g.MaxCols() << "x" << g.MaxRows() << " heads " << g.RowHeaderCols() << "x"
    << g.ColHeaderRows() << " data " << g.DataColCnt() << "x" << g.DataRowCnt() << "\n";
  o << "frozen " << g.ColsFrozen() << "," << g.RowsFrozen() << "\n";
  Color ob, of, eb, ef;
  g.GetOddEvenRowColor(ob, of, eb, ef);
  o << "colours " << g.LockBackColor() << " " << g.LockForeColor() << " " << g.SelBackColor() << " "
    << g.SelForeColor() << " " << g.GridColor() << " " << g.GrayAreaBackColor() << " "
    << g.HeaderBackColor() << " " << g.HeaderForeColor() << " " << g.BackColorStyle() << " odd/even "
    << ob << " " << of << " " << eb << " " << ef << " protect " << g.Protect() << "\n";
  o << "switches " << g.OperationMode() << " " << g.SelectBlockOptions() << " " << g.EditModePermanent()
    << g.EditModeReplace() << g.ProcessTab() << g.NoBeep() << g.AllowCellOverflow() << " "
    << g.ButtonDrawMode() << " " << g.TextTip() << " " << g.TextTipDelay() << " "
    << g.ColHeaderDisplay() << g.RowHeaderDisplay() << " '" << g.FloatDefSepChar() << "' '"
    << g.FloatDefDecimalChar() << "' " << g.CursorStyle() << "\n";
  o << "defaults " << g.ColWidth(-1) << " " << g.RowHeight(-1) << "\n";

  std::vector<int32_t> cols, rows;
  for (int32_t n = g.RowHeaderCols() - 1; n >= 1; --n) cols.push_back(-1000 + n);
  for (int32_t c = 0; c <= g.MaxCols(); ++c) cols.push_back(c);
  for (int32_t n = g.ColHeaderRows() - 1; n >= 1; --n) rows.push_back(-1000 + n);
  for (int32_t r = 0; r <= g.MaxRows(); ++r) rows.push_back(r);

  for (int32_t c : cols) {
    g.Col(c);
    g.Row(1);
    o << "col " << c << " w " << g.ColWidth(c) << " item " << g.GetColItemData(c) << " id '" << g.ColID()
      << "' hidden " << g.ColHidden() << " merge " << g.ColMerge() << "\n";
  }
  for (int32_t r : rows) {
    g.Row(r);
    g.Col(1);
    o << "row " << r << " h " << g.RowHeight(r) << " hidden " << g.RowHidden() << " merge " << g.RowMerge()
      << "\n";
  }
  Grid fresh;
  const auto cell_line = [](Grid& x, int32_t c, int32_t r) {
    std::ostringstream l;
    x.Col(c);
    x.Row(r);
    std::string text;
    x.GetText(c, r, text);
    const GridFont f = x.Font();
    l << "'" << text << "' v'" << x.Value() << "' kind " << x.CellType() << " al " << x.TypeHAlign()
      << x.TypeVAlign() << " len " << x.TypeMaxEditLen() << " case " << x.TypeEditCharCase() << " dec "
      << x.TypeFloatDecimalPlaces() << " fmin " << x.TypeFloatMin() << " imax " << x.TypeIntegerMax()
      << " combo '" << x.TypeComboBoxList() << "' ed " << x.TypeComboBoxEditable() << " check '"
      << x.TypeCheckText() << "' btn '" << x.TypeButtonText() << "' " << x.TypeButtonColor() << " mask '"
      << x.TypePicMask() << "' lock " << x.LockCells() << " back " << x.BackColor() << " fore "
      << x.ForeColor() << " font " << f.name << "/" << f.size << "/" << f.bold << f.italic << f.underline
      << f.strikethru << "/" << f.charset << " tag '" << x.CellTag() << "' note '" << x.CellNote() << "'";
    for (int16_t side : {kBorderLeft, kBorderRight, kBorderTop, kBorderBottom}) {
      Color bc;
      int16_t bs;
      x.GetCellBorder(c, r, side, bc, bs);
      l << " b" << side << "=" << bs << ":" << bc;
    }
    int32_t ac, ar, nc, nr;
    if (x.GetCellSpan(c, r, ac, ar, nc, nr)) l << " span " << ac << "," << ar << " " << nc << "x" << nr;
    return l.str();
  };
  fresh.MaxCols(1);
  fresh.MaxRows(1);
  const std::string plain = cell_line(fresh, 1, 1);
  for (int32_t r : rows) {
    for (int32_t c : cols) {
      const std::string line = cell_line(g, c, r);
      if (line != plain) o << "cell " << c << "," << r << " " << line << "\n";
    }
  }
  g.Col(col0);
  g.Row(row0);
  g.Col2(col20);
  g.Row2(row20);
  g.BlockMode(block0);
  return o.str();
}

}  // namespace zel::testing_files
