// Where the sheet keeps its files on the client machine: the user data folder, the
// temporary folder, the layout file of each screen and sheet, and the data files the host
// moves sheet contents through.
//
// Folder values (client values of application "Praxium.Net"):
//   "UserDirType"  "1" gives every user a folder of their own; anything else shares one
//   "HomeDir"      root of the per-user folders; absent, blank or not an absolute path:
//                  WindowDir + "/Praxium.Net"; one trailing "/" or "\" is dropped
//
//   user data folder  home + "/Data/" + user       (per-user folders on and a user given)
//   temporary folder  user data folder + "/TempFile/", else WindowDir + "/Praxium.Net/"
//   layout file       temporary folder + PgmID + "." + SheetID + "title.sts"
//   data file         (DefaultDir) user data folder + "/TempFile/" + group + "/" + name,
//                     (not DefaultDir) group + "/" + name
//
// Example: user "kim", per-user folders on, HomeDir "/srv/praxium/": the layout file of
// sheet S1 of screen PGM001 is /srv/praxium/Data/kim/TempFile/PGM001.S1title.sts.
//
// The names that go into these paths come from the screen and the user (the user id, PgmID,
// SheetID, the group folder and file name of a data file). A name that would lead out of its
// folder (a path separator, "..", a drive, NUL or another control character, more bytes than
// a file name may have) is refused with PathRefused before any folder is made or file is
// touched. A group folder given with DefaultDir false is the host's own and is used as given.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "zelsheet/platform.h"

namespace zel::internal {

// A name or folder that would put a file outside the folders the sheet owns. The message
// says which name and why.
class PathRefused : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The longest file name the file system takes, in bytes.
inline constexpr size_t kMaxFileNameBytes = 255;
// Appended to a layout file's name for the copy that waits to replace it (settings writer).
inline constexpr std::string_view kLayoutPendingSuffix = ".new";

// "" when `name` can stand as one file or folder name inside a folder of ours, else why not
// (`what` names it in the message: "the user id").
std::string NameProblem(std::string_view name, std::string_view what);

// The folder values as they apply: per-user folders on or off, and the home folder.
struct FolderValues {
  bool per_user = false;
  std::string home;
};
FolderValues ReadFolderValues(Platform& platform);

// The user data folder of `user`, created with its parent when missing; "" when per-user
// folders are off or `user` is blank. Throws PathRefused for a user id that is no plain
// name, std::filesystem::filesystem_error when the folder cannot be made.
std::string UserDataFolder(Platform& platform, const std::string& user);

// The temporary folder of `user` (see above), created when missing; ends in "/".
std::string TempFolder(Platform& platform, const std::string& user);

// The layout file of sheet `sheetId` of screen `pgmId` for `user` (its folder is created).
// Its name leaves room for kLayoutPendingSuffix.
std::string LayoutFilePath(Platform& platform, const std::string& user, const std::string& pgmId,
                           const std::string& sheetId);

// The path of a data file. Its folder is not created here (the writers create it).
std::string DataFilePath(Platform& platform, const std::string& user, bool defaultDir,
                         const std::string& groupDir, const std::string& fileName);

}  // namespace zel::internal
