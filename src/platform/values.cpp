// Machine and client values: held in memory, and read from the values file of the default
// platform (its format is described with ParseValuesFile in zelsheet/platform.h).
#include <cstdlib>

#include "platform/names.h"
#include "zelsheet/platform.h"

namespace zel {

namespace {

using internal::SameName;

template <class V>
void SetValue(std::vector<V>& list, const std::string& path, const std::string& name,
              const std::string& value) {
  for (V& v : list) {
    if (SameName(v.path, path) && SameName(v.name, name)) {
      v.value = value;
      return;
    }
  }
  list.push_back({path, name, value});
}

template <class V>
std::optional<std::string> GetValue(const std::vector<V>& list, const std::string& path,
                                    const std::string& name) {
  for (const V& v : list) {
    if (SameName(v.path, path) && SameName(v.name, name)) return v.value;
  }
  return std::nullopt;
}

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

}  // namespace

void MemoryValues::SetMachineValue(const std::string& key, const std::string& name,
                                   const std::string& value) {
  SetValue(machine_, key, name, value);
}

void MemoryValues::SetClientValue(const std::string& application, const std::string& key,
                                  const std::string& value) {
  SetValue(client_, application, key, value);
}

void MemoryValues::Clear() {
  machine_.clear();
  client_.clear();
}

std::optional<std::string> MemoryValues::Get(const std::string& key, const std::string& name) {
  return GetValue(machine_, key, name);
}

std::optional<std::string> MemoryValues::zelRegGetString(const std::string& application,
                                                         const std::string& key) {
  return GetValue(client_, application, key);
}

void ParseValuesFile(const std::string& text, MemoryValues& values) {
  enum class Kind { kNone, kMachine, kClient };
  Kind kind = Kind::kNone;
  std::string path;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string_view raw(text.data() + pos, end - pos);
    pos = end + 1;
    if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
    const std::string_view line = TrimBlanks(raw);
    if (line.empty() || line.front() == '#' || line.front() == ';') continue;
    if (line.front() == '[') {
      kind = Kind::kNone;
      if (line.back() != ']') continue;
      const std::string_view inner = TrimBlanks(line.substr(1, line.size() - 2));
      const size_t blank = inner.find(' ');
      if (blank == std::string_view::npos) continue;
      const std::string_view word = inner.substr(0, blank);
      const std::string_view rest = TrimBlanks(inner.substr(blank + 1));
      if (rest.empty()) continue;
      if (SameName(word, "machine")) kind = Kind::kMachine;
      else if (SameName(word, "client")) kind = Kind::kClient;
      path.assign(rest);
      continue;
    }
    if (kind == Kind::kNone) continue;
    // The value is kept exactly as written after "=", leading blanks of the raw line aside.
    const size_t eq = raw.find('=');
    if (eq == std::string_view::npos) continue;
    const std::string name(TrimBlanks(raw.substr(0, eq)));
    if (name.empty()) continue;
    const std::string value(raw.substr(eq + 1));
    if (kind == Kind::kMachine) values.SetMachineValue(path, name, value);
    else values.SetClientValue(path, name, value);
  }
}

std::string ValuesFilePath() {
  const char* env = std::getenv("ZELSHEET_VALUES_FILE");
  if (env != nullptr && *env != '\0') return env;
  return "/etc/zelsheet/values.conf";
}

}  // namespace zel
