#pragma once
// The WinINet functions that the web version check uses, from wininet.dll in the system
// directory. Only the check needs them, so the library is loaded by the first check (on its
// worker thread) instead of at start-up, and shared by every later one.

#include <windows.h>
#include <wininet.h>

#include <memory>
#include <mutex>  // std::lock_guard
#include <string>
#include <utility>

#include "platform/win32/system_library.h"
#include "platform/win32/worker_thread_win32.h"

namespace ventrix::win32 {

inline constexpr char kWinInetLibrary[] = "wininet.dll";

struct WinInetFunctions {
  decltype(&::InternetOpenA) InternetOpenA = nullptr;
  decltype(&::InternetSetOptionA) InternetSetOptionA = nullptr;
  decltype(&::InternetOpenUrlA) InternetOpenUrlA = nullptr;
  decltype(&::HttpQueryInfoA) HttpQueryInfoA = nullptr;
  decltype(&::InternetCombineUrlA) InternetCombineUrlA = nullptr;
  decltype(&::InternetQueryDataAvailable) InternetQueryDataAvailable = nullptr;
  decltype(&::InternetReadFile) InternetReadFile = nullptr;
  decltype(&::InternetCloseHandle) InternetCloseHandle = nullptr;
};

// The loaded library with every function found; it stays loaded while anyone holds it.
class WinInet {
 public:
  // Nothing when the DLL cannot be loaded or lacks one of the functions.
  static std::shared_ptr<const WinInet> Load(const std::string& file_name);

  WinInet(SystemLibrary library, const WinInetFunctions& functions)
      : library_(std::move(library)), functions_(functions) {}

  const WinInetFunctions& functions() const { return functions_; }

 private:
  SystemLibrary library_;
  WinInetFunctions functions_;
};

// Loads the library once, on first use from any thread; a failed load is tried again by the
// next use.
class WinInetLoader {
 public:
  explicit WinInetLoader(std::string file_name = kWinInetLibrary)
      : file_name_(std::move(file_name)) {}

  std::shared_ptr<const WinInet> Get();

 private:
  CriticalSection mutex_;
  const std::string file_name_;
  std::shared_ptr<const WinInet> loaded_;
};

}  // namespace ventrix::win32
