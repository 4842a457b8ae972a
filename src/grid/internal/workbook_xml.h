// Workbooks in the XML spreadsheet format (the 2003 XML format that spreadsheet programs
// open and save without any library): reading one sheet's cells.
//
// What we read, and write in grid_export.cpp:
//   <?xml version="1.0" encoding="UTF-8"?>
//   <Workbook xmlns="urn:schemas-microsoft-com:office:spreadsheet"
//             xmlns:ss="urn:schemas-microsoft-com:office:spreadsheet">
//    <Styles><Style ss:ID="zelHeader"><Font ss:Bold="1"/></Style></Styles>
//    <Worksheet ss:Name="Sheet1">
//     <Table>
//      <Column ss:Width="48"/>
//      <Row ss:StyleID="zelHeader"><Cell><Data ss:Type="String">Name</Data></Cell></Row>
//      <Row><Cell><Data ss:Type="String">가나</Data></Cell>
//           <Cell ss:Index="3" ss:MergeAcross="1"><Data ss:Type="Number">12.5</Data></Cell></Row>
//     </Table>
//    </Worksheet>
//   </Workbook>
// A Row or Cell without ss:Index follows the previous one (a cell follows the previous cell's
// merged columns too). A first row styled "zelHeader" holds the column header texts; the
// data rows then start at the sheet's second row.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "grid/internal/file_io.h"

namespace zel::internal {

inline constexpr std::string_view kSpreadsheetNs = "urn:schemas-microsoft-com:office:spreadsheet";
inline constexpr std::string_view kHeaderStyleId = "zelHeader";

struct WorkbookMerge {
  int32_t col, row;  // grid address (row 0: the header row)
  int32_t across, down;
};

struct WorkbookSheet {
  std::vector<TableCell> cells;  // grid addresses: data rows 1.., header row 0
  std::vector<WorkbookMerge> merges;
};

// Parses a workbook. Fills `names` (when given) with every sheet's name in order. When `sheet`
// is given, fills it with the cells of the sheet named `want_name`, or when that is empty of
// sheet number `want_index` (0-based). Returns "" on success, else why the document was
// refused (not well-formed, not a workbook, the sheet not found, an index out of range).
std::string ReadWorkbook(std::string_view doc, std::vector<std::string>* names,
                         int32_t want_index, const std::string& want_name, WorkbookSheet* sheet);

}  // namespace zel::internal
