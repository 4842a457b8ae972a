// The declarations of the customer screen's columns: the server owns the field names,
// lengths and codes its rules use, so a screen takes them from here.
#include "server/customer_server.h"

namespace zel::server {

std::vector<ColumnDescription> CustomerColumns() {
  const std::string kinds = ComboList({{"매출처", "1"}, {"매입처", "2"}, {"겸용", "3"}});
  return {
      {.field_name = "CUST_CD", .title = "거래처코드", .cell_type = EnText, .max_length = 10,
       .access_code = "KEY;NON"},
      {.field_name = "CUST_NM", .title = "거래처명", .cell_type = EnText, .max_length = 40,
       .access_code = "NON"},
      {.field_name = "CUST_GB", .title = "구분", .cell_type = EnCombo, .max_length = 1,
       .access_code = "NON", .mask_or_list = kinds},
      {.field_name = "CREDIT_AMT", .title = "여신한도", .cell_type = EnFloat, .max_length = 12,
       .decimals = 0},
      {.field_name = "REG_DT", .title = "등록일자", .cell_type = EnDate, .max_length = 10},
      {.field_name = "USE_YN", .title = "사용", .cell_type = EnCheck},
      {.field_name = "TEL_NO", .title = "전화번호", .cell_type = EnMask,
       .mask_or_list = "###-####-####"},
      {.field_name = "AREA_CD", .title = "지역코드", .cell_type = EnText, .max_length = 2,
       .access_code = "DIC"},
      {.field_name = "AREA_NM", .title = "지역명", .cell_type = EnText, .max_length = 20,
       .access_code = "DIS"},
      {.field_name = "REMARK", .title = "비고", .cell_type = EnText, .max_length = 100},
      {.field_name = "CUST_SEQ", .title = "일련번호", .cell_type = EnText, .max_length = 12,
       .access_code = "HID;DIS"},
      {.field_name = "ROW_VER", .title = "버전", .cell_type = EnText, .max_length = 12,
       .access_code = "HID;DIS"},
  };
}

}  // namespace zel::server
