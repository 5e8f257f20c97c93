#pragma once
// Base of the native peers of controls: owns the child window (if any), follows the common
// state (visible, enabled, position) and receives the notifications its form window routes.

#include <windows.h>

#include <string>

#include "platform/forms/control.h"

namespace ventrix::win32::ui {

class FormWindow;

class NativeControl : public forms::ControlPeer {
 public:
  NativeControl(FormWindow& host, forms::Control& control, int id);
  ~NativeControl() override;
  NativeControl(const NativeControl&) = delete;
  NativeControl& operator=(const NativeControl&) = delete;

  void Sync(forms::Change change) override;

  int id() const { return id_; }
  HWND hwnd() const { return hwnd_; }
  forms::Control& control() const { return control_; }

  // Notifications routed by the form window. OnCommand and OnMouseDown may raise an event,
  // after which this object may no longer exist.
  virtual void OnCommand(int code) { (void)code; }
  virtual void OnTimer() {}
  // The brush for WM_CTLCOLOR*, after setting up dc; nullptr for the system's default.
  virtual HBRUSH OnCtlColor(HDC dc) {
    (void)dc;
    return nullptr;
  }
  virtual bool ShowsHandCursor() const { return false; }
  // Buttons answer the dialog keys: Enter (IDOK) and Esc (IDCANCEL).
  virtual bool AnswersDialogKey(int dialog_id) const {
    (void)dialog_id;
    return false;
  }
  // Frames lie under the controls drawn over them.
  virtual bool LiesBelowSiblings() const { return false; }
  // The form window is being destroyed, and its children with it.
  void OnHostDestroyed() { hwnd_ = nullptr; }
  // The host's DPI changed: the control takes its font and its place at the new DPI.
  virtual void OnDpiChanged();

 protected:
  // Creates the child window at the control's place, with its visible and enabled state.
  void CreateChild(const char* class_name, const std::string& text, DWORD style, DWORD ex_style = 0,
                   void* create_param = nullptr);
  // State particular to the kind; the base handles visible, enabled and position.
  virtual void SyncKind(forms::Change change) { (void)change; }
  // Pixels the native window needs below the designed rectangle (a combo box's list).
  virtual int ExtraNativeHeight() const { return 0; }
  // Gives the child window the host's dialog font, now and again whenever the DPI changes.
  void UseDialogFont();
  RECT PixelRect() const;
  void Move();
  FormWindow& host() const { return host_; }

 private:
  FormWindow& host_;
  forms::Control& control_;
  int id_;
  HWND hwnd_ = nullptr;
  bool dialog_font_ = false;
};

}  // namespace ventrix::win32::ui
