#include "platform/forms/runtime.h"

#include <algorithm>
#include <exception>

namespace ventrix::forms {

namespace {

// Keeps the dispatch depth right however the handler leaves.
class DepthGuard {
 public:
  explicit DepthGuard(int& depth) : depth_(depth) { ++depth_; }
  ~DepthGuard() { --depth_; }
  DepthGuard(const DepthGuard&) = delete;
  DepthGuard& operator=(const DepthGuard&) = delete;

 private:
  int& depth_;
};

}  // namespace

WhileHandlerRuns WhatHappensTo(EventKind kind) {
  switch (kind) {
    case EventKind::kUserInput:
      return WhileHandlerRuns::kDropped;
    case EventKind::kTimerTick:
      return WhileHandlerRuns::kHeldUnderItsKey;
    case EventKind::kHandedCommand:
    case EventKind::kWebOutcome:
      break;
  }
  return WhileHandlerRuns::kHeld;
}

Runtime::~Runtime() = default;

bool Runtime::ReadContrast() {
  const bool high_contrast = contrast_ != nullptr && contrast_->HighContrastOn();
  const bool changed = high_contrast != high_contrast_;
  high_contrast_ = high_contrast;
  return changed;
}

Color Runtime::Shown(Color fixed, Color system) const {
  // The default colour carries the system colour flag too.
  if (!high_contrast_ || (fixed & kSystemColorFlag) != 0) return fixed;
  return system;
}

void Runtime::Raise(EventKind kind, std::function<void()> event, const void* key,
                    const Form* owner) {
  switch (WhatHappensTo(kind)) {
    case WhileHandlerRuns::kDropped:
      if (!ended_ && !Dispatching()) Dispatch(event);
      return;
    case WhileHandlerRuns::kHeldUnderItsKey:
      DispatchWhenIdle(key, owner, std::move(event));
      return;
    case WhileHandlerRuns::kHeld:
      DispatchWhenIdle(nullptr, owner, std::move(event));
      return;
  }
}

void Runtime::Load(Form& form) {
  backend_.Realize(form);
  loaded_.push_back(&form);
  form.Form_Load();
}

void Runtime::Unload(Form& form, int unload_mode) {
  if (ended_ || std::find(loaded_.begin(), loaded_.end(), &form) == loaded_.end()) return;
  // An unload asked for while the form is already unloading has no further effect.
  if (std::find(unloading_.begin(), unloading_.end(), &form) != unloading_.end()) return;
  unloading_.push_back(&form);
  int cancel = 0;
  form.Form_QueryUnload(cancel, unload_mode);
  if (!ended_ && cancel == 0) form.Form_Unload(cancel);
  std::erase(unloading_, &form);
  if (ended_ || cancel != 0) return;
  // A handler may have unloaded the form meanwhile.
  auto it = std::find(loaded_.begin(), loaded_.end(), &form);
  if (it == loaded_.end()) return;
  loaded_.erase(it);
  std::erase_if(held_, [&form](const HeldEvent& held) { return held.owner == &form; });
  backend_.Destroy(form);
  form.DetachPeer();
  if (form.on_discard) form.on_discard();
}

void Runtime::MsgBox(const std::string& text, int style, const std::string& caption) {
  if (ended_) return;
  backend_.MessageBox(text, style, caption.empty() ? default_caption_ : caption);
}

void Runtime::End() {
  if (ended_) return;
  ended_ = true;
  held_.clear();
  for (auto it = loaded_.rbegin(); it != loaded_.rend(); ++it) {
    backend_.Destroy(**it);
    (*it)->DetachPeer();
  }
  backend_.Quit();
}

void Runtime::Dispatch(const std::function<void()>& event) {
  if (ended_) return;
  {
    DepthGuard guard(dispatch_depth_);
    try {
      event();
    } catch (const std::exception& failure) {
      MsgBox(failure.what(), kMsgBoxCritical);
      End();
    } catch (...) {
      MsgBox(kUnknownFailure, kMsgBoxCritical);
      End();
    }
  }
  if (dispatch_depth_ > 0) return;
  // Unloaded forms go first, so the backend has nothing of theirs left to update.
  CollectUnloaded();
  backend_.DispatchEnded();
  RunHeld();
}

void Runtime::DispatchWhenIdle(const void* key, const Form* owner, std::function<void()> event) {
  if (ended_) return;
  // A form unloaded by the running handler is destroyed before any held event runs, and its
  // unload has already dropped what was held for it: nothing of it may be held any more.
  if (owner != nullptr && std::find(loaded_.begin(), loaded_.end(), owner) == loaded_.end()) {
    return;
  }
  if (!Dispatching()) {
    Dispatch(event);
    return;
  }
  const bool waiting =
      key != nullptr && std::any_of(held_.begin(), held_.end(),
                                    [key](const HeldEvent& held) { return held.key == key; });
  if (!waiting) held_.push_back({key, owner, std::move(event)});
}

void Runtime::DropHeld(const void* key) {
  if (key == nullptr) return;
  std::erase_if(held_, [key](const HeldEvent& held) { return held.key == key; });
}

void Runtime::RunHeld() {
  // Each held event is an outermost handler of its own; the loop here takes them in turn, and
  // one held by such a handler joins the end of the queue.
  if (running_held_) return;
  running_held_ = true;
  while (!held_.empty() && !ended_) {
    std::function<void()> next = std::move(held_.front().event);
    held_.erase(held_.begin());
    Dispatch(next);
  }
  running_held_ = false;
}

void Runtime::Discard(std::unique_ptr<Form> form) {
  // Never destroyed here: the caller may be running inside the form's own code.
  unloaded_.push_back(std::move(form));
}

void Runtime::CollectUnloaded() { unloaded_.clear(); }

}  // namespace ventrix::forms
