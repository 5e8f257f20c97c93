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

template <class T>
T* At(BYTE* base, DWORD offset) {
  return reinterpret_cast<T*>(base + offset);
}

// The import address table slot that ventrix.exe calls a kernel32 function through.
FARPROC* FindKernelSlot(const char* function) {
  BYTE* const base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = At<const IMAGE_NT_HEADERS>(base, dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (imports.VirtualAddress == 0) return nullptr;
  for (auto* dll = At<IMAGE_IMPORT_DESCRIPTOR>(base, imports.VirtualAddress); dll->Name != 0;
       ++dll) {
    if (lstrcmpiA(At<const char>(base, dll->Name), "kernel32.dll") != 0) continue;
    auto* names = At<IMAGE_THUNK_DATA>(base, dll->OriginalFirstThunk);
    auto* slots = At<IMAGE_THUNK_DATA>(base, dll->FirstThunk);
    for (; names->u1.AddressOfData != 0; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      const auto* name = At<const IMAGE_IMPORT_BY_NAME>(base, names->u1.AddressOfData);
      if (std::strcmp(reinterpret_cast<const char*>(name->Name), function) == 0) {
        return reinterpret_cast<FARPROC*>(&slots->u1.Function);
      }
    }
  }
  return nullptr;
}

}  // namespace

namespace {

// Points one import at a function of this DLL, which stays loaded for the rest of the process:
// the driver unhooks after each request, and a patched slot must never point into an unloaded
// hook DLL.
template <class Function>
bool Patch(const char* import, Function* replacement) {
  FARPROC* const slot = FindKernelSlot(import);
  if (slot == nullptr) return false;
  HMODULE self = nullptr;
  if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_PIN | GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                          reinterpret_cast<LPCSTR>(&AcceptingDeviceIoControl), &self)) {
    return false;
  }
  DWORD old_protection = 0;
  if (!VirtualProtect(slot, sizeof(*slot), PAGE_READWRITE, &old_protection)) return false;
  // Through the generic function pointer type, which any function pointer converts from.
  *slot = reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(replacement));
  VirtualProtect(slot, sizeof(*slot), old_protection, &old_protection);
  return true;
}

}  // namespace

bool AcceptDeviceRequests() { return Patch("DeviceIoControl", &AcceptingDeviceIoControl); }

bool CountDeviceRequests() {
  return Patch("CreateFileA", &CountingCreateFileA) &&
         Patch("DeviceIoControl", &CountingDeviceIoControl);
}

}  // namespace ventrix::e2e
