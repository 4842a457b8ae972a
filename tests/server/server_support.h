// Helpers of the server tests: a temporary folder, save texts written compactly, and the
// customers of a database as comparable lines.
#pragma once

#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "server/customer_server.h"
#include "zelsheet/host_helpers.h"

namespace zel::server::testing {

class TempDir {
 public:
  TempDir() {
    const char* env = std::getenv("ZEL_TEST_TMP");
    const std::filesystem::path base =
        env != nullptr && *env != '\0' ? env : std::filesystem::temp_directory_path();
    static std::atomic<int> counter{0};
    path_ = base / ("server_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// `text` split at '|'.
inline std::vector<std::string> Bars(const std::string& text) {
  std::vector<std::string> out;
  size_t begin = 0;
  for (size_t bar = text.find('|');; bar = text.find('|', begin)) {
    out.push_back(text.substr(begin, bar - begin));
    if (bar == std::string::npos) break;
    begin = bar + 1;
  }
  return out;
}

inline const char* kSaveHeader =
    "1|1|1|1|1|21|12|~I~WorkingTag~,~,CUST_CD~,CUST_NM~,CUST_GB~,CREDIT_AMT~,REG_DT~,USE_YN~,"
    "TEL_NO~,AREA_CD~,AREA_NM~,REMARK~,CUST_SEQ~,ROW_VER~,~I~";

// A save text of the customer columns, one line per entry written
// "tag|code|name|kind|credit|date|active|phone|region|region name|remark|seq|ver".
inline std::string SaveText(const std::vector<std::string>& lines) {
  std::string text = kSaveHeader;
  for (const std::string& line : lines) {
    for (const std::string& field : Bars(line)) text += field + "~,";
    text += "~I~";
  }
  return text;
}

// The customers of a query as lines of '|'-joined fields.
inline std::vector<std::string> Lines(const std::string& data) {
  std::vector<std::string> out;
  for (const std::vector<std::string>& row : ReadDataString(data)) {
    std::string line;
    for (size_t i = 0; i < row.size(); ++i) line += (i == 0 ? "" : "|") + row[i];
    out.push_back(line);
  }
  return out;
}

}  // namespace zel::server::testing
