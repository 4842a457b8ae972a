// Helpers of the server tests: a temporary folder, save texts written compactly, and the
// rows of a data string as comparable lines.
#pragma once

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "server/customer_server.h"
#include "zelsheet/host_helpers.h"

namespace zel::server::testing {

// A fresh folder under ZEL_TEST_TMP (or the system's), removed with everything in it.
class TempDir {
 public:
  TempDir() {
    const char* env = std::getenv("ZEL_TEST_TMP");
    std::string name = (std::filesystem::path(env != nullptr && *env != '\0' ? env : "/tmp") / "server_XXXXXX").string();
    std::filesystem::create_directories(std::filesystem::path(name).parent_path());
    path_ = ::mkdtemp(name.data());
  }
  ~TempDir() { std::filesystem::remove_all(path_); }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// `text` split at '|'.
inline std::vector<std::string> Bars(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text + "|");
  for (std::string field; std::getline(in, field, '|');) out.push_back(field);
  return out;
}

// A save text as GetData makes it for the customer columns, from lines written
// "tag|code|name|kind|credit|date|active|phone|region|region name|remark|seq|ver".
inline std::string SaveText(const std::vector<std::string>& lines) {
  std::string text =
      "1|1|1|1|1|21|12|~I~WorkingTag~,~,CUST_CD~,CUST_NM~,CUST_GB~,CREDIT_AMT~,REG_DT~,"
      "USE_YN~,TEL_NO~,AREA_CD~,AREA_NM~,REMARK~,CUST_SEQ~,ROW_VER~,~I~";
  for (const std::string& line : lines) {
    for (const std::string& field : Bars(line)) text += field + "~,";
    text += "~I~";
  }
  return text;
}

// The rows of a data string (a query or a results string), each its fields joined by '|'.
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
