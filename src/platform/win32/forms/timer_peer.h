#pragma once
// Timers (SetTimer on the form window, identified by the control's id) and lines (painted by
// the form window itself): controls without a window of their own.

#include "platform/forms/line.h"
#include "platform/forms/timer.h"
#include "platform/win32/forms/native_control.h"

namespace ventrix::win32::ui {

class TimerPeer : public NativeControl {
 public:
  TimerPeer(FormWindow& host, forms::Timer& timer, int id);
  ~TimerPeer() override;

  void OnTimer() override;

 protected:
  void SyncKind(forms::Change change) override;

 private:
  // Set while the timer runs (enabled, with an interval, not paused); killed otherwise.
  void Arm();

  forms::Timer& timer_;
};

class LinePeer : public NativeControl {
 public:
  LinePeer(FormWindow& host, forms::Line& line, int id) : NativeControl(host, line, id) {}

 protected:
  void SyncKind(forms::Change change) override;
};

}  // namespace ventrix::win32::ui
