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

void TimerPeer::OnTimer() {
  forms::Timer& timer = timer_;
  host().Raise([&timer] {
    if (timer.on_timer) timer.on_timer();
  });
}

void TimerPeer::SyncKind(forms::Change change) {
  if (change == forms::Change::kInterval || change == forms::Change::kEnabled) Arm();
}

void TimerPeer::Arm() {
  HWND window = host().hwnd();
  if (window == nullptr) return;
  if (timer_.Enabled() && timer_.Interval() > 0) {
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
