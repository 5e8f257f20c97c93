#include "program/program.h"

#include <memory>

#include "about/frm_about.h"
#include "main/frm_main.h"
#include "program/product.h"
#include "settings/frm_settings.h"
#include "splash/frm_splash.h"
#include "webupdate/frm_web_update.h"

namespace ventrix {

std::string VersionText() {
  return std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor);
}

struct Program::Forms {
  explicit Forms(Program& program)
      : main(program.runtime_, [&program] { return std::make_unique<FrmMain>(program); }),
        settings(program.runtime_, [&program] { return std::make_unique<FrmSettings>(program); }),
        splash(program.runtime_, [&program] { return std::make_unique<FrmSplash>(program); }),
        web_update(program.runtime_,
                   [&program] { return std::make_unique<FrmWebUpdate>(program); }),
        about(program.runtime_, [&program] { return std::make_unique<FrmAbout>(program); }) {}

  forms::FormSlot<FrmMain> main;
  forms::FormSlot<FrmSettings> settings;
  forms::FormSlot<FrmSplash> splash;
  forms::FormSlot<FrmWebUpdate> web_update;
  forms::FormSlot<FrmAbout> about;
};

Program::Program(const Platform& platform)
    : platform_(platform),
      runtime_(platform.ui, kProgramTitle, &platform.contrast),
      forms_(std::make_unique<Forms>(*this)) {}

Program::~Program() {
  // Windows go before the runtime they were realised with.
  runtime_.End();
  forms_.reset();
}

void Program::Start() {
  runtime_.Dispatch([this] { frmMain(); });
}

void Program::HandOver(HandedCommand command, std::function<void(int)> answer,
                       std::function<bool()> still_wanted, std::string drive) {
  runtime_.Raise(forms::EventKind::kHandedCommand,
                 [this, command, answer = std::move(answer), still_wanted = std::move(still_wanted),
                  drive = std::move(drive)] {
                   if (still_wanted && !still_wanted()) return;
                   const int exit_code = frmMain().RunHandedCommand(command, drive);
                   if (answer) answer(exit_code);
                 });
}

FrmMain& Program::frmMain() { return forms_->main(); }
FrmSettings& Program::frmSettings() { return forms_->settings(); }
FrmSplash& Program::frmSplash() { return forms_->splash(); }
FrmWebUpdate& Program::frmWebUpdate() { return forms_->web_update(); }
FrmAbout& Program::frmAbout() { return forms_->about(); }

FrmMain* Program::LoadedMain() const { return forms_->main.get(); }
FrmSettings* Program::LoadedSettings() const { return forms_->settings.get(); }
FrmSplash* Program::LoadedSplash() const { return forms_->splash.get(); }
FrmWebUpdate* Program::LoadedWebUpdate() const { return forms_->web_update.get(); }
FrmAbout* Program::LoadedAbout() const { return forms_->about.get(); }

}  // namespace ventrix
