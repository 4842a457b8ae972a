// String parameters: screens defined on the server send their columns as definition lists
// instead of calling AddItem; and the item list describes the sheet's columns back to the
// server, one line of its program item table per column. All are data string lines (every
// field followed by "~,", every line by "~I~"); the piece after the last "~I~" is not a line.
//
// Query column definition list (sbSetStringParam_Query), fields counted from 0:
//   line := name "~," title "~," type "~," column "~," length "~," decimals "~," access "~,"
//           default "~," mask "~," read "~," write "~," width "~," back "~," fore "~," "~I~"
//   type letters: "F" and "I" float, "K" check, "D" date, "C" text, "P" and "O" image button,
//   "M" mask, "T" time, anything else text; back and fore "r,g,b" (empty: unchanged).
//   Example: "CUST_CD~,Customer~,C~,1~,10~,0~,KEY~,~,~,9~,9~,12~,255,255,192~,~,~I~"
//   declares column 1 as a key text column of 10 characters, 12 wide, on light yellow.
//
// Item table definition list (sbSetStringParam): one line of the server's program item table
// per column; the fields read (counted from 0) are 1 title, 3 field name, 7 column number,
// 18 maximum length, 19 decimals, 28 read class, 29 write class, 31 cell type (the
// EnumCellTypeConstants number), 32 access code, 36 default, 37 mask or list.
//
// Item list line (GetItemsToString), 49 fields counted from 1, each followed by "~,", the
// line by "~I~": 1 "SCTPgmCntlItemWeb", 2 "A", 3-4 PgmID, 5-6 the item number, 7 "",
// 8 title, 9-11 "", 12 field name, 13 the control index, 14-15 "0", 16 column number,
// 17 default, 18-22 "0", 23 back colour, 24 text colour (decimal), 25-29 "0", 30-36 "-1" or
// "0" for "KEY", "NON", "QRY", "DIC", "DIS", "HID", "EDT" in the access code, 37 "6",
// 38 "4", 39 "", 40 "0", 41 access code, 42 "", 43 mask with "0" as "9", 44 "", 45-46 "0",
// 47-49 "".
//
// Failure style: the two definition readers skip a line whose step fails (a missing field, a
// number that does not convert, a column the sheet does not have) and apply the others;
// nothing is shown or raised. A column number outside the column model is refused before
// the line reaches SetItem, whose own failures would each show a box.
#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/failure.h"
#include "sheet/sheet_state.h"
#include "text/data_string.h"
#include "text/data_shapes.h"
#include "text/number.h"
#include "text/strings.h"
#include "zelsheet/zel_sheet.h"

namespace zel {

using internal::SkipStep;

namespace {

constexpr std::string_view kItemTable = "SCTPgmCntlItemWeb";
// Draw mode of the grid's buttons for image-button columns: the button shows its picture.
constexpr int16_t kButtonDrawPicture = 8;

// A number field: blank is 0; anything else must be a number that fits 16 bits.
int16_t Number16(std::string_view field) {
  const std::string_view t = text::TrimView(field);
  if (t.empty()) return 0;
  if (!text::IsNumeric(t)) throw std::invalid_argument("not a number: " + std::string(t));
  return text::CInt(text::Val(t));
}
int32_t Number32(std::string_view field) {
  const std::string_view t = text::TrimView(field);
  if (t.empty()) return 0;
  if (!text::IsNumeric(t)) throw std::invalid_argument("not a number: " + std::string(t));
  return text::CLng(text::Val(t));
}

int16_t CellTypeOfLetter(std::string_view letter) {
  if (letter == "F" || letter == "I") return EnFloat;
  if (letter == "K") return EnCheck;
  if (letter == "D") return EnDate;
  if (letter == "P" || letter == "O") return EnImageButton;
  if (letter == "M") return EnMask;
  if (letter == "T") return EnTime;
  return EnText;
}

// "r,g,b" as a colour; throws for fewer than three numbers.
Color ColorOfText(std::string_view field) {
  const std::vector<std::string_view> parts = text::SplitView(field, ",");
  if (parts.size() < 3) throw std::invalid_argument("not a colour: " + std::string(field));
  int rgb[3];
  for (int i = 0; i < 3; ++i) {
    const int32_t v = Number32(parts[static_cast<size_t>(i)]);
    rgb[i] = std::clamp(v, 0, 255);
  }
  return Rgb(rgb[0], rgb[1], rgb[2]);
}

// The column `defCol` must be one the column model holds.
void CheckColumn(const ZelSheet::Impl& s, int32_t defCol) {
  if (!s.columns.HasDef(defCol)) {
    throw std::out_of_range("column " + std::to_string(defCol) + " is not in the sheet");
  }
}

void ColumnColor(Grid& grid, int32_t col, Color color, bool back) {
  grid.Col(col);
  grid.Row(-1);
  if (back) {
    grid.BackColor(color);
  } else {
    grid.ForeColor(color);
  }
}

void AppendItem(std::string& out, std::string_view item) {
  out.append(item);
  out.append(internal::kFieldSeparator);
}

}  // namespace

void ZelSheet::sbSetStringParam_Query(bool IsControlDownload, const std::string& m_strStringParam) {
  Impl& s = *impl_;
  if (m_strStringParam.empty()) {
    if (IsControlDownload) s.columns.stored_definition = true;
    return;
  }
  internal::DataStringReader reader(m_strStringParam);
  std::vector<std::string_view> f;
  while (reader.NextRow()) {
    f.clear();
    for (std::string_view e; reader.NextElement(e);) f.push_back(e);
    auto field = [&f](size_t k) { return internal::FieldAt(f, k); };
    int32_t defCol = 0;
    SkipStep([&] {
      defCol = Number32(field(3));
      CheckColumn(s, defCol);
      SetItem(std::string(field(0)), std::string(field(1)), CellTypeOfLetter(field(2)), defCol,
              Number16(field(4)), Number16(field(5)), std::string(field(6)),
              std::string(field(7)), std::string(field(8)), Number16(field(9)),
              Number16(field(10)));
    });
    if (!s.columns.HasDef(defCol)) continue;
    const std::string_view letter = field(2);
    if (letter == "P" || letter == "O") SkipStep([&] { s.grid.ButtonDrawMode(kButtonDrawPicture); });
    const int32_t col = ColX(defCol);
    SkipStep([&] {
      if (!field(12).empty()) ColumnColor(s.grid, col, ColorOfText(field(12)), true);
    });
    SkipStep([&] {
      if (!field(13).empty()) ColumnColor(s.grid, col, ColorOfText(field(13)), false);
    });
    // The user's own widths win once the stored arrangement has been applied.
    if (!s.columns.layout_restored) {
      SkipStep([&] { s.grid.ColWidth(col, text::Val(text::TrimView(field(11)))); });
    }
  }
  SkipStep([&] { s.grid.SetText(0, 0, ""); });
  s.columns.stored_definition = true;
}

void ZelSheet::sbSetStringParam(bool IsControlDownload, const std::string& m_strStringParam) {
  Impl& s = *impl_;
  if (m_strStringParam.empty()) {
    if (IsControlDownload) s.columns.stored_definition = true;
    return;
  }
  const std::string_view text(m_strStringParam);
  const size_t lines = internal::CountDataRows(text);
  // Applied while the sheet loads, before the screen's first AddItem_Multi, the list is known
  // to be a multi-row one only from the stored "IsMulti".
  const bool multi = s.flags.is_multi_sheet || s.exchange.is_multi;
  // A list longer than the sheet widens it; the column model follows the grid.
  SkipStep([&] {
    if (!multi && lines > static_cast<size_t>(std::max(s.grid.MaxCols(), 0))) {
      if (lines > static_cast<size_t>(INT32_MAX)) throw std::length_error("too many lines");
      MaxCols(static_cast<int32_t>(lines));
    }
  });
  if (multi) {
    // The field records take the stored texts; where each field stands comes from the
    // screen's AddItem_Multi calls, which keep the stored titles and access codes.
    SkipStep([&] { s.columns.ResizeFields(static_cast<int32_t>(std::min<size_t>(lines, INT32_MAX))); });
    s.columns.stored_definition = true;
  }
  internal::DataStringReader reader(text);
  std::vector<std::string_view> f;
  while (reader.NextRow()) {
    f.clear();
    for (std::string_view e; reader.NextElement(e);) f.push_back(e);
    auto field = [&f](size_t k) { return std::string(internal::FieldAt(f, k)); };
    SkipStep([&] {
      const int32_t defCol = Number32(field(7));
      if (multi) {
        if (!s.columns.HasField(defCol)) throw std::out_of_range("no such field");
        SetItem_Multi(0, 0, 0, 0, defCol, field(3), field(1), Number16(field(31)), field(32),
                      Number16(field(18)), Number16(field(19)), field(37));
        return;
      }
      CheckColumn(s, defCol);
      SetItem(field(3), field(1), Number16(field(31)), defCol, Number16(field(18)),
              Number16(field(19)), field(32), field(36), field(37), Number16(field(28)),
              Number16(field(29)));
    });
  }
  s.columns.stored_definition = true;
}

void ZelSheet::GetSheetInfo(std::string& strTitle, int16_t& enuCellType, int32_t lngCol,
                            int16_t& intMaxLength, int16_t& intDecLength,
                            std::string& strAccessKey, std::string& strDefault,
                            std::string& strMask, int32_t& /*lngRow*/,
                            std::string& /*strSetCaptionAndMask*/, int16_t& intReadclass,
                            int16_t& intWriteclass, std::string& /*strCodeHelpServerValue*/,
                            std::string& /*strCodeHelpConst*/, std::string& /*strDicCode*/,
                            std::string& strFileName) {
  const ColumnModel& m = impl_->columns;
  if (impl_->flags.is_multi_sheet) {
    // A field record knows no default and no classes: those stay as the caller passed them.
    if (!m.HasField(lngCol)) return;
    const FieldRecord& r = m.Field(lngCol);
    strTitle = r.title;
    enuCellType = static_cast<int16_t>(r.cell_type);
    intMaxLength = r.max_length;
    intDecLength = r.dec_length;
    strAccessKey = r.access_key;
    strMask = text::Replace(r.mask, "0", "9");
    strFileName = r.field_name;
    return;
  }
  if (!m.HasDef(lngCol)) return;
  const ColumnDef& d = m.Def(lngCol);
  strTitle = d.title;
  enuCellType = static_cast<int16_t>(d.cell_type);
  intMaxLength = d.max_length;
  intDecLength = d.dec_length;
  strAccessKey = d.access_key;
  strDefault = d.default_value;
  strMask = text::Replace(d.mask, "0", "9");
  intReadclass = d.read_class;
  intWriteclass = d.write_class;
  strFileName = d.field_name;
}

int16_t ZelSheet::ColType(int32_t lngCol) const {
  const ColumnModel& m = impl_->columns;
  if (impl_->flags.is_multi_sheet) {
    return m.HasField(lngCol) ? static_cast<int16_t>(m.Field(lngCol).cell_type) : 0;
  }
  return m.HasDef(lngCol) ? static_cast<int16_t>(m.Def(lngCol).cell_type) : 0;
}

void ZelSheet::AddString(const std::string& item) { AppendItem(impl_->exchange.items, item); }

void ZelSheet::AddStringNewList() { impl_->exchange.items.append(internal::kRowSeparator); }

std::string ZelSheet::GetItemsToString(int16_t intControlIndex) {
  Impl& s = *impl_;
  s.exchange.items.clear();
  const int32_t count = s.columns.counter;
  s.exchange.items.reserve(static_cast<size_t>(std::max(count, 0)) * 256);
  const std::string pgm = s.identity.pgm_id;
  const std::string control = std::to_string(intControlIndex);
  const int32_t oldCol = s.grid.Col(), oldRow = s.grid.Row();
  static constexpr std::string_view kFlagCodes[] = {"KEY", "NON", "QRY", "DIC", "DIS", "HID", "EDT"};
  for (int32_t k = 1; k <= count; ++k) {
    std::string title, access, defaultValue, mask, name, unused;
    int16_t type = 0, maxLength = 0, decLength = 0, readClass = 0, writeClass = 0;
    int32_t row = 0;
    GetSheetInfo(title, type, k, maxLength, decLength, access, defaultValue, mask, row, unused,
                 readClass, writeClass, unused, unused, unused, name);
    Color back = 0, fore = 0;
    SkipStep([&] {
      s.grid.Col(s.flags.is_multi_sheet ? s.columns.Field(k).col : ColX(k));
      s.grid.Row(-1);
      back = s.grid.BackColor();
      fore = s.grid.ForeColor();
    });
    const std::string item = std::to_string(k);
    for (const std::string_view v :
         {std::string_view(kItemTable), std::string_view("A"), std::string_view(pgm),
          std::string_view(pgm), std::string_view(item), std::string_view(item),
          std::string_view(), std::string_view(text::TrimView(title)), std::string_view(),
          std::string_view(), std::string_view(), std::string_view(name),
          std::string_view(control), std::string_view("0"), std::string_view("0"),
          std::string_view(item), std::string_view(defaultValue)}) {
      AppendItem(s.exchange.items, v);
    }
    for (int i = 18; i <= 22; ++i) AppendItem(s.exchange.items, "0");
    AppendItem(s.exchange.items, std::to_string(back));
    AppendItem(s.exchange.items, std::to_string(fore));
    for (int i = 25; i <= 29; ++i) AppendItem(s.exchange.items, "0");
    for (const std::string_view code : kFlagCodes) {
      AppendItem(s.exchange.items, access.find(code) != std::string::npos ? "-1" : "0");
    }
    for (const std::string_view v :
         {std::string_view("6"), std::string_view("4"), std::string_view(), std::string_view("0"),
          std::string_view(access), std::string_view(), std::string_view(mask),
          std::string_view(), std::string_view("0"), std::string_view("0"), std::string_view(),
          std::string_view(), std::string_view()}) {
      AppendItem(s.exchange.items, v);
    }
    AddStringNewList();
  }
  SkipStep([&] {
    s.grid.Col(oldCol);
    s.grid.Row(oldRow);
  });
  return s.exchange.items;
}

}  // namespace zel
