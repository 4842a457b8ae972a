// The text helpers every outside text passes through: code page conversion, numbers, the
// format texts, dates (the date texts, the typed-date repair) and colour texts. The first
// byte picks the helper; the rest is its input. Besides not crashing, each keeps what it
// promises: number texts read back as the same double, the fast number writer agrees with
// the general one, a cut text is a prefix within its byte budget, a parsed date prints back
// to the same text, a repaired date input is a real day.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>

#include "columns/internal/color_text.h"
#include "editing/date_input.h"
#include "fuzz_input.h"
#include "text/calendar.h"
#include "text/codepage.h"
#include "text/number.h"
#include "text/strings.h"
#include "zelsheet/types.h"

using zel::fuzz::Check;
namespace text = zel::text;

namespace {

void Numbers(const std::string& s) {
  const double v = text::Val(s);
  text::IsNumeric(s);
  try {
    text::CInt(v);
  } catch (const std::overflow_error&) {
  }
  try {
    text::CLng(v);
  } catch (const std::overflow_error&) {
  }
  const std::string shown = text::NumberToText(v);
  if (std::isfinite(v)) Check(text::Val(shown) == v, "NumberToText(" + s + ") = " + shown + " does not read back");
  char buf[zel::text::kNumberTextMax];
  Check(std::string(buf, zel::text::WriteNumberText(buf, v)) == shown, "WriteNumberText differs for " + shown);
  // The same bits read as a double, which reaches values no decimal text gives.
  if (s.size() >= 8) {
    double raw;
    std::memcpy(&raw, s.data(), sizeof raw);
    const std::string t = text::NumberToText(raw);
    Check(std::string(buf, zel::text::WriteNumberText(buf, raw)) == t, "WriteNumberText differs for " + t);
    if (std::isfinite(raw)) Check(text::Val(t) == raw, "NumberToText of raw bits does not read back: " + t);
    text::RoundHalfEven(raw, static_cast<int>(static_cast<unsigned char>(s[0]) % 20));
  }
}

void CodePage(zel::fuzz::FuzzInput& in) {
  const int32_t budget = static_cast<int32_t>(in.Range(-2, 40));
  const std::string s = in.Rest();
  const std::string utf8 = text::FromAnsi(s);
  text::ToAnsi(s);
  const std::string back = text::ToAnsi(utf8);
  text::LenH(s);
  const std::string cut = text::SCut(utf8, budget);
  Check(utf8.compare(0, cut.size(), cut) == 0, "SCut is not a prefix");
  Check(text::LenH(cut) <= std::max(budget, 0), "SCut went over its budget");
}

void Dates(zel::fuzz::FuzzInput& in) {
  const uint8_t which = in.Byte();
  const std::string s = in.Rest();
  if (const auto d = text::ParseYmd(s)) Check(text::FormatYmd(*d) == s, "ParseYmd/FormatYmd disagree on " + s);
  text::ParseDateText(s);
  if (s.size() >= 8) {
    double serial;
    std::memcpy(&serial, s.data(), sizeof serial);
    text::FromSerial(serial);
  }
  const auto mode = which & 1 ? zel::internal::DateInputMode::kYearMonth : zel::internal::DateInputMode::kDate;
  const auto repair = zel::internal::RepairDateInput(s, mode, which & 2 ? "20240315" : s.substr(0, 8));
  if (repair.outcome == zel::internal::DateRepair::kRepaired) {
    // dd-mm-yyyy or mm-yyyy: a real calendar day.
    const std::string& t = repair.text;
    const bool date = mode == zel::internal::DateInputMode::kDate;
    Check(t.size() == (date ? 10u : 7u), "a repaired date of the wrong shape: " + t);
    const std::string ymd = date ? t.substr(6, 4) + t.substr(3, 2) + t.substr(0, 2) : t.substr(3, 4) + t.substr(0, 2) + "01";
    Check(text::ParseYmd(ymd).has_value(), "a repaired date that is no day: " + t);
  }
}

void Formats(zel::fuzz::FuzzInput& in) {
  const std::string value = in.Text(32);
  const std::string fmt = in.Text(32);
  const int first = static_cast<int>(in.Range(0, 7));
  const int week = static_cast<int>(in.Range(0, 3));
  text::Format(value, fmt, first, week);
  text::FormatNumber(text::Val(value), fmt);
}

void Colors(const std::string& s) {
  try {
    zel::internal::ColorFromText(s);
  } catch (const zel::SubscriptError&) {
  } catch (const std::overflow_error&) {
  }
  zel::internal::ColorTextOrDefault(s, "255,255,255");
}

// Runs a helper that refuses some arguments with std::invalid_argument, as it documents.
template <class Call>
void MayRefuse(Call call) {
  try {
    call();
  } catch (const std::invalid_argument&) {
  }
}

void Strings(zel::fuzz::FuzzInput& in) {
  const int32_t a = in.Index(40), b = in.Index(40);
  const std::string s = in.Text(64);
  const std::string find = in.Text(4);
  MayRefuse([&] { text::Mid(s, a, b); });
  MayRefuse([&] { text::Left(s, a); });
  MayRefuse([&] { text::Right(s, b); });
  MayRefuse([&] { text::InStr(s, find, a); });
  MayRefuse([&] { text::InStrRev(s, find, b); });
  text::Replace(s, find, in.Text(4));
  text::Split(s, find);
  text::Len(s);
  text::CharCount(s);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zel::fuzz::FuzzInput in(data, size);
  switch (in.Byte() % 6) {
    case 0: Numbers(in.Rest()); break;
    case 1: CodePage(in); break;
    case 2: Dates(in); break;
    case 3: Formats(in); break;
    case 4: Colors(in.Rest()); break;
    default: Strings(in); break;
  }
  return 0;
}
