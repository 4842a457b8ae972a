// A loaded sheet with the columns a typical entry screen declares, for the save tests:
//   def 1 CODE text key, 2 NAME text required, 3 QTY float required,
//   4 SEQ text (the server's new key), 5 OLDSEQ text (a copy of it), 6 CHK check.
// Rows are put in with Display and statuses written straight into the row header, as the
// editing members and the mark commands would leave them.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "support/sheet_fixture.h"

namespace zel::testing {

// A scripted platform that also runs `on_box` as each box comes up, so a test can look at
// the sheet while the box is shown.
struct BoxSpyPlatform : ScriptedPlatform, MessageBoxes {
  std::function<void()> on_box;
  MessageBoxes& Messages() override { return *this; }
  MsgBoxResult MsgBox(const std::string& text, int32_t style, const std::string& title) override {
    if (on_box) on_box();
    return ScriptedPlatform::Messages().MsgBox(text, style, title);
  }
};

inline constexpr int32_t kCode = 1, kName = 2, kQty = 3, kSeq = 4, kOldSeq = 5, kChk = 6;

struct SaveSheet {
  SaveSheet() : sheet(platform) {
    sheet.ReadProperties(PropertyBag{});
    int32_t n = 0;
    sheet.AddItem("CODE", "Code", EnText, n, 10, 0, "KEY");
    sheet.AddItem("NAME", "Name", EnText, n, 20, 0, "NON");
    sheet.AddItem("QTY", "Qty", EnFloat, n, 5, 0, "NON");
    sheet.AddItem("SEQ", "Seq", EnText, n, 10, 0, "");
    sheet.AddItem("OLDSEQ", "OldSeq", EnText, n, 10, 0, "");
    sheet.AddItem("CHK", "Chk", EnCheck, n, 1, 0, "");
  }
  Grid& grid() { return sheet.GetSheet(); }

  // Shows `rows`, each "code|name|qty|seq|oldseq|chk" (missing fields empty).
  void Show(const std::vector<std::string>& rows) {
    std::string data;
    for (const std::string& row : rows) {
      int fields = 1;
      for (const char c : row) data += c == '|' ? (++fields, "~,") : std::string(1, c);
      for (; fields <= 6; ++fields) data += "~,";
      data += "~I~";
    }
    sheet.Display(data);
  }
  // Statuses of rows 1.. from one character each ('.' = none, ' ' = leave as it is).
  void Marks(const std::string& marks) {
    for (int32_t r = 1; r <= static_cast<int32_t>(marks.size()); ++r) {
      if (marks[r - 1] != ' ') Status(r, marks[r - 1] == '.' ? "" : marks.substr(r - 1, 1));
    }
  }
  void Status(int32_t row, const std::string& status) { grid().SetText(0, row, status); }
  // Rows 1..DataRowCnt, joined by blanks, each as its status ('.' for none), '!' when the
  // row is red (a failed save), then the texts of the columns `defs` joined by '|':
  //   ".a|K1 U!b|"
  std::string Rows(const std::vector<int32_t>& defs = {kCode, kSeq}) {
    std::string out;
    for (int32_t r = 1; r <= grid().DataRowCnt(); ++r) {
      std::string status;
      grid().GetText(0, r, status);
      grid().Row(r);
      grid().Col(-1);
      out += (r > 1 ? " " : "") + (status.empty() ? "." : status) + (grid().ForeColor() == 255 ? "!" : "");
      for (size_t k = 0; k < defs.size(); ++k) out += (k > 0 ? "|" : "") + sheet.CellText(defs[k], r);
    }
    return out;
  }
  // The boxes shown since the last call, one a line: "[title] " (if any), then the icon
  // ("!" critical, "i" information, "-" none), ": " and the text.
  std::string TakeBoxes() {
    std::string out;
    for (const MessageBoxRecord& b : platform.Boxes()) {
      const char* icon = b.icon == vbCritical ? "!" : b.icon == vbInformation ? "i" : "-";
      out += (out.empty() ? "" : "\n") + (b.title.empty() ? "" : b.title + " ") + icon + ": " + b.text;
    }
    platform.ClearBoxes();
    return out;
  }

  BoxSpyPlatform platform;
  ZelSheet sheet;
};

}  // namespace zel::testing
