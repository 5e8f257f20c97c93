#pragma once
// Form windows loaded hidden whose native window is created only when the program is idle, or
// at once when the form is shown or its handle is asked for. A program that loads several
// forms hidden at start-up (as this one does before showing its main window) then shows its
// main window without first paying for windows nobody sees yet; they follow a moment later.

#include <vector>

namespace ventrix::win32::ui {

class FormWindow;

class DeferredWindows {
 public:
  DeferredWindows() = default;
  DeferredWindows(const DeferredWindows&) = delete;
  DeferredWindows& operator=(const DeferredWindows&) = delete;

  void Add(FormWindow& window);
  void Remove(FormWindow& window);
  bool empty() const { return windows_.empty(); }
  // The window to create next, taken off the list: the one loaded last, so that once the first
  // form loaded has its window, every later one has too. Null when none waits.
  FormWindow* TakeNext();

 private:
  std::vector<FormWindow*> windows_;  // in load order; not owned, each removes itself
};

}  // namespace ventrix::win32::ui
