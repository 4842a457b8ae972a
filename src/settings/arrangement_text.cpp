#include "settings/internal/arrangement_text.h"

#include <charconv>
#include <cmath>

#include "text/strings.h"

namespace zel::internal {

std::vector<std::string_view> ListItems(std::string_view list, size_t limit) {
  std::vector<std::string_view> items;
  size_t start = 0;
  while (items.size() < limit) {
    const size_t comma = list.find(',', start);
    items.push_back(list.substr(start, comma == std::string_view::npos ? list.npos : comma - start));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return items;
}

std::optional<double> StoredNumber(std::string_view text) {
  const std::string_view t = text::TrimView(text);
  if (t.empty()) return std::nullopt;
  double v = 0;
  const char* end = t.data() + t.size();
  const auto [ptr, ec] = std::from_chars(t.data(), end, v);
  if (ec != std::errc() || ptr != end || !std::isfinite(v)) return std::nullopt;
  return v;
}

std::optional<int32_t> StoredInt(std::string_view text) {
  const std::optional<double> v = StoredNumber(text);
  if (!v) return std::nullopt;
  const double r = std::nearbyint(*v);
  if (r < INT32_MIN || r > INT32_MAX) return std::nullopt;
  return static_cast<int32_t>(r);
}

std::optional<std::vector<int32_t>> ColumnOrder(std::string_view serial, int32_t columns) {
  if (columns < 1) return std::nullopt;
  const std::vector<std::string_view> items = ListItems(serial, static_cast<size_t>(columns) + 1);
  if (items.size() != static_cast<size_t>(columns)) return std::nullopt;
  std::vector<int32_t> order;
  std::vector<bool> seen(static_cast<size_t>(columns) + 1, false);
  order.reserve(items.size());
  for (std::string_view item : items) {
    const std::optional<int32_t> def = StoredInt(item);
    if (!def || *def < 1 || *def > columns || seen[static_cast<size_t>(*def)]) return std::nullopt;
    seen[static_cast<size_t>(*def)] = true;
    order.push_back(*def);
  }
  return order;
}

std::array<int32_t, 4> ParsePoint(std::string_view point) {
  std::array<int32_t, 4> out{1, 1, 1, 1};
  size_t start = 0;
  for (int32_t& v : out) {
    if (start > point.size()) break;
    const size_t bar = point.find('|', start);
    const std::string_view item =
        point.substr(start, bar == std::string_view::npos ? point.npos : bar - start);
    if (const std::optional<int32_t> n = StoredInt(item); n && *n > 0) v = *n;
    start = bar == std::string_view::npos ? point.size() + 1 : bar + 1;
  }
  return out;
}

std::string LayoutStamp(std::string_view bytes) {
  // FNV-1a: the stamp only has to tell one layout file from another, not resist forgery.
  uint64_t h = 0xcbf29ce484222325ull;
  for (unsigned char b : bytes) {
    h ^= b;
    h *= 0x100000001b3ull;
  }
  char hex[17];
  const auto [end, ec] = std::to_chars(hex, hex + sizeof hex, h, 16);
  (void)ec;
  return std::to_string(bytes.size()) + "-" + std::string(hex, end);
}

}  // namespace zel::internal
