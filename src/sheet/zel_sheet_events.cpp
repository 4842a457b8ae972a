// Default event handlers: a sink that overrides nothing hears nothing. The bodies live here,
// with unnamed parameters, so that the header can keep the interface's parameter names.
#include "zelsheet/zel_sheet_events.h"

namespace zel {

ZelSheetEvents::~ZelSheetEvents() = default;

void ZelSheetEvents::Initialize() {}
void ZelSheetEvents::Terminate() {}
void ZelSheetEvents::Show() {}
void ZelSheetEvents::Paint() {}
void ZelSheetEvents::Hide() {}
void ZelSheetEvents::Resize() {}
void ZelSheetEvents::Click(int32_t, int32_t) {}
void ZelSheetEvents::ClickRow(int32_t, int32_t, int32_t, int32_t) {}
void ZelSheetEvents::DblClick(int32_t, int32_t) {}
void ZelSheetEvents::ShowDic(int32_t, int32_t, int32_t, int32_t, bool&, bool&) {}
void ZelSheetEvents::KeyDown(int16_t&, int16_t&) {}
void ZelSheetEvents::KeyPress(int16_t&) {}
void ZelSheetEvents::KeyUp(int16_t&, int16_t&) {}
void ZelSheetEvents::MouseDown(int16_t&, int16_t&, float&, float&) {}
void ZelSheetEvents::MouseMove(int16_t&, int16_t&, float&, float&) {}
void ZelSheetEvents::MouseUp(int16_t&, int16_t&, float&, float&) {}
void ZelSheetEvents::TopLeftChange(int32_t, int32_t, int32_t, int32_t) {}
void ZelSheetEvents::SelChange(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) {}
void ZelSheetEvents::RowHeightChange(int32_t, int32_t) {}
void ZelSheetEvents::RightClick(int16_t, int32_t, int32_t, int32_t, int32_t) {}
void ZelSheetEvents::LeaveRow(int32_t, bool, bool, bool, int32_t, int32_t, bool&) {}
void ZelSheetEvents::LeaveCell(int32_t, int32_t, int32_t, int32_t, bool&) {}
void ZelSheetEvents::EnterRow(int32_t, int32_t) {}
void ZelSheetEvents::EditMode(int32_t, int32_t, int16_t, bool) {}
void ZelSheetEvents::EditChange(int32_t, int32_t) {}
void ZelSheetEvents::DrawItem(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t,
                              int32_t) {}
void ZelSheetEvents::DragDropBlock(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t,
                                   int32_t, bool, int16_t&, bool&, bool&) {}
void ZelSheetEvents::ComboSelChange(int32_t, int32_t) {}
void ZelSheetEvents::ComboDropDown(int32_t, int32_t) {}
void ZelSheetEvents::ComboCloseUp(int32_t, int32_t, int16_t) {}
void ZelSheetEvents::ColWidthChange(int32_t, int32_t) {}
void ZelSheetEvents::Change(int32_t, int32_t) {}
void ZelSheetEvents::ButtonClicked(int32_t, int32_t, int16_t) {}
void ZelSheetEvents::BlockSelected(int32_t, int32_t, int32_t, int32_t) {}
void ZelSheetEvents::SheetCut(int32_t) {}
void ZelSheetEvents::TextTipFetch(int32_t, int32_t, int16_t&, int32_t&, std::string&, bool&) {}
void ZelSheetEvents::Validate(int32_t, int32_t, bool&) {}

}  // namespace zel
