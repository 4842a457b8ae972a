// The tools that leave the program: the spreadsheet export, the chart and the print. Each
// hands the companion tools a snapshot of the sheet (SheetTable) and gives the host the
// companion's outcome: the file written, or why there is none.
#include <string>

#include "platform/failure.h"
#include "sheet/info_record.h"
#include "sheet/sheet_state.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

namespace {

// Runs one companion call; missing or failing tools become an outcome that says why.
template <class Call>
ToolOutcome Run(ZelSheet::Impl& s, Call call) {
  MousePointers& mouse = s.platform.Mouse();
  const int32_t pointer = mouse.ControlPointer();
  mouse.ControlPointer(vbHourglass);
  ToolOutcome outcome;
  try {
    outcome = call(s.platform.Tools());
  } catch (...) {
    outcome = ToolOutcome{false, "", internal::CurrentFailureText()};
  }
  mouse.ControlPointer(pointer);
  return outcome;
}

ToolOutcome Forbidden() {
  return ToolOutcome{false, "", "the screen's rights do not allow taking its data out"};
}

}  // namespace

ToolOutcome ZelSheet::SendToExcel() {
  if (internal::RightsForbidCopy(impl_->identity.rights)) return Forbidden();
  GridTable table = SheetTable();
  std::string field3 = impl_->identity.export_value;
  return Run(*impl_, [&](CompanionTools& t) { return t.SendToExcel(field3, table); });
}

ToolOutcome ZelSheet::SendExcel(std::string objDocument, std::string strHeaderTitle) {
  if (internal::RightsForbidCopy(impl_->identity.rights)) return Forbidden();
  GridTable table = SheetTable();
  std::string field3 = impl_->identity.export_value;
  return Run(*impl_, [&](CompanionTools& t) {
    return t.SendExcel(impl_->identity.pgm_id, field3, objDocument, table, strHeaderTitle);
  });
}

ToolOutcome ZelSheet::SendToChart() {
  GridTable table = SheetTable();
  return Run(*impl_, [&](CompanionTools& t) { return t.sbShowChart(table, 10, 10); });
}

ToolOutcome ZelSheet::SheetPrint() {
  GridTable table = SheetTable();
  const std::string& caption = impl_->tools.form_caption;
  const std::string title = caption.empty() ? impl_->identity.pgm_id : caption;
  return Run(*impl_, [&](CompanionTools& t) { return t.sbPrint(table, title); });
}

std::string ZelSheet::FormCaption() const { return impl_->tools.form_caption; }
void ZelSheet::FormCaption(const std::string& caption) { impl_->tools.form_caption = caption; }

std::string ZelSheet::PraxiumMyFolder(const std::string& /*struserid*/) const { return ""; }

}  // namespace zel
