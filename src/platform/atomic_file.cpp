#include "platform/atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstring>
#include <fstream>

namespace zel::internal {

namespace {

std::string Failure(const std::string& what, const std::string& path, int err) {
  return what + " '" + path + "': " + std::strerror(err);
}

// The folder part of `path` with its final slash; "" for a bare name (the current folder).
std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Removes the temporary files in `folder` whose writer process has ended: a writer killed
// between creating its temporary file and renaming it leaves one behind. A live writer's
// file (kill(pid, 0) succeeds or is not permitted) is left alone.
void SweepOrphans(const std::string& folder) {
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (dir == nullptr) return;
  while (const dirent* e = ::readdir(dir)) {
    const std::string_view name(e->d_name);
    if (name.substr(0, kAtomicTempPrefix.size()) != kAtomicTempPrefix) continue;
    const std::string_view rest = name.substr(kAtomicTempPrefix.size());
    long pid = 0;
    const auto [end, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), pid);
    if (ec != std::errc() || end == rest.data() || *end != '.' || pid <= 0) continue;
    if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
    ::unlinkat(::dirfd(dir), e->d_name, 0);
  }
  ::closedir(dir);
}

// Flushes the folder's entry list, so that a rename into it survives a power loss. Best
// effort: the new file is in place by then, and a file system that cannot flush a folder
// keeps the rename as durably as it keeps anything.
void SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

std::string WriteFileAtomically(const std::string& path, const std::string& data) {
  if (!IsUsablePath(path)) return "cannot write '" + path + "': not a usable file name";
  const std::string folder = FolderOf(path);
  if (path.size() == folder.size()) return Failure("cannot write", path, EISDIR);
  SweepOrphans(folder);
  std::string temp = folder + std::string(kAtomicTempPrefix) + std::to_string(::getpid()) + ".XXXXXX";
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
  SyncFolder(folder);
  return "";
}

bool ReadWholeFile(const std::string& path, std::string& out, uint64_t limit) {
  if (!IsUsablePath(path)) return false;
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  in.seekg(0, std::ios::end);
  const std::streamoff end = in.tellg();
  if (end < 0 || static_cast<uint64_t>(end) > limit) return false;
  in.seekg(0, std::ios::beg);
  out.assign(static_cast<size_t>(end), '\0');
  in.read(out.data(), end);
  if (in.gcount() != end) return false;
  // A file that grew while we read is read to its new end, within the limit.
  char more[4096];
  while (in.read(more, sizeof more) || in.gcount() > 0) {
    if (out.size() + static_cast<size_t>(in.gcount()) > limit) return false;
    out.append(more, static_cast<size_t>(in.gcount()));
  }
  return !in.bad();
}

}  // namespace zel::internal
