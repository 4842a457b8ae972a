// The data files through which a host moves sheet contents between screens, or from one
// use of a screen to the next: SetSheetToFile, SetFileToSheet, SetFileToString,
// SetStringToFile, fnDeleteFile.
//
// A data file holds one data string in its data-only form (each field followed by "~,",
// each row by "~I~", no header), then CR LF; the text is in the system's ANSI code page
// (CP949), as the client's other programs read it:
//
//   C01~,Alpha~,~I~C02~,Beta~,x~I~<CR><LF>
//
// Files are written whole (a temporary file renamed over the old one), so a reader never
// finds half of one. Each member shows the hourglass while it works; the first failure
// (a refused name, a folder that cannot be made, a file that cannot be read or written)
// ends it with the failure's text in a critical message box, and it returns what it has.
#include <filesystem>
#include <string>
#include <vector>

#include "platform/atomic_file.h"
#include "platform/failure.h"
#include "sheet/sheet_state.h"
#include "sheet/stored_values.h"
#include "text/codepage.h"
#include "text/data_string.h"
#include "text/strings.h"
#include "tools/sheet_tools.h"
#include "tools/user_folders.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

namespace fs = std::filesystem;

namespace {

// A data file is read whole; past this it is refused rather than exhausting memory.
constexpr uint64_t kMaxDataFileBytes = uint64_t{1} << 31;
constexpr std::string_view kLineBreak = "\r\n";

// Runs a file member's work with the hourglass shown; a failure is shown in a box.
template <class Work>
void FileMember(ZelSheet::Impl& s, Work&& work) {
  MousePointers& mouse = s.platform.Mouse();
  internal::SkipStep([&] {
    mouse.ScreenPointer(vbHourglass);
    mouse.ControlPointer(vbHourglass);
  });
  internal::ShowFailureBox(s.platform, "", work);
  internal::SkipStep([&] {
    mouse.ScreenPointer(vbDefault);
    mouse.ControlPointer(vbDefault);
  });
}

std::string PathOf(ZelSheet::Impl& s, bool defaultDir, const std::string& groupDir,
                   const std::string& fileName) {
  return internal::DataFilePath(s.platform, s.identity.user_id, defaultDir, groupDir, fileName);
}

bool FileExists(const std::string& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

// The whole file as text.
std::string ReadDataFile(const std::string& path) {
  std::string bytes;
  if (!internal::ReadWholeFile(path, bytes, kMaxDataFileBytes)) {
    throw std::runtime_error("cannot read the file '" + path + "'");
  }
  return text::FromAnsi(bytes);
}

void WriteDataFile(const std::string& path, const std::string& utf8) {
  const fs::path folder = fs::path(path).parent_path();
  if (!folder.empty()) fs::create_directories(folder);
  if (std::string failure = internal::WriteFileAtomically(path, text::ToAnsi(utf8));
      !failure.empty()) {
    throw std::runtime_error(failure);
  }
}

void RemoveCrLf(std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      ++i;
      continue;
    }
    out += text[i];
  }
  text.swap(out);
}

// Hides or shows grid rows first..last (nothing when the range is empty).
void SetRowsHidden(Grid& g, int64_t first, int64_t last, bool hidden) {
  if (first > last) return;
  const bool block = g.BlockMode();
  g.BlockMode(true);
  g.Row(static_cast<int32_t>(first));
  g.Row2(static_cast<int32_t>(last));
  g.RowHidden(hidden);
  g.BlockMode(block);
}

// Whether `cell` matches the search text: contains it ("=") or sorts at or after it (">=").
bool Matches(const std::string& cell, const std::string& search, const std::string& op) {
  if (op == ">=") return cell >= search;
  return cell.find(search) != std::string::npos;
}

}  // namespace

void ZelSheet::SetSheetToFile(bool DefaultDir, const std::string& strGroupDir,
                              const std::string& strFileName, bool bulAddFile) {
  FileMember(*impl_, [&] {
    std::string data = GetDataSelected(-1, true);
    if (text::TrimView(data).empty()) data = GetDataAll(true);
    const std::string path = PathOf(*impl_, DefaultDir, strGroupDir, strFileName);
    if (FileExists(path) && bulAddFile) {
      std::string old = ReadDataFile(path);
      RemoveCrLf(old);
      data.insert(0, old);
    }
    if (text::TrimView(data).empty()) {
      std::error_code ec;
      fs::remove(path, ec);
      if (ec) throw fs::filesystem_error("cannot delete the file", path, ec);
      return;
    }
    data += kLineBreak;
    WriteDataFile(path, data);
  });
}

int32_t ZelSheet::SetFileToSheet(bool DefaultDir, const std::string& strGroupDir,
                                 const std::string& strFileName,
                                 const std::string& strSearchData, const std::string& strOp,
                                 int32_t lngPageNo, int32_t lngPageSize, int32_t strSearchCol1,
                                 int32_t strSearchCol2, int32_t strSearchCol3,
                                 int32_t strSearchCol4) {
  int32_t result = 0;
  Grid& g = impl_->grid;
  FileMember(*impl_, [&] {
    const std::string path = PathOf(*impl_, DefaultDir, strGroupDir, strFileName);
    if (!FileExists(path)) {
      result = -1;
      return;
    }
    const std::string content = ReadDataFile(path);
    internal::StringTable table;
    if (!text::TrimView(content).empty()) table = internal::SplitToTable(content);
    const int32_t rows = table.max_rows;
    g.ReDraw(false);
    // The rows come fresh from the file: nothing of an earlier fill (statuses, numbers,
    // hidden rows) stays with them.
    MaxRows(0);
    MaxRows(rows);
    if (lngPageNo < 1 || lngPageSize < 1) {
      MaxRows(0);
      g.ReDraw(true);
      return;
    }
    const int64_t first = (int64_t{lngPageNo} - 1) * lngPageSize + 1;
    const int64_t last = int64_t{lngPageNo} * lngPageSize;
    for (int32_t r = 1; r <= rows; ++r) {
      for (int32_t c = 1; c <= table.max_cols; ++c) {
        CellText(c, r, table.cells[static_cast<size_t>(c)][static_cast<size_t>(r)]);
      }
    }
    if (text::TrimView(strSearchData).empty()) {
      SetRowsHidden(g, 1, std::min<int64_t>(first - 1, rows), true);
      SetRowsHidden(g, first, std::min<int64_t>(last, rows), false);
      SetRowsHidden(g, last + 1, rows, true);
      result = static_cast<int32_t>(rows - (std::min<int64_t>(last, rows) - std::min<int64_t>(first - 1, rows)));
    } else {
      SetRowsHidden(g, 1, rows, true);
      bool found = true;
      for (const int32_t col : {strSearchCol1, strSearchCol2, strSearchCol3, strSearchCol4}) {
        if (!found) break;
        if (col < 1) continue;
        // The search column is a field of the file; a column the file lacks matches nothing.
        int64_t matched = 0;
        int32_t shown = 0;
        for (int32_t r = 1; r <= rows && matched < last; ++r) {
          const bool inFile = col <= table.max_cols;
          if (!inFile || !Matches(table.cells[static_cast<size_t>(col)][static_cast<size_t>(r)],
                                  strSearchData, strOp)) {
            continue;
          }
          if (++matched < first) continue;
          g.Row(r);
          g.RowHidden(false);
          g.SetText(0, r, std::to_string(++shown));
        }
        found = matched > 0;
        result = shown;
      }
    }
    internal::HeaderSort(*impl_, strSearchCol1);
    g.ReDraw(true);
  });
  internal::SkipStep([&] { g.ReDraw(true); });
  return result;
}

std::string ZelSheet::SetFileToString(bool DefaultDir, const std::string& strGroupDir,
                                      const std::string& strFileName, int32_t strSearchCol,
                                      int32_t strSearchRow) {
  std::string result;
  FileMember(*impl_, [&] {
    const std::string path = PathOf(*impl_, DefaultDir, strGroupDir, strFileName);
    if (!FileExists(path)) return;
    std::string content = ReadDataFile(path);
    if (strSearchCol == -1 || strSearchRow == -1) {
      result = std::move(content);
      return;
    }
    if (text::TrimView(content).empty() || strSearchCol < 0 || strSearchRow < 0) return;
    const internal::StringTable table = internal::SplitToTable(content);
    if (strSearchCol <= table.max_cols && strSearchRow <= table.max_rows) {
      result = table.cells[static_cast<size_t>(strSearchCol)][static_cast<size_t>(strSearchRow)];
    }
  });
  return result;
}

void ZelSheet::SetStringToFile(bool DefaultDir, const std::string& strGroupDir,
                               const std::string& strFileName, const std::string& strFileData) {
  FileMember(*impl_, [&] {
    WriteDataFile(PathOf(*impl_, DefaultDir, strGroupDir, strFileName),
                  strFileData + std::string(kLineBreak));
  });
}

bool ZelSheet::fnDeleteFile(bool DefaultDir, const std::string& strGroupDir,
                            const std::string& strFileName) {
  FileMember(*impl_, [&] {
    const std::string path = PathOf(*impl_, DefaultDir, strGroupDir, strFileName);
    std::error_code ec;
    if (FileExists(path) && !fs::remove(path, ec) && ec) {
      throw fs::filesystem_error("cannot delete the file", path, ec);
    }
  });
  return true;
}

}  // namespace zel
