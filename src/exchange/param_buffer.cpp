// The parameter buffer: one text a screen builds cell by cell when the fixed shapes of
// GetData do not fit its server call. It uses the save parameter grammar (every value
// followed by "~,", every line by "~I~") and is typically built as
//   AddParamHeaders();                      // the info and header lines of GetDataHeaders
//   AddParam(2, 5); AddParamString("x");    // values of one line
//   AddParamNewLine();                      // ends the line
//   send(GetParams());
// The buffer lives as long as the sheet; only these members change it.
#include <string>

#include "exchange/data_string.h"
#include "text/number.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

void ZelSheet::AddParamHeaders(const std::string& strAddHeaders) {
  exchange_.params = strAddHeaders.empty() ? GetDataHeaders() : strAddHeaders;
}

void ZelSheet::AddParam(int32_t lngCol, int32_t lngRow) {
  exchange_.params += SafeCellText(lngCol, lngRow);
  exchange_.params += internal::kFieldSeparator;
}

void ZelSheet::AddParamString(const std::string& strValue) {
  exchange_.params += strValue;
  exchange_.params += internal::kFieldSeparator;
}

void ZelSheet::AddParamString(double value) {
  AddParamString(text::NumberToText(value));
}

void ZelSheet::AddParamNewLine() { exchange_.params += internal::kRowSeparator; }

}  // namespace zel
