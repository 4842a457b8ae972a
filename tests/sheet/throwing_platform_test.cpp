// A host platform whose every service throws, with something that is not a standard
// exception among the things thrown: no member may let that end the process. The members
// that catch end as their failure style says (no exception out of them); the members that
// let failures through hand the host exactly what its platform threw.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <utility>

#include "zelsheet/platform.h"
#include "zelsheet/property_bag.h"
#include "zelsheet/zel_sheet.h"

namespace zel {
namespace {

template <class Thrown>
class ThrowingPlatform : public Platform {
 public:
  explicit ThrowingPlatform(Thrown thrown) : thrown_(std::move(thrown)) {}

  MessageBoxes& Messages() override { throw thrown_; }
  Clipboard& Clip() override { throw thrown_; }
  KeyQueue& Keys() override { throw thrown_; }
  MousePointers& Mouse() override { throw thrown_; }
  SettingsStore& Settings() override { throw thrown_; }
  MachineValues& Machine() override { throw thrown_; }
  ClientValues& Client() override { throw thrown_; }
  FolderService& Folders() override { throw thrown_; }
  ShellLauncher& Shell() override { throw thrown_; }
  Clock& Time() override { throw thrown_; }
  CompanionTools& Tools() override { throw thrown_; }
  PopupMenus& Menus() override { throw thrown_; }

 private:
  Thrown thrown_;
};

template <class Thrown>
class ThrowingPlatformTest : public ::testing::Test {};

// A C string and a std::string are not standard exceptions; a runtime_error is.
using ThrownKinds = ::testing::Types<const char*, std::string, std::runtime_error>;
TYPED_TEST_SUITE(ThrowingPlatformTest, ThrownKinds);

TYPED_TEST(ThrowingPlatformTest, NoMemberEndsTheProcess) {
  ThrowingPlatform<TypeParam> platform(TypeParam("host failure"));
  {
    ZelSheet sheet(platform);
    // Loading reads settings, machine and client values, the message table and pointers.
    EXPECT_NO_THROW(sheet.ReadProperties(PropertyBag{}));
    EXPECT_EQ(sheet.MaxCols(), 50);  // the sheet is built although every read failed

    // A declaration whose model writes fail shows a box for each: the boxes fail too.
    int32_t col = 60;
    EXPECT_NO_THROW(sheet.AddItem("F", "Field", EnDate, col, 8, 0, "", "", "", 9, 9, 0, true));
    int32_t first = 0;
    EXPECT_NO_THROW(sheet.AddItem("D", "Date", EnDate, first));
    EXPECT_TRUE(sheet.Display("20240105~,~I~20240106~,~I~"));  // the pointer shape fails
    EXPECT_EQ(sheet.GetSheet().DataRowCnt(), 2);

    // Today comes from the platform's clock when a date cell is checked.
    sheet.GetSheet().SetText(1, 1, "5");
    sheet.TrackCellChange(1, 1, 1);
    EXPECT_NO_THROW(sheet.CheckDateInput(1, 1, EnDate));

    // Save results: failed rows end in a summary box, a malformed answer in a fault box.
    // Rows 1 (edited above) and 2 are pending; row 1 meets the header and fails too.
    sheet.GetSheet().SetText(0, 2, "U");
    EXPECT_FALSE(sheet.MessageCheckSave("WorkingTag~,~,~I~NO~,bad~,", "65535", "Save"));
    EXPECT_EQ(sheet.ErrorCount(), 2);
    sheet.GetSheet().SetText(0, 2, "U");
    EXPECT_FALSE(sheet.MessageCheckSaveSheet("garbage"));
    EXPECT_NO_THROW(sheet.ErrorLogShow());  // the companion tools fail

    // The members without a failure style of their own let the host's failure through.
    EXPECT_THROW(sheet.MousePointer(11), TypeParam);
    EXPECT_THROW(sheet.IsChangedSave(), TypeParam);
    EXPECT_THROW(sheet.ErrorMsgShow(), TypeParam);
  }  // destruction stores the arrangement and resets the pointers: both fail, both skipped
}

}  // namespace
}  // namespace zel
