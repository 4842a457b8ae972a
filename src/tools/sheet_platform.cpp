// Small members that hand a request to the platform or read the sheet for the host:
// WindowDir, ShellExecute, OpenDialog, getHiddenType, getUnHiddenRow. None of them lets a
// failure out: each returns what it has ("" or 0).
#include <algorithm>
#include <string>

#include "sheet/sheet_state.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

std::string ZelSheet::WindowDir() const {
  std::string dir;
  try {
    dir = impl_->platform.Folders().WindowDir();
  } catch (...) {
    return "";
  }
  dir.erase(std::remove(dir.begin(), dir.end(), '\0'), dir.end());
  return dir;
}

int32_t ZelSheet::ShellExecute(const std::string& IpOperation, const std::string& lpFile,
                               const std::string& lpParameters, const std::string& lpDirectory,
                               int32_t nShowCmd) {
  try {
    return impl_->platform.Shell().ShellExecute(IpOperation, lpFile, lpParameters, lpDirectory,
                                                nShowCmd);
  } catch (...) {
    return 0;
  }
}

std::string ZelSheet::OpenDialog(const std::string& strInitDir, const std::string& strFilter,
                                 bool bulMultiSelect) {
  try {
    return impl_->platform.Tools().OpenDialog(strInitDir, strFilter, bulMultiSelect);
  } catch (...) {
    return "";
  }
}

std::string ZelSheet::getHiddenType(int32_t lngCol) const {
  return impl_->columns.HasDef(lngCol) ? impl_->columns.Def(lngCol).access_key : "";
}

int32_t ZelSheet::getUnHiddenRow() {
  Grid& g = impl_->grid;
  const int32_t saved = g.Row();
  int32_t found = 0;
  try {
    const int32_t rows = DataRowCnt();
    for (int32_t r = 1; r <= rows && found == 0; ++r) {
      g.Row(r);
      if (!g.RowHidden()) found = r;
    }
  } catch (...) {
    found = 0;
  }
  try {
    g.Row(saved);
  } catch (...) {
  }
  return found;
}

}  // namespace zel
