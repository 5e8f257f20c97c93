// The File, Options and Help menus of the main window.

#include "about/frm_about.h"
#include "about/shell_open.h"
#include "main/frm_main.h"
#include "main/frm_main_layout.h"
#include "program/product.h"
#include "program/program.h"
#include "settings/frm_settings.h"
#include "webupdate/frm_web_update.h"

namespace ventrix {

namespace {

using namespace main_layout;

constexpr std::int16_t kSendToTrayOn = 1;
constexpr std::int16_t kSendToTrayOff = 0;
// SW_SHOWDEFAULT: the browser decides how to show itself.
constexpr std::int32_t kShowDefault = 10;
constexpr const char* kOpenVerb = "open";

// Shows a modeless window (creating it on first use) and brings it forward.
void ShowAndFocus(forms::Form& form) {
  form.Show();
  form.SetFocus();
}

}  // namespace

void FrmMain::mnufile_Click(std::int16_t Index) {
  if (Index != kFileCloseItem) return;
  // Read at the click, so the settings window's box counts even before it is saved.
  switch (program_.vars().SendToTray) {
    case kSendToTrayOn:
      mnufile[kFileCloseItem].set_caption(kFileCloseCaption);
      Hide();
      break;
    case kSendToTrayOff:
      program_.End();
      break;
    default:
      break;
  }
}

void FrmMain::mnuoptions_Click(std::int16_t Index) {
  if (Index != kSettingsItem) return;
  program_.frmSettings().Show();
}

void FrmMain::mnuHelp_Click(std::int16_t Index) {
  switch (Index) {
    case kCheckForUpdateItem:
      ShowAndFocus(program_.frmWebUpdate());
      break;
    case kVisitWebsiteItem: {
      // A refusal stays silent here: the web site is a convenience.
      std::string verb = kOpenVerb;
      WindowHandle owner = kNoWindow;
      mShellExecute::ShellOpen(program_, WebSiteUrl, kShowDefault, "", "", verb, owner);
      break;
    }
    case kAboutItem:
      ShowAndFocus(program_.frmAbout());
      break;
    default:
      break;
  }
}

}  // namespace ventrix
