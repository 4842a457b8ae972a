#include "sheet/info_record.h"

#include <cmath>
#include <stdexcept>
#include <vector>

#include "platform/failure.h"
#include "text/number.h"
#include "text/strings.h"

namespace zel::internal {

namespace {
constexpr std::string_view kFieldSep = "~,";
constexpr std::string_view kDatePrefix = "DATE:";

// Field `n` (1-based) when it exists.
std::optional<std::string> FieldAt(const std::vector<std::string>& fields, int32_t n) {
  if (n < 1 || n > static_cast<int32_t>(fields.size())) return std::nullopt;
  return fields[static_cast<size_t>(n - 1)];
}
}  // namespace

InfoRecord SplitInfo(std::string_view info) {
  InfoRecord rec;
  // An empty record has no fields at all (not one empty field): nothing is taken from it.
  if (info.empty()) return rec;
  const std::vector<std::string> fields = text::Split(info, kFieldSep);
  const auto count = static_cast<int32_t>(fields.size());
  rec.field_count = count;

  rec.date_field = FieldAt(fields, 1);
  rec.pgm_id = FieldAt(fields, 2);
  rec.export_value = FieldAt(fields, 3);
  if (auto mode = FieldAt(fields, 4)) rec.load_mode = text::Trim(*mode);
  if (auto lang = FieldAt(fields, 5)) {
    // A language number beyond 16 bits cannot be taken; the field is skipped.
    SkipStep([&] { rec.language = text::CInt(text::Val(*lang)); });
  }
  rec.user_id = FieldAt(fields, count);
  rec.sheet_id = FieldAt(fields, count - 1);
  if (count >= 7) {
    rec.rights = FieldAt(fields, 6);
    rec.sheet_id = FieldAt(fields, 7);
  }
  return rec;
}

std::optional<std::string> DateStampOf(std::string_view dateField) {
  if (dateField.substr(0, kDatePrefix.size()) != kDatePrefix) return std::nullopt;
  return std::string(dateField.substr(kDatePrefix.size()));
}

bool RightsForbidCopy(std::string_view rights) { return text::MidView(rights, 8, 1) == "0"; }

}  // namespace zel::internal
