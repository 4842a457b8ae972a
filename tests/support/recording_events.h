// A recording event sink for tests: every event the sheet raises is appended to `calls` as
// "Name(arg,arg,...)", in the order raised, so a test compares the whole sequence at once:
//
//   RecordingEvents events;
//   ZelSheet sheet(platform, events);
//   ... scenario ...
//   EXPECT_EQ(events.Joined(), "Initialize() Show() Resize()");
//
// By-reference arguments are recorded with the value they carried in. A test that must
// answer an event (set Cancel, change KeyCode) derives from this class, overrides the event,
// calls the base to keep the record, and then changes the argument.
#pragma once

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "zelsheet/zel_sheet_events.h"

namespace zel::testing {

class RecordingEvents : public ZelSheetEvents {
 public:
  std::vector<std::string> calls;

  // The calls joined by single blanks.
  std::string Joined() const {
    std::string out;
    for (const std::string& c : calls) {
      if (!out.empty()) out += ' ';
      out += c;
    }
    return out;
  }
  // Calls whose name is `name` (without arguments), in order.
  std::vector<std::string> Named(const std::string& name) const {
    std::vector<std::string> out;
    for (const std::string& c : calls) {
      if (c.compare(0, name.size() + 1, name + "(") == 0) out.push_back(c);
    }
    return out;
  }
  void Clear() { calls.clear(); }

  void Initialize() override { Record("Initialize"); }
  void Terminate() override { Record("Terminate"); }
  void Show() override { Record("Show"); }
  void Paint() override { Record("Paint"); }
  void Hide() override { Record("Hide"); }
  void Resize() override { Record("Resize"); }
  void Click(int32_t Col, int32_t Row) override { Record("Click", Col, Row); }
  void ClickRow(int32_t Col, int32_t Row, int32_t NewCol, int32_t NewRow) override {
    Record("ClickRow", Col, Row, NewCol, NewRow);
  }
  void DblClick(int32_t Col, int32_t Row) override { Record("DblClick", Col, Row); }
  void ShowDic(int32_t Col, int32_t Row, int32_t NewCol, int32_t NewRow, bool& Cancel,
               bool& IsDblClick) override {
    Record("ShowDic", Col, Row, NewCol, NewRow, Cancel, IsDblClick);
  }
  void KeyDown(int16_t& KeyCode, int16_t& Shift) override { Record("KeyDown", KeyCode, Shift); }
  void KeyPress(int16_t& KeyAscii) override { Record("KeyPress", KeyAscii); }
  void KeyUp(int16_t& KeyCode, int16_t& Shift) override { Record("KeyUp", KeyCode, Shift); }
  void MouseDown(int16_t& Button, int16_t& Shift, float& X, float& Y) override {
    Record("MouseDown", Button, Shift, X, Y);
  }
  void MouseMove(int16_t& Button, int16_t& Shift, float& X, float& Y) override {
    Record("MouseMove", Button, Shift, X, Y);
  }
  void MouseUp(int16_t& Button, int16_t& Shift, float& X, float& Y) override {
    Record("MouseUp", Button, Shift, X, Y);
  }
  void TopLeftChange(int32_t OldLeft, int32_t OldTop, int32_t NewLeft, int32_t NewTop) override {
    Record("TopLeftChange", OldLeft, OldTop, NewLeft, NewTop);
  }
  void SelChange(int32_t BlockCol, int32_t BlockRow, int32_t BlockCol2, int32_t BlockRow2,
                 int32_t CurCol, int32_t CurRow) override {
    Record("SelChange", BlockCol, BlockRow, BlockCol2, BlockRow2, CurCol, CurRow);
  }
  void RowHeightChange(int32_t Row1, int32_t Row2) override {
    Record("RowHeightChange", Row1, Row2);
  }
  void RightClick(int16_t ClickType, int32_t Col, int32_t Row, int32_t MouseX,
                  int32_t MouseY) override {
    Record("RightClick", ClickType, Col, Row, MouseX, MouseY);
  }
  void LeaveRow(int32_t Row, bool RowWasLast, bool RowChanged, bool AllCellsHaveData,
                int32_t NewRow, int32_t NewRowIsLast, bool& Cancel) override {
    Record("LeaveRow", Row, RowWasLast, RowChanged, AllCellsHaveData, NewRow, NewRowIsLast,
           Cancel);
  }
  void LeaveCell(int32_t Col, int32_t Row, int32_t NewCol, int32_t NewRow,
                 bool& Cancel) override {
    Record("LeaveCell", Col, Row, NewCol, NewRow, Cancel);
  }
  void EnterRow(int32_t Row, int32_t RowIsLast) override { Record("EnterRow", Row, RowIsLast); }
  void EditMode(int32_t Col, int32_t Row, int16_t Mode, bool ChangeMade) override {
    Record("EditMode", Col, Row, Mode, ChangeMade);
  }
  void EditChange(int32_t Col, int32_t Row) override { Record("EditChange", Col, Row); }
  void DrawItem(int32_t Col, int32_t Row, int32_t hDC, int32_t Left, int32_t Top, int32_t Right,
                int32_t Bottom, int32_t style) override {
    Record("DrawItem", Col, Row, hDC, Left, Top, Right, Bottom, style);
  }
  void DragDropBlock(int32_t Col, int32_t Row, int32_t Col2, int32_t Row2, int32_t NewCol,
                     int32_t NewRow, int32_t NewCol2, int32_t NewRow2, bool Overwrite,
                     int16_t& Action, bool& DataOnly, bool& Cancel) override {
    Record("DragDropBlock", Col, Row, Col2, Row2, NewCol, NewRow, NewCol2, NewRow2, Overwrite,
           Action, DataOnly, Cancel);
  }
  void ComboSelChange(int32_t Col, int32_t Row) override { Record("ComboSelChange", Col, Row); }
  void ComboDropDown(int32_t Col, int32_t Row) override { Record("ComboDropDown", Col, Row); }
  void ComboCloseUp(int32_t Col, int32_t Row, int16_t SelChange) override {
    Record("ComboCloseUp", Col, Row, SelChange);
  }
  void ColWidthChange(int32_t Col1, int32_t Col2) override {
    Record("ColWidthChange", Col1, Col2);
  }
  void Change(int32_t Col, int32_t Row) override { Record("Change", Col, Row); }
  void ButtonClicked(int32_t Col, int32_t Row, int16_t ButtonDown) override {
    Record("ButtonClicked", Col, Row, ButtonDown);
  }
  void BlockSelected(int32_t BlockCol, int32_t BlockRow, int32_t BlockCol2,
                     int32_t BlockRow2) override {
    Record("BlockSelected", BlockCol, BlockRow, BlockCol2, BlockRow2);
  }
  void SheetCut(int32_t Row) override { Record("SheetCut", Row); }
  void TextTipFetch(int32_t Col, int32_t Row, int16_t& MultiLine, int32_t& TipWidth,
                    std::string& TipText, bool& ShowTip) override {
    Record("TextTipFetch", Col, Row, MultiLine, TipWidth, TipText, ShowTip);
  }
  void Validate(int32_t Col, int32_t Row, bool& Cancel) override {
    Record("Validate", Col, Row, Cancel);
  }

 protected:
  // Appends "name(a,b,...)"; Booleans as True/False, texts quoted.
  template <typename... Args>
  void Record(const char* name, const Args&... args) {
    std::ostringstream out;
    out << name << '(';
    [[maybe_unused]] const char* sep = "";
    ((out << sep, Put(out, args), sep = ","), ...);
    out << ')';
    calls.push_back(out.str());
  }

 private:
  static void Put(std::ostringstream& out, bool v) { out << (v ? "True" : "False"); }
  static void Put(std::ostringstream& out, const std::string& v) { out << '"' << v << '"'; }
  template <typename T>
  static void Put(std::ostringstream& out, const T& v) {
    out << +v;  // int16_t and friends print as numbers
  }
};

}  // namespace zel::testing
