#include "tests/e2e/e2e_driver_drives.h"

#include <windows.h>
// After windows.h, which it needs.
#include <dbt.h>
#include <winioctl.h>

#include <cctype>
#include <cstddef>
#include <cstring>
#include <vector>

namespace {

constexpr int kBroadcastTimeoutMs = 5000;
// CTL_CODE('m', 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS).
constexpr DWORD kDefineUnixDrive =
    CTL_CODE(static_cast<DWORD>('m'), 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);

// The input of Wine's IOCTL_MOUNTMGR_DEFINE_UNIX_DRIVE (Wine 8); the mount point follows it.
// The mount manager reads these bytes as its own build lays them out, whichever build (i686 or
// x86_64) sends them, so the layout must not depend on the sender's alignment of the 64-bit
// field: four 32-bit fields put it at 16 whether it aligns to 4 or 8, and the 32 bytes leave no
// tail padding either way. The asserts hold that in both builds.
struct UnixDrive {
  ULONG size;
  ULONG type;
  ULONG fs_type;
  DWORD serial;
  ULONGLONG unix_dev;
  WCHAR letter;
  USHORT mount_point_offset;
  USHORT device_offset;
  USHORT label_offset;
};

static_assert(offsetof(UnixDrive, unix_dev) == 16 && offsetof(UnixDrive, letter) == 24 &&
                  offsetof(UnixDrive, mount_point_offset) == 26 &&
                  offsetof(UnixDrive, label_offset) == 30 && sizeof(UnixDrive) == 32,
              "the layout the mount manager reads");

// The letter of "E" or "E:", lower case as the mount manager wants it; 0 for anything else.
char DriveLetter(const std::string& text) {
  if (text.empty() || text.size() > 2 || !std::isalpha(static_cast<unsigned char>(text[0]))) {
    return 0;
  }
  return static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
}

// Defines (with a folder) or removes (without) a drive letter through the mount manager.
int DefineDrive(char letter, const std::string& folder) {
  if (letter == 0) return 2;
  std::vector<char> input(sizeof(UnixDrive) + folder.size() + 1, '\0');
  UnixDrive drive{};
  drive.size = static_cast<ULONG>(input.size());
  drive.type = folder.empty() ? DRIVE_NO_ROOT_DIR : DRIVE_CDROM;
  drive.letter = static_cast<WCHAR>(letter);
  drive.mount_point_offset = folder.empty() ? 0 : static_cast<USHORT>(sizeof(UnixDrive));
  std::memcpy(input.data(), &drive, sizeof(drive));
  std::memcpy(input.data() + sizeof(drive), folder.c_str(), folder.size());
  HANDLE manager =
      CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (manager == INVALID_HANDLE_VALUE) return 1;
  DWORD returned = 0;
  const BOOL done =
      DeviceIoControl(manager, kDefineUnixDrive, input.data(), static_cast<DWORD>(input.size()),
                      nullptr, 0, &returned, nullptr);
  CloseHandle(manager);
  return done ? 0 : 1;
}

int BroadcastVolume(const std::string& event, char letter, const std::string& kind) {
  if (letter == 0 || (event != "arrival" && event != "removal") ||
      (kind != "drive" && kind != "disc")) {
    return 2;
  }
  DEV_BROADCAST_VOLUME volume{};
  volume.dbcv_size = sizeof(volume);
  volume.dbcv_devicetype = DBT_DEVTYP_VOLUME;
  volume.dbcv_unitmask = 1u << (letter - 'a');
  volume.dbcv_flags = kind == "disc" ? DBTF_MEDIA : 0;
  const WPARAM what = event == "arrival" ? DBT_DEVICEARRIVAL : DBT_DEVICEREMOVECOMPLETE;
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(HWND_BROADCAST, WM_DEVICECHANGE, what,
                             reinterpret_cast<LPARAM>(&volume), SMTO_ABORTIFHUNG,
                             kBroadcastTimeoutMs, &result) != 0
             ? 0
             : 1;
}

}  // namespace

std::optional<int> RunDriveVerb(const std::vector<std::string>& args) {
  if (args.empty()) return std::nullopt;
  const std::string& verb = args[0];
  if (verb == "cdrom-plug")
    return args.size() == 3 ? DefineDrive(DriveLetter(args[1]), args[2]) : 2;
  if (verb == "cdrom-unplug") return args.size() == 2 ? DefineDrive(DriveLetter(args[1]), "") : 2;
  if (verb == "volume") {
    return args.size() == 4 ? BroadcastVolume(args[1], DriveLetter(args[2]), args[3]) : 2;
  }
  return std::nullopt;
}
