// The texts of the stored arrangement, read back defensively: the settings section is
// written by this sheet, by the configuration dialog and by older clients, and may be
// damaged. Nothing here fails: what cannot be read is reported as absent and the caller
// keeps its default.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zel::internal {

// The items of a stored list ("Serial", "Width", "Hidden": items joined by ","), at most
// `limit` of them: a list longer than the sheet's columns addresses nothing more.
std::vector<std::string_view> ListItems(std::string_view list, size_t limit);

// A stored number: the whole text (blanks around it allowed) as a decimal number; nothing
// for "", "abc" or "12x".
std::optional<double> StoredNumber(std::string_view text);
// The same, rounded to a whole number inside 32 bits; nothing when it does not fit.
std::optional<int32_t> StoredInt(std::string_view text);

// "Serial" as an order of definition numbers: exactly `columns` items, each a number from 1
// to `columns`, none twice. Nothing when the text is not such an order, so a damaged list
// never gives two columns the same identity.
std::optional<std::vector<int32_t>> ColumnOrder(std::string_view serial, int32_t columns);

// "Point" (ActiveCol|ActiveRow|TopRow|LeftCol): four numbers, each 1 when missing,
// unreadable, 0 or less.
std::array<int32_t, 4> ParsePoint(std::string_view point);

// The stamp that ties a layout file to the settings that describe it: the byte count and a
// 64-bit hash of the bytes ("1234-9f3c...").
std::string LayoutStamp(std::string_view bytes);

}  // namespace zel::internal
