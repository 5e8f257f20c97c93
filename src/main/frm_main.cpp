#include "main/frm_main.h"

#include "program/program.h"

namespace ventrix {

// Placeholder construction; the window's design lands with the main window feature.
FrmMain::FrmMain(Program& program)
    : forms::Form(program.runtime(), "frmMain", {}),
      Label1(*this, "Label1", {}, "Ready"),
      Timer1(*this, "Timer1", 0),
      mnufile(*this, "mnufiletop", "&File", "mnufile", {{"&Close"}}),
      mnuoperations(*this, "mnuoperationsTop", "&Operations", "mnuoperations", {}),
      mnuoptions(*this, "mnuoptionsTop", "&Options", "mnuoptions", {}),
      mnuHelp(*this, "mnuhelpTop", "&Help", "mnuHelp", {}),
      program_(program) {}

FrmMain::~FrmMain() = default;
void FrmMain::Form_Load() {}
void FrmMain::Form_QueryUnload(int&, int) {}
void FrmMain::Form_Unload(int&) {}

}  // namespace ventrix
