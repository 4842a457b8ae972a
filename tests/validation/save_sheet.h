// A loaded sheet with the columns a typical entry screen declares, for the save tests:
//
//   def 1 CODE   "Code"   text   key
//   def 2 NAME   "Name"   text   required
//   def 3 QTY    "Qty"    float  required
//   def 4 SEQ    "Seq"    text   (the server's new key)
//   def 5 OLDSEQ "OldSeq" text   (a second copy of it)
//   def 6 CHK    "Chk"    check  (the tick of check mode)
//
// Rows are put in with Display and statuses written straight into the row header, as the
// editing members and the mark commands would leave them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <functional>

#include "support/recording_events.h"
#include "support/sheet_fixture.h"
#include "zelsheet/testing.h"
#include "zelsheet/zel_sheet.h"

namespace zel::testing {

// A scripted platform that also runs `on_box` as each message box comes up, so a test can
// look at the sheet while the box is shown (the scripted boxes answer OK-only boxes without
// asking the responder).
class BoxSpyPlatform : public ScriptedPlatform {
 public:
  std::function<void(const std::string& text)> on_box;

  MessageBoxes& Messages() override { return spy_; }

 private:
  class Spy : public MessageBoxes {
   public:
    explicit Spy(BoxSpyPlatform& owner) : owner_(owner) {}
    MsgBoxResult MsgBox(const std::string& text, int32_t style,
                        const std::string& title) override {
      if (owner_.on_box) owner_.on_box(text);
      return owner_.ScriptedPlatform::Messages().MsgBox(text, style, title);
    }

   private:
    BoxSpyPlatform& owner_;
  };
  Spy spy_{*this};
};

inline constexpr int32_t kCode = 1, kName = 2, kQty = 3, kSeq = 4, kOldSeq = 5, kChk = 6;
inline constexpr int32_t kStyleInformation = vbInformation;
inline constexpr int32_t kStyleCritical = vbCritical;
inline constexpr const char* kSummaryOne =
    "저장시 오류가 1개 발생하였습니다! 오류 내역을 확인하세요!";

struct SaveSheet {
  SaveSheet() : sheet(platform, events) {
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

  // Shows `rows` (each "code|name|qty|seq|oldseq|chk"; missing fields empty).
  void Show(const std::vector<std::string>& rows) {
    std::string data;
    for (const std::string& row : rows) {
      std::string rest = row;
      for (int i = 0; i < 6; ++i) {
        const size_t bar = rest.find('|');
        data += rest.substr(0, bar) + "~,";
        rest = bar == std::string::npos ? "" : rest.substr(bar + 1);
      }
      data += "~I~";
    }
    sheet.Display(data);
  }

  void Status(int32_t row, const std::string& status) { grid().SetText(0, row, status); }
  std::string Status(int32_t row) {
    std::string s;
    grid().GetText(0, row, s);
    return s;
  }

  // Text colour of the whole row (its own setting).
  Color RowFore(int32_t row) {
    grid().Row(row);
    grid().Col(-1);
    return grid().ForeColor();
  }

  // Rows 1..DataRowCnt as "status|code|name|qty|seq|oldseq|chk" lines ("." = no status).
  std::string Rows() { return RenderSheet(sheet, {1, -1, 6}); }

  const std::vector<MessageBoxRecord>& Boxes() { return platform.Boxes(); }

  BoxSpyPlatform platform;
  RecordingEvents events;
  ZelSheet sheet;
};

}  // namespace zel::testing
