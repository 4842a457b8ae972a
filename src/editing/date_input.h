// The repair of what a user typed into a date cell, run when the cursor leaves the cell.
//
// Users type dates the quick way; the sheet turns the input into the grid's day-first form
// or refuses it. Today (15 March 2024 in the examples) fills what the input leaves out.
//
//   date mode (dd-mm-yyyy)                      year-month mode (mm-yyyy)
//   240105     -> 05-01-2024  (yymmdd)           2024/3  -> 03-2024
//   20240105   -> 05-01-2024  (yyyymmdd)         202403  -> 03-2024
//   1/5        -> 05-01-2024  (month/day)        3       -> 03-2024  (month of this year)
//   105        -> 05-01-2024  (mdd)
//   7          -> 07-03-2024  (day of this month)
//   2024.1.5   -> 05-01-2024
//   99-1-1     -> 01-01-2099
//   2024-13-01 -> refused (no month 13)
//
// Rules, on the input without CR-LF pairs and trimmed of blanks:
//   * empty input is left as it is;
//   * longer than 10 characters (date) or 7 (year-month) is refused;
//   * ":", "-", ";", "/", "." and "," separate parts; more than 3 parts (date) or 2
//     (year-month) are refused;
//   * a year part of 3 characters is refused; a longer one keeps its last 4; one of 1 gets a
//     leading "0"; a 2-character year of 50 or more takes today's century, below 50 "20";
//   * a month or day part keeps its last 2 characters; one of 1 gets a leading "0";
//   * parts, date mode: y-m-d (the year part not 3 characters, the others below 3); m-d
//     (both below 3; this year); one run of digits by its length L: 8 yyyymmdd, 7 refused,
//     5-6 y..mmdd, 3-4 m.dd (this year), 1-2 the day (this month, this year);
//   * parts, year-month mode: y-m (the year part not 3 characters, the month below 3); one
//     run by its length L: 7 refused, 3-6 y..mm, 1-2 the month (this year);
//   * the result must be a real calendar day (year-month: day 1); 30 February is refused.
// A length or part count outside these rules (a 9-digit run, say) is refused.
#pragma once

#include <string>
#include <string_view>

namespace zel::internal {

enum class DateInputMode { kDate, kYearMonth };

struct DateRepair {
  enum Outcome { kUnchanged, kRepaired, kRefused };
  Outcome outcome = kUnchanged;
  std::string text;  // the repaired grid text (kRepaired only)
};

// Repairs `input` as the rules above say. `today` is "yyyymmdd": its characters 1-4 are this
// year and 5-6 this month (a malformed today only spoils the inputs that need it).
DateRepair RepairDateInput(std::string_view input, DateInputMode mode, std::string_view today);

}  // namespace zel::internal
