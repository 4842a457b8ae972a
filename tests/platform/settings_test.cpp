#include "platform/settings_contract.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

TEST(MemorySettingsStore, KeepsTheStoreContract) {
  MemorySettingsStore store;
  testing_support::CheckSettingsContract(store);
}

TEST(MemorySettingsStore, EntriesListsWhatIsStoredSorted) {
  MemorySettingsStore store;
  store.SaveSetting("b", "s", "k", "2");
  store.SaveSetting("A", "s", "k", "1");
  store.SaveSetting("a", "S", "K", "1b");  // same key as the line above
  const std::vector<MemorySettingsStore::Entry> expected = {{"A", "s", "k", "1b"},
                                                            {"b", "s", "k", "2"}};
  EXPECT_EQ(store.Entries(), expected);
}

}  // namespace
}  // namespace zel
