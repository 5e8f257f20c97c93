#pragma once
// The forms runtime: loads and unloads forms, dispatches events, shows message boxes and ends
// the program.

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/forms/backend.h"
#include "platform/forms/contrast.h"
#include "platform/forms/form.h"
#include "platform/forms/geometry.h"

namespace ventrix::forms {

inline constexpr int kMsgBoxOkOnly = 0;
inline constexpr int kMsgBoxCritical = 16;
inline constexpr int kMsgBoxInformation = 64;
// The report of a failure that carries no description of its own.
inline constexpr const char* kUnknownFailure = "An unexpected error has occurred.";

// Each kind of event that reaches the program's handlers.
enum class EventKind {
  kUserInput,      // a click, double click, key press, menu pick or close box; the tray icon's
  kTimerTick,      // a timer falling due
  kHandedCommand,  // "show" or a tray operation handed over by another ventrix.exe
  kWebOutcome,     // the outcome of a web version check
};

// What happens to an event that comes while a handler runs (from inside the nested loop of a
// message box or a popup menu); with no handler running, every event runs at once.
enum class WhileHandlerRuns {
  kDropped,          // lost: the user acted on something the running handler holds
  kHeldUnderItsKey,  // runs after the handler; more of it under the same key merge into one
  kHeld,             // runs after the handler, every one of them, in the order they came
};

// The one table of those rules.
WhileHandlerRuns WhatHappensTo(EventKind kind);

class Runtime {
 public:
  // default_caption: the program title, which a message box shown without a caption carries;
  // contrast: where the high-contrast state comes from (none: always off).
  explicit Runtime(Backend& backend, std::string default_caption = {},
                   ContrastSetting* contrast = nullptr)
      : backend_(backend), default_caption_(std::move(default_caption)), contrast_(contrast) {
    ReadContrast();
  }
  ~Runtime();
  Runtime(const Runtime&) = delete;
  Runtime& operator=(const Runtime&) = delete;

  Backend& backend() const { return backend_; }

  // Asks the contrast setting again (at start, and when the system's colours or settings
  // change); true when the state changed.
  bool ReadContrast();
  bool HighContrast() const { return high_contrast_; }
  // The colour to paint a control's `fixed` colour with: `system` while high contrast is on,
  // `fixed` itself otherwise. The default colour and system colours stay as they are.
  Color Shown(Color fixed, Color system) const;

  // Realises the form's window and runs its Form_Load.
  void Load(Form& form);
  // Runs Form_QueryUnload then Form_Unload (either may cancel), destroys the window and hands
  // the object to its slot; the object itself is destroyed once no handler is running.
  void Unload(Form& form, int unload_mode);
  void MsgBox(const std::string& text, int style = kMsgBoxOkOnly, const std::string& caption = {});
  // Ends the program at once: every window closes and no further handler runs.
  void End();
  bool Ended() const { return ended_; }

  // Every user event and timer tick enters through here: nothing runs after End, and a failure
  // in a handler is reported and ends the program instead of unwinding into the backend. When
  // the outermost handler is done, the backend hears of it (Backend::DispatchEnded).
  void Dispatch(const std::function<void()>& event);
  // Every event enters through here, and WhatHappensTo decides what becomes of it while a
  // handler runs. `key` (a timer) merges held repeats; `owner` is the form whose unload drops
  // the held event (nullptr for none).
  void Raise(EventKind kind, std::function<void()> event, const void* key = nullptr,
             const Form* owner = nullptr);
  // True while a handler runs: a backend holds back events (timer ticks included) that would
  // otherwise interrupt it from inside a nested message loop, such as a message box's.
  bool Dispatching() const { return dispatch_depth_ > 0; }
  // For an event that must not be lost (a timer tick, a web check's outcome, a command handed
  // over by a second start): runs it at once when no handler runs; otherwise holds it and runs
  // it right after the outermost handler returns, in the order held. While one event waits
  // under a key, holding another under the same key adds nothing, so a timer that falls due
  // twice inside a message box ticks once after it; events held under a null key are all kept.
  // The held events of a form are dropped when it unloads (owner; nullptr for none), an event
  // for a form no longer loaded is dropped at once, and all of them when the program ends.
  void DispatchWhenIdle(const void* key, const Form* owner, std::function<void()> event);
  // Forgets the event held under a key, if any: what it would have done is no longer due.
  void DropHeld(const void* key);
  // How many events are held (for tests).
  std::size_t HeldEvents() const { return held_.size(); }

  // Forms currently loaded, in load order.
  const std::vector<Form*>& LoadedForms() const { return loaded_; }
  // Keeps an unloaded form alive until no handler is on the stack.
  void Discard(std::unique_ptr<Form> form);

 private:
  void CollectUnloaded();
  void RunHeld();

  struct HeldEvent {
    const void* key;
    const Form* owner;
    std::function<void()> event;
  };

  Backend& backend_;
  std::string default_caption_;
  ContrastSetting* contrast_;
  bool high_contrast_ = false;
  std::vector<Form*> loaded_;
  std::vector<Form*> unloading_;
  std::vector<std::unique_ptr<Form>> unloaded_;
  std::vector<HeldEvent> held_;  // in arrival order; a handful at most
  bool running_held_ = false;
  int dispatch_depth_ = 0;
  bool ended_ = false;
};

// One instance of a form: created and loaded on first reference, created afresh after unload.
template <class T>
class FormSlot {
 public:
  FormSlot(Runtime& runtime, std::function<std::unique_ptr<T>()> make)
      : runtime_(runtime), make_(std::move(make)) {}

  T& operator()() {
    if (!form_) {
      form_ = make_();
      form_->on_discard = [this] { runtime_.Discard(std::move(form_)); };
      runtime_.Load(*form_);
    }
    return *form_;
  }
  bool Loaded() const { return form_ != nullptr; }
  T* get() const { return form_.get(); }

 private:
  Runtime& runtime_;
  std::function<std::unique_ptr<T>()> make_;
  std::unique_ptr<T> form_;
};

}  // namespace ventrix::forms
