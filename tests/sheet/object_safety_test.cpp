// The scripting-safety answers a host gets for each interface it asks about.
#include "zelsheet/object_safety.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

TEST(ObjectSafetyTest, EachInterfaceHasOneOptionEnabledThatAloneCanBeSet) {
  const std::tuple<std::string_view, int32_t, int32_t> cases[] = {
      {kIidDispatch, kSafetyOk, kSafeForScripting},
      {"{00020400-0000-0000-c000-000000000046}", kSafetyOk, kSafeForScripting},  // case ignored
      {kIidPersistStorage, kSafetyOk, kSafeForInitialization},
      {kIidPersistPropertyBag, kSafetyOk, kSafeForInitialization},
      {"{00000000-0000-0000-C000-000000000046}", kSafetyNoInterface, 0},
      {"", kSafetyNoInterface, 0},
  };
  for (const auto& [iid, result, enabled] : cases) {
    int32_t supported = -1, got = -1;
    EXPECT_EQ(QueryInterfaceSafety(iid, supported, got), result) << iid;
    EXPECT_EQ(supported * 100 + got, (kSafeForScripting | kSafeForInitialization) * 100 + enabled) << iid;
  }
  // Only the enabled option can be set.
  const std::tuple<std::string_view, int32_t, int32_t, int32_t> requests[] = {
      {kIidDispatch, 1, 1, kSafetyOk},
      {kIidDispatch, 3, 1, kSafetyOk},    // the mask keeps only option 1
      {kIidDispatch, 3, 3, kSafetyFail},  // both options: more than is enabled
      {kIidDispatch, 1, 0, kSafetyFail},  // switching it off is refused
      {kIidDispatch, 2, 2, kSafetyFail},  // the other interface's option
      {kIidPersistPropertyBag, 2, 2, kSafetyOk},
      {kIidPersistStream, 1, 1, kSafetyFail},
      {"IDispatch", 1, 1, kSafetyNoInterface},
  };
  for (const auto& [iid, mask, options, result] : requests) {
    EXPECT_EQ(RequestInterfaceSafety(iid, mask, options), result) << iid << " " << mask << " " << options;
  }
}

}  // namespace
}  // namespace zel
