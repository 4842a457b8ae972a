#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "platform/internal/system_services.h"
#include "zelsheet/testing.h"

namespace zel {
namespace {

const char kFont[] = "SoftWare\\Quillbrooke\\Praxium.Net\\FONT";
const char kMessage[] = "SoftWare\\Quillbrooke\\Praxium.Net\\Message";

TEST(ValuesFile, ParsesMachineAndClientSections) {
  const std::string text =
      "# values of this machine\r\n"
      "orphan=before any section\n"
      "[machine SoftWare\\Quillbrooke\\Praxium.Net\\FONT]\n"
      "Name_1042=굴림\n"
      "  Name_0 = Tahoma  \r\n"
      "no equals sign here\n"
      "=blank name\n"
      "[machine SoftWare\\Quillbrooke\\Praxium.Net\\Message]\n"
      "SHEET_1=a~I~b=c~I~\n"
      "[client Praxium.Net]\n"
      "; comment\n"
      "OSLanguage=1042\n"
      "HomeDir=C:\\Praxium.Net\\\n"
      "HomeDir=/srv/praxium\n"
      "[nonsense kind]\n"
      "Lost=1\n"
      "[client]\n"
      "AlsoLost=1\n"
      "[client Other App]\n"
      "UserDirType=1";
  MemoryValues v;
  ParseValuesFile(text, v);
  EXPECT_EQ(v.Get(kFont, "Name_1042"), "굴림");
  EXPECT_EQ(v.Get(kFont, "Name_0"), " Tahoma  ");  // kept as written after "="
  EXPECT_EQ(v.Get("software\\quillbrooke\\praxium.net\\font", "NAME_1042"), "굴림");
  EXPECT_EQ(v.Get(kMessage, "SHEET_1"), "a~I~b=c~I~");
  EXPECT_EQ(v.Get(kFont, "SHEET_1"), std::nullopt);
  EXPECT_EQ(v.Get(kFont, "orphan"), std::nullopt);
  EXPECT_EQ(v.Get(kFont, "no equals sign here"), std::nullopt);
  EXPECT_EQ(v.zelRegGetString("Praxium.Net", "OSLanguage"), "1042");
  EXPECT_EQ(v.zelRegGetString("Praxium.Net", "HomeDir"), "/srv/praxium");  // last one wins
  EXPECT_EQ(v.zelRegGetString("Praxium.Net", "Lost"), std::nullopt);
  EXPECT_EQ(v.zelRegGetString("Praxium.Net", "AlsoLost"), std::nullopt);
  EXPECT_EQ(v.zelRegGetString("Other App", "UserDirType"), "1");
  // Machine and client values are kept apart even under the same names.
  EXPECT_EQ(v.Get("Praxium.Net", "OSLanguage"), std::nullopt);
}

TEST(ValuesFile, DamagedTextNeverFails) {
  const std::string inputs[] = {"", "[", "]", "[machine", "[machine ]\nx=1",
                                std::string("\0\0[client a]\nk=\xff\xfe", 17), "\n\n\n="};
  for (const std::string& text : inputs) {
    MemoryValues v;
    ParseValuesFile(text, v);
  }
  MemoryValues v;
  ParseValuesFile(std::string("[client a]\nk=\xff\xfe", 15), v);
  EXPECT_EQ(v.zelRegGetString("a", "k"), "\xff\xfe");
}

TEST(ValuesFile, PathComesFromTheEnvironmentOrTheSystemFolder) {
  ::unsetenv("ZELSHEET_VALUES_FILE");
  EXPECT_EQ(ValuesFilePath(), "/etc/zelsheet/values.conf");
  ::setenv("ZELSHEET_VALUES_FILE", "", 1);
  EXPECT_EQ(ValuesFilePath(), "/etc/zelsheet/values.conf");
  ::setenv("ZELSHEET_VALUES_FILE", "/tmp/x.conf", 1);
  EXPECT_EQ(ValuesFilePath(), "/tmp/x.conf");
  ::unsetenv("ZELSHEET_VALUES_FILE");
}

TEST(FileValues, ReadsTheFileOnceAndTreatsAMissingFileAsNoValues) {
  testing::ScriptedPlatform p;  // only for its temporary folder
  const std::string path = p.TempRoot() + "/values.conf";

  internal::FileValues missing(path);
  EXPECT_EQ(missing.zelRegGetString("Praxium.Net", "OSLanguage"), std::nullopt);

  std::ofstream(path) << "[client Praxium.Net]\nOSLanguage=1042\n";
  internal::FileValues present(path);
  EXPECT_EQ(present.zelRegGetString("Praxium.Net", "OSLanguage"), "1042");
  std::ofstream(path) << "[client Praxium.Net]\nOSLanguage=1\n";
  EXPECT_EQ(present.zelRegGetString("Praxium.Net", "OSLanguage"), "1042");  // read once

  // A folder where the file should be, or an oversized file, give no values either.
  internal::FileValues folder(p.TempRoot());
  EXPECT_EQ(folder.Get(kFont, "Name_0"), std::nullopt);
  {
    std::ofstream big(path);
    big << "[client Praxium.Net]\nOSLanguage=1\n";
    big << std::string(internal::FileValues::kMaxValuesFileBytes, '#');
  }
  internal::FileValues oversized(path);
  EXPECT_EQ(oversized.zelRegGetString("Praxium.Net", "OSLanguage"), std::nullopt);
}

}  // namespace
}  // namespace zel
