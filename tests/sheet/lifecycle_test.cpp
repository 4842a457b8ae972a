// Creation, loading from the host form's stored properties, the control's surface events and
// destruction.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <stdexcept>

#include "support/sheet_fixture.h"
#include "support/sheet_probe.h"

namespace zel {
namespace {

using testing::RecordingEvents;
using testing::ScriptedPlatform;
using testing::SheetFixture;
using testing::SheetProbe;

constexpr const char* kApp = "Praxium.Net";

// The value stored under (section, key) of the sheet's application, or "<none>".
std::string Stored(ScriptedPlatform& p, const std::string& section, const std::string& key) {
  return p.Settings().GetSetting(kApp, section, key, "<none>");
}

TEST(SheetLifecycleTest, CreationSetsDefaultsAndRaisesInitialize) {
  ScriptedPlatform platform;
  RecordingEvents events;
  {
    ZelSheet sheet(platform, events);
    EXPECT_EQ(events.Joined(), "Initialize()");
    EXPECT_EQ(SheetProbe::Identity(sheet).pgm_id, "Global");
    EXPECT_EQ(SheetProbe::Identity(sheet).sheet_id, "ZelSheet");
    EXPECT_EQ(SheetProbe::Exchange(sheet).date_separator, "-");
    EXPECT_EQ(SheetProbe::Editing(sheet).spare_rows, -1);
    EXPECT_EQ(sheet.SortKeyNo(), 3);
    EXPECT_EQ(sheet.DblClickRow(), 1);
    EXPECT_EQ(sheet.BorderStyle(), 1);
    EXPECT_EQ(sheet.ControlName(), "ZelSheet");
    sheet.ControlName("Other");
    EXPECT_EQ(sheet.ControlName(), "ZelSheet");
  }
  EXPECT_EQ(events.calls.back(), "Terminate()");
}

TEST(SheetLifecycleTest, EmptyPropertyBagLoadsDefaultsAndBuildsFiftyColumns) {
  SheetFixture f;
  auto& id = SheetProbe::Identity(f.sheet);
  EXPECT_EQ(id.pgm_id, "");  // read from the absent "PgmID" key
  EXPECT_EQ(id.sheet_id, "ZelSheet");
  EXPECT_EQ(id.settings_section, "\\ZelSheet");
  EXPECT_EQ(id.update_key, ".ZelSheet");
  EXPECT_EQ(id.load_mode, "INIT");
  EXPECT_EQ(id.font_name, "Tahoma");
  EXPECT_EQ(id.os_language, 0);
  EXPECT_FALSE(id.builtin_screen);

  const TypeSheetColor defaults;
  const TypeSheetColor& colors = SheetProbe::Settings(f.sheet).colors;
  EXPECT_EQ(colors.border_color, defaults.border_color);
  EXPECT_EQ(colors.header_col_must_input_fg_color, 0x0202FE);
  EXPECT_EQ(colors.lock_back_color, 0xFFFFFF);

  // Built from the default appearance: 50 columns, no rows, every column numbered.
  Grid& grid = f.sheet.GetSheet();
  EXPECT_EQ(grid.MaxCols(), 50);
  EXPECT_EQ(grid.MaxRows(), 0);
  EXPECT_EQ(SheetProbe::Columns(f.sheet).Size(), 50);
  EXPECT_EQ(grid.GetColItemData(50), 50);
  EXPECT_TRUE(SheetProbe::Settings(f.sheet).format_on_define);
  // Header cells: the default appearance, then the header style of SetHeaderColorMult
  // (one header row, one row-header column).
  grid.Col(-1);
  grid.Row(0);
  EXPECT_EQ(grid.BackColor(), 0xCDD4CF);
  EXPECT_EQ(grid.CellType(), kCellEdit);
  EXPECT_TRUE(grid.TypeEditMultiLine());
  EXPECT_EQ(grid.TypeMaxEditLen(), 255);
  grid.Col(0);
  grid.Row(-1);
  EXPECT_EQ(grid.CellType(), kCellEdit);
  EXPECT_FALSE(grid.TypeEditMultiLine());
  EXPECT_EQ(grid.BackColor(), 0xCDD4CF);
  EXPECT_EQ(grid.TypeHAlign(), 2);
  EXPECT_EQ(grid.ButtonDrawMode(), 4);
  EXPECT_EQ(grid.SelectBlockOptions(), 14);
  EXPECT_TRUE(grid.EditModeReplace());

  // The initial load mode stores the string parameters; the language is written back.
  EXPECT_EQ(Stored(f.platform, "\\ZelSheet", "StringParam"), "");
  EXPECT_EQ(Stored(f.platform, "\\ZelSheet", "Language"), "0");
  // The built-in texts of the message table, and one empty entry.
  const auto& table = SheetProbe::Validation(f.sheet).message_table;
  ASSERT_EQ(table.size(), 4u);
  EXPECT_EQ(table[1], "저장시 오류가 @1개 발생하였습니다! 오류 내역을 확인하세요!");
  EXPECT_EQ(table[3], "");
  EXPECT_TRUE(SheetProbe::Tools(f.sheet).menu_captions.empty());
  EXPECT_EQ(f.events.Joined(), "Initialize()");
}

// The eight-field record a screen normally sends, on a machine with a Korean font and a
// message table for the user's language, and settings from an older definition.
TEST(SheetLifecycleTest, EightFieldInfoTakesEveryFieldAndResetsAStaleArrangement) {
  ScriptedPlatform platform;
  platform.SetClientValue(kApp, "OSLanguage", " 1042 ");
  platform.SetMachineValue("SoftWare\\Quillbrooke\\Praxium.Net\\FONT", "Name_1042", "굴림");
  platform.SetMachineValue("SoftWare\\Quillbrooke\\Praxium.Net\\Message", "SHEET_1",
                           "m0~I~m1 @1~I~m2~I~Excel~I~Chart");
  platform.Settings().SaveSetting(kApp, "PGM001.S1", "PgmInfoUpdateTime", "20231201");
  platform.Settings().SaveSetting(kApp, "PGM001\\S1", "Width", "1,2,3");
  platform.Settings().SaveSetting(kApp, "PGM001\\S1", "m_IsDataAdd", "True");
  platform.Settings().SaveSetting("PGM001", "S1", "Legacy", "x");
  RecordingEvents events;
  {
    ZelSheet sheet(platform, events);
    sheet.ReadProperties(SheetFixture::Bag(
        {{"Info", "DATE:20240105~,PGM001~,XLS~,INIT~,1~,11111110~,S1~,kim"}}));
    auto& id = SheetProbe::Identity(sheet);
    EXPECT_EQ(id.date_stamp, "20240105");
    EXPECT_EQ(id.pgm_id, "PGM001");
    EXPECT_EQ(id.export_value, "XLS");
    EXPECT_EQ(id.load_mode, "INIT");
    EXPECT_EQ(id.language, 1);
    EXPECT_EQ(id.rights, "11111110");
    EXPECT_EQ(id.sheet_id, "S1");
    EXPECT_EQ(sheet.UserID(), "kim");
    EXPECT_EQ(id.settings_section, "PGM001\\S1");
    EXPECT_EQ(id.os_language, 1042);
    EXPECT_EQ(id.font_name, "굴림");
    EXPECT_FALSE(SheetProbe::Tools(sheet).copy_enabled);
    EXPECT_FALSE(SheetProbe::Tools(sheet).send_to_excel_enabled);

    // The stored arrangement was thrown away before the user switches were read.
    EXPECT_EQ(Stored(platform, "PGM001.S1", "PgmInfoUpdateTime"), "20240105");
    EXPECT_EQ(Stored(platform, "PGM001\\S1", "Width"), "<none>");
    EXPECT_FALSE(platform.Settings().SectionExists("PGM001", "S1"));
    EXPECT_EQ(SheetProbe::Editing(sheet).is_data_add, false);
    EXPECT_EQ(sheet.gSelectSheet(), -1);

    const auto& table = SheetProbe::Validation(sheet).message_table;
    ASSERT_EQ(table.size(), 5u);
    EXPECT_EQ(table[1], "m1 @1");
    EXPECT_EQ(SheetProbe::Tools(sheet).menu_captions.at("mnuSendToExcel"), "Excel");
    EXPECT_EQ(SheetProbe::Tools(sheet).menu_captions.at("mnuSendToChart"), "Chart");
    EXPECT_EQ(SheetProbe::Tools(sheet).menu_captions.count("mnuSheetPrint"), 0u);

    Grid& grid = sheet.GetSheet();
    grid.MaxRows(1);
    grid.Col(3);
    grid.Row(1);
    EXPECT_EQ(grid.FontName(), "굴림");
  }
  // Discarded settings stay discarded while the screen is open: nothing is saved at the end.
  EXPECT_EQ(Stored(platform, "PGM001\\S1", "Columns"), "<none>");
  EXPECT_EQ(events.calls.back(), "Terminate()");
}

TEST(SheetLifecycleTest, ProgramUpdateNeedsANewStampALanguageAndTheInitialLoad) {
  struct Case {
    const char* info;
    const char* stored_stamp;
    bool reset;
  };
  const Case cases[] = {
      {"DATE:20240105~,P~,X~,INIT~,1~,R~,S~,U", "20231201", true},
      {"DATE:20240105~,P~,X~,INIT~,1~,R~,S~,U", "20240105", false},  // same stamp
      {"DATE:20240105~,P~,X~,INIT~,0~,R~,S~,U", "20231201", false},  // language 0
      {"DATE:20240105~,P~,X~,save~,1~,R~,S~,U", "20231201", false},  // not the initial load
      {"20240105~,P~,X~,INIT~,1~,R~,S~,U", "20231201", false},       // no DATE: prefix
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.info);
    ScriptedPlatform platform;
    platform.Settings().SaveSetting(kApp, "P.S", "PgmInfoUpdateTime", c.stored_stamp);
    platform.Settings().SaveSetting(kApp, "P\\S", "gDisCol", "7");
    ZelSheet sheet(platform);
    sheet.ReadProperties(SheetFixture::Bag({{"Info", c.info}}));
    EXPECT_EQ(sheet.gDisCol(), c.reset ? -1 : 7);
    EXPECT_EQ(SheetProbe::Settings(sheet).saves_disabled, c.reset);
  }
}

TEST(SheetLifecycleTest, ShortInfoRecordsThroughTheSheet) {
  {
    SheetFixture f(SheetFixture::Bag({{"Info", "D~,PGM~,X~,INIT~,2~,lee"}}));
    EXPECT_EQ(SheetProbe::Identity(f.sheet).sheet_id, "2");
    EXPECT_EQ(SheetProbe::Identity(f.sheet).language, 2);
    EXPECT_EQ(SheetProbe::Identity(f.sheet).rights, "");
    EXPECT_EQ(f.sheet.UserID(), "lee");
    EXPECT_EQ(SheetProbe::Identity(f.sheet).settings_section, "PGM\\2");
  }
  {
    SheetFixture f(SheetFixture::Bag({{"Info", "D~,PGM~,X~,INIT~,2~,0000000~,park"}}));
    EXPECT_EQ(SheetProbe::Identity(f.sheet).sheet_id, "park");
    EXPECT_EQ(f.sheet.UserID(), "park");
    EXPECT_TRUE(SheetProbe::Tools(f.sheet).copy_enabled);  // no eighth character
  }
  {
    // A single field: only the user id; the ids keep their creation values.
    SheetFixture f(SheetFixture::Bag({{"Info", "someone"}, {"PgmID", "IGNORED"}}));
    EXPECT_EQ(f.sheet.UserID(), "someone");
    EXPECT_EQ(SheetProbe::Identity(f.sheet).pgm_id, "Global");
    EXPECT_EQ(SheetProbe::Identity(f.sheet).sheet_id, "ZelSheet");
  }
}

TEST(SheetLifecycleTest, BuiltInScreensAreRecognisedByTheirProgramId) {
  struct Case {
    const char* pgm_id;
    bool builtin;
  };
  const Case cases[] = {{"ZEL0001", true}, {"zel", true}, {"ZeLx", true},
                        {"AZEL01", false}, {"ze", false}, {"", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pgm_id);
    // With a blank Info the program id comes from its own key.
    SheetFixture f(SheetFixture::Bag({{"Info", "  "}, {"PgmID", c.pgm_id}, {"MaxCols", "30"}}));
    EXPECT_EQ(SheetProbe::Identity(f.sheet).pgm_id, c.pgm_id);
    EXPECT_EQ(SheetProbe::Identity(f.sheet).builtin_screen, c.builtin);
    EXPECT_EQ(f.sheet.IsDataDisplay(), c.builtin);
    EXPECT_EQ(f.sheet.IsNoRowHeaderChange(), c.builtin);
    // Built-in screens get the column count they stored; others the default 50.
    EXPECT_EQ(f.sheet.MaxCols(), c.builtin ? 30 : 50);
    EXPECT_EQ(f.sheet.MaxRows(), 0);
  }
}

TEST(SheetLifecycleTest, LoadModeDecidesWhereTheStringParametersComeFrom) {
  {
    ScriptedPlatform platform;
    platform.Settings().SaveSetting(kApp, "P\\S", "StringParam", "from settings");
    ZelSheet sheet(platform);
    sheet.ReadProperties(SheetFixture::Bag({{"Info", "D~,P~,X~,save~,0~,R~,S~,U"}}));
    EXPECT_EQ(SheetProbe::Identity(sheet).load_mode, "save");
    EXPECT_EQ(SheetProbe::Exchange(sheet).string_param, "from settings");
    EXPECT_FALSE(SheetProbe::Settings(sheet).format_on_define);
  }
  {
    ScriptedPlatform platform;
    platform.Settings().SaveSetting(kApp, "P\\S", "StringParam", "old");
    ZelSheet sheet(platform);
    sheet.ReadProperties(SheetFixture::Bag(
        {{"Info", "D~,P~,X~,ControlsUpload~,0~,R~,S~,U"}, {"StringParam", "  new  "}}));
    EXPECT_EQ(SheetProbe::Identity(sheet).load_mode, "INIT");
    EXPECT_EQ(SheetProbe::Exchange(sheet).string_param, "new");
    EXPECT_EQ(Stored(platform, "P\\S", "StringParam"), "new");
    EXPECT_TRUE(SheetProbe::Settings(sheet).format_on_define);
  }
  {
    // "newpage" formats on define like the initial load; it is kept as given.
    SheetFixture f(SheetFixture::Bag({{"Info", "D~,P~,X~,newpage~,0~,R~,S~,U"}}));
    EXPECT_EQ(SheetProbe::Identity(f.sheet).load_mode, "newpage");
    EXPECT_TRUE(SheetProbe::Settings(f.sheet).format_on_define);
  }
}

TEST(SheetLifecycleTest, UserSettingsAndFrozenCountsAreReadAtLoading) {
  ScriptedPlatform platform;
  const std::pair<const char*, const char*> stored[] = {
      {"m_IsDataAdd", "True"}, {"gSelectSheet", "1"}, {"gCheckCol", "2"},
      {"gSelectCol", "x"},     {"ColsFrozen", "3"},   {"RowsFrozen", "2"}};
  for (const auto& [key, value] : stored) {
    platform.Settings().SaveSetting(kApp, "P\\S", key, value);
  }
  ZelSheet sheet(platform);
  sheet.ReadProperties(SheetFixture::Bag({{"Info", "D~,P~,X~,INIT~,0~,R~,S~,U"}}));
  EXPECT_TRUE(SheetProbe::Editing(sheet).is_data_add);
  EXPECT_TRUE(SheetProbe::Tools(sheet).data_add_checked);
  EXPECT_EQ(sheet.gSelectSheet(), 1);
  EXPECT_EQ(sheet.gCheckCol(), 2);
  EXPECT_EQ(sheet.gSelectCol(), 0);  // not a number: left at its initial value
  EXPECT_EQ(sheet.gDisCol(), -1);
  EXPECT_EQ(sheet.ColsFrozen(), 3);
  EXPECT_EQ(SheetProbe::Settings(sheet).frozen_rows, 2);
}

TEST(SheetLifecycleTest, StoredPropertiesRoundTrip) {
  const PropertyBag in = SheetFixture::Bag({{"Appearance", "1"},
                                            {"Info", "D~,PGM~,X~,INIT~,0~,R~,S1~,U"},
                                            {"SheetID", "ignored on reading"},
                                            {"IsClearHeaderInfo", "True"},
                                            {"IsClear", "true"},
                                            {"ServerDate", "20240301"},
                                            {"IsSaveToFileDataOnly", "-1"},
                                            {"IsMulti", "True"},
                                            {"COLOR_BACKCOLOR", "255"},
                                            {"COLOR_FORECOLOR", "16711680"},
                                            {"COLOR_HeaderColMustInputFgColor", "65280"}});
  SheetFixture f(in);
  EXPECT_EQ(f.sheet.Appearance(), 1);
  EXPECT_TRUE(f.sheet.IsClearHeaderInfo());
  EXPECT_TRUE(f.sheet.IsClear());
  EXPECT_TRUE(f.sheet.IsSaveToFileDataOnly());
  EXPECT_TRUE(SheetProbe::Exchange(f.sheet).is_multi);
  EXPECT_EQ(SheetProbe::Editing(f.sheet).server_date, "20240301");
  const TypeSheetColor& colors = SheetProbe::Settings(f.sheet).colors;
  EXPECT_EQ(colors.back_color, 255);
  EXPECT_EQ(colors.lock_back_color, 255);
  EXPECT_EQ(colors.lock_fore_color, 16711680);
  EXPECT_EQ(colors.not_null, 65280);
  EXPECT_EQ(colors.header_col_must_input_fg_color, 65280);

  PropertyBag out;
  f.sheet.WriteProperties(out);
  EXPECT_EQ(out.Count(), 8u);
  EXPECT_EQ(out.ReadProperty("Appearance"), "1");
  EXPECT_EQ(out.ReadProperty("Info"), "D~,PGM~,X~,INIT~,0~,R~,S1~,U");
  EXPECT_EQ(out.ReadProperty("SheetID"), "S1");
  EXPECT_EQ(out.ReadProperty("PgmID"), "PGM");
  EXPECT_EQ(out.ReadProperty("IsClearHeaderInfo"), "True");
  EXPECT_EQ(out.ReadProperty("IsClear"), "True");
  EXPECT_EQ(out.ReadProperty("ServerDate"), "20240301");
  EXPECT_EQ(out.ReadProperty("IsSaveToFileDataOnly"), "True");
  EXPECT_FALSE(out.Contains("COLOR_BACKCOLOR"));  // colours are read, never written

  // What was written loads into the same values.
  SheetFixture g(out);
  EXPECT_EQ(g.sheet.Appearance(), 1);
  EXPECT_EQ(SheetProbe::Identity(g.sheet).sheet_id, "S1");
  EXPECT_TRUE(g.sheet.IsSaveToFileDataOnly());
}

TEST(SheetLifecycleTest, MalformedStoredValuesKeepTheirDefaults) {
  SheetFixture f(SheetFixture::Bag({{"Appearance", "abc"},
                                    {"IsClear", "maybe"},
                                    {"MaxCols", "many"},
                                    {"COLOR_BACKCOLOR", "red"},
                                    {"COLOR_CodeHelp", "99999999999999"},
                                    {"Info", "D~,P~,X~,INIT~,99999~,R~,S~,U"}}));
  EXPECT_EQ(f.sheet.Appearance(), 0);
  EXPECT_FALSE(f.sheet.IsClear());
  EXPECT_EQ(SheetProbe::Settings(f.sheet).colors.back_color, 0xFFFFFF);
  EXPECT_EQ(SheetProbe::Settings(f.sheet).colors.code_help, 0xFBF1DF);
  EXPECT_EQ(SheetProbe::Identity(f.sheet).language, 0);
  EXPECT_EQ(f.sheet.MaxCols(), 50);
}

// A host store that refuses one key: the other keys are still written.
class RefusingBag : public PropertyBag {
 public:
  void WriteProperty(const std::string& name, const std::string& value) override {
    if (name == "Info") throw std::runtime_error("store full");
    PropertyBag::WriteProperty(name, value);
  }
};

TEST(SheetLifecycleTest, AFailingPropertyWriteIsSkipped) {
  SheetFixture f;
  RefusingBag bag;
  f.sheet.WriteProperties(bag);
  EXPECT_FALSE(bag.Contains("Info"));
  EXPECT_EQ(bag.Count(), 7u);
  EXPECT_EQ(bag.ReadProperty("SheetID"), "ZelSheet");
}

TEST(SheetLifecycleTest, ResizePlacesTheGridAndDrawsTheFrame) {
  SheetFixture f(SheetFixture::Bag({{"COLOR_BorderColor", "123"}}));
  f.sheet.Resize(1000, 600);
  const ControlArea& area = f.sheet.Area();
  EXPECT_EQ(area.grid_left, 10);
  EXPECT_EQ(area.grid_top, 10);
  EXPECT_EQ(area.grid_width, 970);
  EXPECT_EQ(area.grid_height, 570);
  ASSERT_EQ(area.drawing.size(), 1u);
  EXPECT_EQ(area.drawing[0], (DrawnRect{5, 5, 990, 590, 123}));
  // A second resize replaces the drawing; a tiny control gets an empty grid.
  f.sheet.Resize(20, 20);
  EXPECT_EQ(f.sheet.Area().drawing.size(), 1u);
  EXPECT_EQ(f.sheet.Area().grid_width, 0);
  f.sheet.Cls();
  EXPECT_TRUE(f.sheet.Area().drawing.empty());
  f.sheet.Show();
  f.sheet.Paint();
  f.sheet.Hide();
  EXPECT_EQ(f.events.Joined(), "Initialize() Resize() Resize() Show() Paint() Hide()");
}

// A sink that throws must not break the sheet's own work.
class ThrowingEvents : public RecordingEvents {
 public:
  void Resize() override {
    RecordingEvents::Resize();
    throw std::runtime_error("host failed");
  }
};

TEST(SheetLifecycleTest, DestructionSavesTheArrangementAndRaisesTerminate) {
  ScriptedPlatform platform;
  RecordingEvents events;
  {
    ThrowingEvents throwing;
    ZelSheet sheet(platform, throwing);
    EXPECT_NO_THROW(sheet.Resize(100, 100));
    sheet.SetEventSink(&events);
    sheet.ReadProperties(SheetFixture::Bag({{"Info", "D~,P~,X~,INIT~,0~,R~,S~,U"}}));
    sheet.MaxRows(3);
    sheet.RowHeight(1, 10.2);
    sheet.ColWidth(2, 15.5);
    sheet.Col(3);
    sheet.ColHidden(true);
    sheet.RowsFrozen(1);
    sheet.EditModePermanent(true);
    sheet.MousePointer(vbHourglass);
  }
  EXPECT_EQ(events.Joined(), "Terminate()");
  const std::string section = "P\\S";
  EXPECT_EQ(Stored(platform, section, "Columns"), "50");
  const std::string serial = Stored(platform, section, "Serial");
  EXPECT_EQ(serial.substr(0, 9), "1,2,3,4,5");
  EXPECT_EQ(std::count(serial.begin(), serial.end(), ','), 49);
  EXPECT_EQ(Stored(platform, section, "Width").substr(0, 12), "8,15.5,10,8,");
  EXPECT_EQ(Stored(platform, section, "Hidden").substr(0, 8), "0,0,1,0,");
  EXPECT_EQ(Stored(platform, section, "RowHeight"), "10");
  EXPECT_EQ(Stored(platform, section, "RowsFrozen"), "1");
  EXPECT_EQ(Stored(platform, section, "ColsFrozen"), "1");
  EXPECT_EQ(Stored(platform, section, "EditModePermanent"), "-1");
  EXPECT_EQ(platform.Mouse().ControlPointer(), vbDefault);
  EXPECT_EQ(platform.Mouse().ScreenPointer(), vbDefault);
}

}  // namespace
}  // namespace zel

namespace zel {
namespace {

// A settings store that has gone away: every call fails.
class BrokenSettings : public MemorySettingsStore {
 public:
  std::string GetSetting(const std::string&, const std::string&, const std::string&,
                         const std::string&) override {
    throw SettingsError("settings database is locked");
  }
  void SaveSetting(const std::string&, const std::string&, const std::string&,
                   const std::string&) override {
    throw SettingsError("settings database is locked");
  }
  void DeleteSection(const std::string&, const std::string&) override {
    throw SettingsError("settings database is locked");
  }
};

class BrokenSettingsPlatform : public testing::ScriptedPlatform {
 public:
  SettingsStore& Settings() override { return broken_; }

 private:
  BrokenSettings broken_;
};

TEST(SheetLifecycleTest, LoadingAndDestructionSkipStepsThatFail) {
  BrokenSettingsPlatform platform;
  testing::RecordingEvents events;
  {
    ZelSheet sheet(platform, events);
    EXPECT_NO_THROW(sheet.ReadProperties(testing::SheetFixture::Bag(
        {{"Info", "DATE:20240105~,P~,X~,INIT~,1~,R~,S~,U"}})));
    // Everything that needs no settings still happened.
    EXPECT_EQ(sheet.UserID(), "U");
    EXPECT_EQ(sheet.MaxCols(), 50);
    EXPECT_EQ(testing::SheetProbe::Columns(sheet).Size(), 50);
    EXPECT_EQ(testing::SheetProbe::Validation(sheet).message_table.size(), 4u);
    EXPECT_EQ(sheet.gDisCol(), 0);
  }
  EXPECT_EQ(events.Joined(), "Initialize() Terminate()");
}

}  // namespace
}  // namespace zel
