#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "fuzz_files.h"
#include "fuzz_input.h"

namespace zel::fuzz {

void Broken(const std::string& what) {
  std::fprintf(stderr, "property broken: %s\n", what.c_str());
  std::abort();
}

MemoryFile::MemoryFile(const std::string& bytes) {
  fd_ = ::memfd_create("fuzz-input", MFD_CLOEXEC);
  if (fd_ < 0) Broken("memfd_create failed");
  for (size_t done = 0; done < bytes.size();) {
    const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
    if (n <= 0) Broken("cannot write the input file");
    done += static_cast<size_t>(n);
  }
  path_ = "/proc/self/fd/" + std::to_string(fd_);
}

MemoryFile::~MemoryFile() { ::close(fd_); }

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

namespace {

struct Scratch {
  Scratch() {
    const char* env = std::getenv("ZEL_TEST_TMP");
    std::string pattern = std::string(env != nullptr && *env != '\0' ? env : "/tmp") + "/zelfuzz-XXXXXX";
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(pattern).parent_path(), ec);
    if (::mkdtemp(pattern.data()) == nullptr) Broken("cannot create a scratch folder");
    path = pattern;
  }
  ~Scratch() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
  std::string path;
};

}  // namespace

const std::string& ScratchFolder() {
  static const Scratch scratch;
  return scratch.path;
}

}  // namespace zel::fuzz
