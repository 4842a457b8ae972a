// The parameter buffer: one text a screen builds cell by cell when the fixed shapes of
// GetData do not fit its server call. It uses the save parameter grammar (every value
// followed by "~,", every line by "~I~") and is typically built as
//   AddParamHeaders();                      // the info and header lines of GetDataHeaders
//   AddParam(2, 5); AddParamString("x");    // values of one line
//   AddParamNewLine();                      // ends the line
//   send(GetParams());
// The buffer lives as long as the sheet; only these members change it.
#include <string>

#include "exchange/internal/safe_cell_text.h"
#include "platform/failure.h"
#include "sheet/sheet_state.h"
#include "text/data_string.h"
#include "text/number.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

void ZelSheet::AddParamHeaders(const std::string& strAddHeaders) {
  impl_->exchange.params = strAddHeaders.empty() ? GetDataHeaders() : strAddHeaders;
}

void ZelSheet::AddParam(int32_t lngCol, int32_t lngRow) {
  impl_->exchange.params += internal::SafeCellText(*impl_, lngCol, lngRow);
  impl_->exchange.params += internal::kFieldSeparator;
}

void ZelSheet::AddParamString(const std::string& strValue) {
  impl_->exchange.params += strValue;
  impl_->exchange.params += internal::kFieldSeparator;
}

void ZelSheet::AddParamString(double value) {
  AddParamString(text::NumberToText(value));
}

void ZelSheet::AddParamNewLine() { impl_->exchange.params += internal::kRowSeparator; }

void ZelSheet::Info(const std::string& value) { impl_->identity.info = value; }
const std::string& ZelSheet::PgmID() const { return impl_->identity.pgm_id; }
// The stored properties tell the platform they were assigned (a failing platform is passed
// over: the value is kept either way).
void ZelSheet::PgmID(const std::string& value) {
  impl_->identity.pgm_id = value;
  internal::SkipStep([&] { impl_->platform.PropertyChanged("PgmID"); });
}
const std::string& ZelSheet::SheetID() const { return impl_->identity.sheet_id; }
void ZelSheet::SheetID(const std::string& value) {
  impl_->identity.sheet_id = value;
  internal::SkipStep([&] { impl_->platform.PropertyChanged("SheetID"); });
}
bool ZelSheet::IsPostBack() const { return impl_->exchange.is_post_back; }
void ZelSheet::IsPostBack(bool on) {
  impl_->exchange.is_post_back = on;
  internal::SkipStep([&] { impl_->platform.PropertyChanged("IsPostBack"); });
}
const std::string& ZelSheet::StringParam() const { return impl_->exchange.string_param; }
void ZelSheet::StringParam(const std::string& value) { impl_->exchange.string_param = value; }
std::string ZelSheet::GetParams() const { return impl_->exchange.params; }

}  // namespace zel
