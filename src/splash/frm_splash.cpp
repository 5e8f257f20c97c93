#include "splash/frm_splash.h"

#include "program/program.h"

namespace ventrix {

// Placeholder construction; the window's design lands with the splash feature.
FrmSplash::FrmSplash(Program& program)
    : forms::Form(program.runtime(), "frmSplash", {}),
      Timer1(*this, "Timer1", 0),
      Frame1(*this, "Frame1", {}),
      lblProductName(*this, "lblProductName", {}, "Product name", &Frame1),
      lblplatform(*this, "lblplatform", {}, "Platform", &Frame1),
      lblVersion(*this, "lblVersion", {}, "Version", &Frame1),
      lblCopyright(*this, "lblCopyright", {}, "Copyright", &Frame1),
      lblCompany(*this, "lblCompany", {}, "Created by", &Frame1),
      lblwebaddress(*this, "lblwebaddress", {}, "website address", &Frame1),
      imgLogo(*this, "imgLogo", {}, &Frame1),
      program_(program) {}

void FrmSplash::Form_Load() {}

}  // namespace ventrix
