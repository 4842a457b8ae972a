// Creation, loading from the host form's stored properties, the control's surface events and
// destruction.
#include <gtest/gtest.h>

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

// The look of cell (col, row) as "multi-line/font/fore colour".
std::string Look(Grid& g, int32_t col, int32_t row) {
  g.Col(col);
  g.Row(row);
  return std::to_string(g.TypeEditMultiLine()) + "/" + g.FontName() + "/" + std::to_string(g.ForeColor());
}

// Values that do not parse keep the defaults a new form has.
TEST(SheetLifecycleTest, NewOrMalformedPropertiesBuildTheDefaultSheet) {
  SheetFixture f(SheetFixture::Bag({{"Appearance", "abc"}, {"IsClear", "maybe"}, {"MaxCols", "many"},
                                    {"COLOR_BACKCOLOR", "red"}, {"COLOR_CodeHelp", "99999999999999"},
                                    {"Info", "D~,P~,X~,INIT~,99999~,R~,S~,U"}}));
  EXPECT_EQ(f.events.Joined(), "Initialize()");
  EXPECT_EQ(std::to_string(f.sheet.Appearance()) + std::to_string(f.sheet.IsClear()), "00");
  // 50 numbered columns, no rows; the language written back as 0.
  EXPECT_EQ(f.sheet.MaxCols() * 100 + f.sheet.MaxRows() + f.grid().GetColItemData(50), 5050);
  EXPECT_EQ(Stored(f.platform, "P\\S", "Language"), "0");
  // Header cells wrap, the row header's do not; Tahoma for text; a key column's title red.
  f.sheet.AddItem("K", "Key", EnText, 0, 10, 0, "KEY");
  f.sheet.MaxRows(1);
  EXPECT_EQ(Look(f.grid(), 1, 0) + " " + Look(f.grid(), 0, 1) + " " + Look(f.grid(), 1, 1).substr(0, 8),
            "1/Tahoma/131838 0/Tahoma/0 0/Tahoma");
  f.sheet.IsSheetLock(false);
  EXPECT_EQ(f.grid().LockBackColor(), 0xFFFFFF);
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
  platform.Settings().SaveSetting("PGM001", "S1", "Legacy", "x");
  {
    ZelSheet sheet(platform);
    sheet.ReadProperties(SheetFixture::Bag({{"Info", "DATE:20240105~,PGM001~,XLS~,INIT~,1~,11111110~,S1~,kim"}}));
    EXPECT_EQ(sheet.PgmID() + "|" + sheet.SheetID() + "|" + sheet.UserID(), "PGM001|S1|kim");
    // The stored arrangement was thrown away before the user switches were read.
    EXPECT_EQ(Stored(platform, "PGM001.S1", "PgmInfoUpdateTime") + Stored(platform, "PGM001\\S1", "Width") +
                  Stored(platform, "PGM001\\S1", "Language"),
              "20240105<none>1");
    EXPECT_FALSE(platform.Settings().SectionExists("PGM001", "S1"));
    // The message table of language 1 speaks in the save summary; the machine font of the
    // client's language reaches the cells.
    sheet.AddItem("K", "Key", EnText);
    sheet.Display("a~,~I~");
    sheet.GetSheet().SetText(0, 1, "U");
    EXPECT_FALSE(sheet.MessageCheckSaveSheet("H~,~,~I~NG~,x~,~I~"));
    EXPECT_EQ(platform.Boxes().back().text, "m1 1");
    sheet.GetSheet().MaxRows(1);
    EXPECT_EQ(Look(sheet.GetSheet(), 3, 1).substr(0, 8), "0/굴림");
  }
  // Discarded settings stay discarded while the screen is open: nothing is saved at the end.
  EXPECT_EQ(Stored(platform, "PGM001\\S1", "Columns"), "<none>");
}

// The user's switches and frozen counts are read at loading, unless a newer program
// definition (a new stamp, a language, the initial load) discarded them first. The load mode
// decides where the string parameters come from and whether a declaration formats its
// column (cell kind 10, a check box) or leaves a restored layout alone (1, plain edit).
TEST(SheetLifecycleTest, LoadingReadsUserSettingsUnlessAProgramUpdateResetsThem) {
  const char* kRead = "0 1120332 12";  // gSelectCol is not a number: left as it was
  const char* kReset = "0 0-1-1-1-110 00";
  const std::tuple<const char*, const char*, const char*, const char*, const char*> cases[] = {
      {"DATE:20240105~,P~,X~,INIT~,1~,R~,S~,U", "20231201", "", kReset, "||10"},
      {"DATE:20240105~,P~,X~,INIT~,1~,R~,S~,U", "20240105", "", kRead, "||10"},  // same stamp
      {"DATE:20240105~,P~,X~,INIT~,0~,R~,S~,U", "20231201", "", kRead, "||10"},  // language 0
      {"DATE:20240105~,P~,X~,save~,1~,R~,S~,U", "20231201", "", kRead, "stored|stored|1"},
      {"20240105~,P~,X~,INIT~,1~,R~,S~,U", "20231201", "", kRead, "||10"},  // no DATE: prefix
      // Uploading controls loads like the initial load, but is no program update.
      {"DATE:20240105~,P~,X~,ControlsUpload~,1~,R~,S~,U", "20231201", " new ", kRead, "new|new|10"},
      {"DATE:20240105~,P~,X~,newpage~,1~,R~,S~,U", "20231201", "", kRead, "stored|stored|10"},
      // No stamp stored (a user's first opening) differs from the stamp too.
      {"DATE:20240105~,P~,X~,INIT~,1~,R~,S~,U", nullptr, "", kReset, "||10"},
  };
  for (const auto& [info, stamp, param, switches, params] : cases) {
    ScriptedPlatform platform;
    if (stamp) platform.Settings().SaveSetting(kApp, "P.S", "PgmInfoUpdateTime", stamp);
    for (const auto& [key, value] : {std::pair{"m_IsDataAdd", "True"}, {"gSelectSheet", "1"}, {"gCheckCol", "2"},
                                     {"gSelectCol", "x"}, {"gDisCol", "3"}, {"ColsFrozen", "3"}, {"RowsFrozen", "2"},
                                     {"StringParam", "stored"}}) {
      platform.Settings().SaveSetting(kApp, "P\\S", key, value);
    }
    auto sheet_owner = std::make_unique<ZelSheet>(platform);
    ZelSheet& sheet = *sheet_owner;
    sheet.ReadProperties(SheetFixture::Bag({{"Info", info}, {"StringParam", param}}));
    // Loading emptied the grid, which forgot the frozen rows it no longer had; the sheet's
    // MaxRows gives them back as far as the rows go.
    std::string got = std::to_string(sheet.GetSheet().RowsFrozen()) + " ";
    sheet.MaxRows(5);
    got += std::to_string(sheet.IsDataAdd()) + std::to_string(sheet.gSelectSheet()) +
           std::to_string(sheet.gCheckCol()) + std::to_string(sheet.gSelectCol()) + std::to_string(sheet.gDisCol()) +
           std::to_string(sheet.ColsFrozen()) + std::to_string(sheet.RowsFrozen()) + " ";
    for (const int32_t rows : {1, 5}) {
      sheet.MaxRows(rows);
      got += std::to_string(sheet.RowsFrozen());
    }
    EXPECT_EQ(got, switches) << info << " " << (stamp ? stamp : "(none)");
    sheet.AddItem("K", "Key", EnCheck);
    sheet.GetSheet().Col(1);
    EXPECT_EQ(sheet.StringParam() + "|" + Stored(platform, "P\\S", "StringParam") + "|" +
                  std::to_string(sheet.GetSheet().CellType()),
              params)
        << info;
    // A reset screen saves nothing until it is opened again; any other saves as it closes.
    // A reset records the new stamp.
    sheet_owner.reset();
    EXPECT_EQ(Stored(platform, "P\\S", "Columns") + " " + Stored(platform, "P.S", "PgmInfoUpdateTime"),
              std::string(switches == kReset ? "<none> " : "50 ") + (switches == kReset || !stamp ? "20240105" : stamp))
        << info;
  }
}

// Built-in screens are told by their program id; with a blank Info the id comes from its
// own key, with a one-field Info (the user id alone) it keeps its creation value.
TEST(SheetLifecycleTest, BuiltInScreensAreRecognisedByTheirProgramId) {
  const std::tuple<const char*, const char*, const char*, bool> cases[] = {
      {"  ", "ZEL0001", "ZEL0001", true}, {"  ", "zel", "zel", true},        {"  ", "ZeLx", "ZeLx", true},
      {"  ", "AZEL01", "AZEL01", false},  {"  ", "ze", "ze", false},         {"  ", "", "", false},
      {"someone", "ZEL01", "Global", false},
  };
  for (const auto& [info, key, pgm_id, builtin] : cases) {
    SheetFixture f(SheetFixture::Bag({{"Info", info}, {"PgmID", key}, {"MaxCols", "30"}}));
    // Built-in screens get the column count they stored; others the default 50.
    EXPECT_EQ(f.sheet.PgmID() + "|" + std::to_string(f.sheet.IsDataDisplay()) +
                  std::to_string(f.sheet.IsNoRowHeaderChange()) + "|" + std::to_string(f.sheet.MaxCols()),
              std::string(pgm_id) + (builtin ? "|11|30" : "|00|50"))
        << key;
  }
}

// A host store that refuses one key.
class RefusingBag : public PropertyBag {
 public:
  void WriteProperty(const std::string& name, const std::string& value) override {
    if (name == "Info") throw std::runtime_error("store full");
    PropertyBag::WriteProperty(name, value);
  }
};

TEST(SheetLifecycleTest, StoredPropertiesRoundTrip) {
  SheetFixture f(SheetFixture::Bag({{"Appearance", "1"}, {"Info", "D~,PGM~,X~,INIT~,0~,R~,S1~,U"},
                                    {"SheetID", "ignored on reading"}, {"IsClearHeaderInfo", "True"},
                                    {"IsClear", "true"}, {"ServerDate", "20240301"}, {"IsSaveToFileDataOnly", "-1"},
                                    {"IsMulti", "True"}, {"COLOR_HeaderColMustInputFgColor", "65280"}}));
  // A key column's title takes the must-input colour.
  f.sheet.AddItem("K", "Key", EnText, 0, 10, 0, "KEY");
  EXPECT_EQ(Look(f.sheet.GetSheet(), 1, 0), "1/Tahoma/65280");
  // What was written loads into a sheet that writes the same again.
  const auto written = [](const PropertyBag& bag) {
    std::string out;
    for (const char* key : {"Appearance", "Info", "SheetID", "PgmID", "IsClearHeaderInfo", "IsClear", "ServerDate",
                            "IsSaveToFileDataOnly"}) {
      out += std::string(key) + "=" + bag.ReadProperty(key) + " ";
    }
    return out + std::to_string(bag.Count());
  };
  PropertyBag out, again;
  f.sheet.WriteProperties(out);
  SheetFixture g(out);
  g.sheet.WriteProperties(again);
  EXPECT_EQ(written(out),  // colours are read, never written
            "Appearance=1 Info=D~,PGM~,X~,INIT~,0~,R~,S1~,U SheetID=S1 PgmID=PGM IsClearHeaderInfo=True "
            "IsClear=True ServerDate=20240301 IsSaveToFileDataOnly=True 8");
  EXPECT_EQ(written(again), written(out));
  // A key the store refuses is skipped; the other keys are still written.
  RefusingBag refusing;
  f.sheet.WriteProperties(refusing);
  EXPECT_EQ(std::to_string(refusing.Contains("Info")) + std::to_string(refusing.Count()) +
                refusing.ReadProperty("SheetID"),
            "07S1");
}

// A sink that throws must not break the sheet's own work.
class ThrowingEvents : public RecordingEvents {
 public:
  void Resize() override {
    RecordingEvents::Resize();
    throw std::runtime_error("host failed");
  }
};

TEST(SheetLifecycleTest, SurfaceEventsAndDestructionSavingTheArrangement) {
  ScriptedPlatform platform;
  RecordingEvents events;
  {
    ThrowingEvents throwing;
    ZelSheet sheet(platform, throwing);
    EXPECT_NO_THROW(sheet.Resize(100, 100));
    sheet.SetEventSink(&events);
    sheet.ReadProperties(SheetFixture::Bag({{"Info", "D~,P~,X~,INIT~,0~,R~,S~,U"}, {"COLOR_BorderColor", "123"}}));
    // Resize places the grid inside a frame; a second resize replaces the drawing, a tiny
    // control gets an empty grid.
    sheet.Resize(1000, 600);
    const ControlArea& area = sheet.Area();
    EXPECT_EQ(std::to_string(area.grid_left) + "," + std::to_string(area.grid_top) + "," +
                  std::to_string(area.grid_width) + "," + std::to_string(area.grid_height),
              "10,10,970,570");
    EXPECT_EQ(area.drawing, (std::vector<DrawnRect>{{5, 5, 990, 590, 123}}));
    sheet.Resize(20, 20);
    EXPECT_EQ(area.drawing.size() * 100 + area.grid_width, 100u);
    sheet.Cls();
    EXPECT_TRUE(area.drawing.empty());
    sheet.Show();
    sheet.Paint();
    sheet.Hide();
    sheet.MaxRows(3);
    sheet.RowHeight(1, 10.2);
    sheet.ColWidth(2, 15.5);
    sheet.Col(3);
    sheet.ColHidden(true);
    sheet.RowsFrozen(1);
    sheet.EditModePermanent(true);
    sheet.MousePointer(vbHourglass);
  }
  EXPECT_EQ(events.Joined(), "Resize() Resize() Show() Paint() Hide() Terminate()");
  std::string saved;
  for (const char* key : {"Columns", "RowHeight", "RowsFrozen", "ColsFrozen", "EditModePermanent"}) {
    saved += Stored(platform, "P\\S", key) + " ";
  }
  EXPECT_EQ(saved + Stored(platform, "P\\S", "Width").substr(0, 12) + " " +
                Stored(platform, "P\\S", "Hidden").substr(0, 8) + " " + Stored(platform, "P\\S", "Serial"),
            "50 10 1 1 -1 8,15.5,10,8, 0,0,1,0, 1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,"
            "26,27,28,29,30,31,32,33,34,35,36,37,38,39,40,41,42,43,44,45,46,47,48,49,50");
  EXPECT_EQ(platform.Mouse().ControlPointer() * 100 + platform.Mouse().ScreenPointer(), vbDefault * 101);
}

}  // namespace
}  // namespace zel
