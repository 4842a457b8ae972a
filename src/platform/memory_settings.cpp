// Settings kept in memory. Same rules as the disk store: names compare without regard to
// ASCII case, a section exists while it holds a key, deleting a section removes exactly it.
#include <algorithm>

#include "platform/names.h"
#include "zelsheet/platform.h"

namespace zel {

namespace {

using internal::SameName;

// Whether an entry of (entryApplication, entrySection) lies in (application, section).
bool Matches(const std::string& entryApplication, const std::string& entrySection,
             const std::string& application, const std::string& section) {
  return SameName(entryApplication, application) && SameName(entrySection, section);
}

}  // namespace

std::string MemorySettingsStore::GetSetting(const std::string& application,
                                            const std::string& section, const std::string& key,
                                            const std::string& default_value) {
  for (const Entry& e : entries_) {
    if (Matches(e.application, e.section, application, section) && SameName(e.key, key))
      return e.value;
  }
  return default_value;
}

void MemorySettingsStore::SaveSetting(const std::string& application, const std::string& section,
                                      const std::string& key, const std::string& value) {
  for (Entry& e : entries_) {
    if (Matches(e.application, e.section, application, section) && SameName(e.key, key)) {
      e.value = value;
      return;
    }
  }
  entries_.push_back({application, section, key, value});
}

void MemorySettingsStore::SaveSettings(
    const std::string& application, const std::string& section,
    const std::vector<std::pair<std::string, std::string>>& values) {
  for (const auto& [key, value] : values) SaveSetting(application, section, key, value);
}

void MemorySettingsStore::DeleteSetting(const std::string& application,
                                        const std::string& section, const std::string& key) {
  std::erase_if(entries_, [&](const Entry& e) {
    return Matches(e.application, e.section, application, section) && SameName(e.key, key);
  });
}

void MemorySettingsStore::DeleteSection(const std::string& application,
                                        const std::string& section) {
  std::erase_if(entries_, [&](const Entry& e) {
    return Matches(e.application, e.section, application, section);
  });
}

bool MemorySettingsStore::SectionExists(const std::string& application,
                                        const std::string& section) {
  return std::any_of(entries_.begin(), entries_.end(), [&](const Entry& e) {
    return Matches(e.application, e.section, application, section);
  });
}

std::string MemorySettingsStore::Update(
    const std::string& application, const std::string& section, const std::string& key,
    const std::function<std::string(const std::optional<std::string>&)>& change) {
  std::optional<std::string> current;
  for (const Entry& e : entries_) {
    if (Matches(e.application, e.section, application, section) && SameName(e.key, key))
      current = e.value;
  }
  std::string next = change(current);
  SaveSetting(application, section, key, next);
  return next;
}

}  // namespace zel
