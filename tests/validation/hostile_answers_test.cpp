// Whatever the server sends, the result members finish: no exception, no crash, every
// pending row either settled, failed or left for the next save.
#include <gtest/gtest.h>

#include <string>

#include "save_sheet.h"

namespace zel::testing {
namespace {

std::string Hostile(int i) {
  switch (i) {
    case 0: return "~I~";
    case 1: return "~I~~I~~I~~I~~I~~I~";
    case 2: return "~,~,~,~,~,";
    case 3: return std::string("WorkingTag~,~,SEQ~,~I~OK\0~,~,x~,~I~", 34);
    case 4: return "WorkingTag~,~,SEQ~,~I~\xff\xfe~,\xc3~,~I~OK~,~,\xe2\x82~,~I~";
    case 5: return "WorkingTag~,~,SEQ~,~I~OK~,~," + std::string(1 << 20, 'k') + "~,~I~";
    case 6: return "~I~OK~I~OK~I~OK~I~OK~I~OK~I~OK~I~OK~I~OK~I~OK~I~OK~I~OK~I~OK~I~";
    case 7: return "WorkingTag~,~,SEQ~,~I~OK~,\n~,\r\n~,~I~ok~,~,~,~I~OK~,~,~,";
    case 8: return "~";
    case 9: return "~I";
    default: return std::string(1000, ',');
  }
}

TEST(HostileAnswersTest, EveryMemberFinishes) {
  for (int i = 0; i <= 10; ++i) {
    for (const int32_t keyIndex : {-5, 0, 2, 1 << 30}) {
      SCOPED_TRACE(std::to_string(i) + " key " + std::to_string(keyIndex));
      SaveSheet s;
      s.Show({"R1", "R2", "R3", "R4"});
      s.Status(1, "A");
      s.Status(2, "X");
      s.Status(4, "U");
      s.sheet.CellText(kChk, 3, "1");
      const std::string answer = Hostile(i);
      EXPECT_NO_THROW(s.sheet.MessageCheckSaveSheet(answer, keyIndex, kOldSeq, kSeq, keyIndex,
                                                    -1, 1 << 30));
      EXPECT_NO_THROW(s.sheet.MessageCheckSave(answer, 0, "Save"));
      EXPECT_NO_THROW(s.sheet.MessageCheckSave(answer, kChk, "", true));
      EXPECT_NO_THROW(s.sheet.MessageCheckSave(answer, "-7", "Save", true));
      EXPECT_NO_THROW(s.sheet.fnCheckNotNull());
      EXPECT_LE(s.sheet.DataRowCnt(), 4);
      EXPECT_GE(s.sheet.ErrorCount(), 0);
    }
  }
}

TEST(HostileAnswersTest, MultiRowLayoutWithoutRecordsFinishes) {
  SaveSheet s;
  s.Show({"R1", "R2", "R3"});
  s.Status(2, "U");
  s.sheet.IsMultiSheet(true);  // set by a host without declaring any field record
  for (int i = 0; i <= 10; ++i) {
    SCOPED_TRACE(i);
    EXPECT_NO_THROW(s.sheet.MessageCheckSaveSheet(Hostile(i), 2, 1, 2));
    EXPECT_NO_THROW(s.sheet.fnCheckNotNull());
    EXPECT_EQ(s.sheet.FieldNo("CODE"), -1);
  }
}

}  // namespace
}  // namespace zel::testing
