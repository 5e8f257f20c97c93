#pragma once
// What the forms backend tests share: a sample form with one control of every kind, a fixture
// that loads it on the win32 backend, and helpers that read the native windows behind it.

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/components/hyperlink.h"
#include "platform/forms/check_box.h"
#include "platform/forms/combo_box.h"
#include "platform/forms/command_button.h"
#include "platform/forms/frame.h"
#include "platform/forms/label.h"
#include "platform/forms/line.h"
#include "platform/forms/menu.h"
#include "platform/forms/picture.h"
#include "platform/forms/runtime.h"
#include "platform/forms/timer.h"
#include "platform/win32/forms/backend_win32.h"
#include "platform/win32/forms/native_control.h"
#include "tests/support/fake_services.h"

namespace ventrix::win32 {

inline constexpr int kClientWidthTwips = 4500;
inline constexpr int kClientHeightTwips = 3600;

forms::FormDesign SampleDesign();

class SampleForm : public forms::Form {
 public:
  SampleForm(forms::Runtime& runtime, Shell& shell);

  void Form_QueryUnload(int& Cancel, int UnloadMode) override {
    events.push_back("Form_QueryUnload " + std::to_string(UnloadMode));
    Cancel = cancel_unload ? 1 : 0;
  }
  void Form_Unload(int& Cancel) override {
    (void)Cancel;
    events.push_back("Form_Unload");
  }

  forms::Frame Frame1;
  forms::Label Label1;
  forms::Label lblplatform;
  forms::Image imgLogo;
  forms::PictureBox picIcon;
  forms::CheckBox Check1;
  forms::ComboBox Combo1;
  forms::CommandButton cmdOK;
  forms::CommandButton cmdCancel;
  forms::Line Line0;
  forms::Line Line1;
  Hyperlink link;
  forms::Timer Timer1;
  forms::MenuArray mnufile;
  forms::MenuArray mnuoperations;
  forms::MenuArray mnuHelp;

  std::vector<std::string> events;
  int ticks = 0;
  bool cancel_unload = false;
  std::function<void()> during_ok;
};

ui::NativeControl* PeerOf(const forms::Control& control);
HWND NativeOf(const forms::Control& control);
HWND WindowOf(const forms::Form& form);
// The icon a window shows at the given size: its own, or else its class's.
HICON ShownIcon(HWND window, bool big);
HFONT FontOf(HWND window);
// A control's notification, as the control itself sends it to the form.
void Notify(const forms::Form& form, const forms::Control& control, int code);
std::string TextOf(HWND window);
std::string MenuText(HMENU menu, int position);
// Runs the window thread's messages until done() or the time is up.
void PumpUntil(std::chrono::milliseconds limit, const std::function<bool()>& done);

class FormsBackendTest : public ::testing::Test {
 protected:
  void SetUp() override { runtime.Load(*form); }

  Win32Backend backend{GetModuleHandleA(nullptr)};
  // Wine always reports high contrast off; tests turn it on here.
  testing::FakeContrastSetting contrast;
  forms::Runtime runtime{backend, {}, &contrast};
  testing::FakeShell shell;
  std::unique_ptr<SampleForm> form = std::make_unique<SampleForm>(runtime, shell);
};

}  // namespace ventrix::win32
