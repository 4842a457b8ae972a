// The pieces of the settings subsystem its files share. The other subsystems reach the
// close-time save and the dialog fonts through ZelSheet::Impl (sheet/sheet_state.h).
#pragma once

#include "sheet/sheet_state.h"

namespace zel::internal {

// The fonts the configuration dialog stored ("InsideFont"..., "HeaderFont"...) applied to
// all cells and to the header row. Each failing step is skipped.
void ApplyDialogFonts(ZelSheet::Impl& s);

// The close-time save: column order, widths and hidden columns, row heights, frozen rows
// and columns and the edit-mode choice, stored in one step. Nothing once the stored
// settings were discarded while the screen is open.
void SaveArrangement(ZelSheet::Impl& s);

// The alternate row colours of the line colour entries: light yellow odd rows (on) or
// white rows (off).
void ApplyLineColors(ZelSheet::Impl& s, bool on);

// The layout file of this sheet for its user; throws PathRefused for names that would
// leave the sheet's folders.
std::string LayoutPathOf(ZelSheet::Impl& s);

}  // namespace zel::internal
