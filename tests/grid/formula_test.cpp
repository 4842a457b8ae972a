// IsFormulaValid: the expression grammar, and hostile input that must not crash.
#include <gtest/gtest.h>

#include "zelsheet/grid.h"

namespace zel {
namespace {

TEST(GridFormula, AcceptsExpressionsAndRefusesBrokenOnes) {
  const Grid g;
  struct Case {
    const char* formula;
    bool valid;
  } cases[] = {
      {"1+2", true}, {"=A1*(B2-3.5)/$C$10", true}, {"SUM(A1:B20, 3) ^ 2", true}, {"-(-1)", true},
      {"\"a\"\"b\" & C3", true}, {"IF(A1>=2, 1, 0)", true}, {"A1<>B1", true}, {"NOW()", true}, {"1e3 + .5", true},
      {"", false}, {"=", false}, {"1+", false}, {"(1+2", false}, {"1+2)", false}, {"SUM(1,)", false},
      {"\"open", false}, {"A1:", false}, {"1e", false}, {"@", false},
      {"ABCD1", false},  // not a reference, and no call
  };
  for (const Case& c : cases) EXPECT_EQ(g.IsFormulaValid(c.formula), c.valid) << c.formula;
  EXPECT_FALSE(g.IsFormulaValid(std::string(100000, '(') + "1" + std::string(100000, ')')))
      << "nesting this deep is refused, not followed";
  EXPECT_FALSE(g.IsFormulaValid(std::string(100000, '-')));
}

}  // namespace
}  // namespace zel
