// Pieces of the headless companion tools that are worth testing on their own.
#pragma once

#include <string>

namespace zel::internal {

// A file name made from a title: characters a file name cannot or should not hold ("/",
// "\", ":", "*", "?", quotes, "<", ">", "|", control characters, invalid UTF-8 bytes)
// become "_"; blanks and dots are trimmed from both ends; at most 120 bytes, never
// splitting a character. Returns `fallback` when nothing usable is left.
std::string SafeFileName(const std::string& title, const std::string& fallback);

}  // namespace zel::internal
