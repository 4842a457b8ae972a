// The host helpers' data string and save text: a writer that refuses values which would
// break a row, and readers that hand out rows and tagged lines. The grammars are written
// down in exchange/data_string.h and save_params.cpp; the readers split exactly as the
// sheet's own readers do, so a host sees the rows the sheet sees.
#include <charconv>
#include <string>
#include <string_view>
#include <vector>

#include "text/data_string.h"
#include "text/number.h"
#include "zelsheet/host_helpers.h"

namespace zel {
namespace {

using internal::kFieldSeparator;
using internal::kRowSeparator;

// A value shown in an error message: cut after 40 bytes on a character boundary, so a long
// text does not flood the message.
std::string Quoted(std::string_view value) {
  constexpr size_t kShown = 40;
  if (value.size() <= kShown) return "\"" + std::string(value) + "\"";
  size_t cut = kShown;
  while (cut > 0 && (static_cast<unsigned char>(value[cut]) & 0xC0) == 0x80) --cut;
  return "\"" + std::string(value.substr(0, cut)) + "...\"";
}

// The fields of one row piece: its "~,"-terminated fields, then the text after the last
// "~," when that is not empty.
std::vector<std::string> RowFields(std::string_view piece) {
  std::vector<std::string> fields;
  for (std::string_view element : internal::SplitElements(piece)) fields.emplace_back(element);
  if (!fields.empty() && fields.back().empty()) fields.pop_back();
  return fields;
}

SaveTag TagOf(std::string_view tag, size_t lineNo) {
  if (tag.empty()) return SaveTag::Unchanged;
  if (tag == "A") return SaveTag::Added;
  if (tag == "U") return SaveTag::Updated;
  if (tag == "D") return SaveTag::Deleted;
  throw WireTextError("save text line " + std::to_string(lineNo) + ": unknown tag " + Quoted(tag) +
                      " (expected \"A\", \"U\", \"D\" or empty)");
}

}  // namespace

std::string_view FieldBreaker(std::string_view value) noexcept {
  for (size_t q = value.find('~'); q != std::string_view::npos; q = value.find('~', q + 1)) {
    if (q + 1 == value.size()) break;
    if (value[q + 1] == ',') return kFieldSeparator;
    if (value[q + 1] == 'I' && (q + 2 == value.size() || value[q + 2] == '~')) {
      return kRowSeparator;
    }
  }
  return {};
}

DataStringWriter& DataStringWriter::Field(std::string_view value) {
  // Most fields hold no '~' at all: one scan decides.
  if (value.find('~') != std::string_view::npos) {
    const std::string_view breaker = FieldBreaker(value);
    if (!breaker.empty()) {
      throw WireTextError("data string row " + std::to_string(rows_ + 1) + ", field " +
                          std::to_string(field_ + 1) + ": the value " + Quoted(value) +
                          " holds the separator \"" + std::string(breaker) +
                          "\" and would break its row");
    }
  }
  text_.append(value);
  text_.append(kFieldSeparator);
  ++field_;
  return *this;
}

DataStringWriter& DataStringWriter::Integer(int64_t value) {
  char buf[24];
  const auto end = std::to_chars(buf, buf + sizeof buf, value).ptr;
  text_.append(buf, end);
  text_.append(kFieldSeparator);
  ++field_;
  return *this;
}

DataStringWriter& DataStringWriter::Number(double value) {
  text_.append(text::NumberToText(value));
  text_.append(kFieldSeparator);
  ++field_;
  return *this;
}

DataStringWriter& DataStringWriter::EndRow() {
  text_.append(kRowSeparator);
  ++rows_;
  field_ = 0;
  return *this;
}

std::string DataStringWriter::Take() {
  std::string out = std::move(text_);
  text_.clear();
  rows_ = 0;
  field_ = 0;
  return out;
}

std::vector<std::vector<std::string>> ReadDataString(std::string_view data) {
  std::vector<std::vector<std::string>> rows;
  size_t begin = 0;
  for (size_t end = data.find(kRowSeparator); end != std::string_view::npos;
       end = data.find(kRowSeparator, begin)) {
    rows.push_back(RowFields(data.substr(begin, end - begin)));
    begin = end + kRowSeparator.size();
  }
  return rows;
}

int32_t SaveParams::FieldIndex(std::string_view name) const {
  for (size_t i = 0; i < field_names.size(); ++i) {
    if (field_names[i] == name) return static_cast<int32_t>(i);
  }
  return -1;
}

SaveParams ReadSaveParams(std::string_view text) {
  SaveParams params;
  if (text.empty()) return params;
  std::vector<std::string_view> pieces;
  size_t begin = 0;
  for (size_t end = text.find(kRowSeparator); end != std::string_view::npos;
       end = text.find(kRowSeparator, begin)) {
    pieces.push_back(text.substr(begin, end - begin));
    begin = end + kRowSeparator.size();
  }
  if (begin != text.size()) {
    throw WireTextError("save text: " + Quoted(text.substr(begin)) +
                        " follows the last \"~I~\" (a line without its end)");
  }
  if (pieces.size() < 2) {
    throw WireTextError("save text: no header line after the info line");
  }
  params.info = std::string(pieces[0]);

  // The header: "WorkingTag", the empty name of the row number, then the field names.
  std::vector<std::string_view> header = internal::SplitElements(pieces[1]);
  if (header.size() < 3 || header[0] != "WorkingTag" || !header.back().empty()) {
    throw WireTextError(
        "save text: the second line is not a header line "
        "(\"WorkingTag~,~,\" and the field names)");
  }
  for (size_t i = 2; i + 1 < header.size(); ++i) params.field_names.emplace_back(header[i]);
  const size_t names = params.field_names.size();

  for (size_t i = 2; i < pieces.size(); ++i) {
    const size_t lineNo = i - 1;  // data lines counted from 1
    std::vector<std::string_view> f = internal::SplitElements(pieces[i]);
    // Elements: tag, [row,] one value per name, and the empty piece after the last "~,".
    const bool withRow = f.size() == names + 3;
    if ((f.size() != names + 2 && !withRow) || !f.back().empty()) {
      throw WireTextError("save text line " + std::to_string(lineNo) + ": " +
                          std::to_string(f.size() - 1) + " fields where the header asks for " +
                          std::to_string(names + 1) + " (tag and values) or " +
                          std::to_string(names + 2) + " (tag, row and values)");
    }
    SaveLine line;
    line.tag = TagOf(f[0], lineNo);
    size_t first = 1;
    if (withRow) {
      const std::string_view row = f[1];
      const auto [end, ec] = std::from_chars(row.data(), row.data() + row.size(), line.row);
      if (ec != std::errc() || end != row.data() + row.size() || line.row < 1) {
        throw WireTextError("save text line " + std::to_string(lineNo) + ": the row number " +
                            Quoted(row) + " is not a row");
      }
      first = 2;
    }
    line.values.reserve(names);
    for (size_t k = first; k + 1 < f.size(); ++k) line.values.emplace_back(f[k]);
    params.lines.push_back(std::move(line));
  }
  return params;
}

}  // namespace zel
