// fnCheckNotNull, and the message table as loaded with the sheet and used by the save members.
#include <gtest/gtest.h>

#include <string>

#include "save_sheet.h"

namespace zel::testing {
namespace {

constexpr const char* kRequired = "의 필수입력항목을 입력하지 않았습니다.";

TEST(CheckNotNullTest, WhichCellsCountAsMissing) {
  struct Case {
    const char* status;  // of row 2
    int32_t def;
    const char* value;
    const char* box;  // "" when the check passes
  } const cases[] = {
      {"U", kQty, "0", "'Qty' "},    {"U", kQty, "12", ""},       {"U", kName, "0", ""},
      {"A", kName, "   ", "'Name' "}, {"X", kName, "", "'Name' "}, {"", kName, "", ""},
      {"D", kName, "", ""},          {" U", kName, "", ""},       {"U", kSeq, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.status) + "/" + c.value + "/" + std::to_string(c.def));
    SaveSheet s;
    s.Show({"C1|n1|1", "C2|n2|2", "C3|n3|3"});
    s.Status(2, c.status);
    s.sheet.CellText(c.def, 2, c.value);
    // The cursor is on the gap while the box is up (though the box took the focus and the
    // cursor) and after.
    std::string cursors;
    const auto cursor = [&] { cursors += std::to_string(s.grid().ActiveCol() * 100 + s.grid().ActiveRow()) + " "; };
    s.platform.on_box = [&] { cursor(); s.grid().SetActiveCell(1, 1); };
    EXPECT_EQ(s.sheet.fnCheckNotNull(), *c.box == '\0');
    cursor();
    const std::string at = std::to_string(s.sheet.ColX(c.def) * 100 + 2) + " ";
    EXPECT_EQ(s.TakeBoxes(), *c.box ? std::string("i: ") + c.box + kRequired : "");
    EXPECT_EQ(cursors, *c.box ? at + at : "101 ");
  }
}

// The first gap top-down, in definition order within a row, named by the shown title.
TEST(CheckNotNullTest, StopsAtTheFirstGap) {
  SaveSheet s;
  EXPECT_TRUE(s.sheet.fnCheckNotNull());
  s.Show({});
  EXPECT_TRUE(s.sheet.fnCheckNotNull());  // spare "A" rows below the data are not checked
  s.Show({"C1|n1|0", "C2|n2|2", "C3||0"});
  s.Marks("U U");
  s.sheet.fnSetHeaderText(kName, "ABC");
  EXPECT_FALSE(s.sheet.fnCheckNotNull());
  s.sheet.CellText(kQty, 1, "7");
  EXPECT_FALSE(s.sheet.fnCheckNotNull());
  EXPECT_EQ(s.TakeBoxes(), std::string("i: 'Qty' ") + kRequired + "\ni: 'ABC' " + kRequired);
}

}  // namespace
}  // namespace zel::testing
