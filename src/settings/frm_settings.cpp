#include "settings/frm_settings.h"

#include <cstddef>
#include <cstdint>
#include <optional>

#include "drive/device_io.h"
#include "main/frm_main.h"
#include "platform/window_placement.h"
#include "program/program.h"
#include "program/resource_ids.h"
#include "settings/general.h"
#include "settings/settings_layout.h"

namespace ventrix {

namespace {

namespace layout = settings_layout;

constexpr const char* kSavedText = "Settings Saved";
constexpr const char* kDefaultSavedText = "Default settings Saved";
// Shown instead of either text above when the store refused a key.
constexpr const char* kNotSavedText = "Settings Not Saved";
// The File item after "&Close"; these carry no access key.
constexpr const char* kFileItemToTray = "Close";
constexpr const char* kFileItemExit = "Exit";
constexpr std::int16_t kFileItem = 0;
constexpr int kFirstDrive = 0;

forms::FormDesign SettingsDesign() {
  return {.caption = "Ventrix Professional",
          .client_width = layout::kClientWidthPx * forms::kTwipsPerPixelAt96Dpi,
          .client_height = layout::kClientHeightPx * forms::kTwipsPerPixelAt96Dpi,
          .border = forms::BorderStyle::kFixedDialog,
          .icon = IDI_VENTRIX,
          .escape_closes = true};
}

// Lets the drive listing append straight into the combo box.
class ComboDriveList : public DriveListControl {
 public:
  explicit ComboDriveList(forms::ComboBox& combo) : combo_(combo) {}
  void AddItem(const std::string& entry) override { combo_.AddItem(entry); }

 private:
  forms::ComboBox& combo_;
};

bool IsOnOrOff(std::int16_t value) {
  return value == forms::kUnchecked || value == forms::kChecked;
}

}  // namespace

FrmSettings::FrmSettings(Program& program)
    : forms::Form(program.runtime(), "frmSettings", SettingsDesign()),
      Cmdsave(*this, "Cmdsave", layout::kCmdsave, "&Save Settings"),
      Cmdmain(*this, "Cmdmain", layout::kCmdmain, "&Close"),
      Label4(*this, "Label4", layout::kLabel4, ""),
      cmddefault(*this, "cmddefault", layout::kCmddefault, "Default"),
      Check1(*this, "Check1", layout::kCheck1, "Always on Top"),
      Label1(*this, "Label1", layout::kLabel1, "Selected CD Drive"),
      Check2(*this, "Check2", layout::kCheck2, "Visible on startup"),
      Combo1(*this, "Combo1", layout::kCombo1, "Combo1"),
      Check3(*this, "Check3", layout::kCheck3, "Show Splash Screen"),
      Check4(*this, "Check4", layout::kCheck4, "Minimise to Tray on Exit"),
      Timer1(*this, "Timer1", layout::kStatusTimerMs),
      program_(program) {
  // Controls register in declaration order, which is the tab order.
  int tab_index = 0;
  for (forms::Control* control : Controls()) control->set_tab_index(tab_index++);
  // The windows are made in tab order, which is also their z-order, and a screen reader names
  // the drive list by the label right before it there (a tab stop between them ends its
  // search). Label1 goes after "Visible on startup"; a label takes no focus, so Tab still
  // visits the other controls in the designed order.
  const int label_place = Check2.TabIndex();
  Check2.set_tab_index(Label1.TabIndex());
  Label1.set_tab_index(label_place);

  Label4.set_font({layout::kFontName, layout::kStatusFontPoints, /*bold=*/true});
  Label4.set_alignment(forms::Alignment::kCenter);
  Label1.set_font({layout::kFontName, layout::kCaptionFontPoints, /*bold=*/true});

  Cmdsave.on_click = [this] { Cmdsave_Click(); };
  Cmdmain.on_click = [this] { Cmdmain_Click(); };
  cmddefault.on_click = [this] { cmddefault_Click(); };
  Check1.on_click = [this] { Check1_Click(); };
  Check2.on_click = [this] { Check2_Click(); };
  Check4.on_click = [this] { Check4_Click(); };
  Combo1.on_click = [this] { Combo1_Click(); };
  Timer1.on_timer = [this] { Timer1_Timer(); };
  on_volume_change = [this](const forms::VolumeChange& change) { Form_VolumeChange(change); };
}

void FrmSettings::Form_Load() {
  FillDriveList();
  SelectFromCode(kFirstDrive);
  program_.vars().DriveLetter = SelectedDrive();
}

void FrmSettings::SelectFromCode(int index) {
  // The selection runs Combo1_Click, which must not take it for the user's pick.
  selecting_from_code_ = true;
  try {
    Combo1.set_list_index(index);
  } catch (...) {
    selecting_from_code_ = false;
    throw;
  }
  selecting_from_code_ = false;
}

void FrmSettings::FillDriveList() {
  Combo1.Clear();
  ComboDriveList drive_list(Combo1);
  basDeviceIO::FillCdDriveList(program_.platform().drives, drive_list);
  // Without a CD drive nothing can be selected: the field shows empty text.
  if (Combo1.ListCount() == 0) Combo1.set_text("");
}

void FrmSettings::Form_VolumeChange(const forms::VolumeChange& change) {
  // A disc put in or taken out changes no drive.
  if (change.media) return;
  FillDriveList();
  ShowDriveInUse();
}

void FrmSettings::ShowDriveInUse() {
  SettingsVariables& vars = program_.vars();
  const std::string in_use = vars.DriveLetter;
  const std::optional<std::size_t> drive = basDeviceIO::DriveIndex(in_use);
  int index = kFirstDrive;
  for (int entry = 0; drive && entry < Combo1.ListCount(); ++entry) {
    if (basDeviceIO::DriveIndex(Combo1.List(entry)) == drive) {
      index = entry;
      break;
    }
  }
  // The selection runs Combo1_Click, which would put the listed form into DriveLetter.
  SelectFromCode(index);
  vars.DriveLetter = in_use;
}

void FrmSettings::Form_QueryUnload(int& Cancel, int UnloadMode) {
  // The close box only hides, keeping the window's state; the program's end unloads it.
  if (UnloadMode != forms::kFormControlMenu) return;
  Cancel = 1;
  Hide();
}

void FrmSettings::Combo1_Click() {
  SettingsVariables& vars = program_.vars();
  const std::optional<std::size_t> before = basDeviceIO::DriveIndex(vars.DriveLetter);
  vars.DriveLetter = SelectedDrive();
  // Another drive picked: the main window's menus offer what its lock allows.
  if (selecting_from_code_ || basDeviceIO::DriveIndex(vars.DriveLetter) == before) return;
  if (FrmMain* main = program_.LoadedMain()) main->FollowSelectedDriveLock();
}

void FrmSettings::Check1_Click() {
  const std::int16_t value = Check1.Value();
  if (!IsOnOrOff(value)) return;
  const std::intptr_t order = value == forms::kChecked ? kHwndTopmost : kHwndNoTopmost;
  WindowPlacement& placement = program_.platform().placement;
  placement.SetWindowPos(program_.frmMain().hWnd(), order, 0, 0, 0, 0, kSwpNoMove | kSwpNoSize);
  placement.SetWindowPos(hWnd(), order, 0, 0, 0, 0, kSwpNoMove | kSwpNoSize);
  program_.vars().AlwaysOnTop = value;
}

void FrmSettings::Check2_Click() {
  if (IsOnOrOff(Check2.Value())) program_.vars().VisibleOnStartup = Check2.Value();
}

void FrmSettings::Check4_Click() { program_.vars().SendToTray = Check4.Value(); }

void FrmSettings::Cmdsave_Click() {
  TakeChoices();
  program_.frmMain().SetOperationCaptions();
  Label4.set_caption(SaveSettings(program_) ? kSavedText : kNotSavedText);
}

void FrmSettings::Cmdmain_Click() {
  TakeChoices();
  const std::int16_t send_to_tray = program_.vars().SendToTray;
  FrmMain& main = program_.frmMain();
  if (send_to_tray == forms::kChecked) {
    main.mnufile[kFileItem].set_caption(kFileItemToTray);
  } else if (send_to_tray == forms::kUnchecked) {
    main.mnufile[kFileItem].set_caption(kFileItemExit);
  }
  main.SetOperationCaptions();
  // A save that failed keeps the window up with the failure in view.
  if (!SaveSettings(program_)) {
    Label4.set_caption(kNotSavedText);
    return;
  }
  Hide();
}

void FrmSettings::cmddefault_Click() {
  SettingsVariables& vars = program_.vars();
  vars.DriveLetter = SelectedDrive();
  // A box whose state changes runs its click handling; a value no box can show is refused.
  Check1.set_value(vars.AlwaysOnTop);
  Check3.set_value(vars.BannerEnabled);
  Check2.set_value(vars.VisibleOnStartup);
  Check4.set_value(vars.SendToTray);
  Label4.set_caption(SaveSettings(program_) ? kDefaultSavedText : kNotSavedText);
}

void FrmSettings::Timer1_Timer() { Label4.set_caption(""); }

std::string FrmSettings::SelectedDrive() const { return Combo1.List(Combo1.ListIndex()); }

void FrmSettings::TakeChoices() {
  SettingsVariables& vars = program_.vars();
  vars.DriveLetter = basDeviceIO::StripTrailingBackslash(SelectedDrive());
  vars.AlwaysOnTop = Check1.Value();
  vars.VisibleOnStartup = Check2.Value();
  vars.BannerEnabled = Check3.Value();
  vars.SendToTray = Check4.Value();
}

}  // namespace ventrix
