#include "zelsheet/property_bag.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

// Names ignore case; a missing name gives the default, an empty value does not.
TEST(PropertyBagTest, NamesIgnoreCaseAndMissingNamesGiveTheDefault) {
  PropertyBag bag;
  bag.WriteProperty("SheetID", "S1");
  bag.WriteProperty("SHEETID", "S2");  // the same property, replaced
  bag.WriteProperty("Info", "");
  EXPECT_EQ(bag.ReadProperty("sheetid", "x") + bag.ReadProperty("Info", "x") + bag.ReadProperty("Missing", "x") +
                bag.ReadProperty("Missing"),
            "S2x");
  EXPECT_EQ(bag.Count() * 100 + bag.Contains("sheetID") * 10 + bag.Contains("SheetI"), 210u);
}

}  // namespace
}  // namespace zel
