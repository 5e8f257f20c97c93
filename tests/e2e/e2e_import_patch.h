#pragma once
// Points one import of ventrix.exe at a stand-in inside the hook DLL, which then stays loaded
// for the rest of the process.

#include <windows.h>

namespace ventrix::e2e {

// Patches ventrix.exe's import of `function` from `dll`; `original` (if given) gets what the
// slot held. False when the exe has no such import.
bool PatchImport(const char* dll, const char* function, FARPROC replacement,
                 FARPROC* original = nullptr);

// Any function pointer as the type an import slot holds.
template <class Function>
FARPROC AsImport(Function* function) {
  // Through the generic function pointer type, which any function pointer converts from.
  return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(function));
}

}  // namespace ventrix::e2e
