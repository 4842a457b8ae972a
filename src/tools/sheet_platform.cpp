// Small members that hand a request to the platform or read the sheet for the host:
// WindowDir, ShellExecute, OpenDialog, getHiddenType, getUnHiddenRow. None of them lets a
// failure out: each returns what it has ("" or 0).
#include <algorithm>
#include <string>

#include "platform/failure.h"
#include "sheet/sheet_state.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

std::string ZelSheet::WindowDir() const {
  std::string dir = internal::ReadOr([&] { return impl_->platform.Folders().WindowDir(); },
                                     std::string());
  dir.erase(std::remove(dir.begin(), dir.end(), '\0'), dir.end());
  return dir;
}

int32_t ZelSheet::ShellExecute(const std::string& IpOperation, const std::string& lpFile,
                               const std::string& lpParameters, const std::string& lpDirectory,
                               int32_t nShowCmd) {
  return internal::ReadOr(
      [&] {
        return impl_->platform.Shell().ShellExecute(IpOperation, lpFile, lpParameters,
                                                    lpDirectory, nShowCmd);
      },
      int32_t{0});
}

std::string ZelSheet::OpenDialog(const std::string& strInitDir, const std::string& strFilter,
                                 bool bulMultiSelect) {
  return internal::ReadOr(
      [&] { return impl_->platform.Tools().OpenDialog(strInitDir, strFilter, bulMultiSelect); },
      std::string());
}

std::string ZelSheet::getHiddenType(int32_t lngCol) const {
  return impl_->columns.HasDef(lngCol) ? impl_->columns.Def(lngCol).access_key : "";
}

int32_t ZelSheet::getUnHiddenRow() {
  Grid& g = impl_->grid;
  const int32_t saved = g.Row();
  int32_t found = 0;
  if (!internal::SkipStep([&] {
        const int32_t rows = DataRowCnt();
        for (int32_t r = 1; r <= rows && found == 0; ++r) {
          g.Row(r);
          if (!g.RowHidden()) found = r;
        }
      })) {
    found = 0;
  }
  internal::SkipStep([&] { g.Row(saved); });
  return found;
}

}  // namespace zel
