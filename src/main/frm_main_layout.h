#pragma once
// The main window's design: sizes in twips, the status line's font, the timer and the menus.

#include <cstdint>

#include "platform/forms/geometry.h"

namespace ventrix::main_layout {

inline constexpr int kClientWidth = 3780;
inline constexpr int kClientHeight = 405;
inline constexpr forms::Rect kLabel1Rect{0, 0, 3735, 375};
inline constexpr const char* kLabel1FontName = "Times New Roman";
inline constexpr double kLabel1FontPoints = 12;
inline constexpr const char* kLabel1ToolTip = "Double Click to Eject / Close Drive";
inline constexpr const char* kReadyText = "Ready";
inline constexpr int kTimer1IntervalMs = 7000;

inline constexpr const char* kTrayToolTip = "Ventrix is Running";

// Item indices the handlers test.
inline constexpr std::int16_t kFileCloseItem = 0;
inline constexpr std::int16_t kEjectItem = 0;
inline constexpr std::int16_t kCloseItem = 1;
inline constexpr std::int16_t kLockItem = 2;
inline constexpr std::int16_t kUnlockItem = 3;
inline constexpr std::int16_t kSettingsItem = 0;
inline constexpr std::int16_t kCheckForUpdateItem = 3;
inline constexpr std::int16_t kVisitWebsiteItem = 4;
inline constexpr std::int16_t kAboutItem = 6;

// Captions of the File item as start-up and the File menu set them.
inline constexpr const char* kFileCloseCaption = "&Close";
inline constexpr const char* kFileExitCaption = "E&xit";

}  // namespace ventrix::main_layout
