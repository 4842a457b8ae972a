// The sheet object: creation, destruction, the control's size and surface, and the small
// state members.
#include <algorithm>
#include <stdexcept>

#include "sheet/stored_values.h"
#include "text/codepage.h"
#include "text/number.h"
#include "text/strings.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

using internal::RunStep;

namespace {
// The grid stands this far in from the control's left and top edges and is this much
// narrower and lower than the control; the frame is drawn between them.
constexpr int32_t kGridInset = 10;
constexpr int32_t kGridShrink = 30;
constexpr int32_t kFrameInset = 5;
constexpr int32_t kFrameFar = 10;
// The system colour locked sheets show their cells in (a system colour index, not BGR).
constexpr Color kSystemLockedColor = static_cast<Color>(0x8000000Bu);
}  // namespace

ZelSheet::ZelSheet(Platform& platform) : platform_(platform) {
  // The identity defaults are the member initialisers; the grid gets a single-line border.
  RunStep([&] { grid_.BorderStyle(1); });
  RunStep([&] { Events().Initialize(); });
}

ZelSheet::ZelSheet(Platform& platform, ZelSheetEvents& events)
    : platform_(platform), events_(&events) {
  RunStep([&] { grid_.BorderStyle(1); });
  RunStep([&] { Events().Initialize(); });
}

ZelSheet::~ZelSheet() {
  RunStep([&] { SaveArrangement(); });
  // The column model and display maps go first: nothing after this may reach them.
  columns_ = ColumnModel{};
  validation_.message_table.clear();
  RunStep([&] { Events().Terminate(); });
  RunStep([&] { platform_.Mouse().ControlPointer(vbDefault); });
  RunStep([&] { platform_.Mouse().ScreenPointer(vbDefault); });
}

void ZelSheet::SetEventSink(ZelSheetEvents* events) { events_ = events; }

void ZelSheet::Resize(int32_t width, int32_t height) {
  RunStep([&] {
    ControlArea& area = control_.area;
    area.drawing.clear();
    area.width = width;
    area.height = height;
    area.grid_left = kGridInset;
    area.grid_top = kGridInset;
    area.grid_width = std::max(width - kGridShrink, 0);
    area.grid_height = std::max(height - kGridShrink, 0);
    grid_.SetViewport(area.grid_width, area.grid_height);
    area.drawing.push_back(DrawnRect{kFrameInset, kFrameInset, width - kFrameFar,
                                     height - kFrameFar, settings_.colors.border_color});
  });
  RunStep([&] { Events().Resize(); });
}

void ZelSheet::Show() { RunStep([&] { Events().Show(); }); }
void ZelSheet::Paint() { RunStep([&] { Events().Paint(); }); }
void ZelSheet::Hide() { RunStep([&] { Events().Hide(); }); }

void ZelSheet::Refresh() {
  if (control_.repaint) control_.repaint();
}

void ZelSheet::SetRepaintHandler(std::function<void()> handler) {
  control_.repaint = std::move(handler);
}

void ZelSheet::Size(float, float) {}

void ZelSheet::IsSheetLock(bool locked) {
  flags_.is_sheet_lock = locked;
  const TypeSheetColor& c = settings_.colors;
  if (locked) {
    grid_.Col(-1);
    grid_.Row(-1);
    grid_.LockBackColor(kSystemLockedColor);
    grid_.LockForeColor(kSystemLockedColor);
    grid_.LockCells(true);
    grid_.Col(0);
    grid_.Row(-1);
    grid_.BackColor(c.header_row_bg_color);
    grid_.ForeColor(c.header_row_fg_color);
    grid_.Col(-1);
    grid_.Row(0);
    grid_.BackColor(c.header_col_bg_color);
    grid_.ForeColor(c.header_col_fg_color);
  } else {
    grid_.LockBackColor(c.lock_back_color);
    grid_.LockForeColor(c.lock_fore_color);
    grid_.LockCells(false);
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

int32_t ZelSheet::ColStart() { return FirstShownCol(true); }

int32_t ZelSheet::ColEnd() { return FirstShownCol(false); }

// The first column not hidden, walking from the left (or from the right); 0 when all are
// hidden. The grid's current column is put back whatever happens.
int32_t ZelSheet::FirstShownCol(bool fromLeft) {
  const int32_t saved = grid_.Col();
  const int32_t last = grid_.MaxCols();
  int32_t found = 0;
  try {
    for (int32_t i = 1; i <= last && found == 0; ++i) {
      const int32_t c = fromLeft ? i : last + 1 - i;
      grid_.Col(c);
      if (!grid_.ColHidden()) found = c;
    }
  } catch (...) {
    grid_.Col(saved);
    throw;
  }
  grid_.Col(saved);
  return found;
}

int16_t ZelSheet::MousePointer() const {
  return static_cast<int16_t>(platform_.Mouse().ControlPointer());
}

void ZelSheet::MousePointer(int16_t pointer) {
  platform_.Mouse().ScreenPointer(pointer);
  platform_.Mouse().ControlPointer(pointer);
}

bool ZelSheet::IsActiveColimageButton() const {
  const int32_t def = grid_.GetColItemData(grid_.ActiveCol());
  return columns_.HasDef(def) && columns_.Def(def).cell_type == EnImageButton;
}

}  // namespace zel
