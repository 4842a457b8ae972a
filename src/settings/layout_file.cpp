#include "settings/internal/layout_file.h"

#include <cstdio>
#include <filesystem>

#include "platform/atomic_file.h"
#include "platform/folder_lock.h"
#include "settings/internal/arrangement_text.h"
#include "tools/user_folders.h"

namespace zel::internal {

namespace fs = std::filesystem;

namespace {

// A layout image holding data rows may be large; past this it is not a layout of ours.
constexpr uint64_t kMaxLayoutBytes = uint64_t{1} << 31;

std::string PendingPath(const std::string& path) { return path + std::string(kLayoutPendingSuffix); }

std::string FolderOf(const std::string& path) { return fs::path(path).parent_path().string(); }

// The stamp of the file at `path`; "" when it cannot be read.
std::string StampOfFile(const std::string& path) {
  std::string bytes;
  if (!ReadWholeFile(path, bytes, kMaxLayoutBytes)) return "";
  return LayoutStamp(bytes);
}

}  // namespace

std::string SaveLayoutWithSettings(Grid& grid, const std::string& path,
                                   const std::function<void(const std::string&)>& commit) {
  // Without the lock (a holder stuck for seconds) the save goes on: only two programs
  // closing at the very same moment could then interleave.
  FolderLock lock(FolderOf(path));
  const std::string pending = PendingPath(path);
  std::string stamp;
  if (grid.SaveToFile(pending, false)) stamp = StampOfFile(pending);
  if (stamp.empty()) {
    std::remove(pending.c_str());
    commit("");
    return "cannot write the layout file '" + path + "'";
  }
  try {
    commit(stamp);
  } catch (...) {
    std::remove(pending.c_str());
    throw;
  }
  if (std::rename(pending.c_str(), path.c_str()) != 0) {
    return "cannot replace the layout file '" + path + "'";  // the next load finishes it
  }
  return "";
}

bool LoadDescribedLayout(Grid& grid, const std::string& path,
                         const std::function<std::string()>& readStamp) {
  FolderLock lock(FolderOf(path));
  const std::string stamp = readStamp();
  const std::string pending = PendingPath(path);
  std::error_code ec;
  if (fs::exists(pending, ec)) {
    if (!stamp.empty() && StampOfFile(pending) == stamp) {
      // A save stored its settings and stopped before the rename: finish it.
      if (std::rename(pending.c_str(), path.c_str()) != 0) return grid.LoadFromFile(pending);
    } else {
      std::remove(pending.c_str());  // a save that never reached its settings
    }
  }
  if (stamp.empty() || StampOfFile(path) != stamp) return false;
  return grid.LoadFromFile(path);
}

void RemoveLayoutFiles(const std::string& path) {
  FolderLock lock(FolderOf(path));
  std::remove(PendingPath(path).c_str());
  std::remove(path.c_str());
}

}  // namespace zel::internal
