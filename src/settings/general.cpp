#include "settings/general.h"

#include <cstdint>
#include <string>
#include <utility>

#include "platform/settings_store.h"
#include "program/product.h"
#include "program/program.h"
#include "settings/frm_settings.h"
#include "settings/stored_integer.h"

namespace ventrix {

namespace {

constexpr const char* kSettingsSection = "settings";
constexpr const char* kWebUpdateSection = "Web Update";

constexpr const char* kDriveKey = "Default CD Drive Letter";
constexpr const char* kAlwaysOnTopKey = "Always On Top";
constexpr const char* kBannerKey = "Banner Enabled";
constexpr const char* kVisibleKey = "Visible on Start-up";
constexpr const char* kWebUpdateUrlKey = "Web Update URL";
constexpr const char* kDeviceStatusKey = "Device Status";
constexpr const char* kLockStatusKey = "Lock Status";
constexpr const char* kSendToTrayKey = "Send to Tray";

constexpr std::int16_t kFlagOffDefault = 0;
constexpr std::int16_t kSendToTrayDefault = 1;

// The version file's address under the web site.
std::string DefaultWebUpdateUrl() {
  return std::string(WebSiteUrl) + "/download/" + "ventrix" + "/" + "ventrix3.txt";
}

// Reads and writes one application's keys.
class StoredSettings {
 public:
  StoredSettings(SettingsStore& store, std::string application)
      : store_(store), application_(std::move(application)) {}

  std::string ReadText(const char* section, const char* key, const std::string& default_text) {
    return store_.Read(application_, section, key, default_text);
  }
  // A stored text that is not a 16-bit whole number counts as missing.
  std::int16_t ReadInteger(const char* section, const char* key, std::int16_t default_value) {
    const std::string text = ReadText(section, key, StoredIntegerText(default_value));
    return ParseStoredInteger(text).value_or(default_value);
  }
  void WriteText(const char* section, const char* key, const std::string& text) {
    if (!store_.Write(application_, section, key, text)) all_written_ = false;
  }
  void WriteInteger(const char* section, const char* key, std::int16_t value) {
    WriteText(section, key, StoredIntegerText(value));
  }
  // Whether every write so far was taken by the store.
  bool AllWritten() const { return all_written_; }

 private:
  SettingsStore& store_;
  std::string application_;
  bool all_written_ = true;
};

}  // namespace

void LoadSettings(Program& program) {
  // Reaching the drive list loads the settings window, which selects the first CD drive.
  const forms::ComboBox& drive_list = program.frmSettings().Combo1;
  const std::string drive_default = drive_list.List(drive_list.ListIndex());
  const std::string url_default = DefaultWebUpdateUrl();
  const std::string device_status_default = kTrayClosed;

  SettingsVariables& vars = program.vars();
  StoredSettings stored(program.platform().settings, vars.AppTitle);
  vars.DriveLetter = stored.ReadText(kSettingsSection, kDriveKey, drive_default);
  vars.AlwaysOnTop = stored.ReadInteger(kSettingsSection, kAlwaysOnTopKey, kFlagOffDefault);
  vars.BannerEnabled = stored.ReadInteger(kSettingsSection, kBannerKey, kFlagOffDefault);
  vars.VisibleOnStartup = stored.ReadInteger(kSettingsSection, kVisibleKey, kFlagOffDefault);
  vars.WebUpdateUrl = stored.ReadText(kWebUpdateSection, kWebUpdateUrlKey, url_default);
  vars.DeviceStatus = stored.ReadText(kSettingsSection, kDeviceStatusKey, device_status_default);
  vars.LockStatus = stored.ReadInteger(kSettingsSection, kLockStatusKey, kFlagOffDefault);
  vars.SendToTray = stored.ReadInteger(kSettingsSection, kSendToTrayKey, kSendToTrayDefault);

  // The list shows the stored drive, so that a save keeps it.
  program.frmSettings().ShowDriveInUse();
}

bool SaveSettings(Program& program) {
  const SettingsVariables& vars = program.vars();
  StoredSettings stored(program.platform().settings, vars.AppTitle);
  stored.WriteText(kSettingsSection, kDriveKey, vars.DriveLetter);
  stored.WriteInteger(kSettingsSection, kAlwaysOnTopKey, vars.AlwaysOnTop);
  stored.WriteInteger(kSettingsSection, kBannerKey, vars.BannerEnabled);
  stored.WriteInteger(kSettingsSection, kVisibleKey, vars.VisibleOnStartup);
  stored.WriteText(kWebUpdateSection, kWebUpdateUrlKey, vars.WebUpdateUrl);
  stored.WriteText(kSettingsSection, kDeviceStatusKey, vars.DeviceStatus);
  stored.WriteInteger(kSettingsSection, kLockStatusKey, vars.LockStatus);
  stored.WriteInteger(kSettingsSection, kSendToTrayKey, vars.SendToTray);
  return stored.AllWritten();
}

}  // namespace ventrix
