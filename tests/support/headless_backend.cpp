#include "tests/support/headless_backend.h"

#include <algorithm>
#include <memory>

#include "platform/forms/runtime.h"

namespace ventrix::testing {

class HeadlessFormPeer : public forms::FormPeer {
 public:
  HeadlessFormPeer(HeadlessBackend& backend, forms::Form& form, WindowHandle handle)
      : backend_(backend), form_(form), handle_(handle) {}
  void Sync(forms::FormChange change) override {
    if (change != forms::FormChange::kVisible) return;
    // As on Win32, a window shown is activated and takes the focus unless asked not to.
    if (form_.Visible() && form_.ShowActivates()) backend_.focused_ = &form_;
    if (!form_.Visible() && backend_.focused_ == &form_) backend_.focused_ = nullptr;
  }
  WindowHandle Handle() override { return handle_; }
  void SetFocus() override { backend_.focused_ = &form_; }

 private:
  HeadlessBackend& backend_;
  forms::Form& form_;
  WindowHandle handle_;
};

// Follows a timer's state as SetTimer and KillTimer would.
class HeadlessTimerPeer : public forms::ControlPeer {
 public:
  HeadlessTimerPeer(HeadlessBackend& backend, const forms::Timer& timer)
      : backend_(backend), timer_(timer) {}
  void Sync(forms::Change change) override {
    if (change == forms::Change::kInterval || change == forms::Change::kEnabled ||
        change == forms::Change::kRunning) {
      backend_.Rearm(timer_);
    }
  }

 private:
  HeadlessBackend& backend_;
  const forms::Timer& timer_;
};

void HeadlessBackend::Realize(forms::Form& form) {
  const WindowHandle handle = next_handle_++;
  handles_[&form] = handle;
  form.AttachPeer(std::make_unique<HeadlessFormPeer>(*this, form, handle));
  for (forms::Control* control : form.Controls()) {
    if (control->Kind() != forms::ControlKind::kTimer) continue;
    auto* timer = static_cast<forms::Timer*>(control);
    timers_.push_back({timer, &form, now_ms + timer->Interval()});
    timer->AttachPeer(std::make_unique<HeadlessTimerPeer>(*this, *timer));
  }
}

void HeadlessBackend::Rearm(const forms::Timer& timer) {
  for (TimerState& state : timers_) {
    if (state.timer == &timer) state.next_due = now_ms + timer.Interval();
  }
}

void HeadlessBackend::Destroy(forms::Form& form) {
  std::erase_if(timers_, [&form](const TimerState& state) { return state.form == &form; });
  handles_.erase(&form);
  if (focused_ == &form) focused_ = nullptr;
}

void HeadlessBackend::MessageBox(const std::string& text, int style, const std::string& caption) {
  message_boxes.push_back({text, style, caption});
  if (message_box_open_ms > 0) Advance(message_box_open_ms);
}

void HeadlessBackend::Click(forms::CommandButton& button) {
  if (!button.Visible() || !button.Enabled()) return;
  button.Owner().runtime().Dispatch([&button] {
    if (button.on_click) button.on_click();
  });
}

void HeadlessBackend::Click(forms::CheckBox& box) {
  if (!box.Visible() || !box.Enabled()) return;
  box.Owner().runtime().Dispatch([&box] { box.UserClick(); });
}

void HeadlessBackend::Click(forms::Frame& frame) {
  frame.Owner().runtime().Dispatch([&frame] {
    if (frame.on_click) frame.on_click();
  });
}

void HeadlessBackend::Click(forms::Label& label) {
  label.Owner().runtime().Dispatch([&label] {
    if (label.on_click) label.on_click();
  });
}

void HeadlessBackend::DblClick(forms::Label& label) {
  label.Owner().runtime().Dispatch([&label] {
    if (label.on_dbl_click) label.on_dbl_click();
  });
}

void HeadlessBackend::BroadcastVolumeChange(forms::Runtime& runtime,
                                            const forms::VolumeChange& change) {
  const std::vector<forms::Form*> forms = runtime.LoadedForms();
  for (forms::Form* form : forms) {
    runtime.Dispatch([form, &change] {
      if (form->on_volume_change) form->on_volume_change(change);
    });
  }
}

void HeadlessBackend::RaiseDeviceEvent(forms::Form& form, forms::DeviceEvent event) {
  if (form.WatchedDevice().empty()) return;
  form.runtime().Dispatch([&form, event] {
    if (form.on_device_event) form.on_device_event(event);
  });
}

void HeadlessBackend::Pick(forms::ComboBox& combo, int index) {
  combo.Owner().runtime().Dispatch([&combo, index] { combo.set_list_index(index); });
}

void HeadlessBackend::Type(forms::ComboBox& combo, const std::string& text) {
  combo.Owner().runtime().Dispatch([&combo, &text] { combo.set_text(text); });
}

bool HeadlessBackend::PickMenu(forms::MenuArray& menu, std::int16_t index) {
  if (index < 0 || index >= menu.Count()) return false;
  const forms::MenuItem& item = menu[index];
  if (!item.Visible() || !item.Enabled() || item.IsSeparator()) return false;
  // The menu belongs to a form; any control's owner would do, the menu keeps none.
  for (const auto& [form, handle] : handles_) {
    (void)handle;
    for (forms::MenuArray* candidate : form->Menus()) {
      if (candidate != &menu) continue;
      form->runtime().Dispatch([&menu, index] {
        if (menu.on_click) menu.on_click(index);
      });
      return true;
    }
  }
  return false;
}

void HeadlessBackend::PressKey(forms::Form& form, char key) {
  form.runtime().Dispatch([&form, key] {
    if (form.on_key_press) form.on_key_press(key);
  });
}

void HeadlessBackend::CloseBox(forms::Form& form) {
  form.runtime().Dispatch([&form] { form.runtime().Unload(form, forms::kFormControlMenu); });
}

void HeadlessBackend::PressEscape(forms::Form& form) {
  for (forms::Control* control : form.Controls()) {
    if (control->Kind() != forms::ControlKind::kButton) continue;
    auto& button = static_cast<forms::CommandButton&>(*control);
    if (!button.IsCancel() || !button.Visible() || !button.Enabled()) continue;
    Click(button);
    return;
  }
  if (form.Design().escape_closes) CloseBox(form);
}

void HeadlessBackend::Advance(int milliseconds) {
  const long long target = now_ms + milliseconds;
  for (;;) {
    auto due = timers_.end();
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
      if (!it->timer->Running() || it->next_due > target) continue;
      if (due == timers_.end() || it->next_due < due->next_due) due = it;
    }
    if (due == timers_.end()) break;
    now_ms = due->next_due;
    due->next_due += due->timer->Interval();
    // May add timers (a form loaded by the tick): the iterator is not used again.
    due->timer->Elapsed();
  }
  // A message box shown by a tick may have moved the clock further already.
  now_ms = std::max(now_ms, target);
}

WindowHandle HeadlessBackend::HandleOf(const forms::Form& form) const {
  auto it = handles_.find(&form);
  return it == handles_.end() ? kNoWindow : it->second;
}

}  // namespace ventrix::testing
