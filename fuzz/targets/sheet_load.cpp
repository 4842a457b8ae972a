// Loading a sheet from outside texts: the machine and client values file (font names, the
// message table, "OSLanguage", the folder values) and the host form's stored properties.
// Any values and properties load a sheet that then takes columns, a data string and a save
// without a crash, and writes its properties back.
//
// Input: the values file, a NUL byte, then the stored properties as "name=value" lines.
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_input.h"
#include "zelsheet/platform.h"
#include "zelsheet/property_bag.h"
#include "zelsheet/testing.h"
#include "zelsheet/zel_sheet.h"

namespace {

// The scripted platform with machine and client values read from a values file.
class ValuesPlatform : public zel::testing::ScriptedPlatform {
 public:
  explicit ValuesPlatform(const std::string& valuesFile) {
    zel::ParseValuesFile(valuesFile, values_);
    // Loading makes the user's folders under HomeDir: keep them in this run's own folder,
    // wherever the input points.
    const auto home = values_.zelRegGetString("Praxium.Net", "HomeDir");
    if (home && !home->empty()) values_.SetClientValue("Praxium.Net", "HomeDir", TempRoot() + "/home/");
  }
  zel::MachineValues& Machine() override { return values_; }
  zel::ClientValues& Client() override { return values_; }

 private:
  zel::MemoryValues values_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const size_t nul = input.find('\0');
  const std::string values(input.substr(0, nul));
  zel::PropertyBag bag;
  if (nul != std::string_view::npos) {
    std::string_view props = input.substr(nul + 1);
    while (!props.empty()) {
      const size_t end = props.find('\n');
      const std::string_view line = props.substr(0, end);
      const size_t eq = line.find('=');
      if (eq != std::string_view::npos) bag.WriteProperty(std::string(line.substr(0, eq)), std::string(line.substr(eq + 1)));
      props = end == std::string_view::npos ? std::string_view() : props.substr(end + 1);
    }
  }
  ValuesPlatform platform(values);
  zel::ZelSheetEvents events;
  zel::ZelSheet sheet(platform, events);
  sheet.ReadProperties(bag);
  sheet.AddItem("Code", "Code", zel::EnText, 0, 0, 0, "KEY;NON");
  sheet.AddItem("Day", "Day", zel::EnDate);
  sheet.Display("C1~,20240131~,~I~C2~,~,~I~");
  sheet.GetSheet().SetText(0, 2, "U");
  sheet.fnCheckNotNull();
  sheet.GetData();
  sheet.MessageCheckSave("WorkingTag~,~,Code~,~I~ERR~,refused~,~,");
  zel::PropertyBag out;
  sheet.WriteProperties(out);
  return 0;
}
