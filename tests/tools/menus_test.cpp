// The context menus: what a user sees in each (captions, switched-off entries, the check
// mark) and what choosing an entry does.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/sheet_fixture.h"
#include "zelsheet/zel_sheet.h"

namespace zel::testing {
namespace {

// "name=caption" per entry, with "(off)" for a disabled entry and "(v)" for a checked one.
std::string Shown(const std::vector<PopupMenuEntry>& entries) {
  std::string out;
  for (const PopupMenuEntry& e : entries) out += (out.empty() ? "" : " ") + e.name + "=" + e.caption + (e.enabled ? "" : "(off)") + (e.checked ? "(v)" : "");
  return out;
}

PropertyBag Info(const std::string& language, const std::string& rights) {
  return SheetFixture::Bag({{"Info", "20240101~,PGM001~,~,INIT~," + language + "~," + rights + "~,S1~,kim"}});
}

TEST(MenuTest, MenusShowBuiltInCaptionsInOrderAndEnglishOnlyWhenTheLanguagesDiffer) {
  SheetFixture f;
  EXPECT_EQ(Shown(f.sheet.MenuEntries("mnuEdit")),
            "mnuInsert=Line삽입 mnuLine2=- mnuNew=Sheet신규표시 mnuUpdate=Sheet수정표시 mnuDelete=Sheet삭제표시 "
            "mnuCancel=Sheet취소표시 mnuLine3=- mnuCopyPaste=행복사/붙여넣기 mnuSeparate=행분할...");
  EXPECT_TRUE(f.sheet.MenuEntries("mnuNothing").empty());

  // The sheet's language is 2; the client's differs (1042) or not.
  auto menus = [](const char* osLanguage) {
    ScriptedPlatform platform;
    platform.SetClientValue("Praxium.Net", "OSLanguage", osLanguage);
    ZelSheet sheet(platform);
    sheet.ReadProperties(Info("2", "11111111"));
    sheet.SetMenuCaption();
    return Shown(sheet.MenuEntries("mnuSheet")) + " | " + Shown(sheet.MenuEntries("mnuEdit"));
  };
  EXPECT_NE(menus("2").find("mnuColsFrozen=열 고정..."), std::string::npos);
  const std::string english = menus("1042");
  // The frozen entries' English captions are crossed; entries without one keep theirs.
  EXPECT_NE(english.find("mnuColsFrozen=fix rows mnuRowsFrozen=fix columns"), std::string::npos);
  EXPECT_NE(english.find("mnuSheetFind=Find mnuSheetFilter=Filter mnuColMerge=Col Merge"), std::string::npos);
  EXPECT_EQ(english.substr(english.find(" | ")),
            " | mnuInsert=insert a new line mnuLine2=- mnuNew=represent A mnuUpdate=represent U mnuDelete=represent x "
            "mnuCancel=represent v mnuLine3=- mnuCopyPaste=row copy mnuSeparate=seperate row");
}

TEST(MenuTest, RightsAndLocksSwitchEntriesOffAndAChosenEntryRuns) {
  SheetFixture f(Info("1", "11111110"));  // eighth character "0": no copying out
  ZelSheet& sheet = f.sheet;
  sheet.IsCopyPasteLock(true);
  EXPECT_EQ(Shown(sheet.MenuEntries("mnuFunction")),
            "mnuSheetSumNAvg=합계/평균구하기... mnuLine7=- mnuCut=잘라내기 mnuCopy=복사(off) mnuPaste=붙여넣기");
  EXPECT_EQ(Shown({sheet.MenuEntries("mnuSheet")[0], sheet.MenuEntries("mnuEdit")[7]}),
            "mnuSendToExcel=Excel로 보내기(off) mnuCopyPaste=행복사/붙여넣기(off)");
  sheet.IsEditModeLock(true);
  EXPECT_EQ(Shown({sheet.MenuEntries("mnuFunction")[2]}), "mnuCut=잘라내기(off)");

  // A chosen entry runs through the platform's pop-up service; the data-add entry flips and
  // is checked. A dismissed menu runs nothing.
  f.platform.QueueMenuChoice("mnuDataAdd");
  sheet.PopupMenu("mnuSheet", 0, 100, 200);
  sheet.PopupMenu("mnuSheet");
  ASSERT_EQ(f.platform.MenusShown().size(), 2u);
  EXPECT_EQ(f.platform.MenusShown()[0].x, 100);
  EXPECT_TRUE(sheet.IsDataAdd());
  EXPECT_TRUE(sheet.MenuEntries("mnuSheet")[16].checked);
}

}  // namespace
}  // namespace zel::testing
