// The drive module on the real platform: drive listing with D: configured as a CD-ROM drive in
// the test prefix, and the device requests that reach a drive.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "drive/device_io.h"
#include "drive/tray_question.h"
#include "platform/types.h"
#include "platform/win32/device_control_win32.h"
#include "platform/win32/multimedia_win32.h"

namespace ventrix::win32 {
namespace {

struct RecordingList : DriveListControl {
  std::vector<std::string> items;
  void AddItem(const std::string& entry) override { items.push_back(entry); }
};

// The real device control, with each call noted on the way through.
class WatchedDevices : public DeviceControl {
 public:
  std::vector<std::string> paths;
  std::vector<DeviceHandle> opened;
  std::vector<std::uint32_t> codes;
  std::vector<bool> answers;
  std::vector<DeviceHandle> closed;
  std::vector<bool> still_valid_after_close;

  DeviceHandle CreateFile(const std::string& path, std::uint32_t access, std::uint32_t share,
                          std::uint32_t disposition) override {
    paths.push_back(path);
    const DeviceHandle handle = real_.CreateFile(path, access, share, disposition);
    if (handle != kInvalidDevice) opened.push_back(handle);
    return handle;
  }
  bool DeviceIoControl(DeviceHandle device, std::uint32_t code,
                       std::span<const std::uint8_t> input) override {
    codes.push_back(code);
    answers.push_back(real_.DeviceIoControl(device, code, input));
    return answers.back();
  }
  bool DeviceIoControlInOut(DeviceHandle device, std::uint32_t code,
                            std::span<std::uint8_t> buffer) override {
    codes.push_back(code);
    answers.push_back(real_.DeviceIoControlInOut(device, code, buffer));
    return answers.back();
  }
  void CloseHandle(DeviceHandle device) override {
    closed.push_back(device);
    real_.CloseHandle(device);
    DWORD flags = 0;
    still_valid_after_close.push_back(
        GetHandleInformation(reinterpret_cast<HANDLE>(device), &flags) != FALSE);
  }

 private:
  Win32DeviceControl real_;
};

TEST(Win32DriveEnumeration, ListsTheCdromDriveAndNotTheFixedDisk) {
  Win32DriveEnumeration drives;
  EXPECT_EQ(drives.GetDriveType("D:\\"), kDriveCdrom);
  EXPECT_NE(drives.GetDriveType("C:\\"), kDriveCdrom);

  const std::string list = basDeviceIO::GetDriveStrings(drives);
  EXPECT_NE(list.find(std::string("C:\\\0", 4)), std::string::npos);
  EXPECT_EQ(list.back(), '\0');

  RecordingList control;
  basDeviceIO::FillCdDriveList(drives, control);
  EXPECT_EQ(control.items, std::vector<std::string>{"D:\\"});
}

TEST(Win32DeviceControl, RequestsReachTheCdromDeviceAndAreRejected) {
  WatchedDevices devices;
  std::string drive = "D:\\";
  // The folder-backed drive opens but has no device to eject: the rejection is flagged.
  EXPECT_EQ(basDeviceIO::SendDriveCommand(devices, drive, kIoctlStorageEjectMedia), kTrue);
  EXPECT_EQ(drive, "D:");
  EXPECT_EQ(basDeviceIO::SetMediaLock(devices, drive, true), kFalse);

  EXPECT_EQ(devices.paths, (std::vector<std::string>{"\\\\.\\D:", "\\\\.\\D:"}));
  ASSERT_EQ(devices.opened.size(), 2u);
  EXPECT_EQ(devices.codes,
            (std::vector<std::uint32_t>{kIoctlStorageEjectMedia, kIoctlStorageMediaRemoval}));
  EXPECT_EQ(devices.answers, (std::vector<bool>{false, false}));
  EXPECT_EQ(devices.closed, devices.opened);
  EXPECT_EQ(devices.still_valid_after_close, (std::vector<bool>{false, false}));
}

TEST(Win32DeviceControl, AnUnconfiguredLetterFailsToOpen) {
  WatchedDevices devices;
  std::string drive = "Q:\\";
  EXPECT_EQ(basDeviceIO::SetMediaLock(devices, drive, true), kFalse);
  EXPECT_EQ(basDeviceIO::SendDriveCommand(devices, drive, kIoctlStorageLoadMedia), kFalse);
  EXPECT_EQ(drive, "Q:");
  EXPECT_EQ(devices.paths, (std::vector<std::string>{"\\\\.\\Q:", "\\\\.\\Q:"}));
  EXPECT_TRUE(devices.opened.empty());
  EXPECT_TRUE(devices.codes.empty());
  EXPECT_TRUE(devices.closed.empty());
}

// Wine's folder-backed drive has no device to pass a SCSI command to, nor one that is ready: it
// cannot tell its tray, and the read-write handle asked on is closed again.
TEST(Win32DeviceControl, TheTrayQuestionReachesTheDriveWhichCannotTell) {
  WatchedDevices devices;
  EXPECT_EQ(AskTray(devices, "D:\\"), TrayReading::kUnknown);
  EXPECT_EQ(devices.paths, std::vector<std::string>{"\\\\.\\D:"});
  ASSERT_EQ(devices.opened.size(), 1u);
  EXPECT_EQ(devices.codes, (std::vector<std::uint32_t>{kIoctlScsiPassThrough, kIoctlScsiPassThrough,
                                                       kIoctlStorageCheckVerify2}));
  EXPECT_EQ(devices.answers, (std::vector<bool>{false, false, false}));
  EXPECT_EQ(devices.closed, devices.opened);
}

TEST(Win32Multimedia, ReportsTheResultOfACommandString) {
  Win32Multimedia multimedia;
  constexpr std::size_t kReturnLength = 127;
  // The library's own answer to an unknown command, not a failure to load it.
  EXPECT_NE(multimedia.SendString("no such command", kReturnLength), 0u);
  EXPECT_NE(multimedia.SendString("no such command", kReturnLength),
            Win32Multimedia::kLibraryUnavailable);
  EXPECT_NE(multimedia.SendString("no such command", 0), 0u);
}

// The library is loaded by the first command; when it cannot be (missing, or without
// mciSendStringA), every command fails, the door commands included.
TEST(Win32Multimedia, FailsEveryCommandWithoutItsLibrary) {
  for (const char* library : {"ventrix_missing_winmm.dll", "kernel32.dll"}) {
    Win32Multimedia multimedia(library);
    EXPECT_EQ(multimedia.SendString("set CDAudio door open", 0),
              Win32Multimedia::kLibraryUnavailable)
        << library;
    EXPECT_EQ(multimedia.SendString("set CDAudio door closed", 0),
              Win32Multimedia::kLibraryUnavailable)
        << library;
  }
}

}  // namespace
}  // namespace ventrix::win32
