#include "tests/windows/forms_backend/sample_form.h"

#include <thread>

#include "program/resource_ids.h"

namespace ventrix::win32 {
namespace {

using forms::PixelRect;

constexpr forms::Color kGreen = 0x00FF00;

}  // namespace

forms::FormDesign SampleDesign() {
  forms::FormDesign design;
  design.caption = "Forms Sample";
  design.client_width = kClientWidthTwips;
  design.client_height = kClientHeightTwips;
  design.min_button = true;
  design.icon = IDI_VENTRIX;
  return design;
}

SampleForm::SampleForm(forms::Runtime& runtime, Shell& shell)
    : Form(runtime, "frmSample", SampleDesign()),
      Frame1(*this, "Frame1", {120, 120, 2900, 1500}, "Drive"),
      Label1(*this, "Label1", {120, 300, 2600, 375}, "Ready", &Frame1),
      lblplatform(*this, "lblplatform", {120, 780, 1900, 255}, "NT 4.0, 2000 && XP", &Frame1),
      imgLogo(*this, "imgLogo", {2200, 780, 495, 465}, &Frame1),
      picIcon(*this, "picIcon", {3300, 240, 480, 480}),
      Check1(*this, "Check1", PixelRect(8, 112, 150, 17), "Always on Top"),
      Combo1(*this, "Combo1", PixelRect(8, 136, 81, 21), "Combo1"),
      cmdOK(*this, "cmdOK", PixelRect(200, 108, 88, 25), "OK"),
      cmdCancel(*this, "cmdCancel", PixelRect(200, 138, 88, 25), "Cancel"),
      Line0(*this, "Line0", 0, 2520, 4500, 2520, forms::kWhite),
      Line1(*this, "Line1", 0, 2505, 4500, 2505, forms::kGrey128),
      link(*this, "vbwHyperlink1", {120, 2700, 3990, 255}, "https://ventrix.example", shell),
      Timer1(*this, "Timer1", 0),
      mnufile(*this, "mnufiletop", "&File", "mnufile", {{"&Close"}}),
      mnuoperations(*this, "mnuoperationsTop", "&Operations", "mnuoperations",
                    {{"&Eject Drive"}, {"&Close Drive"}, {"&Lock Drive"}, {"&Unlock Drive"}}),
      mnuHelp(*this, "mnuhelpTop", "&Help", "mnuHelp",
              {{"&Contents...", false},
               {"&Index...", false},
               {"-", false},
               {"Check for Update"},
               {"Visit Website"},
               {"-"},
               {"&About"}}) {
  Label1.set_font({"Times New Roman", 12, true, false});
  Label1.set_fore_color(kGreen);
  Label1.set_tooltip("Double Click to Eject / Close Drive");
  Label1.on_dbl_click = [this] { events.push_back("Label1_DblClick"); };
  imgLogo.set_picture(IDI_VENTRIX);
  picIcon.set_picture(IDI_VENTRIX);
  link.set_LinkAddress("https://ventrix.example");
  cmdOK.set_default(true);
  cmdCancel.set_cancel(true);
  Combo1.AddItem("D:\\");
  Combo1.AddItem("E:\\");
  Frame1.on_click = [this] { events.push_back("Frame1_Click"); };
  Check1.on_click = [this] { events.push_back("Check1_Click"); };
  Combo1.on_click = [this] { events.push_back("Combo1_Click"); };
  cmdOK.on_click = [this] {
    events.push_back("cmdOK_Click");
    if (during_ok) during_ok();
  };
  cmdCancel.on_click = [this] { events.push_back("cmdCancel_Click"); };
  Timer1.on_timer = [this] { ++ticks; };
  mnuoperations.on_click = [this](std::int16_t index) {
    events.push_back("mnuoperations_Click " + std::to_string(index));
  };
}

ui::NativeControl* PeerOf(const forms::Control& control) {
  return dynamic_cast<ui::NativeControl*>(control.Peer());
}
HWND NativeOf(const forms::Control& control) {
  ui::NativeControl* peer = PeerOf(control);
  return peer != nullptr ? peer->hwnd() : nullptr;
}
HWND WindowOf(const forms::Form& form) { return reinterpret_cast<HWND>(form.hWnd()); }

HICON ShownIcon(HWND window, bool big) {
  const auto own =
      reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, big ? ICON_BIG : ICON_SMALL, 0));
  if (own != nullptr) return own;
  return reinterpret_cast<HICON>(GetClassLongPtrA(window, big ? GCLP_HICON : GCLP_HICONSM));
}

HFONT FontOf(HWND window) {
  return reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
}

void Notify(const forms::Form& form, const forms::Control& control, int code) {
  HWND child = NativeOf(control);
  SendMessageA(WindowOf(form), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(child), code),
               reinterpret_cast<LPARAM>(child));
}

std::string TextOf(HWND window) {
  char buffer[512] = {};
  GetWindowTextA(window, buffer, sizeof(buffer));
  return buffer;
}

std::string MenuText(HMENU menu, int position) {
  char buffer[128] = {};
  GetMenuStringA(menu, static_cast<UINT>(position), buffer, sizeof(buffer), MF_BYPOSITION);
  return buffer;
}

void PumpUntil(std::chrono::milliseconds limit, const std::function<bool()>& done) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!done() && std::chrono::steady_clock::now() < deadline) {
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) continue;
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

}  // namespace ventrix::win32
