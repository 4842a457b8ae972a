// A screen's test on the scripted platform: the user answers the save question.
#include <cstdio>

#include "zelsheet/testing.h"
#include "zelsheet/zel_sheet.h"

int main() {
  zel::testing::ScriptedPlatform platform;
  zel::ZelSheet sheet(platform);
  sheet.ReadProperties(zel::PropertyBag{});
  sheet.AddItem("CODE", "Code", zel::EnText);
  sheet.Display("C001~,~I~");
  sheet.TrackRowEdit(1);
  platform.QueueAnswer(zel::vbYes);
  if (!sheet.IsChangedSave() || platform.Boxes().size() != 1) {
    std::fputs("testing_host: the save question was not asked\n", stderr);
    return 1;
  }
  return 0;
}
