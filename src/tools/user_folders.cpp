#include "tools/user_folders.h"

#include <filesystem>

#include "sheet/registry_values.h"
#include "text/strings.h"

namespace zel::internal {

namespace fs = std::filesystem;

namespace {

std::string Quoted(std::string_view what, std::string_view name) {
  return std::string(what) + " '" + std::string(name) + "'";
}

// Creates `folder` with its parents when missing; throws when it cannot be made.
void MakeFolder(const std::string& folder) {
  std::error_code ec;
  if (fs::is_directory(folder, ec)) return;
  fs::create_directories(folder, ec);
  if (ec || !fs::is_directory(folder)) {
    throw fs::filesystem_error("cannot create the folder", folder,
                               ec ? ec : std::make_error_code(std::errc::not_a_directory));
  }
}

void Require(std::string_view name, std::string_view what) {
  if (std::string why = NameProblem(name, what); !why.empty()) throw PathRefused(why);
}

std::string SharedFolder(Platform& platform) {
  const std::string dir = platform.Folders().WindowDir();
  if (dir.empty()) throw PathRefused("there is no folder for the sheet's files (WindowDir)");
  return dir + "/" + kApplication;
}

}  // namespace

std::string NameProblem(std::string_view name, std::string_view what) {
  if (name.empty()) return Quoted(what, name) + " is empty";
  if (name.size() > kMaxFileNameBytes) {
    return std::string(what) + " is longer than a file name may be (" +
           std::to_string(name.size()) + " bytes)";
  }
  for (unsigned char c : name) {
    if (c < 0x20 || c == 0x7F) return std::string(what) + " holds a control character";
    if (c == '/' || c == '\\') return Quoted(what, name) + " holds a path separator";
    if (c == ':') return Quoted(what, name) + " names a drive";
  }
  if (name.find("..") != std::string_view::npos) return Quoted(what, name) + " holds \"..\"";
  if (name == ".") return Quoted(what, name) + " names the folder itself";
  return "";
}

FolderValues ReadFolderValues(Platform& platform) {
  FolderValues v;
  v.per_user = ReadClientValue(platform.Client(), kApplication, "UserDirType", "0") == "1";
  std::string home = ReadClientValue(platform.Client(), kApplication, "HomeDir", "");
  if (!home.empty() && (home.back() == '/' || home.back() == '\\')) home.pop_back();
  // A Windows path such as the old default "C:\Praxium.Net" means nothing here: the
  // system's own folder stands in for it.
  if (home.empty() || home.front() != '/' || home.find('\0') != std::string::npos) {
    home = SharedFolder(platform);
  }
  v.home = home;
  return v;
}

std::string UserDataFolder(Platform& platform, const std::string& user) {
  const FolderValues v = ReadFolderValues(platform);
  if (!v.per_user || text::TrimView(user).empty()) return "";
  Require(user, "the user id");
  const std::string data = v.home + "/Data";
  MakeFolder(data);
  const std::string folder = data + "/" + user;
  MakeFolder(folder);
  return folder;
}

std::string TempFolder(Platform& platform, const std::string& user) {
  const std::string userFolder = UserDataFolder(platform, user);
  const std::string folder =
      userFolder.empty() ? SharedFolder(platform) + "/" : userFolder + "/TempFile/";
  MakeFolder(folder);
  return folder;
}

std::string LayoutFilePath(Platform& platform, const std::string& user, const std::string& pgmId,
                           const std::string& sheetId) {
  // Checked before any folder is made for them.
  if (!pgmId.empty()) Require(pgmId, "the program id");
  if (!sheetId.empty()) Require(sheetId, "the sheet id");
  const std::string name = pgmId + "." + sheetId + "title.sts";
  if (name.size() + kLayoutPendingSuffix.size() > kMaxFileNameBytes) {
    throw PathRefused("the layout file name of '" + pgmId + "." + sheetId + "' is too long");
  }
  UserDataFolder(platform, user);  // refuses a hostile user id before anything is made
  return TempFolder(platform, user) + name;
}

std::string DataFilePath(Platform& platform, const std::string& user, bool defaultDir,
                         const std::string& groupDir, const std::string& fileName) {
  Require(fileName, "the file name");
  if (!defaultDir) {
    if (groupDir.empty()) throw PathRefused("no folder was given for the file '" + fileName + "'");
    return groupDir + "/" + fileName;
  }
  // The group folder lies inside the user's TempFile folder: any depth, never out of it.
  std::string group;
  for (std::string_view rest = groupDir; !rest.empty();) {
    const size_t cut = rest.find_first_of("/\\");
    const std::string_view part = rest.substr(0, cut);
    if (!part.empty()) {
      Require(part, "the group folder");
      group += "/";
      group += part;
    }
    rest = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 1);
  }
  if (!groupDir.empty() && (groupDir.front() == '/' || groupDir.front() == '\\')) {
    throw PathRefused("the group folder '" + groupDir + "' is an absolute path");
  }
  std::string base = UserDataFolder(platform, user);
  // Without a folder of the user's own, the shared folder holds the TempFile folder.
  if (base.empty()) base = SharedFolder(platform);
  return base + "/TempFile" + group + "/" + fileName;
}

}  // namespace zel::internal
