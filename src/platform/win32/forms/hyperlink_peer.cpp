#include "platform/win32/forms/hyperlink_peer.h"

#include "platform/win32/forms/fonts.h"
#include "platform/win32/forms/form_window.h"
#include "platform/win32/forms/label_peer.h"

namespace ventrix::win32::ui {

HyperlinkPeer::HyperlinkPeer(FormWindow& host, Hyperlink& link, int id)
    : NativeControl(host, link, id), link_(link) {
  // An address is shown as it is: "&" marks no access key here.
  CreateChild("STATIC", link.Caption(), SS_NOTIFY | SS_NOPREFIX | SS_LEFT);
  ApplyFont();
}

void HyperlinkPeer::ApplyFont() {
  if (hwnd() == nullptr) return;
  forms::Font font = link_.font();
  font.underline = true;
  SharedFont shared = host().font(font);
  SendMessageA(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(shared.get()), TRUE);
  font_ = std::move(shared);  // the control no longer uses the previous font
}

void HyperlinkPeer::OnDpiChanged() {
  ApplyFont();
  NativeControl::OnDpiChanged();
}

void HyperlinkPeer::OnCommand(int code) {
  if (code != STN_CLICKED) return;
  Hyperlink& link = link_;
  host().Raise([&link] { link.Click(); });
}

HBRUSH HyperlinkPeer::OnCtlColor(HDC dc) { return PaintLabelColors(dc, kLinkColor); }

}  // namespace ventrix::win32::ui
