#pragma once
// Base of every control: a control object is its state; a backend peer mirrors it natively.

#include <memory>
#include <string>
#include <utility>

#include "platform/forms/geometry.h"

namespace ventrix::forms {

class Form;

enum class ControlKind {
  kLabel,
  kButton,
  kCheckBox,
  kComboBox,
  kFrame,
  kImage,
  kPicture,
  kLine,
  kTimer,
  kHyperlink
};

// What changed, so a peer can update only that part of the native widget.
enum class Change {
  kCaption,
  kVisible,
  kEnabled,
  kValue,
  kList,
  kSelection,
  kText,
  kFont,
  kColor,
  kRect,
  kInterval,
  kPicture,
  kToolTip,
  kRunning  // a timer paused, or started afresh
};

class ControlPeer {
 public:
  virtual ~ControlPeer() = default;
  virtual void Sync(Change change) = 0;
};

class Control {
 public:
  // Registers the control with its form; container is a frame holding it, or nullptr.
  Control(Form& owner, std::string name, ControlKind kind, Rect rect, Control* container = nullptr);
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string& Name() const { return name_; }
  ControlKind Kind() const { return kind_; }
  Form& Owner() const { return owner_; }
  Control* Container() const { return container_; }
  // Rectangle relative to the container (or the form's client area), in twips.
  const Rect& rect() const { return rect_; }
  // Rectangle relative to the form's client area, in twips.
  Rect FormRect() const;

  bool Visible() const { return visible_; }
  void set_visible(bool visible) { Set(visible_, visible, Change::kVisible); }
  bool Enabled() const { return enabled_; }
  void set_enabled(bool enabled) { Set(enabled_, enabled, Change::kEnabled); }
  int TabIndex() const { return tab_index_; }
  void set_tab_index(int tab_index) { tab_index_ = tab_index; }

  void AttachPeer(std::unique_ptr<ControlPeer> peer) { peer_ = std::move(peer); }
  ControlPeer* Peer() const { return peer_.get(); }
  void DetachPeer() { peer_.reset(); }

 protected:
  // The control's state changed: the peer follows, and the form counts it (see
  // Form::NoteChange).
  void Changed(Change change);
  // The peer alone follows: for state that is not part of what the form shows.
  void SyncPeer(Change change) {
    if (peer_) peer_->Sync(change);
  }
  template <class T>
  void Set(T& field, const T& value, Change change) {
    if (field == value) return;
    field = value;
    Changed(change);
  }

 private:
  Form& owner_;
  std::string name_;
  ControlKind kind_;
  Rect rect_;
  Control* container_;
  bool visible_ = true;
  bool enabled_ = true;
  int tab_index_ = 0;
  std::unique_ptr<ControlPeer> peer_;
};

}  // namespace ventrix::forms
