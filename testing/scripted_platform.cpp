// The scripted platform for tests: every service answers from a script the test wrote and
// records what the sheet asked.
#include <stdlib.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "zelsheet/testing.h"

namespace zel::testing {

namespace internal {

class ScriptedMessageBoxes : public MessageBoxes {
 public:
  MsgBoxResult MsgBox(const std::string& text, int32_t style,
                      const std::string& title) override {
    MessageBoxRecord record;
    record.text = text;
    record.title = title;
    record.style = style;
    record.buttons = style & kMsgBoxButtonsMask;
    record.icon = style & kMsgBoxIconMask;
    const std::vector<MsgBoxResult> buttons = MsgBoxButtons(style);
    record.answer = MsgBoxDefaultAnswer(style);
    if (buttons.size() > 1) {
      std::optional<MsgBoxResult> wanted;
      if (responder) {
        wanted = responder(record);
      } else if (!answers.empty()) {
        wanted = answers.front();
        answers.pop_front();
      }
      if (wanted) {
        if (std::find(buttons.begin(), buttons.end(), *wanted) != buttons.end()) {
          record.answer = *wanted;
        } else {
          record.script_mismatch = true;
        }
      }
    }
    boxes.push_back(record);
    return record.answer;
  }

  std::deque<MsgBoxResult> answers;
  std::function<MsgBoxResult(const MessageBoxRecord&)> responder;
  std::vector<MessageBoxRecord> boxes;
};

class RecordingMouse : public MousePointers {
 public:
  void ControlPointer(int32_t shape) override {
    MousePointers::ControlPointer(shape);
    control_history.push_back(shape);
  }
  void ScreenPointer(int32_t shape) override {
    MousePointers::ScreenPointer(shape);
    screen_history.push_back(shape);
  }
  using MousePointers::ControlPointer;
  using MousePointers::ScreenPointer;
  std::vector<int32_t> control_history;
  std::vector<int32_t> screen_history;
};

class ScriptedShell : public ShellLauncher {
 public:
  int32_t ShellExecute(const std::string& operation, const std::string& file,
                       const std::string& parameters, const std::string& directory,
                       int32_t show_cmd) override {
    calls.push_back({operation, file, parameters, directory, show_cmd});
    return result;
  }
  int32_t result = 42;
  std::vector<ShellCall> calls;
};

class ScriptedClock : public Clock {
 public:
  DateTime Now() override { return now; }
  DateTime now{2024, 3, 15, 9, 0, 0};
};

class TempFolders : public FolderService {
 public:
  TempFolders() {
    std::error_code ec;
    std::filesystem::path base;
    if (const char* env = std::getenv("ZEL_TEST_TMP"); env != nullptr && *env != '\0') {
      base = env;
    } else {
      base = std::filesystem::temp_directory_path(ec);
      if (ec) base = "/tmp";
    }
    std::filesystem::create_directories(base, ec);
    std::string pattern = (base / "zelsheet-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
      throw std::runtime_error("cannot create a temporary folder under " + base.string());
    }
    root = pattern;
    window_dir = root + "/Windows";
    std::filesystem::create_directories(window_dir, ec);
  }
  ~TempFolders() override {
    std::error_code ec;
    std::filesystem::remove_all(root, ec);
  }
  std::string WindowDir() override {
    std::error_code ec;
    std::filesystem::create_directories(window_dir, ec);
    return window_dir;
  }
  std::string root;
  std::string window_dir;
};

class ScriptedMenus : public PopupMenus {
 public:
  std::string PopupMenu(const std::string& menu_name, const std::vector<PopupMenuEntry>& entries,
                        int32_t, double x, double y, const std::string&) override {
    MenuRecord record{menu_name, entries, x, y, ""};
    if (!choices.empty()) {
      const std::string wanted = choices.front();
      choices.pop_front();
      for (const PopupMenuEntry& e : entries) {
        if (e.name == wanted && e.visible && e.enabled && e.caption != "-") record.chosen = wanted;
      }
    }
    shown.push_back(record);
    return record.chosen;
  }
  std::deque<std::string> choices;
  std::vector<MenuRecord> shown;
};

class ScriptedTools : public CompanionTools {
 public:
  explicit ScriptedTools(ScriptedPlatform& p) : p_(p) {}

  bool GetColMerge(ColMergeDialog& d) override { return Dialog("GetColMerge", d); }
  bool GetSheetFilter(SheetFilterDialog& d) override { return Dialog("GetSheetFilter", d); }
  bool GetSheetSetting(SheetSettingDialog& d) override { return Dialog("GetSheetSetting", d); }
  bool GetSearch(SearchDialog& d) override { return Dialog("GetSearch", d); }
  bool GetSheetSort(SheetSortDialog& d) override { return Dialog("GetSheetSort", d); }
  bool GetFrozen(FrozenDialog& d) override { return Dialog("GetFrozen", d); }
  bool GetSheetSeperate(SheetSeperateDialog& d) override { return Dialog("GetSheetSeperate", d); }
  bool GetDate(DateDialog& d) override { return Dialog("GetDate", d); }

  void GetCalOnSheet(const CalOnSheetDialog& d) override { Record("GetCalOnSheet", d); }
  void ShowErrorMsg(std::string& error_list) override {
    Record("ShowErrorMsg", ErrorListCall{error_list});
  }
  std::string OpenDialog(const std::string& init_dir, const std::string& filter,
                         bool multi) override {
    OpenFileDialog d{init_dir, filter, multi, ""};
    return Dialog("OpenDialog", d) ? d.FileName : std::string();
  }
  ToolOutcome sbPrint(const GridTable& grid, const std::string& title) override {
    Record("sbPrint", PrintCall{grid, title});
    return ToolOutcome{true, "", ""};
  }
  ToolOutcome SendToExcel(std::string& info_field3, const GridTable& grid) override {
    Record("SendToExcel", SendToExcelCall{info_field3, grid});
    return ToolOutcome{true, "", ""};
  }
  ToolOutcome SendExcel(const std::string& pgm_id, std::string& info_field3, std::string& document,
                        const GridTable& grid, std::string& header_title) override {
    Record("SendExcel", SendExcelCall{pgm_id, info_field3, document, grid, header_title});
    return ToolOutcome{true, "", ""};
  }
  ToolOutcome sbShowChart(const GridTable& grid, int32_t x, int32_t y) override {
    Record("sbShowChart", ChartCall{grid, x, y});
    return ToolOutcome{true, "", ""};
  }

  std::vector<std::string> names;
  bool missing = false;

 private:
  void Called(const char* name) {
    names.emplace_back(name);
    if (missing) throw CompanionToolsError(std::string("companion tools not installed: ") + name);
  }

  template <class T>
  void Record(const char* name, const T& call) {
    Called(name);
    p_.Script<T>().seen.push_back(call);
  }

  // Records the dialog as the sheet set it up, then applies the next scripted answer.
  template <class T>
  bool Dialog(const char* name, T& dialog) {
    Record(name, dialog);
    auto& answers = p_.Script<T>().answers;
    if (answers.empty()) return false;
    std::optional<T> answer = std::move(answers.front());
    answers.pop_front();
    if (!answer) return false;
    dialog = std::move(*answer);
    return true;
  }

  ScriptedPlatform& p_;
};

}  // namespace internal

struct ScriptedPlatform::Services {
  explicit Services(ScriptedPlatform& owner) : tools(owner) {}
  internal::ScriptedMessageBoxes boxes;
  MemoryClipboard clipboard;
  KeyQueue keys;
  internal::RecordingMouse mouse;
  MemorySettingsStore settings;
  MemoryValues values;
  internal::TempFolders folders;
  internal::ScriptedShell shell;
  internal::ScriptedClock clock;
  internal::ScriptedTools tools;
  internal::ScriptedMenus menus;
  std::vector<std::string> changed_properties;
};

ScriptedPlatform::ScriptedPlatform() : services_(std::make_unique<Services>(*this)) {}
ScriptedPlatform::~ScriptedPlatform() = default;

MessageBoxes& ScriptedPlatform::Messages() { return services_->boxes; }
Clipboard& ScriptedPlatform::Clip() { return services_->clipboard; }
KeyQueue& ScriptedPlatform::Keys() { return services_->keys; }
MousePointers& ScriptedPlatform::Mouse() { return services_->mouse; }
SettingsStore& ScriptedPlatform::Settings() { return services_->settings; }
MachineValues& ScriptedPlatform::Machine() { return services_->values; }
ClientValues& ScriptedPlatform::Client() { return services_->values; }
FolderService& ScriptedPlatform::Folders() { return services_->folders; }
ShellLauncher& ScriptedPlatform::Shell() { return services_->shell; }
Clock& ScriptedPlatform::Time() { return services_->clock; }
CompanionTools& ScriptedPlatform::Tools() { return services_->tools; }
PopupMenus& ScriptedPlatform::Menus() { return services_->menus; }

void ScriptedPlatform::QueueAnswer(MsgBoxResult answer) {
  services_->boxes.answers.push_back(answer);
}
void ScriptedPlatform::AnswerWith(std::function<MsgBoxResult(const MessageBoxRecord&)> responder) {
  services_->boxes.responder = std::move(responder);
}
const std::vector<MessageBoxRecord>& ScriptedPlatform::Boxes() const {
  return services_->boxes.boxes;
}
void ScriptedPlatform::ClearBoxes() { services_->boxes.boxes.clear(); }
size_t ScriptedPlatform::PendingAnswers() const { return services_->boxes.answers.size(); }

MemorySettingsStore& ScriptedPlatform::MemorySettings() { return services_->settings; }
void ScriptedPlatform::SetMachineValue(const std::string& key, const std::string& name,
                                       const std::string& value) {
  services_->values.SetMachineValue(key, name, value);
}
void ScriptedPlatform::SetClientValue(const std::string& application, const std::string& key,
                                      const std::string& value) {
  services_->values.SetClientValue(application, key, value);
}

void ScriptedPlatform::SetNow(const DateTime& now) { services_->clock.now = now; }
void ScriptedPlatform::SetToday(int32_t year, int32_t month, int32_t day) {
  services_->clock.now.year = year;
  services_->clock.now.month = month;
  services_->clock.now.day = day;
}

const std::vector<std::string>& ScriptedPlatform::SentKeys() const {
  return services_->keys.PendingKeys();
}

const std::vector<int32_t>& ScriptedPlatform::ControlPointerHistory() const {
  return services_->mouse.control_history;
}
const std::vector<int32_t>& ScriptedPlatform::ScreenPointerHistory() const {
  return services_->mouse.screen_history;
}

const std::string& ScriptedPlatform::TempRoot() const { return services_->folders.root; }

void ScriptedPlatform::PropertyChanged(const std::string& name) {
  services_->changed_properties.push_back(name);
}
const std::vector<std::string>& ScriptedPlatform::ChangedProperties() const {
  return services_->changed_properties;
}

void ScriptedPlatform::SetShellResult(int32_t result) { services_->shell.result = result; }
const std::vector<ShellCall>& ScriptedPlatform::ShellCalls() const {
  return services_->shell.calls;
}

void ScriptedPlatform::QueueMenuChoice(const std::string& entry_name) {
  services_->menus.choices.push_back(entry_name);
}
const std::vector<MenuRecord>& ScriptedPlatform::MenusShown() const {
  return services_->menus.shown;
}

const std::vector<std::string>& ScriptedPlatform::ToolCallNames() const {
  return services_->tools.names;
}
void ScriptedPlatform::SetToolsMissing(bool missing) { services_->tools.missing = missing; }

}  // namespace zel::testing
