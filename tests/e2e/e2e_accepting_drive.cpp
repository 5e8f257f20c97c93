#include "tests/e2e/e2e_accepting_drive.h"

#include <windows.h>
// After windows.h, which it needs.
#include <winioctl.h>

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <string>

#include "tests/e2e/e2e_import_patch.h"

namespace ventrix::e2e {

namespace {

BOOL WINAPI AcceptingDeviceIoControl(HANDLE, DWORD, LPVOID, DWORD, LPVOID, DWORD,
                                     LPDWORD bytes_returned, LPOVERLAPPED) {
  if (bytes_returned != nullptr) *bytes_returned = 0;
  return TRUE;
}

// The counting drive's state, one file per drive letter in the test's folder.
struct DriveModel {
  int locks = 0;
  bool tray_open = false;
  bool motorised = true;
  // The last request and its answer, as "eject-refused" and the like.
  std::string last;
};

std::string ModelFile(char letter) {
  return std::string("C:\\ventrix-e2e\\drive-") + letter + ".txt";
}

DriveModel ReadModel(char letter) {
  DriveModel model;
  std::ifstream in(ModelFile(letter));
  std::string key;
  std::string value;
  while (in >> key >> value) {
    if (key == "locks") model.locks = std::atoi(value.c_str());
    if (key == "tray") model.tray_open = value == "opened";
    if (key == "motorised") model.motorised = value != "0";
  }
  return model;
}

void WriteModel(char letter, const DriveModel& model) {
  std::ofstream out(ModelFile(letter), std::ios::trunc);
  out << "locks " << model.locks << "\ntray " << (model.tray_open ? "opened" : "closed")
      << "\nmotorised " << (model.motorised ? 1 : 0) << "\nlast " << model.last << "\n";
}

// Which drive each open device handle of the program names.
std::map<HANDLE, char>& DriveHandles() {
  static std::map<HANDLE, char> handles;
  return handles;
}

HANDLE WINAPI CountingCreateFileA(LPCSTR path, DWORD access, DWORD share,
                                  LPSECURITY_ATTRIBUTES security, DWORD disposition, DWORD flags,
                                  HANDLE template_file) {
  HANDLE handle = CreateFileA(path, access, share, security, disposition, flags, template_file);
  DriveHandles().erase(handle);
  // "\\.\D:"
  if (handle != INVALID_HANDLE_VALUE && path != nullptr && std::strlen(path) == 6 &&
      std::strncmp(path, "\\\\.\\", 4) == 0 && path[5] == ':') {
    DriveHandles()[handle] = static_cast<char>(std::toupper(static_cast<unsigned char>(path[4])));
  }
  return handle;
}

const char* RequestName(DWORD code, LPVOID input, DWORD input_size) {
  switch (code) {
    case IOCTL_STORAGE_MEDIA_REMOVAL:
      return input != nullptr && input_size >= 1 && *static_cast<const BYTE*>(input) == 0 ? "unlock"
                                                                                          : "lock";
    case IOCTL_STORAGE_EJECT_MEDIA:
      return "eject";
    case IOCTL_STORAGE_LOAD_MEDIA:
      return "close";
    default:
      return "other";
  }
}

BOOL WINAPI CountingDeviceIoControl(HANDLE device, DWORD code, LPVOID input, DWORD input_size,
                                    LPVOID, DWORD, LPDWORD bytes_returned, LPOVERLAPPED) {
  const auto drive = DriveHandles().find(device);
  if (drive == DriveHandles().end()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  DriveModel model = ReadModel(drive->second);
  DWORD error = ERROR_SUCCESS;
  switch (code) {
    case IOCTL_STORAGE_MEDIA_REMOVAL:
      if (input == nullptr || input_size < 1) {
        error = ERROR_INVALID_PARAMETER;
      } else if (*static_cast<const BYTE*>(input) != 0) {
        ++model.locks;
      } else if (model.locks > 0) {
        --model.locks;
      }
      break;
    case IOCTL_STORAGE_EJECT_MEDIA:
      // Medium removal prevented.
      if (model.locks > 0) {
        error = ERROR_INVALID_FUNCTION;
      } else {
        model.tray_open = true;
      }
      break;
    case IOCTL_STORAGE_LOAD_MEDIA:
      if (!model.motorised) {
        error = ERROR_INVALID_FUNCTION;
      } else {
        model.tray_open = false;
      }
      break;
    default:
      error = ERROR_INVALID_FUNCTION;
      break;
  }
  model.last = std::string(RequestName(code, input, input_size)) +
               (error == ERROR_SUCCESS ? "-taken" : "-refused");
  WriteModel(drive->second, model);
  if (error != ERROR_SUCCESS) {
    SetLastError(error);
    return FALSE;
  }
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

bool CountDeviceRequests() {
  return PatchImport("kernel32.dll", "CreateFileA", AsImport(&CountingCreateFileA)) &&
         PatchImport("kernel32.dll", "DeviceIoControl", AsImport(&CountingDeviceIoControl));
}

bool RefuseMachineWrites() {
  return PatchImport("advapi32.dll", "RegOpenKeyExA", AsImport(&RefusingRegOpenKeyExA));
}

}  // namespace ventrix::e2e
