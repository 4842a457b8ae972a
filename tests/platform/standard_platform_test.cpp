// The standard platform: the values file it reads, the folders it makes, and the host's
// message boxes and menu chooser taking over.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/internal/system_services.h"
#include "support/scoped_env.h"
#include "zelsheet/testing.h"

namespace zel {
namespace {

using testing::ScopedEnv;

const char kFont[] = "SoftWare\\Quillbrooke\\Praxium.Net\\FONT";

TEST(ValuesFile, ParsesMachineAndClientSections) {
  MemoryValues v;
  ParseValuesFile(
      "# values of this machine\r\norphan=before any section\n[machine SoftWare\\Quillbrooke\\Praxium.Net\\FONT]\n"
      "Name_1042=굴림\n  Name_0 = Tahoma  \r\nno equals sign here\n=blank name\n"
      "[machine SoftWare\\Quillbrooke\\Praxium.Net\\Message]\nSHEET_1=a~I~b=c~I~\n"
      "[client Praxium.Net]\n; comment\nOSLanguage=1042\nHomeDir=C:\\Praxium.Net\\\nHomeDir=/srv/praxium\n"
      "[nonsense kind]\nLost=1\n[client]\nAlsoLost=1\n[client Other App]\nUserDirType=1",
      v);
  auto machine = [&](const std::string& key, const char* name) { return v.Get(key, name).value_or("-") + "|"; };
  auto client = [&](const char* app, const char* name) { return v.zelRegGetString(app, name).value_or("-") + "|"; };
  // Values are kept as written after "="; names ignore case; machine and client values are
  // apart even under the same names; the last of two wins.
  EXPECT_EQ(machine(kFont, "Name_1042") + machine(kFont, "Name_0") + machine("software\\quillbrooke\\praxium.net\\font", "NAME_1042") +
                machine("SoftWare\\Quillbrooke\\Praxium.Net\\Message", "SHEET_1") + machine(kFont, "SHEET_1") +
                machine(kFont, "orphan") + machine(kFont, "no equals sign here") + machine("Praxium.Net", "OSLanguage"),
            "굴림| Tahoma  |굴림|a~I~b=c~I~|-|-|-|-|");
  EXPECT_EQ(client("Praxium.Net", "OSLanguage") + client("Praxium.Net", "HomeDir") + client("Praxium.Net", "Lost") +
                client("Praxium.Net", "AlsoLost") + client("Other App", "UserDirType"),
            "1042|/srv/praxium|-|-|1|");

  const std::string damaged[] = {"", "[", "]", "[machine", "[machine ]\nx=1", std::string("\0\0[client a]\nk=\xff\xfe", 17), "\n\n\n=",
                                 "[client a]\nk=\xff\xfe"};
  for (const std::string& text : damaged) {
    MemoryValues d;
    ParseValuesFile(text, d);
    EXPECT_EQ(d.zelRegGetString("a", "k").value_or("-"), text.size() == 15 ? "\xff\xfe" : "-");
  }
}

TEST(ValuesFile, ReadOnceAndMissingOrOversizedGivesNoValues) {
  EXPECT_EQ((ScopedEnv("ZELSHEET_VALUES_FILE", ""), ValuesFilePath()), "/etc/zelsheet/values.conf");  // empty: the default
  testing::ScriptedPlatform p;  // only for its temporary folder
  const std::string path = p.TempRoot() + "/values.conf";
  auto language = [](internal::FileValues& v) { return v.zelRegGetString("Praxium.Net", "OSLanguage").value_or("-"); };
  internal::FileValues missing(path);
  std::string seen = language(missing);
  std::ofstream(path) << "[client Praxium.Net]\nOSLanguage=1042\n";
  internal::FileValues present(path), folder(p.TempRoot());  // a folder where the file should be
  seen += language(present) + language(folder);
  std::ofstream(path) << "[client Praxium.Net]\nOSLanguage=1\n" << std::string(internal::FileValues::kMaxValuesFileBytes, '#');
  internal::FileValues oversized(path);
  seen += language(present) + language(oversized);  // the first reading stays
  EXPECT_EQ(seen, "-1042-1042-");
}

class CountingBoxes : public MessageBoxes {
 public:
  MsgBoxResult MsgBox(const std::string& text, int32_t, const std::string&) override {
    texts.push_back(text);
    return vbNo;
  }
  std::vector<std::string> texts;
};

TEST(StandardPlatform, ReadsTheNamedValuesFileMakesItsFoldersAndTakesTheHostsBoxesAndMenus) {
  testing::ScriptedPlatform scratch;
  const std::string values = scratch.TempRoot() + "/values.conf", win = scratch.TempRoot() + "/win";
  std::ofstream(values) << "[machine " << kFont << "]\nName_1042=굴림\n[client Praxium.Net]\nOSLanguage=1042\n";
  ScopedEnv file("ZELSHEET_VALUES_FILE", values), window("ZELSHEET_WINDOW_DIR", win);
  StandardPlatform p(nullptr);
  EXPECT_EQ(p.Client().zelRegGetString("Praxium.Net", "OSLanguage").value_or("-") + p.Machine().Get(kFont, "Name_1042").value_or("-"),
            "1042굴림");
  EXPECT_TRUE(p.Folders().WindowDir() == win && std::filesystem::is_directory(win));

  // The default boxes (on standard error) answer the default button; the host's boxes
  // replace them everywhere, the headless tools' boxes included.
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(p.MsgBox("q?", vbYesNo | vbDefaultButton2, "T"), vbNo);
  ::testing::internal::GetCapturedStderr();
  auto boxes = std::make_unique<CountingBoxes>();
  CountingBoxes& seen = *boxes;
  p.SetMessageBoxes(std::move(boxes));
  std::string list = "errors", info3 = "list";
  p.MsgBox("q?", vbYesNo);
  p.Tools().ShowErrorMsg(list);
  EXPECT_EQ(seen.texts, (std::vector<std::string>{"q?", "errors"}));
  // Exports land under the window folder.
  GridTable table;
  table.titles = {"a"};
  table.rows = {{"1"}};
  EXPECT_EQ(p.Tools().SendToExcel(info3, table).path, win + "/Praxium.Net/Export/list.tsv");

  // Menus: dismissed without a host chooser; the chooser's answer only when it names an
  // entry that can be chosen.
  const std::vector<PopupMenuEntry> entries = {{"mnuCopy", "복사"}, {"mnuCut", "잘라내기", false}};
  std::string chosen = "[" + p.Menus().PopupMenu("mnuFunction", entries, 0, 0, 0, "") + "]";
  const char* answers[] = {"mnuCopy", "mnuCut", "nonsense"};
  int call = 0;
  p.SetMenuChooser([&](const std::string&, const std::vector<PopupMenuEntry>&, int32_t, double, double,
                       const std::string&) { return std::string(answers[call++]); });
  for (int i = 0; i < 3; ++i) chosen += "[" + p.Menus().PopupMenu("mnuFunction", entries, 0, 0, 0, "") + "]";
  EXPECT_EQ(chosen, "[][mnuCopy][][]");
}

}  // namespace
}  // namespace zel
