// The SQLite settings store: a value written through one store object is read by the next.
#include <cstdio>
#include <filesystem>
#include <string>

#include "zelsheet/store.h"

int main(int argc, char** argv) {
  const std::string path = argc > 1 ? argv[1] : "consumer_settings.db";
  std::filesystem::remove(path);
  {
    zel::SqliteSettingsStore writer(path);
    writer.SaveSetting("App", "CUST001\\S1", "ColsFrozen", "2");
  }
  zel::SqliteSettingsStore reader(path);
  const bool back = reader.GetSetting("App", "CUST001\\S1", "ColsFrozen") == "2";
  std::filesystem::remove(path);
  if (!back) {
    std::fputs("store_host: the setting did not come back\n", stderr);
    return 1;
  }
  return 0;
}
