#include "platform/forms/timer.h"

#include <cstdint>

#include "platform/forms/form.h"
#include "platform/forms/runtime.h"

namespace ventrix::forms {

void Timer::Restart() {
  // A tick that fell due before the restart and waits for a handler is not due any more: the
  // full interval starts now (so a status set inside a menu stays its seven seconds).
  Owner().runtime().DropHeld(this);
  paused_ = false;
  SyncPeer(Change::kRunning);
}

void Timer::Elapsed() {
  Form& form = Owner();
  // Keyed by the timer, so ticks that fall due while a handler runs merge into one; dropped if
  // the form unloads before it runs.
  form.runtime().Raise(
      EventKind::kTimerTick, [this] { Tick(); }, this, &form);
}

void Timer::Tick() {
  const Form& form = Owner();
  const std::uint64_t changes_before = form.ChangeCount();
  if (on_timer) on_timer();
  // The next tick after one that left the form as it was would find nothing to do either, shown
  // or hidden: the timer waits for the form's next change.
  if (form.ChangeCount() != changes_before || paused_) return;
  paused_ = true;
  SyncPeer(Change::kRunning);
}

}  // namespace ventrix::forms
