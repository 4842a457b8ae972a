#include "platform/failure.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>

#include "zelsheet/testing.h"

namespace zel::internal {
namespace {

// What a box reports for each kind of thing a host or the grid may throw.
TEST(FailureTest, EveryThrownKindHasAText) {
  const struct {
    const char* name;
    std::function<void()> fail;
    std::string text;
  } cases[] = {
      {"grid error", [] { throw GridError("SetText: column 12 is beyond MaxCols 10"); },
       "SetText: column 12 is beyond MaxCols 10"},
      {"string", [] { throw std::string("host failure"); }, "host failure"},
      {"C string", [] { throw "host failure"; }, "host failure"},
      {"int", [] { throw 7; }, "Error 7"},
      {"anything else", [] { throw 1.5; }, std::string(kUnknownFailure)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    testing::ScriptedPlatform platform;
    EXPECT_FALSE(ShowFailureBox(platform, "[Title]", c.fail));
    ASSERT_EQ(platform.Boxes().size(), 1u);
    EXPECT_EQ(platform.Boxes()[0].text, c.text);
    EXPECT_EQ(platform.Boxes()[0].title, "[Title]");
    EXPECT_EQ(platform.Boxes()[0].icon, vbCritical);
    EXPECT_FALSE(SkipStep(c.fail));
    auto read = [&] {
      c.fail();
      return 1;
    };
    EXPECT_EQ(ReadOr(read, 2), 2);
  }
}

TEST(FailureTest, BoxesOnlyForFailures) {
  testing::ScriptedPlatform platform;
  EXPECT_TRUE(ShowFailureBox(platform, "t", [] {}));
  EXPECT_TRUE(ShowFailureBox(platform, "t", Status()));
  EXPECT_TRUE(platform.Boxes().empty());

  EXPECT_FALSE(ShowFailureBox(platform, "[Load]", Status::Failure("cannot read 'a.sts'")));
  EXPECT_FALSE(ShowFailureBox(platform, "[AddItem]", "Column 3, title", [] { throw 7; }));
  ASSERT_EQ(platform.Boxes().size(), 2u);
  EXPECT_EQ(platform.Boxes()[0].text, "cannot read 'a.sts'");
  EXPECT_EQ(platform.Boxes()[1].text, "Column 3, title: Error 7");
  EXPECT_EQ(Status::Failure("").Reason(), "failed");  // a failure always says something
}

}  // namespace
}  // namespace zel::internal
