// Key sending: the text the sheet sends to its focused control and the queue that carries it
// to the host.
//
// Grammar of a key-sending text (the classic one, without modifiers):
//   text   := { key }
//   key    := "~"                       Enter
//           | "{" name [ " " count ] "}" a named key, or a literal character, count times
//           | any other character       typed as it is
//   name   := ENTER | TAB | ESC | BS | BACKSPACE | DEL | DELETE | INS | INSERT | HOME | END
//           | PGUP | PGDN | UP | DOWN | LEFT | RIGHT | F1 .. F16 | one character
// Example: "{DOWN}{HOME}" is Down then Home; "{{}" types "{"; "{TAB 2}" is Tab twice.
// The modifier characters "+", "^", "%" and the grouping "(" ")" have no meaning here and
// must be written in braces to be typed.
#include <array>
#include <charconv>
#include <string_view>

#include "platform/names.h"
#include "text/strings.h"
#include "zelsheet/platform.h"

namespace zel {

namespace {

struct NamedKey {
  std::string_view name;
  int32_t code;
};

constexpr std::array<NamedKey, 17> kNamedKeys = {{
    {"ENTER", 13}, {"TAB", 9},     {"ESC", 27},    {"BS", 8},       {"BACKSPACE", 8},
    {"DEL", 46},   {"DELETE", 46}, {"INS", 45},    {"INSERT", 45},  {"HOME", 36},
    {"END", 35},   {"PGUP", 33},   {"PGDN", 34},   {"UP", 38},      {"DOWN", 40},
    {"LEFT", 37},  {"RIGHT", 39},
}};

constexpr int kMaxRepeat = 1000;  // a larger count is a mistake, not a request

std::optional<int32_t> NamedKeyCode(std::string_view name) {
  for (const NamedKey& k : kNamedKeys) {
    if (internal::SameName(k.name, name)) return k.code;
  }
  if (name.size() >= 2 && (name[0] == 'F' || name[0] == 'f')) {
    int n = 0;
    const char* first = name.data() + 1;
    const char* last = name.data() + name.size();
    auto [p, ec] = std::from_chars(first, last, n);
    if (ec == std::errc() && p == last && n >= 1 && n <= 16) return 111 + n;  // F1 = 112
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::vector<KeyStroke>> ParseSendKeys(const std::string& keys) {
  std::vector<KeyStroke> out;
  const std::string_view s = keys;
  size_t pos = 0;
  while (pos < s.size()) {
    const char c = s[pos];
    if (c == '~') {
      out.push_back({false, 13});
      ++pos;
      continue;
    }
    if (c == '+' || c == '^' || c == '%' || c == '(' || c == ')' || c == '}') {
      return std::nullopt;
    }
    if (c != '{') {
      out.push_back({true, static_cast<int32_t>(text::DecodeAt(s, pos))});
      continue;
    }
    // A brace group. "{}}" and "{{}" hold a brace, so the name may itself be "}".
    size_t close = s.find('}', pos + 2);
    if (pos + 1 < s.size() && s[pos + 1] == '}') {
      const bool literal_brace = pos + 2 < s.size() && s[pos + 2] == '}';
      close = literal_brace ? pos + 2 : std::string_view::npos;
    }
    if (close == std::string_view::npos) return std::nullopt;
    std::string_view body = s.substr(pos + 1, close - pos - 1);
    pos = close + 1;
    int count = 1;
    const size_t blank = body.find(' ');
    if (blank != std::string_view::npos && blank > 0) {
      std::string_view digits = body.substr(blank + 1);
      auto [p, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), count);
      if (ec != std::errc() || p != digits.data() + digits.size() || count < 0 ||
          count > kMaxRepeat) {
        return std::nullopt;
      }
      body = body.substr(0, blank);
    }
    if (body.empty()) return std::nullopt;
    KeyStroke key;
    if (auto code = NamedKeyCode(body)) {
      key = {false, *code};
    } else {
      size_t p = 0;
      const char32_t cp = text::DecodeAt(body, p);
      if (p != body.size()) return std::nullopt;  // an unknown name
      key = {true, static_cast<int32_t>(cp)};
    }
    out.insert(out.end(), static_cast<size_t>(count), key);
  }
  return out;
}

void KeyQueue::SendKeys(const std::string& keys) { pending_.push_back(keys); }

void KeyQueue::DoEvents() {
  ++passes_;
  if (in_pass_ || !pass_) return;
  in_pass_ = true;
  try {
    pass_();
  } catch (...) {
    in_pass_ = false;
    throw;
  }
  in_pass_ = false;
}

std::vector<std::string> KeyQueue::TakeSentKeys() {
  std::vector<std::string> out;
  out.swap(pending_);
  return out;
}

}  // namespace zel
