// Reading a file whole, and writing one whole: the text goes to a temporary file beside the
// target, is flushed to disk and renamed over the target, and the folder is flushed after
// the rename, so a reader sees the old file or the new one, never a half-written one, and a
// power loss after the write returned keeps the new one.
//
// The temporary file is named ".zeltmp.<pid>.<6 random characters>" in the target's folder:
// short, so that any target name the file system allows can be written, and carrying the
// writer's process id, so that the next write into the folder removes what a writer that was
// killed left behind (its process no longer exists).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zel::internal {

// Writes `data` to `path`. Returns "" on success, else a message naming the file and the
// failure; the target is then unchanged and no temporary file is left behind. A path holding
// a NUL byte is refused: the system would read it only up to the NUL, another file.
std::string WriteFileAtomically(const std::string& path, const std::string& data);

// Reads the whole file into `out`. False when it cannot be opened or read, or when it is
// larger than `limit` bytes (out is then unspecified). A path holding a NUL byte is
// refused, as for writing.
bool ReadWholeFile(const std::string& path, std::string& out, uint64_t limit);

// True when `path` can name a file: not empty and without a NUL byte.
inline bool IsUsablePath(std::string_view path) {
  return !path.empty() && path.find('\0') == std::string_view::npos;
}

// The prefix of the temporary files WriteFileAtomically makes.
inline constexpr std::string_view kAtomicTempPrefix = ".zeltmp.";

}  // namespace zel::internal
