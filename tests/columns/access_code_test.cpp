// How an access code and the screen's classes decide a column's lock, colours and
// visibility; the grid side of the same codes is checked in column_definition_test.
#include "columns/access_code.h"

#include <gtest/gtest.h>

namespace zel::internal {
namespace {

TEST(AccessCodeTest, ColumnAccessTable) {
  struct Case {
    const char* code;
    bool is_hidden, restored;
    const char* expected;  // lock, code-help back, must-input header, hide: 1/0 each
  } const cases[] = {
      {"", false, false, "0000"},        {"DIS", false, false, "1000"},
      {"DIS;EDT", false, false, "0000"},  // EDT wins over DIS
      {"SDIS;", false, false, "1000"},   {"NON;DIC", false, false, "0110"},
      {"KEY", false, false, "0010"},     {"HID", false, false, "0001"},
      {"HID", false, true, "0000"},      // the user's arrangement decides
      {"HID", true, true, "0001"},       // ControlKey forces the screen's
      {"SHID;", false, true, "0001"},    {"KEYSHID;", false, true, "0011"},
      {"Dis;hid;key", false, false, "0000"},  // codes are case sensitive
      {"xxDISyy", false, false, "1000"},  // and found anywhere
  };
  for (const auto& c : cases) {
    const ColumnAccess a = EvaluateColumnAccess(c.code, c.is_hidden, c.restored);
    const std::string got = {a.lock ? '1' : '0', a.code_help_back ? '1' : '0',
                             a.must_input_header ? '1' : '0', a.hide ? '1' : '0'};
    EXPECT_EQ(got, c.expected) << c.code << (c.is_hidden ? " hidden" : "") << (c.restored ? " restored" : "");
  }
}

TEST(AccessCodeTest, FormClassesExtendTheCode) {
  EXPECT_EQ(ExtendAccessKey("KEY", 5, 3, 0, 9), "KEYSHID;");
  EXPECT_EQ(ExtendAccessKey("", 0, 9, 9, 9), "");  // equal classes add nothing
  EXPECT_EQ(ExtendAccessKey("NON;", 9, 1, 9, 1), "NON;SHID;SDIS;");
  EXPECT_EQ(ExtendAccessKey("A", -1, 0, -1, 0), "A");  // negative classes compare as numbers
}

}  // namespace
}  // namespace zel::internal
