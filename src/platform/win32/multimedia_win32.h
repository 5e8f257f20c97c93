#pragma once
// MultimediaCommands over mciSendStringA.

#include "platform/multimedia.h"

namespace ventrix::win32 {

class Win32Multimedia : public MultimediaCommands {
 public:
  // Return buffers are never larger than this, whatever length is asked for.
  static constexpr std::size_t kMaxReturnLength = 4096;

  std::uint32_t SendString(const std::string& command, std::size_t return_length) override;
};

}  // namespace ventrix::win32
