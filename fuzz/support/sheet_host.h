// A sheet on a scripted platform for the fuzz targets: created and loaded from a bag of
// stored properties, with no host listening to its events. Members are in the order they
// must outlive each other.
#pragma once

#include "zelsheet/property_bag.h"
#include "zelsheet/testing.h"
#include "zelsheet/zel_sheet.h"
#include "zelsheet/zel_sheet_events.h"

namespace zel::fuzz {

struct SheetHost {
  explicit SheetHost(const PropertyBag& bag = PropertyBag{}) : sheet(platform, events) {
    sheet.ReadProperties(bag);
  }
  testing::ScriptedPlatform platform;
  ZelSheetEvents events;
  ZelSheet sheet;
};

}  // namespace zel::fuzz
