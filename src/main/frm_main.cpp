#include "main/frm_main.h"

#include "main/frm_main_layout.h"
#include "program/product.h"
#include "program/program.h"
#include "program/resource_ids.h"

namespace ventrix {

namespace {

using namespace main_layout;

forms::FormDesign MainDesign() {
  return {.caption = kAppTitle,
          .client_width = kClientWidth,
          .client_height = kClientHeight,
          .min_button = true,
          .icon = IDI_VENTRIX};
}

TrayIconDesign TrayDesign() {
  TrayIconDesign design;
  design.icon = IDI_VENTRIX;
  design.tooltip = kTrayToolTip;
  design.visible = true;
  design.balloontitle = kAppTitle;
  design.balloonicon = kBalloonIconInfo;
  return design;
}

}  // namespace

FrmMain::FrmMain(Program& program)
    : forms::Form(program.runtime(), "frmMain", MainDesign()),
      Label1(*this, "Label1", kLabel1Rect, kReadyText),
      Timer1(*this, "Timer1", kTimer1IntervalMs),
      mnufile(*this, "mnufiletop", "&File", "mnufile", {{kFileCloseCaption}}),
      mnuoperations(*this, "mnuoperationsTop", "&Operations", "mnuoperations",
                    {{"&Eject Drive"}, {"&Close Drive"}, {"&Lock Drive"}, {"&Unlock Drive"}}),
      mnuoptions(*this, "mnuoptionsTop", "&Options", "mnuoptions", {{"&Settings"}}),
      mnuHelp(*this, "mnuhelpTop", "&Help", "mnuHelp",
              {{"&Contents...", false},
               {"&Index...", false},
               {"-", false},
               {"Check for Update"},
               {"Visit Website"},
               {"-"},
               {"&About"}}),
      program_(program),
      drive_locks_(program.platform().settings) {
  forms::Font status_font;
  status_font.name = kLabel1FontName;
  status_font.points = kLabel1FontPoints;
  status_font.bold = true;
  Label1.set_font(status_font);
  Label1.set_tooltip(kLabel1ToolTip);
  Label1.on_dbl_click = [this] { Label1_DblClick(); };
  Timer1.on_timer = [this] { Timer1_Timer(); };
  on_volume_change = [this](const forms::VolumeChange& change) { Form_VolumeChange(change); };
  on_device_event = [this](forms::DeviceEvent event) { Form_DeviceEvent(event); };

  mnufile.on_click = [this](std::int16_t index) { mnufile_Click(index); };
  mnuoperations.on_click = [this](std::int16_t index) { mnuoperations_Click(index); };
  mnuoptions.on_click = [this](std::int16_t index) { mnuoptions_Click(index); };
  mnuHelp.on_click = [this](std::int16_t index) { mnuHelp_Click(index); };

  // The icon belongs to the window from its creation, shown or hidden. It has an owner window
  // of its own: this window is not realised yet, so there is no handle to give it.
  NotifyIconCtrl1 = program_.platform().tray_icons.Create(TrayDesign(), kNoWindow);
  if (NotifyIconCtrl1) {
    NotifyIconCtrl1->on_click = [this](std::int16_t button) {
      RaiseTrayEvent([this, button] { NotifyIconCtrl1_Click(button); });
    };
    NotifyIconCtrl1->on_dbl_click = [this](std::int16_t button) {
      RaiseTrayEvent([this, button] { NotifyIconCtrl1_DblClick(button); });
    };
  }
}

// The icon's notifications enter through the runtime like every other user input: a click
// that arrives while a handler is running (inside the icon's own popup menu or a message box)
// is dropped instead of interrupting that handler.
void FrmMain::RaiseTrayEvent(const std::function<void()>& event) {
  program_.runtime().Raise(forms::EventKind::kUserInput, event);
}

FrmMain::~FrmMain() = default;

// Whatever closes the main window ends the program at once, saving nothing.
void FrmMain::Form_QueryUnload(int&, int) { program_.End(); }

void FrmMain::Form_Unload(int&) { program_.End(); }

void FrmMain::Timer1_Timer() {
  Label1.set_fore_color(kStatusGreen);
  Label1.set_caption(kReadyText);
}

}  // namespace ventrix
