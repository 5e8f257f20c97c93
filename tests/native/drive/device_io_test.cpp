#include "drive/device_io.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/types.h"
#include "tests/support/fake_services.h"

namespace ventrix {
namespace {

using testing::FakeDeviceControl;

TEST(StripTrailingBackslash, TrimsBlanksThenOneBackslash) {
  EXPECT_EQ(basDeviceIO::StripTrailingBackslash(" D:\\ "), "D:");
  EXPECT_EQ(basDeviceIO::StripTrailingBackslash("D:"), "D:");
  EXPECT_EQ(basDeviceIO::StripTrailingBackslash("D:\\\\"), "D:\\");
  EXPECT_EQ(basDeviceIO::StripTrailingBackslash("\\"), "");
  EXPECT_EQ(basDeviceIO::StripTrailingBackslash(""), "");
  EXPECT_EQ(basDeviceIO::StripTrailingBackslash("   "), "");
  EXPECT_EQ(basDeviceIO::StripTrailingBackslash("D:\\ \\"), "D:\\ ");
}

TEST(DeviceRequests, LockOpensTheDevicePathAndSendsThePreventByte) {
  for (const bool lock : {true, false}) {
    FakeDeviceControl devices;
    std::string drive = "D:\\";
    EXPECT_EQ(basDeviceIO::SetMediaLock(devices, drive, lock), kTrue);
    EXPECT_EQ(drive, "D:");
    ASSERT_EQ(devices.calls.size(), 1u);
    const testing::DeviceCall& call = devices.calls[0];
    EXPECT_EQ(call.path, "\\\\.\\D:");
    EXPECT_EQ(call.access, 0x80000000u);
    EXPECT_EQ(call.share, 3u);
    EXPECT_EQ(call.disposition, 3u);
    EXPECT_EQ(call.codes, std::vector<std::uint32_t>{0x2D4804});
    ASSERT_EQ(call.inputs.size(), 1u);
    EXPECT_EQ(call.inputs[0], std::vector<std::uint8_t>{lock ? std::uint8_t{1} : std::uint8_t{0}});
    EXPECT_EQ(call.closes, 1);
  }
}

TEST(DeviceRequests, LockReportsRejectionAndFailedOpen) {
  FakeDeviceControl devices;
  std::string drive = "E:";
  devices.request_succeeds = false;
  EXPECT_EQ(basDeviceIO::SetMediaLock(devices, drive, true), kFalse);
  EXPECT_EQ(devices.calls.back().closes, 1);

  devices.open_succeeds = false;
  drive = " D:\\ ";
  EXPECT_EQ(basDeviceIO::SetMediaLock(devices, drive, true), kFalse);
  EXPECT_EQ(drive, "D:");
  EXPECT_EQ(devices.calls.back().path, "\\\\.\\D:");
  EXPECT_TRUE(devices.calls.back().codes.empty());
  EXPECT_EQ(devices.calls.back().closes, 0);
}

TEST(DeviceRequests, CommandSendsTheCodeWithoutInputAndFlagsOnlyARejection) {
  struct Case {
    bool opens, accepted;
    std::int16_t outcome;
  };
  for (const Case c :
       {Case{true, true, kFalse}, Case{true, false, kTrue}, Case{false, true, kFalse}}) {
    for (const std::uint32_t code : {kIoctlStorageEjectMedia, kIoctlStorageLoadMedia}) {
      FakeDeviceControl devices;
      devices.open_succeeds = c.opens;
      devices.request_succeeds = c.accepted;
      std::string drive = "D:\\";
      EXPECT_EQ(basDeviceIO::SendDriveCommand(devices, drive, code), c.outcome);
      EXPECT_EQ(drive, "D:");
      ASSERT_EQ(devices.calls.size(), 1u);
      const testing::DeviceCall& call = devices.calls[0];
      EXPECT_EQ(call.path, "\\\\.\\D:");
      EXPECT_EQ(call.access, kGenericRead);
      EXPECT_EQ(call.share, kFileShareReadWrite);
      EXPECT_EQ(call.disposition, kOpenExisting);
      if (c.opens) {
        EXPECT_EQ(call.codes, std::vector<std::uint32_t>{code});
        EXPECT_EQ(call.inputs, std::vector<std::vector<std::uint8_t>>{{}});
        EXPECT_EQ(call.closes, 1);
      } else {
        EXPECT_TRUE(call.codes.empty());
        EXPECT_EQ(call.closes, 0);
      }
    }
  }
}

TEST(DeviceRequests, OnlyAPlainDriveNameReachesThePlatform) {
  const std::vector<std::pair<std::string, std::string>> refused = {
      {"PhysicalDrive0", "PhysicalDrive0"},
      {"D:\\..", "D:\\.."},
      {"C:x", "C:x"},
      {"", ""},
      {"\\", ""},
      {"D", "D"},
      {"1:", "1:"},
      {"D:\\\\", "D:\\"},
      {"\\\\.\\D:", "\\\\.\\D:"},
      {std::string("D:\0", 3), std::string("D:\0", 3)},
      {"\xC4:", "\xC4:"},
  };
  for (const auto& [given, normalised] : refused) {
    FakeDeviceControl devices;
    std::string locked = given;
    std::string ejected = given;
    EXPECT_EQ(basDeviceIO::SetMediaLock(devices, locked, true), kFalse) << given;
    EXPECT_EQ(basDeviceIO::SendDriveCommand(devices, ejected, kIoctlStorageEjectMedia), kFalse);
    EXPECT_TRUE(devices.calls.empty()) << given;
    EXPECT_EQ(locked, normalised);
    EXPECT_EQ(ejected, normalised);
  }
  for (const std::string accepted : {"a:", "Z:\\", " c: "}) {
    FakeDeviceControl devices;
    std::string drive = accepted;
    EXPECT_EQ(basDeviceIO::SetMediaLock(devices, drive, false), kTrue) << accepted;
    ASSERT_EQ(devices.calls.size(), 1u);
    EXPECT_EQ(devices.calls[0].path, "\\\\.\\" + drive);
  }
}

}  // namespace
}  // namespace ventrix
