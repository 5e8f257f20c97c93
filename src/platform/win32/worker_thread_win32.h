#pragma once
// Worker threads and the lock they share with the window thread, on the system's own calls:
// std::thread and std::mutex would link the C++ library's thread support and system_error
// into the exe (about 9 KiB) for one short-lived thread per web check.

#include <windows.h>

#include <functional>

namespace ventrix::win32 {

// A critical section with lock()/unlock(), so std::lock_guard takes it. Never throws.
class CriticalSection {
 public:
  CriticalSection() { InitializeCriticalSection(&section_); }
  ~CriticalSection() { DeleteCriticalSection(&section_); }
  CriticalSection(const CriticalSection&) = delete;
  CriticalSection& operator=(const CriticalSection&) = delete;

  void lock() { EnterCriticalSection(&section_); }
  void unlock() { LeaveCriticalSection(&section_); }

 private:
  CRITICAL_SECTION section_;
};

// Runs work on a new thread that nobody joins. False when no thread could be started; work
// has not run then. An exception that leaves work ends only work, not the process.
bool StartDetachedThread(std::function<void()> work);

}  // namespace ventrix::win32
