#include "server/sample_data.h"

#include <array>
#include <string_view>

namespace zel::server {
namespace {

// splitmix64: a good spread of bits from any counter, and the same on every platform
// (unlike the standard distributions).
uint64_t Mix(uint64_t x) {
  x += 0x9E3779B97F4A7C15ULL;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
  return x ^ (x >> 31);
}

// Draws numbers for one customer from its own stream.
class Draw {
 public:
  explicit Draw(int64_t n) : state_(Mix(static_cast<uint64_t>(n) * 0x2545F4914F6CDD1DULL)) {}
  // A number in [0, bound).
  uint32_t Below(uint32_t bound) {
    state_ = Mix(state_);
    return static_cast<uint32_t>((state_ >> 32) % bound);
  }
  template <size_t N>
  std::string_view Pick(const std::array<std::string_view, N>& items) {
    return items[Below(static_cast<uint32_t>(N))];
  }

 private:
  uint64_t state_;
};

constexpr std::array<std::string_view, 48> kPrefixes = {
    "한빛", "새한", "대성", "동양", "미래", "우리", "푸른", "세종", "태평", "한결",
    "다온", "가온", "누리", "바른", "참빛", "늘품", "해담", "온누리", "한길", "대명",
    "삼정", "성진", "영진", "동진", "신흥", "광명", "금강", "백두", "한라", "청솔",
    "솔빛", "은하", "진성", "중앙", "신성", "제일", "대원", "동아", "서해", "남해",
    "동해", "태양", "정우", "하늘", "새롬", "보람", "아라", "로운"};
constexpr std::array<std::string_view, 30> kTrades = {
    "상사",   "물산",     "산업",   "전자",   "정밀",   "건설",   "식품", "유통",
    "기계",   "화학",     "제약",   "무역",   "테크",   "엔지니어링", "로지스", "섬유",
    "철강",   "통상",     "에너지", "시스템", "농산",   "수산",   "인쇄", "디자인",
    "소프트", "플라스틱", "금속",   "포장",   "물류",   "개발"};
constexpr std::array<std::string_view, 8> kRemarks = {
    "VIP 거래처", "결제조건 월말 30일", "신규 거래처",      "세금계산서 별도 발행",
    "거래 중지 검토", "담당자 변경 예정", "어음 결제 불가", "납품 전 사전 연락"};
// Telephone area codes by region (Seoul numbers as internet phones, to keep 11 digits).
constexpr std::array<std::string_view, 17> kAreaCodes = {
    "070", "051", "053", "032", "062", "042", "052", "044", "031",
    "033", "043", "041", "063", "061", "054", "055", "064"};

// `value` in `width` decimal digits, zeros in front (the lowest digits when it is wider).
void AppendDigits(std::string& out, uint32_t value, int width) {
  char buf[10];
  for (int i = width - 1; i >= 0; --i) {
    buf[i] = static_cast<char>('0' + value % 10);
    value /= 10;
  }
  out.append(buf, static_cast<size_t>(width));
}

}  // namespace

const std::vector<Region>& SampleRegions() {
  static const std::vector<Region> regions = {
      {"11", "서울특별시"},     {"26", "부산광역시"}, {"27", "대구광역시"},
      {"28", "인천광역시"},     {"29", "광주광역시"}, {"30", "대전광역시"},
      {"31", "울산광역시"},     {"36", "세종특별자치시"}, {"41", "경기도"},
      {"42", "강원특별자치도"}, {"43", "충청북도"},   {"44", "충청남도"},
      {"45", "전라북도"},       {"46", "전라남도"},   {"47", "경상북도"},
      {"48", "경상남도"},       {"50", "제주특별자치도"}};
  return regions;
}

void MakeSampleCustomer(int64_t n, CustomerRecord& out) {
  Draw d(n);
  out.code = "C";
  AppendDigits(out.code, static_cast<uint32_t>(n % 10000000), 7);

  std::string core(d.Pick(kPrefixes));
  core += d.Pick(kTrades);
  switch (d.Below(5)) {
    case 0: out.name = "(주)" + core; break;
    case 1: out.name = core + "(주)"; break;
    case 2: out.name = "주식회사 " + core; break;
    case 3: out.name = core + "㈜"; break;
    default: out.name = core; break;
  }

  const uint32_t kind = d.Below(100);
  out.kind = kind < 55 ? "1" : kind < 85 ? "2" : "3";
  out.credit_limit = d.Below(5) == 0 ? 0 : int64_t{1000000} * (1 + d.Below(500));

  out.registered_on.clear();
  AppendDigits(out.registered_on, 2000 + d.Below(24), 4);
  AppendDigits(out.registered_on, 1 + d.Below(12), 2);
  AppendDigits(out.registered_on, 1 + d.Below(28), 2);
  out.active = d.Below(10) != 0;

  const size_t region = d.Below(static_cast<uint32_t>(SampleRegions().size()));
  out.region_code = SampleRegions()[region].code;
  out.phone.clear();
  const uint32_t phone = d.Below(20);
  if (phone != 0) {
    out.phone = phone < 10 ? "010" : std::string(kAreaCodes[region]);
    AppendDigits(out.phone, 1000 + d.Below(9000), 4);
    AppendDigits(out.phone, d.Below(10000), 4);
  }
  out.remark = d.Below(6) == 0 ? std::string(d.Pick(kRemarks)) : std::string();
}

}  // namespace zel::server
