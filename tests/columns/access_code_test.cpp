#include "columns/access_code.h"

#include <gtest/gtest.h>

namespace zel::internal {
namespace {

TEST(AccessCodeTest, CodesAreCaseSensitiveSubstrings) {
  EXPECT_TRUE(HasCode("NON;DIC;", "DIC"));
  EXPECT_TRUE(HasCode("xxDISyy", "DIS"));
  EXPECT_TRUE(HasCode("SHID", "HID"));   // the system code holds the plain one
  EXPECT_TRUE(HasCode("SDIS;", "DIS"));
  EXPECT_FALSE(HasCode("dis", "DIS"));
  EXPECT_FALSE(HasCode("", "DIS"));
  EXPECT_FALSE(HasCode("HID", "SHID"));
  EXPECT_FALSE(HasCode("anything", ""));
}

struct ColumnCase {
  const char* code;
  bool is_hidden;
  bool restored;
  bool lock, code_help, must_input, hide;
};

TEST(AccessCodeTest, ColumnAccessTable) {
  const ColumnCase cases[] = {
      {"", false, false, false, false, false, false},
      {"DIS", false, false, true, false, false, false},
      {"DIS;EDT", false, false, false, false, false, false},  // EDT wins over DIS
      {"SDIS;", false, false, true, false, false, false},
      {"NON;DIC", false, false, false, true, true, false},
      {"KEY", false, false, false, false, true, false},
      {"HID", false, false, false, false, false, true},
      {"HID", false, true, false, false, false, false},  // the user's arrangement decides
      {"HID", true, true, false, false, false, true},    // ControlKey forces the screen's
      {"SHID;", false, true, false, false, false, true},
      {"KEYSHID;", false, true, false, false, true, true},
      {"Dis;hid;key", false, false, false, false, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.code) + (c.is_hidden ? " hidden" : "") +
                 (c.restored ? " restored" : ""));
    const ColumnAccess a = EvaluateColumnAccess(c.code, c.is_hidden, c.restored);
    EXPECT_EQ(a.lock, c.lock);
    EXPECT_EQ(a.code_help_back, c.code_help);
    EXPECT_EQ(a.must_input_header, c.must_input);
    EXPECT_EQ(a.hide, c.hide);
  }
}

TEST(AccessCodeTest, FormClassesExtendTheCode) {
  EXPECT_EQ(ExtendAccessKey("KEY", 5, 3, 0, 9), "KEYSHID;");
  EXPECT_EQ(ExtendAccessKey("", 0, 9, 9, 9), "");       // equal classes add nothing
  EXPECT_EQ(ExtendAccessKey("", 0, 9, 9, 8), "SDIS;");
  EXPECT_EQ(ExtendAccessKey("NON;", 9, 1, 9, 1), "NON;SHID;SDIS;");
  EXPECT_EQ(ExtendAccessKey("A", -1, 0, -1, 0), "A");   // negative classes compare as numbers
}

TEST(AccessCodeTest, FieldAccess) {
  EXPECT_FALSE(EvaluateFieldAccess("").applies);
  auto dis = EvaluateFieldAccess("DIS;DIC");
  EXPECT_TRUE(dis.applies);
  EXPECT_EQ(dis.paint, FieldAccess::Paint::kLocked);  // DIS paints locked even with DIC
  EXPECT_TRUE(dis.lock);
  EXPECT_FALSE(dis.unlock);
  auto dic = EvaluateFieldAccess("DIC");
  EXPECT_EQ(dic.paint, FieldAccess::Paint::kCodeHelp);
  EXPECT_FALSE(dic.lock);
  auto edt = EvaluateFieldAccess("DIS;EDT");
  EXPECT_TRUE(edt.lock);
  EXPECT_TRUE(edt.unlock);
  EXPECT_EQ(EvaluateFieldAccess("KEY").paint, FieldAccess::Paint::kNormal);
}

}  // namespace
}  // namespace zel::internal
