// Safety for scripting hosts: the sheet's answers to a host that asks whether the component
// may be scripted and initialised from untrusted data.
//
// Interfaces are named by their identifier text ("{00020400-0000-0000-C000-000000000046}",
// any letter case). The sheet supports both options and has both enabled from the start:
// the dispatch interface is safe for scripting; the storage, stream and property-bag
// persistence interfaces are safe for initialisation. Results are the usual status codes.
#pragma once

#include <cstdint>
#include <string_view>

namespace zel {

// Option bits.
inline constexpr int32_t kSafeForScripting = 1;       // safe for untrusted callers
inline constexpr int32_t kSafeForInitialization = 2;  // safe for untrusted data

// Status codes of the two calls.
inline constexpr int32_t kSafetyOk = 0;                                          // S_OK
inline constexpr int32_t kSafetyFail = static_cast<int32_t>(0x80004005u);        // E_FAIL
inline constexpr int32_t kSafetyNoInterface = static_cast<int32_t>(0x80004002u); // E_NOINTERFACE

// Interface identifiers the sheet answers for.
inline constexpr std::string_view kIidDispatch = "{00020400-0000-0000-C000-000000000046}";
inline constexpr std::string_view kIidPersistStorage = "{0000010A-0000-0000-C000-000000000046}";
inline constexpr std::string_view kIidPersistStream = "{00000109-0000-0000-C000-000000000046}";
inline constexpr std::string_view kIidPersistPropertyBag =
    "{37D84F60-42CB-11CE-8135-00AA004BB851}";

// Reports the options supported (both) and enabled for interface `riid`. Returns kSafetyOk,
// or kSafetyNoInterface for an interface the sheet does not answer for (then
// `supportedOptions` is still set and `enabledOptions` is 0).
int32_t QueryInterfaceSafety(std::string_view riid, int32_t& supportedOptions,
                             int32_t& enabledOptions);

// A request to set the options of `riid`: succeeds (kSafetyOk) when the options it sets,
// `enabledOptions` within `optionSetMask`, are exactly the one enabled for that interface;
// any other request gives kSafetyFail; an unknown interface kSafetyNoInterface. The sheet's
// options never change.
int32_t RequestInterfaceSafety(std::string_view riid, int32_t optionSetMask,
                               int32_t enabledOptions);

}  // namespace zel
