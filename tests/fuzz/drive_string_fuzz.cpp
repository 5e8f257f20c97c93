// Fuzzes the drive string's normalisation and the guard in front of every device request, and
// the walk over the platform's drive list.
//
// Input: the whole input is the drive string handed to the lock, unlock, eject and load requests
// (each with the device opening or not, and accepting the request or not), and also the drive
// list the platform reports, once honestly and once with a length of its own choosing taken
// from the first two bytes.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "drive/device_io.h"
#include "platform/types.h"
#include "tests/fuzz/fuzz_check.h"

namespace ventrix::fuzzing {
namespace {

namespace io = basDeviceIO;

constexpr std::string_view kDevicePrefix = "\\\\.\\";
constexpr std::size_t kDriveNameLength = 2;
constexpr DeviceHandle kFirstHandle = 0x40;
constexpr std::uint32_t kDriveFixed = 3;
constexpr unsigned kBitsPerByte = 8;
// Once, and once more with the room the platform asked for.
constexpr int kMaxListReads = 2;

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Reference for what may reach the device: the string without blanks around it is a letter and a
// colon, optionally followed by one backslash.
bool NamesADrive(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (text.ends_with('\\')) text.remove_suffix(1);
  return text.size() == kDriveNameLength && IsAsciiLetter(text[0]) && text[1] == ':';
}

// A device layer that checks each call against the open handles and records the traffic.
class CheckingDevices : public DeviceControl {
 public:
  CheckingDevices(bool opens, bool accepts) : opens_(opens), accepts_(accepts) {}
  ~CheckingDevices() override { Check(open_.empty(), "every opened device is closed"); }

  DeviceHandle CreateFile(const std::string& path, std::uint32_t access, std::uint32_t share,
                          std::uint32_t disposition) override {
    ++creates;
    Check(path.size() == kDevicePrefix.size() + kDriveNameLength && path.starts_with(kDevicePrefix),
          "only a drive name's device path is opened");
    Check(IsAsciiLetter(path[kDevicePrefix.size()]) && path.back() == ':',
          "only a drive letter and a colon follow the device prefix");
    Check(access == kGenericRead && share == kFileShareReadWrite && disposition == kOpenExisting,
          "opened for reading, shared, existing only");
    opened_path = path;
    if (!opens_) return kInvalidDevice;
    const DeviceHandle handle = kFirstHandle + static_cast<DeviceHandle>(creates);
    open_.push_back(handle);
    return handle;
  }
  bool DeviceIoControl(DeviceHandle device, std::uint32_t code,
                       std::span<const std::uint8_t> input) override {
    Check(IsOpen(device), "requests go to an open device only");
    codes.push_back(code);
    inputs.emplace_back(input.begin(), input.end());
    return accepts_;
  }
  bool DeviceIoControlInOut(DeviceHandle device, std::uint32_t, std::span<std::uint8_t>) override {
    Check(IsOpen(device), "requests go to an open device only");
    return false;
  }
  void CloseHandle(DeviceHandle device) override {
    Check(IsOpen(device), "only an open device is closed, and only once");
    std::erase(open_, device);
  }

  int creates = 0;
  std::string opened_path;
  std::vector<std::uint32_t> codes;
  std::vector<std::vector<std::uint8_t>> inputs;

 private:
  bool IsOpen(DeviceHandle device) const {
    return std::find(open_.begin(), open_.end(), device) != open_.end();
  }

  bool opens_;
  bool accepts_;
  std::vector<DeviceHandle> open_;
};

enum class Request { kLock, kUnlock, kEject, kLoad };

void CheckRequest(const std::string& input, Request request, bool opens, bool accepts) {
  CheckingDevices devices(opens, accepts);
  std::string drive = input;
  std::int16_t result = kFalse;
  std::uint32_t code = kIoctlStorageMediaRemoval;
  switch (request) {
    case Request::kLock:
    case Request::kUnlock:
      result = io::SetMediaLock(devices, drive, request == Request::kLock);
      break;
    case Request::kEject:
      code = kIoctlStorageEjectMedia;
      result = io::SendDriveCommand(devices, drive, code);
      break;
    case Request::kLoad:
      code = kIoctlStorageLoadMedia;
      result = io::SendDriveCommand(devices, drive, code);
      break;
  }
  Check(result == kFalse || result == kTrue, "the outcome is a flag");
  const bool lock = request == Request::kLock || request == Request::kUnlock;

  // The caller's string is normalised in place: blanks off both ends, then one backslash.
  Check(drive == io::StripTrailingBackslash(input), "the caller's drive is normalised");

  const bool allowed = NamesADrive(input);
  Check(devices.creates == (allowed ? 1 : 0), "exactly the drive names are opened, once");
  if (allowed) {
    Check(devices.opened_path == std::string(kDevicePrefix) + drive, "the drive's own device path");
  }

  const bool sent = allowed && opens;
  Check(devices.codes.size() == (sent ? 1u : 0u), "one request, and only on an opened drive");
  if (sent) {
    Check(devices.codes[0] == code, "the request asked for");
    Check(devices.inputs[0].size() == (lock ? 1u : 0u), "a lock carries one byte, others none");
    if (lock) {
      Check(devices.inputs[0][0] == (request == Request::kLock ? 1 : 0), "1 locks, 0 unlocks");
    }
  }
  const bool expected = lock ? sent && accepts : sent && !accepts;
  Check(result == (expected ? kTrue : kFalse), "the outcome follows the device's answer");
}

void CheckNormalisation(const std::string& input) {
  const std::string stripped = io::StripTrailingBackslash(input);
  Check(stripped.size() <= input.size(), "normalising never lengthens");
  Check(stripped.empty() || (stripped.front() != ' '), "no leading blank");
  const std::size_t first = input.find_first_not_of(' ');
  if (first == std::string::npos) {
    Check(stripped.empty(), "blanks only normalise to empty text");
    return;
  }
  const std::string trimmed = input.substr(first, input.find_last_not_of(' ') - first + 1);
  const std::string expected =
      trimmed.ends_with('\\') ? trimmed.substr(0, trimmed.size() - 1) : trimmed;
  Check(stripped == expected, "blanks off both ends, then one trailing backslash");
  Check(io::IsDriveName(stripped) == NamesADrive(input), "the guard accepts drive names only");
  Check(io::DevicePath(stripped) == std::string(kDevicePrefix) + stripped, "the device path");
}

// A platform that reports the input as its drive list: honestly (the length written, or the
// size needed when it does not fit), or with a length of its own choosing.
class FuzzedDriveList : public DriveEnumeration {
 public:
  FuzzedDriveList(std::string_view list, bool honest, std::uint32_t reported)
      : list_(list), honest_(honest), reported_(reported) {}

  std::uint32_t GetLogicalDriveStrings(std::span<char> buffer) override {
    ++calls;
    Check(buffer.size() <= io::kMaxDriveListLength, "the list buffer stays within 26 roots");
    const std::size_t needed = list_.size() + 1;
    const std::size_t copied = std::min(list_.size(), buffer.size());
    std::memcpy(buffer.data(), list_.data(), copied);
    if (copied < buffer.size()) buffer[copied] = '\0';
    if (!honest_) return reported_;
    return static_cast<std::uint32_t>(needed > buffer.size() ? needed : list_.size());
  }
  std::uint32_t GetDriveType(const std::string& root) override {
    ++type_queries;
    Check(root.find('\0') == std::string::npos && !root.empty(), "roots are non-empty, NUL-free");
    // Any fixed rule will do: roots of odd length are CD drives.
    return root.size() % 2 == 1 ? kDriveCdrom : kDriveFixed;
  }

  int calls = 0;
  int type_queries = 0;

 private:
  std::string_view list_;
  bool honest_;
  std::uint32_t reported_;
};

class RecordingList : public DriveListControl {
 public:
  void AddItem(const std::string& entry) override { items.push_back(entry); }
  std::vector<std::string> items;
};

void CheckDriveList(std::string_view input, bool honest) {
  std::uint32_t reported = 0;
  // The liar's length comes from the first two bytes: up to 65535, beyond any list of roots.
  for (std::size_t i = 0; i < std::min<std::size_t>(input.size(), sizeof(std::uint16_t)); ++i) {
    reported |= static_cast<std::uint32_t>(static_cast<unsigned char>(input[i]))
                << (kBitsPerByte * i);
  }
  FuzzedDriveList drives(input, honest, reported);
  const std::string list = io::GetDriveStrings(drives);
  Check(drives.calls <= kMaxListReads, "the list is read at most twice");
  Check(list.size() <= io::kMaxDriveListLength, "the list is within 26 roots");

  FuzzedDriveList again(input, honest, reported);
  RecordingList control;
  io::FillCdDriveList(again, control);
  Check(static_cast<std::size_t>(again.type_queries) <= list.size(), "one query per root at most");
  for (const std::string& item : control.items) {
    Check(!item.empty() && item.size() % 2 == 1, "only roots the platform calls CD drives");
    Check(list.find(item + '\0') != std::string::npos, "every entry is a root of the list");
  }
}

}  // namespace
}  // namespace ventrix::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace ventrix::fuzzing;
  const std::string input(reinterpret_cast<const char*>(data), size);
  CheckNormalisation(input);
  for (const Request request :
       {Request::kLock, Request::kUnlock, Request::kEject, Request::kLoad}) {
    for (const bool opens : {false, true}) {
      for (const bool accepts : {false, true}) CheckRequest(input, request, opens, accepts);
    }
  }
  CheckDriveList(input, /*honest=*/true);
  CheckDriveList(input, /*honest=*/false);
  return 0;
}
