#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "zelsheet/testing.h"

namespace zel {
namespace {

// Sets environment variables for one test and puts the old values back.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    ::setenv(name, value.c_str(), 1);
  }
  ~ScopedEnv() {
    if (old_) ::setenv(name_, old_->c_str(), 1);
    else ::unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

class CountingBoxes : public MessageBoxes {
 public:
  MsgBoxResult MsgBox(const std::string& text, int32_t, const std::string&) override {
    texts.push_back(text);
    return vbNo;
  }
  std::vector<std::string> texts;
};

TEST(StandardPlatform, ReadsValuesFromTheFileTheEnvironmentNames) {
  testing::ScriptedPlatform scratch;
  const std::string values = scratch.TempRoot() + "/values.conf";
  std::ofstream(values) << "[machine SoftWare\\Quillbrooke\\Praxium.Net\\FONT]\nName_1042=굴림\n"
                           "[client Praxium.Net]\nOSLanguage=1042\n";
  ScopedEnv file("ZELSHEET_VALUES_FILE", values);
  ScopedEnv window("ZELSHEET_WINDOW_DIR", scratch.TempRoot() + "/win");
  StandardPlatform p(nullptr);
  EXPECT_EQ(p.Client().zelRegGetString("Praxium.Net", "OSLanguage"), "1042");
  EXPECT_EQ(p.Machine().Get("SoftWare\\Quillbrooke\\Praxium.Net\\FONT", "Name_1042"), "굴림");
  EXPECT_EQ(p.Machine().Get("SoftWare\\Quillbrooke\\Praxium.Net\\FONT", "Name_0"), std::nullopt);
  EXPECT_EQ(p.Folders().WindowDir(), scratch.TempRoot() + "/win");
  EXPECT_TRUE(std::filesystem::is_directory(scratch.TempRoot() + "/win"));

  // Settings default to memory; the clock is the system's.
  p.Settings().SaveSetting("Praxium.Net", "S", "k", "v");
  EXPECT_EQ(p.Settings().GetSetting("Praxium.Net", "S", "k"), "v");
  EXPECT_EQ(p.Time().TodayText().size(), 8u);
  EXPECT_EQ(p.Shell().ShellExecute("open", "x", "", "", 1), 31);
}

TEST(StandardPlatform, MissingValuesFileMeansNoValues) {
  ScopedEnv file("ZELSHEET_VALUES_FILE", "/nonexistent/zelsheet/values.conf");
  StandardPlatform p(nullptr);
  EXPECT_EQ(p.Client().zelRegGetString("Praxium.Net", "OSLanguage"), std::nullopt);
}

TEST(StandardPlatform, DefaultBoxesAnswerTheDefaultAndHostBoxesReplaceThemEverywhere) {
  testing::ScriptedPlatform scratch;
  ScopedEnv window("ZELSHEET_WINDOW_DIR", scratch.TempRoot() + "/win");
  StandardPlatform p(nullptr);
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(p.MsgBox("q?", vbYesNo | vbDefaultButton2, "T"), vbNo);
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("[T] q?"), std::string::npos);

  auto boxes = std::make_unique<CountingBoxes>();
  CountingBoxes& seen = *boxes;
  p.SetMessageBoxes(std::move(boxes));
  EXPECT_EQ(p.MsgBox("q?", vbYesNo), vbNo);
  std::string list = "errors";
  p.Tools().ShowErrorMsg(list);  // the headless tools reach the host's boxes too
  EXPECT_EQ(seen.texts, (std::vector<std::string>{"q?", "errors"}));

  // Exports land under the window folder.
  std::string info3 = "list";
  const ToolOutcome out = p.Tools().SendToExcel(info3, GridTable{{"a"}, {{"1"}}});
  EXPECT_TRUE(out.done) << out.message;
  EXPECT_EQ(out.path, scratch.TempRoot() + "/win/Praxium.Net/Export/list.tsv");
}

TEST(StandardPlatform, MenusAskTheHostChooserAndAcceptOnlyChoosableEntries) {
  StandardPlatform p(nullptr);
  const std::vector<PopupMenuEntry> entries = {{"mnuCopy", "복사"}, {"mnuCut", "잘라내기", false}};
  EXPECT_EQ(p.Menus().PopupMenu("mnuFunction", entries, 0, 0, 0, ""), "");
  std::string answer = "mnuCopy";
  p.SetMenuChooser([&](const std::string&, const std::vector<PopupMenuEntry>&, int32_t, double,
                       double, const std::string&) { return answer; });
  EXPECT_EQ(p.Menus().PopupMenu("mnuFunction", entries, 0, 0, 0, ""), "mnuCopy");
  answer = "mnuCut";
  EXPECT_EQ(p.Menus().PopupMenu("mnuFunction", entries, 0, 0, 0, ""), "");
  answer = "nonsense";
  EXPECT_EQ(p.Menus().PopupMenu("mnuFunction", entries, 0, 0, 0, ""), "");
}

}  // namespace
}  // namespace zel
