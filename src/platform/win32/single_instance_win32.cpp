#include "platform/win32/single_instance_win32.h"

#include <sddl.h>

#include <vector>

#include "platform/win32/system_library.h"

namespace ventrix::win32 {

namespace {

constexpr const char* kNamePrefix = "Ventrix3-";
constexpr const char* kUserNamePrefix = "user-";
constexpr const char* kSessionNamespace = "Local\\";
// A user's token information is well below this; more is not read.
constexpr DWORD kMaxTokenUserSize = 1024;
// UNLEN + 1 in lmcons.h.
constexpr DWORD kMaxUserNameLength = 257;

std::string UserSidText() {
  // Windows 98 and NT 4.0 have no string form of a security identifier: found at run time.
  const auto convert = FindExportAs<decltype(&::ConvertSidToStringSidA)>(
      GetModuleHandleA("advapi32.dll"), "ConvertSidToStringSidA");
  if (convert == nullptr) return {};
  HANDLE raw_token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw_token)) return {};
  const KernelHandle token(raw_token);
  DWORD size = 0;
  GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
  if (size == 0 || size > kMaxTokenUserSize) return {};
  std::vector<unsigned char> buffer(size);
  if (!GetTokenInformation(token.get(), TokenUser, buffer.data(), size, &size)) return {};
  LPSTR text = nullptr;
  if (!convert(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &text)) return {};
  std::string sid(text);
  LocalFree(text);
  return sid;
}

std::string UserNameText() {
  char name[kMaxUserNameLength] = {};
  DWORD length = kMaxUserNameLength;
  return GetUserNameA(name, &length) ? std::string(name) : std::string();
}

}  // namespace

InstanceIdentity ThisInstance() {
  const std::string sid = UserSidText();
  if (!sid.empty()) {
    const std::string name = kNamePrefix + sid;
    return {name, kSessionNamespace + name};
  }
  // Windows 98 and Me: no security identifiers, no sessions and no namespace prefix.
  const std::string name = std::string(kNamePrefix) + kUserNamePrefix + UserNameText();
  return {name, name};
}

InstanceLock::InstanceLock(const InstanceIdentity& identity) : name_(identity.mutex_name) {}

InstanceLock::~InstanceLock() { Release(); }

MutexAttempt InstanceLock::TryAcquire(DWORD wait_ms) {
  if (held_) return MutexAttempt::kTaken;
  if (mutex_ == nullptr) {
    mutex_.reset(CreateMutexA(nullptr, FALSE, name_.c_str()));
    if (mutex_ == nullptr) {
      // Under User Account Control an elevated instance's mutex admits only elevated processes.
      if (GetLastError() != ERROR_ACCESS_DENIED) return MutexAttempt::kNone;
      Sleep(wait_ms);
      return MutexAttempt::kNotOpened;
    }
  }
  const DWORD result = WaitForSingleObject(mutex_.get(), wait_ms);
  // Abandoned: the instance that held it ended without letting go (it crashed).
  held_ = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
  return held_ ? MutexAttempt::kTaken : MutexAttempt::kHeld;
}

void InstanceLock::Release() {
  if (held_) ReleaseMutex(mutex_.get());
  held_ = false;
}

HWND FindInstanceWindow(const std::string& instance_name) {
  return FindWindowA(kInstanceClassName, instance_name.c_str());
}

}  // namespace ventrix::win32
