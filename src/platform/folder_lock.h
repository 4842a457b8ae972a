// An advisory lock on a folder, held by one process at a time: writers of files that must
// change together (a layout file and the settings that describe it) take it around the
// change, so that two programs closing the same screen at once do not interleave.
//
// The lock is the system's whole-file lock on the folder itself (no lock file is left
// behind); the system drops it when the holder exits or is killed, so a crashed writer
// never blocks the next one.
#pragma once

#include <chrono>
#include <string>

namespace zel::internal {

class FolderLock {
 public:
  // Waits up to `patience` for the lock on `folder`. Held() tells whether it was taken: a
  // folder that cannot be opened, or a holder that keeps it longer, leaves it untaken.
  explicit FolderLock(const std::string& folder,
                      std::chrono::milliseconds patience = std::chrono::seconds(5));
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

  bool Held() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

}  // namespace zel::internal
