#pragma once
// The system's SCSI_PASS_THROUGH header (ntddscsi.h), field by field as the system lays it out,
// so a request can be built without <windows.h>. The request buffer holds this header, then the
// sense buffer and the data buffer at the offsets it names; the driver writes the status, the
// sense and the data back into the same buffer.
// https://learn.microsoft.com/windows-hardware/drivers/ddi/ntddscsi/ns-ntddscsi-_scsi_pass_through

#include <cstddef>
#include <cstdint>

namespace ventrix {

inline constexpr std::size_t kScsiCdbCapacity = 16;

struct ScsiPassThrough {
  std::uint16_t length;  // sizeof(ScsiPassThrough)
  std::uint8_t scsi_status;
  std::uint8_t path_id;
  std::uint8_t target_id;
  std::uint8_t lun;
  std::uint8_t cdb_length;
  std::uint8_t sense_info_length;  // on return: the sense bytes written
  std::uint8_t data_in;
  std::uint32_t data_transfer_length;  // on return: the data bytes transferred
  std::uint32_t time_out_value;        // seconds
  std::uintptr_t data_buffer_offset;   // ULONG_PTR: pointer-sized
  std::uint32_t sense_info_offset;
  std::uint8_t cdb[kScsiCdbCapacity];
};

// 44 bytes in a 32-bit process, 56 in a 64-bit one (the ULONG_PTR and its alignment).
inline constexpr std::size_t kScsiPassThroughSize32 = 44;
inline constexpr std::size_t kScsiPassThroughSize64 = 56;
static_assert(sizeof(ScsiPassThrough) == (sizeof(void*) == sizeof(std::uint64_t)
                                              ? kScsiPassThroughSize64
                                              : kScsiPassThroughSize32),
              "the system's layout of SCSI_PASS_THROUGH");

// data_in.
inline constexpr std::uint8_t kScsiDataIn = 1;           // SCSI_IOCTL_DATA_IN
inline constexpr std::uint8_t kScsiDataUnspecified = 2;  // SCSI_IOCTL_DATA_UNSPECIFIED

}  // namespace ventrix
