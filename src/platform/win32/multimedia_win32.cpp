#include "platform/win32/multimedia_win32.h"

#include <windows.h>
// mmsystem.h relies on the base types of windows.h.
#include <mmsystem.h>

#include <algorithm>
#include <vector>

namespace ventrix::win32 {

static_assert(Win32Multimedia::kLibraryUnavailable == MCIERR_CANNOT_LOAD_DRIVER);

// https://learn.microsoft.com/previous-versions/dd757161(v=vs.85)
std::uint32_t Win32Multimedia::SendString(const std::string& command, std::size_t return_length) {
  // A failed load is tried again by the next command.
  if (!library_) library_ = SystemLibrary::Load(library_name_);
  const auto send =
      library_ ? library_->Find<decltype(::mciSendStringA)>("mciSendStringA") : nullptr;
  if (send == nullptr) return kLibraryUnavailable;
  std::vector<char> answer(std::min(return_length, kMaxReturnLength), '\0');
  char* const buffer = answer.empty() ? nullptr : answer.data();
  return send(command.c_str(), buffer, static_cast<UINT>(answer.size()), nullptr);
}

}  // namespace ventrix::win32
