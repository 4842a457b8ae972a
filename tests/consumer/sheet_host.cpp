// A sheet on the standard platform: declared, filled, edited and read back as save text.
#include <cstdio>
#include <memory>

#include "zelsheet/host_helpers.h"
#include "zelsheet/zel_sheet.h"

int main() {
  zel::StandardPlatform platform(std::make_unique<zel::MemorySettingsStore>());
  zel::ZelSheet sheet(platform);
  sheet.ReadProperties(zel::PropertyBag{});
  sheet.MaxCols(2);
  zel::AddColumn(sheet, {.field_name = "CODE", .title = "Code", .max_length = 4});
  zel::AddColumn(sheet, {.field_name = "NAME", .title = "Name", .max_length = 20});
  sheet.Display("C001~,Alpha~,~I~C002~,Beta~,~I~");
  sheet.CellText(2, 2, "Gamma");
  sheet.TrackRowEdit(2);
  const zel::SaveParams sent = zel::ReadSaveParams(sheet.GetData());
  if (sent.lines.size() != 1 || sent.lines[0].values != std::vector<std::string>{"C002", "Gamma"}) {
    std::fputs("sheet_host: unexpected save text\n", stderr);
    return 1;
  }
  return 0;
}
