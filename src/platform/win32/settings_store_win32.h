#pragma once
// SettingsStore on the per-user application settings area of the registry:
// HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<application>\<section>, REG_SZ values.
// A value of another type, or with more data than kMaxSettingLength and its terminator, reads as
// missing; a text ends at its first NUL.

#include <cstddef>
#include <string>

#include "platform/settings_store.h"

namespace ventrix::win32 {

// Parent of every application's settings key, under HKEY_CURRENT_USER.
inline constexpr char kSettingsRoot[] = "Software\\VB and VBA Program Settings";
// Longest application, section or key name accepted (the registry's key-name limit).
inline constexpr std::size_t kMaxSettingNameLength = 255;

class RegistrySettingsStore : public SettingsStore {
 public:
  std::string Read(const std::string& application, const std::string& section,
                   const std::string& key, const std::string& default_text) override;
  bool Write(const std::string& application, const std::string& section, const std::string& key,
             const std::string& text) override;
};

}  // namespace ventrix::win32
