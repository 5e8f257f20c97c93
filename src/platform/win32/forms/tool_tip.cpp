#include "platform/win32/forms/tool_tip.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/win32/dpi_win32.h"

namespace ventrix::win32::ui {

namespace {

// The size every common-controls version accepts (the later fields are optional).
const UINT kToolInfoSize = TTTOOLINFOA_V2_SIZE;
// Wide enough for a sentence before the tip wraps.
constexpr int kMaxTipWidth = 400;

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
    : owner_(owner), instance_(instance), dpi_(SystemDpi()) {}

void ToolTip::set_dpi(int dpi) {
  if (dpi == dpi_) return;
  dpi_ = dpi;
  if (window_) ApplyDpi();
}

void ToolTip::ApplyDpi() {
  SendMessageA(window_.get(), TTM_SETMAXTIPWIDTH, 0, ScaleForDpi(kMaxTipWidth, dpi_));
  // At the system DPI the tooltip keeps its own font, the system's status font; at any other
  // DPI it gets that font scaled.
  const int system_dpi = SystemDpi();
  if (dpi_ == system_dpi && !font_) return;
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof(metrics);  // the size without the later fields, known everywhere
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return;
  metrics.lfStatusFont.lfHeight = MulDiv(metrics.lfStatusFont.lfHeight, dpi_, system_dpi);
  FontHandle font(CreateFontIndirectA(&metrics.lfStatusFont));
  if (!font) return;
  SendMessageA(window_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
  font_ = std::move(font);  // the tooltip no longer uses the previous one
}

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
  ApplyDpi();
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
