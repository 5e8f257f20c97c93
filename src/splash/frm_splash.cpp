#include "splash/frm_splash.h"

#include "program/program.h"

namespace ventrix {

FrmSplash::FrmSplash(Program& program) : forms::Form(program.runtime(), "frmSplash", {}), program_(program) {}

}  // namespace ventrix
