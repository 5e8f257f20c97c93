#include "webupdate/frm_web_update.h"

#include "program/program.h"

namespace ventrix {

FrmWebUpdate::FrmWebUpdate(Program& program) : forms::Form(program.runtime(), "frmWebUpdate", {}), program_(program) {}

}  // namespace ventrix
