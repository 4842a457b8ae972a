// A platform for tests, ours and the hosts': scripted answers, in-memory stores, a fixed
// date, and a record of everything the sheet showed or asked for.
//
//   zel::testing::ScriptedPlatform p;
//   zel::ZelSheet sheet(p);
//   p.QueueAnswer(zel::vbYes);
//   bool save = sheet.IsChangedSave();
//   EXPECT_EQ(p.Boxes().back().text, "...");
//   EXPECT_EQ(p.Boxes().back().buttons, zel::vbYesNo);
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "zelsheet/companion_tools.h"
#include "zelsheet/platform.h"

namespace zel::testing {

// One message box as the sheet showed it, and how it was answered.
struct MessageBoxRecord {
  std::string text;
  std::string title;        // "" = the default title
  int32_t style = 0;        // as passed
  int32_t buttons = 0;      // style & kMsgBoxButtonsMask: vbOKOnly, vbYesNo, ...
  int32_t icon = 0;         // style & kMsgBoxIconMask: 0, vbCritical, vbInformation, ...
  MsgBoxResult answer = vbOK;
  // True when the answer queued for this box was not one of its buttons (a script
  // mistake); the box then answered its default button and the queued answer was used up.
  bool script_mismatch = false;
};

// One ShellExecute call.
struct ShellCall {
  std::string operation, file, parameters, directory;
  int32_t show_cmd = 0;
};

// One pop-up menu as shown, and the entry chosen ("" = dismissed).
struct MenuRecord {
  std::string menu_name;
  std::vector<PopupMenuEntry> entries;
  double x = 0, y = 0;
  std::string chosen;
};

class ScriptedPlatform;

namespace internal {

// Answers queued for one kind of companion dialog (std::nullopt = cancel) and every
// dialog of that kind the sheet opened, with what it was given.
template <class T>
struct ToolScript {
  std::deque<std::optional<T>> answers;
  std::vector<T> seen;
};

class ScriptedMessageBoxes;
class ScriptedClientAndMachine;
class ScriptedShell;
class ScriptedClock;
class ScriptedTools;
class ScriptedMenus;
class RecordingMouse;

}  // namespace internal

class ScriptedPlatform : public Platform {
 public:
  ScriptedPlatform();
  ~ScriptedPlatform() override;
  ScriptedPlatform(const ScriptedPlatform&) = delete;
  ScriptedPlatform& operator=(const ScriptedPlatform&) = delete;

  MessageBoxes& Messages() override;
  Clipboard& Clip() override;
  KeyQueue& Keys() override;
  MousePointers& Mouse() override;
  SettingsStore& Settings() override;
  MachineValues& Machine() override;
  ClientValues& Client() override;
  FolderService& Folders() override;
  ShellLauncher& Shell() override;
  Clock& Time() override;
  CompanionTools& Tools() override;
  PopupMenus& Menus() override;
  void PropertyChanged(const std::string& name) override;

  // --- message boxes ---
  // Queues the answer for the next box that offers a choice (more than one button). A box
  // with only OK answers vbOK without using the queue. With the queue empty, a box answers
  // its default button.
  void QueueAnswer(MsgBoxResult answer);
  // Decides every later box instead of the queue (the queue is used again once cleared
  // with an empty function). Must return one of the box's buttons, else the default is
  // taken and the record marked.
  void AnswerWith(std::function<MsgBoxResult(const MessageBoxRecord&)> responder);
  // Every box shown so far, oldest first.
  const std::vector<MessageBoxRecord>& Boxes() const;
  void ClearBoxes();
  // Answers queued and not used yet.
  size_t PendingAnswers() const;

  // --- stores and values ---
  MemorySettingsStore& MemorySettings();
  void SetMachineValue(const std::string& key, const std::string& name, const std::string& value);
  void SetClientValue(const std::string& application, const std::string& key,
                      const std::string& value);

  // --- clock (starts at 2024-03-15 09:00:00) ---
  void SetNow(const DateTime& now);
  void SetToday(int32_t year, int32_t month, int32_t day);

  // --- keys ---
  // Texts sent by the sheet and not yet taken (Keys().TakeSentKeys() drains them).
  const std::vector<std::string>& SentKeys() const;

  // --- mouse: every shape set, oldest first ---
  const std::vector<int32_t>& ControlPointerHistory() const;
  const std::vector<int32_t>& ScreenPointerHistory() const;

  // --- folders: a fresh temporary folder, removed with the platform ---
  const std::string& TempRoot() const;

  // --- ShellExecute ---
  void SetShellResult(int32_t result);  // default 42 (success)
  const std::vector<ShellCall>& ShellCalls() const;

  // --- pop-up menus ---
  // Queues the entry name to choose in the next menu ("" = dismiss); an empty queue
  // dismisses.
  void QueueMenuChoice(const std::string& entry_name);
  const std::vector<MenuRecord>& MenusShown() const;

  // --- stored properties the host assigned, oldest first ---
  const std::vector<std::string>& ChangedProperties() const;

  // --- companion tools ---
  // T is one of: ColMergeDialog, SheetFilterDialog, SheetSettingDialog, SearchDialog,
  // SheetSortDialog, FrozenDialog, SheetSeperateDialog, DateDialog, OpenFileDialog (the
  // dialogs, answerable), and CalOnSheetDialog, ErrorListCall, PrintCall, SendToExcelCall,
  // SendExcelCall, ChartCall (recorded only).
  //
  // Queues a confirmed answer: the next dialog of that kind returns true with these values.
  template <class T>
  void ConfirmDialog(T answer) {
    Script<T>().answers.push_back(std::move(answer));
  }
  // Queues a cancel for the next dialog of that kind (also what an empty queue does).
  template <class T>
  void CancelDialog() {
    Script<T>().answers.push_back(std::nullopt);
  }
  // Every call of that kind, with what the sheet handed over.
  template <class T>
  const std::vector<T>& ToolCalls() {
    return Script<T>().seen;
  }
  // Member names of every companion call, oldest first ("GetSearch", "ShowErrorMsg", ...).
  const std::vector<std::string>& ToolCallNames() const;
  // When set, every companion call throws CompanionToolsError (the tools are missing);
  // the call is still recorded by name.
  void SetToolsMissing(bool missing);

  // The record of one kind of companion call; for the templates above.
  template <class T>
  internal::ToolScript<T>& Script() {
    return std::get<internal::ToolScript<T>>(scripts_);
  }

 private:
  std::tuple<internal::ToolScript<ColMergeDialog>, internal::ToolScript<SheetFilterDialog>,
             internal::ToolScript<SheetSettingDialog>, internal::ToolScript<SearchDialog>,
             internal::ToolScript<SheetSortDialog>, internal::ToolScript<FrozenDialog>,
             internal::ToolScript<SheetSeperateDialog>, internal::ToolScript<DateDialog>,
             internal::ToolScript<OpenFileDialog>, internal::ToolScript<CalOnSheetDialog>,
             internal::ToolScript<ErrorListCall>, internal::ToolScript<PrintCall>,
             internal::ToolScript<SendToExcelCall>, internal::ToolScript<SendExcelCall>,
             internal::ToolScript<ChartCall>>
      scripts_;

  struct Services;
  std::unique_ptr<Services> services_;
};

}  // namespace zel::testing
