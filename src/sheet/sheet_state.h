// The state of a ZelSheet: what the public header keeps behind its pointer.
//
// Every folder that defines ZelSheet members includes this header and reaches the state
// through `impl_` (`impl_->grid`, `impl_->columns`, ...). Work of a member that needs no
// member of its own is a free function of its folder taking `ZelSheet::Impl&`; it calls the
// sheet's public members through `s.sheet`, as the sheet's own members would.
//
// The state is grouped by the subsystem that owns it; a group is read by others but written
// by the members its comment names.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "sheet/column_model.h"
#include "zelsheet/grid.h"
#include "zelsheet/platform.h"
#include "zelsheet/zel_sheet.h"
#include "zelsheet/zel_sheet_events.h"

namespace zel {

struct ZelSheet::Impl {
  // ---- The sheet object (src/sheet) ----

  // Who the sheet is and how its screen was opened. Fixed at loading except the ids,
  // which the host may change later without recomputing the rest.
  struct SheetIdentity {
    std::string pgm_id = "Global";
    std::string sheet_id = "ZelSheet";
    std::string user_id;
    std::string info;              // the info record as stored (see sheet/info_record.h)
    std::string settings_section;  // pgm_id + "\" + sheet_id
    std::string update_key;        // pgm_id + "." + sheet_id
    std::string date_stamp;        // of the screen definition (Info field 1 after "DATE:")
    std::string load_mode;         // Info field 4: "INIT", "newpage", "save", ...
    int16_t language = 0;          // Info field 5: selects message table and layout language
    std::string rights;            // Info field 6
    std::string export_value;      // Info field 3, handed to the spreadsheet export
    int16_t os_language = 0;       // the operating system's language code
    std::string font_name;         // font of text columns, by OS language ("Tahoma")
    bool builtin_screen = false;   // PgmID begins with "zel" in any case
  };

  // The public switches and fields of the sheet object.
  struct SheetFlags {
    int32_t g_select_sheet = 0, g_check_col = 0, g_select_col = 0, g_dis_col = 0;
    bool is_multi_sheet = false;
    bool is_data_display = false;
    bool is_no_col_sort = false;
    bool is_dbl_click_color = false;
    bool is_no_button_click = false;
    bool is_no_add_cell_span = false;
    bool is_no_row_edit = false;
    bool is_sheet_init = false;
    bool is_no_row_header_change = false;
    bool is_no_col_move = false;
    bool is_active_cell_top = false;
    bool is_clear_header_info = false;
    bool is_clear = false;
    bool is_save_to_file_data_only = false;
    bool is_sheet_lock = false;
    int16_t appearance = 0;
    int16_t sort_key_no = 3;
  };

  // The control around the grid: its own properties, size and drawing.
  struct ControlState {
    ControlArea area;
    int16_t draw_mode = 13;  // copy pen
    bool enabled = true;
    bool right_to_left = false;
    bool font_transparent = true;
    intptr_t container_hwnd = 0;
    bool grid_has_focus = false;
    float font_size = 9.0f;
    std::function<void()> repaint;
  };

  // ---- The data exchange (src/exchange) ----
  struct ExchangeState {
    std::string string_param;          // stored "StringParam", trimmed
    std::string date_separator = "-";  // fixed at creation
    bool is_multi = false;             // stored "IsMulti": definition lists are multi-row
    std::string params;                // the parameter buffer (AddParam..., GetParams)
    std::string items;                 // the item list buffer (AddString, GetItemsToString)
    bool is_post_back = false;         // kept for the host
  };

  // ---- The editing (src/editing) ----
  struct EditingState {
    int32_t edit_col = 0, edit_row = 0;  // the cell last being edited
    // Set while the user types into a spare "A" row below the data; DataRowCnt counts it.
    bool row_pending = false;
    // The cell last entered (the next ShowDic's cell); -1 parts stand for the active cell.
    int32_t last_entered_col = 0, last_entered_row = 0;
    int32_t dbl_click_row = 1;
    int32_t spare_rows = -1;   // empty rows kept below the data; -1 not set yet (20)
    bool is_data_add = false;  // every Display appends
    std::string server_date;   // the server's date ("yyyymmdd"), when the host gave it
    // Set while the sheet itself writes cells (DisplayQuerySheet, the CellCheck setter): the
    // key and button-click handlers then track no edit.
    bool query_display = false;
    // IsEditModeLock: the copy, cut and paste commands do nothing. IsCopyPasteLock: paste
    // does nothing.
    bool edit_mode_lock = false;
    bool copy_paste_lock = false;
    // Set by every copy whose block spans whole rows; kept for the host's row tools.
    bool whole_rows_copied = false;
    // IsActiveRowColorCng: the host asked for row selection.
    bool active_row_color = false;
  };

  // ---- The grid event handling (src/editing) ----
  // What the sheet's handlers of the grid's events remember between two events.
  struct GridEventState {
    // Set once the cursor has been put back after loading; the leave-cell handler (and with
    // it the date checks) works only from then on.
    bool sheet_ready = false;
    bool cancel_code_help = false;  // IsCancelCodeHelp: changes and double clicks ask no help
    // The current key stroke came with Shift or Ctrl, or was Enter: typing it tracks no edit.
    bool modifier = false;
    bool ctrl_held = false;      // from the Ctrl key's key-down to its key-up
    bool mouse_pressed = false;  // from a mouse-down to the next mouse-up or button click
    // A column header is held with the left button: the mouse-up may move that column.
    bool header_drag = false;
    int32_t drag_col = 0, drag_row = 0;
    bool header_pressed = false;  // set by the first header press
    int32_t click_col = 0, click_row = 0;            // the last single click
    int32_t prev_click_col = 0, prev_click_row = 0;  // the click as of the previous mouse-up
    int32_t dbl_click_col = 0;
    // The row the last double click coloured (IsDblClickColor), and its colours before, per
    // definition number.
    int32_t highlighted_row = 0;
    std::vector<Color> saved_colors;
  };

  // ---- The save validation (src/validation) ----
  struct ValidationState {
    std::vector<std::string> message_table;  // 0: reset note, 1: error summary, 2: required
    int32_t error_count = 0;
    std::string error_msg;
  };

  // ---- The settings, colours and fonts (src/settings) ----
  struct SettingsState {
    TypeSheetColor colors;
    // Set when the sheet is built without a stored layout: AddItem then formats cells.
    bool format_on_define = false;
    bool is_file_load = false;    // the layout file was loaded for the current language
    bool saves_disabled = false;  // the stored settings were discarded while open
    bool closed = false;          // SaveTitleInfo wrote the closing arrangement
    std::string stored_language;  // "Language" as read from the settings section
    int32_t frozen_rows = 0;      // rows the sheet keeps frozen across MaxRows changes
    // The stored cursor and scroll position: ActiveCol, ActiveRow, TopRow, LeftCol.
    int32_t point[4] = {0, 0, 0, 0};
    std::string reg_date;  // the screen definition's date given to SheetInit
  };

  // ---- The context menu and its tools ----
  struct ToolState {
    // Context menu entries the rights text can switch off.
    bool copy_enabled = true;
    bool send_to_excel_enabled = true;
    bool data_add_checked = false;  // check mark of the data-add entry
    // Captions from the message table or SetMenuCaption, by menu entry name
    // ("mnuSheetSort"); an entry without one shows its built-in caption.
    std::map<std::string, std::string> menu_captions;
    // The column merge is in force: the header sort leaves the rows in their groups.
    bool is_col_merge = false;
    // Find: the last search text and the cell of the last match (0, 0 when none).
    std::string search_text;
    int32_t search_row = 0, search_col = 0;
    std::vector<std::pair<int32_t, int32_t>> search_marks;  // (col, row) marked by finds
    // The merge columns (grid columns, 0 none), their descending flags and whether their
    // groups are painted (column merge); the first three columns and the colouring are kept
    // with the user's settings.
    int32_t col_merge[5] = {0, 0, 0, 0, 0};
    bool col_merge_desc[5] = {false, false, false, false, false};
    bool merge_is_color = false;
    std::string form_caption;  // the host form's caption: the print title
  };

  Impl(ZelSheet& owner, Platform& host, ZelSheetEvents* sink)
      : sheet(owner), platform(host), events(sink) {}

  // The state of `owner`, for code that holds only the sheet (the tests' probe).
  static Impl& Of(ZelSheet& owner) { return *owner.impl_; }

  // The sink events go to (never null).
  ZelSheetEvents& Events() { return events != nullptr ? *events : no_events; }

  // A key of the sheet's own section of the settings store (src/settings).
  std::string GetSheetSetting(const std::string& key, const std::string& defaultValue);
  void SaveSheetSetting(const std::string& key, const std::string& value);

  // What loading, destruction and the sheet's tools ask of the settings (src/settings).
  // The close-time save of the arrangement: after the configuration dialog and a filter,
  // and when the sheet goes away (nothing once the stored settings were discarded while
  // open, or once SaveTitleInfo wrote the closing arrangement).
  void SaveArrangementOnClose();
  // The fonts the configuration dialog stored, applied to all cells and the header row:
  // after the configuration dialog and a filter.
  void ApplyDialogFonts();
  // What the display members ask of the tools (src/tools): the column merge applied again
  // after new rows came in, when merge columns are set. Grid errors reach the caller.
  void ReapplyColMerge();
  // What Display_Multi asks of the multi-row layout (src/columns): AddRecordsToSheet, where
  // the first `numbered` new records are left without their "A" because the caller writes
  // their numbers there.
  void AddRecords(int32_t lngRecordCnt, bool IsBelowAllRows, int32_t numbered);

  ZelSheet& sheet;  // the sheet this is the state of: its public members
  Platform& platform;
  Grid grid;
  ZelSheetEvents* events = nullptr;
  ZelSheetEvents no_events;

  SheetIdentity identity;
  SheetFlags flags;
  ControlState control;
  ColumnModel columns;
  ExchangeState exchange;
  EditingState editing;
  ValidationState validation;
  SettingsState settings;
  ToolState tools;
  GridEventState event_flags;
  // The sheet's handlers of the grid's events (src/editing), the grid's listener.
  std::unique_ptr<GridListener> handlers;
};

namespace internal {
// Makes the sheet's handlers of the grid's events for `s` (defined in src/editing, where the
// handlers live; the sheet object installs them as its grid's listener when it is created).
std::unique_ptr<GridListener> MakeGridHandlers(ZelSheet::Impl& s);
}  // namespace internal

}  // namespace zel
