// The host helpers' texts on their own: the writers refuse what would break a row, the
// readers split as the sheet does and refuse what is not the text they read.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "zelsheet/host_helpers.h"

namespace zel {
namespace {

using Rows = std::vector<std::vector<std::string>>;

TEST(DataStringWriter, RefusesEveryValueThatWouldBreakItsRow) {
  struct Case {
    std::string value;
    std::string breaker;
  };
  const Case refused[] = {
      {"a~,b", "~,"},   {"~,", "~,"},     {"x~I~y", "~I~"},
      {"~I~", "~I~"},   {"end~I", "~I~"},  // the "~," after it completes "~I~"
      {"~I", "~I~"},    {"서울~,부산", "~,"},
  };
  for (const Case& c : refused) {
    EXPECT_EQ(FieldBreaker(c.value), c.breaker) << c.value;
    DataStringWriter w;
    w.Field("ok").EndRow().Field("first");
    try {
      w.Field(c.value);
      ADD_FAILURE() << "accepted " << c.value;
    } catch (const WireTextError& e) {
      const std::string what = e.what();
      EXPECT_NE(what.find("row 2, field 2"), std::string::npos) << what;
      EXPECT_NE(what.find("\"" + c.breaker + "\""), std::string::npos) << what;
    }
    // The refused field left nothing behind: the row goes on as if it had not been tried.
    w.Field("last").EndRow();
    EXPECT_EQ(w.Text(), "ok~,~I~first~,last~,~I~");
  }

  // Tildes that form no separator pass and read back unchanged.
  const std::vector<std::string> safe = {"~", "a~", "I~", "~~", ",~", "~i~", "~ I~", "~I ~"};
  DataStringWriter w;
  for (const std::string& value : safe) w.Field(value);
  w.Integer(-1234).Number(12.5).Number(3).EndRow();
  EXPECT_EQ(w.RowCount(), 1);
  std::vector<std::string> expected = safe;
  expected.insert(expected.end(), {"-1234", "12.5", "3"});
  const std::string text = w.Take();
  EXPECT_EQ(ReadDataString(text), Rows{expected});
  EXPECT_EQ(w.Text(), "");
}

TEST(ReadDataString, SplitsAsDisplayDoes) {
  EXPECT_EQ(ReadDataString("a~,b~,~I~c~,d~,~I~"), (Rows{{"a", "b"}, {"c", "d"}}));
  // The text after the last "~I~" is not a row; a row's unterminated tail is a field.
  EXPECT_EQ(ReadDataString("a~,b~,~I~c~,d~,"), (Rows{{"a", "b"}}));
  EXPECT_EQ(ReadDataString("a~,b~I~~,~I~~I~"), (Rows{{"a", "b"}, {""}, {}}));
  EXPECT_EQ(ReadDataString(""), Rows{});
  // Line breaks and blanks are values like any other.
  EXPECT_EQ(ReadDataString("a\nb~, c ~,~I~"), (Rows{{"a\nb", " c "}}));
}

TEST(ReadSaveParams, ReadsBothLineFormsAndRefusesOtherTexts) {
  const SaveParams p = ReadSaveParams(
      "2|4|2|4|4|24|2|~I~WorkingTag~,~,CODE~,NAME~,~I~"
      "U~,C02~,Beta~,~I~D~,C03~,~,~I~A~,C09~,새한~,~I~~,C01~,Alpha~,~I~");
  EXPECT_EQ(p.info, "2|4|2|4|4|24|2|");
  EXPECT_EQ(p.field_names, (std::vector<std::string>{"CODE", "NAME"}));
  EXPECT_EQ(p.FieldIndex("NAME"), 1);
  EXPECT_EQ(p.FieldIndex("name"), -1);
  ASSERT_EQ(p.lines.size(), 4u);
  EXPECT_EQ(p.lines[0].tag, SaveTag::Updated);
  EXPECT_EQ(p.lines[1].tag, SaveTag::Deleted);
  EXPECT_EQ(p.lines[1].values, (std::vector<std::string>{"C03", ""}));
  EXPECT_EQ(p.lines[2].tag, SaveTag::Added);
  EXPECT_EQ(p.lines[2].values[1], "새한");
  EXPECT_EQ(p.lines[3].tag, SaveTag::Unchanged);
  EXPECT_EQ(p.lines[3].row, 0);

  // Lines of GetDataSelected carry the row number after the tag.
  const SaveParams selected =
      ReadSaveParams("1|1|1|1|9|29|2|~I~WorkingTag~,~,CODE~,NAME~,~I~A~,9~,C09~,Delta~,~I~");
  EXPECT_EQ(selected.lines.at(0).row, 9);
  EXPECT_EQ(selected.lines.at(0).values, (std::vector<std::string>{"C09", "Delta"}));

  EXPECT_TRUE(ReadSaveParams("").lines.empty());

  const std::string head = "1|1|1|1|1|21|2|~I~WorkingTag~,~,CODE~,NAME~,~I~";
  const char* refused[] = {
      "C01~,Alpha~,~I~C02~,Beta~,~I~",          // data-only text: no header
      "1|1|1|1|1|21|2|~I~",                      // no header line
      "1|1|1|1|1|21|2|~I~CODE~,NAME~,~I~U~,a~,b~,~I~",  // header without WorkingTag
  };
  for (const char* text : refused) EXPECT_THROW(ReadSaveParams(text), WireTextError) << text;
  const char* badLines[] = {
      "U~,C01~,~I~",               // one value short
      "U~,3~,C01~,Alpha~,x~,~I~",  // one value over
      "X~,C01~,Alpha~,~I~",        // the sheet status, not a tag
      "A~,x~,C01~,Alpha~,~I~",     // a row number that is not a number
      "A~,0~,C01~,Alpha~,~I~",     // nor a row
      "U~,C01~,Alpha~,",           // cut off before its "~I~"
      "U~,C01~,Alpha~,tail~I~",    // the last value without its "~,"
  };
  for (const char* line : badLines) {
    EXPECT_THROW(ReadSaveParams(head + line), WireTextError) << line;
  }
}

TEST(ResultsWriter, WritesEachFormAndRefusesWhatWouldMisread) {
  ResultsWriter w({"SEQ", "VER"});
  w.Saved({"17", "1"});
  w.Failed("코드가 중복됩니다");
  w.Failed("stale", "E9");
  EXPECT_EQ(w.RowCount(), 3u);
  const std::string rows =
      "WorkingTag~,~,SEQ~,VER~,~I~OK~,~,17~,1~,~I~ERR~,코드가 중복됩니다~,~,~,~I~E9~,stale~,~,~,";
  EXPECT_EQ(w.Text(ResultsForm::CheckSave), rows);
  EXPECT_EQ(w.Text(ResultsForm::Sheet), rows + "~I~");
  EXPECT_EQ(ResultsWriter().Text(ResultsForm::Sheet), "WorkingTag~,~,~I~");

  // A failure code the sheet would take for "saved", or none at all.
  for (const char* code : {"OK", " ok ", "Ok", "", "  "}) {
    EXPECT_THROW(w.Failed("message", code), WireTextError) << "[" << code << "]";
  }
  EXPECT_THROW(w.Saved({"17"}), WireTextError);
  EXPECT_THROW(w.Saved({"17", "1~,2"}), WireTextError);
  EXPECT_THROW(w.Failed("a~I~b"), WireTextError);
  EXPECT_THROW(ResultsWriter({"A~,B"}), WireTextError);
  EXPECT_EQ(w.RowCount(), 3u);  // nothing refused was added
}

TEST(ReadErrorList, UndoesTheLinesOfBothResultMembers) {
  const std::vector<ErrorListEntry> entries = ReadErrorList(
      "4~, ◇ 코드가 중복됩니다 ◆ 자료를 확인하십시오.~,~I~"
      "9~, stale~,E9~,~I~"
      "12~,plain~,~I~");
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].row, 4);
  EXPECT_EQ(entries[0].message, "코드가 중복됩니다");
  EXPECT_EQ(entries[0].code, "");
  EXPECT_EQ(entries[1].row, 9);
  EXPECT_EQ(entries[1].message, "stale");
  EXPECT_EQ(entries[1].code, "E9");
  EXPECT_EQ(entries[2].message, "plain");
  EXPECT_TRUE(ReadErrorList("").empty());
  for (const char* text : {"x~,msg~,~I~", "4~,~I~", "4~,a~,b~,c~,~I~", "4~,msg~I~"}) {
    EXPECT_THROW(ReadErrorList(text), WireTextError) << text;
  }
}

}  // namespace
}  // namespace zel
