// Tests' access to a sheet's private state: what a member left behind where no public
// member shows it (the load mode, the message table, the row-pending flag, ...), and a way
// to put the sheet into a state that only user input would reach.
//
//   EXPECT_EQ(SheetProbe::Identity(f.sheet).load_mode, "INIT");
//   SheetProbe::Editing(f.sheet).row_pending = true;
#pragma once

#include "zelsheet/zel_sheet.h"

namespace zel::testing {

struct SheetProbe {
  static auto& Identity(ZelSheet& s) { return s.identity_; }
  static auto& Flags(ZelSheet& s) { return s.flags_; }
  static auto& Control(ZelSheet& s) { return s.control_; }
  static auto& Columns(ZelSheet& s) { return s.columns_; }
  static auto& Exchange(ZelSheet& s) { return s.exchange_; }
  static auto& Editing(ZelSheet& s) { return s.editing_; }
  static auto& Validation(ZelSheet& s) { return s.validation_; }
  static auto& Settings(ZelSheet& s) { return s.settings_; }
  static auto& Tools(ZelSheet& s) { return s.tools_; }
  static Grid& Engine(ZelSheet& s) { return s.grid_; }
};

}  // namespace zel::testing
