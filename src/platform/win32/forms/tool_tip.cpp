#include "platform/win32/forms/tool_tip.h"

#include <commctrl.h>

namespace ventrix::win32::ui {

namespace {

// The size every common-controls version accepts (the later fields are optional).
const UINT kToolInfoSize = TTTOOLINFOA_V2_SIZE;
// Wide enough for a sentence before the tip wraps.
constexpr LPARAM kMaxTipWidth = 400;

TOOLINFOA ToolFor(HWND owner, HWND tool) {
  TOOLINFOA info{};
  info.cbSize = kToolInfoSize;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = owner;
  info.uId = reinterpret_cast<UINT_PTR>(tool);
  return info;
}

}  // namespace

ToolTip::ToolTip(HWND owner, HINSTANCE instance)
    : owner_(owner),
      window_(CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                              WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, instance, nullptr)) {
  if (window_) SendMessageA(window_.get(), TTM_SETMAXTIPWIDTH, 0, kMaxTipWidth);
}

void ToolTip::Set(HWND tool, const std::string& text) {
  if (!window_ || tool == nullptr) return;
  TOOLINFOA info = ToolFor(owner_, tool);
  SendMessageA(window_.get(), TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
  if (text.empty()) return;
  // The tooltip keeps its own copy of the text.
  info.lpszText = const_cast<char*>(text.c_str());
  SendMessageA(window_.get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

}  // namespace ventrix::win32::ui
