#pragma once
// What a drive's answers say about its tray: MECHANISM STATUS's header and TEST UNIT READY's
// status and sense data, read from the bytes the drive returned.

#include <cstdint>
#include <optional>
#include <span>

namespace ventrix {

enum class TrayReading { kUnknown, kOpen, kClosed };

// One SCSI command as the drive answered it: the status byte, then the sense bytes and the data
// bytes it returned (each as long as the drive said it wrote).
struct ScsiAnswer {
  std::uint8_t status = 0;
  std::span<const std::uint8_t> sense;
  std::span<const std::uint8_t> data;
};

inline constexpr std::uint8_t kScsiStatusGood = 0x00;
inline constexpr std::uint8_t kScsiStatusCheckCondition = 0x02;
// The MECHANISM STATUS header (MMC) that tells the door: 8 bytes, all that is asked for.
inline constexpr std::uint8_t kMechanismHeaderLength = 8;

// MECHANISM STATUS (0xBD): the header's door-open bit. Unknown for a request that failed
// (nothing), a status other than GOOD, or fewer bytes than the header.
TrayReading ReadMechanismStatus(const std::optional<ScsiAnswer>& answer);

// TEST UNIT READY: GOOD means a disc is in and the tray closed; CHECK CONDITION with NOT READY,
// MEDIUM NOT PRESENT tells closed (ASCQ 1) or open (ASCQ 2). Anything else is unknown: a failed
// request, ASCQ 0 (the drive cannot tell), other sense, deferred errors, short or malformed sense.
TrayReading ReadTestUnitReady(const std::optional<ScsiAnswer>& answer);

}  // namespace ventrix
