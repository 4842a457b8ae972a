// Writing a file whole: the text goes to a temporary file beside the target, is flushed to
// disk and renamed over the target, so a reader sees the old file or the new one, never a
// half-written one.
#pragma once

#include <string>

namespace zel::internal {

// Writes `data` to `path`. Returns "" on success, else a message naming the file and the
// failure; the target is then unchanged and no temporary file is left behind.
std::string WriteFileAtomically(const std::string& path, const std::string& data);

}  // namespace zel::internal
