// Sequences of sheet calls on text columns checked against a plain model: each row's status
// and cell texts. Display (replace, append, one row), SetFillCol, status changes and MaxRows
// run in any order with any row numbers; after each, GetDataAll(true) and GetData must give
// exactly the lines the model's rows make, and the spare rows below the data follow the
// rules of AddRowsToSheet (20 rows marked "A" after the last row holding data).
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "sheet_host.h"
#include "text/strings.h"

using zel::fuzz::Check;

namespace {

constexpr int32_t kSpareRows = 20;

struct Row {
  std::string status;
  std::vector<std::string> cells;
};

struct Model {
  int32_t cols = 0;
  std::vector<Row> rows;

  int32_t LastDataRow() const {
    for (size_t r = rows.size(); r > 0; --r) {
      for (const auto& t : rows[r - 1].cells) {
        if (!t.empty()) return static_cast<int32_t>(r);
      }
    }
    return 0;
  }
  // What Display ends with: the rows after the last one holding data become the spare rows.
  void SpareRows() {
    const auto last = static_cast<size_t>(LastDataRow());
    rows.resize(last + kSpareRows, Row{"", std::vector<std::string>(static_cast<size_t>(cols))});
    for (size_t r = last; r < rows.size(); ++r) rows[r].status = "A";
  }
  std::string Lines(bool changedOnly) const {
    std::string out;
    for (int32_t r = 1; r <= LastDataRow(); ++r) {
      const Row& row = rows[static_cast<size_t>(r - 1)];
      const bool changed = row.status == "A" || row.status == "U" || row.status == "X";
      if (changedOnly && !changed) continue;
      if (changedOnly) out += (row.status == "X" ? "D" : row.status) + "~,";
      for (const auto& t : row.cells) out += zel::text::Trim(t) + "~,";
      out += "~I~";
    }
    return out;
  }
};

// A field the data string can carry: no "~", no blanks at its ends (Display drops trailing
// ones, which the model would have to repeat).
std::string Field(zel::fuzz::FuzzInput& in) {
  std::string t = in.Text(6);
  t.erase(std::remove(t.begin(), t.end(), '~'), t.end());
  return zel::text::Trim(t);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zel::fuzz::FuzzInput in(data, size);
  zel::fuzz::SheetHost host;
  zel::ZelSheet& sheet = host.sheet;
  Model m;
  m.cols = 1 + in.Byte() % 3;
  sheet.MaxCols(m.cols);
  for (int32_t k = 1; k <= m.cols; ++k) sheet.AddItem("F" + std::to_string(k), "T", zel::EnText);
  sheet.MaxRows(0);
  for (int step = 0; step < 24 && !in.empty(); ++step) {
    const uint8_t op = in.Byte() % 6;
    if (op <= 2) {  // Display: replace, append or one row
      const int32_t n = in.Byte() % 5;
      std::vector<std::vector<std::string>> table(static_cast<size_t>(n));
      std::string text;
      for (auto& fields : table) {
        for (int32_t k = 0; k < m.cols; ++k) {
          fields.push_back(Field(in));
          text += fields.back() + "~,";
        }
        text += "~I~";
      }
      const int32_t oneRow = op == 2 ? in.Index(40) : 0;
      bool append = op == 1;
      const bool shown = sheet.Display(text, append, false, oneRow);
      Check(shown == (n > 0), "Display's result");
      const bool replace = op == 0 || (op == 2 && oneRow == 0);
      if (replace) m.rows.clear();
      if (op == 1) m.rows.resize(static_cast<size_t>(m.LastDataRow()));
      if (oneRow != 0) {
        if (n > 0 && oneRow >= 1 && oneRow <= static_cast<int32_t>(m.rows.size())) {
          m.rows[static_cast<size_t>(oneRow - 1)] = Row{"", table[0]};
        }
      } else {
        for (auto& fields : table) m.rows.push_back(Row{"", fields});
      }
      m.SpareRows();
    } else if (op == 3) {  // SetFillCol over any range
      const int32_t col = 1 + in.Byte() % m.cols;
      const int32_t r1 = in.Index(40), r2 = in.Index(40);
      const std::string value = in.Text(4);
      sheet.SetFillCol(col, r1, r2, value);
      for (int64_t r = std::max(r1, 1); r <= std::min<int64_t>(r2, static_cast<int64_t>(m.rows.size())); ++r) {
        m.rows[static_cast<size_t>(r - 1)].cells[static_cast<size_t>(col - 1)] = value;
      }
    } else if (op == 4) {  // a row status
      static const char* const kStatus[] = {"", "A", "U", "X"};
      const int32_t r = 1 + in.Byte() % 40;
      const char* status = kStatus[in.Byte() % 4];
      if (r <= static_cast<int32_t>(m.rows.size())) {
        sheet.GetSheet().SetText(0, r, status);
        m.rows[static_cast<size_t>(r - 1)].status = status;
      }
    } else {  // MaxRows: cuts rows off or adds empty ones without a status
      const int32_t n = in.Byte() % 40;
      sheet.MaxRows(n);
      m.rows.resize(static_cast<size_t>(n), Row{"", std::vector<std::string>(static_cast<size_t>(m.cols))});
    }
    Check(sheet.MaxRows() == static_cast<int32_t>(m.rows.size()), "MaxRows differs from the model");
    Check(sheet.GetSheet().DataRowCnt() == m.LastDataRow(), "DataRowCnt differs from the model");
    Check(sheet.GetDataAll(true) == m.Lines(false), "GetDataAll(true) differs: '" + sheet.GetDataAll(true) + "' vs '" + m.Lines(false) + "'");
    const std::string changed = m.Lines(true);
    const std::string got = sheet.GetData();
    Check(changed.empty() ? got.empty() : got == sheet.GetDataHeaders() + changed, "GetData differs: '" + got + "'");
  }
  return 0;
}
