// The system's ANSI code page: conversions between UTF-8 and a multi-byte code page (CP949
// by default) and the byte-length rules built on them.
//
// Conversions use libc iconv. A code page name iconv does not know falls back to CP949; when
// CP949 itself is unavailable (gconv modules missing: on Debian they ship in libc6), lengths
// and cuts fall back to counting the UTF-8 bytes and conversions return their input.
// Safe to call from several threads at once: each thread keeps its own converters, opened on
// first use of a code page name.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zel::text {

inline constexpr std::string_view kDefaultCodePage = "CP949";

// UTF-8 -> code page bytes. A character the code page cannot hold becomes "?"; invalid UTF-8
// bytes become "?" too.
std::string ToAnsi(std::string_view utf8, std::string_view codepage = kDefaultCodePage);

// Code page bytes -> UTF-8. A byte sequence the code page does not define becomes "?".
std::string FromAnsi(std::string_view bytes, std::string_view codepage = kDefaultCodePage);

// Length of `utf8` in code page bytes: "가나다12" -> 8. An unconvertible character counts 1.
int32_t LenH(std::string_view utf8, std::string_view codepage = kDefaultCodePage);

// The longest prefix of `utf8` whose code page length is at most `maxBytes`, never splitting
// a two-byte character; returned as UTF-8. maxBytes <= 0 gives "". The rest of the text is
// utf8.substr(result.size()): a two-byte character that did not fit starts the rest whole.
std::string SCut(std::string_view utf8, int32_t maxBytes,
                 std::string_view codepage = kDefaultCodePage);

// True when iconv can convert between UTF-8 and `codepage` on this machine.
bool CodePageAvailable(std::string_view codepage);

}  // namespace zel::text
