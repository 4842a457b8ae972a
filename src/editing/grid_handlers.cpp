// The sheet as its grid's listener: each event of the grid goes to the sheet's handler of
// it, or straight on to the host where the sheet has nothing to add. Nothing a handler or
// the host does lets an error back into the grid.
#include "editing/internal/grid_handlers.h"
#include "platform/failure.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

namespace {

// The grid may select rows, blocks and the whole sheet, not whole columns: a press on a
// column header starts a column drag instead.
constexpr int16_t kSheetSelectBlockOptions = 14;

class SheetGridHandlers final : public GridListener {
 public:
  explicit SheetGridHandlers(ZelSheet::Impl& s) : s_(s) {}

  void Click(int32_t col, int32_t row) override { internal::OnClick(s_, col, row); }
  void DblClick(int32_t col, int32_t row) override { internal::OnDblClick(s_, col, row); }
  void KeyDown(int16_t& keyCode, int16_t& shift) override {
    internal::OnKeyDown(s_, keyCode, shift);
  }
  void KeyPress(int16_t& keyAscii) override { internal::OnKeyPress(s_, keyAscii); }
  void KeyUp(int16_t& keyCode, int16_t& shift) override { internal::OnKeyUp(s_, keyCode, shift); }
  void MouseDown(int16_t& button, int16_t& shift, float& x, float& y) override {
    internal::OnMouseDown(s_, button, shift, x, y);
  }
  void MouseMove(int16_t& button, int16_t& shift, float& x, float& y) override {
    internal::OnMouseMove(s_, button, shift, x, y);
  }
  void MouseUp(int16_t& button, int16_t& shift, float& x, float& y) override {
    internal::OnMouseUp(s_, button, shift, x, y);
  }
  void TopLeftChange(int32_t, int32_t, int32_t, int32_t) override {
    // Never raised to the host. The records of the multi-row layout span rows, which a
    // scrolled view must paint again whole.
    if (s_.flags.is_multi_sheet) internal::SkipStep([&] { s_.sheet.Refresh(); });
  }
  void SelChange(int32_t blockCol, int32_t blockRow, int32_t blockCol2, int32_t blockRow2,
                 int32_t curCol, int32_t curRow) override {
    Raise([&](ZelSheetEvents& e) {
      e.SelChange(blockCol, blockRow, blockCol2, blockRow2, curCol, curRow);
    });
  }
  void RowHeightChange(int32_t row1, int32_t row2) override {
    internal::OnRowHeightChange(s_, row1, row2);
  }
  void ColWidthChange(int32_t col1, int32_t col2) override {
    internal::OnColWidthChange(s_, col1, col2);
  }
  void RightClick(int16_t clickType, int32_t col, int32_t row, int32_t mouseX,
                  int32_t mouseY) override {
    internal::OnRightClick(s_, clickType, col, row, mouseX, mouseY);
  }
  void LeaveRow(int32_t row, bool rowWasLast, bool rowChanged, bool allCellsHaveData,
                int32_t newRow, int32_t newRowIsLast, bool& cancel) override {
    Raise([&](ZelSheetEvents& e) {
      e.LeaveRow(row, rowWasLast, rowChanged, allCellsHaveData, newRow, newRowIsLast, cancel);
    });
  }
  void LeaveCell(int32_t col, int32_t row, int32_t newCol, int32_t newRow,
                 bool& cancel) override {
    internal::OnLeaveCell(s_, col, row, newCol, newRow, cancel);
  }
  void EnterRow(int32_t row, int32_t rowIsLast) override {
    Raise([&](ZelSheetEvents& e) { e.EnterRow(row, rowIsLast); });
  }
  void EditMode(int32_t col, int32_t row, int16_t mode, bool changeMade) override {
    Raise([&](ZelSheetEvents& e) { e.EditMode(col, row, mode, changeMade); });
  }
  void EditChange(int32_t col, int32_t row) override {
    Raise([&](ZelSheetEvents& e) { e.EditChange(col, row); });
  }
  void DragDropBlock(int32_t col, int32_t row, int32_t col2, int32_t row2, int32_t newCol,
                     int32_t newRow, int32_t newCol2, int32_t newRow2, bool overwrite,
                     int16_t& action, bool& dataOnly, bool& cancel) override {
    Raise([&](ZelSheetEvents& e) {
      e.DragDropBlock(col, row, col2, row2, newCol, newRow, newCol2, newRow2, overwrite, action,
                      dataOnly, cancel);
    });
  }
  void ComboSelChange(int32_t col, int32_t row) override {
    Raise([&](ZelSheetEvents& e) { e.ComboSelChange(col, row); });
  }
  void ComboDropDown(int32_t col, int32_t row) override {
    Raise([&](ZelSheetEvents& e) { e.ComboDropDown(col, row); });
  }
  void ComboCloseUp(int32_t col, int32_t row, int16_t selChange) override {
    Raise([&](ZelSheetEvents& e) { e.ComboCloseUp(col, row, selChange); });
  }
  void Change(int32_t col, int32_t row) override { internal::OnChange(s_, col, row); }
  void ButtonClicked(int32_t col, int32_t row, int16_t buttonDown) override {
    internal::OnButtonClicked(s_, col, row, buttonDown);
  }
  void BlockSelected(int32_t blockCol, int32_t blockRow, int32_t blockCol2,
                     int32_t blockRow2) override {
    Raise([&](ZelSheetEvents& e) { e.BlockSelected(blockCol, blockRow, blockCol2, blockRow2); });
  }
  void TextTipFetch(int32_t col, int32_t row, int16_t& multiLine, int32_t& tipWidth,
                    std::string& tipText, bool& showTip) override {
    Raise([&](ZelSheetEvents& e) {
      e.TextTipFetch(col, row, multiLine, tipWidth, tipText, showTip);
    });
  }
  void Validate(int32_t /*col*/, int32_t /*row*/, bool& cancel) override {
    // The host validates the cell the user is in.
    Raise([&](ZelSheetEvents& e) {
      e.Validate(s_.grid.ActiveCol(), s_.grid.ActiveRow(), cancel);
    });
  }
  void GotFocus() override {
    s_.editing.last_entered_col = s_.grid.ActiveCol();
    s_.editing.last_entered_row = s_.grid.ActiveRow();
    internal::SkipStep([&] { s_.grid.SelectBlockOptions(kSheetSelectBlockOptions); });
  }

 private:
  // Passes an event on to the host unchanged; what the host throws stays here.
  template <class Event>
  void Raise(Event&& raise) {
    internal::SkipStep([&] { raise(s_.Events()); });
  }

  ZelSheet::Impl& s_;
};

}  // namespace

namespace internal {

std::unique_ptr<GridListener> MakeGridHandlers(ZelSheet::Impl& s) {
  return std::make_unique<SheetGridHandlers>(s);
}

}  // namespace internal

}  // namespace zel
