#include "about/frm_about.h"

#include "program/program.h"

namespace ventrix {

FrmAbout::FrmAbout(Program& program) : forms::Form(program.runtime(), "frmAbout", {}), program_(program) {}

}  // namespace ventrix
