// The server and a real sheet, as the demo screen uses them: the query displayed, rows
// edited, marked and added, GetData saved, the answer applied with MessageCheckSaveSheet;
// then the sheet and the database must hold the same customers, but for the refused row.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "server/customer_server.h"
#include "server_support.h"
#include "zelsheet/host_helpers.h"
#include "zelsheet/property_bag.h"
#include "zelsheet/testing.h"
#include "zelsheet/zel_sheet.h"

namespace zel::server {
namespace {

using testing::Lines;
using testing::TempDir;

struct CustomerScreen {
  CustomerScreen() : sheet(platform) {
    sheet.ReadProperties(PropertyBag{});
    sheet.MaxCols(kCustomerColumnCount);
    for (const ColumnDescription& column : CustomerColumns()) AddColumn(sheet, column);
  }
  // A user's edit of definition column `col`, as the change handler tracks it.
  void Edit(int32_t col, int32_t row, const std::string& value) {
    sheet.CellText(col, row, value);
    sheet.TrackCellChange(sheet.ColX(col), row, row);
  }
  bool Save(CustomerServer& server) {
    const std::string results = server.Save(sheet.GetData());
    return sheet.MessageCheckSaveSheet(results, 2, 0, kSerial, 3, 0, kRowVersion, 4, 0,
                                       kRegionName);
  }
  Color RowFore(int32_t row) {
    Grid& g = sheet.GetSheet();
    g.Row(row);
    g.Col(-1);
    return g.ForeColor();
  }

  zel::testing::ScriptedPlatform platform;
  ZelSheet sheet;
};

TEST(SheetRoundTrip, QueryEditSaveAndApply) {
  TempDir dir;
  CustomerServer server(dir.File("customers.db"));
  CustomerScreen screen;
  ZelSheet& s = screen.sheet;
  ASSERT_TRUE(s.Display(server.Query()));
  ASSERT_EQ(s.DataRowCnt(), CustomerServer::kDefaultCustomers);
  // Every column shows back what the server sent (the sheet's forms of combos, dates,
  // checks and masks convert back to the server's).
  EXPECT_EQ(Lines(s.GetDataAll(true)), Lines(server.Query()));

  screen.Edit(kName, 1, "한빛상사 본점");
  screen.Edit(kCreditLimit, 2, "0");
  s.GetSheet().SetText(0, 3, "X");  // the delete mark
  const int32_t first = CustomerServer::kDefaultCustomers + 1;
  screen.Edit(kCode, first, "C0000004");  // taken by row 4
  screen.Edit(kName, first, "중복상사");
  screen.Edit(kKind, first, "2");
  screen.Edit(kCode, first + 1, "N0001");
  screen.Edit(kName, first + 1, "새한물산");
  screen.Edit(kKind, first + 1, "3");
  screen.Edit(kRegionCode, first + 1, "41");
  screen.Edit(kPhone, first + 1, "03112345678");
  ASSERT_EQ(s.GetChangeCount(), 5);

  EXPECT_FALSE(screen.Save(server));
  // Row 3 left the grid; the refused row stayed, red and new, and is listed.
  const int32_t refused = first - 1, added = first;
  EXPECT_EQ(s.DataRowCnt(), added);
  EXPECT_EQ(s.GetChangeCount(), 1);
  EXPECT_EQ(GetRowStatus(s, refused), RowStatus::Added);
  EXPECT_EQ(screen.RowFore(refused), 255);
  const std::vector<ErrorListEntry> errors = ReadErrorList(s.ErrorMsg());
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].message, "거래처코드가 이미 있습니다: C0000004");

  // The database holds what the sheet shows, less the refused row: the saved rows took
  // their serials, versions and region names.
  EXPECT_EQ(s.CellText(kRegionName, added), "경기도");
  std::vector<std::string> shown = Lines(s.GetDataAll(true));
  shown.erase(shown.begin() + (refused - 1));
  EXPECT_EQ(Lines(server.Query()), shown);

  // The versions written back let the same rows be saved again; the fixed row goes too.
  screen.Edit(kName, 1, "한빛상사 본사");
  screen.Edit(kRemark, added, "두 번째 저장");
  screen.Edit(kCode, refused, "N0002");
  EXPECT_TRUE(screen.Save(server));
  EXPECT_EQ(s.GetChangeCount(), 0);
  EXPECT_EQ(screen.RowFore(refused), 0);
  // (The fixed row got the newer serial, though it stands above the other new row.)
  std::vector<std::string> stored = Lines(server.Query());
  shown = Lines(s.GetDataAll(true));
  std::sort(stored.begin(), stored.end());
  std::sort(shown.begin(), shown.end());
  EXPECT_EQ(stored, shown);
}

}  // namespace
}  // namespace zel::server
