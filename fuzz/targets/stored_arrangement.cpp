// Opening a screen on any stored arrangement: the sheet's settings section and the shared
// section "SHEET" hold whatever another client, the configuration dialog or a damaged store
// left there. Any values open the screen, restore what they can, take the user's changes
// and close it (SaveTitleInfo, then the close-time save) without a crash; the screen then
// opens again on what it wrote.
//
// Input: "key=value" lines for the sheet's section (PGM001\S1); a line starting with "*"
// goes to the shared section instead. The first line chooses the load mode: "save" opens a
// screen that is not fresh (stored combo lists come back), anything else a fresh one.
#include <cstdint>
#include <string>
#include <string_view>

#include "zelsheet/platform.h"
#include "zelsheet/property_bag.h"
#include "zelsheet/testing.h"
#include "zelsheet/zel_sheet.h"

namespace {

constexpr const char* kSection = "PGM001\\S1";

void OpenAndClose(zel::testing::ScriptedPlatform& platform, const std::string& mode) {
  zel::ZelSheet sheet(platform);
  zel::PropertyBag bag;
  bag.WriteProperty("Info", "~,PGM001~,~," + mode + "~,0~,~,S1~,kim");
  sheet.ReadProperties(bag);
  const bool restored = sheet.SheetInit(4, "d");
  if (!restored) sheet.MaxCols(4);
  sheet.AddItem("Code", "Code", zel::EnText, 0, 10, 0, "KEY");
  sheet.AddItem("Kind", "Kind", zel::EnCombo, 0, 1, 0, "", "",
                "Buyer" + std::string(10, ' ') + "1\tSeller" + std::string(10, ' ') + "2\t");
  sheet.AddItem("Day", "Day", zel::EnDate);
  sheet.AddItem("Sys", "Sys", zel::EnText, 0, 0, 0, "SHID");
  sheet.Display("C1~,1~,20240131~,x~,~I~C2~,2~,~,y~,~I~");
  sheet.sbSetSheetInfo();
  sheet.GetSheet().ColWidth(1, 30);
  sheet.ColsFrozen(2);
  sheet.mnuSheetColor_Click();
  sheet.SaveTitleInfo();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view lines(reinterpret_cast<const char*>(data), size);
  zel::testing::ScriptedPlatform platform;
  zel::SettingsStore& store = platform.Settings();
  std::string mode = "INIT";
  for (bool first = true; !lines.empty(); first = false) {
    const size_t end = lines.find('\n');
    std::string_view line = lines.substr(0, end);
    lines = end == std::string_view::npos ? std::string_view() : lines.substr(end + 1);
    if (first && line == "save") {
      mode = "SAVE";
      continue;
    }
    const char* section = kSection;
    if (!line.empty() && line.front() == '*') {
      section = "SHEET";
      line.remove_prefix(1);
    }
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos || eq == 0) continue;
    store.SaveSetting("Praxium.Net", section, std::string(line.substr(0, eq)),
                      std::string(line.substr(eq + 1)));
  }
  OpenAndClose(platform, mode);
  OpenAndClose(platform, mode);
  return 0;
}
