// The main window's load handler: the whole start-up in one pass.

#include "main/frm_main.h"
#include "main/frm_main_layout.h"
#include "main/operations_menu.h"
#include "main/platform_text.h"
#include "platform/forms/check_box.h"
#include "program/product.h"
#include "program/program.h"
#include "settings/frm_settings.h"
#include "settings/general.h"
#include "splash/frm_splash.h"

namespace ventrix {

namespace {

using namespace main_layout;

constexpr std::int16_t kFlagOn = 1;
constexpr std::int16_t kFlagOff = 0;

// Applies BannerEnabled to the splash screen; any value but 0 or 1 leaves it alone.
void ApplyBanner(Program& program) {
  FrmSplash& splash = program.frmSplash();
  FrmSettings& settings = program.frmSettings();
  switch (program.vars().BannerEnabled) {
    case kFlagOn:
      program.platform().placement.SetWindowPos(splash.hWnd(), kHwndTopmost, 0, 0, 0, 0,
                                                kSwpNoMove | kSwpNoSize);
      splash.Show();
      settings.Check3.set_value(forms::kChecked);
      break;
    case kFlagOff:
      settings.Check3.set_value(forms::kUnchecked);
      splash.Hide();
      break;
    default:
      break;
  }
}

}  // namespace

void FrmMain::Form_Load() {
  SettingsVariables& vars = program_.vars();
  vars.AppTitle = kAppTitle;

  const std::string platform_text = StartupPlatformText(program_.platform().version);
  // Reaching the label loads the splash screen (hidden) first, so this text is the last word.
  program_.frmSplash().lblplatform.set_caption(platform_text);

  LoadSettings(program_);

  ApplyBanner(program_);

  FrmSettings& settings = program_.frmSettings();
  // The check boxes' handlers copy their state back into the same variables.
  switch (vars.VisibleOnStartup) {
    case kFlagOn:
      Show();
      settings.Check2.set_value(forms::kChecked);
      break;
    case kFlagOff:
      Hide();
      settings.Check2.set_value(forms::kUnchecked);
      break;
    default:
      break;
  }

  switch (vars.SendToTray) {
    case kFlagOn:
      mnufile[kFileCloseItem].set_caption(kFileCloseCaption);
      settings.Check4.set_value(forms::kChecked);
      break;
    case kFlagOff:
      mnufile[kFileCloseItem].set_caption(kFileExitCaption);
      settings.Check4.set_value(forms::kUnchecked);
      break;
    default:
      break;
  }

  // A stored "Always on Top" takes effect at once: the box's handler places both windows.
  if (vars.AlwaysOnTop == kFlagOn) settings.Check1.set_value(forms::kChecked);

  set_caption(vars.AppTitle);
  SetOperationCaptions();

  // Start-up always offers eject and lock, whatever state was remembered, unless Ventrix holds
  // the drive locked.
  ApplyMenuState(mnuoperations, operations_menu::kAfterStartup);
  FollowSelectedDriveLock();
  ReadTrayAtStartup();

  Label1.set_visible(true);
  Label1.set_fore_color(kStatusGreen);
  Label1.set_caption(kReadyText);

  FillTrayMenu();
}

}  // namespace ventrix
