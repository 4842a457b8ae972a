#include "output_files.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <charconv>
#include <chrono>
#include <cmath>
#include <ctime>
#include <filesystem>
#include <functional>

namespace zel::companion {

namespace {

constexpr size_t kMaxStemBytes = 80;
constexpr int kMaxNameTries = 1000;
const char kReplacement[] = "\xEF\xBF\xBD";

// Length of the valid UTF-8 sequence at `s[i]`, 0 when it is not one.
size_t SequenceAt(std::string_view s, size_t i) {
  const auto b = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char c = b(i);
  if (c < 0x80) return 1;
  size_t n = c >= 0xF0 && c <= 0xF4 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 && c < 0xE0 ? 2 : 0;
  if (n == 0 || i + n > s.size()) return 0;
  for (size_t k = 1; k < n; ++k) {
    if ((b(i + k) & 0xC0) != 0x80) return 0;
  }
  if (n == 3 && c == 0xE0 && b(i + 1) < 0xA0) return 0;  // overlong
  if (n == 3 && c == 0xED && b(i + 1) >= 0xA0) return 0;  // surrogate
  if (n == 4 && c == 0xF0 && b(i + 1) < 0x90) return 0;  // overlong
  if (n == 4 && c == 0xF4 && b(i + 1) >= 0x90) return 0;  // beyond U+10FFFF
  return n;
}

std::string TimeStamp() {
  const std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  char buf[32];
  std::strftime(buf, sizeof buf, "%Y%m%d-%H%M%S", &tm);
  return buf;
}

}  // namespace

std::string CleanText(std::string_view text, size_t max_chars) {
  std::string out;
  out.reserve(std::min(text.size(), size_t{1} << 20));
  size_t chars = 0;
  for (size_t i = 0; i < text.size() && chars < max_chars; ++chars) {
    const size_t n = SequenceAt(text, i);
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (n == 0 || (n == 1 && ((c < 0x20 && c != '\t' && c != '\n') || c == 0x7F))) {
      out += kReplacement;
      i += n == 0 ? 1 : n;
      continue;
    }
    out.append(text, i, n);
    i += n;
  }
  return out;
}

std::string FileStem(const std::string& title, const std::string& fallback) {
  std::string stem;
  for (size_t i = 0; i < title.size();) {
    const size_t n = SequenceAt(title, i);
    const char c = title[i];
    const bool bad = n == 0 || (n == 1 && (static_cast<unsigned char>(c) < 0x20 || c == 0x7F ||
                                           std::string_view("/\\:*?\"<>|").find(c) !=
                                               std::string_view::npos));
    const size_t step = n == 0 ? 1 : n;
    if (stem.size() + (bad ? 1 : step) > kMaxStemBytes) break;
    if (bad) {
      stem += '_';
    } else {
      stem.append(title, i, step);
    }
    i += step;
  }
  const size_t first = stem.find_first_not_of(" .");
  if (first == std::string::npos) return fallback;
  const size_t last = stem.find_last_not_of(" .");
  return stem.substr(first, last - first + 1);
}

std::string ReadyFolder(const std::function<std::string()>& folder_of, std::string& why) {
  const std::string folder = folder_of ? folder_of() : std::string();
  if (folder.empty() || folder.find('\0') != std::string::npos) {
    why = "no folder to write the file to";
    return "";
  }
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (!std::filesystem::is_directory(folder, ec)) {
    why = "cannot create the export folder '" + folder + "'";
    return "";
  }
  return folder;
}

std::string TemporaryPath(const std::string& folder, const std::string& extension) {
  static std::atomic<unsigned> counter{0};
  const auto tick = std::chrono::steady_clock::now().time_since_epoch().count();
  return folder + "/.zel-" + std::to_string(getpid()) + "-" + std::to_string(counter++) + "-" +
         std::to_string(tick % 1000000007) + ".part" + extension;
}

std::string Publish(const std::string& temporary, const std::string& folder,
                    const std::string& stem, const std::string& extension, std::string& why) {
  const std::string base = folder + "/" + stem + "-" + TimeStamp();
  for (int n = 1; n <= kMaxNameTries; ++n) {
    const std::string path = base + (n == 1 ? "" : "-" + std::to_string(n)) + extension;
    // A hard link never replaces an existing name; the temporary name then goes away.
    if (link(temporary.c_str(), path.c_str()) == 0) {
      unlink(temporary.c_str());
      return path;
    }
    if (errno != EEXIST) break;
  }
  why = "cannot name the file in '" + folder + "'";
  unlink(temporary.c_str());
  return "";
}

bool Replace(const std::string& temporary, const std::string& path, std::string& why) {
  if (std::rename(temporary.c_str(), path.c_str()) == 0) return true;
  why = "cannot write '" + path + "'";
  unlink(temporary.c_str());
  return false;
}

std::string ShownNumber(double value, int decimals, bool thousands) {
  decimals = std::clamp(decimals, 0, 15);
  if (!std::isfinite(value)) return "";
  char buf[400];
  const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
  if (res.ec != std::errc()) return "";
  std::string digits(buf, res.ptr);
  if (!thousands) return digits;
  const size_t start = digits[0] == '-' ? 1 : 0;
  size_t end = digits.find('.');
  if (end == std::string::npos) end = digits.size();
  for (size_t k = end; k > start + 3; k -= 3) digits.insert(k - 3, ",");
  return digits;
}

std::optional<double> NumberOf(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  double v = 0;
  const auto res = std::from_chars(text.data(), text.data() + text.size(), v);
  if (res.ec != std::errc() || res.ptr != text.data() + text.size() || !std::isfinite(v)) {
    return std::nullopt;
  }
  return v;
}

std::optional<Ymd> DateOf(std::string_view text) {
  if ((text.size() != 8 && text.size() != 6) ||
      !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return std::nullopt;
  }
  auto num = [&](size_t at, size_t len) {
    int v = 0;
    std::from_chars(text.data() + at, text.data() + at + len, v);
    return v;
  };
  Ymd d{num(0, 4), num(4, 2), text.size() == 8 ? num(6, 2) : 0};
  static const int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (d.year < 1900 || d.month < 1 || d.month > 12) return std::nullopt;
  if (text.size() == 8) {
    const bool leap = (d.year % 4 == 0 && d.year % 100 != 0) || d.year % 400 == 0;
    const int days = d.month == 2 && !leap ? 28 : kDays[d.month - 1];
    if (d.day < 1 || d.day > days) return std::nullopt;
  }
  return d;
}

std::string ShownValue(const TableColumn& column, const std::string& value) {
  switch (column.kind) {
    case TableKind::kNumber: {
      const std::optional<double> v = NumberOf(value);
      return v ? ShownNumber(*v, column.decimals, column.thousands) : CleanText(value);
    }
    case TableKind::kDate: {
      if (!DateOf(value)) return CleanText(value);
      std::string out = value.substr(0, 4) + "-" + value.substr(4, 2);
      if (value.size() == 8) out += "-" + value.substr(6, 2);
      return out;
    }
    case TableKind::kCheck: return value == "1" ? "TRUE" : "FALSE";
    case TableKind::kText: break;
  }
  return CleanText(value);
}

size_t ColumnCount(const GridTable& table) {
  size_t n = std::max(table.titles.size(), table.columns.size());
  for (const auto& row : table.header_rows) n = std::max(n, row.size());
  for (const auto& row : table.rows) n = std::max(n, row.size());
  return n;
}

TableColumn ColumnOf(const GridTable& table, size_t c) {
  if (c < table.columns.size()) return table.columns[c];
  TableColumn column;
  column.grid_col = static_cast<int32_t>(c) + 1;
  return column;
}

std::vector<size_t> ShownColumns(const GridTable& table) {
  std::vector<size_t> shown;
  for (size_t c = 0, n = ColumnCount(table); c < n; ++c) {
    if (!ColumnOf(table, c).hidden) shown.push_back(c);
  }
  return shown;
}

}  // namespace zel::companion
