#include "zelsheet/testing.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/settings_contract.h"

namespace zel {
namespace {

using testing::ScriptedPlatform;

// What a host's screen test looks like: the code under test asks a Yes/No question.
bool ConfirmClose(Platform& platform) {
  return platform.MsgBox("데이터가 변경되었습니다.\n저장하겠습니까?", vbYesNo, "Message") == vbYes;
}

TEST(ScriptedPlatform, HostAnswersAYesNoBoxAndReadsWhatItSaid) {
  ScriptedPlatform p;
  p.QueueAnswer(vbYes);
  EXPECT_TRUE(ConfirmClose(p));
  ASSERT_EQ(p.Boxes().size(), 1u);
  EXPECT_EQ(p.Boxes().back().text, "데이터가 변경되었습니다.\n저장하겠습니까?");
  EXPECT_EQ(p.Boxes().back().title, "Message");
  EXPECT_EQ(p.Boxes().back().buttons, vbYesNo);
  EXPECT_EQ(p.Boxes().back().icon, 0);
  EXPECT_EQ(p.Boxes().back().answer, vbYes);
}

TEST(ScriptedPlatform, AnswersComeFromTheQueueOnlyForBoxesWithAChoice) {
  ScriptedPlatform p;
  p.QueueAnswer(vbNo);
  p.QueueAnswer(vbOK);  // not a button of the Yes/No box below: a script mistake
  // An OK box in between neither uses nor needs a queued answer.
  EXPECT_EQ(p.MsgBox("saved", vbOKOnly | vbInformation, "[MessageCheckSave]"), vbOK);
  EXPECT_EQ(p.MsgBox("close?", vbYesNo | vbQuestion), vbNo);
  EXPECT_EQ(p.MsgBox("again?", vbYesNo | vbDefaultButton2), vbNo);  // mismatch -> default
  EXPECT_EQ(p.MsgBox("third?", vbYesNo), vbYes);                     // empty queue -> default
  EXPECT_EQ(p.PendingAnswers(), 0u);
  ASSERT_EQ(p.Boxes().size(), 4u);
  EXPECT_EQ(p.Boxes()[0].icon, vbInformation);
  EXPECT_EQ(p.Boxes()[0].title, "[MessageCheckSave]");
  EXPECT_FALSE(p.Boxes()[1].script_mismatch);
  EXPECT_TRUE(p.Boxes()[2].script_mismatch);
  EXPECT_EQ(p.Boxes()[3].answer, vbYes);

  p.AnswerWith([](const testing::MessageBoxRecord& box) {
    return box.text.find("delete") != std::string::npos ? vbNo : vbYes;
  });
  EXPECT_EQ(p.MsgBox("delete rows?", vbYesNo), vbNo);
  EXPECT_EQ(p.MsgBox("save rows?", vbYesNo), vbYes);
  p.ClearBoxes();
  EXPECT_TRUE(p.Boxes().empty());
}

TEST(ScriptedPlatform, StoresValuesAndDateAreWhatTheTestSets) {
  ScriptedPlatform p;
  testing_support::CheckSettingsContract(p.Settings());

  EXPECT_EQ(p.Machine().Get("SoftWare\\Quillbrooke\\Praxium.Net\\FONT", "Name_0"), std::nullopt);
  p.SetMachineValue("SoftWare\\Quillbrooke\\Praxium.Net\\FONT", "Name_1042", "굴림");
  p.SetClientValue("Praxium.Net", "OSLanguage", "1042");
  EXPECT_EQ(p.Machine().Get("SoftWare\\Quillbrooke\\Praxium.Net\\FONT", "Name_1042"), "굴림");
  EXPECT_EQ(p.Client().zelRegGetString("praxium.net", "oslanguage"), "1042");

  EXPECT_EQ(p.Time().TodayText(), "20240315");
  p.SetToday(2024, 2, 29);
  EXPECT_EQ(p.Time().TodayText(), "20240229");
  EXPECT_EQ(p.Time().Now().hour, 9);

  p.Clip().SetText("a\tb\r\n");
  EXPECT_EQ(p.Clip().GetText(), "a\tb\r\n");
  p.Clip().Clear();
  EXPECT_EQ(p.Clip().GetText(), "");

  p.Keys().SendKeys("{TAB}");
  EXPECT_EQ(p.SentKeys(), std::vector<std::string>{"{TAB}"});

  p.Mouse().ControlPointer(vbHourglass);
  p.Mouse().ControlPointer(vbDefault);
  p.Mouse().ScreenPointer(vbNoDrop);
  EXPECT_EQ(p.ControlPointerHistory(), (std::vector<int32_t>{vbHourglass, vbDefault}));
  EXPECT_EQ(p.Mouse().ScreenPointer(), vbNoDrop);

  EXPECT_EQ(p.Shell().ShellExecute("open", "a.txt", "", "", 1), 42);
  p.SetShellResult(2);
  EXPECT_EQ(p.Shell().ShellExecute("", "missing", "-x", "/tmp", 0), 2);
  ASSERT_EQ(p.ShellCalls().size(), 2u);
  EXPECT_EQ(p.ShellCalls()[1].parameters, "-x");
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
  EXPECT_EQ(p.MenusShown()[0].menu_name, "mnuSheet");
  EXPECT_EQ(p.MenusShown()[0].chosen, "mnuSheetSort");
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

  FrozenDialog frozen{"번째 열", 10, "2", 10, 0, 2};
  FrozenDialog answer = frozen;
  answer.txtNumber = "3";
  p.ConfirmDialog(answer);
  EXPECT_TRUE(tools.GetFrozen(frozen));
  EXPECT_EQ(frozen.txtNumber, "3");
  EXPECT_EQ(p.ToolCalls<FrozenDialog>().at(0).lblTitle, "번째 열");

  // The filter and configuration dialogs share a shape but keep separate scripts.
  SheetSettingDialog setting;
  setting.ArrayName = {"코드", "이름"};
  setting.ArrayValue = {"0", "HID"};
  SheetSettingDialog hidden = setting;
  hidden.ArrayValue = {"1", "1"};
  p.ConfirmDialog(hidden);
  SheetFilterDialog filter;
  EXPECT_FALSE(tools.GetSheetFilter(filter));
  EXPECT_TRUE(tools.GetSheetSetting(setting));
  EXPECT_EQ(setting.ArrayValue, (std::vector<std::string>{"1", "1"}));

  p.ConfirmDialog(OpenFileDialog{"", "", false, "/data/in.txt"});
  EXPECT_EQ(tools.OpenDialog("/data", "*.txt", true), "/data/in.txt");
  EXPECT_EQ(tools.OpenDialog("/data", "*.txt", true), "");
  EXPECT_EQ(p.ToolCalls<OpenFileDialog>().at(0).strFilter, "*.txt");
  EXPECT_TRUE(p.ToolCalls<OpenFileDialog>().at(0).bulMultiSelect);

  std::string errors = "1~, ◇ 중복 ◆ 자료를 확인하십시오.~,~I~";
  tools.ShowErrorMsg(errors);
  GridTable grid{{"A", "B"}, {{"1", "2"}}};
  std::string info3 = "Title", doc = "", header = "Head";
  tools.SendExcel("PGM001", info3, doc, grid, header);
  tools.sbShowChart(grid, 10, 10);
  EXPECT_EQ(p.ToolCalls<ErrorListCall>().at(0).text, errors);
  EXPECT_EQ(p.ToolCalls<SendExcelCall>().at(0).grid, grid);
  EXPECT_EQ(p.ToolCalls<ChartCall>().size(), 1u);
  EXPECT_TRUE(p.Boxes().empty());  // scripted tools show nothing themselves

  const std::vector<std::string> names = {
      "GetSearch",   "GetSearch",    "GetSearch",  "GetFrozen",   "GetSheetFilter",
      "GetSheetSetting", "OpenDialog", "OpenDialog", "ShowErrorMsg", "SendExcel", "sbShowChart"};
  EXPECT_EQ(p.ToolCallNames(), names);
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
