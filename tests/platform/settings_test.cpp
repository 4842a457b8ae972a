#include "platform/settings_contract.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

TEST(MemorySettingsStore, KeepsTheStoreContract) {
  MemorySettingsStore store;
  testing_support::CheckSettingsContract(store);
}

}  // namespace
}  // namespace zel
