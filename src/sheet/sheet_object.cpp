// The sheet object: creation, destruction, the control's size and surface, and the small
// state members.
#include <algorithm>
#include <stdexcept>

#include "platform/failure.h"
#include "sheet/sheet_state.h"
#include "text/codepage.h"
#include "text/number.h"
#include "text/strings.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

using internal::SkipStep;

namespace {
// The grid stands this far in from the control's left and top edges and is this much
// narrower and lower than the control; the frame is drawn between them.
constexpr int32_t kGridInset = 10;
constexpr int32_t kGridShrink = 30;
constexpr int32_t kFrameInset = 5;
constexpr int32_t kFrameFar = 10;
// The system colour locked sheets show their cells in (a system colour index, not BGR).
constexpr Color kSystemLockedColor = static_cast<Color>(0x8000000Bu);

// The first column not hidden, walking from the left (or from the right); 0 when all are
// hidden. The grid's current column is put back whatever happens.
int32_t FirstShownCol(ZelSheet::Impl& s, bool fromLeft) {
  const int32_t saved = s.grid.Col();
  const int32_t last = s.grid.MaxCols();
  int32_t found = 0;
  try {
    for (int32_t i = 1; i <= last && found == 0; ++i) {
      const int32_t c = fromLeft ? i : last + 1 - i;
      s.grid.Col(c);
      if (!s.grid.ColHidden()) found = c;
    }
  } catch (...) {
    s.grid.Col(saved);
    throw;
  }
  s.grid.Col(saved);
  return found;
}

}  // namespace

namespace {
// Creation, for both constructors. The identity defaults are the member initialisers.
void Create(ZelSheet::Impl& s) {
  // The sheet hears what the user does to its grid; the grid's copy, cut and paste use the
  // platform's clipboard.
  s.handlers = internal::MakeGridHandlers(s);
  s.grid.SetListener(s.handlers.get());
  SkipStep([&] { s.grid.AttachClipboard(&s.platform.Clip()); });
  // Ctrl+C and Ctrl+X are the sheet's own copy command, which honours the screen's rights;
  // the grid only pastes by itself.
  SkipStep([&] { s.grid.ClipboardOptions(4); });
  SkipStep([&] { s.grid.BorderStyle(1); });
  SkipStep([&] { s.Events().Initialize(); });
}
}  // namespace

ZelSheet::ZelSheet(Platform& platform) : impl_(std::make_unique<Impl>(*this, platform, nullptr)) {
  Create(*impl_);
}

ZelSheet::ZelSheet(Platform& platform, ZelSheetEvents& events)
    : impl_(std::make_unique<Impl>(*this, platform, &events)) {
  Create(*impl_);
}

ZelSheet::~ZelSheet() {
  impl_->grid.SetListener(nullptr);
  SkipStep([&] { impl_->SaveArrangementOnClose(); });
  // The column model and display maps go first: nothing after this may reach them.
  impl_->columns = ColumnModel{};
  impl_->validation.message_table.clear();
  SkipStep([&] { impl_->Events().Terminate(); });
  SkipStep([&] { impl_->platform.Mouse().ControlPointer(vbDefault); });
  SkipStep([&] { impl_->platform.Mouse().ScreenPointer(vbDefault); });
}

void ZelSheet::SetEventSink(ZelSheetEvents* events) { impl_->events = events; }

void ZelSheet::Resize(int32_t width, int32_t height) {
  SkipStep([&] {
    ControlArea& area = impl_->control.area;
    area.drawing.clear();
    area.width = width;
    area.height = height;
    area.grid_left = kGridInset;
    area.grid_top = kGridInset;
    area.grid_width = std::max(width - kGridShrink, 0);
    area.grid_height = std::max(height - kGridShrink, 0);
    impl_->grid.SetViewport(area.grid_width, area.grid_height);
    area.drawing.push_back(DrawnRect{kFrameInset, kFrameInset, width - kFrameFar,
                                     height - kFrameFar, impl_->settings.colors.border_color});
  });
  SkipStep([&] { impl_->Events().Resize(); });
}

void ZelSheet::Show() { SkipStep([&] { impl_->Events().Show(); }); }
void ZelSheet::Paint() { SkipStep([&] { impl_->Events().Paint(); }); }
void ZelSheet::Hide() { SkipStep([&] { impl_->Events().Hide(); }); }

void ZelSheet::Refresh() {
  if (impl_->control.repaint) impl_->control.repaint();
}

void ZelSheet::SetRepaintHandler(std::function<void()> handler) {
  impl_->control.repaint = std::move(handler);
}

void ZelSheet::Size(float, float) {}

void ZelSheet::IsSheetLock(bool locked) {
  impl_->flags.is_sheet_lock = locked;
  const TypeSheetColor& c = impl_->settings.colors;
  if (locked) {
    impl_->grid.Col(-1);
    impl_->grid.Row(-1);
    impl_->grid.LockBackColor(kSystemLockedColor);
    impl_->grid.LockForeColor(kSystemLockedColor);
    impl_->grid.LockCells(true);
    impl_->grid.Col(0);
    impl_->grid.Row(-1);
    impl_->grid.BackColor(c.header_row_bg_color);
    impl_->grid.ForeColor(c.header_row_fg_color);
    impl_->grid.Col(-1);
    impl_->grid.Row(0);
    impl_->grid.BackColor(c.header_col_bg_color);
    impl_->grid.ForeColor(c.header_col_fg_color);
  } else {
    impl_->grid.LockBackColor(c.lock_back_color);
    impl_->grid.LockForeColor(c.lock_fore_color);
    impl_->grid.LockCells(false);
  }
}

int16_t ZelSheet::LenH(const std::string& sSource) const {
  return text::CInt(text::LenH(sSource));
}

std::string ZelSheet::SCut(std::string& CutString, int32_t& CutLength) const {
  if (text::TrimView(CutString).empty()) return "";
  if (CutLength < 0) throw std::invalid_argument("SCut: negative length");
  const int32_t bytes = text::LenH(CutString);
  if (CutLength > bytes) CutLength = bytes;
  // The longest prefix of at most CutLength bytes: a two-byte character the cut would split
  // is left out of it, so it moves whole into the rest.
  std::string head = text::SCut(CutString, CutLength);
  CutString.erase(0, head.size());
  return head;
}

int32_t ZelSheet::ColStart() { return FirstShownCol(*impl_, true); }

int32_t ZelSheet::ColEnd() { return FirstShownCol(*impl_, false); }

int16_t ZelSheet::MousePointer() const {
  return static_cast<int16_t>(impl_->platform.Mouse().ControlPointer());
}

void ZelSheet::MousePointer(int16_t pointer) {
  impl_->platform.Mouse().ScreenPointer(pointer);
  impl_->platform.Mouse().ControlPointer(pointer);
}

bool ZelSheet::IsActiveColimageButton() const {
  const int32_t def = impl_->grid.GetColItemData(impl_->grid.ActiveCol());
  return impl_->columns.HasDef(def) && impl_->columns.Def(def).cell_type == EnImageButton;
}

// ---- Plain fields ------------------------------------------------------------------------

const ControlArea& ZelSheet::Area() const { return impl_->control.area; }
std::string ZelSheet::UserID() const { return impl_->identity.user_id; }
void ZelSheet::UserID(const std::string& userId) { impl_->identity.user_id = userId; }
int32_t ZelSheet::gSelectSheet() const { return impl_->flags.g_select_sheet; }
void ZelSheet::gSelectSheet(int32_t v) { impl_->flags.g_select_sheet = v; }
int32_t ZelSheet::gCheckCol() const { return impl_->flags.g_check_col; }
void ZelSheet::gCheckCol(int32_t v) { impl_->flags.g_check_col = v; }
int32_t ZelSheet::gSelectCol() const { return impl_->flags.g_select_col; }
void ZelSheet::gSelectCol(int32_t v) { impl_->flags.g_select_col = v; }
int32_t ZelSheet::gDisCol() const { return impl_->flags.g_dis_col; }
void ZelSheet::gDisCol(int32_t v) { impl_->flags.g_dis_col = v; }
bool ZelSheet::IsMultiSheet() const { return impl_->flags.is_multi_sheet; }
void ZelSheet::IsMultiSheet(bool on) { impl_->flags.is_multi_sheet = on; }
bool ZelSheet::IsDataDisplay() const { return impl_->flags.is_data_display; }
void ZelSheet::IsDataDisplay(bool on) { impl_->flags.is_data_display = on; }
bool ZelSheet::IsNoColSort() const { return impl_->flags.is_no_col_sort; }
void ZelSheet::IsNoColSort(bool on) { impl_->flags.is_no_col_sort = on; }
bool ZelSheet::IsDblClickColor() const { return impl_->flags.is_dbl_click_color; }
void ZelSheet::IsDblClickColor(bool on) { impl_->flags.is_dbl_click_color = on; }
bool ZelSheet::IsNoButtonClick() const { return impl_->flags.is_no_button_click; }
void ZelSheet::IsNoButtonClick(bool on) { impl_->flags.is_no_button_click = on; }
bool ZelSheet::IsNoAddCellSpan() const { return impl_->flags.is_no_add_cell_span; }
void ZelSheet::IsNoAddCellSpan(bool on) { impl_->flags.is_no_add_cell_span = on; }
bool ZelSheet::IsNoRowEdit() const { return impl_->flags.is_no_row_edit; }
void ZelSheet::IsNoRowEdit(bool on) { impl_->flags.is_no_row_edit = on; }
void ZelSheet::IsSheetInit(bool on) { impl_->flags.is_sheet_init = on; }
bool ZelSheet::IsNoRowHeaderChange() const { return impl_->flags.is_no_row_header_change; }
void ZelSheet::IsNoRowHeaderChange(bool on) { impl_->flags.is_no_row_header_change = on; }
bool ZelSheet::IsNoColMove() const { return impl_->flags.is_no_col_move; }
void ZelSheet::IsNoColMove(bool on) { impl_->flags.is_no_col_move = on; }
bool ZelSheet::IsActiveCellTop() const { return impl_->flags.is_active_cell_top; }
void ZelSheet::IsActiveCellTop(bool on) { impl_->flags.is_active_cell_top = on; }
bool ZelSheet::IsClearHeaderInfo() const { return impl_->flags.is_clear_header_info; }
void ZelSheet::IsClearHeaderInfo(bool on) { impl_->flags.is_clear_header_info = on; }
bool ZelSheet::IsClear() const { return impl_->flags.is_clear; }
void ZelSheet::IsClear(bool on) { impl_->flags.is_clear = on; }
bool ZelSheet::IsSaveToFileDataOnly() const { return impl_->flags.is_save_to_file_data_only; }
void ZelSheet::IsSaveToFileDataOnly(bool on) { impl_->flags.is_save_to_file_data_only = on; }
bool ZelSheet::IsSheetLock() const { return impl_->flags.is_sheet_lock; }
int16_t ZelSheet::Appearance() const { return impl_->flags.appearance; }
void ZelSheet::Appearance(int16_t appearance) { impl_->flags.appearance = appearance; }
int16_t ZelSheet::SortKeyNo() const { return impl_->flags.sort_key_no; }
void ZelSheet::SortKeyNo(int16_t keys) { impl_->flags.sort_key_no = keys; }
int32_t ZelSheet::EditCol() const { return impl_->editing.edit_col; }
int32_t ZelSheet::EditRow() const { return impl_->editing.edit_row; }

}  // namespace zel
