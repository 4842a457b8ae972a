#include "zelsheet/testing.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>


namespace zel {
namespace {

using testing::ScriptedPlatform;

TEST(ScriptedPlatform, AnswersComeFromTheQueueOnlyForBoxesWithAChoice) {
  ScriptedPlatform p;
  p.QueueAnswer(vbNo);
  p.QueueAnswer(vbOK);  // not a button of the Yes/No box below: a script mistake
  // An OK box in between neither uses nor needs a queued answer.
  EXPECT_EQ(p.MsgBox("saved", vbOKOnly | vbInformation, "[MessageCheckSave]"), vbOK);
  EXPECT_EQ(p.MsgBox("close?", vbYesNo | vbQuestion, "Message"), vbNo);
  EXPECT_EQ(p.MsgBox("again?", vbYesNo | vbDefaultButton2), vbNo);  // mismatch -> default
  EXPECT_EQ(p.MsgBox("third?", vbYesNo), vbYes);                     // empty queue -> default
  EXPECT_EQ(p.PendingAnswers(), 0u);
  // Each box as "text/title/buttons/icon/answer/mismatch".
  std::string boxes;
  for (const testing::MessageBoxRecord& b : p.Boxes()) {
    boxes += b.text + "/" + b.title + "/" + std::to_string(b.buttons) + "/" + std::to_string(b.icon) + "/" +
             std::to_string(b.answer) + "/" + std::to_string(b.script_mismatch) + " ";
  }
  EXPECT_EQ(boxes, "saved/[MessageCheckSave]/0/64/1/0 close?/Message/4/32/7/0 again?//4/0/7/1 third?//4/0/6/0 ");

  p.AnswerWith([](const testing::MessageBoxRecord& box) {
    return box.text.find("delete") != std::string::npos ? vbNo : vbYes;
  });
  EXPECT_EQ(p.MsgBox("delete rows?", vbYesNo), vbNo);
  EXPECT_EQ(p.MsgBox("save rows?", vbYesNo), vbYes);
}

TEST(ScriptedPlatform, ValuesAreFoundIgnoringCaseAndTheClockIsFixed) {
  ScriptedPlatform p;
  EXPECT_EQ(p.Machine().Get("SoftWare\\Quillbrooke\\Praxium.Net\\FONT", "Name_0"), std::nullopt);
  p.SetClientValue("Praxium.Net", "OSLanguage", "1042");
  EXPECT_EQ(p.Client().zelRegGetString("praxium.net", "oslanguage"), "1042");
  EXPECT_EQ(p.Machine().Get("Praxium.Net", "OSLanguage"), std::nullopt);

  EXPECT_EQ(p.Time().TodayText(), "20240315");
  p.SetToday(2024, 2, 29);
  EXPECT_EQ(p.Time().TodayText(), "20240229");
  EXPECT_EQ(p.Time().Now().hour, 9);
}

TEST(ScriptedPlatform, WindowDirIsATemporaryFolderRemovedWithThePlatform) {
  std::string root, window;
  {
    ScriptedPlatform a, b;
    root = a.TempRoot();
    window = a.Folders().WindowDir();
    EXPECT_NE(a.TempRoot(), b.TempRoot());
    EXPECT_TRUE(std::filesystem::is_directory(window));
    EXPECT_EQ(window.rfind(root, 0), 0u);
    std::filesystem::create_directories(window + "/Praxium.Net");
    std::ofstream(window + "/Praxium.Net/PGM001.S1title.sts") << "x";
  }
  EXPECT_FALSE(std::filesystem::exists(root));
}

TEST(ScriptedPlatform, MenusChooseQueuedEntriesThatCanBeChosen) {
  ScriptedPlatform p;
  const std::vector<PopupMenuEntry> entries = {
      {"mnuSendToExcel", "Excel로 보내기"},
      {"mnuLine12", "-"},
      {"mnuSheetFind", "Find", /*enabled=*/false},
      {"mnuSheetSort", "데이터 정렬..."},
  };
  p.QueueMenuChoice("mnuSheetSort");
  p.QueueMenuChoice("mnuSheetFind");  // disabled: counts as dismissed
  p.QueueMenuChoice("mnuLine12");     // a separator cannot be chosen
  EXPECT_EQ(p.Menus().PopupMenu("mnuSheet", entries, 0, 1, 2, ""), "mnuSheetSort");
  EXPECT_EQ(p.Menus().PopupMenu("mnuSheet", entries, 0, 1, 2, ""), "");
  EXPECT_EQ(p.Menus().PopupMenu("mnuSheet", entries, 0, 1, 2, ""), "");
  EXPECT_EQ(p.Menus().PopupMenu("mnuSheet", entries, 0, 1, 2, ""), "");  // queue empty
  ASSERT_EQ(p.MenusShown().size(), 4u);
  EXPECT_EQ(p.MenusShown()[0].menu_name + " " + p.MenusShown()[0].chosen, "mnuSheet mnuSheetSort");
}

TEST(ScriptedPlatform, CompanionDialogsAnswerAsScriptedAndAreRecorded) {
  ScriptedPlatform p;
  CompanionTools& tools = p.Tools();

  // Unscripted: cancelled, and the struct is left as the sheet set it.
  SearchDialog search{"abc"};
  EXPECT_FALSE(tools.GetSearch(search));
  EXPECT_EQ(search.txtSearch, "abc");

  p.ConfirmDialog(SearchDialog{"가나"});
  p.CancelDialog<SearchDialog>();
  EXPECT_TRUE(tools.GetSearch(search));
  EXPECT_EQ(search.txtSearch, "가나");
  EXPECT_FALSE(tools.GetSearch(search));
  EXPECT_EQ(search.txtSearch, "가나");
  ASSERT_EQ(p.ToolCalls<SearchDialog>().size(), 3u);
  EXPECT_EQ(p.ToolCalls<SearchDialog>()[1].txtSearch, "abc");  // what the dialog was given

  // The filter and configuration dialogs share a shape but keep separate scripts.
  SheetSettingDialog setting;
  setting.ArrayValue = {"0", "HID"};
  SheetSettingDialog hidden = setting;
  hidden.ArrayValue = {"1", "1"};
  p.ConfirmDialog(hidden);
  SheetFilterDialog filter;
  EXPECT_FALSE(tools.GetSheetFilter(filter));
  EXPECT_TRUE(tools.GetSheetSetting(setting));
  EXPECT_EQ(setting.ArrayValue, (std::vector<std::string>{"1", "1"}));

  GridTable grid{{"A", "B"}, {{"1", "2"}}};
  std::string info3 = "Title", doc = "", header = "Head";
  tools.SendExcel("PGM001", info3, doc, grid, header);
  EXPECT_EQ(p.ToolCalls<SendExcelCall>().at(0).grid, grid);
  EXPECT_TRUE(p.Boxes().empty());  // scripted tools show nothing themselves
  EXPECT_EQ(p.ToolCallNames(),
            (std::vector<std::string>{"GetSearch", "GetSearch", "GetSearch", "GetSheetFilter",
                                      "GetSheetSetting", "SendExcel"}));
}

TEST(ScriptedPlatform, MissingToolsThrowButAreStillRecorded) {
  ScriptedPlatform p;
  p.SetToolsMissing(true);
  std::string list = "x";
  EXPECT_THROW(p.Tools().ShowErrorMsg(list), CompanionToolsError);
  DateDialog date{"20240101"};
  EXPECT_THROW(p.Tools().GetDate(date), CompanionToolsError);
  EXPECT_EQ(p.ToolCallNames(), (std::vector<std::string>{"ShowErrorMsg", "GetDate"}));
  p.SetToolsMissing(false);
  EXPECT_FALSE(p.Tools().GetDate(date));
}

}  // namespace
}  // namespace zel
