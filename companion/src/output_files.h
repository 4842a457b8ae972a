// What the file tools share: clean text for files that must hold valid UTF-8, file names
// made from titles, files published under names that never replace another, and the shown
// form of typed values.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "zelsheet/companion_tools.h"

namespace zel::companion {

// `text` with every invalid UTF-8 byte and every control character but TAB and LF replaced
// by U+FFFD, cut to at most `max_chars` characters.
std::string CleanText(std::string_view text, size_t max_chars = SIZE_MAX);

// A file name stem from a title: only characters a file name may safely hold (no "/",
// "\", ":", "*", "?", quotes, "<", ">", "|", control characters, no leading dot), at most
// 80 bytes; `fallback` when nothing usable is left.
std::string FileStem(const std::string& title, const std::string& fallback);

// The export folder as the tools use it: created when missing. Empty when there is none,
// with `why` saying so.
std::string ReadyFolder(const std::function<std::string()>& folder_of, std::string& why);

// A temporary file's path in `folder`, for a file published later.
std::string TemporaryPath(const std::string& folder, const std::string& extension);

// Moves the finished temporary file to `folder`/`stem`-yyyymmdd-hhmmss`extension`, or with
// "-2", "-3", ... added when that name is taken; never replaces a file. Returns the final
// path, or "" (and removes the temporary file) with `why` set.
std::string Publish(const std::string& temporary, const std::string& folder,
                    const std::string& stem, const std::string& extension, std::string& why);

// Moves the finished temporary file onto `path`, replacing it (a host's own document).
bool Replace(const std::string& temporary, const std::string& path, std::string& why);

// A number column's value as the sheet shows it: `decimals` places, thousands separated.
std::string ShownNumber(double value, int decimals, bool thousands);
// A number column's text read as a number; nullopt for "" and for what is no number.
std::optional<double> NumberOf(std::string_view text);
// A date column's "yyyymmdd" / "yyyymm" as year, month and day (day 0 for a year-month);
// nullopt for what is no date.
struct Ymd {
  int year = 0, month = 0, day = 0;
};
std::optional<Ymd> DateOf(std::string_view text);
// The shown form of one value of `column`: numbers formatted, dates "yyyy-mm-dd" or
// "yyyy-mm", check boxes "TRUE" / "FALSE", texts cleaned.
std::string ShownValue(const TableColumn& column, const std::string& value);

// The columns of `table` (from 0) that a reader sees: the hidden ones left out.
std::vector<size_t> ShownColumns(const GridTable& table);
// The description of column `c`, a text column when the table has none.
TableColumn ColumnOf(const GridTable& table, size_t c);
// The number of columns of `table`: the widest of titles, columns and rows.
size_t ColumnCount(const GridTable& table);

}  // namespace zel::companion
