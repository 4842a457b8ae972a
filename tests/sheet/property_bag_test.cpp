#include "zelsheet/property_bag.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

TEST(PropertyBagTest, NamesIgnoreCaseAndMissingNamesGiveTheDefault) {
  PropertyBag bag;
  EXPECT_EQ(bag.ReadProperty("SheetID", "SS"), "SS");
  EXPECT_EQ(bag.ReadProperty("SheetID"), "");
  bag.WriteProperty("SheetID", "S1");
  bag.WriteProperty("COLOR_BACKCOLOR", "255");
  EXPECT_EQ(bag.ReadProperty("sheetid", "SS"), "S1");
  EXPECT_EQ(bag.ReadProperty("Color_BackColor", "0"), "255");
  bag.WriteProperty("SHEETID", "S2");  // the same property, replaced
  EXPECT_EQ(bag.Count(), 2u);
  EXPECT_EQ(bag.ReadProperty("SheetID", "SS"), "S2");
  EXPECT_TRUE(bag.Contains("sheetID"));
  EXPECT_FALSE(bag.Contains("SheetI"));
  // An empty value is a value, not a missing property.
  bag.WriteProperty("Info", "");
  EXPECT_EQ(bag.ReadProperty("Info", "x"), "");
}

}  // namespace
}  // namespace zel
