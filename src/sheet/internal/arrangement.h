// The user's stored arrangement of the sheet, as loading and destruction handle it
// (src/sheet/loading_calls.cpp).
#pragma once

#include "sheet/sheet_state.h"

namespace zel::internal {

// Stores the column order, widths and hidden columns, the row heights, the frozen rows and
// columns and the edit-mode choice in the sheet's settings section. Does nothing once the
// stored settings were discarded while the sheet was open.
void SaveArrangement(ZelSheet::Impl& s);

// Deletes the sheet's settings section (and the one older clients kept under the program)
// and stops later saves from writing the discarded arrangement back.
void DiscardStoredSettings(ZelSheet::Impl& s);

}  // namespace zel::internal
