#include "zelsheet/object_safety.h"

#include <optional>

namespace zel {

namespace {

bool SameIid(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto up = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; };
    if (up(a[i]) != up(b[i])) return false;
  }
  return true;
}

// The option the sheet has enabled for `riid`, or nothing for an interface it does not know.
std::optional<int32_t> EnabledOptionOf(std::string_view riid) {
  if (SameIid(riid, kIidDispatch)) return kSafeForScripting;
  if (SameIid(riid, kIidPersistStorage) || SameIid(riid, kIidPersistStream) ||
      SameIid(riid, kIidPersistPropertyBag)) {
    return kSafeForInitialization;
  }
  return std::nullopt;
}

}  // namespace

int32_t QueryInterfaceSafety(std::string_view riid, int32_t& supportedOptions,
                             int32_t& enabledOptions) {
  supportedOptions = kSafeForScripting | kSafeForInitialization;
  const auto enabled = EnabledOptionOf(riid);
  enabledOptions = enabled.value_or(0);
  return enabled ? kSafetyOk : kSafetyNoInterface;
}

int32_t RequestInterfaceSafety(std::string_view riid, int32_t optionSetMask,
                               int32_t enabledOptions) {
  const auto enabled = EnabledOptionOf(riid);
  if (!enabled) return kSafetyNoInterface;
  return (optionSetMask & enabledOptions) == *enabled ? kSafetyOk : kSafetyFail;
}

}  // namespace zel
