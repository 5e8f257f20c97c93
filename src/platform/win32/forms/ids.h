#pragma once
// Child-window, timer and menu command identifiers of a form window.

#include <optional>

namespace ventrix::win32::ui {

// Controls get kFirstControlId + their index in the form; timers use the same identifier.
inline constexpr int kFirstControlId = 0x100;
// Menu commands: kFirstMenuId + array index x kMaxMenuItems + item index (below 0x10000, the
// range a WM_COMMAND identifier can carry).
inline constexpr int kFirstMenuId = 0x4000;
inline constexpr int kMaxControls = kFirstMenuId - kFirstControlId;
inline constexpr int kMaxMenuArrays = 64;
inline constexpr int kMaxMenuItems = 128;
static_assert(kFirstMenuId + kMaxMenuArrays * kMaxMenuItems <= 0xFFFF);

struct MenuCommand {
  int array = 0;
  int item = 0;
};

constexpr std::optional<int> MenuCommandId(int array, int item) {
  if (array < 0 || array >= kMaxMenuArrays || item < 0 || item >= kMaxMenuItems) return {};
  return kFirstMenuId + array * kMaxMenuItems + item;
}

constexpr std::optional<MenuCommand> DecodeMenuCommand(int id) {
  const int offset = id - kFirstMenuId;
  if (offset < 0 || offset >= kMaxMenuArrays * kMaxMenuItems) return {};
  return MenuCommand{offset / kMaxMenuItems, offset % kMaxMenuItems};
}

constexpr std::optional<int> ControlId(int index) {
  if (index < 0 || index >= kMaxControls) return {};
  return kFirstControlId + index;
}

}  // namespace ventrix::win32::ui
