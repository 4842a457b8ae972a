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
  // Each value with the separator it would make; "~I" ends in a "~I~" with the "~," after it.
  const std::pair<std::string, std::string> refused[] = {
      {"a~,b", "~,"}, {"~,", "~,"},   {"x~I~y", "~I~"}, {"~I~", "~I~"},
      {"~I", "~I~"},  {"끝~I", "~I~"}, {"서울~,부산", "~,"}};
  for (const auto& [value, breaker] : refused) {
    EXPECT_EQ(FieldBreaker(value), breaker) << value;
    DataStringWriter w;
    w.Field("ok").EndRow().Field("first");
    try {
      w.Field(value);
      ADD_FAILURE() << "accepted " << value;
    } catch (const WireTextError& e) {
      EXPECT_NE(std::string(e.what()).find("row 2, field 2"), std::string::npos) << e.what();
    }
    // The refused field left nothing behind.
    w.Field("last").EndRow();
    EXPECT_EQ(w.Text(), "ok~,~I~first~,last~,~I~");
  }

  // Tildes that form no separator pass and read back unchanged.
  const std::vector<std::string> safe = {"~", "a~", "I~", "~~", ",~", "~i~", "~ I~", "~I ~"};
  DataStringWriter w;
  for (const std::string& value : safe) w.Field(value);
  w.Integer(-1234).Number(12.5).Number(3).EndRow();
  EXPECT_EQ(ReadDataString(w.Take()), (Rows{{"~", "a~", "I~", "~~", ",~", "~i~", "~ I~", "~I ~", "-1234", "12.5", "3"}}));
  EXPECT_EQ(w.Text(), "");
}

TEST(ReadDataString, SplitsAsDisplayDoes) {
  EXPECT_EQ(ReadDataString("a~,b~,~I~c~,d~,~I~"), (Rows{{"a", "b"}, {"c", "d"}}));
  // The text after the last "~I~" is not a row; a row's unterminated tail is a field.
  EXPECT_EQ(ReadDataString("a~,b~,~I~c~,d~,"), (Rows{{"a", "b"}}));
  EXPECT_EQ(ReadDataString("a~,b~I~~,~I~~I~"), (Rows{{"a", "b"}, {""}, {}}));
  EXPECT_EQ(ReadDataString("a\nb~, c ~,~I~"), (Rows{{"a\nb", " c "}}));
}

// The lines of a save text as "tag row values..." joined by " / ".
std::string Render(const SaveParams& p) {
  std::string out;
  for (const SaveLine& line : p.lines) {
    out += (out.empty() ? "" : " / ") + std::string(1, "-AUD"[static_cast<int>(line.tag)]) + " " + std::to_string(line.row);
    for (const std::string& v : line.values) out += " " + v;
  }
  return out;
}

TEST(ReadSaveParams, ReadsBothLineFormsAndRefusesOtherTexts) {
  const std::string head = "2|4|2|4|4|24|2|~I~WorkingTag~,~,CODE~,NAME~,~I~";
  const SaveParams p = ReadSaveParams(head + "U~,C02~,Beta~,~I~D~,C03~,~,~I~~,C01~,새한~,~I~");
  EXPECT_EQ(p.info, "2|4|2|4|4|24|2|");
  EXPECT_EQ(p.field_names, (std::vector<std::string>{"CODE", "NAME"}));
  EXPECT_EQ(p.FieldIndex("NAME") * 10 + p.FieldIndex("name"), 9);
  EXPECT_EQ(Render(p), "U 0 C02 Beta / D 0 C03  / - 0 C01 새한");
  // Lines of GetDataSelected carry the row number after the tag.
  EXPECT_EQ(Render(ReadSaveParams(head + "A~,9~,C09~,Delta~,~I~")), "A 9 C09 Delta");
  EXPECT_TRUE(ReadSaveParams("").lines.empty());

  const std::string refused[] = {
      "C01~,Alpha~,~I~C02~,Beta~,~I~",                  // data-only text: no header
      "1|1|1|1|1|21|2|~I~",                             // no header line
      "1|1|1|1|1|21|2|~I~CODE~,NAME~,~I~U~,a~,b~,~I~",  // header without WorkingTag
      head + "U~,C01~,~I~",                             // one value short
      head + "U~,3~,C01~,Alpha~,x~,~I~",                // one value over
      head + "X~,C01~,Alpha~,~I~",                      // the sheet status, not a tag
      head + "A~,x~,C01~,Alpha~,~I~",                   // a row number that is not a number
      head + "A~,0~,C01~,Alpha~,~I~",                   // nor a row
      head + "U~,C01~,Alpha~,",                         // cut off before its "~I~"
      head + "U~,C01~,Alpha~,tail~I~",                  // the last value without its "~,"
  };
  for (const std::string& text : refused) EXPECT_THROW(ReadSaveParams(text), WireTextError) << text;
}

TEST(ResultsWriter, WritesEachFormAndRefusesWhatWouldMisread) {
  ResultsWriter w({"SEQ", "VER"});
  w.Saved({"17", "1"});
  w.Failed("코드가 중복됩니다");
  w.Failed("stale", "E9");
  const std::string rows =
      "WorkingTag~,~,SEQ~,VER~,~I~OK~,~,17~,1~,~I~ERR~,코드가 중복됩니다~,~,~,~I~E9~,stale~,~,~,";
  EXPECT_EQ(w.Text(ResultsForm::CheckSave), rows);
  EXPECT_EQ(w.Text(ResultsForm::Sheet), rows + "~I~");
  EXPECT_EQ(ResultsWriter().Text(ResultsForm::Sheet), "WorkingTag~,~,~I~");

  // A failure code the sheet would take for "saved", or none at all.
  for (const char* code : {"OK", " ok ", "Ok", "", "  "}) EXPECT_THROW(w.Failed("message", code), WireTextError) << code;
  EXPECT_THROW(w.Saved({"17"}), WireTextError);
  EXPECT_THROW(w.Saved({"17", "1~,2"}), WireTextError);
  EXPECT_THROW(w.Failed("a~I~b"), WireTextError);
  EXPECT_THROW(ResultsWriter({"A~,B"}), WireTextError);
  EXPECT_EQ(w.RowCount(), 3u);  // nothing refused was added
}

TEST(ReadErrorList, UndoesTheLinesOfBothResultMembers) {
  std::string read;
  for (const ErrorListEntry& e : ReadErrorList("4~, ◇ 코드가 중복됩니다 ◆ 자료를 확인하십시오.~,~I~"
                                               "9~, stale~,E9~,~I~12~,plain~,~I~")) {
    read += std::to_string(e.row) + ":" + e.message + ":" + e.code + " ";
  }
  EXPECT_EQ(read, "4:코드가 중복됩니다: 9:stale:E9 12:plain: ");
  EXPECT_TRUE(ReadErrorList("").empty());
  for (const char* text : {"x~,msg~,~I~", "4~,~I~", "4~,a~,b~,c~,~I~", "4~,msg~I~"}) EXPECT_THROW(ReadErrorList(text), WireTextError) << text;
}

}  // namespace
}  // namespace zel
