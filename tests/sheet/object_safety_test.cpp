// The scripting-safety answers a host gets for each interface it asks about.
#include "zelsheet/object_safety.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

TEST(ObjectSafetyTest, QueryReportsTheEnabledOptionPerInterface) {
  struct Case {
    std::string_view iid;
    int32_t result;
    int32_t enabled;
  };
  const Case cases[] = {
      {kIidDispatch, kSafetyOk, kSafeForScripting},
      {"{00020400-0000-0000-c000-000000000046}", kSafetyOk, kSafeForScripting},
      {kIidPersistStorage, kSafetyOk, kSafeForInitialization},
      {kIidPersistStream, kSafetyOk, kSafeForInitialization},
      {kIidPersistPropertyBag, kSafetyOk, kSafeForInitialization},
      {"{00000000-0000-0000-C000-000000000046}", kSafetyNoInterface, 0},
      {"", kSafetyNoInterface, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.iid);
    int32_t supported = -1;
    int32_t enabled = -1;
    EXPECT_EQ(QueryInterfaceSafety(c.iid, supported, enabled), c.result);
    EXPECT_EQ(supported, kSafeForScripting | kSafeForInitialization);
    EXPECT_EQ(enabled, c.enabled);
  }
}

TEST(ObjectSafetyTest, OnlyTheEnabledOptionCanBeSet) {
  struct Case {
    std::string_view iid;
    int32_t mask;
    int32_t options;
    int32_t result;
  };
  const Case cases[] = {
      {kIidDispatch, 1, 1, kSafetyOk},
      {kIidDispatch, 3, 1, kSafetyOk},    // the mask keeps only option 1
      {kIidDispatch, 3, 3, kSafetyFail},  // both options: more than is enabled
      {kIidDispatch, 1, 0, kSafetyFail},  // switching it off is refused
      {kIidDispatch, 2, 2, kSafetyFail},  // the other interface's option
      {kIidPersistPropertyBag, 2, 2, kSafetyOk},
      {kIidPersistStream, 1, 1, kSafetyFail},
      {"{37d84f60-42cb-11ce-8135-00aa004bb851}", 2, 2, kSafetyOk},
      {"IDispatch", 1, 1, kSafetyNoInterface},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.iid << " mask " << c.mask << " options " << c.options);
    EXPECT_EQ(RequestInterfaceSafety(c.iid, c.mask, c.options), c.result);
  }
}

}  // namespace
}  // namespace zel
