// Files for the fuzz targets whose members take a path: the input as a file in memory, and
// a scratch folder for what the members write.
#pragma once

#include <string>

namespace zel::fuzz {

// The bytes as a file that lives in memory only (memfd); Path() names it for open().
class MemoryFile {
 public:
  explicit MemoryFile(const std::string& bytes);
  ~MemoryFile();
  MemoryFile(const MemoryFile&) = delete;
  MemoryFile& operator=(const MemoryFile&) = delete;
  const std::string& Path() const { return path_; }

 private:
  int fd_ = -1;
  std::string path_;
};

// The whole of a file's bytes ("" when it cannot be read).
std::string ReadFile(const std::string& path);

// A folder of this process for files the targets write (under $ZEL_TEST_TMP, else /tmp),
// removed when the process ends.
const std::string& ScratchFolder();

}  // namespace zel::fuzz
