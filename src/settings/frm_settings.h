#pragma once
// frmSettings: the drive choice and the four flags, saved on request.

#include <string>

#include "platform/forms/check_box.h"
#include "platform/forms/combo_box.h"
#include "platform/forms/command_button.h"
#include "platform/forms/form.h"
#include "platform/forms/label.h"
#include "platform/forms/timer.h"

namespace ventrix {

class Program;

class FrmSettings : public forms::Form {
 public:
  explicit FrmSettings(Program& program);

  void Form_Load() override;
  // The close box (and Esc) hides the window like "&Close" but saves nothing and changes no
  // variable.
  void Form_QueryUnload(int& Cancel, int UnloadMode) override;
  void Combo1_Click();
  void Check1_Click();
  void Check2_Click();
  void Check4_Click();
  void cmddefault_Click();
  void Cmdsave_Click();
  void Cmdmain_Click();
  void Timer1_Timer();
  // A drive plugged in or out: the list is filled again.
  void Form_VolumeChange(const forms::VolumeChange& change);

  // Selects the list entry of the drive in use (DriveLetter, with or without its backslash),
  // or the first entry when it is not listed; DriveLetter keeps its text either way.
  void ShowDriveInUse();

  // In tab order.
  forms::CommandButton Cmdsave;
  forms::CommandButton Cmdmain;
  forms::Label Label4;
  forms::CommandButton cmddefault;
  forms::CheckBox Check1;
  forms::Label Label1;
  forms::CheckBox Check2;
  forms::ComboBox Combo1;
  forms::CheckBox Check3;
  forms::CheckBox Check4;
  forms::Timer Timer1;

 private:
  // The drive list's entry at its current selection; empty text when nothing is selected.
  std::string SelectedDrive() const;
  // Fills the drive list afresh with the CD drives there are now.
  void FillDriveList();
  // The selected drive without its trailing backslash, and the four boxes, into the variables.
  void TakeChoices();
  // Selects the list entry at `index` for the program rather than the user.
  void SelectFromCode(int index);

  Program& program_;
  bool selecting_from_code_ = false;
};

}  // namespace ventrix
