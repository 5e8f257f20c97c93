#include "main/frm_main.h"

#include "program/program.h"

namespace ventrix {

FrmMain::FrmMain(Program& program) : forms::Form(program.runtime(), "frmMain", {}), program_(program) {}

}  // namespace ventrix
