#include "text/data_shapes.h"

#include <stdexcept>
#include <string>

#include "text/data_string.h"
#include "text/strings.h"

namespace zel::internal {

std::string_view Section(std::string_view text, std::string_view separator, size_t index) {
  size_t begin = 0;
  for (size_t i = 0; i < index; ++i) {
    const size_t q = text.find(separator, begin);
    if (q == std::string_view::npos) return {};
    begin = q + separator.size();
  }
  const size_t end = text.find(separator, begin);
  return text.substr(begin, end == std::string_view::npos ? std::string_view::npos : end - begin);
}

std::string_view Line(std::string_view section, size_t index) {
  return Section(section, kRowSeparator, index);
}

std::string_view AfterFirstLine(std::string_view section) {
  const size_t q = section.find(kRowSeparator);
  return q == std::string_view::npos ? std::string_view() : section.substr(q + kRowSeparator.size());
}

QueryText ReadQueryText(std::string_view text, bool record_set) {
  const std::string_view separator = record_set ? kRecordSetSectionSeparator : kQuerySectionSeparator;
  QueryText q;
  const std::string_view header = Section(text, separator, 0);
  const std::string_view data = Section(text, separator, 1);
  q.codes = SplitElements(Line(header, 1));
  q.names = SplitElements(Line(data, 0));
  q.rows = AfterFirstLine(data);
  q.data_separators = CountDataRows(data);
  return q;
}

MatrixText ReadMatrixText(std::string_view text) {
  return {Section(text, kMatrixSectionSeparator, 0), Section(text, kMatrixSectionSeparator, 1),
          Section(text, kMatrixSectionSeparator, 2)};
}

std::optional<Color> FixedColorField(std::string_view field) {
  field = text::TrimView(field);
  if (field.empty()) return std::nullopt;
  // Positions count characters; a field of digits and separators is ASCII, so any other
  // byte at a number's place is refused below.
  if (field.size() < 11) {
    throw std::invalid_argument("colour field \"" + std::string(field) + "\" is too short");
  }
  int parts[3];
  for (int i = 0; i < 3; ++i) {
    int v = 0;
    for (size_t j = 0; j < 3; ++j) {
      const char c = field[static_cast<size_t>(i) * 4 + j];
      if (c < '0' || c > '9') {
        throw std::invalid_argument("colour field \"" + std::string(field) + "\" is not three numbers");
      }
      v = v * 10 + (c - '0');
    }
    if (v > 255) v = 255;  // a colour part takes no more than 255
    parts[i] = v;
  }
  return Rgb(parts[0], parts[1], parts[2]);
}

}  // namespace zel::internal
