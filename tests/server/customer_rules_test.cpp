// The customer rules on their own: each rule at its edge, and what a valid row becomes.
#include "server/customer_rules.h"

#include <gtest/gtest.h>

#include <string>

#include "server/sample_data.h"
#include "server_support.h"

namespace zel::server {
namespace {

// "code|name|kind|credit|date|active|phone|region|remark" as CustomerFields over `keep`.
CustomerFields Fields(const std::vector<std::string>& keep) {
  return {keep[0], keep[1], keep[2], keep[3], keep[4], keep[5], keep[6], keep[7], keep[8]};
}

std::string Check(const std::string& row) {
  const std::vector<std::string> keep = testing::Bars(row);
  CustomerRecord out;
  return CheckCustomer(Fields(keep), SampleRegions(), out);
}

TEST(CustomerRules, EachRuleAtItsEdge) {
  std::string hangul40, hangul41;
  for (int i = 0; i < 40; ++i) hangul40 += "가";
  hangul41 = hangul40 + "나";
  const std::string remark101(101, 'r');
  struct Case {
    std::string row;
    std::string message;  // "" = accepted
  };
  const Case cases[] = {
      {"C-01|" + hangul40 + "|1|0|20240229|1|01012345678|11|" + std::string(100, 'r'), ""},
      {"C1|이름|3|||||| ", ""},  // every optional field empty
      {"|이름|1|0||1|||", "거래처코드를 입력하십시오."},
      {"C123456789X|이름|1|0||1|||", "거래처코드는 10자 이내로 입력하십시오."},
      {"C 1|이름|1|0||1|||", "거래처코드에는 영문, 숫자, '-'만 쓸 수 있습니다."},
      {"C1| |1|0||1|||", "거래처명을 입력하십시오."},
      {"C1|" + hangul41 + "|1|0||1|||", "거래처명은 40자 이내로 입력하십시오."},
      {"C1|이름||0||1|||", "거래처구분을 선택하십시오."},
      {"C1|이름|4|0||1|||", "없는 거래처구분입니다: 4"},
      {"C1|이름|1|-1||1|||", "여신한도는 0 이상이어야 합니다."},
      {"C1|이름|1|12.5||1|||", "여신한도는 원 단위로 입력하십시오."},
      {"C1|이름|1|1,000||1|||", "여신한도가 숫자가 아닙니다: 1,000"},
      {"C1|이름|1|1000000000000||1|||", "여신한도가 너무 큽니다 (999,999,999,999원까지)."},
      {"C1|이름|1|0|20230229|1|||", "등록일자가 올바른 날짜가 아닙니다: 20230229"},
      {"C1|이름|1|0|2024-01-31|1|||", "등록일자가 올바른 날짜가 아닙니다: 2024-01-31"},
      {"C1|이름|1|0||Y|||", "사용 여부는 1 또는 0이어야 합니다."},
      {"C1|이름|1|0||1|11012345678||", "전화번호는 0으로 시작하는 9~11자리 숫자여야 합니다."},
      {"C1|이름|1|0||1|01234567||", "전화번호는 0으로 시작하는 9~11자리 숫자여야 합니다."},
      {"C1|이름|1|0||1||99|", "없는 지역코드입니다: 99"},
      {"C1|이름|1|0||1|||" + remark101, "비고는 100자 이내로 입력하십시오."},
  };
  for (const Case& c : cases) EXPECT_EQ(Check(c.row), c.message) << c.row;
}

TEST(CustomerRules, AcceptedRowIsNormalised) {
  const std::vector<std::string> keep =
      testing::Bars("  C7 | 새한물산 |2| 5000000 | 20240131 || 0311234567 |41| 비고 ");
  CustomerRecord c;
  ASSERT_EQ(CheckCustomer(Fields(keep), SampleRegions(), c), "");
  EXPECT_EQ(c.code + "|" + c.name + "|" + c.kind + "|" + std::to_string(c.credit_limit) + "|" +
                c.registered_on + "|" + (c.active ? "1" : "0") + "|" + c.phone + "|" +
                c.region_code + "|" + c.remark,
            "C7|새한물산|2|5000000|20240131|0|0311234567|41|비고");
}

// The samples a new database is filled with keep the rules the server applies to saves.
TEST(CustomerRules, SampleCustomersPass) {
  CustomerRecord sample, out;
  for (int64_t n = 1; n <= 5000; ++n) {
    MakeSampleCustomer(n, sample);
    const std::string credit = std::to_string(sample.credit_limit);
    const CustomerFields fields{sample.code,  sample.name,          sample.kind,
                                credit,       sample.registered_on, sample.active ? "1" : "0",
                                sample.phone, sample.region_code,   sample.remark};
    ASSERT_EQ(CheckCustomer(fields, SampleRegions(), out), "") << n << " " << sample.name;
  }
}

}  // namespace
}  // namespace zel::server
