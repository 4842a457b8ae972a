// Helpers for hosts and servers: writing and reading the texts a sheet exchanges, a typed
// column declaration, and a row status as an enum. Nothing here changes what a sheet member
// does; each helper is built on the public members and the wire texts they produce.
//
// The wire texts, in short (every text is UTF-8; there is no quoting and no escaping):
//
//   data string      every field followed by "~,", every row by "~I~":
//                      C001~,한빛상사~,~I~C002~,미래유통~,~I~
//                    Display reads it; the text after the last "~I~" is not a row.
//   save text        what GetData hands out: an info line, a header line with the field
//                    names, then one line per changed row, tagged "A", "U" or "D":
//                      2|4|2|4|4|24|2|~I~WorkingTag~,~,CUST_CD~,CUST_NM~,~I~
//                      U~,C002~,미래유통~,~I~A~,C009~,새한물산~,~I~
//                    (GetDataSelected and GetDataActiveRow put the sheet row number after
//                    the tag: A~,4~,C009~,새한물산~,~I~)
//   results string   the server's answer: a header naming the returned values, then one
//                    row per line of the save text, in the same order, "OK" or a failure
//                    code, a message, then the returned values:
//                      WorkingTag~,~,CUST_SEQ~,~I~OK~,~,17~,~I~ERR~,코드가 중복됩니다~,~,~I~
//                    MessageCheckSaveSheet wants the final "~I~" shown here (without it
//                    the last result row is lost); MessageCheckSave wants it left off (with
//                    it, the empty piece after it is taken for the last result row, and
//                    every row pairs with the result of the row below). ResultsForm picks.
//   error list       ErrorMsg after a result application: one line per failed row (in
//                    ascending row order after the default bottom-up walk), the sheet row
//                    and the message:
//                      4~, ◇ 코드가 중복됩니다 ◆ 자료를 확인하십시오.~,~I~  (MessageCheckSaveSheet)
//                      4~, 코드가 중복됩니다~,ERR~,~I~                  (MessageCheckSave)
//
// A value holding "~," or "~I~" cannot travel in these texts: it would split its row. The
// writers refuse such a value with WireTextError instead of writing a broken row.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "zelsheet/types.h"

namespace zel {

class ZelSheet;

// A text that cannot be written or read as the wire format requires: a value holding a
// separator, a save text without its header line, a line of the wrong length. The message
// says which row and field, and why.
class WireTextError : public std::invalid_argument {
 public:
  using std::invalid_argument::invalid_argument;
};

// What would break a row if `value` were written as a field: "~," or "~I~" when the value
// holds that separator (a value ending in "~I" counts: the "~," after it would complete a
// "~I~"), "" when the value is safe.
std::string_view FieldBreaker(std::string_view value) noexcept;

// ---- Data string ----

// Builds a data string field by field:
//
//   DataStringWriter w;
//   w.Field("C001").Field("한빛상사").Integer(5000000).EndRow();
//   sheet.Display(w.Text());
//
// Every field, the last of a row included, is followed by "~,"; EndRow writes "~I~". A
// field that FieldBreaker refuses throws WireTextError naming its row and field (both
// counted from 1) and leaves the text as it was before that field.
class DataStringWriter {
 public:
  DataStringWriter& Field(std::string_view value);
  // An integer in plain decimal ("-1234").
  DataStringWriter& Integer(int64_t value);
  // A number as the shortest decimal that reads back as the same double, "." as decimal
  // point and no group separators ("12.5", "3"): the form float columns read.
  DataStringWriter& Number(double value);
  DataStringWriter& EndRow();

  // Room for `bytes` more bytes, so that a long text is allocated once.
  void Reserve(size_t bytes) { text_.reserve(text_.size() + bytes); }
  // Rows ended so far.
  int64_t RowCount() const { return rows_; }
  const std::string& Text() const { return text_; }
  // Hands the text over and starts a new, empty one.
  std::string Take();

 private:
  std::string text_;
  int64_t rows_ = 0;
  int64_t field_ = 0;  // fields written in the current row
};

// The rows of a data string, each as its fields, read as Display reads them: rows end at
// "~I~" (the text after the last one is not a row), fields at "~,". A row's text after its
// last "~," is one more field when it is not empty ("a~,b" and "a~,b~," both give a and b).
std::vector<std::vector<std::string>> ReadDataString(std::string_view data);

// ---- Save text (GetData and its variants) ----

// The save tag of a line: what the server is asked to do with the row.
enum class SaveTag {
  Unchanged,  // "" (GetDataAll, GetDataSelected: rows sent along without a change)
  Added,      // "A": insert
  Updated,    // "U": update
  Deleted,    // "D": delete (the row was marked "X" in the sheet)
};

struct SaveLine {
  SaveTag tag = SaveTag::Unchanged;
  // The sheet row, for the lines of GetDataSelected and GetDataActiveRow, which carry it;
  // 0 for the lines of GetData and GetDataAll.
  int32_t row = 0;
  // One value per field name of the header, in the same order (CellText of each column:
  // dates "yyyymmdd", check boxes "1"/"0", combos their code, masks without literals).
  std::vector<std::string> values;
};

struct SaveParams {
  // The info line as sent: "ActiveCol|ActiveRow|Col|Row|DataRowCnt|MaxRows|MaxCols|".
  std::string info;
  // The header's field names, one per column of the sheet in definition order (columns the
  // screen did not declare have an empty name).
  std::vector<std::string> field_names;
  std::vector<SaveLine> lines;

  // Index of the first field named `name` (names compared exactly) in field_names and in
  // every line's values; -1 when there is none.
  int32_t FieldIndex(std::string_view name) const;
};

// Reads the save parameter text of GetData, GetDataAll (not data-only), GetDataSelected or
// GetDataActiveRow. An empty text (GetData with no changed row) gives no names and no
// lines. Throws WireTextError for a text that is not save text: no header line starting
// "WorkingTag", a line whose field count fits neither form, an unknown tag, a row number
// that is not a number, or text after the last "~I~".
//
//   SaveParams p = ReadSaveParams(sheet.GetData());
//   const int32_t code = p.FieldIndex("CUST_CD");
//   for (const SaveLine& line : p.lines) ... line.tag ... line.values[code] ...
SaveParams ReadSaveParams(std::string_view text);

// ---- Results string (the server's answer) ----

// Which member the results string is for: they disagree on its end.
enum class ResultsForm {
  Sheet,      // MessageCheckSaveSheet: every row, the last one too, ends in "~I~"
  CheckSave,  // MessageCheckSave: no "~I~" after the last row
};

// Builds a server's answer, one result row per line of the save text it answers, in the
// same order (the sheet pairs them up by position):
//
//   ResultsWriter w({"CUST_SEQ", "ROW_VER"});
//   w.Saved({"17", "1"});
//   w.Failed("거래처코드가 이미 있습니다: C001");
//   sheet.MessageCheckSaveSheet(w.Text(ResultsForm::Sheet), 2, 0, seqCol, 3, 0, verCol);
//
// value_names are the field names of the columns that receive the returned values
// (MessageCheckSave writes them back by name; MessageCheckSaveSheet by the key index, which
// is 2 for the first name, 3 for the second...). Names, values, messages and codes are
// checked with FieldBreaker; a refused one throws WireTextError and adds no row.
class ResultsWriter {
 public:
  explicit ResultsWriter(std::vector<std::string> value_names = {});

  // A saved row with its returned values, one per value name (WireTextError otherwise).
  void Saved(const std::vector<std::string>& values = {});
  // A failed row: `code` (not one the sheet reads as saved, "OK" in any case and blanks
  // around it, nor blank) and the message the error list shows. Its values are left empty.
  void Failed(std::string_view message, std::string_view code = "ERR");

  size_t RowCount() const { return rows_.size(); }
  std::string Text(ResultsForm form) const;

 private:
  std::vector<std::string> names_;
  std::vector<std::string> rows_;  // each row's fields, without the row separator
};

// ---- Error list (ErrorMsg) ----

struct ErrorListEntry {
  int32_t row = 0;      // the sheet row (the record number in the multi-row layout)
  std::string message;  // the server's message, without the decoration the sheet added
  std::string code;     // the failure code (MessageCheckSave's lines only; "" otherwise)
};

// Reads ErrorMsg as either result member leaves it, in its order. Throws WireTextError for
// a line that is neither form (ErrorMsg is only ever built by the sheet, so that is a text
// from elsewhere).
std::vector<ErrorListEntry> ReadErrorList(std::string_view errorMsg);

// ---- Sheet helpers (public members only) ----

// The status of a row, as the row header shows it ("A", "U", "X"; anything else, a blank
// or a record number included, is unchanged). In the multi-row layout: of the record that
// holds `row`. Compared exactly, as GetData chooses rows: " A" is Unchanged.
enum class RowStatus { Unchanged, Added, Updated, MarkedForDeletion };
// Throws GridError for a row outside the grid, as GetWorkingTag does.
RowStatus GetRowStatus(const ZelSheet& sheet, int32_t row);

// One combo entry: the caption the user sees and the code that travels in the texts.
struct ComboItem {
  std::string caption;
  std::string code;
};
// The list a combo column takes in AddItem's strMaskAndString: each item is its caption,
// 50 blanks and its code, followed by a TAB. The sheet reads a cell's code back as the last
// MaxLength characters of the item, so declare the column with the codes' length.
// (InitCombo takes another form: caption "~," code TAB.)
std::string ComboList(const std::vector<ComboItem>& items);

// AddItem's arguments by name, for declaring columns with designated initializers:
//
//   AddColumn(sheet, {.field_name = "CUST_GB", .title = "구분", .cell_type = EnCombo,
//                     .max_length = 1, .mask_or_list = ComboList({{"매출처", "1"}, ...})});
struct ColumnDescription {
  std::string field_name{};  // the name in save texts and results (strFileName)
  std::string title{};       // header text
  int16_t cell_type = EnText;
  // Text: the most characters a user may type. Float: the digits before the point (values
  // within plus or minus 10^max_length). Combo: the code length.
  int16_t max_length = 0;
  int16_t decimals = 0;       // float: decimal places
  std::string access_code{};  // "KEY", "NON", "DIS", "DIC", "HID"..., joined with ";"
  std::string default_value{};
  // Mask ("###-####-####") for EnMask, list (ComboList) for EnCombo, text for EnCheck and
  // EnButton.
  std::string mask_or_list{};
  int16_t read_class = 9;
  int16_t write_class = 9;
  int32_t header_row = 0;  // header row of the title (0: the column header)
};

// Declares `column` with AddItem (IsSetStyle false) and returns its definition number.
// Fails as AddItem does: a failing step shows a message box and the next one runs.
int32_t AddColumn(ZelSheet& sheet, const ColumnDescription& column);

}  // namespace zel
