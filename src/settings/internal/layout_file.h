// The layout file and the settings that describe it, kept in step.
//
// The layout file is the grid's own image; the settings section holds, besides the user's
// arrangement, the stamp of the one layout file it was written with ("LayoutStamp", see
// LayoutStamp). A layout file is loaded only when its stamp is the stored one, so a file
// whose settings never got written (or settings whose file never got written) is ignored
// rather than half-applied.
//
// Saving, under the folder's lock (two programs closing the same screen take turns, and
// the later one's arrangement stays whole):
//   1. the image is written whole to the pending copy, layout path + ".new";
//   2. the settings are stored in one step, with the pending copy's stamp;
//   3. the pending copy is renamed over the layout file.
// A crash before 2 leaves the old file and the old settings; a crash between 2 and 3 leaves
// new settings whose file is the pending copy, and the next load finishes the rename.
#pragma once

#include <functional>
#include <string>

#include "zelsheet/grid.h"

namespace zel::internal {

// The settings key that holds the stamp.
inline constexpr const char* kLayoutStampKey = "LayoutStamp";

// Saves `grid`'s full image as the layout file `path` and calls `commit(stamp)` to store the
// settings with the file's stamp. When the image cannot be written, `commit("")` still
// stores the settings, marked as describing no file. Returns "" or why the file was not
// saved; an exception of `commit` reaches the caller, with the old file and settings kept.
std::string SaveLayoutWithSettings(Grid& grid, const std::string& path,
                                   const std::function<void(const std::string&)>& commit);

// Loads into `grid` the layout file at `path` that the stored stamp describes (finishing an
// interrupted save first). `readStamp` reads the stamp from the settings; it is called under
// the folder's lock, so that no save is halfway meanwhile. False, with the grid untouched,
// when there is no such file or it does not load.
bool LoadDescribedLayout(Grid& grid, const std::string& path,
                         const std::function<std::string()>& readStamp);

// Removes the layout file and its pending copy (when they exist).
void RemoveLayoutFiles(const std::string& path);

}  // namespace zel::internal
