#include "drive/tray_answers.h"

#include <cstddef>

namespace ventrix {

namespace {

// MECHANISM STATUS header: byte 1 bit 4 the door (tray) open.
constexpr std::size_t kDoorByte = 1;
constexpr std::uint8_t kDoorOpenBit = 0x10;

// Sense data (SPC): the response code in byte 0's low seven bits. Only current errors describe
// the command just sent; deferred ones (0x71, 0x73) belong to an earlier one.
constexpr std::uint8_t kResponseCodeMask = 0x7F;
constexpr std::uint8_t kFixedCurrent = 0x70;
constexpr std::uint8_t kDescriptorCurrent = 0x72;
constexpr std::uint8_t kSenseKeyMask = 0x0F;
// Fixed format: key in byte 2, additional length in byte 7, ASC and ASCQ in bytes 12 and 13.
constexpr std::size_t kFixedKeyByte = 2;
constexpr std::size_t kFixedAdditionalLengthByte = 7;
constexpr std::size_t kFixedAscByte = 12;
constexpr std::size_t kFixedAscqByte = 13;
// Descriptor format: key, ASC and ASCQ in bytes 1 to 3.
constexpr std::size_t kDescriptorKeyByte = 1;
constexpr std::size_t kDescriptorAscByte = 2;
constexpr std::size_t kDescriptorAscqByte = 3;

constexpr std::uint8_t kNotReady = 0x02;
constexpr std::uint8_t kMediumNotPresent = 0x3A;
constexpr std::uint8_t kTrayClosed = 0x01;
constexpr std::uint8_t kTrayOpen = 0x02;

struct Sense {
  std::uint8_t key;
  std::uint8_t asc;
  std::uint8_t ascq;
};

// The key, ASC and ASCQ of current sense data, when the bytes hold them.
std::optional<Sense> ReadSense(std::span<const std::uint8_t> sense) {
  if (sense.empty()) return std::nullopt;
  switch (sense[0] & kResponseCodeMask) {
    case kFixedCurrent:
      // ASC and ASCQ must be within both the bytes returned and the length the drive gave.
      if (sense.size() <= kFixedAscqByte ||
          kFixedAdditionalLengthByte + sense[kFixedAdditionalLengthByte] < kFixedAscqByte) {
        return std::nullopt;
      }
      return Sense{static_cast<std::uint8_t>(sense[kFixedKeyByte] & kSenseKeyMask),
                   sense[kFixedAscByte], sense[kFixedAscqByte]};
    case kDescriptorCurrent:
      if (sense.size() <= kDescriptorAscqByte) return std::nullopt;
      return Sense{static_cast<std::uint8_t>(sense[kDescriptorKeyByte] & kSenseKeyMask),
                   sense[kDescriptorAscByte], sense[kDescriptorAscqByte]};
    default:
      return std::nullopt;
  }
}

}  // namespace

TrayReading ReadMechanismStatus(const std::optional<ScsiAnswer>& answer) {
  if (!answer || answer->status != kScsiStatusGood ||
      answer->data.size() < kMechanismHeaderLength) {
    return TrayReading::kUnknown;
  }
  return (answer->data[kDoorByte] & kDoorOpenBit) != 0 ? TrayReading::kOpen : TrayReading::kClosed;
}

TrayReading ReadTestUnitReady(const std::optional<ScsiAnswer>& answer) {
  if (!answer) return TrayReading::kUnknown;
  if (answer->status == kScsiStatusGood) return TrayReading::kClosed;
  if (answer->status != kScsiStatusCheckCondition) return TrayReading::kUnknown;
  const std::optional<Sense> sense = ReadSense(answer->sense);
  if (!sense || sense->key != kNotReady || sense->asc != kMediumNotPresent) {
    return TrayReading::kUnknown;
  }
  switch (sense->ascq) {
    case kTrayClosed:
      return TrayReading::kClosed;
    case kTrayOpen:
      return TrayReading::kOpen;
    default:
      return TrayReading::kUnknown;
  }
}

}  // namespace ventrix
