#include "platform/win32/forms/tool_tip.h"

#include <commctrl.h>

#include <algorithm>

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

void ToolTip::Set(HWND tool, const std::string& text) {
  if (tool == nullptr) return;
  if (window_) {
    Apply(tool, text);
    return;
  }
  std::erase_if(waiting_, [tool](const auto& tip) { return tip.first == tool; });
  if (!text.empty()) waiting_.emplace_back(tool, text);
}

void ToolTip::EnsureCreated() {
  if (window_ || owner_destroyed_ || owner_ == nullptr) return;
  window_.reset(CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner_, nullptr,
                                instance_, nullptr));
  if (!window_) return;
  SendMessageA(window_.get(), TTM_SETMAXTIPWIDTH, 0, kMaxTipWidth);
  for (const auto& [tool, text] : waiting_) {
    if (IsWindow(tool)) Apply(tool, text);
  }
  waiting_.clear();
}

void ToolTip::OnOwnerDestroyed() {
  owner_destroyed_ = true;
  (void)window_.release();
  waiting_.clear();
}

void ToolTip::Apply(HWND tool, const std::string& text) {
  TOOLINFOA info = ToolFor(owner_, tool);
  SendMessageA(window_.get(), TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
  if (text.empty()) return;
  // The tooltip keeps its own copy of the text.
  info.lpszText = const_cast<char*>(text.c_str());
  SendMessageA(window_.get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

}  // namespace ventrix::win32::ui
