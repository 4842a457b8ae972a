// Display width of UTF-8 text in a terminal: a Hangul syllable or another wide character
// takes two cells, a combining mark none, everything else one. Texts are cut by width and
// never in the middle of a character.
//
// Widths are the C library's (wcwidth), so they agree with what curses and the terminal
// reckon; the program must run under a UTF-8 character type (EnsureUtf8Locale).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zel::tui {

// Sets LC_CTYPE from the environment and, when that is not UTF-8, to "C.UTF-8". Returns
// false when no UTF-8 character type could be had (widths are then guesses).
bool EnsureUtf8Locale();

// One character of a UTF-8 text: its code point and how many bytes it took. A byte that
// does not start a valid sequence reads as U+FFFD of one byte, so every text decodes.
struct Utf8Char {
  char32_t code = 0;
  int bytes = 1;
};
Utf8Char DecodeUtf8(std::string_view text, size_t pos);
void AppendUtf8(std::string& out, char32_t code);

// Cells a character takes: 0, 1 or 2. A control character or one the terminal cannot show
// counts 1: the screen draws it as a replacement mark.
int CharWidth(char32_t code);
// True for characters drawn as a replacement mark (controls, unprintable).
bool IsUnprintable(char32_t code);
int TextWidth(std::string_view text);

// The longest start of `text` that fits in `width` cells, in bytes; `used` gets its width.
size_t FitWidth(std::string_view text, int width, int& used);

// `text` as shown in `width` cells: itself when it fits (blanks at its end aside), else its
// longest start that fits in one cell less followed by "…" (written into `buffer`), so that
// a cut text never passes for a whole one. `more` asks for the mark even when `text` fits: something follows that is
// not shown (the next lines of a cell one line high).
std::string_view FitWithCutMark(std::string_view text, int width, bool more, std::string& buffer);

}  // namespace zel::tui
