#include "platform/win32/forms/hyperlink_peer.h"

#include "platform/win32/forms/colors.h"
#include "platform/win32/forms/form_window.h"
#include "platform/win32/forms/handles.h"
#include "platform/win32/forms/link_accessible.h"

namespace ventrix::win32::ui {

namespace {

// An address is shown as it is: "&" marks no access key here.
constexpr UINT kTextFormat = DT_SINGLELINE | DT_LEFT | DT_TOP | DT_NOPREFIX;
// Bit 30 of a key message's lParam: the key was already down (auto-repeat).
constexpr LPARAM kKeyWasDown = 1 << 30;

}  // namespace

HyperlinkPeer::HyperlinkPeer(FormWindow& host, Hyperlink& link, int id)
    : PaintedControl(host, link, id), link_(link) {
  // The text is the window's text, which names it for a screen reader.
  CreatePainted(link.Caption(), WS_TABSTOP);
  ApplyFont();
}

void HyperlinkPeer::ApplyFont() {
  forms::Font font = link_.font();
  font.underline = true;
  font_ = host().font(font);
  if (hwnd() != nullptr) InvalidateRect(hwnd(), nullptr, TRUE);
}

void HyperlinkPeer::OnDpiChanged() {
  ApplyFont();
  NativeControl::OnDpiChanged();
}

void HyperlinkPeer::Paint(HDC dc, const RECT& client) {
  const forms::Color colour = link_.ShownColor();
  FillRect(dc, &client, GetSysColorBrush(PartnerBackground(colour)));
  SelectedObject font(dc, font_.get());
  SetTextColor(dc, ToColorRef(colour, COLOR_HOTLIGHT));
  SetBkMode(dc, TRANSPARENT);
  const std::string& text = link_.Caption();
  RECT place = client;
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &place, kTextFormat);
  if (GetFocus() != hwnd()) return;
  // The focus cue shows once the keyboard has been used in the window, as on a button.
  const auto ui_state = static_cast<UINT>(SendMessageA(hwnd(), WM_QUERYUISTATE, 0, 0));
  if ((ui_state & UISF_HIDEFOCUS) != 0) return;
  RECT extent = client;
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &extent, kTextFormat | DT_CALCRECT);
  IntersectRect(&extent, &extent, &client);
  DrawFocusRect(dc, &extent);
}

void HyperlinkPeer::OnMouseDown() { Open(); }

void HyperlinkPeer::Open() {
  Hyperlink& link = link_;
  host().Raise([&link] { link.Click(); });
}

bool HyperlinkPeer::OnOtherMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
  switch (message) {
    case WM_GETDLGCODE:
      // Enter comes here rather than to the window's default button.
      result = wparam == VK_RETURN ? DLGC_WANTMESSAGE : 0;
      return true;
    case WM_KEYDOWN:
      if ((wparam != VK_RETURN && wparam != VK_SPACE) || (lparam & kKeyWasDown) != 0) break;
      Open();
      result = 0;
      return true;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_UPDATEUISTATE:
      InvalidateRect(hwnd(), nullptr, TRUE);
      break;
    case WM_GETOBJECT:
      // 0 (no object, or a failed hand-over) leaves the answer to the default procedure.
      result = AnswerLinkObject(hwnd(), wparam, lparam);
      return result != 0;
    default:
      if (message == kFollowLinkMessage) {
        Open();
        result = 0;
        return true;
      }
      break;
  }
  return false;
}

}  // namespace ventrix::win32::ui
