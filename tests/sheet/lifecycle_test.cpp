// Creation, loading from the host form's stored properties, the control's surface events and
// destruction.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <stdexcept>

#include "support/sheet_fixture.h"

namespace zel {
namespace {

using testing::RecordingEvents;
using testing::ScriptedPlatform;
using testing::SheetFixture;

constexpr const char* kApp = "Praxium.Net";

// The value stored under (section, key) of the sheet's application, or "<none>".
std::string Stored(ScriptedPlatform& p, const std::string& section, const std::string& key) {
  return p.Settings().GetSetting(kApp, section, key, "<none>");
}

TEST(SheetLifecycleTest, EmptyPropertyBagBuildsFiftyColumnsAndStoresTheLanguage) {
  SheetFixture f;
  EXPECT_EQ(f.events.Joined(), "Initialize()");
  f.sheet.ControlName("Other");  // read-only
  EXPECT_EQ(f.sheet.ControlName() + "|" + f.sheet.PgmID() + "|" + f.sheet.SheetID(), "ZelSheet||ZelSheet");
  // Built from the default appearance: 50 columns, no rows, every column numbered; the
  // header row's cells multi-line, the row header's not.
  Grid& grid = f.sheet.GetSheet();
  EXPECT_EQ(grid.MaxCols() * 100 + grid.MaxRows() + grid.GetColItemData(50), 5050);
  grid.Col(-1);
  grid.Row(0);
  EXPECT_TRUE(grid.TypeEditMultiLine());
  grid.Col(0);
  grid.Row(-1);
  EXPECT_FALSE(grid.TypeEditMultiLine());
  // The initial load stores the string parameters under the empty program id's section,
  // and writes the language back.
  EXPECT_EQ(Stored(f.platform, "\\ZelSheet", "StringParam") + Stored(f.platform, "\\ZelSheet", "Language"), "0");
  // The defaults a declared column shows: Tahoma for text, a key column's title in red.
  f.sheet.AddItem("K", "Key", EnText, 0, 10, 0, "KEY");
  f.sheet.MaxRows(1);
  grid.Col(1);
  grid.Row(1);
  EXPECT_EQ(grid.FontName(), "Tahoma");
  grid.Row(0);
  EXPECT_EQ(grid.ForeColor(), 0x0202FE);
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
    EXPECT_EQ(sheet.PgmID() + "|" + sheet.SheetID() + "|" + sheet.UserID(), "PGM001|S1|kim");
    // The stored arrangement was thrown away before the user switches were read.
    EXPECT_EQ(Stored(platform, "PGM001.S1", "PgmInfoUpdateTime") + Stored(platform, "PGM001\\S1", "Width") +
                  Stored(platform, "PGM001\\S1", "Language"),
              "20240105<none>1");
    EXPECT_FALSE(platform.Settings().SectionExists("PGM001", "S1"));
    EXPECT_FALSE(sheet.IsDataAdd());
    EXPECT_EQ(sheet.gSelectSheet(), -1);
    // The message table of language 1 speaks in the save summary; the machine font of the
    // client's language reaches the cells.
    sheet.AddItem("K", "Key", EnText);
    sheet.Display("a~,~I~");
    sheet.GetSheet().SetText(0, 1, "U");
    EXPECT_FALSE(sheet.MessageCheckSaveSheet("H~,~,~I~NG~,x~,~I~"));
    EXPECT_EQ(platform.Boxes().back().text, "m1 1");
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
      {"DATE:20240105~,P~,X~,INIT~,1~,R~,S~,U", nullptr, false},     // first opening
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.info);
    ScriptedPlatform platform;
    if (c.stored_stamp) platform.Settings().SaveSetting(kApp, "P.S", "PgmInfoUpdateTime", c.stored_stamp);
    platform.Settings().SaveSetting(kApp, "P\\S", "gDisCol", "7");
    {
      ZelSheet sheet(platform);
      sheet.ReadProperties(SheetFixture::Bag({{"Info", c.info}}));
      EXPECT_EQ(sheet.gDisCol(), c.reset ? -1 : 7);
    }
    // A reset screen saves nothing until it is opened again; any other saves as it closes.
    EXPECT_EQ(Stored(platform, "P\\S", "Columns"), c.reset ? "<none>" : "50");
    if (!c.stored_stamp) EXPECT_EQ(Stored(platform, "P.S", "PgmInfoUpdateTime"), "20240105");
  }
}

// How short records split is SplitInfo's table; a single field is the user id alone, and
// the ids keep their creation values.
TEST(SheetLifecycleTest, SingleFieldInfoIsTheUserIdAlone) {
  SheetFixture f(SheetFixture::Bag({{"Info", "someone"}, {"PgmID", "IGNORED"}}));
  EXPECT_EQ(f.sheet.UserID(), "someone");
  EXPECT_EQ(f.sheet.PgmID(), "Global");
  EXPECT_EQ(f.sheet.SheetID(), "ZelSheet");
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
    EXPECT_EQ(f.sheet.PgmID(), c.pgm_id);
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
    EXPECT_EQ(sheet.StringParam(), "from settings");
    sheet.AddItem("K", "Key", EnCheck);  // a restored layout is not formatted again
    sheet.GetSheet().Col(1);
    EXPECT_EQ(sheet.GetSheet().CellType(), kCellEdit);
  }
  {
    ScriptedPlatform platform;
    platform.Settings().SaveSetting(kApp, "P\\S", "StringParam", "old");
    ZelSheet sheet(platform);
    sheet.ReadProperties(SheetFixture::Bag(
        {{"Info", "D~,P~,X~,ControlsUpload~,0~,R~,S~,U"}, {"StringParam", "  new  "}}));
    EXPECT_EQ(sheet.StringParam(), "new");
    EXPECT_EQ(Stored(platform, "P\\S", "StringParam"), "new");
  }
  {
    // "newpage" formats on define like the initial load.
    SheetFixture f(SheetFixture::Bag({{"Info", "D~,P~,X~,newpage~,0~,R~,S~,U"}}));
    f.sheet.AddItem("K", "Key", EnCheck);
    f.sheet.GetSheet().Col(1);
    EXPECT_EQ(f.sheet.GetSheet().CellType(), kCellCheckBox);
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
  sheet.MaxRows(5);
  // gSelectCol is not a number: left at its initial value.
  EXPECT_EQ(std::to_string(sheet.IsDataAdd()) + std::to_string(sheet.gSelectSheet()) + std::to_string(sheet.gCheckCol()) +
                std::to_string(sheet.gSelectCol()) + std::to_string(sheet.gDisCol()) +
                std::to_string(sheet.ColsFrozen()) + std::to_string(sheet.RowsFrozen()),
            "1120-132");
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
  // The colours: the lock colours follow the plain ones (IsSheetLock shows them); a key
  // column's title takes the must-input colour.
  Grid& grid = f.sheet.GetSheet();
  f.sheet.MaxRows(1);
  f.sheet.IsSheetLock(false);
  EXPECT_EQ(grid.LockBackColor(), 255);
  EXPECT_EQ(grid.LockForeColor(), 16711680);
  f.sheet.AddItem("K", "Key", EnText, 0, 10, 0, "KEY");
  grid.Col(1);
  grid.Row(0);
  EXPECT_EQ(grid.ForeColor(), 65280);

  PropertyBag out;
  f.sheet.WriteProperties(out);
  std::string written;
  for (const char* key : {"Appearance", "Info", "SheetID", "PgmID", "IsClearHeaderInfo", "IsClear",
                          "ServerDate", "IsSaveToFileDataOnly"}) {
    written += std::string(key) + "=" + out.ReadProperty(key) + " ";
  }
  EXPECT_EQ(written,
            "Appearance=1 Info=D~,PGM~,X~,INIT~,0~,R~,S1~,U SheetID=S1 PgmID=PGM IsClearHeaderInfo=True "
            "IsClear=True ServerDate=20240301 IsSaveToFileDataOnly=True ");
  EXPECT_EQ(out.Count(), 8u);  // colours are read, never written
  // What was written loads into the same values.
  SheetFixture g(out);
  EXPECT_EQ(g.sheet.Appearance(), 1);
  EXPECT_EQ(g.sheet.SheetID(), "S1");
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
  EXPECT_EQ(f.sheet.MaxCols(), 50);
  EXPECT_EQ(Stored(f.platform, "P\\S", "Language"), "0");
  f.sheet.MaxRows(1);
  f.sheet.IsSheetLock(false);
  EXPECT_EQ(f.sheet.GetSheet().LockBackColor(), 0xFFFFFF);
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
  EXPECT_EQ(std::to_string(area.grid_left) + "," + std::to_string(area.grid_top) + "," +
                std::to_string(area.grid_width) + "," + std::to_string(area.grid_height),
            "10,10,970,570");
  EXPECT_EQ(area.drawing, (std::vector<DrawnRect>{{5, 5, 990, 590, 123}}));
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
  std::string saved;
  for (const char* key : {"Columns", "RowHeight", "RowsFrozen", "ColsFrozen", "EditModePermanent"}) {
    saved += Stored(platform, "P\\S", key) + " ";
  }
  EXPECT_EQ(saved + Stored(platform, "P\\S", "Width").substr(0, 12) + " " +
                Stored(platform, "P\\S", "Hidden").substr(0, 8) + " " + Stored(platform, "P\\S", "Serial"),
            "50 10 1 1 -1 8,15.5,10,8, 0,0,1,0, 1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,"
            "26,27,28,29,30,31,32,33,34,35,36,37,38,39,40,41,42,43,44,45,46,47,48,49,50");
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
    EXPECT_EQ(sheet.gDisCol(), 0);
  }
  EXPECT_EQ(events.Joined(), "Initialize() Terminate()");
}

}  // namespace
}  // namespace zel
