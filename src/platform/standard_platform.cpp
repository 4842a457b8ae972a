// The default platform: real services for a host that runs the sheet on this machine.
#include <filesystem>

#include "platform/internal/message_boxes.h"
#include "platform/internal/system_services.h"
#include "zelsheet/platform.h"

namespace zel {

namespace {

class ChooserMenus : public PopupMenus {
 public:
  std::string PopupMenu(const std::string& menu_name, const std::vector<PopupMenuEntry>& entries,
                        int32_t flags, double x, double y,
                        const std::string& default_entry) override {
    if (!chooser_) return "";
    std::string chosen = chooser_(menu_name, entries, flags, x, y, default_entry);
    // Only an entry the user could have picked counts; anything else is a dismissal.
    for (const PopupMenuEntry& e : entries) {
      if (e.name == chosen && e.visible && e.enabled && e.caption != "-") return chosen;
    }
    return "";
  }
  StandardPlatform::MenuChooser chooser_;
};

}  // namespace

struct StandardPlatform::Services {
  explicit Services(Platform& owner, std::unique_ptr<SettingsStore> store)
      : settings(std::move(store)),
        boxes(std::make_unique<internal::StderrMessageBoxes>()),
        values(ValuesFilePath()),
        shell(std::make_unique<internal::NoDesktopShell>()),
        boxes_of_owner(owner) {
    tools = std::make_unique<HeadlessCompanionTools>(boxes_of_owner, [this]() {
      const std::string dir = folders.WindowDir();
      return dir.empty() ? dir : dir + "/Praxium.Net/Export";
    });
  }
  std::unique_ptr<SettingsStore> settings;
  std::unique_ptr<MessageBoxes> boxes;
  MemoryClipboard clipboard;
  KeyQueue keys;
  MousePointers mouse;
  internal::FileValues values;
  internal::UserFolders folders;
  std::unique_ptr<ShellLauncher> shell;
  internal::SystemClock clock;
  internal::PlatformMessageBoxes boxes_of_owner;
  std::unique_ptr<CompanionTools> tools;
  ChooserMenus menus;
};

StandardPlatform::StandardPlatform(std::unique_ptr<SettingsStore> settings) {
  if (!settings) settings = std::make_unique<MemorySettingsStore>();
  services_ = std::make_unique<Services>(*this, std::move(settings));
}

StandardPlatform::~StandardPlatform() = default;

MessageBoxes& StandardPlatform::Messages() { return *services_->boxes; }
Clipboard& StandardPlatform::Clip() { return services_->clipboard; }
KeyQueue& StandardPlatform::Keys() { return services_->keys; }
MousePointers& StandardPlatform::Mouse() { return services_->mouse; }
SettingsStore& StandardPlatform::Settings() { return *services_->settings; }
MachineValues& StandardPlatform::Machine() { return services_->values; }
ClientValues& StandardPlatform::Client() { return services_->values; }
FolderService& StandardPlatform::Folders() { return services_->folders; }
ShellLauncher& StandardPlatform::Shell() { return *services_->shell; }
Clock& StandardPlatform::Time() { return services_->clock; }
CompanionTools& StandardPlatform::Tools() { return *services_->tools; }
PopupMenus& StandardPlatform::Menus() { return services_->menus; }

void StandardPlatform::SetMessageBoxes(std::unique_ptr<MessageBoxes> boxes) {
  if (boxes) services_->boxes = std::move(boxes);
}

void StandardPlatform::SetCompanionTools(std::unique_ptr<CompanionTools> tools) {
  if (tools) services_->tools = std::move(tools);
}

void StandardPlatform::SetShell(std::unique_ptr<ShellLauncher> shell) {
  if (shell) services_->shell = std::move(shell);
}

void StandardPlatform::SetMenuChooser(MenuChooser chooser) {
  services_->menus.chooser_ = std::move(chooser);
}

}  // namespace zel
