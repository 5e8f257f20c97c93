#include "platform/win32/forms/picture_peer.h"

#include "platform/win32/dpi_win32.h"
#include "platform/win32/forms/form_window.h"
#include "platform/win32/forms/icons.h"

namespace ventrix::win32::ui {

PicturePeer::PicturePeer(FormWindow& host, forms::PictureControl& picture, int id)
    : PaintedControl(host, picture, id), picture_(picture) {
  CreatePainted();
  LoadPicture();
}

void PicturePeer::Paint(HDC dc, const RECT& client) {
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  if (!icon_) return;
  // Width and height 0 draw the icon at the size it was loaded with.
  const int width = picture_.Stretch() ? client.right : 0;
  const int height = picture_.Stretch() ? client.bottom : 0;
  DrawIconEx(dc, 0, 0, icon_.get(), width, height, 0, nullptr, DI_NORMAL);
}

void PicturePeer::OnDpiChanged() {
  NativeControl::OnDpiChanged();
  LoadPicture();
  if (hwnd() != nullptr) InvalidateRect(hwnd(), nullptr, TRUE);
}

void PicturePeer::SyncKind(forms::Change change) {
  if (hwnd() == nullptr) return;
  if (change == forms::Change::kPicture || change == forms::Change::kRect) {
    LoadPicture();
    InvalidateRect(hwnd(), nullptr, TRUE);
  }
}

void PicturePeer::LoadPicture() {
  if (hwnd() == nullptr) return;
  RECT client{};
  GetClientRect(hwnd(), &client);
  // A stretched icon is loaded at the control's size so the closest image is chosen; any other
  // at the large-icon size of the window's DPI.
  const int dpi = host().dpi();
  icon_ = picture_.Stretch()
              ? LoadIconResource(host().instance(), picture_.Picture(), client.right, client.bottom)
              : LoadIconResource(host().instance(), picture_.Picture(),
                                 SystemMetricForDpi(SM_CXICON, dpi),
                                 SystemMetricForDpi(SM_CYICON, dpi));
}

}  // namespace ventrix::win32::ui
