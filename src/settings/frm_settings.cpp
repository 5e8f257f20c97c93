#include "settings/frm_settings.h"

#include "program/program.h"

namespace ventrix {

// Placeholder construction; the window's design lands with the settings feature.
FrmSettings::FrmSettings(Program& program)
    : forms::Form(program.runtime(), "frmSettings", {}),
      Cmdsave(*this, "Cmdsave", {}, "&Save Settings"),
      Cmdmain(*this, "Cmdmain", {}, "&Close"),
      Label4(*this, "Label4", {}, ""),
      cmddefault(*this, "cmddefault", {}, "Default"),
      Check1(*this, "Check1", {}, "Always on Top"),
      Label1(*this, "Label1", {}, "Selected CD Drive"),
      Check2(*this, "Check2", {}, "Visible on startup"),
      Combo1(*this, "Combo1", {}, "Combo1"),
      Check3(*this, "Check3", {}, "Show Splash Screen"),
      Check4(*this, "Check4", {}, "Minimise to Tray on Exit"),
      Timer1(*this, "Timer1", 0),
      program_(program) {}

void FrmSettings::Form_Load() {}
void FrmSettings::Form_QueryUnload(int&, int) {}

}  // namespace ventrix
