// The whole content of a file as bytes ("" when it cannot be read), for tests that check
// what a member wrote.
#pragma once

#include <fstream>
#include <sstream>
#include <string>

namespace zel::testing {

inline std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace zel::testing
