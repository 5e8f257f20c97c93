#pragma once
// MultimediaCommands over mciSendStringA. Only the Windows 98/Me door commands use it, so
// winmm.dll is loaded by the first command rather than at start-up.

#include <optional>
#include <string>

#include "platform/multimedia.h"
#include "platform/win32/system_library.h"

namespace ventrix::win32 {

inline constexpr char kWinMmLibrary[] = "winmm.dll";

class Win32Multimedia : public MultimediaCommands {
 public:
  // Return buffers are never larger than this, whatever length is asked for.
  static constexpr std::size_t kMaxReturnLength = 4096;
  // The result of every command while the library cannot be loaded (MCIERR_CANNOT_LOAD_DRIVER).
  static constexpr std::uint32_t kLibraryUnavailable = 266;

  // library: the system DLL with mciSendStringA; tests name one that is missing.
  explicit Win32Multimedia(std::string library = kWinMmLibrary)
      : library_name_(std::move(library)) {}

  std::uint32_t SendString(const std::string& command, std::size_t return_length) override;

 private:
  std::string library_name_;
  std::optional<SystemLibrary> library_;
};

}  // namespace ventrix::win32
