// Tests' access to a sheet's state: what a member left behind where no public member shows
// it (the load mode, the message table, the row-pending flag, ...), and a way to put the
// sheet into a state that only user input would reach.
//
//   EXPECT_EQ(SheetProbe::Identity(f.sheet).load_mode, "INIT");
//   SheetProbe::Editing(f.sheet).row_pending = true;
#pragma once

#include "sheet/sheet_state.h"

namespace zel::testing {

struct SheetProbe {
  static auto& Identity(ZelSheet& s) { return ZelSheet::Impl::Of(s).identity; }
  static auto& Flags(ZelSheet& s) { return ZelSheet::Impl::Of(s).flags; }
  static auto& Control(ZelSheet& s) { return ZelSheet::Impl::Of(s).control; }
  static auto& Columns(ZelSheet& s) { return ZelSheet::Impl::Of(s).columns; }
  static auto& Exchange(ZelSheet& s) { return ZelSheet::Impl::Of(s).exchange; }
  static auto& Editing(ZelSheet& s) { return ZelSheet::Impl::Of(s).editing; }
  static auto& Validation(ZelSheet& s) { return ZelSheet::Impl::Of(s).validation; }
  static auto& Settings(ZelSheet& s) { return ZelSheet::Impl::Of(s).settings; }
  static auto& Tools(ZelSheet& s) { return ZelSheet::Impl::Of(s).tools; }
};

}  // namespace zel::testing
