// The win32 forms backend when a window's DPI changes (WM_DPICHANGED, as a per-monitor aware
// window gets it when it moves to a monitor of another scale): size, controls and fonts.

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "platform/forms/check_box.h"
#include "platform/forms/combo_box.h"
#include "platform/forms/label.h"
#include "platform/forms/runtime.h"
#include "platform/win32/dpi_win32.h"
#include "platform/win32/forms/backend_win32.h"
#include "platform/win32/forms/native_control.h"
#include "platform/win32/forms/units.h"
#include "platform/win32/tray_menu_picture_win32.h"

namespace ventrix::win32 {
namespace {

// The main window's designed client area.
constexpr int kWidthTwips = 3780;
constexpr int kHeightTwips = 405;
constexpr int kHighDpi = 144;

forms::FormDesign MainLikeDesign() {
  forms::FormDesign design;
  design.caption = "DPI Sample";
  design.client_width = kWidthTwips;
  design.client_height = kHeightTwips;
  return design;
}

class DpiForm : public forms::Form {
 public:
  explicit DpiForm(forms::Runtime& runtime)
      : Form(runtime, "frmDpi", MainLikeDesign()),
        Label1(*this, "Label1", {60, 45, 2400, 315}, "Ready"),
        Check1(*this, "Check1", {2520, 45, 1200, 255}, "Top"),
        Combo1(*this, "Combo1", {2520, 60, 1200, 315}, "D:\\") {
    Label1.set_font({"Times New Roman", 12, true, false});
    Label1.set_tooltip("Double Click to Eject / Close Drive");
    Combo1.AddItem("D:\\");
  }

  forms::Label Label1;
  forms::CheckBox Check1;
  forms::ComboBox Combo1;
};

HWND NativeOf(const forms::Control& control) {
  auto* peer = dynamic_cast<ui::NativeControl*>(control.Peer());
  return peer != nullptr ? peer->hwnd() : nullptr;
}

int FontHeight(HWND window) {
  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)), sizeof(font), &font);
  return font.lfHeight;
}

RECT ChildRect(HWND parent, HWND child) {
  RECT rect{};
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

class FormsDpiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    runtime.Load(form);
    window = reinterpret_cast<HWND>(form.hWnd());
  }

  // Sends what the system sends when the window moves to a monitor of `dpi`: a rectangle at
  // the same place, its size scaled from the present one.
  void ChangeDpi(int dpi, int from_dpi) {
    RECT frame{};
    GetWindowRect(window, &frame);
    RECT suggested{frame.left, frame.top,
                   frame.left + MulDiv(frame.right - frame.left, dpi, from_dpi),
                   frame.top + MulDiv(frame.bottom - frame.top, dpi, from_dpi)};
    SendMessageA(window, kWmDpiChanged, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
  }

  RECT Client() const {
    RECT client{};
    GetClientRect(window, &client);
    return client;
  }

  Win32Backend backend{GetModuleHandleA(nullptr)};
  forms::Runtime runtime{backend};
  DpiForm form{runtime};
  HWND window = nullptr;
};

TEST_F(FormsDpiTest, AWindowLaysItselfOutAgainAtTheNewDpi) {
  const int dpi = ui::SystemDpi();
  ASSERT_EQ(dpi, WindowDpi(window));
  RECT frame{};
  GetWindowRect(window, &frame);
  const int label_height = FontHeight(NativeOf(form.Label1));
  const int check_height = FontHeight(NativeOf(form.Check1));
  const int field_height = static_cast<int>(
      SendMessageA(NativeOf(form.Combo1), CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));

  ChangeDpi(kHighDpi, dpi);
  // 3,780 x 405 twips at 144 dpi.
  EXPECT_EQ(Client().right, 378);
  EXPECT_EQ(Client().bottom, 41);
  RECT moved{};
  GetWindowRect(window, &moved);
  EXPECT_EQ(moved.left, frame.left);
  EXPECT_EQ(moved.top, frame.top);
  const RECT label = ChildRect(window, NativeOf(form.Label1));
  EXPECT_EQ(label.left, ui::TwipsToPixels(60, kHighDpi));
  EXPECT_EQ(label.right - label.left, ui::TwipsToPixels(2400, kHighDpi));
  EXPECT_EQ(label.bottom - label.top, ui::TwipsToPixels(315, kHighDpi));
  EXPECT_EQ(ChildRect(window, NativeOf(form.Combo1)).left, ui::TwipsToPixels(2520, kHighDpi));
  EXPECT_EQ(FontHeight(NativeOf(form.Label1)), ui::FontHeightForPoints(12, kHighDpi));
  EXPECT_EQ(FontHeight(NativeOf(form.Check1)),
            ui::FontHeightForPoints(forms::Font{}.points, kHighDpi));
  EXPECT_EQ(FontHeight(NativeOf(form.Combo1)),
            ui::FontHeightForPoints(forms::Font{}.points, kHighDpi));
  EXPECT_LT(FontHeight(NativeOf(form.Label1)), label_height);  // negative: larger
  EXPECT_LT(FontHeight(NativeOf(form.Check1)), check_height);
  // The combo box's field grows with its font.
  EXPECT_GT(SendMessageA(NativeOf(form.Combo1), CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0),
            field_height);

  // Back to where it started: the same layout as at creation.
  ChangeDpi(dpi, kHighDpi);
  EXPECT_EQ(Client().right, ui::TwipsToPixels(kWidthTwips, dpi));
  EXPECT_EQ(Client().bottom, ui::TwipsToPixels(kHeightTwips, dpi));
  EXPECT_EQ(FontHeight(NativeOf(form.Label1)), label_height);
  EXPECT_EQ(FontHeight(NativeOf(form.Check1)), check_height);
}

TEST_F(FormsDpiTest, ADpiOutOfBoundsChangesNothing) {
  const RECT before = Client();
  const int label_height = FontHeight(NativeOf(form.Label1));
  RECT suggested{0, 0, 10, 10};
  for (int dpi : {0, kMinDpi - 1, kMaxDpi + 1}) {
    SendMessageA(window, kWmDpiChanged, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(Client().right, before.right);
    EXPECT_EQ(Client().bottom, before.bottom);
    EXPECT_EQ(FontHeight(NativeOf(form.Label1)), label_height);
  }
}

TEST_F(FormsDpiTest, TheWindowAnswersItsSizeAtANewDpi) {
  SIZE size{};
  ASSERT_TRUE(SendMessageA(window, kWmGetDpiScaledSize, kHighDpi, reinterpret_cast<LPARAM>(&size)));
  RECT expected{0, 0, 378, 41};
  AdjustWindowRectForDpi(expected, static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)), false,
                         static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)), kHighDpi);
  EXPECT_EQ(size.cx, expected.right - expected.left);
  EXPECT_EQ(size.cy, expected.bottom - expected.top);
}

TEST(DpiWin32, PicturesAndIconsComeAtTheSmallIconSizeOfTheDpi) {
  EXPECT_EQ(MenuPictureSizeForDpi(96), 16);
  EXPECT_EQ(MenuPictureSizeForDpi(120), 20);
  EXPECT_EQ(MenuPictureSizeForDpi(144), 24);
  EXPECT_EQ(MenuPictureSizeForDpi(168), 24);
  EXPECT_EQ(MenuPictureSizeForDpi(192), 32);
  EXPECT_EQ(MenuPictureSizeForDpi(288), 32);
  EXPECT_EQ(MenuPictureSizeForDpi(72), 16);
  EXPECT_EQ(ScaleForDpi(16, 144), 24);
  // Without per-monitor scaling the system DPI answers everywhere.
  EXPECT_EQ(MonitorDpiAt(POINT{0, 0}), SystemDpi());
}

}  // namespace
}  // namespace ventrix::win32
