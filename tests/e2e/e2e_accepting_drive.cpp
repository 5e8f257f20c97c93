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

}  // namespace

bool AcceptDeviceRequests() {
  return PatchImport("kernel32.dll", "DeviceIoControl", AsImport(&AcceptingDeviceIoControl));
}

}  // namespace ventrix::e2e
