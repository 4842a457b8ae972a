// The info record split: how many fields a screen sends decides where each value comes from.
#include "sheet/info_record.h"

#include <gtest/gtest.h>

namespace zel::internal {
namespace {

// Every value of a split record as "count|date|pgm|export|mode|language|rights|sheet|user",
// an unset value shown as "-".
std::string Split(const std::string& info) {
  const InfoRecord r = SplitInfo(info);
  return std::to_string(r.field_count) + "|" + r.date_field.value_or("-") + "|" + r.pgm_id.value_or("-") + "|" +
         r.export_value.value_or("-") + "|" + r.load_mode.value_or("-") + "|" +
         (r.language ? std::to_string(*r.language) : "-") + "|" + r.rights.value_or("-") + "|" +
         r.sheet_id.value_or("-") + "|" + r.user_id.value_or("-");
}

// Short and odd records, as hosts really send them.
TEST(InfoRecordTest, FieldCountDecidesWhereEachValueComesFrom) {
  const std::pair<const char*, const char*> cases[] = {
      {"DATE:20240105~,PGM001~,XLS~, INIT ~,1~,11111110~,S1~,kim",  // the mode trimmed
       "8|DATE:20240105|PGM001|XLS|INIT|1|11111110|S1|kim"},
      // Six fields: no rights text; the fifth is language and sheet id at once.
      {"D~,PGM~,X~,INIT~,2~,lee", "6|D|PGM|X|INIT|2|-|2|lee"},
      // Seven fields: the seventh is both sheet id and user id.
      {"D~,PGM~,X~,INIT~,2~,RIGHTS~,park", "7|D|PGM|X|INIT|2|RIGHTS|park|park"},
      // Nine fields: field 7 is the sheet id, the last field the user id.
      {"D~,PGM~,X~,M~,3~,R~,S7~,U8~,U9", "9|D|PGM|X|M|3|R|S7|U9"},
      {"onlyone", "1|onlyone|-|-|-|-|-|-|onlyone"},  // no last-but-one field
      {"D~,PGM", "2|D|PGM|-|-|-|-|D|PGM"},
      // A language that is not a number reads as 0; one beyond 16 bits is skipped.
      {"D~,P~,X~,M~,abc~,U", "6|D|P|X|M|0|-|abc|U"},
      {"D~,P~,X~,M~,40000~,U", "6|D|P|X|M|-|-|40000|U"},
      {"~,~,~,~,~,~,~,", "8|||||0|||"},  // empty fields are values too
      {"", "0|-|-|-|-|-|-|-|-"},
  };
  for (const auto& [info, expected] : cases) EXPECT_EQ(Split(info), expected) << info;
  // The eighth character of the rights forbids copying: characters, not bytes.
  EXPECT_TRUE(RightsForbidCopy("가나다라마바사0"));
  EXPECT_FALSE(RightsForbidCopy("1111111"));
}

}  // namespace
}  // namespace zel::internal
