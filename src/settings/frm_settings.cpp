#include "settings/frm_settings.h"

#include "program/program.h"

namespace ventrix {

FrmSettings::FrmSettings(Program& program) : forms::Form(program.runtime(), "frmSettings", {}), program_(program) {}

}  // namespace ventrix
