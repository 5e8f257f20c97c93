#pragma once
// The one place that fills NOTIFYICONDATAA for the tray icon.

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstddef>
#include <string>

namespace ventrix::win32 {

// The icon's id under its owner window, and the message the shell sends for mouse events on it.
inline constexpr UINT kTrayIconId = 1;
inline constexpr UINT kTrayCallbackMessage = WM_APP + 1;
// Vista's notification version and its flag for the standard tooltip (the headers give them
// only to programs built for Vista and later).
inline constexpr UINT kNotifyIconVersion4 = 4;
inline constexpr UINT kNifShowTip = 0x00000080;
// How long a balloon stays, in milliseconds (the shell clamps it to its own range).
inline constexpr UINT kBalloonTimeoutMs = 10000;

// What the icon shows: its picture, hover text and balloon.
struct TrayNotifyContent {
  HICON icon = nullptr;
  std::string tooltip;
  std::string balloon_title;
  std::string balloon_text;
  int balloon_icon = 0;
  // With notification version 4 the shell shows the standard tooltip only when asked to.
  bool show_tip = false;
};

// The structure size the running shell understands: the full size from shell32 6 (XP and
// later, Wine), the balloon-capable size from shell32 5, the original size before that.
DWORD NotifyDataSize();

// Copies text into a fixed char field, cut to fit with its terminating NUL and never between
// the two bytes of a double-byte character.
void CopyToField(const std::string& text, char* field, std::size_t field_size);

// The balloon icon flag for a balloonicon value (0 none, 1 information, 2 warning, 3 error).
DWORD BalloonIconFlags(int balloon_icon);

// NOTIFYICONDATAA for the icon of `owner`, with the members named by `flags` filled in.
NOTIFYICONDATAA MakeNotifyData(HWND owner, UINT flags, const TrayNotifyContent& content);

}  // namespace ventrix::win32
