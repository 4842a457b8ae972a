// How an access code and the screen's classes decide a column's lock, colours and
// visibility; the grid side of the same codes is checked in column_definition_test.
#include "columns/access_code.h"

#include <gtest/gtest.h>

#include <tuple>

namespace zel::internal {
namespace {

TEST(AccessCodeTest, ColumnAccessTable) {
  const std::tuple<const char*, bool, bool, const char*> cases[] = {
      // code, hidden by the control key, arrangement restored -> lock, code-help back,
      // must-input header, hide
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
  for (const auto& [code, hidden, restored, expected] : cases) {
    const ColumnAccess a = EvaluateColumnAccess(code, hidden, restored);
    const std::string got = {a.lock ? '1' : '0', a.code_help_back ? '1' : '0', a.must_input_header ? '1' : '0',
                             a.hide ? '1' : '0'};
    EXPECT_EQ(got, expected) << code << (hidden ? " hidden" : "") << (restored ? " restored" : "");
  }
  // The form's classes extend the code: equal classes add nothing, negative classes compare
  // as numbers.
  EXPECT_EQ(ExtendAccessKey("KEY", 5, 3, 0, 9) + "|" + ExtendAccessKey("", 0, 9, 9, 9) + "|" +
                ExtendAccessKey("NON;", 9, 1, 9, 1) + "|" + ExtendAccessKey("A", -1, 0, -1, 0),
            "KEYSHID;||NON;SHID;SDIS;|A");
}

}  // namespace
}  // namespace zel::internal
