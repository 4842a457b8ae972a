// Records of a multi-row sheet spanned two ways: one grid spans every record cell by cell,
// the other spans the first record and repeats it down (the grid then holds the repeated
// spans once). Sequences of row and column inserts and deletes, spans set and removed,
// size changes and further repeats must leave both grids showing the same spans in every
// cell, and a saved image of the repeated one must load back to the same spans.
#include <algorithm>
#include <cstdint>
#include <string>

#include "fuzz_files.h"
#include "fuzz_input.h"
#include "grid/row_blocks.h"
#include "zelsheet/grid.h"

using zel::Grid;
using zel::GridError;
using zel::fuzz::Check;
using zel::fuzz::Try;

namespace {

// Every data cell's covering span, the row header included.
std::string Spans(const Grid& g) {
  std::string out;
  for (int32_t r = 1; r <= g.MaxRows(); ++r) {
    for (int32_t c = 0; c <= g.MaxCols(); ++c) {
      int32_t ac = 0, ar = 0, nc = 0, nr = 0;
      if (g.GetCellSpan(c, r, ac, ar, nc, nr)) {
        out += std::to_string(c) + "," + std::to_string(r) + ":" + std::to_string(ac) + "," + std::to_string(ar) + " " +
               std::to_string(nc) + "x" + std::to_string(nr) + "\n";
      }
    }
  }
  return out;
}

// One record's spans: the row header over the record, and what the input asks for inside it.
struct Layout {
  int32_t rows = 1;
  struct Piece {
    int32_t col, row, cols, rows;
  };
  Piece pieces[3] = {};
  int count = 0;

  void Apply(Grid& g, int32_t first) const {
    g.AddCellSpan(0, first, 1, rows);
    for (int i = 0; i < count; ++i) {
      const Piece& p = pieces[i];
      g.AddCellSpan(p.col, first + p.row, p.cols, p.rows);
    }
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zel::fuzz::FuzzInput in(data, size);
  Layout layout;
  layout.rows = 1 + in.Byte() % 4;
  const int32_t cols = 1 + in.Byte() % 5;
  layout.count = in.Byte() % 4;
  for (int i = 0; i < layout.count; ++i) {
    const int32_t row = in.Byte() % layout.rows;
    const int32_t col = 1 + in.Byte() % cols;
    layout.pieces[i] = {col, row, 1 + in.Byte() % (cols - col + 1), 1 + in.Byte() % (layout.rows - row)};
  }
  const int32_t records = 1 + in.Byte() % 12;

  Grid each, repeated;
  for (Grid* g : {&each, &repeated}) {
    g->MaxCols(cols);
    g->MaxRows(records * layout.rows);
  }
  for (int32_t k = 0; k < records; ++k) layout.Apply(each, 1 + k * layout.rows);
  layout.Apply(repeated, 1);
  zel::internal::RepeatRowBlock(repeated, 1, layout.rows, records - 1);
  Check(Spans(each) == Spans(repeated), "the repeat differs from spanning every record");

  for (int step = 0; step < 24 && !in.empty(); ++step) {
    const uint8_t op = in.Byte() % 8;
    const int32_t a = in.Index(60), b = in.Index(8), n = 1 + in.Byte() % 4, m = 1 + in.Byte() % 3;
    const char* name = "";
    auto both = [&](auto call) {
      const bool x = Try<GridError>([&] { call(each); });
      const bool y = Try<GridError>([&] { call(repeated); });
      Check(x == y, std::string("one grid refused ") + name);
    };
    switch (op) {
      case 0:
      case 1:
        name = op == 0 ? "a row insert" : "a row delete";
        both([&](Grid& g) {
          g.Row(a);
          g.Row2(static_cast<int32_t>(std::min<int64_t>(int64_t{a} + n - 1, INT32_MAX)));
          g.BlockMode(true);
          g.Action(op == 0 ? zel::kActionInsertRow : zel::kActionDeleteRow);
          g.BlockMode(false);
        });
        break;
      case 2:
      case 3:
        name = op == 2 ? "a column insert" : "a column delete";
        both([&](Grid& g) {
          g.Col(b);
          g.Col2(b);
          g.Action(op == 2 ? zel::kActionInsertCol : zel::kActionDeleteCol);
        });
        break;
      case 4:
        name = "AddCellSpan";
        both([&](Grid& g) { g.AddCellSpan(b, a, m, n); });
        break;
      case 5:
        name = "RemoveCellSpan";
        both([&](Grid& g) { g.RemoveCellSpan(b, a); });
        break;
      case 6:
        name = "MaxRows";
        both([&](Grid& g) { g.MaxRows(a % 80); });
        break;
      case 7: {
        // More records in new rows below the last (whole or cut) record, spanned each way
        // again: new rows hold no span, so the first record is spanned alike in both.
        name = "more records";
        const int32_t first = (each.MaxRows() + layout.rows - 1) / layout.rows * layout.rows + 1;
        const int32_t more = 1 + n;
        both([&](Grid& g) { g.MaxRows(first - 1 + more * layout.rows); });
        for (int32_t k = 0; k < more; ++k) layout.Apply(each, first + k * layout.rows);
        layout.Apply(repeated, first);
        zel::internal::RepeatRowBlock(repeated, first, layout.rows, more - 1);
        break;
      }
    }
    Check(Spans(each) == Spans(repeated), std::string("the grids differ after ") + name);
  }
  const std::string path = zel::fuzz::ScratchFolder() + "/records.sts";
  Check(repeated.SaveToFile(path, false), "the repeated grid could not be saved");
  Grid back;
  Check(back.LoadFromFile(path) && Spans(back) == Spans(each), "the saved image loads back different");
  return 0;
}
