// The behaviour every SettingsStore must show, checked the same way on the in-memory store
// and on the SQLite store: a test calls CheckSettingsContract(store) on an empty store.
#pragma once

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "zelsheet/platform.h"

namespace zel::testing_support {

inline void CheckSettingsContract(SettingsStore& s) {
  const std::string app = "Praxium.Net";
  // Absent keys give the default, whatever the default is.
  EXPECT_EQ(s.GetSetting(app, "PGM001\\S1", "ColsFrozen", "0") + s.GetSetting(app, "PGM001\\S1", "ColsFrozen"), "0");
  EXPECT_FALSE(s.SectionExists(app, "PGM001\\S1"));

  // Values of any text survive as they were written, under keys of any text.
  const std::string tricky[] = {"", "a=b", "line1\nline2\r\n", "   padded   ", "가나다 한글", "back\\slash",
                                std::string("nul\0inside", 10)};
  for (size_t i = 0; i < std::size(tricky); ++i) s.SaveSetting(app, "PGM001\\S1", "k" + std::to_string(i) + "=\n키", tricky[i]);
  for (size_t i = 0; i < std::size(tricky); ++i) {
    EXPECT_EQ(s.GetSetting(app, "PGM001\\S1", "k" + std::to_string(i) + "=\n키", "default"), tricky[i]);
  }

  // Overwrite replaces; names ignore ASCII case in every part.
  s.SaveSetting(app, "PGM001\\S1", "ColsFrozen", "2");
  s.SaveSetting("PRAXIUM.NET", "pgm001\\s1", "colsfrozen", "3");
  EXPECT_EQ(s.GetSetting(app, "PGM001\\S1", "ColsFrozen", "0"), "3");
  EXPECT_TRUE(s.SectionExists("praxium.net", "Pgm001\\S1"));

  // Sections that share a prefix, and other applications, are separate.
  s.SaveSetting(app, "PGM001\\S10", "ColsFrozen", "10");
  s.SaveSetting(app, "PGM001", "ColsFrozen", "root");
  s.SaveSetting("PGM001", "S1", "ColsFrozen", "legacy");
  s.SaveSetting(app, "PGM001.S1", "PgmInfoUpdateTime", "20240101");
  s.DeleteSection(app, "PGM001\\S1");
  s.DeleteSection(app, "no such section");  // no effect, no failure
  EXPECT_FALSE(s.SectionExists(app, "PGM001\\S1"));
  EXPECT_EQ(s.GetSetting(app, "PGM001\\S1", "ColsFrozen", "gone") + " " + s.GetSetting(app, "PGM001\\S10", "ColsFrozen") + " " +
                s.GetSetting(app, "PGM001", "ColsFrozen") + " " + s.GetSetting("PGM001", "S1", "ColsFrozen") + " " +
                s.GetSetting(app, "PGM001.S1", "PgmInfoUpdateTime"),
            "gone 10 root legacy 20240101");

  // Deleting one key keeps the section while other keys remain.
  s.SaveSetting(app, "SHEET", "BasicFontSize", "9");
  s.SaveSetting(app, "SHEET", "BasicFontBold", "True");
  s.DeleteSetting(app, "SHEET", "basicfontsize");
  EXPECT_EQ(s.GetSetting(app, "SHEET", "BasicFontSize", "absent"), "absent");
  EXPECT_TRUE(s.SectionExists(app, "SHEET"));
  s.DeleteSetting(app, "SHEET", "BasicFontBold");
  EXPECT_FALSE(s.SectionExists(app, "SHEET"));

  // Update sees the stored value (or none) and stores what it returns; a change that throws
  // writes nothing.
  auto bump = [](const std::optional<std::string>& v) { return std::to_string(v ? std::stoi(*v) + 1 : 100); };
  EXPECT_EQ(s.Update(app, "counters", "n", bump), "100");
  EXPECT_EQ(s.Update(app, "counters", "N", bump), "101");
  auto fail = [](const std::optional<std::string>&) -> std::string { throw std::runtime_error("no"); };
  EXPECT_THROW(s.Update(app, "counters", "n", fail), std::runtime_error);
  EXPECT_EQ(s.GetSetting(app, "counters", "n"), "101");
}

}  // namespace zel::testing_support
