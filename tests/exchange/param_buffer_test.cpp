// The parameter buffer a host builds value by value.
#include <gtest/gtest.h>

#include <string>

#include "support/sheet_fixture.h"
#include "zelsheet/zel_sheet.h"

namespace zel {
namespace {

using testing::SheetFixture;

class ParamBuffer : public ::testing::Test {
 protected:
  void SetUp() override {
    s().MaxCols(2);
    s().AddItem("CODE", "Code", EnText);
    s().AddItem("DAY", "Day", EnDate, 0, 10);
    s().Display("a~,20240101~,~I~b~,20240202~,~I~c~,20240303~,~I~d~,20240404~,~I~"
                "e~,20240505~,~I~");
  }
  ZelSheet& s() { return f_.sheet; }
  SheetFixture f_;
};

TEST_F(ParamBuffer, EmptyAtCreationAndBuiltInOrder) {
  EXPECT_EQ(SheetFixture().sheet.GetParams(), "");

  s().AddParamHeaders();
  const std::string headers = s().GetDataHeaders();
  EXPECT_EQ(s().GetParams(), headers);
  s().AddParam(2, 5);  // the outside form of the date in row 5
  s().AddParamString("x y");
  s().AddParamString(12.5);
  s().AddParamString(3);
  s().AddParamNewLine();
  s().AddParam(1, 1);
  s().AddParamNewLine();
  EXPECT_EQ(s().GetParams(), headers + "20240505~,x y~,12.5~,3~,~I~a~,~I~");
  // Reading does not consume the buffer.
  EXPECT_EQ(s().GetParams(), s().GetParams());
}

TEST_F(ParamBuffer, HeadersReplaceTheWholeBuffer) {
  s().AddParamString("old");
  s().AddParamHeaders("MINE~I~");
  EXPECT_EQ(s().GetParams(), "MINE~I~");
  s().AddParamNewLine();
  s().AddParamHeaders("");  // empty: the sheet's own two header lines
  EXPECT_EQ(s().GetParams(), s().GetDataHeaders());
}

TEST_F(ParamBuffer, BadCellsAddEmptyValues) {
  s().AddParamHeaders("H~I~");
  s().AddParam(0, 1);      // the grid text of column 0: the row status, trimmed
  s().AddParam(99, 1);     // beyond the grid
  s().AddParam(1, 99999);  // beyond the rows
  s().AddParam(-5, -5);
  s().AddParamNewLine();
  EXPECT_EQ(s().GetParams(), "H~I~~,~,~,~,~I~");
}

}  // namespace
}  // namespace zel
