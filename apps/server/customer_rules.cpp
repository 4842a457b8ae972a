#include "server/customer_rules.h"

#include <charconv>
#include <cmath>

namespace zel::server {
namespace {

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

// Characters, not bytes: a Hangul syllable is one (continuation bytes are not counted).
size_t CharCount(std::string_view s) {
  size_t n = 0;
  for (const char ch : s) n += (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
  return n;
}

bool AllDigits(std::string_view s) {
  for (const char ch : s) {
    if (ch < '0' || ch > '9') return false;
  }
  return true;
}

bool IsCodeChar(char ch) {
  return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') || (ch >= '0' && ch <= '9') ||
         ch == '-';
}

bool IsCalendarDate(std::string_view yyyymmdd) {
  if (yyyymmdd.size() != 8 || !AllDigits(yyyymmdd)) return false;
  const int year = std::stoi(std::string(yyyymmdd.substr(0, 4)));
  const int month = std::stoi(std::string(yyyymmdd.substr(4, 2)));
  const int day = std::stoi(std::string(yyyymmdd.substr(6, 2)));
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (year < 1900 || month < 1 || month > 12 || day < 1) return false;
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return day <= kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

std::string CheckCode(std::string_view code) {
  if (code.empty()) return "거래처코드를 입력하십시오.";
  if (code.size() > kCodeMaxChars) return "거래처코드는 10자 이내로 입력하십시오.";
  for (const char ch : code) {
    if (!IsCodeChar(ch)) return "거래처코드에는 영문, 숫자, '-'만 쓸 수 있습니다.";
  }
  return {};
}

std::string CheckCredit(std::string_view text, int64_t& out) {
  if (text.empty()) {
    out = 0;
    return {};
  }
  double value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
    return "여신한도가 숫자가 아닙니다: " + std::string(text);
  }
  if (value < 0) return "여신한도는 0 이상이어야 합니다.";
  if (value != std::floor(value)) return "여신한도는 원 단위로 입력하십시오.";
  if (value > static_cast<double>(kCreditLimitMax)) {
    return "여신한도가 너무 큽니다 (999,999,999,999원까지).";
  }
  out = static_cast<int64_t>(value);
  return {};
}

}  // namespace

const char* const kChangedByOtherMessage =
    "다른 사용자가 먼저 수정한 자료입니다. 다시 조회하십시오.";
const char* const kDeletedByOtherMessage = "다른 사용자가 삭제한 자료입니다. 다시 조회하십시오.";
const char* const kNoSerialMessage =
    "서버에서 조회하지 않은 자료는 수정하거나 삭제할 수 없습니다. 다시 조회하십시오.";

std::string DuplicateCodeMessage(std::string_view code) {
  return "거래처코드가 이미 있습니다: " + std::string(code);
}

std::string CheckCustomer(const CustomerFields& in, const std::vector<Region>& regions,
                          CustomerRecord& out) {
  out.code = TrimBlanks(in.code);
  if (std::string m = CheckCode(out.code); !m.empty()) return m;

  out.name = TrimBlanks(in.name);
  if (out.name.empty()) return "거래처명을 입력하십시오.";
  if (CharCount(out.name) > kNameMaxChars) return "거래처명은 40자 이내로 입력하십시오.";

  out.kind = TrimBlanks(in.kind);
  if (out.kind.empty()) return "거래처구분을 선택하십시오.";
  if (out.kind != "1" && out.kind != "2" && out.kind != "3") {
    return "없는 거래처구분입니다: " + out.kind;
  }

  if (std::string m = CheckCredit(TrimBlanks(in.credit_limit), out.credit_limit); !m.empty()) {
    return m;
  }

  out.registered_on = TrimBlanks(in.registered_on);
  if (!out.registered_on.empty() && !IsCalendarDate(out.registered_on)) {
    return "등록일자가 올바른 날짜가 아닙니다: " + out.registered_on;
  }

  const std::string_view active = TrimBlanks(in.active);
  if (active != "1" && active != "0" && !active.empty()) {
    return "사용 여부는 1 또는 0이어야 합니다.";
  }
  out.active = active == "1";

  out.phone = TrimBlanks(in.phone);
  if (!out.phone.empty() && (!AllDigits(out.phone) || out.phone[0] != '0' || out.phone.size() < 9 ||
                             out.phone.size() > 11)) {
    return "전화번호는 0으로 시작하는 9~11자리 숫자여야 합니다.";
  }

  out.region_code = TrimBlanks(in.region_code);
  if (!out.region_code.empty()) {
    bool known = false;
    for (const Region& r : regions) known = known || r.code == out.region_code;
    if (!known) return "없는 지역코드입니다: " + out.region_code;
  }

  out.remark = TrimBlanks(in.remark);
  if (CharCount(out.remark) > kRemarkMaxChars) return "비고는 100자 이내로 입력하십시오.";
  return {};
}

}  // namespace zel::server
