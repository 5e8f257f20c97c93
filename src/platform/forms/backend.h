#pragma once
// What the forms runtime needs of a windowing backend (win32, or headless in tests).

#include <string>

// The Windows headers define MessageBox as a macro; the member below must keep its name in
// every file, whichever headers came first.
#ifdef MessageBox
#undef MessageBox
#endif

namespace ventrix::forms {

class Form;

class Backend {
 public:
  virtual ~Backend() = default;
  // Creates the native window of the form (hidden) and a peer for each control and menu.
  virtual void Realize(Form& form) = 0;
  // Destroys the native window and every peer of the form; runs no handler.
  virtual void Destroy(Form& form) = 0;
  // A message box, modal for the program's windows.
  virtual void MessageBox(const std::string& text, int style, const std::string& caption) = 0;
  // Leaves the message loop: the program is ending.
  virtual void Quit() = 0;
  // The outermost event handler has returned (or failed): a backend that held native updates
  // back while it ran applies them now, once each.
  virtual void DispatchEnded() {}
};

}  // namespace ventrix::forms
