#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace zel::internal {

namespace {

std::string Failure(const std::string& what, const std::string& path, int err) {
  return what + " '" + path + "': " + std::strerror(err);
}

}  // namespace

std::string WriteFileAtomically(const std::string& path, const std::string& data) {
  std::string temp = path + ".tmp.XXXXXX";
  const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) return Failure("cannot create", temp, errno);
  // mkostemp makes the file readable by the owner only; give it the usual permissions.
  ::fchmod(fd, 0644);
  size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      const int err = n < 0 ? errno : EIO;
      ::close(fd);
      ::unlink(temp.c_str());
      return Failure("cannot write", temp, err);
    }
    done += static_cast<size_t>(n);
  }
  if (::fsync(fd) != 0) {
    const int err = errno;
    ::close(fd);
    ::unlink(temp.c_str());
    return Failure("cannot flush", temp, err);
  }
  if (::close(fd) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    return Failure("cannot close", temp, err);
  }
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    return Failure("cannot replace", path, err);
  }
  return "";
}

}  // namespace zel::internal
