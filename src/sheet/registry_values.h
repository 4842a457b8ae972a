// Reading the machine-wide values (what the registry held under HKEY_LOCAL_MACHINE) and the
// client values of the maker's registry library, with the defaults and clean-up the sheet
// applies to both.
#pragma once

#include <string>

#include "zelsheet/platform.h"

namespace zel::internal {

// The application every machine value, client value and setting of the sheet lives under.
inline constexpr const char* kApplication = "Praxium.Net";
// The machine key path of an application: "SoftWare\Quillbrooke\" + application.
std::string MachineKeyPath(const std::string& application);

// The machine value `name` under "SoftWare\Quillbrooke\" + `application`, cut at its first
// NUL; `defaultValue` when it is absent or blank. ("Praxium.Net\FONT", "Name_1042").
std::string ReadMachineValue(MachineValues& values, const std::string& application,
                             const std::string& name, const std::string& defaultValue);

// The client value `key` of `application` ("" means "Praxium.Net"), at most 254 characters,
// trimmed and freed of NUL characters; `defaultValue` when absent.
std::string ReadClientValue(ClientValues& values, const std::string& application,
                            const std::string& key, const std::string& defaultValue);

}  // namespace zel::internal
