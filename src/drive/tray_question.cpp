#include "drive/tray_question.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

#include "drive/device_io.h"
#include "platform/scsi_pass_through.h"

namespace ventrix {

namespace {

// A command descriptor block and how much data it reads.
struct ScsiCommand {
  std::array<std::uint8_t, kScsiCdbCapacity> cdb;
  std::uint8_t cdb_length;
  std::uint32_t data_length;
};

constexpr std::uint8_t kMechanismStatusCode = 0xBD;
constexpr std::uint8_t kTwelveByteCdb = 12;
constexpr std::uint8_t kSixByteCdb = 6;
// MECHANISM STATUS's allocation length sits in bytes 8 and 9 (big-endian): the header only.
constexpr ScsiCommand kMechanismStatus{
    {kMechanismStatusCode, 0, 0, 0, 0, 0, 0, 0, 0, kMechanismHeaderLength},
    kTwelveByteCdb,
    kMechanismHeaderLength};
// TEST UNIT READY is six zero bytes and reads nothing.
constexpr ScsiCommand kTestUnitReady{{}, kSixByteCdb, 0};

// Room for fixed-format sense (18 bytes) and for descriptor-format sense with descriptors.
constexpr std::uint8_t kSenseLength = 32;
// Either command answers at once on a working drive; a hung one holds the window this long.
constexpr std::uint32_t kTimeoutSeconds = 5;
// The sense and data buffers follow the header, each on an 8-byte boundary.
constexpr std::size_t kBufferAlignment = 8;
constexpr std::size_t kSenseOffset =
    (sizeof(ScsiPassThrough) + kBufferAlignment - 1) / kBufferAlignment * kBufferAlignment;
constexpr std::size_t kDataOffset = kSenseOffset + kSenseLength;

// Sends one command through SCSI pass-through and hands its answer (or nothing, when the request
// failed) to `read`, while the buffer it points into still exists.
TrayReading PassThrough(DeviceControl& devices, DeviceHandle device, const ScsiCommand& command,
                        TrayReading (*read)(const std::optional<ScsiAnswer>&)) {
  ScsiPassThrough header{};
  header.length = sizeof(header);
  header.cdb_length = command.cdb_length;
  header.sense_info_length = kSenseLength;
  header.data_in = command.data_length > 0 ? kScsiDataIn : kScsiDataUnspecified;
  header.data_transfer_length = command.data_length;
  header.time_out_value = kTimeoutSeconds;
  header.data_buffer_offset = command.data_length > 0 ? kDataOffset : 0;
  header.sense_info_offset = kSenseOffset;
  std::copy(command.cdb.begin(), command.cdb.end(), header.cdb);

  std::vector<std::uint8_t> buffer(kDataOffset + command.data_length, 0);
  std::memcpy(buffer.data(), &header, sizeof(header));
  if (!devices.DeviceIoControlInOut(device, kIoctlScsiPassThrough, buffer)) return read({});
  std::memcpy(&header, buffer.data(), sizeof(header));
  // The lengths come back from the driver: never read past what was asked for.
  const std::span<const std::uint8_t> bytes(buffer);
  const ScsiAnswer answer{
      .status = header.scsi_status,
      .sense = bytes.subspan(kSenseOffset,
                             std::min<std::size_t>(header.sense_info_length, kSenseLength)),
      .data = bytes.subspan(
          kDataOffset, std::min<std::size_t>(header.data_transfer_length, command.data_length))};
  return read(answer);
}

}  // namespace

TrayReading AskTray(DeviceControl& devices, std::string drive) {
  const basDeviceIO::OpenDevice device =
      basDeviceIO::OpenDrive(devices, drive, kGenericRead | kGenericWrite);
  if (!device.IsOpen()) return TrayReading::kUnknown;
  for (const auto& [command, read] : {std::pair{&kMechanismStatus, &ReadMechanismStatus},
                                      std::pair{&kTestUnitReady, &ReadTestUnitReady}}) {
    const TrayReading reading = PassThrough(devices, device.get(), *command, read);
    if (reading != TrayReading::kUnknown) return reading;
  }
  return devices.DeviceIoControl(device.get(), kIoctlStorageCheckVerify2, {})
             ? TrayReading::kClosed
             : TrayReading::kUnknown;
}

}  // namespace ventrix
