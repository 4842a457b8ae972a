// The name rule every settings and values store follows (the in-memory ones here and the
// SQLite store): application, section, key and value names match without regard to ASCII
// letter case, as registry names do. Bytes outside ASCII compare exactly, so Hangul names
// match only when written the same way.
#pragma once

#include <string>
#include <string_view>

#include "text/strings.h"

namespace zel::internal {

inline bool SameName(std::string_view a, std::string_view b) { return text::EqualsNoCase(a, b); }

}  // namespace zel::internal
