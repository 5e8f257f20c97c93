#pragma once
// A DLL that ships with Windows, loaded when a feature first needs it rather than at start-up,
// and freed with this object. It is loaded by its full path in the system directory, and its
// own imports are looked for there first, so a same-named DLL planted in the program's folder
// or the current directory is never loaded.

#include <windows.h>

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>

namespace ventrix::win32 {

// The exported function `name` of `module` (a module already loaded, or null) as a pointer of
// the given function type; nullptr when there is no module or no such export.
template <class Function>
Function* FindExport(HMODULE module, const char* name) {
  static_assert(std::is_function_v<Function>);
  if (module == nullptr) return nullptr;
  // Through the generic function pointer type, which any function pointer converts from.
  return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// FindExport for a function pointer type, the SDK's own: decltype(&::Function).
template <class Pointer>
Pointer FindExportAs(HMODULE module, const char* name) {
  return FindExport<std::remove_pointer_t<Pointer>>(module, name);
}

class SystemLibrary {
 public:
  // Longest file name accepted, extension included.
  static constexpr std::size_t kMaxFileName = 64;

  // Loads `file_name`, a bare name such as "wininet.dll", from the system directory. Nothing
  // when the name is empty, longer than kMaxFileName or names a folder or drive, or when the
  // DLL cannot be loaded.
  static std::optional<SystemLibrary> Load(const std::string& file_name);

  // The exported function `name` as a pointer of the given function type, or nullptr.
  template <class Function>
  Function* Find(const char* name) const {
    return FindExport<Function>(module_.get(), name);
  }

  // Sets `target`, a function pointer, to the exported function `name`; false when the DLL has
  // no such export.
  template <class Pointer>
  bool Bind(const char* name, Pointer& target) const {
    target = Find<std::remove_pointer_t<Pointer>>(name);
    return target != nullptr;
  }

  HMODULE module() const { return module_.get(); }

 private:
  struct ModuleFreer {
    void operator()(HMODULE module) const { FreeLibrary(module); }
  };
  using ModuleHandle = std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleFreer>;

  explicit SystemLibrary(HMODULE module) : module_(module) {}

  ModuleHandle module_;
};

}  // namespace ventrix::win32
