#include "splash/frm_splash.h"

#include <string>

#include "program/product.h"
#include "program/program.h"
#include "program/resource_ids.h"
#include "splash/frm_splash_layout.h"

namespace ventrix {

namespace {

using namespace splash_layout;

constexpr const char* kDesignPlatformText = "NT 4.0, 2000 && XP";
constexpr const char* kCopyrightPrefix = "Copyright (c) ";
constexpr const char* kVersionPrefix = "Version ";

// No caption text and no task-bar button; the backend centres it on the screen.
forms::FormDesign SplashDesign() {
  return {.caption = "",
          .client_width = kClientWidth,
          .client_height = kClientHeight,
          .title_bar = false,
          .control_box = false,
          .show_in_taskbar = false,
          .icon = IDI_VENTRIX};
}

forms::Font SplashFont(double points) {
  forms::Font font;
  font.name = kFontName;
  font.points = points;
  font.bold = true;
  return font;
}

}  // namespace

FrmSplash::FrmSplash(Program& program)
    : forms::Form(program.runtime(), "frmSplash", SplashDesign()),
      Timer1(*this, "Timer1", kTimer1IntervalMs),
      Frame1(*this, "Frame1", kFrame1Rect),
      lblProductName(*this, "lblProductName", kProductNameRect, "Product name", &Frame1),
      lblplatform(*this, "lblplatform", kPlatformRect, "Platform", &Frame1),
      lblVersion(*this, "lblVersion", kVersionRect, "Version", &Frame1),
      lblCopyright(*this, "lblCopyright", kCopyrightRect, "Copyright", &Frame1),
      lblCompany(*this, "lblCompany", kCompanyRect, "Created by", &Frame1),
      lblwebaddress(*this, "lblwebaddress", kWebAddressRect, "website address", &Frame1),
      imgLogo(*this, "imgLogo", kLogoRect, &Frame1),
      program_(program) {
  lblProductName.set_font(SplashFont(kProductNamePoints));
  for (forms::Label* label :
       {&lblplatform, &lblVersion, &lblCopyright, &lblCompany, &lblwebaddress}) {
    label->set_font(SplashFont(kDetailPoints));
  }
  imgLogo.set_picture(IDI_VENTRIX);

  Timer1.on_timer = [this] { Timer1_Timer(); };
  Frame1.on_click = [this] { Frame1_Click(); };
  on_key_press = [this](char key) { Form_KeyPress(key); };
}

void FrmSplash::Form_Load() {
  lblProductName.set_caption(program_.vars().AppTitle);
  lblplatform.set_caption(kDesignPlatformText);
  // The year is read once: a splash loaded on 31 December keeps it.
  lblCopyright.set_caption(kCopyrightPrefix +
                           std::to_string(program_.platform().facts.CurrentYear()));
  lblCompany.set_caption(kAuthor);
  lblVersion.set_caption(kVersionPrefix + VersionText());
  lblwebaddress.set_caption(WebSiteUrl);
}

// Closing only hides it; it stays loaded until the program ends.
void FrmSplash::Form_QueryUnload(int& Cancel, int UnloadMode) {
  if (UnloadMode != forms::kFormControlMenu) return;
  Cancel = 1;
  Hide();
}

void FrmSplash::Form_KeyPress(char) { Hide(); }

void FrmSplash::Frame1_Click() { Hide(); }

void FrmSplash::Timer1_Timer() { Hide(); }

}  // namespace ventrix
