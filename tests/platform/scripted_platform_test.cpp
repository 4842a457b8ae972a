// The platforms tests and hosts build on: the in-memory settings store and the scripted
// platform (answers, menus and dialogs from a script, everything recorded).
#include "zelsheet/testing.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/settings_contract.h"

namespace zel {
namespace {

using testing::ScriptedPlatform;

TEST(MemorySettingsStore, KeepsTheStoreContract) {
  MemorySettingsStore store;
  testing_support::CheckSettingsContract(store);
}

TEST(ScriptedPlatform, AnswersMenusAndDialogsFollowTheScriptAndAreRecorded) {
  ScriptedPlatform p;
  // A queued answer is used only by a box with a choice; one that is no button of the box is
  // a script mistake and gives the default, as an empty queue does.
  p.QueueAnswer(vbNo);
  p.QueueAnswer(vbOK);
  p.MsgBox("saved", vbOKOnly | vbInformation, "[MessageCheckSave]");
  p.MsgBox("close?", vbYesNo | vbQuestion, "Message");
  p.MsgBox("again?", vbYesNo | vbDefaultButton2);
  p.MsgBox("third?", vbYesNo);
  p.AnswerWith([](const testing::MessageBoxRecord& box) { return box.text == "delete?" ? vbNo : vbYes; });
  p.MsgBox("delete?", vbYesNo);
  std::string boxes;  // "text/title/buttons/icon/answer/mismatch" each
  for (const testing::MessageBoxRecord& b : p.Boxes()) {
    boxes += b.text + "/" + b.title + "/" + std::to_string(b.buttons) + "/" + std::to_string(b.icon) + "/" +
             std::to_string(b.answer) + "/" + std::to_string(b.script_mismatch) + " ";
  }
  EXPECT_EQ(boxes, "saved/[MessageCheckSave]/0/64/1/0 close?/Message/4/32/7/0 again?//4/0/7/1 third?//4/0/6/0 delete?//4/0/7/0 ");

  // Menus: a disabled entry counts as dismissed, a separator cannot be chosen.
  const std::vector<PopupMenuEntry> entries = {{"mnuLine12", "-"}, {"mnuSheetFind", "Find", false}, {"mnuSheetSort", "정렬"}};
  std::string chosen;
  for (const char* entry : {"mnuSheetSort", "mnuSheetFind", "mnuLine12"}) p.QueueMenuChoice(entry);
  for (int i = 0; i < 4; ++i) chosen += "[" + p.Menus().PopupMenu("mnuSheet", entries, 0, 1, 2, "") + "]";
  EXPECT_EQ(chosen + p.MenusShown().at(0).menu_name + " " + p.MenusShown().at(0).chosen, "[mnuSheetSort][][][]mnuSheet mnuSheetSort");

  // Dialogs: scripted answers in order, then cancelled; the struct is left as the sheet set
  // it, and each call is recorded with what the dialog was given.
  CompanionTools& tools = p.Tools();
  SearchDialog search{"abc"};
  p.ConfirmDialog(SearchDialog{"가나"});
  p.CancelDialog<SearchDialog>();
  std::string answers;
  for (int i = 0; i < 3; ++i) answers += std::to_string(tools.GetSearch(search)) + search.txtSearch + " ";
  EXPECT_EQ(answers + p.ToolCalls<SearchDialog>().at(0).txtSearch, "1가나 0가나 0가나 abc");
  // The filter and configuration dialogs share a shape but keep separate scripts.
  SheetSettingDialog setting, hidden;
  hidden.ArrayValue = {"1", "1"};
  p.ConfirmDialog(hidden);
  SheetFilterDialog filter;
  EXPECT_FALSE(tools.GetSheetFilter(filter));
  EXPECT_TRUE(tools.GetSheetSetting(setting) && setting.ArrayValue == hidden.ArrayValue);
  // Missing tools throw, and are still recorded; scripted tools show no boxes themselves.
  p.SetToolsMissing(true);
  EXPECT_THROW(tools.ShowErrorMsg(search.txtSearch), CompanionToolsError);
  EXPECT_EQ(p.ToolCallNames(), (std::vector<std::string>{"GetSearch", "GetSearch", "GetSearch", "GetSheetFilter",
                                                        "GetSheetSetting", "ShowErrorMsg"}));
  EXPECT_EQ(p.Boxes().size(), 5u);
}

TEST(ScriptedPlatform, WindowDirIsATemporaryFolderRemovedWithThePlatform) {
  std::string root;
  {
    ScriptedPlatform a, b;
    root = a.TempRoot();
    EXPECT_NE(root, b.TempRoot());
    EXPECT_EQ(a.Folders().WindowDir().rfind(root, 0), 0u);
    std::filesystem::create_directories(a.Folders().WindowDir() + "/Praxium.Net");
    std::ofstream(a.Folders().WindowDir() + "/Praxium.Net/PGM001.S1title.sts") << "x";
  }
  EXPECT_FALSE(std::filesystem::exists(root));
}

}  // namespace
}  // namespace zel
