#include "platform/win32/forms/form_window.h"

#include <dbt.h>

#include <algorithm>
#include <cstdint>

#include "platform/forms/failure.h"
#include "platform/forms/line.h"
#include "platform/forms/menu.h"
#include "platform/forms/runtime.h"
#include "platform/win32/dpi_win32.h"
#include "platform/win32/forms/colors.h"
#include "platform/win32/forms/fonts.h"
#include "platform/win32/forms/form_classes.h"
#include "platform/win32/forms/form_style.h"
#include "platform/win32/forms/icons.h"
#include "platform/win32/forms/ids.h"
#include "platform/win32/forms/native_control.h"
#include "platform/win32/forms/units.h"

namespace ventrix::win32::ui {

void FormWindow::RegisterWindowClass(HINSTANCE instance) {
  RegisterFormClass(instance, &WindowProcedure<FormWindow>::Thunk);
}

FormWindow* FormWindow::FromHandle(HWND window) {
  if (window == nullptr) return nullptr;
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId()) return nullptr;
  if (!IsFormClass(window)) return nullptr;
  return WindowProcedure<FormWindow>::ObjectOf(window);
}

FormWindow::FormWindow(forms::Form& form, HINSTANCE instance, FontCache& fonts,
                       DeferredWindows& deferred)
    : form_(form),
      instance_(instance),
      dpi_(SystemDpi()),
      deferred_(deferred),
      fonts_(fonts),
      dialog_font_(fonts.Get(forms::Font{}, dpi_)) {}

void FormWindow::EnsureNative() {
  if (hwnd_ != nullptr || detached_ || creating_ || !create_native_) return;
  deferred_.Remove(*this);
  // Creation sends the window messages; nothing in them may start creating it again.
  creating_ = true;
  struct Done {
    bool& creating;
    ~Done() { creating = false; }
  } done{creating_};
  create_native_();
}

void FormWindow::Create(HMENU menu_bar) {
  const forms::Form& form = form_;
  const FormStyle style = StyleFor(form.Design());
  RECT frame{0, 0, TwipsToPixels(form.Design().client_width, dpi_),
             TwipsToPixels(form.Design().client_height, dpi_)};
  // Sized for a bar of one row; FinishLayout corrects the size should it wrap.
  AdjustWindowRectForDpi(frame, style.style, menu_bar != nullptr, style.ex_style, dpi_);
  // The form's icon comes with the window's class; only a later change is sent to it.
  const std::string class_name =
      FormClassFor(instance_, &WindowProcedure<FormWindow>::Thunk, form.Icon());
  CreateWindowExA(style.ex_style, class_name.c_str(), form.Caption().c_str(), style.style, 0, 0,
                  frame.right - frame.left, frame.bottom - frame.top, nullptr, menu_bar, instance_,
                  this);
  if (hwnd_ == nullptr) throw forms::Failure("Cannot create the window " + form.Name());
  // A per-monitor aware window takes the DPI of the monitor it is on, which need not be the
  // system's; its controls, created next, follow it, and FinishLayout fits its size.
  const int dpi = WindowDpi(hwnd_);
  if (dpi == dpi_) return;
  SetDpi(dpi);
  if (form.Icon() != 0) ApplyIcon();  // the class's icons have the system DPI's sizes
}

void FormWindow::SetDpi(int dpi) {
  dpi_ = dpi;
  dialog_font_ = fonts_.Get(forms::Font{}, dpi_);
}

FormWindow::~FormWindow() { DestroyNative(); }

void FormWindow::DestroyNative() {
  detached_ = true;
  deferred_.Remove(*this);
  device_watch_.reset();
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

WindowHandle FormWindow::Handle() {
  EnsureNative();
  return reinterpret_cast<WindowHandle>(hwnd_);
}

void FormWindow::Sync(forms::FormChange change) {
  // A form shown needs its window, and so does a device watch, which the system reports to the
  // window; anything else waits for the window to be created.
  if ((change == forms::FormChange::kVisible && form_.Visible()) ||
      (change == forms::FormChange::kWatchedDevice && !form_.WatchedDevice().empty())) {
    EnsureNative();
  }
  if (hwnd_ == nullptr) return;
  switch (change) {
    case forms::FormChange::kCaption:
      SetWindowTextA(hwnd_, form_.Caption().c_str());
      break;
    case forms::FormChange::kIcon:
      ApplyIcon();
      break;
    case forms::FormChange::kVisible:
      if (form_.Visible()) {
        if (!shown_before_) CenterOnScreen();
        shown_before_ = true;
        ShowWindow(hwnd_, form_.ShowActivates() ? SW_SHOW : SW_SHOWNA);
      } else {
        ShowWindow(hwnd_, SW_HIDE);
      }
      break;
    case forms::FormChange::kWatchedDevice:
      ApplyWatch();
      break;
  }
}

void FormWindow::ApplyWatch() {
  device_watch_.reset();
  if (!detached_ && !form_.WatchedDevice().empty()) {
    device_watch_ = DeviceWatch::Start(hwnd_, form_.WatchedDevice());
  }
}

void FormWindow::SetFocus() {
  if (hwnd_ == nullptr || !IsWindowVisible(hwnd_)) return;
  // A minimised window cannot take the focus the user is being brought to it for.
  if (IsIconic(hwnd_)) ShowWindow(hwnd_, SW_RESTORE);
  SetForegroundWindow(hwnd_);
  ::SetFocus(hwnd_);
}

void FormWindow::FinishLayout() {
  FitClientArea();
  for (NativeControl* control : controls_) {
    if (control != nullptr && control->hwnd() != nullptr && control->LiesBelowSiblings()) {
      SetWindowPos(control->hwnd(), HWND_BOTTOM, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
}

void FormWindow::ChangeDpi(int dpi, const RECT& suggested) {
  if (hwnd_ == nullptr || dpi < kMinDpi || dpi > kMaxDpi) return;
  // The controls keep the previous dialog font until each has been given the new one.
  const SharedFont previous_font = dialog_font_;
  SetDpi(dpi);
  SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  for (NativeControl* control : controls_) {
    if (control != nullptr) control->OnDpiChanged();
  }
  if (tool_tip_) tool_tip_->set_dpi(dpi_);
  if (form_.Icon() != 0) ApplyIcon();
  // A menu bar that wraps differently at the new size changes the client height.
  FitClientArea();
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

bool FormWindow::ScaledSize(int dpi, SIZE& size) const {
  if (dpi < kMinDpi || dpi > kMaxDpi) return false;
  RECT frame{0, 0, TwipsToPixels(form_.Design().client_width, dpi),
             TwipsToPixels(form_.Design().client_height, dpi)};
  const auto style = static_cast<DWORD>(GetWindowLongA(hwnd_, GWL_STYLE));
  const auto ex_style = static_cast<DWORD>(GetWindowLongA(hwnd_, GWL_EXSTYLE));
  if (!AdjustWindowRectForDpi(frame, style, GetMenu(hwnd_) != nullptr, ex_style, dpi)) {
    return false;
  }
  size = {frame.right - frame.left, frame.bottom - frame.top};
  return true;
}

void FormWindow::FitClientArea() {
  RECT client{};
  GetClientRect(hwnd_, &client);
  const int missing_width = TwipsToPixels(form_.Design().client_width, dpi_) - client.right;
  const int missing_height = TwipsToPixels(form_.Design().client_height, dpi_) - client.bottom;
  if (missing_width != 0 || missing_height != 0) {
    // A menu bar (one row or wrapped) takes its height from the client area.
    RECT window{};
    GetWindowRect(hwnd_, &window);
    SetWindowPos(hwnd_, nullptr, 0, 0, window.right - window.left + missing_width,
                 window.bottom - window.top + missing_height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

ToolTip& FormWindow::tool_tip() {
  if (!tool_tip_) {
    tool_tip_ = std::make_unique<ToolTip>(hwnd_, instance_);
    tool_tip_->set_dpi(dpi_);
  }
  return *tool_tip_;
}

void FormWindow::RegisterControl(NativeControl& control) {
  const auto index = static_cast<std::size_t>(control.id() - kFirstControlId);
  if (control.id() < kFirstControlId || index >= static_cast<std::size_t>(kMaxControls)) return;
  if (controls_.size() <= index) controls_.resize(index + 1, nullptr);
  controls_[index] = &control;
}

void FormWindow::UnregisterControl(NativeControl& control) {
  std::replace(controls_.begin(), controls_.end(), &control, static_cast<NativeControl*>(nullptr));
}

NativeControl* FormWindow::ControlById(int id) const {
  const auto index = static_cast<std::size_t>(id - kFirstControlId);
  if (id < kFirstControlId || index >= controls_.size()) return nullptr;
  return controls_[index];
}

NativeControl* FormWindow::ControlByWindow(HWND child) const {
  if (child == nullptr || GetParent(child) != hwnd_) return nullptr;
  NativeControl* control = ControlById(GetDlgCtrlID(child));
  return control != nullptr && control->hwnd() == child ? control : nullptr;
}

void FormWindow::Raise(const std::function<void()>& event) {
  if (!detached_) form_.runtime().Raise(forms::EventKind::kUserInput, event);
}

void FormWindow::RaiseKeyPress(char key) {
  forms::Form& form = form_;
  Raise([&form, key] {
    if (form.on_key_press) form.on_key_press(key);
  });
}

// Volumes arriving and leaving are broadcast to every top-level window without registration
// (https://learn.microsoft.com/windows/win32/devio/wm-devicechange). The change waits for a
// running handler (a menu or message box) to return rather than being lost.
void FormWindow::OnDeviceChange(WPARAM event, LPARAM data) {
  if (detached_ || data == 0) return;
  const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(data);
  if (device_watch_ && device_watch_->Concerns(*header)) {
    OnWatchedDeviceChange(event, *header);
    return;
  }
  if (!form_.on_volume_change) return;
  if (event != DBT_DEVICEARRIVAL && event != DBT_DEVICEREMOVECOMPLETE) return;
  if (header->dbch_devicetype != DBT_DEVTYP_VOLUME ||
      header->dbch_size < sizeof(DEV_BROADCAST_VOLUME)) {
    return;
  }
  const auto* volume = reinterpret_cast<const DEV_BROADCAST_VOLUME*>(data);
  const forms::VolumeChange change{.arrived = event == DBT_DEVICEARRIVAL,
                                   .drives = volume->dbcv_unitmask,
                                   .media = (volume->dbcv_flags & DBTF_MEDIA) != 0};
  forms::Form* form = &form_;
  form_.runtime().DispatchWhenIdle(nullptr, form, [form, change] {
    if (form->on_volume_change) form->on_volume_change(change);
  });
}

// The handle must be closed and the registration dropped at the query, or the device cannot be
// removed; nothing more comes from a device removed.
void FormWindow::OnWatchedDeviceChange(WPARAM event, const DEV_BROADCAST_HDR& header) {
  switch (event) {
    case DBT_DEVICEQUERYREMOVE:
    case DBT_DEVICEREMOVEPENDING:
    case DBT_DEVICEREMOVECOMPLETE:
      device_watch_.reset();
      form_.WatchDropped();
      return;
    case DBT_CUSTOMEVENT:
      break;
    default:
      return;
  }
  const std::optional<forms::DeviceEvent> device_event = CustomDeviceEvent(header);
  if (!device_event) return;
  forms::Form* form = &form_;
  form_.runtime().DispatchWhenIdle(nullptr, form, [form, event = *device_event] {
    if (form->on_device_event) form->on_device_event(event);
  });
}

LRESULT FormWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  // After Raise (directly or through a control) this object may be gone: return at once.
  switch (message) {
    case WM_COMMAND:
      return OnCommand(wparam, lparam);
    case WM_TIMER:
      if (NativeControl* timer = ControlById(static_cast<int>(wparam))) timer->OnTimer();
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      if (NativeControl* control = ControlByWindow(reinterpret_cast<HWND>(lparam))) {
        if (HBRUSH brush = control->OnCtlColor(reinterpret_cast<HDC>(wparam))) {
          return reinterpret_cast<LRESULT>(brush);
        }
      }
      break;
    case WM_SETCURSOR: {
      // The mouse is over the form (a child passes this on first): tips may be wanted now.
      if (tool_tip_) tool_tip_->EnsureCreated();
      NativeControl* control = ControlByWindow(reinterpret_cast<HWND>(wparam));
      if (control != nullptr && control->ShowsHandCursor() && LOWORD(lparam) == HTCLIENT) {
        SetCursor(LoadCursor(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    }
    case WM_PAINT: {
      PaintScope paint(hwnd_);
      PaintLines(paint.dc());
      return 0;
    }
    case WM_CHAR:
      if (HasKeyPreview()) {
        RaiseKeyPress(static_cast<char>(wparam));
        return 0;
      }
      break;
    case WM_CLOSE:
      CloseBox();
      return 0;
    case kWmDpiChanged:
      // Both words of wParam hold the new DPI; lParam the rectangle the system suggests.
      ChangeDpi(HIWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
      return 0;
    case kWmGetDpiScaledSize:
      if (ScaledSize(static_cast<int>(wparam), *reinterpret_cast<SIZE*>(lparam))) return TRUE;
      break;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
      // High contrast may have been turned on or off; every control paints again with the
      // colours that go with it.
      form_.runtime().ReadContrast();
      RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      break;
    case WM_QUERYENDSESSION:
      // Agrees and ends nothing yet: another program may still cancel the shut-down.
      return TRUE;
    case WM_ENDSESSION:
      if (wparam != FALSE) OnSessionEnded();
      return 0;
    case DM_GETDEFID:
      return DefaultButtonId();
    case WM_ACTIVATE:
      if (LOWORD(wparam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(hwnd_, focus)) last_focus_ = focus;
      }
      break;
    case WM_SETFOCUS:
      RestoreFocus();
      return 0;
    case WM_DESTROY:
      for (NativeControl* control : controls_) {
        if (control != nullptr) control->OnHostDestroyed();
      }
      if (tool_tip_) tool_tip_->OnOwnerDestroyed();
      break;
    case WM_DEVICECHANGE:
      OnDeviceChange(wparam, lparam);
      return TRUE;
    default:
      break;
  }
  return DefWindowProcA(hwnd_, message, wparam, lparam);
}

LRESULT FormWindow::OnCommand(WPARAM wparam, LPARAM lparam) {
  const int id = LOWORD(wparam);
  const int code = HIWORD(wparam);
  if (id == IDOK || id == IDCANCEL) {
    OnDialogKey(id);
  } else if (lparam != 0) {
    if (NativeControl* control = ControlById(id)) control->OnCommand(code);
  } else if (code == 0) {
    OnMenuCommand(id);
  }
  return 0;
}

void FormWindow::OnMenuCommand(int id) {
  const std::optional<MenuCommand> command = DecodeMenuCommand(id);
  const std::vector<forms::MenuArray*>& menus = form_.Menus();
  if (!command || command->array >= static_cast<int>(menus.size())) return;
  forms::MenuArray& menu = *menus[static_cast<std::size_t>(command->array)];
  if (command->item >= menu.Count()) return;
  const auto index = static_cast<std::int16_t>(command->item);
  const forms::MenuItem& item = menu[index];
  if (!item.Visible() || !item.Enabled() || item.IsSeparator()) return;
  Raise([&menu, index] {
    if (menu.on_click) menu.on_click(index);
  });
}

void FormWindow::OnDialogKey(int dialog_id) {
  for (NativeControl* control : controls_) {
    if (control != nullptr && control->AnswersDialogKey(dialog_id)) {
      control->OnCommand(BN_CLICKED);
      return;
    }
  }
  if (dialog_id == IDCANCEL && form_.Design().escape_closes) CloseBox();
}

void FormWindow::CloseBox() {
  // The runtime unloads the form (and destroys this window) unless a handler cancels.
  forms::Form& form = form_;
  Raise([&form] { form.runtime().Unload(form, forms::kFormControlMenu); });
}

LRESULT FormWindow::DefaultButtonId() const {
  for (NativeControl* control : controls_) {
    if (control != nullptr && control->AnswersDialogKey(IDOK)) {
      return MAKELRESULT(control->id(), DC_HASDEFID);
    }
  }
  return 0;
}

void FormWindow::PaintLines(HDC dc) {
  for (forms::Control* control : form_.Controls()) {
    if (control->Kind() != forms::ControlKind::kLine || !control->Visible()) continue;
    const auto& line = static_cast<const forms::Line&>(*control);
    const forms::Rect place = line.FormRect();
    PenHandle pen(CreatePen(PS_SOLID, 1, ToColorRef(line.ShownColor(), COLOR_WINDOWTEXT)));
    if (!pen) continue;
    SelectedObject selected(dc, pen.get());
    MoveToEx(dc, TwipsToPixels(place.left, dpi_), TwipsToPixels(place.top, dpi_), nullptr);
    LineTo(dc, TwipsToPixels(place.left + place.width, dpi_),
           TwipsToPixels(place.top + place.height, dpi_));
  }
}

void FormWindow::CenterOnScreen() {
  RECT area{};
  if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0)) {
    area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
  RECT window{};
  GetWindowRect(hwnd_, &window);
  const int left = area.left + ((area.right - area.left) - (window.right - window.left)) / 2;
  const int top = area.top + ((area.bottom - area.top) - (window.bottom - window.top)) / 2;
  SetWindowPos(hwnd_, nullptr, std::max(left, static_cast<int>(area.left)),
               std::max(top, static_cast<int>(area.top)), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::ApplyIcon() {
  IconHandle big_icon =
      LoadIconResource(instance_, form_.Icon(), SystemMetricForDpi(SM_CXICON, dpi_),
                       SystemMetricForDpi(SM_CYICON, dpi_));
  IconHandle small_icon =
      LoadIconResource(instance_, form_.Icon(), SystemMetricForDpi(SM_CXSMICON, dpi_),
                       SystemMetricForDpi(SM_CYSMICON, dpi_));
  SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big_icon.get()));
  SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_icon.get()));
  // The window no longer shows the old icons, so they can go now.
  big_icon_ = std::move(big_icon);
  small_icon_ = std::move(small_icon);
}

void FormWindow::RestoreFocus() {
  if (last_focus_ != nullptr && IsWindow(last_focus_) && IsChild(hwnd_, last_focus_) &&
      IsWindowVisible(last_focus_) && IsWindowEnabled(last_focus_)) {
    ::SetFocus(last_focus_);
    return;
  }
  HWND first = GetNextDlgTabItem(hwnd_, nullptr, FALSE);
  if (first != nullptr && IsChild(hwnd_, first) &&
      (GetWindowLongA(first, GWL_STYLE) & WS_TABSTOP) != 0) {
    ::SetFocus(first);
  }
}

void FormWindow::OnSessionEnded() {
  forms::Form* form = &form_;
  forms::Runtime& runtime = form_.runtime();
  if (runtime.Ended()) return;
  // The system may end the process once this returns: the form unloads (for the main window,
  // the program ends) now, whatever handler runs.
  runtime.Dispatch([form, &runtime] { runtime.Unload(*form, forms::kAppWindows); });
}

}  // namespace ventrix::win32::ui
