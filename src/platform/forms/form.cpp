#include "platform/forms/form.h"

#include "platform/forms/control.h"
#include "platform/forms/menu.h"
#include "platform/forms/runtime.h"
#include "platform/forms/timer.h"

namespace ventrix::forms {

Form::Form(Runtime& runtime, std::string name, FormDesign design)
    : runtime_(runtime),
      name_(std::move(name)),
      design_(std::move(design)),
      caption_(design_.caption),
      icon_(design_.icon) {}

Form::~Form() = default;

template <class F>
void Form::ForEachTimer(F restart) {
  for (Control* control : controls_) {
    if (control->Kind() == ControlKind::kTimer) restart(static_cast<Timer&>(*control));
  }
}

void Form::set_caption(const std::string& caption) {
  if (caption_ == caption) return;
  caption_ = caption;
  if (peer_) peer_->Sync(FormChange::kCaption);
  NoteChange();
}

void Form::set_icon(int icon_id) {
  if (icon_ == icon_id) return;
  icon_ = icon_id;
  if (peer_) peer_->Sync(FormChange::kIcon);
  NoteChange();
}

void Form::set_visible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  if (peer_) peer_->Sync(FormChange::kVisible);
  // Counted, but no restart: a form shown starts only its paused timers (the running ones keep
  // their phase), and one hidden keeps them running until a tick finds nothing to do.
  ++changes_;
  if (visible_) ForEachTimer([](Timer& timer) { timer.Resume(); });
}

// Not a change of what the form shows: its timers go on as they were.
void Form::set_watched_device(const std::string& device_path) {
  if (watched_device_ == device_path) return;
  watched_device_ = device_path;
  if (peer_) peer_->Sync(FormChange::kWatchedDevice);
}

void Form::NoteChange() {
  ++changes_;
  ForEachTimer([](Timer& timer) { timer.Restart(); });
}

void Form::ShowWithoutActivation() {
  show_activates_ = false;
  set_visible(true);
  show_activates_ = true;
}

void Form::SetFocus() {
  if (peer_) peer_->SetFocus();
}

WindowHandle Form::hWnd() const { return peer_ ? peer_->Handle() : kNoWindow; }

void Form::Unload() { runtime_.Unload(*this, kFormCode); }

void Form::DetachPeer() {
  for (Control* control : controls_) control->DetachPeer();
  for (MenuArray* menu : menus_) menu->DetachPeer();
  peer_.reset();
}

}  // namespace ventrix::forms
