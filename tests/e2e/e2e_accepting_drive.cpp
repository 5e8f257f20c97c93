#include "tests/e2e/e2e_accepting_drive.h"

#include <windows.h>
// After windows.h, which it needs.
#include <ntddscsi.h>
#include <winioctl.h>

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <string>

#include "tests/e2e/e2e_drive_events.h"
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
  bool disc = true;
  // What the drive tells of its tray: "none" (every question refused), "readiness"
  // (CHECK_VERIFY2), "sense" (TEST UNIT READY's sense too) or "mechanism" (MECHANISM STATUS too).
  std::string tells = "none";
  // False: an open for reading and writing is refused (ERROR_ACCESS_DENIED).
  bool read_write = true;
  // How many times the tray was asked (opens for reading and writing).
  int asked = 0;
  // Whether a window is registered for the drive's own events.
  bool watched = false;
};

std::string ModelFile(char letter) {
  return std::string("C:\\ventrix-e2e\\drive-") + letter + ".txt";
}

DriveModel ReadModel(char letter) {
  DriveModel model;
  std::ifstream in(ModelFile(letter));
  // One "key value" a line; a value may be empty ("last " before any request).
  std::string line;
  while (std::getline(in, line)) {
    const std::size_t blank = line.find(' ');
    const std::string key = line.substr(0, blank);
    const std::string value = blank == std::string::npos ? "" : line.substr(blank + 1);
    if (key == "locks") model.locks = std::atoi(value.c_str());
    if (key == "tray") model.tray_open = value == "opened";
    if (key == "motorised") model.motorised = value != "0";
    if (key == "disc") model.disc = value != "0";
    if (key == "tells") model.tells = value;
    if (key == "rw-open") model.read_write = value != "0";
    if (key == "asked") model.asked = std::atoi(value.c_str());
    if (key == "watched") model.watched = value != "0";
  }
  return model;
}

void WriteModel(char letter, const DriveModel& model) {
  std::ofstream out(ModelFile(letter), std::ios::trunc);
  out << "locks " << model.locks << "\ntray " << (model.tray_open ? "opened" : "closed")
      << "\nmotorised " << (model.motorised ? 1 : 0) << "\nlast " << model.last << "\ndisc "
      << (model.disc ? 1 : 0) << "\ntells " << model.tells << "\nrw-open "
      << (model.read_write ? 1 : 0) << "\nasked " << model.asked << "\nwatched "
      << (model.watched ? 1 : 0) << "\n";
}

// Which drive each open device handle of the program names.
std::map<HANDLE, char>& DriveHandles() {
  static std::map<HANDLE, char> handles;
  return handles;
}

// The drive letter of a device path "\\.\D:", or 0.
char DriveOfPath(LPCSTR path) {
  if (path == nullptr || std::strlen(path) != 6 || std::strncmp(path, "\\\\.\\", 4) != 0 ||
      path[5] != ':') {
    return 0;
  }
  return static_cast<char>(std::toupper(static_cast<unsigned char>(path[4])));
}

HANDLE WINAPI CountingCreateFileA(LPCSTR path, DWORD access, DWORD share,
                                  LPSECURITY_ATTRIBUTES security, DWORD disposition, DWORD flags,
                                  HANDLE template_file) {
  const char letter = DriveOfPath(path);
  // Asked for its tray: counted, and refused as a policy would refuse it.
  if (letter != 0 && (access & GENERIC_WRITE) != 0) {
    DriveModel model = ReadModel(letter);
    ++model.asked;
    WriteModel(letter, model);
    if (!model.read_write) {
      SetLastError(ERROR_ACCESS_DENIED);
      return INVALID_HANDLE_VALUE;
    }
  }
  HANDLE handle = CreateFileA(path, access, share, security, disposition, flags, template_file);
  DriveHandles().erase(handle);
  if (handle != INVALID_HANDLE_VALUE && letter != 0) DriveHandles()[handle] = letter;
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

// How much the drive tells, in order: each level answers what the ones before it do too.
constexpr int kReadiness = 1;
constexpr int kSense = 2;
constexpr int kMechanism = 3;
bool Tells(const DriveModel& model, int level) {
  const int tells = model.tells == "mechanism"   ? kMechanism
                    : model.tells == "sense"     ? kSense
                    : model.tells == "readiness" ? kReadiness
                                                 : 0;
  return tells >= level;
}

constexpr BYTE kMechanismStatus = 0xBD;
constexpr BYTE kTestUnitReady = 0x00;
constexpr BYTE kCheckCondition = 0x02;
constexpr BYTE kDoorOpen = 0x10;  // MECHANISM STATUS header, byte 1

// Writes fixed-format current sense data (key, ASC, ASCQ) into the request's sense buffer.
void WriteSense(SCSI_PASS_THROUGH& header, BYTE* buffer, DWORD size, BYTE key, BYTE asc,
                BYTE ascq) {
  BYTE sense[18] = {0x70, 0, key, 0, 0, 0, 0, 10, 0, 0, 0, 0, asc, ascq};
  const DWORD length = header.SenseInfoLength < sizeof(sense) ? header.SenseInfoLength
                                                              : static_cast<DWORD>(sizeof(sense));
  header.SenseInfoLength = 0;
  if (header.SenseInfoOffset + length > size) return;
  std::memcpy(buffer + header.SenseInfoOffset, sense, length);
  header.SenseInfoLength = static_cast<UCHAR>(length);
  header.ScsiStatus = kCheckCondition;
  header.DataTransferLength = 0;
}

// SCSI pass-through as a drive answers it: MECHANISM STATUS's door bit, TEST UNIT READY's
// sense, or ERROR_INVALID_FUNCTION for a drive whose pass-through is refused.
DWORD PassThrough(const DriveModel& model, LPVOID input, DWORD input_size, LPVOID output,
                  DWORD output_size, LPDWORD bytes_returned) {
  SCSI_PASS_THROUGH header{};
  if (input == nullptr || output == nullptr || input_size < sizeof(header) ||
      output_size < sizeof(header)) {
    return ERROR_INVALID_PARAMETER;
  }
  std::memcpy(&header, input, sizeof(header));
  auto* buffer = static_cast<BYTE*>(output);
  const BYTE command = header.Cdb[0];
  if (!Tells(model, kSense)) return ERROR_INVALID_FUNCTION;
  header.ScsiStatus = 0;
  if (command == kMechanismStatus && Tells(model, kMechanism)) {
    if (header.DataBufferOffset + 2 > output_size) return ERROR_INVALID_PARAMETER;
    buffer[header.DataBufferOffset + 1] = model.tray_open ? kDoorOpen : 0;
    header.SenseInfoLength = 0;
  } else if (command == kMechanismStatus) {
    // INVALID COMMAND OPERATION CODE: a drive without MECHANISM STATUS.
    WriteSense(header, buffer, output_size, 0x05, 0x20, 0x00);
  } else if (command == kTestUnitReady && (model.tray_open || !model.disc)) {
    // MEDIUM NOT PRESENT, tray open or closed.
    WriteSense(header, buffer, output_size, 0x02, 0x3A, model.tray_open ? 0x02 : 0x01);
  } else if (command != kTestUnitReady) {
    return ERROR_INVALID_FUNCTION;
  } else {
    header.SenseInfoLength = 0;
  }
  std::memcpy(buffer, &header, sizeof(header));
  if (bytes_returned != nullptr) *bytes_returned = output_size;
  return ERROR_SUCCESS;
}

BOOL WINAPI CountingDeviceIoControl(HANDLE device, DWORD code, LPVOID input, DWORD input_size,
                                    LPVOID output, DWORD output_size, LPDWORD bytes_returned,
                                    LPOVERLAPPED) {
  const auto drive = DriveHandles().find(device);
  if (drive == DriveHandles().end()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  DriveModel model = ReadModel(drive->second);
  // The tray questions change nothing in the drive and are not its last request.
  if (code == IOCTL_SCSI_PASS_THROUGH || code == IOCTL_STORAGE_CHECK_VERIFY2) {
    const DWORD answer =
        code == IOCTL_SCSI_PASS_THROUGH
            ? PassThrough(model, input, input_size, output, output_size, bytes_returned)
            : (Tells(model, kReadiness) && !model.tray_open && model.disc ? ERROR_SUCCESS
                                                                          : ERROR_NOT_READY);
    SetLastError(answer);
    return answer == ERROR_SUCCESS;
  }
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
         PatchImport("kernel32.dll", "DeviceIoControl", AsImport(&CountingDeviceIoControl)) &&
         CountDeviceEvents();
}

char DriveOfHandle(void* handle) {
  const auto drive = DriveHandles().find(handle);
  return drive == DriveHandles().end() ? 0 : drive->second;
}

void NoteWatched(char letter, bool watched) {
  DriveModel model = ReadModel(letter);
  model.watched = watched;
  WriteModel(letter, model);
}

bool RefuseMachineWrites() {
  return PatchImport("advapi32.dll", "RegOpenKeyExA", AsImport(&RefusingRegOpenKeyExA));
}

}  // namespace ventrix::e2e
