#include "platform/win32/forms/label_peer.h"

#include "platform/win32/forms/colors.h"
#include "platform/win32/forms/fonts.h"
#include "platform/win32/forms/form_window.h"

namespace ventrix::win32::ui {

namespace {

DWORD AlignmentStyle(forms::Alignment alignment) {
  switch (alignment) {
    case forms::Alignment::kCenter:
      return SS_CENTER;
    case forms::Alignment::kRight:
      return SS_RIGHT;
    case forms::Alignment::kLeft:
      break;
  }
  return SS_LEFT;
}

}  // namespace

HBRUSH PaintLabelColors(HDC dc, forms::Color text) {
  SetTextColor(dc, ToColorRef(text, COLOR_BTNTEXT));
  const int background = PartnerBackground(text);
  SetBkColor(dc, GetSysColor(background));
  return GetSysColorBrush(background);
}

LabelPeer::LabelPeer(FormWindow& host, forms::Label& label, int id)
    : NativeControl(host, label, id), label_(label) {
  // SS_NOTIFY: clicks and double clicks reach the label (and never the frame below it).
  CreateChild("STATIC", label.Caption(), SS_NOTIFY | AlignmentStyle(label.alignment()));
  ApplyFont();
  if (!label.ToolTipText().empty()) host.tool_tip().Set(hwnd(), label.ToolTipText());
}

void LabelPeer::OnCommand(int code) {
  forms::Label& label = label_;
  if (code == STN_CLICKED && label.on_click) {
    host().Raise([&label] {
      if (label.on_click) label.on_click();
    });
  } else if (code == STN_DBLCLK && label.on_dbl_click) {
    host().Raise([&label] {
      if (label.on_dbl_click) label.on_dbl_click();
    });
  }
}

HBRUSH LabelPeer::OnCtlColor(HDC dc) { return PaintLabelColors(dc, label_.ShownForeColor()); }

void LabelPeer::OnDpiChanged() {
  if (hwnd() != nullptr) ApplyFont();
  NativeControl::OnDpiChanged();
}

void LabelPeer::SyncKind(forms::Change change) {
  if (hwnd() == nullptr) return;
  switch (change) {
    case forms::Change::kCaption:
      SetWindowTextA(hwnd(), label_.Caption().c_str());
      break;
    case forms::Change::kFont:
      ApplyFont();
      break;
    case forms::Change::kColor:
      InvalidateRect(hwnd(), nullptr, TRUE);
      break;
    case forms::Change::kToolTip:
      host().tool_tip().Set(hwnd(), label_.ToolTipText());
      break;
    default:
      break;
  }
}

void LabelPeer::ApplyFont() {
  SharedFont font = host().font(label_.font());
  SendMessageA(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
  font_ = std::move(font);  // the control no longer uses the previous font
}

}  // namespace ventrix::win32::ui
