#pragma once
// A timer that ticks every interval while enabled, from its form's creation.

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

  // Runs on a tick; ticks arrive only while the window thread is idle.
  std::function<void()> on_timer;

 private:
  int interval_ms_;
};

}  // namespace ventrix::forms
