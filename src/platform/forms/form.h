#pragma once
// A window of the program: its design, its controls and menus, and its lifecycle handlers.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms/geometry.h"
#include "platform/types.h"

namespace ventrix::forms {

class Control;
class MenuArray;
class Runtime;
class Timer;

enum class BorderStyle { kNone, kFixedSingle, kFixedDialog };

// Why a form is unloading (the UnloadMode passed to Form_QueryUnload).
inline constexpr int kFormControlMenu = 0;  // close box, system menu, Alt+F4
inline constexpr int kFormCode = 1;         // the program asked for it
inline constexpr int kAppWindows = 2;       // the session is ending

// A design states only what differs from these defaults: a fixed single border, a title bar
// with the close box, no minimise or maximise button.
struct FormDesign {
  std::string caption;
  int client_width = 0;  // twips
  int client_height = 0;
  BorderStyle border = BorderStyle::kFixedSingle;
  bool title_bar = true;
  bool control_box = true;  // close box and system menu
  bool min_button = false;
  bool max_button = false;
  bool show_in_taskbar = true;
  int icon = 0;  // icon resource id
  // Esc, when no cancel button answers it, acts as the close box.
  bool escape_closes = false;
};

enum class FormChange { kCaption, kVisible, kIcon, kWatchedDevice };

// A volume arrived or left, as the system announces it to every top-level window: a drive
// plugged in or out, or (media) a disc put into or taken out of a drive.
struct VolumeChange {
  bool arrived = false;
  std::uint32_t drives = 0;  // one bit per drive letter, A: in bit 0
  bool media = false;
};

// What the system reports of a watched device (see Form::set_watched_device): its eject button
// pressed while the media is locked, a disc put in, a disc taken out.
enum class DeviceEvent { kEjectRequest, kMediaArrived, kMediaRemoved };

class FormPeer {
 public:
  virtual ~FormPeer() = default;
  virtual void Sync(FormChange change) = 0;
  // The native handle; a backend that creates windows late creates this one now.
  virtual WindowHandle Handle() = 0;
  virtual void SetFocus() = 0;
};

class Form {
 public:
  Form(Runtime& runtime, std::string name, FormDesign design);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  // Lifecycle handlers; a non-zero Cancel keeps the form loaded.
  virtual void Form_Load() {}
  virtual void Form_QueryUnload(int& Cancel, int UnloadMode) {
    (void)Cancel;
    (void)UnloadMode;
  }
  virtual void Form_Unload(int& Cancel) { (void)Cancel; }
  // A key that produces a character, pressed while the form is active.
  std::function<void(char key)> on_key_press;
  // A volume change (see VolumeChange), shown or hidden.
  std::function<void(const VolumeChange& change)> on_volume_change;
  // An event of the watched device, shown or hidden.
  std::function<void(DeviceEvent event)> on_device_event;

  const std::string& Name() const { return name_; }
  const FormDesign& Design() const { return design_; }
  Runtime& runtime() const { return runtime_; }

  const std::string& Caption() const { return caption_; }
  void set_caption(const std::string& caption);
  int Icon() const { return icon_; }
  void set_icon(int icon_id);
  bool Visible() const { return visible_; }
  void set_visible(bool visible);
  void Show() { set_visible(true); }
  // Shows the form without activating it: the keyboard focus stays where it was.
  void ShowWithoutActivation();
  // False only while a ShowWithoutActivation is being applied to the native window.
  bool ShowActivates() const { return show_activates_; }
  void Hide() { set_visible(false); }
  void SetFocus();
  // The device whose own events the form hears (a device path such as \\.\D:), or empty text
  // for none. The backend holds a handle to it registered with the system while it is watched.
  const std::string& WatchedDevice() const { return watched_device_; }
  void set_watched_device(const std::string& device_path);
  // The backend let the device go: the system is removing it. Nothing is watched until the
  // form is told a device again.
  void WatchDropped() { watched_device_.clear(); }
  // The native window handle, for platform calls; kNoWindow before the form is realised.
  WindowHandle hWnd() const;
  // Unloads the form from code (UnloadMode kFormCode).
  void Unload();

  // Counts a change of the form's own state or of one of its controls or menu items. Each
  // change starts the form's timers afresh, a full interval from now: what the change left (a
  // status text) stays exactly one interval, and a timer paused for lack of work runs again
  // (see Timer::Tick).
  void NoteChange();
  // The changes counted so far; a timer compares it across its tick.
  std::uint64_t ChangeCount() const { return changes_; }

  const std::vector<Control*>& Controls() const { return controls_; }
  const std::vector<MenuArray*>& Menus() const { return menus_; }
  void Register(Control* control) { controls_.push_back(control); }
  void Register(MenuArray* menu) { menus_.push_back(menu); }

  void AttachPeer(std::unique_ptr<FormPeer> peer) { peer_ = std::move(peer); }
  FormPeer* Peer() const { return peer_.get(); }
  void DetachPeer();

  // Set by the form's slot: hands the object over when the form has been unloaded.
  std::function<void()> on_discard;

 private:
  Runtime& runtime_;
  std::string name_;
  FormDesign design_;
  std::string caption_;
  int icon_;
  bool visible_ = false;
  std::string watched_device_;
  // Calls restart(timer) for each of the form's timers.
  template <class F>
  void ForEachTimer(F restart);

  bool show_activates_ = true;
  std::vector<Control*> controls_;
  std::vector<MenuArray*> menus_;
  std::unique_ptr<FormPeer> peer_;
  std::uint64_t changes_ = 0;
};

}  // namespace ventrix::forms
