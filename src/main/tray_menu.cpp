// The tray icon's popup menu and its two notifications.

#include <array>
#include <exception>
#include <string>

#include "main/frm_main.h"
#include "main/frm_main_layout.h"
#include "program/program.h"
#include "program/resource_ids.h"

namespace ventrix {

namespace {

using namespace main_layout;

constexpr const char* kOpenKey = "Open Ventrix";
constexpr const char* kOperateTrayKey = "Operate Tray";
constexpr const char* kLockUnlockKey = "Lock-Unlock";
constexpr const char* kOptionsKey = "Options";
constexpr const char* kAboutKey = "ABOUT";
constexpr const char* kExitKey = "EXIT";
constexpr const char* kSeparator = "-";

}  // namespace

void FrmMain::FillTrayMenu() {
  if (!NotifyIconCtrl1) return;
  const std::string& drive = program_.vars().DriveLetter;
  const std::array<TrayMenuItem, 9> rows{{
      {kOpenKey, IDB_DISC, kOpenKey},
      {kSeparator, kNoPicture, "HR2"},
      {"Eject / Close (" + drive + ")", IDB_DISC, kOperateTrayKey},
      {"Lock / Unlock (" + drive + ")", IDB_DISC, kLockUnlockKey},
      {"Settings", IDB_SETTINGS, kOptionsKey},
      {kSeparator, kNoPicture, "HR3"},
      {"About", IDB_ABOUT, kAboutKey},
      {kSeparator, kNoPicture, "HR5"},
      {"Exit", IDB_EXIT_CROSS, kExitKey},
  }};
  TrayMenuRoot& menu = NotifyIconCtrl1->TrayMenu();
  for (const TrayMenuItem& row : rows) menu.AddItem(row.caption, row.picture, row.Key);
}

// A failing step is skipped and nothing is reported: the icon must keep answering.
void FrmMain::NotifyIconCtrl1_Click(std::int16_t Button) {
  if (!NotifyIconCtrl1) return;
  if (Button == kMouseLeft) {
    try {
      NotifyIconCtrl1->ShowBalloon();
    } catch (const std::exception&) {
    }
    return;
  }
  if (Button != kMouseRight) return;

  std::string key;
  try {
    if (const std::optional<TrayMenuItem> picked = NotifyIconCtrl1->ShowMenu()) key = picked->Key;
  } catch (const std::exception&) {
    key.clear();
  }

  try {
    const SettingsVariables& vars = program_.vars();
    if (key == kOpenKey) {
      ShowWithoutActivation();
    } else if (key == kOperateTrayKey) {
      ToggleTray();
    } else if (key == kLockUnlockKey) {
      if (vars.LockStatus == kUnlocked) {
        mnuoperations_Click(kLockItem);
      } else if (vars.LockStatus == kLocked) {
        mnuoperations_Click(kUnlockItem);
      }
    } else if (key == kOptionsKey) {
      mnuoptions_Click(kSettingsItem);
    } else if (key == kAboutKey) {
      mnuHelp_Click(kAboutItem);
    } else if (key == kExitKey) {
      program_.End();
    }
  } catch (const std::exception&) {
  }
}

void FrmMain::NotifyIconCtrl1_DblClick(std::int16_t) {
  Show();
  SetFocus();
}

}  // namespace ventrix
