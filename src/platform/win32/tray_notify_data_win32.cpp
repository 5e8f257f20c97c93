#include "platform/win32/tray_notify_data_win32.h"

#include <shlwapi.h>

#include <cstddef>
#include <type_traits>

#include "platform/components/tray_icon.h"
#include "platform/win32/system_library.h"

namespace ventrix::win32 {
namespace {

constexpr DWORD kShellWithFullSize = 6;
// The full size must be the one Windows XP knows (ending at guidItem): its shell treats any
// other size as the original one and shows no balloon.
static_assert(sizeof(NOTIFYICONDATAA) ==
              offsetof(NOTIFYICONDATAA, guidItem) + sizeof(NOTIFYICONDATAA::guidItem));
constexpr DWORD kShellWithBalloons = 5;
// The tooltip field of the original structure layout.
constexpr std::size_t kOriginalTipSize = 64;
constexpr int kBalloonIconWarning = 2;
constexpr int kBalloonIconError = 3;

DWORD ShellMajorVersion() {
  const auto get_version = FindExport<std::remove_pointer_t<DLLGETVERSIONPROC>>(
      GetModuleHandleA("shell32.dll"), "DllGetVersion");
  if (get_version == nullptr) return 0;
  DLLVERSIONINFO info{};
  info.cbSize = sizeof(info);
  if (FAILED(get_version(&info))) return 0;
  return info.dwMajorVersion;
}

}  // namespace

// Asked again for each notification: shell32 is loaded already, and icons change rarely.
DWORD NotifyDataSize() {
  const DWORD major = ShellMajorVersion();
  if (major >= kShellWithFullSize) return static_cast<DWORD>(sizeof(NOTIFYICONDATAA));
  if (major == kShellWithBalloons) return static_cast<DWORD>(NOTIFYICONDATAA_V2_SIZE);
  return static_cast<DWORD>(NOTIFYICONDATAA_V1_SIZE);
}

void CopyToField(const std::string& text, char* field, std::size_t field_size) {
  if (field_size == 0) return;
  std::size_t length = 0;
  while (length < text.size()) {
    const std::size_t step = IsDBCSLeadByte(static_cast<BYTE>(text[length])) ? 2 : 1;
    if (length + step > field_size - 1 || length + step > text.size()) break;
    length += step;
  }
  text.copy(field, length);
  field[length] = '\0';
}

DWORD BalloonIconFlags(int balloon_icon) {
  switch (balloon_icon) {
    case kBalloonIconInfo:
      return NIIF_INFO;
    case kBalloonIconWarning:
      return NIIF_WARNING;
    case kBalloonIconError:
      return NIIF_ERROR;
    default:
      return NIIF_NONE;
  }
}

NOTIFYICONDATAA MakeNotifyData(HWND owner, UINT flags, const TrayNotifyContent& content) {
  NOTIFYICONDATAA data{};
  data.cbSize = NotifyDataSize();
  data.hWnd = owner;
  data.uID = kTrayIconId;
  data.uFlags = flags | (content.show_tip ? kNifShowTip : 0u);
  data.uCallbackMessage = kTrayCallbackMessage;
  data.hIcon = content.icon;
  const std::size_t tip_size =
      data.cbSize == NOTIFYICONDATAA_V1_SIZE ? kOriginalTipSize : sizeof(data.szTip);
  CopyToField(content.tooltip, data.szTip, tip_size);
  if (flags & NIF_INFO) {
    CopyToField(content.balloon_title, data.szInfoTitle, sizeof(data.szInfoTitle));
    CopyToField(content.balloon_text, data.szInfo, sizeof(data.szInfo));
    data.uTimeout = kBalloonTimeoutMs;
    data.dwInfoFlags = BalloonIconFlags(content.balloon_icon);
  }
  return data;
}

}  // namespace ventrix::win32
