#pragma once
// A timer that ticks every interval while enabled, from its form's creation. A timer whose tick
// changed nothing pauses, so an idle program, shown or hidden, is not woken for nothing; the
// form starts it again, a full interval from then, when it changes (Form::NoteChange).

#include <functional>
#include <string>

#include "platform/forms/control.h"

namespace ventrix::forms {

class Timer : public Control {
 public:
  Timer(Form& owner, std::string name, int interval_ms)
      : Control(owner, std::move(name), ControlKind::kTimer, {}), interval_ms_(interval_ms) {}

  int Interval() const { return interval_ms_; }
  void set_interval(int interval_ms) { Set(interval_ms_, interval_ms, Change::kInterval); }

  bool Paused() const { return paused_; }
  // Whether a backend keeps it armed: enabled, with an interval, and not paused.
  bool Running() const { return Enabled() && interval_ms_ > 0 && !paused_; }
  // Starts a full interval from now, paused or not.
  void Restart();
  // Starts a full interval from now when paused; a running timer keeps its phase.
  void Resume() {
    if (paused_) Restart();
  }
  // A backend calls this each time the interval elapses: the tick runs at once, or, while a
  // handler runs (inside a message box's loop), once right after that handler returns.
  void Elapsed();

  // Runs on a tick; ticks arrive only while the window thread is idle.
  std::function<void()> on_timer;

 private:
  void Tick();

  int interval_ms_;
  bool paused_ = false;
};

}  // namespace ventrix::forms
