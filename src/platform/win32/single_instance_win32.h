#pragma once
// One ventrix.exe per user and session: the name that identifies this user's instance, the
// named mutex its process holds while it runs, and finding the instance's window.

#include <windows.h>

#include <string>

#include "platform/win32/handles_win32.h"
#include "program/instance_wait.h"

namespace ventrix::win32 {

// The class of the instance's hidden window; its title is the instance name.
inline constexpr const char* kInstanceClassName = "Ventrix3Instance";

struct InstanceIdentity {
  // "Ventrix3-" and the user's security identifier (the user name where the system has none),
  // so another user, even in the same session, has an instance of their own.
  std::string name;
  // The name in the session's namespace (Local\), where the system has sessions.
  std::string mutex_name;
};
InstanceIdentity ThisInstance();

// The instance's mutex; another session of the same user has its own. Held by the running instance:
// the system lets it go when that process ends, crashed or not, and a waiter then takes it over
// (abandoned).
class InstanceLock {
 public:
  explicit InstanceLock(const InstanceIdentity& identity);
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  // Waits up to `wait_ms` to hold it. A mutex this process may not open (an elevated instance's:
  // CreateMutexA is refused) is tried again at each call, after waiting `wait_ms`.
  MutexAttempt TryAcquire(DWORD wait_ms);
  void Release();

 private:
  std::string name_;
  KernelHandle mutex_;
  bool held_ = false;
};

// The running instance's window, or nullptr. Only windows of this desktop, so of this session.
HWND FindInstanceWindow(const std::string& instance_name);

}  // namespace ventrix::win32
