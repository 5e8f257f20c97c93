#include "drive/device_io.h"

#include <array>
#include <string_view>
#include <vector>

#include "platform/components/no_case.h"
#include "platform/types.h"

namespace ventrix::basDeviceIO {
namespace {

constexpr std::string_view kDevicePrefix = "\\\\.\\";
constexpr char kBlank = ' ';
constexpr char kBackslash = '\\';
constexpr char kNul = '\0';
constexpr char kDriveSeparator = ':';
constexpr std::size_t kDriveNameLength = 2;  // "D:"
constexpr std::uint8_t kPreventRemoval = 1;
constexpr std::uint8_t kAllowRemoval = 0;

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Blanks removed at both ends; NULs and other characters stay.
std::string TrimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kBlank);
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(kBlank);
  return std::string(text.substr(first, last - first + 1));
}

std::int16_t Flag(bool value) { return value ? kTrue : kFalse; }

}  // namespace

std::string StripTrailingBackslash(const std::string& text) {
  std::string result = TrimBlanks(text);
  if (!result.empty() && result.back() == kBackslash) result.pop_back();
  return result;
}

std::string DevicePath(const std::string& drive) { return std::string(kDevicePrefix) + drive; }

// Anything but a plain drive name ("D:") is refused without reaching the platform, so a settings
// value such as "PhysicalDrive0" or "D:\.." can never turn into another device or a file path.
OpenDevice OpenDrive(DeviceControl& devices, std::string& drive, std::uint32_t access) {
  drive = StripTrailingBackslash(drive);
  if (!IsDriveName(drive)) return OpenDevice(devices, kInvalidDevice);
  return OpenDevice(
      devices, devices.CreateFile(DevicePath(drive), access, kFileShareReadWrite, kOpenExisting));
}

bool IsDriveName(const std::string& drive) {
  return drive.size() == kDriveNameLength && IsAsciiLetter(drive[0]) && drive[1] == kDriveSeparator;
}

std::optional<std::size_t> DriveIndex(const std::string& drive) {
  const std::string name = StripTrailingBackslash(drive);
  if (!IsDriveName(name)) return std::nullopt;
  return static_cast<std::size_t>(AsciiLower(name[0]) - 'a');
}

RequestOutcome SendRequest(DeviceControl& devices, std::string& drive, std::uint32_t code,
                           std::span<const std::uint8_t> input) {
  const OpenDevice device = OpenDrive(devices, drive, kGenericRead);
  if (!device.IsOpen()) return RequestOutcome::kNotOpened;
  return devices.DeviceIoControl(device.get(), code, input) ? RequestOutcome::kAccepted
                                                            : RequestOutcome::kRejected;
}

std::int16_t SetMediaLock(DeviceControl& devices, std::string& drive, bool lock) {
  const std::array<std::uint8_t, 1> prevent{lock ? kPreventRemoval : kAllowRemoval};
  return Flag(SendRequest(devices, drive, kIoctlStorageMediaRemoval, prevent) ==
              RequestOutcome::kAccepted);
}

std::int16_t SendDriveCommand(DeviceControl& devices, std::string& drive, std::uint32_t code) {
  return Flag(SendRequest(devices, drive, code, {}) == RequestOutcome::kRejected);
}

std::string GetDriveStrings(DriveEnumeration& drives) {
  std::vector<char> buffer(kDriveListLength, kBlank);
  std::uint32_t length = drives.GetLogicalDriveStrings(buffer);
  // A result that does not fit is the size the list needs, its final NUL included: read once
  // more with that much room, as long as it stays within what 26 drive roots can take.
  if (length >= buffer.size()) {
    if (length > kMaxDriveListLength) return {};
    buffer.assign(length, kBlank);
    length = drives.GetLogicalDriveStrings(buffer);
    if (length >= buffer.size()) return {};
  }
  if (length == 0) return {};
  return TrimBlanks(std::string_view(buffer.data(), buffer.size()));
}

std::string NextListItem(std::string& list) {
  const std::size_t nul = list.find(kNul);
  if (nul == std::string::npos) return {};
  std::string item = list.substr(0, nul);
  list.erase(0, nul + 1);
  return item;
}

bool IsCdDrive(DriveEnumeration& drives, const std::string& drive) {
  const std::string name = StripTrailingBackslash(drive);
  return IsDriveName(name) && drives.GetDriveType(name + kBackslash) == kDriveCdrom;
}

void FillCdDriveList(DriveEnumeration& drives, DriveListControl& list) {
  std::string remaining = GetDriveStrings(drives);
  const std::string lone_nul(1, kNul);
  // A remainder without any NUL cannot be walked further: stop there rather than spin.
  while (!remaining.empty() && remaining != lone_nul && remaining.find(kNul) != std::string::npos) {
    const std::string root = NextListItem(remaining);
    if (root.empty()) continue;
    if (drives.GetDriveType(root) == kDriveCdrom) list.AddItem(root);
  }
}

}  // namespace ventrix::basDeviceIO
