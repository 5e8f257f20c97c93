#include "tests/e2e/e2e_accepting_drive.h"

#include <windows.h>

#include "tests/e2e/e2e_import_patch.h"

namespace ventrix::e2e {

namespace {

BOOL WINAPI AcceptingDeviceIoControl(HANDLE, DWORD, LPVOID, DWORD, LPVOID, DWORD,
                                     LPDWORD bytes_returned, LPOVERLAPPED) {
  if (bytes_returned != nullptr) *bytes_returned = 0;
  return TRUE;
}

// KEY_SET_VALUE, KEY_CREATE_SUB_KEY, KEY_CREATE_LINK, DELETE, WRITE_DAC and WRITE_OWNER.
constexpr REGSAM kWriteAccess = 0x000D0026;

LONG WINAPI RefusingRegOpenKeyExA(HKEY root, LPCSTR path, DWORD options, REGSAM access,
                                  PHKEY opened) {
  if (root == HKEY_LOCAL_MACHINE && (access & kWriteAccess) != 0) return ERROR_ACCESS_DENIED;
  return RegOpenKeyExA(root, path, options, access, opened);
}

}  // namespace

bool AcceptDeviceRequests() {
  return PatchImport("kernel32.dll", "DeviceIoControl", AsImport(&AcceptingDeviceIoControl));
}

bool RefuseMachineWrites() {
  return PatchImport("advapi32.dll", "RegOpenKeyExA", AsImport(&RefusingRegOpenKeyExA));
}

}  // namespace ventrix::e2e
