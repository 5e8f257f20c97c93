#include "platform/win32/wininet_library.h"

#include <optional>
#include <utility>

namespace ventrix::win32 {

std::shared_ptr<const WinInet> WinInet::Load(const std::string& file_name) {
  std::optional<SystemLibrary> library = SystemLibrary::Load(file_name);
  if (!library) return nullptr;
  WinInetFunctions found;
  const bool complete =
      library->Bind("InternetOpenA", found.InternetOpenA) &&
      library->Bind("InternetSetOptionA", found.InternetSetOptionA) &&
      library->Bind("InternetOpenUrlA", found.InternetOpenUrlA) &&
      library->Bind("HttpQueryInfoA", found.HttpQueryInfoA) &&
      library->Bind("InternetCombineUrlA", found.InternetCombineUrlA) &&
      library->Bind("InternetQueryDataAvailable", found.InternetQueryDataAvailable) &&
      library->Bind("InternetReadFile", found.InternetReadFile) &&
      library->Bind("InternetCloseHandle", found.InternetCloseHandle);
  if (!complete) return nullptr;
  return std::make_shared<const WinInet>(std::move(*library), found);
}

std::shared_ptr<const WinInet> WinInetLoader::Get() {
  std::lock_guard lock(mutex_);
  if (!loaded_) loaded_ = WinInet::Load(file_name_);
  return loaded_;
}

}  // namespace ventrix::win32
