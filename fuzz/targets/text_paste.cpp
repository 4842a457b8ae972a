// Pasted text through SetTextPaste and SetClipboardText, with any bytes and any block:
//   SetTextPaste ends with its pasted rows marked "A" at the active row, or refuses a text
//   over 32767 characters (overflow_error) leaving the sheet as it was, or stops at a grid
//   error with the rows pasted so far kept;
//   SetClipboardText writes no row status and no cell outside its block.
// Nothing else may be thrown.
#include <cstdint>
#include <stdexcept>
#include <string>

#include "fuzz_input.h"
#include "sheet_host.h"
#include "text/strings.h"
#include "zelsheet/grid.h"

using zel::fuzz::Check;

namespace {

constexpr int32_t kCols = 3;

std::string Picture(const zel::Grid& g, int32_t cols) {
  std::string out, t;
  for (int32_t r = 0; r <= g.MaxRows(); ++r) {
    for (int32_t c = 0; c <= cols; ++c) {
      g.GetText(c, r, t);
      out += t;
      out += c == cols ? '\n' : '|';
    }
  }
  return out;
}

void TextPaste(zel::fuzz::SheetHost& h, zel::fuzz::FuzzInput& in) {
  zel::Grid& g = h.sheet.GetSheet();
  const int32_t active = static_cast<int32_t>(in.Range(1, g.MaxRows()));
  h.sheet.ActiveCell(1, active);
  const std::string text = in.Rest();
  const std::string before = Picture(g, kCols);
  size_t lines = 0;
  for (const char c : text) lines += c == '\n';
  try {
    h.sheet.SetTextPaste(text);
  } catch (const std::overflow_error&) {
    Check(zel::text::CharCount(text) > 32767, "a short text was refused as too long");
    Check(Picture(g, kCols) == before, "a refused text changed the sheet");
    return;
  } catch (const zel::GridError&) {
    return;  // more lines than rows: what was pasted stays
  }
  Check(zel::text::CharCount(text) <= 32767, "a text over 32767 characters was pasted");
  const int64_t last = std::min<int64_t>(active + static_cast<int64_t>(lines) - 1, g.MaxRows());
  std::string status;
  for (int64_t r = active; r <= last; ++r) {
    g.GetText(0, static_cast<int32_t>(r), status);
    Check(status == "A", "pasted row " + std::to_string(r) + " is not marked A");
  }
  Check(g.ActiveRow() == active, "the active row moved");
}

void ClipboardText(zel::fuzz::SheetHost& h, zel::fuzz::FuzzInput& in) {
  zel::Grid& g = h.sheet.GetSheet();
  const int32_t col = in.Index(6), col2 = in.Index(6), row = in.Index(12), row2 = in.Index(12);
  const std::string text = in.Rest();
  zel::Grid before;
  before.MaxCols(kCols);
  before.MaxRows(g.MaxRows());
  std::string t;
  for (int32_t r = 0; r <= g.MaxRows(); ++r) {
    for (int32_t c = 0; c <= kCols; ++c) {
      g.GetText(c, r, t);
      before.SetText(c, r, t);
    }
  }
  h.sheet.SetClipboardText(col, col2, row, row2, text);
  std::string u;
  for (int32_t r = 0; r <= g.MaxRows(); ++r) {
    for (int32_t c = 0; c <= kCols; ++c) {
      const bool inside = c >= 1 && r >= 1 && c >= col && c <= col2 && r >= row && r <= row2;
      if (inside) continue;
      g.GetText(c, r, t);
      before.GetText(c, r, u);
      Check(t == u, "cell " + std::to_string(c) + "," + std::to_string(r) + " outside the block changed");
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zel::fuzz::FuzzInput in(data, size);
  zel::fuzz::SheetHost h;
  h.sheet.MaxCols(kCols);
  for (int32_t c = 1; c <= kCols; ++c) h.sheet.AddItem("F" + std::to_string(c), "f");
  h.sheet.Display("a~,b~,c~,~I~d~,e~,f~,~I~g~,h~,i~,~I~");
  h.sheet.AddRowsToSheet(4);
  if (in.Bool()) {
    TextPaste(h, in);
  } else {
    ClipboardText(h, in);
  }
  return 0;
}
