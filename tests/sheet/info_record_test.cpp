// The info record split: how many fields a screen sends decides where each value comes from.
#include "sheet/info_record.h"

#include <gtest/gtest.h>

namespace zel::internal {
namespace {

TEST(InfoRecordTest, EightFieldsFillEveryValue) {
  const InfoRecord r =
      SplitInfo("DATE:20240105~,PGM001~,XLS~, INIT ~,1~,11111110~,S1~,kim");
  EXPECT_EQ(r.field_count, 8);
  EXPECT_EQ(r.date_field, "DATE:20240105");
  EXPECT_EQ(r.pgm_id, "PGM001");
  EXPECT_EQ(r.export_value, "XLS");
  EXPECT_EQ(r.load_mode, "INIT");  // trimmed
  EXPECT_EQ(r.language, 1);
  EXPECT_EQ(r.rights, "11111110");
  EXPECT_EQ(r.sheet_id, "S1");
  EXPECT_EQ(r.user_id, "kim");
}

// Short and odd records, as hosts really send them. Unset values are shown as "-".
TEST(InfoRecordTest, ShortRecordsTakeSheetAndUserFromTheEnd) {
  struct Case {
    const char* info;
    const char* pgm;
    const char* rights;
    const char* sheet;
    const char* user;
    int language;  // -1: unset
  };
  const Case cases[] = {
      // Six fields: no rights text; the fifth is language and sheet id at once.
      {"D~,PGM~,X~,INIT~,2~,lee", "PGM", "-", "2", "lee", 2},
      // Seven fields: the seventh is both sheet id and user id.
      {"D~,PGM~,X~,INIT~,2~,RIGHTS~,park", "PGM", "RIGHTS", "park", "park", 2},
      // Nine fields: field 7 is the sheet id, the last field the user id.
      {"D~,PGM~,X~,M~,3~,R~,S7~,U8~,U9", "PGM", "R", "S7", "U9", 3},
      // One field: it is the user id; there is no last-but-one field.
      {"onlyone", "-", "-", "-", "onlyone", -1},
      // Two fields: user id and sheet id come from them, program id too.
      {"D~,PGM", "PGM", "-", "D", "PGM", -1},
      // A language that is not a number reads as 0; one beyond 16 bits is skipped.
      {"D~,P~,X~,M~,abc~,U", "P", "-", "abc", "U", 0},
      {"D~,P~,X~,M~,40000~,U", "P", "-", "40000", "U", -1},
      // Empty fields are values too (the sheet id becomes "").
      {"~,~,~,~,~,~,~,", "", "", "", "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.info);
    const InfoRecord r = SplitInfo(c.info);
    EXPECT_EQ(r.pgm_id.value_or("-"), c.pgm);
    EXPECT_EQ(r.rights.value_or("-"), c.rights);
    EXPECT_EQ(r.sheet_id.value_or("-"), c.sheet);
    EXPECT_EQ(r.user_id.value_or("-"), c.user);
    EXPECT_EQ(r.language ? *r.language : -1, c.language);
  }
}

TEST(InfoRecordTest, EmptyRecordHasNoFields) {
  const InfoRecord r = SplitInfo("");
  EXPECT_EQ(r.field_count, 0);
  EXPECT_FALSE(r.date_field || r.pgm_id || r.load_mode || r.language || r.rights ||
               r.sheet_id || r.user_id);
}

TEST(InfoRecordTest, DateStampNeedsTheExactPrefix) {
  EXPECT_EQ(DateStampOf("DATE:20240105"), "20240105");
  EXPECT_EQ(DateStampOf("DATE:"), "");
  EXPECT_EQ(DateStampOf("date:20240105"), std::nullopt);
  EXPECT_EQ(DateStampOf("20240105"), std::nullopt);
  EXPECT_EQ(DateStampOf("DATE"), std::nullopt);
}

TEST(InfoRecordTest, RightsForbidCopyOnlyByTheEighthCharacter) {
  EXPECT_TRUE(RightsForbidCopy("11111110"));
  EXPECT_TRUE(RightsForbidCopy("가나다라마바사0"));  // characters, not bytes
  EXPECT_FALSE(RightsForbidCopy("11111111"));
  EXPECT_FALSE(RightsForbidCopy("0000000"));  // too short: no eighth character
  EXPECT_FALSE(RightsForbidCopy(""));
}

}  // namespace
}  // namespace zel::internal
