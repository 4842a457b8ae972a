// The events a ZelSheet raises to its host.
//
// A host derives from zel::ZelSheetEvents, overrides the events it cares about and hands the
// object to its sheet (the ZelSheet constructor or ZelSheet::SetEventSink). Every event does
// nothing by default. Parameters passed by reference may be changed by the host; the sheet
// (or the grid behind it) then sees the changed value, e.g. setting Cancel in LeaveCell or
// KeyCode to 0 in KeyDown.
//
// Events are raised on the host's thread, one at a time, from inside the sheet member or grid
// input that caused them. The order of the members is the order of the event interface.
#pragma once

#include <cstdint>
#include <string>

namespace zel {

class ZelSheetEvents {
 public:
  virtual ~ZelSheetEvents();

  // The component was created (raised by the ZelSheet constructor).
  virtual void Initialize();
  // The component is being destroyed (raised by the ZelSheet destructor).
  virtual void Terminate();
  virtual void Show();
  virtual void Paint();
  virtual void Hide();
  // The component has laid out its grid after a size change.
  virtual void Resize();

  // A single click on a cell.
  virtual void Click(int32_t Col, int32_t Row);
  // Every mouse-up: the previous click cell (Col, Row) and the current one.
  virtual void ClickRow(int32_t Col, int32_t Row, int32_t NewCol, int32_t NewRow);
  virtual void DblClick(int32_t Col, int32_t Row);
  // Code help request: after a cell change, on F9, on a double click of an unlocked cell.
  virtual void ShowDic(int32_t Col, int32_t Row, int32_t NewCol, int32_t NewRow, bool& Cancel,
                       bool& IsDblClick);

  virtual void KeyDown(int16_t& KeyCode, int16_t& Shift);
  virtual void KeyPress(int16_t& KeyAscii);
  virtual void KeyUp(int16_t& KeyCode, int16_t& Shift);
  virtual void MouseDown(int16_t& Button, int16_t& Shift, float& X, float& Y);
  virtual void MouseMove(int16_t& Button, int16_t& Shift, float& X, float& Y);
  virtual void MouseUp(int16_t& Button, int16_t& Shift, float& X, float& Y);

  // Part of the interface but never raised by the sheet.
  virtual void TopLeftChange(int32_t OldLeft, int32_t OldTop, int32_t NewLeft, int32_t NewTop);
  virtual void SelChange(int32_t BlockCol, int32_t BlockRow, int32_t BlockCol2, int32_t BlockRow2,
                         int32_t CurCol, int32_t CurRow);
  virtual void RowHeightChange(int32_t Row1, int32_t Row2);
  virtual void RightClick(int16_t ClickType, int32_t Col, int32_t Row, int32_t MouseX,
                          int32_t MouseY);
  virtual void LeaveRow(int32_t Row, bool RowWasLast, bool RowChanged, bool AllCellsHaveData,
                        int32_t NewRow, int32_t NewRowIsLast, bool& Cancel);
  virtual void LeaveCell(int32_t Col, int32_t Row, int32_t NewCol, int32_t NewRow, bool& Cancel);
  virtual void EnterRow(int32_t Row, int32_t RowIsLast);
  virtual void EditMode(int32_t Col, int32_t Row, int16_t Mode, bool ChangeMade);
  virtual void EditChange(int32_t Col, int32_t Row);
  virtual void DrawItem(int32_t Col, int32_t Row, int32_t hDC, int32_t Left, int32_t Top,
                        int32_t Right, int32_t Bottom, int32_t style);
  virtual void DragDropBlock(int32_t Col, int32_t Row, int32_t Col2, int32_t Row2, int32_t NewCol,
                             int32_t NewRow, int32_t NewCol2, int32_t NewRow2, bool Overwrite,
                             int16_t& Action, bool& DataOnly, bool& Cancel);
  virtual void ComboSelChange(int32_t Col, int32_t Row);
  virtual void ComboDropDown(int32_t Col, int32_t Row);
  virtual void ComboCloseUp(int32_t Col, int32_t Row, int16_t SelChange);
  virtual void ColWidthChange(int32_t Col1, int32_t Col2);
  // A committed change of a cell, after the row status has been tracked.
  virtual void Change(int32_t Col, int32_t Row);
  virtual void ButtonClicked(int32_t Col, int32_t Row, int16_t ButtonDown);
  virtual void BlockSelected(int32_t BlockCol, int32_t BlockRow, int32_t BlockCol2,
                             int32_t BlockRow2);
  // Raised by the cut command for each row it cuts.
  virtual void SheetCut(int32_t Row);
  // The host may fill the tip through the by-reference values.
  virtual void TextTipFetch(int32_t Col, int32_t Row, int16_t& MultiLine, int32_t& TipWidth,
                            std::string& TipText, bool& ShowTip);
  virtual void Validate(int32_t Col, int32_t Row, bool& Cancel);
};

}  // namespace zel
