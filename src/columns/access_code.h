// Access codes: the per-column text that says whether a column is locked, hidden, a code
// column or a required one. Codes are found by case-sensitive substring search, so they may
// be joined with ";" or anything else, and a longer code holds a shorter one ("SHID" holds
// "HID", "SDIS" holds "DIS").
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zel::internal {

inline constexpr std::string_view kCodeDisplayOnly = "DIS";   // cells locked
inline constexpr std::string_view kCodeCodeHelp = "DIC";      // code column with a look-up
inline constexpr std::string_view kCodeKey = "KEY";           // key column
inline constexpr std::string_view kCodeNotNull = "NON";       // required column
inline constexpr std::string_view kCodeHidden = "HID";        // hidden unless the user chose
inline constexpr std::string_view kCodeSystemHidden = "SHID"; // hidden whatever the user chose
inline constexpr std::string_view kCodeSystemLocked = "SDIS"; // screen may not write
inline constexpr std::string_view kCodeEditable = "EDT";      // editable even with "DIS"
inline constexpr std::string_view kCodeQuery = "QRY";         // query column (string params)

// True when `access_key` holds `code` anywhere.
bool HasCode(std::string_view access_key, std::string_view code) noexcept;

// What an access code does to a column of the plain layout.
struct ColumnAccess {
  bool lock = false;            // the column's cells end locked ("DIS" without "EDT")
  bool code_help_back = false;  // back colour CodeHelp instead of BackColor ("DIC")
  bool must_input_header = false;  // header text in the must-input colour ("KEY" or "NON")
  bool hide = false;            // hide the column; false leaves its visibility alone
};

// `is_hidden` is the caller's request to honour "HID" (ControlKey); `layout_restored` says
// whether the user's stored column arrangement has been applied, in which case the user's
// own hidden columns are in place and only "SHID" still hides.
ColumnAccess EvaluateColumnAccess(std::string_view access_key, bool is_hidden,
                                  bool layout_restored) noexcept;

// The access code AddItem stores: the declared code with "SHID;" appended when the screen
// may not read the column (form read class above the column's) and "SDIS;" when it may
// not write it.
std::string ExtendAccessKey(std::string_view access_key, int16_t form_read_class,
                            int16_t read_class, int16_t form_write_class,
                            int16_t write_class);

// What an access code does to one cell of a multi-row record.
struct FieldAccess {
  enum class Paint { kNone, kLocked, kCodeHelp, kNormal };
  bool applies = false;  // false for an empty code: the cell is left as it is
  Paint paint = Paint::kNone;
  bool lock = false;     // lock the cell ("DIS")
  bool unlock = false;   // unlock it afterwards ("EDT"), also after "DIS"
};
FieldAccess EvaluateFieldAccess(std::string_view access_key) noexcept;

}  // namespace zel::internal
