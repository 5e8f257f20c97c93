#pragma once
// The program-wide settings, read and assigned directly by every window.

#include <cstdint>
#include <string>

namespace ventrix {

inline constexpr const char* kTrayOpened = "opened";
inline constexpr const char* kTrayClosed = "closed";
// LockStatus values.
inline constexpr std::int16_t kLocked = 1;
inline constexpr std::int16_t kUnlocked = 0;

struct SettingsVariables {
  std::string AppTitle;
  std::string DriveLetter;
  std::int16_t AlwaysOnTop = 0;
  std::int16_t BannerEnabled = 0;
  std::int16_t VisibleOnStartup = 0;
  std::string WebUpdateUrl;
  std::string DeviceStatus;
  std::int16_t LockStatus = 0;
  std::int16_t SendToTray = 0;
};

}  // namespace ventrix
