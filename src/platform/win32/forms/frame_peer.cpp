#include "platform/win32/forms/frame_peer.h"

#include "platform/win32/forms/form_window.h"
#include "platform/win32/forms/handles.h"

namespace ventrix::win32::ui {

namespace {
// The caption starts this far in from the frame's left edge, in dialog-font character widths.
constexpr int kCaptionIndentChars = 1;
}  // namespace

FramePeer::FramePeer(FormWindow& host, forms::Frame& frame, int id)
    : PaintedControl(host, frame, id), frame_(frame) {
  // The caption is the window's text too, which a screen reader names the group by.
  CreatePainted(frame.Caption());
}

void FramePeer::Paint(HDC dc, const RECT& client) {
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  SelectedObject font(dc, host().dialog_font());
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  RECT edge = client;
  const std::string& caption = frame_.Caption();
  if (!caption.empty()) edge.top += metrics.tmHeight / 2;
  DrawEdge(dc, &edge, EDGE_ETCHED, BF_RECT);
  if (caption.empty()) return;
  const std::string text = " " + caption + " ";
  RECT place = client;
  place.left += kCaptionIndentChars * metrics.tmAveCharWidth;
  SetTextColor(dc, GetSysColor(frame_.Enabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  SetBkMode(dc, OPAQUE);
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &place,
            DT_SINGLELINE | DT_LEFT | DT_TOP);
}

void FramePeer::OnMouseDown() {
  forms::Frame& frame = frame_;
  host().Raise([&frame] {
    if (frame.on_click) frame.on_click();
  });
}

}  // namespace ventrix::win32::ui
