// Platform services: the facilities the sheet needs from its host machine (message boxes,
// clipboard, key sending, settings store, machine values, folders, the date), each a small
// interface with a default implementation, carried together by one zel::Platform.
//
// The sheet never talks to the operating system directly: it asks the Platform it was built
// on. A host that runs the sheet for real uses zel::DefaultPlatform() (declared in
// zelsheet/store.h, because its settings store lives in the SQLite library zelsheet_store),
// or builds a zel::StandardPlatform around a settings store of its own. Tests use
// zel::testing::ScriptedPlatform (zelsheet/testing.h).
//
// Everything here is used from the host's one user-interface thread; no service is
// thread-safe unless it says so.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "zelsheet/companion_tools.h"

namespace zel {

// ---------------------------------------------------------------------------------------
// Message boxes
// ---------------------------------------------------------------------------------------

// Style flags of a message box, combined with |: one button set, one icon, one default
// button. The values are the classic message-box constants, so `vbYesNo | vbQuestion` reads
// as it does in the screens' own code.
enum MsgBoxStyle : int32_t {
  vbOKOnly = 0,
  vbOKCancel = 1,
  vbAbortRetryIgnore = 2,
  vbYesNoCancel = 3,
  vbYesNo = 4,
  vbRetryCancel = 5,
  vbCritical = 16,
  vbQuestion = 32,
  vbExclamation = 48,
  vbInformation = 64,
  vbDefaultButton1 = 0,
  vbDefaultButton2 = 256,
  vbDefaultButton3 = 512,
};

// The button a message box was closed with.
enum MsgBoxResult : int32_t {
  vbOK = 1,
  vbCancel = 2,
  vbAbort = 3,
  vbRetry = 4,
  vbIgnore = 5,
  vbYes = 6,
  vbNo = 7,
};

// Masks that split a style into its parts.
inline constexpr int32_t kMsgBoxButtonsMask = 0x0F;
inline constexpr int32_t kMsgBoxIconMask = 0xF0;
inline constexpr int32_t kMsgBoxDefaultMask = 0xF00;

// The buttons a style shows, in order (vbOKOnly -> {vbOK}; vbYesNo -> {vbYes, vbNo}).
// An unknown button set is treated as vbOKOnly.
std::vector<MsgBoxResult> MsgBoxButtons(int32_t style);

// The answer a box gives when the user just presses Enter: its default button
// (vbDefaultButton2 on a Yes/No box -> vbNo). A default beyond the last button falls back
// to the first button.
MsgBoxResult MsgBoxDefaultAnswer(int32_t style);

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Shows `text` (line feeds break lines) with the buttons and icon of `style` and waits for
  // the user. An empty `title` means the default title (the application's name). Returns
  // the button chosen; always one of MsgBoxButtons(style).
  virtual MsgBoxResult MsgBox(const std::string& text, int32_t style = vbOKOnly,
                              const std::string& title = "") = 0;
};

// ---------------------------------------------------------------------------------------
// Clipboard
// ---------------------------------------------------------------------------------------

// The plain-text clipboard. The grid's copy, cut and paste and the sheet's row tools use it.
class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual std::string GetText() const = 0;
  virtual void SetText(const std::string& text) = 0;
  virtual void Clear() = 0;
};

// A clipboard held in this process: what the default platform and the tests use.
class MemoryClipboard : public Clipboard {
 public:
  std::string GetText() const override { return text_; }
  void SetText(const std::string& text) override { text_ = text; }
  void Clear() override { text_.clear(); }

 private:
  std::string text_;
};

// ---------------------------------------------------------------------------------------
// Key sending and the message loop
// ---------------------------------------------------------------------------------------

// One key of a key-sending text: a named key as a virtual-key code (13 Enter, 9 Tab, 40 Down,
// 36 Home, ...) or a typed character (its Unicode code point).
struct KeyStroke {
  bool is_char = false;  // true: `code` is a character; false: a virtual-key code
  int32_t code = 0;
  bool operator==(const KeyStroke&) const = default;
};

// Splits a key-sending text into keys: "{DOWN}{HOME}" -> Down, Home; "{TAB}" -> Tab;
// "~" -> Enter; "{{}" -> the character "{"; "{DOWN 3}" -> Down three times; other
// characters are typed characters. Known names: ENTER, TAB, ESC, BS (BACKSPACE), DEL
// (DELETE), INS (INSERT), HOME, END, PGUP, PGDN, UP, DOWN, LEFT, RIGHT, F1..F16.
// An unknown name or an unclosed brace makes the whole text invalid: returns std::nullopt.
std::optional<std::vector<KeyStroke>> ParseSendKeys(const std::string& keys);

// Keys that the sheet sends to its own focused control (the Enter key moving to the next
// cell) and passes of the host's message loop. The sheet only queues; the host drains the
// queue after the handler that sent the keys has returned and feeds the keys back to the
// grid as ordinary key input, so they arrive as the sheet expects.
class KeyQueue {
 public:
  virtual ~KeyQueue() = default;

  // Queues a key-sending text ("{DOWN}", "{HOME}", "{TAB}", see ParseSendKeys).
  virtual void SendKeys(const std::string& keys);

  // Runs one pass of the host's message loop: the handler set with OnMessageLoopPass, if
  // any. A pass asked for while a pass is running returns at once (no unbounded recursion).
  virtual void DoEvents();

  // Host side: removes and returns every text queued so far, oldest first.
  std::vector<std::string> TakeSentKeys();
  // The texts queued and not yet taken.
  const std::vector<std::string>& PendingKeys() const { return pending_; }
  // Host side: what one pass of the message loop does (handle queued input, repaint).
  void OnMessageLoopPass(std::function<void()> pass) { pass_ = std::move(pass); }
  // How many passes were asked for since construction.
  int64_t MessageLoopPasses() const { return passes_; }

 private:
  std::vector<std::string> pending_;
  std::function<void()> pass_;
  int64_t passes_ = 0;
  bool in_pass_ = false;
};

// ---------------------------------------------------------------------------------------
// Mouse pointer
// ---------------------------------------------------------------------------------------

// Pointer shapes the sheet uses (the classic MousePointer values).
enum MousePointerShape : int32_t {
  vbDefault = 0,
  vbArrow = 1,
  vbHourglass = 11,
  vbNoDrop = 12,
};

// The pointer shown over the sheet's control and over the whole screen. The platform only
// stores them; a host with a real pointer reads them when it draws (or derives and
// overrides the setters).
class MousePointers {
 public:
  virtual ~MousePointers() = default;
  int32_t ControlPointer() const { return control_; }
  virtual void ControlPointer(int32_t shape) { control_ = shape; }
  int32_t ScreenPointer() const { return screen_; }
  virtual void ScreenPointer(int32_t shape) { screen_ = shape; }

 private:
  int32_t control_ = vbDefault;
  int32_t screen_ = vbDefault;
};

// ---------------------------------------------------------------------------------------
// Per-user settings store
// ---------------------------------------------------------------------------------------

// A failure of the settings store: the database cannot be opened, is damaged or belongs to
// something else, stayed locked past the wait, or a write failed. The message says which
// and names the file.
class SettingsError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Per-user settings: application -> section -> key -> text. Sections are flat names that
// may hold "\" ("PGM001\S1"); a section exists while it holds at least one key. Keys and
// values are any text ("=" and line breaks included). Application, section and key names
// compare without regard to ASCII letter case, as the registry-based stores the screens
// were written for do. Every member may throw SettingsError.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;

  // The stored value, or `default_value` when the key is not stored.
  virtual std::string GetSetting(const std::string& application, const std::string& section,
                                 const std::string& key,
                                 const std::string& default_value = "") = 0;

  // Stores `value` under the key, replacing what was there.
  virtual void SaveSetting(const std::string& application, const std::string& section,
                           const std::string& key, const std::string& value) = 0;

  // Removes one key; nothing happens when it is not stored.
  virtual void DeleteSetting(const std::string& application, const std::string& section,
                             const std::string& key) = 0;

  // Removes every key of exactly this section (not of sections whose names merely start
  // with it); nothing happens when it does not exist.
  virtual void DeleteSection(const std::string& application, const std::string& section) = 0;

  // True when the section holds at least one key.
  virtual bool SectionExists(const std::string& application, const std::string& section) = 0;

  // Stores every (key, value) pair of `values` in the section as one step: another reader,
  // another writer or a crash sees all of them or none. A later pair wins over an earlier
  // one with the same key.
  virtual void SaveSettings(const std::string& application, const std::string& section,
                            const std::vector<std::pair<std::string, std::string>>& values) = 0;

  // Reads, changes and writes one key as one step that no other writer (another store
  // object, another process) can interleave with: `change` gets the stored value
  // (std::nullopt when absent) and returns the value to store. Returns the stored value.
  // When `change` throws, nothing is written and the exception reaches the caller.
  virtual std::string Update(
      const std::string& application, const std::string& section, const std::string& key,
      const std::function<std::string(const std::optional<std::string>&)>& change) = 0;
};

// Settings kept in memory for the life of the object (tests, hosts without a disk store).
class MemorySettingsStore : public SettingsStore {
 public:
  std::string GetSetting(const std::string& application, const std::string& section,
                         const std::string& key, const std::string& default_value = "") override;
  void SaveSetting(const std::string& application, const std::string& section,
                   const std::string& key, const std::string& value) override;
  void SaveSettings(const std::string& application, const std::string& section,
                    const std::vector<std::pair<std::string, std::string>>& values) override;
  void DeleteSetting(const std::string& application, const std::string& section,
                     const std::string& key) override;
  void DeleteSection(const std::string& application, const std::string& section) override;
  bool SectionExists(const std::string& application, const std::string& section) override;
  std::string Update(
      const std::string& application, const std::string& section, const std::string& key,
      const std::function<std::string(const std::optional<std::string>&)>& change) override;

 private:
  struct Entry {
    std::string application, section, key, value;
  };
  std::vector<Entry> entries_;  // few entries per sheet: a flat list is enough
};

// ---------------------------------------------------------------------------------------
// Machine values and client values
// ---------------------------------------------------------------------------------------

// Read-only machine-wide values (what the registry held under HKEY_LOCAL_MACHINE): the font
// names under "SoftWare\Quillbrooke\Praxium.Net\FONT" ("Name_" + language number) and the
// message table under "SoftWare\Quillbrooke\Praxium.Net\Message" ("SHEET_" + language
// number). Key paths and value names compare without regard to ASCII letter case.
class MachineValues {
 public:
  virtual ~MachineValues() = default;
  // The text of value `name` under the key path `key` ("SoftWare\Quillbrooke\Praxium.Net\FONT"),
  // or std::nullopt when it is absent. The text is returned whole; trimming and defaults
  // are the caller's.
  virtual std::optional<std::string> Get(const std::string& key, const std::string& name) = 0;
};

// Client values of the maker's registry library (zelRegGetString): per application
// ("Praxium.Net"), the keys "OSLanguage", "UserDirType" and "HomeDir". Application and key
// compare without regard to ASCII letter case.
class ClientValues {
 public:
  virtual ~ClientValues() = default;
  // The value, or std::nullopt when absent (zelRegGetString answering 0). The text is
  // returned whole; the caller applies its own length limit, trimming and default.
  virtual std::optional<std::string> zelRegGetString(const std::string& application,
                                                     const std::string& key) = 0;
};

// Machine and client values held in memory; what ScriptedPlatform fills, and what the text
// file of the default platform is read into.
class MemoryValues : public MachineValues, public ClientValues {
 public:
  void SetMachineValue(const std::string& key, const std::string& name, const std::string& value);
  void SetClientValue(const std::string& application, const std::string& key,
                      const std::string& value);
  void Clear();
  std::optional<std::string> Get(const std::string& key, const std::string& name) override;
  std::optional<std::string> zelRegGetString(const std::string& application,
                                             const std::string& key) override;

 private:
  struct Value {
    std::string path, name, value;
  };
  std::vector<Value> machine_;
  std::vector<Value> client_;
};

// The machine and client values file of the default platform. Plain UTF-8 text:
//
//   # a comment line (also ";")
//   [machine SoftWare\Quillbrooke\Praxium.Net\FONT]
//   Name_1042=Gulim
//   [machine SoftWare\Quillbrooke\Praxium.Net\Message]
//   SHEET_1=text~I~text~I~...
//   [client Praxium.Net]
//   OSLanguage=1042
//   UserDirType=1
//   HomeDir=/home/shared/praxium
//
// A section line names the kind ("machine" or "client") and the key path or application.
// A value line is a name, "=", and the value: everything after the first "=" up to the end
// of the line, kept as it is (backslashes included; no escapes, so a value is one line).
// Blank names, lines outside a section, unknown kinds and lines without "=" are skipped.
// A later line for the same value replaces an earlier one.
//
// Parses `text` into `values` (added to what is there).
void ParseValuesFile(const std::string& text, MemoryValues& values);

// The file's path: the environment variable ZELSHEET_VALUES_FILE when set and not empty,
// else "/etc/zelsheet/values.conf".
std::string ValuesFilePath();

// ---------------------------------------------------------------------------------------
// Folders, programs, the clock
// ---------------------------------------------------------------------------------------

class FolderService {
 public:
  virtual ~FolderService() = default;
  // The folder that stands for the Windows directory: the base of the shared temporary
  // folder (WindowDir + "/Praxium.Net/"). Exists when returned (created if missing);
  // "" when it cannot be made.
  virtual std::string WindowDir() = 0;
};

// Starting a document or program with the desktop (ShellExecute).
class ShellLauncher {
 public:
  virtual ~ShellLauncher() = default;
  // Asks the desktop to carry out `operation` ("open", "print", "" for the default) on
  // `file`. Returns a number above 32 on success, 32 or less for a failure (2 file not
  // found, 31 no program for it), as ShellExecute does.
  virtual int32_t ShellExecute(const std::string& operation, const std::string& file,
                               const std::string& parameters, const std::string& directory,
                               int32_t show_cmd) = 0;
};

// A calendar date and time of day, local time.
struct DateTime {
  int32_t year = 1970, month = 1, day = 1;
  int32_t hour = 0, minute = 0, second = 0;
  bool operator==(const DateTime&) const = default;
};

class Clock {
 public:
  virtual ~Clock() = default;
  // The current local date and time.
  virtual DateTime Now() = 0;
  // Today as "yyyymmdd" ("20240315"), the text form the sheet compares dates in.
  std::string TodayText();
};

// ---------------------------------------------------------------------------------------
// Pop-up menus
// ---------------------------------------------------------------------------------------

// One entry of a pop-up menu as the sheet hands it to the host. A caption of "-" is a
// separator.
struct PopupMenuEntry {
  std::string name;     // "mnuSheetSort"
  std::string caption;  // what the user sees
  bool enabled = true;
  bool checked = false;
  bool visible = true;
};

class PopupMenus {
 public:
  virtual ~PopupMenus() = default;
  // Shows the menu `menu_name` ("mnuSheet") with `entries` at (x, y) in the control's
  // units and waits for the user. Returns the name of the entry chosen, or "" when the menu
  // was dismissed. Only visible, enabled, non-separator entries can be chosen.
  virtual std::string PopupMenu(const std::string& menu_name,
                                const std::vector<PopupMenuEntry>& entries, int32_t flags,
                                double x, double y, const std::string& default_entry) = 0;
};

// ---------------------------------------------------------------------------------------
// The platform
// ---------------------------------------------------------------------------------------

// Every service the sheet uses, in one object that the host creates and that outlives every
// sheet built on it. The references returned stay valid for the platform's whole life.
class Platform {
 public:
  virtual ~Platform() = default;

  virtual MessageBoxes& Messages() = 0;   // message boxes
  virtual Clipboard& Clip() = 0;          // plain-text clipboard
  virtual KeyQueue& Keys() = 0;           // sent keys, message-loop passes
  virtual MousePointers& Mouse() = 0;     // control and screen pointer
  virtual SettingsStore& Settings() = 0;  // per-user settings
  virtual MachineValues& Machine() = 0;   // machine-wide values (registry)
  virtual ClientValues& Client() = 0;     // zelRegGetString values
  virtual FolderService& Folders() = 0;   // WindowDir
  virtual ShellLauncher& Shell() = 0;     // ShellExecute
  virtual Clock& Time() = 0;              // current date
  virtual CompanionTools& Tools() = 0;    // dialogs, exports, chart, print
  virtual PopupMenus& Menus() = 0;        // the context menus

  // The host assigned the component's stored property `name` ("PgmID", "SheetID",
  // "IsPostBack"): a host that keeps the component's properties (WriteProperties) knows
  // they need writing again. Loading them (ReadProperties) tells nothing. Default: nothing.
  virtual void PropertyChanged(const std::string& name) { (void)name; }

  // Shorthand for Messages().MsgBox(...), the call the sheet makes most.
  MsgBoxResult MsgBox(const std::string& text, int32_t style = vbOKOnly,
                      const std::string& title = "") {
    return Messages().MsgBox(text, style, title);
  }
};

// The real services, around a settings store chosen by the caller:
// - message boxes write "[title] text" and the buttons to stderr and answer the default
//   button (a host with a screen derives and overrides Messages(), or sets SetMessageBoxes);
// - an in-process clipboard; the key queue; stored mouse pointers;
// - machine and client values read once, at first use, from ValuesFilePath() (a missing or
//   unreadable file: every value absent);
// - WindowDir: $ZELSHEET_WINDOW_DIR when set, else $XDG_DATA_HOME/zelsheet, else
//   $HOME/.local/share/zelsheet;
// - the system clock (local time);
// - ShellExecute starts nothing and answers 31 (no program for it), since a library has
//   no desktop to ask; a host that has one replaces the service;
// - companion tools: the headless ones (HeadlessCompanionTools), exporting and printing
//   into WindowDir + "/Praxium.Net/Export";
// - pop-up menus: the chooser set with SetMenuChooser, else every menu is dismissed.
class StandardPlatform : public Platform {
 public:
  // `settings` null: settings kept in memory only (lost when the platform goes).
  explicit StandardPlatform(std::unique_ptr<SettingsStore> settings);
  ~StandardPlatform() override;

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

  // Replaces a service with the host's own (the platform owns it from then on).
  void SetMessageBoxes(std::unique_ptr<MessageBoxes> boxes);
  void SetCompanionTools(std::unique_ptr<CompanionTools> tools);
  void SetShell(std::unique_ptr<ShellLauncher> shell);
  // The host's menu chooser: gets the arguments of PopupMenus::PopupMenu, returns the entry
  // name chosen or "".
  using MenuChooser = std::function<std::string(
      const std::string&, const std::vector<PopupMenuEntry>&, int32_t, double, double,
      const std::string&)>;
  void SetMenuChooser(MenuChooser chooser);

 private:
  struct Services;
  std::unique_ptr<Services> services_;
};

}  // namespace zel
