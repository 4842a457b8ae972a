// The companion tools that write real files (see zelsheet/file_tools.h): each export is
// written under a temporary name in the export folder and published under its final name
// only once it is complete.
#include "zelsheet/file_tools.h"

#include <unistd.h>

#include "output_files.h"

namespace zel {

namespace {

using Writer = std::function<std::string(const std::string& temporary)>;

ToolOutcome Produce(const std::function<std::string()>& folder_of, const std::string& stem,
                    const std::string& extension, const Writer& write) {
  std::string why;
  const std::string folder = companion::ReadyFolder(folder_of, why);
  if (folder.empty()) return ToolOutcome{false, "", why};
  const std::string temporary = companion::TemporaryPath(folder, extension);
  why = write(temporary);
  if (!why.empty()) {
    unlink(temporary.c_str());
    return ToolOutcome{false, "", why};
  }
  const std::string path = companion::Publish(temporary, folder, stem, extension, why);
  return ToolOutcome{!path.empty(), path, why};
}

}  // namespace

FileCompanionTools::FileCompanionTools(MessageBoxes& messages,
                                       std::function<std::string()> export_folder)
    : HeadlessCompanionTools(messages, export_folder), folder_(std::move(export_folder)) {}

ToolOutcome FileCompanionTools::sbPrint(const GridTable& grid, const std::string& title) {
  return Produce(folder_, companion::FileStem(title, "print"), ".pdf",
                 [&](const std::string& tmp) { return WritePrintout(grid, title, tmp); });
}

ToolOutcome FileCompanionTools::SendToExcel(std::string& info_field3, const GridTable& grid) {
  return Produce(folder_, companion::FileStem(info_field3, "export"), ".xlsx",
                 [&](const std::string& tmp) { return WriteWorkbook(grid, "", tmp); });
}

ToolOutcome FileCompanionTools::SendExcel(const std::string& pgm_id, std::string& info_field3,
                                          std::string& document, const GridTable& grid,
                                          std::string& header_title) {
  if (!document.empty()) {
    // The host's own target: written beside it, then moved over it whole.
    const std::string temporary = document + ".part";
    std::string why = WriteWorkbook(grid, header_title, temporary);
    if (why.empty() && companion::Replace(temporary, document, why)) {
      return ToolOutcome{true, document, ""};
    }
    unlink(temporary.c_str());
    return ToolOutcome{false, "", why};
  }
  std::string stem = companion::FileStem(header_title, "");
  if (stem.empty()) stem = companion::FileStem(info_field3, "");
  if (stem.empty()) stem = companion::FileStem(pgm_id, "export");
  return Produce(folder_, stem, ".xlsx",
                 [&](const std::string& tmp) { return WriteWorkbook(grid, header_title, tmp); });
}

ToolOutcome FileCompanionTools::sbShowChart(const GridTable& grid, int32_t, int32_t) {
  std::string svg_path;
  ToolOutcome png = Produce(folder_, "chart", ".png", [&](const std::string& tmp) {
    svg_path = tmp + ".svg";
    return WriteChart(grid, grid.titles.empty() ? "" : "Chart", svg_path, tmp);
  });
  if (!png.done) {
    unlink(svg_path.c_str());
    return png;
  }
  // The SVG takes the PNG's published name, so the two are found together.
  const std::string final_svg = png.path.substr(0, png.path.size() - 4) + ".svg";
  std::string why;
  if (!companion::Replace(svg_path, final_svg, why)) png.message = why;
  return png;
}

}  // namespace zel
