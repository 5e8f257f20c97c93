#pragma once
// A forms backend without windows: tests act as the user (clicks, menu picks, keys, close boxes,
// a virtual clock for timers) and read back control state and the message boxes shown.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/forms/backend.h"
#include "platform/forms/check_box.h"
#include "platform/forms/combo_box.h"
#include "platform/forms/command_button.h"
#include "platform/forms/form.h"
#include "platform/forms/frame.h"
#include "platform/forms/label.h"
#include "platform/forms/menu.h"
#include "platform/forms/runtime.h"
#include "platform/forms/timer.h"

namespace ventrix::testing {

struct ShownMessageBox {
  std::string text;
  int style = 0;
  std::string caption;
};

class HeadlessBackend : public forms::Backend {
 public:
  void Realize(forms::Form& form) override;
  void Destroy(forms::Form& form) override;
  void MessageBox(const std::string& text, int style, const std::string& caption) override;
  void Quit() override { quit = true; }
  void DispatchEnded() override { ++dispatches_ended; }

  // User actions; each goes through the runtime's dispatch like a real event.
  void Click(forms::CommandButton& button);
  void Click(forms::CheckBox& box);
  void Click(forms::Frame& frame);
  void Click(forms::Label& label);
  void DblClick(forms::Label& label);
  void Pick(forms::ComboBox& combo, int index);
  void Type(forms::ComboBox& combo, const std::string& text);
  // Picks a menu item as a user can: only a visible and enabled item responds.
  bool PickMenu(forms::MenuArray& menu, std::int16_t index);
  void PressKey(forms::Form& form, char key);
  // The system's announcement of a volume change, to every loaded form as to every top-level
  // window.
  void BroadcastVolumeChange(forms::Runtime& runtime, const forms::VolumeChange& change);
  // An event of the device the form watches, as the system sends it to a window registered for
  // the device; nothing reaches a form that watches none.
  void RaiseDeviceEvent(forms::Form& form, forms::DeviceEvent event);
  // The system asks to remove the watched device: the backend lets the watch go.
  void QueryRemoveWatched(forms::Form& form) { form.WatchDropped(); }
  // The close box (UnloadMode kFormControlMenu).
  void CloseBox(forms::Form& form);
  // Esc: the visible and enabled cancel button's click, or else the close box of a form
  // designed so (FormDesign::escape_closes), as the win32 backend does.
  void PressEscape(forms::Form& form);
  // Moves the virtual clock on, firing every timer tick that falls due, in time order. A timer
  // that is paused, disabled or without an interval falls due no more; one started afresh falls
  // due a full interval after the moment it was started.
  void Advance(int milliseconds);

  WindowHandle HandleOf(const forms::Form& form) const;
  const forms::Form* Focused() const { return focused_; }

  std::vector<ShownMessageBox> message_boxes;
  // How long each message box stays up on the virtual clock: the clock moves on that much
  // before the box returns, and timers fall due meanwhile as under a real box's message loop.
  int message_box_open_ms = 0;
  bool quit = false;
  int dispatches_ended = 0;
  long long now_ms = 0;

 private:
  friend class HeadlessFormPeer;
  friend class HeadlessTimerPeer;
  struct TimerState {
    forms::Timer* timer;
    forms::Form* form;
    long long next_due;
  };

  // The timer's next tick falls due a full interval from now.
  void Rearm(const forms::Timer& timer);

  std::vector<TimerState> timers_;
  std::map<const forms::Form*, WindowHandle> handles_;
  WindowHandle next_handle_ = 0x1000;
  const forms::Form* focused_ = nullptr;
};

}  // namespace ventrix::testing
