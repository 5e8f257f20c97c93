#include "platform/win32/forms/deferred_windows.h"

#include <algorithm>

namespace ventrix::win32::ui {

void DeferredWindows::Add(FormWindow& window) {
  if (std::find(windows_.begin(), windows_.end(), &window) == windows_.end()) {
    windows_.push_back(&window);
  }
}

void DeferredWindows::Remove(FormWindow& window) { std::erase(windows_, &window); }

FormWindow* DeferredWindows::TakeNext() {
  if (windows_.empty()) return nullptr;
  FormWindow* next = windows_.back();
  windows_.pop_back();
  return next;
}

}  // namespace ventrix::win32::ui
