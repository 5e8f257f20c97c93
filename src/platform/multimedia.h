#pragma once
// Multimedia command strings (mciSendStringA).

#include <cstddef>
#include <cstdint>
#include <string>

namespace ventrix {

class MultimediaCommands {
 public:
  virtual ~MultimediaCommands() = default;
  // Sends the command with a return buffer of the given length and no notification window;
  // returns the platform's result code.
  virtual std::uint32_t SendString(const std::string& command, std::size_t return_length) = 0;
};

}  // namespace ventrix
