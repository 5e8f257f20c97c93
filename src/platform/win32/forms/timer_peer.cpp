#include "platform/win32/forms/timer_peer.h"

#include "platform/win32/forms/form_window.h"

namespace ventrix::win32::ui {

TimerPeer::TimerPeer(FormWindow& host, forms::Timer& timer, int id)
    : NativeControl(host, timer, id), timer_(timer) {
  Arm();
}

TimerPeer::~TimerPeer() {
  if (host().hwnd() != nullptr) KillTimer(host().hwnd(), static_cast<UINT_PTR>(id()));
}

// Not raised like a click: a tick that falls due inside a message box or a popup menu waits
// for the running handler instead of being lost.
void TimerPeer::OnTimer() { timer_.Elapsed(); }

void TimerPeer::SyncKind(forms::Change change) {
  if (change == forms::Change::kInterval || change == forms::Change::kEnabled ||
      change == forms::Change::kRunning) {
    Arm();
  }
}

void TimerPeer::Arm() {
  HWND window = host().hwnd();
  if (window == nullptr) return;
  // Setting a timer that is already set starts its interval afresh.
  if (timer_.Running()) {
    SetTimer(window, static_cast<UINT_PTR>(id()), static_cast<UINT>(timer_.Interval()), nullptr);
  } else {
    KillTimer(window, static_cast<UINT_PTR>(id()));
  }
}

void LinePeer::SyncKind(forms::Change change) {
  if (host().hwnd() == nullptr) return;
  if (change == forms::Change::kVisible || change == forms::Change::kColor ||
      change == forms::Change::kRect) {
    InvalidateRect(host().hwnd(), nullptr, TRUE);
  }
}

}  // namespace ventrix::win32::ui
