// Sequences of grid calls checked against a plain model of the data cells: a table of texts
// with its row and column counts. Every call either does what the model does or is refused
// with GridError and changes nothing the model holds; DataRowCnt and DataColCnt follow the
// texts; an image of the grid loads back to the same texts. Addresses come mostly small and
// sometimes from the ends of the 32-bit range and the header area.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_files.h"
#include "fuzz_input.h"
#include "zelsheet/grid.h"

using zel::Grid;
using zel::GridError;
using zel::fuzz::Check;
using zel::fuzz::Try;

namespace {

// The data cells as the grid should hold them: cells[r - 1][c - 1].
struct Model {
  int32_t rows = 0, cols = 0;
  std::vector<std::vector<std::string>> cells;

  void Resize(int32_t r, int32_t c) {
    rows = r;
    cols = c;
    cells.resize(static_cast<size_t>(r));
    for (auto& row : cells) row.resize(static_cast<size_t>(c));
  }
  bool Inside(int64_t c, int64_t r) const { return c >= 1 && c <= cols && r >= 1 && r <= rows; }
  std::string& At(int32_t c, int32_t r) { return cells[static_cast<size_t>(r - 1)][static_cast<size_t>(c - 1)]; }
  int32_t LastRow() const {
    for (int32_t r = rows; r >= 1; --r) {
      for (const auto& t : cells[static_cast<size_t>(r - 1)]) {
        if (!t.empty()) return r;
      }
    }
    return 0;
  }
  int32_t LastCol() const {
    int32_t last = 0;
    for (const auto& row : cells) {
      for (int32_t c = cols; c > last; --c) {
        if (!row[static_cast<size_t>(c - 1)].empty()) last = c;
      }
    }
    return last;
  }
};

void Compare(const Grid& g, Model& m, const char* after) {
  const std::string what = std::string(" after ") + after;
  Check(g.MaxRows() == m.rows && g.MaxCols() == m.cols, "size differs" + what);
  std::string t;
  for (int32_t r = 1; r <= m.rows; ++r) {
    for (int32_t c = 1; c <= m.cols; ++c) {
      g.GetText(c, r, t);
      Check(t == m.At(c, r), "cell " + std::to_string(c) + "," + std::to_string(r) + " is '" + zel::fuzz::Shown(t) +
                                 "', the model has '" + zel::fuzz::Shown(m.At(c, r)) + "'" + what);
    }
  }
  Check(g.DataRowCnt() == m.LastRow(), "DataRowCnt differs" + what);
  Check(g.DataColCnt() == m.LastCol(), "DataColCnt differs" + what);
  Check(g.RowsFrozen() <= g.MaxRows() && g.ColsFrozen() <= g.MaxCols(), "frozen beyond the grid" + what);
}

// The place of row or column address `a` in the grid's order of rows (columns): the `heads`
// header rows first (row 0 and row -1000 are the top one), then the data rows from 1. Block
// reads and writes walk this order, so the row after a header row is the next header row
// or data row 1.
int64_t Linear(int32_t a, int32_t heads) {
  if (a == 0) return 1 - heads;
  if (a >= -1000 && a < -1000 + heads) return int64_t{a} + 1000 - heads + 1;
  return a;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zel::fuzz::FuzzInput in(data, size);
  Grid g;
  Model m;
  g.MaxRows(4);
  g.MaxCols(3);
  m.Resize(4, 3);
  for (int step = 0; step < 64 && !in.empty(); ++step) {
    const uint8_t op = in.Byte() % 14;
    const char* name = "";
    switch (op) {
      case 0: {  // MaxRows: small counts, or counts the grid must refuse
        name = "MaxRows";
        const uint8_t pick = in.Byte();
        const int32_t n = pick < 8 ? (pick % 2 ? -1 : Grid::kMaxDims + 1) : static_cast<int32_t>(pick % 80);
        if (Try<GridError>([&] { g.MaxRows(n); })) m.Resize(n, m.cols);
        break;
      }
      case 1: {
        name = "MaxCols";
        const uint8_t pick = in.Byte();
        const int32_t n = pick < 8 ? (pick % 2 ? INT32_MIN : Grid::kMaxColCount + 1) : static_cast<int32_t>(pick % 12);
        if (Try<GridError>([&] { g.MaxCols(n); })) m.Resize(m.rows, n);
        break;
      }
      case 2:
      case 3: {
        name = "SetText";
        const int32_t c = in.Index(12), r = in.Index(80);
        const std::string t = in.Text(12);
        const bool done = Try<GridError>([&] { g.SetText(c, r, t); });
        if (m.Inside(c, r)) {
          Check(done, "SetText refused a cell inside the grid");
          m.At(c, r) = t;
        } else if (c >= 1 && r >= 1) {
          Check(!done, "SetText took a cell outside the grid");
        }
        break;
      }
      case 4:
      case 5: {  // insert or delete rows Row..Row2 (one row without block mode)
        name = op == 4 ? "insert rows" : "delete rows";
        const int32_t r = in.Index(80);
        const bool block = in.Bool();
        const int32_t r2 = block ? in.Index(80) : r;
        g.Row(r);
        g.Row2(r2);
        g.BlockMode(block);
        const bool done = Try<GridError>([&] { g.Action(op == 4 ? zel::kActionInsertRow : zel::kActionDeleteRow); });
        g.BlockMode(false);
        const int64_t lo = std::min(r, r2), hi = std::max(r, r2);
        if (!done) break;
        Check(lo >= 1 && hi <= m.rows, "a row insert or delete outside the grid went through");
        const auto n = static_cast<size_t>(hi - lo + 1);
        const auto at = m.cells.begin() + (lo - 1);
        if (op == 4) {
          m.cells.insert(at, n, std::vector<std::string>(static_cast<size_t>(m.cols)));
          m.cells.resize(static_cast<size_t>(m.rows));
        } else {
          m.cells.erase(at, at + static_cast<std::ptrdiff_t>(n));
          m.cells.resize(static_cast<size_t>(m.rows), std::vector<std::string>(static_cast<size_t>(m.cols)));
        }
        break;
      }
      case 6:
      case 7: {
        name = op == 6 ? "insert columns" : "delete columns";
        const int32_t c = in.Index(12);
        const bool block = in.Bool();
        const int32_t c2 = block ? in.Index(12) : c;
        g.Col(c);
        g.Col2(c2);
        g.BlockMode(block);
        const bool done = Try<GridError>([&] { g.Action(op == 6 ? zel::kActionInsertCol : zel::kActionDeleteCol); });
        g.BlockMode(false);
        const int64_t lo = std::min(c, c2), hi = std::max(c, c2);
        if (!done) break;
        Check(lo >= 1 && hi <= m.cols, "a column insert or delete outside the grid went through");
        const auto n = static_cast<size_t>(hi - lo + 1);
        for (auto& row : m.cells) {
          const auto at = row.begin() + (lo - 1);
          if (op == 6) {
            row.insert(at, n, std::string());
          } else {
            row.erase(at, at + static_cast<std::ptrdiff_t>(n));
          }
          row.resize(static_cast<size_t>(m.cols));
        }
        break;
      }
      case 8: {  // clear the texts of a block (-1: the whole axis)
        name = "clear texts";
        const int32_t c = in.Index(12), c2 = in.Index(12), r = in.Index(80), r2 = in.Index(80);
        g.Col(c);
        g.Col2(c2);
        g.Row(r);
        g.Row2(r2);
        g.BlockMode(true);
        const bool done = Try<GridError>([&] { g.Action(zel::kActionClearText); });
        g.BlockMode(false);
        if (!done) break;
        auto span = [](int32_t a, int32_t b, int32_t max) {
          if (a == -1 && b == -1) return std::pair<int64_t, int64_t>{1, max};
          return std::pair<int64_t, int64_t>{std::max<int64_t>(std::min(a, b), 1), std::min<int64_t>(std::max(a, b), max)};
        };
        const auto [clo, chi] = span(c, c2, m.cols);
        const auto [rlo, rhi] = span(r, r2, m.rows);
        for (int64_t rr = rlo; rr <= rhi; ++rr) {
          for (int64_t cc = clo; cc <= chi; ++cc) m.At(static_cast<int32_t>(cc), static_cast<int32_t>(rr)).clear();
        }
        break;
      }
      case 9: {  // frozen counts and header rows: no effect on the data cells
        name = "frozen and headers";
        const int32_t n = in.Index(90);
        Try<GridError>([&] { g.RowsFrozen(n); });
        Try<GridError>([&] { g.ColsFrozen(in.Index(12)); });
        Try<GridError>([&] { g.ColHeaderRows(in.Index(4)); });
        Try<GridError>([&] { g.SetText(in.Index(12), -1000 + static_cast<int32_t>(in.Range(0, 4)), in.Text(4)); });
        break;
      }
      case 10: {  // spans and borders: no effect on the texts
        name = "spans and borders";
        const int32_t c = in.Index(12), r = in.Index(80), nc = in.Index(4), nr = in.Index(4);
        switch (in.Byte() % 3) {
          case 0: Try<GridError>([&] { g.AddCellSpan(c, r, nc, nr); }); break;
          case 1: Try<GridError>([&] { g.RemoveCellSpan(c, r); }); break;
          default: Try<GridError>([&] { g.SetCellBorder(c, r, nc, nr, static_cast<int16_t>(in.Byte() % 40), 0xFF, 1); }); break;
        }
        break;
      }
      case 12: {  // SetArray writes what falls inside the grid and skips the rest
        name = "SetArray";
        const int32_t c = in.Index(12), r = in.Index(80);
        std::vector<std::vector<std::string>> values(1 + in.Byte() % 3);
        for (auto& row : values) {
          row.resize(1 + in.Byte() % 3);
          for (auto& t : row) t = in.Text(3);
        }
        if (!Try<GridError>([&] { g.SetArray(c, r, values); })) break;
        const int64_t c0 = Linear(c, g.RowHeaderCols()), r0 = Linear(r, g.ColHeaderRows());
        for (size_t i = 0; i < values.size(); ++i) {
          for (size_t j = 0; j < values[i].size(); ++j) {
            const int64_t cc = c0 + static_cast<int64_t>(j), rr = r0 + static_cast<int64_t>(i);
            if (m.Inside(cc, rr)) m.At(static_cast<int32_t>(cc), static_cast<int32_t>(rr)) = values[i][j];
          }
        }
        break;
      }
      case 13: {  // GetArray reads the model's texts, empty beyond the grid
        name = "GetArray";
        const int32_t c = in.Index(12), r = in.Index(80);
        std::vector<std::vector<std::string>> out(2, std::vector<std::string>(2, "stale"));
        if (!Try<GridError>([&] { g.GetArray(c, r, out); })) break;
        const int64_t c0 = Linear(c, g.RowHeaderCols()), r0 = Linear(r, g.ColHeaderRows());
        for (size_t i = 0; i < 2; ++i) {
          for (size_t j = 0; j < 2; ++j) {
            const int64_t cc = c0 + static_cast<int64_t>(j), rr = r0 + static_cast<int64_t>(i);
            if (m.Inside(cc, rr)) Check(out[i][j] == m.At(static_cast<int32_t>(cc), static_cast<int32_t>(rr)), "GetArray read another text");
          }
        }
        break;
      }
      default: {  // the grid's image loads back to the same texts
        name = "image round trip";
        const std::string path = zel::fuzz::ScratchFolder() + "/grid.sts";
        Check(g.SaveToFile(path, in.Bool()), "the grid could not be saved");
        Grid back;
        Check(back.LoadFromFile(path), "the grid's own image was refused");
        g = std::move(back);
        break;
      }
    }
    Compare(g, m, name);
  }
  return 0;
}
