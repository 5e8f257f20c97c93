// The win32 forms backend on real windows: layout, controls, menus, timers and events.

#include <gtest/gtest.h>
#include <windows.h>
// After <windows.h>, which it needs.
#include <commctrl.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/components/hyperlink.h"
#include "platform/forms/check_box.h"
#include "platform/forms/combo_box.h"
#include "platform/forms/command_button.h"
#include "platform/forms/frame.h"
#include "platform/forms/label.h"
#include "platform/forms/line.h"
#include "platform/forms/menu.h"
#include "platform/forms/picture.h"
#include "platform/forms/runtime.h"
#include "platform/forms/timer.h"
#include "platform/win32/forms/backend_win32.h"
#include "platform/win32/forms/combo_box_peer.h"
#include "platform/win32/forms/fonts.h"
#include "platform/win32/forms/form_style.h"
#include "platform/win32/forms/form_window.h"
#include "platform/win32/forms/ids.h"
#include "platform/win32/forms/menu_bar.h"
#include "platform/win32/forms/native_control.h"
#include "platform/win32/forms/units.h"
#include "platform/win32/window_placement_win32.h"
#include "program/resource_ids.h"
#include "tests/support/fake_services.h"

namespace ventrix::win32 {
namespace {

using forms::PixelRect;

constexpr forms::Color kGreen = 0x00FF00;
constexpr int kClientWidthTwips = 4500;
constexpr int kClientHeightTwips = 3600;

forms::FormDesign SampleDesign() {
  forms::FormDesign design;
  design.caption = "Forms Sample";
  design.client_width = kClientWidthTwips;
  design.client_height = kClientHeightTwips;
  design.min_button = true;
  design.icon = IDI_VENTRIX;
  return design;
}

// One control of every kind and a menu bar like the main window's; handlers record events.
class SampleForm : public forms::Form {
 public:
  SampleForm(forms::Runtime& runtime, Shell& shell)
      : Form(runtime, "frmSample", SampleDesign()),
        Frame1(*this, "Frame1", {120, 120, 2900, 1500}, "Drive"),
        Label1(*this, "Label1", {120, 300, 2600, 375}, "Ready", &Frame1),
        lblplatform(*this, "lblplatform", {120, 780, 1900, 255}, "NT 4.0, 2000 && XP", &Frame1),
        imgLogo(*this, "imgLogo", {2200, 780, 495, 465}, &Frame1),
        picIcon(*this, "picIcon", {3300, 240, 480, 480}),
        Check1(*this, "Check1", PixelRect(8, 112, 150, 17), "Always on Top"),
        Combo1(*this, "Combo1", PixelRect(8, 136, 81, 21), "Combo1"),
        cmdOK(*this, "cmdOK", PixelRect(200, 108, 88, 25), "OK"),
        cmdCancel(*this, "cmdCancel", PixelRect(200, 138, 88, 25), "Cancel"),
        Line0(*this, "Line0", 0, 2520, 4500, 2520, forms::kWhite),
        Line1(*this, "Line1", 0, 2505, 4500, 2505, forms::kGrey128),
        link(*this, "vbwHyperlink1", {120, 2700, 3990, 255}, "https://ventrix.example", shell),
        Timer1(*this, "Timer1", 0),
        mnufile(*this, "mnufiletop", "&File", "mnufile", {{"&Close"}}),
        mnuoperations(*this, "mnuoperationsTop", "&Operations", "mnuoperations",
                      {{"&Eject Drive"}, {"&Close Drive"}, {"&Lock Drive"}, {"&Unlock Drive"}}),
        mnuHelp(*this, "mnuhelpTop", "&Help", "mnuHelp",
                {{"&Contents...", false},
                 {"&Index...", false},
                 {"-", false},
                 {"Check for Update"},
                 {"Visit Website"},
                 {"-"},
                 {"&About"}}) {
    Label1.set_font({"Times New Roman", 12, true, false});
    Label1.set_fore_color(kGreen);
    Label1.set_tooltip("Double Click to Eject / Close Drive");
    Label1.on_dbl_click = [this] { events.push_back("Label1_DblClick"); };
    imgLogo.set_picture(IDI_VENTRIX);
    picIcon.set_picture(IDI_VENTRIX);
    link.set_LinkAddress("https://ventrix.example");
    cmdOK.set_default(true);
    cmdCancel.set_cancel(true);
    Combo1.AddItem("D:\\");
    Combo1.AddItem("E:\\");
    Frame1.on_click = [this] { events.push_back("Frame1_Click"); };
    Check1.on_click = [this] { events.push_back("Check1_Click"); };
    Combo1.on_click = [this] { events.push_back("Combo1_Click"); };
    cmdOK.on_click = [this] {
      events.push_back("cmdOK_Click");
      if (during_ok) during_ok();
    };
    cmdCancel.on_click = [this] { events.push_back("cmdCancel_Click"); };
    Timer1.on_timer = [this] { ++ticks; };
    mnuoperations.on_click = [this](std::int16_t index) {
      events.push_back("mnuoperations_Click " + std::to_string(index));
    };
  }

  void Form_QueryUnload(int& Cancel, int UnloadMode) override {
    events.push_back("Form_QueryUnload " + std::to_string(UnloadMode));
    Cancel = cancel_unload ? 1 : 0;
  }
  void Form_Unload(int& Cancel) override {
    (void)Cancel;
    events.push_back("Form_Unload");
  }

  forms::Frame Frame1;
  forms::Label Label1;
  forms::Label lblplatform;
  forms::Image imgLogo;
  forms::PictureBox picIcon;
  forms::CheckBox Check1;
  forms::ComboBox Combo1;
  forms::CommandButton cmdOK;
  forms::CommandButton cmdCancel;
  forms::Line Line0;
  forms::Line Line1;
  Hyperlink link;
  forms::Timer Timer1;
  forms::MenuArray mnufile;
  forms::MenuArray mnuoperations;
  forms::MenuArray mnuHelp;

  std::vector<std::string> events;
  int ticks = 0;
  bool cancel_unload = false;
  std::function<void()> during_ok;
};

ui::NativeControl* PeerOf(const forms::Control& control) {
  return dynamic_cast<ui::NativeControl*>(control.Peer());
}
HWND NativeOf(const forms::Control& control) {
  ui::NativeControl* peer = PeerOf(control);
  return peer != nullptr ? peer->hwnd() : nullptr;
}
HWND WindowOf(const forms::Form& form) { return reinterpret_cast<HWND>(form.hWnd()); }

// The icon a window shows at the given size: its own, or else its class's.
HICON ShownIcon(HWND window, bool big) {
  const auto own =
      reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, big ? ICON_BIG : ICON_SMALL, 0));
  if (own != nullptr) return own;
  return reinterpret_cast<HICON>(GetClassLongPtrA(window, big ? GCLP_HICON : GCLP_HICONSM));
}

HFONT FontOf(HWND window) {
  return reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
}

// A control's notification, as the control itself sends it to the form.
void Notify(const forms::Form& form, const forms::Control& control, int code) {
  HWND child = NativeOf(control);
  SendMessageA(WindowOf(form), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(child), code),
               reinterpret_cast<LPARAM>(child));
}

std::string TextOf(HWND window) {
  char buffer[512] = {};
  GetWindowTextA(window, buffer, sizeof(buffer));
  return buffer;
}

std::string MenuText(HMENU menu, int position) {
  char buffer[128] = {};
  GetMenuStringA(menu, static_cast<UINT>(position), buffer, sizeof(buffer), MF_BYPOSITION);
  return buffer;
}

// Runs the window thread's messages until done() or the time is up.
void PumpUntil(std::chrono::milliseconds limit, const std::function<bool()>& done) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!done() && std::chrono::steady_clock::now() < deadline) {
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) continue;
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

class FormsBackendTest : public ::testing::Test {
 protected:
  void SetUp() override { runtime.Load(*form); }

  Win32Backend backend{GetModuleHandleA(nullptr)};
  forms::Runtime runtime{backend};
  testing::FakeShell shell;
  std::unique_ptr<SampleForm> form = std::make_unique<SampleForm>(runtime, shell);
};

TEST(FormsUnits, TwipsBecomePixelsAtTheSystemDpi) {
  EXPECT_EQ(ui::TwipsToPixels(3780, 96), 252);
  EXPECT_EQ(ui::TwipsToPixels(405, 96), 27);
  EXPECT_EQ(ui::TwipsToPixels(3780, 120), 315);
  EXPECT_EQ(ui::TwipsToPixels(3780, 144), 378);
  EXPECT_EQ(ui::TwipsToPixels(7, 96), 0);  // rounded to the nearest pixel
  EXPECT_EQ(ui::TwipsToPixels(8, 96), 1);
  EXPECT_EQ(ui::TwipsToPixels(-8, 96), -1);
  EXPECT_EQ(ui::TwipsToPixels(2000000000, 144), 200000000);  // no overflow
  EXPECT_EQ(ui::FontHeightForPoints(12, 96), -16);
  EXPECT_EQ(ui::FontHeightForPoints(8.25, 96), -11);
  EXPECT_EQ(ui::FontHeightForPoints(8.25, 144), -17);
  EXPECT_GE(ui::SystemDpi(), ui::kDefaultDpi / 2);
}

TEST(FormsUnits, FontFacesStayScalable) {
  EXPECT_EQ(ui::FontFaceFor("MS Sans Serif"), "MS Shell Dlg");
  EXPECT_EQ(ui::FontFaceFor("ms sans serif"), "MS Shell Dlg");
  EXPECT_EQ(ui::FontFaceFor("Arial"), "Arial");
  EXPECT_EQ(ui::FontFaceFor(""), "MS Shell Dlg");
  EXPECT_EQ(ui::FontFaceFor(std::string(LF_FACESIZE, 'A')), "MS Shell Dlg");
  EXPECT_EQ(ui::FontFaceFor(std::string(LF_FACESIZE - 1, 'A')), std::string(LF_FACESIZE - 1, 'A'));
}

TEST(FormsIds, MenuCommandsRoundTripWithinTheirBounds) {
  EXPECT_EQ(ui::MenuCommandId(0, 0), ui::kFirstMenuId);
  const auto last = ui::MenuCommandId(ui::kMaxMenuArrays - 1, ui::kMaxMenuItems - 1);
  ASSERT_TRUE(last.has_value());
  EXPECT_LE(*last, 0xFFFF);
  const auto decoded = ui::DecodeMenuCommand(*last);
  ASSERT_TRUE(decoded.has_value());
  EXPECT_EQ(decoded->array, ui::kMaxMenuArrays - 1);
  EXPECT_EQ(decoded->item, ui::kMaxMenuItems - 1);
  EXPECT_FALSE(ui::MenuCommandId(ui::kMaxMenuArrays, 0));
  EXPECT_FALSE(ui::MenuCommandId(0, ui::kMaxMenuItems));
  EXPECT_FALSE(ui::MenuCommandId(-1, 0));
  EXPECT_FALSE(ui::DecodeMenuCommand(ui::kFirstMenuId - 1));
  EXPECT_FALSE(ui::DecodeMenuCommand(*last + 1));
  EXPECT_FALSE(ui::DecodeMenuCommand(IDCANCEL));
  EXPECT_FALSE(ui::ControlId(ui::kMaxControls));
  EXPECT_EQ(ui::ControlId(0), ui::kFirstControlId);
}

TEST(FormsStyle, BordersFollowTheDesign) {
  forms::FormDesign design;
  ui::FormStyle style = ui::StyleFor(design);
  EXPECT_EQ(style.style & (WS_CAPTION | WS_SYSMENU), static_cast<DWORD>(WS_CAPTION | WS_SYSMENU));
  EXPECT_EQ(style.style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX), 0u);
  EXPECT_NE(style.style & WS_CLIPCHILDREN, 0u);

  design.min_button = true;
  design.max_button = true;
  EXPECT_NE(ui::StyleFor(design).style & WS_MINIMIZEBOX, 0u);
  EXPECT_EQ(ui::StyleFor(design).style & WS_MAXIMIZEBOX, 0u);

  design.control_box = false;
  EXPECT_EQ(ui::StyleFor(design).style & WS_SYSMENU, 0u);

  design.border = forms::BorderStyle::kFixedDialog;
  EXPECT_NE(ui::StyleFor(design).ex_style & WS_EX_DLGMODALFRAME, 0u);

  design.border = forms::BorderStyle::kNone;
  design.show_in_taskbar = false;
  style = ui::StyleFor(design);
  EXPECT_NE(style.style & WS_POPUP, 0u);
  EXPECT_EQ(style.style & WS_CAPTION, 0u);
  EXPECT_NE(style.ex_style & WS_EX_TOOLWINDOW, 0u);
}

TEST_F(FormsBackendTest, WindowIsHiddenUntilShownAndHasTheDesignedClientSize) {
  HWND window = WindowOf(*form);
  ASSERT_TRUE(IsWindow(window));
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_EQ(TextOf(window), "Forms Sample");
  EXPECT_NE(GetMenu(window), nullptr);
  RECT client{};
  GetClientRect(window, &client);
  const int dpi = ui::SystemDpi();
  EXPECT_EQ(client.right, ui::TwipsToPixels(kClientWidthTwips, dpi));
  EXPECT_EQ(client.bottom, ui::TwipsToPixels(kClientHeightTwips, dpi));
  EXPECT_NE(ShownIcon(window, true), nullptr);

  form->Show();
  EXPECT_TRUE(IsWindowVisible(window));
  RECT frame{};
  GetWindowRect(window, &frame);
  RECT area{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  EXPECT_NEAR((frame.left + frame.right) / 2, (area.left + area.right) / 2, 1);
  EXPECT_NEAR((frame.top + frame.bottom) / 2, (area.top + area.bottom) / 2, 1);
  form->set_caption("Ventrix 3");
  EXPECT_EQ(TextOf(window), "Ventrix 3");
  form->Hide();
  EXPECT_FALSE(IsWindowVisible(window));
}

// The window is created with its menu bar; when the bar needs more than one row on a narrow
// window, the client area still gets the designed size.
TEST_F(FormsBackendTest, ANarrowWindowKeepsItsClientSizeUnderAWrappedMenuBar) {
  constexpr int kNarrowTwips = 1800;
  forms::FormDesign narrow = SampleDesign();
  narrow.client_width = kNarrowTwips;
  forms::Form form_narrow(runtime, "frmNarrow", narrow);
  forms::MenuArray first(form_narrow, "mnuOneTop", "&Operations", "mnuOne", {{"&Eject"}});
  forms::MenuArray second(form_narrow, "mnuTwoTop", "&Settings", "mnuTwo", {{"&Open"}});
  forms::MenuArray third(form_narrow, "mnuThreeTop", "&Help", "mnuThree", {{"&About"}});
  runtime.Load(form_narrow);
  HWND window = WindowOf(form_narrow);
  ASSERT_NE(GetMenu(window), nullptr);
  RECT bar{};
  ASSERT_TRUE(GetMenuItemRect(window, GetMenu(window), 2, &bar));
  RECT first_item{};
  ASSERT_TRUE(GetMenuItemRect(window, GetMenu(window), 0, &first_item));
  EXPECT_GT(bar.top, first_item.top) << "the bar was expected to wrap";
  RECT client{};
  GetClientRect(window, &client);
  const int dpi = ui::SystemDpi();
  EXPECT_EQ(client.right, ui::TwipsToPixels(kNarrowTwips, dpi));
  EXPECT_EQ(client.bottom, ui::TwipsToPixels(kClientHeightTwips, dpi));
  runtime.Unload(form_narrow, forms::kFormCode);
}

TEST_F(FormsBackendTest, ControlsMirrorTheirState) {
  const int dpi = ui::SystemDpi();
  HWND label = NativeOf(form->Label1);
  RECT place{};
  GetWindowRect(label, &place);
  MapWindowPoints(nullptr, WindowOf(*form), reinterpret_cast<POINT*>(&place), 2);
  EXPECT_EQ(place.left, ui::TwipsToPixels(120 + 120, dpi));  // frame offset + own offset
  EXPECT_EQ(place.right - place.left, ui::TwipsToPixels(2600, dpi));

  EXPECT_EQ(TextOf(label), "Ready");
  form->Label1.set_caption("Device D: Tray is Ejected.");
  EXPECT_EQ(TextOf(label), "Device D: Tray is Ejected.");
  form->Label1.set_visible(false);
  EXPECT_FALSE(IsWindowVisible(label) || (GetWindowLongA(label, GWL_STYLE) & WS_VISIBLE));
  form->cmdOK.set_enabled(false);
  EXPECT_FALSE(IsWindowEnabled(NativeOf(form->cmdOK)));
  form->cmdOK.set_caption("Go");
  EXPECT_EQ(TextOf(NativeOf(form->cmdOK)), "Go");
  // The label keeps its mnemonic convention: "&&" shows one ampersand natively.
  EXPECT_EQ(GetWindowLongA(NativeOf(form->lblplatform), GWL_STYLE) & SS_NOPREFIX, 0);
  EXPECT_EQ(TextOf(NativeOf(form->lblplatform)), "NT 4.0, 2000 && XP");

  ui::FormWindow* window = ui::FormWindow::FromHandle(WindowOf(*form));
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(SendMessageA(window->tool_tip().hwnd(), TTM_GETTOOLCOUNT, 0, 0), 1);
  EXPECT_EQ(ui::FormWindow::FromHandle(label), nullptr);
}

struct OwnedToolTipSearch {
  HWND owner = nullptr;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectOwnedToolTip(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<OwnedToolTipSearch*>(context);
  char name[32] = {};
  GetClassNameA(window, name, sizeof(name));
  if (lstrcmpiA(name, TOOLTIPS_CLASSA) == 0 && GetWindow(window, GW_OWNER) == search->owner) {
    search->found.push_back(window);
  }
  return TRUE;
}

std::vector<HWND> OwnedToolTips(HWND owner) {
  OwnedToolTipSearch search{owner, {}};
  EnumThreadWindows(GetCurrentThreadId(), &CollectOwnedToolTip, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The tooltip window (a top-level window) is made when the mouse first comes over the form,
// with the tips as they were last set.
TEST_F(FormsBackendTest, TooltipsWaitForTheMouseOverTheForm) {
  HWND window = WindowOf(*form);
  EXPECT_TRUE(OwnedToolTips(window).empty());
  form->Label1.set_tooltip("Double Click to Eject / Close Drive (D:)");
  form->lblplatform.set_tooltip("The platform");
  form->lblplatform.set_tooltip("");
  SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(NativeOf(form->Label1)),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  const std::vector<HWND> tips = OwnedToolTips(window);
  ASSERT_EQ(tips.size(), 1u);
  EXPECT_EQ(SendMessageA(tips[0], TTM_GETTOOLCOUNT, 0, 0), 1);
  char text[128] = {};
  TOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.hwnd = window;
  tool.uId = reinterpret_cast<UINT_PTR>(NativeOf(form->Label1));
  tool.lpszText = text;
  SendMessageA(tips[0], TTM_GETTEXTA, sizeof(text), reinterpret_cast<LPARAM>(&tool));
  EXPECT_STREQ(text, "Double Click to Eject / Close Drive (D:)");
  // Later changes reach the same window.
  form->lblplatform.set_tooltip("The platform");
  EXPECT_EQ(SendMessageA(tips[0], TTM_GETTOOLCOUNT, 0, 0), 2);
  EXPECT_EQ(OwnedToolTips(window).size(), 1u);
}

TEST_F(FormsBackendTest, InvisibleMenuItemsAreAbsentAndDisabledOnesGreyed) {
  HMENU bar = GetMenu(WindowOf(*form));
  ASSERT_EQ(GetMenuItemCount(bar), 3);
  EXPECT_EQ(MenuText(bar, 1), "&Operations");
  HMENU help = GetSubMenu(bar, 2);
  ASSERT_EQ(GetMenuItemCount(help), 4);
  EXPECT_EQ(MenuText(help, 0), "Check for Update");
  EXPECT_EQ(MenuText(help, 3), "&About");

  form->mnuHelp[0].set_visible(true);
  ASSERT_EQ(GetMenuItemCount(help), 5);
  EXPECT_EQ(MenuText(help, 0), "&Contents...");
  form->mnuHelp[0].set_visible(false);
  EXPECT_EQ(GetMenuItemCount(help), 4);

  HMENU operations = GetSubMenu(bar, 1);
  form->mnuoperations[1].set_enabled(false);
  EXPECT_NE(GetMenuState(operations, 1, MF_BYPOSITION) & MF_GRAYED, 0u);
  EXPECT_EQ(GetMenuState(operations, 0, MF_BYPOSITION) & MF_GRAYED, 0u);
  form->mnuoperations[2].set_caption("Lock Drive (D:)");
  EXPECT_EQ(MenuText(operations, 2), "Lock Drive (D:)");

  // A pick passes the item's index; greyed and hidden items do not respond.
  SendMessageA(WindowOf(*form), WM_COMMAND, GetMenuItemID(operations, 2), 0);
  SendMessageA(WindowOf(*form), WM_COMMAND, GetMenuItemID(operations, 1), 0);
  form->mnuoperations[3].set_visible(false);
  SendMessageA(WindowOf(*form), WM_COMMAND, *ui::MenuCommandId(1, 3), 0);
  SendMessageA(WindowOf(*form), WM_COMMAND, *ui::MenuCommandId(5, 0), 0);
  EXPECT_EQ(form->events, std::vector<std::string>{"mnuoperations_Click 2"});
}

ui::MenuArrayPeer* MenuPeerOf(const forms::MenuArray& menu) {
  return dynamic_cast<ui::MenuArrayPeer*>(menu.Peer());
}

// Several changes in one handler rebuild the native menu once, when the handler has returned;
// changes outside any handler show at once.
TEST_F(FormsBackendTest, MenuChangesInOneHandlerRebuildTheMenuOnce) {
  ui::MenuArrayPeer* operations_peer = MenuPeerOf(form->mnuoperations);
  ui::MenuArrayPeer* help_peer = MenuPeerOf(form->mnuHelp);
  ASSERT_NE(operations_peer, nullptr);
  ASSERT_NE(help_peer, nullptr);
  const int operations_before = operations_peer->rebuilds();
  const int help_before = help_peer->rebuilds();
  HMENU operations = GetSubMenu(GetMenu(WindowOf(*form)), 1);
  form->mnuoperations.on_click = [this](std::int16_t) {
    form->mnuoperations[0].set_caption("Eject Drive (D:)");
    form->mnuoperations[1].set_visible(false);
    form->mnuoperations[2].set_caption("Lock Drive (D:)");
    form->mnuoperations[2].set_visible(false);
    form->mnuoperations[2].set_visible(true);
    form->mnuoperations[3].set_enabled(false);
  };
  SendMessageA(WindowOf(*form), WM_COMMAND, GetMenuItemID(operations, 0), 0);
  EXPECT_EQ(operations_peer->rebuilds(), operations_before + 1);
  EXPECT_EQ(help_peer->rebuilds(), help_before);
  ASSERT_EQ(GetMenuItemCount(operations), 3);
  EXPECT_EQ(MenuText(operations, 0), "Eject Drive (D:)");
  EXPECT_EQ(MenuText(operations, 1), "Lock Drive (D:)");
  EXPECT_NE(GetMenuState(operations, 2, MF_BYPOSITION) & MF_GRAYED, 0u);

  form->mnuoperations[1].set_visible(true);
  EXPECT_EQ(operations_peer->rebuilds(), operations_before + 2);
  EXPECT_EQ(GetMenuItemCount(operations), 4);
}

// Counts the frame recalculations that DrawMenuBar causes in one window.
struct FrameWatch {
  HWND window = nullptr;
  int frame_changes = 0;
};
FrameWatch g_frame_watch;

LRESULT CALLBACK CountFrameChanges(int code, WPARAM wparam, LPARAM lparam) {
  const auto* message = reinterpret_cast<const CWPSTRUCT*>(lparam);
  if (code == HC_ACTION && message->hwnd == g_frame_watch.window &&
      message->message == WM_NCCALCSIZE) {
    ++g_frame_watch.frame_changes;
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

TEST_F(FormsBackendTest, AHiddenWindowsMenuBarIsNotRedrawn) {
  g_frame_watch = {WindowOf(*form), 0};
  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, &CountFrameChanges, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  form->mnuoperations[1].set_visible(false);
  form->mnuoperations[0].set_caption("Eject Drive (D:)");
  const int while_hidden = g_frame_watch.frame_changes;
  form->Show();
  g_frame_watch.frame_changes = 0;
  form->mnuoperations[1].set_visible(true);
  const int while_shown = g_frame_watch.frame_changes;
  UnhookWindowsHookEx(hook);
  EXPECT_EQ(while_hidden, 0);
  EXPECT_GT(while_shown, 0);  // the watch does see a shown window's bar redrawn
}

// A form designed with an icon shows it from its creation in both sizes, through its window
// class; one designed without shows none until it is given one. Windows of either kind are
// form windows.
TEST_F(FormsBackendTest, WindowsShowTheirDesignedIconFromCreation) {
  HWND window = WindowOf(*form);
  EXPECT_NE(ShownIcon(window, true), nullptr);
  EXPECT_NE(ShownIcon(window, false), nullptr);
  EXPECT_EQ(ui::FormWindow::FromHandle(window), form->Peer());

  forms::FormDesign plain = SampleDesign();
  plain.icon = 0;
  forms::Form bare(runtime, "frmBare", plain);
  runtime.Load(bare);
  HWND bare_window = WindowOf(bare);
  EXPECT_EQ(ShownIcon(bare_window, true), nullptr);
  EXPECT_NE(ui::FormWindow::FromHandle(bare_window), nullptr);
  bare.set_icon(IDI_VENTRIX);
  EXPECT_NE(ShownIcon(bare_window, true), nullptr);
  EXPECT_NE(ShownIcon(bare_window, false), nullptr);

  // A second form with the same icon shares its class; an icon resource that does not exist
  // leaves the form without one.
  plain.icon = IDI_VENTRIX;
  forms::Form same(runtime, "frmSame", plain);
  runtime.Load(same);
  EXPECT_EQ(ShownIcon(WindowOf(same), true), ShownIcon(window, true));
  plain.icon = 4321;
  forms::Form missing(runtime, "frmMissing", plain);
  runtime.Load(missing);
  EXPECT_EQ(ShownIcon(WindowOf(missing), true), nullptr);
  EXPECT_NE(ui::FormWindow::FromHandle(WindowOf(missing)), nullptr);
  for (forms::Form* loaded : {&bare, &same, &missing}) runtime.Unload(*loaded, forms::kFormCode);
}

// Controls asking for the same font share one, across windows; another font is another.
TEST_F(FormsBackendTest, ControlsShareTheirFonts) {
  SampleForm second(runtime, shell);
  runtime.Load(second);
  const HFONT dialog = FontOf(NativeOf(form->cmdOK));
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(FontOf(NativeOf(form->lblplatform)), dialog);  // a label in the default font
  EXPECT_EQ(FontOf(NativeOf(second.cmdOK)), dialog);
  const HFONT status = FontOf(NativeOf(form->Label1));
  EXPECT_NE(status, dialog);
  EXPECT_EQ(FontOf(NativeOf(second.Label1)), status);
  runtime.Unload(second, forms::kFormCode);
  // Still in use by the first window's controls.
  LOGFONTA described{};
  EXPECT_EQ(GetObjectA(status, sizeof(described), &described), static_cast<int>(sizeof(described)));
  EXPECT_TRUE(described.lfWeight >= FW_BOLD);
}

TEST(FontCache, SharesFontsWhileTheyAreUsedAndForgetsTheRest) {
  ui::FontCache fonts;
  const forms::Font status{"Times New Roman", 12, true, false};
  ui::SharedFont first = fonts.Get(status, ui::kDefaultDpi);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(fonts.Get(status, ui::kDefaultDpi), first);
  EXPECT_NE(fonts.Get(status, ui::kDefaultDpi * 2), first);  // another size in pixels
  forms::Font underlined = status;
  underlined.underline = true;
  ui::SharedFont link = fonts.Get(underlined, ui::kDefaultDpi);
  EXPECT_NE(link, first);
  EXPECT_EQ(fonts.size(), 2u);  // the unheld larger one is gone
  first.reset();
  link.reset();
  fonts.Get(forms::Font{}, ui::kDefaultDpi);
  EXPECT_EQ(fonts.size(), 1u);
}

TEST_F(FormsBackendTest, TimerTicksOnlyWithAPositiveIntervalWhileEnabled) {
  // Hidden, a tick that changes nothing pauses the timer; a change starts it again.
  form->Timer1.set_interval(30);
  PumpUntil(std::chrono::seconds(3), [this] { return form->ticks >= 1; });
  PumpUntil(std::chrono::milliseconds(200), [] { return false; });
  EXPECT_EQ(form->ticks, 1);
  EXPECT_TRUE(form->Timer1.Paused());
  form->Label1.set_caption("Changed");
  PumpUntil(std::chrono::seconds(3), [this] { return form->ticks >= 2; });
  EXPECT_EQ(form->ticks, 2);

  form->Show();
  PumpUntil(std::chrono::seconds(3), [this] { return form->ticks >= 4; });
  EXPECT_GE(form->ticks, 4);
  form->Timer1.set_interval(0);
  PumpUntil(std::chrono::milliseconds(50), [] { return false; });
  form->ticks = 0;
  PumpUntil(std::chrono::milliseconds(200), [] { return false; });
  EXPECT_EQ(form->ticks, 0);
  form->Timer1.set_interval(30);
  form->Timer1.set_enabled(false);
  PumpUntil(std::chrono::milliseconds(200), [] { return false; });
  EXPECT_EQ(form->ticks, 0);
}

TEST_F(FormsBackendTest, CheckBoxFollowsCodeAndUserClicks) {
  HWND box = NativeOf(form->Check1);
  EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  form->Check1.set_value(forms::kChecked);
  form->Check1.set_value(forms::kChecked);  // the same value runs nothing
  EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(form->events, std::vector<std::string>{"Check1_Click"});

  SendMessageA(box, BM_CLICK, 0, 0);  // the user unticks it
  EXPECT_EQ(form->Check1.Value(), forms::kUnchecked);
  EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  form->Check1.set_value(forms::kGrayed);
  EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_INDETERMINATE);
  SendMessageA(box, BM_CLICK, 0, 0);  // greyed becomes checked
  EXPECT_EQ(form->Check1.Value(), forms::kChecked);
  EXPECT_EQ(form->events.size(), 4u);
}

TEST_F(FormsBackendTest, ButtonsAnswerClicksEnterAndEsc) {
  SendMessageA(NativeOf(form->cmdOK), BM_CLICK, 0, 0);
  const LRESULT default_id = SendMessageA(WindowOf(*form), DM_GETDEFID, 0, 0);
  EXPECT_EQ(HIWORD(default_id), DC_HASDEFID);
  EXPECT_EQ(LOWORD(default_id), GetDlgCtrlID(NativeOf(form->cmdOK)));
  SendMessageA(WindowOf(*form), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  SendMessageA(WindowOf(*form), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  form->cmdOK.set_enabled(false);
  SendMessageA(WindowOf(*form), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  EXPECT_EQ(form->events,
            (std::vector<std::string>{"cmdOK_Click", "cmdOK_Click", "cmdCancel_Click"}));
}

TEST_F(FormsBackendTest, ComboSelectionRunsItsClickButTypingDoesNot) {
  HWND combo = NativeOf(form->Combo1);
  EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(TextOf(combo), "Combo1");

  form->Combo1.set_list_index(0);  // from code: click, native selection and text follow
  EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(TextOf(combo), "D:\\");

  SendMessageA(combo, CB_SETCURSEL, 1, 0);  // the user picks E:\ from the list
  Notify(*form, form->Combo1, CBN_SELCHANGE);
  EXPECT_EQ(form->Combo1.ListIndex(), 1);
  EXPECT_EQ(form->Combo1.Text(), "E:\\");

  SetWindowTextA(combo, "F:\\");  // the user types
  Notify(*form, form->Combo1, CBN_EDITCHANGE);
  EXPECT_EQ(form->Combo1.Text(), "F:\\");
  EXPECT_EQ(form->Combo1.ListIndex(), 1);
  EXPECT_EQ(form->events, (std::vector<std::string>{"Combo1_Click", "Combo1_Click"}));

  SendMessageA(combo, CB_SETCURSEL, 1, 0);  // the user picks E:\ again over the typed text
  Notify(*form, form->Combo1, CBN_SELCHANGE);
  EXPECT_EQ(form->Combo1.Text(), "E:\\");
  EXPECT_EQ(form->events.size(), 2u);  // the same entry: no click

  SetWindowTextA(combo, std::string(ui::kMaxComboTextLength + 40, 'x').c_str());
  Notify(*form, form->Combo1, CBN_EDITCHANGE);
  EXPECT_EQ(form->Combo1.Text().size(), static_cast<std::size_t>(ui::kMaxComboTextLength));

  form->Combo1.AddItem("G:\\");
  EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 1);
}

TEST_F(FormsBackendTest, LabelFrameAndLinkEvents) {
  Notify(*form, form->Label1, STN_DBLCLK);
  Notify(*form, form->lblplatform, STN_CLICKED);  // no handler: nothing
  SendMessageA(NativeOf(form->Frame1), WM_LBUTTONDOWN, 0, 0);
  SendMessageA(NativeOf(form->imgLogo), WM_LBUTTONDOWN, 0, 0);  // the logo is not the frame
  EXPECT_EQ(form->events, (std::vector<std::string>{"Label1_DblClick", "Frame1_Click"}));

  Notify(*form, form->link, STN_CLICKED);
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].file, "https://ventrix.example");
  const LPARAM hover = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
  EXPECT_EQ(SendMessageA(WindowOf(*form), WM_SETCURSOR,
                         reinterpret_cast<WPARAM>(NativeOf(form->link)), hover),
            TRUE);
}

TEST_F(FormsBackendTest, ClicksOnLabelsAndTheLogoDoNotReachTheFrameBelow) {
  form->Show();
  auto center = [](HWND window) {
    RECT place{};
    GetWindowRect(window, &place);
    return POINT{(place.left + place.right) / 2, (place.top + place.bottom) / 2};
  };
  EXPECT_EQ(WindowFromPoint(center(NativeOf(form->lblplatform))), NativeOf(form->lblplatform));
  EXPECT_EQ(WindowFromPoint(center(NativeOf(form->imgLogo))), NativeOf(form->imgLogo));
  RECT frame{};
  GetWindowRect(NativeOf(form->Frame1), &frame);
  EXPECT_EQ(WindowFromPoint(POINT{frame.left + 4, frame.bottom - 4}), NativeOf(form->Frame1));
}

TEST_F(FormsBackendTest, CloseBoxUnloadsThroughTheRuntime) {
  form->cancel_unload = true;
  SendMessageA(WindowOf(*form), WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(WindowOf(*form)));
  form->cancel_unload = false;
  HWND window = WindowOf(*form);
  SendMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(form->hWnd(), kNoWindow);
  EXPECT_TRUE(runtime.LoadedForms().empty());
  EXPECT_EQ(form->events,
            (std::vector<std::string>{"Form_QueryUnload 0", "Form_QueryUnload 0", "Form_Unload"}));
}

TEST_F(FormsBackendTest, SessionEndUnloadsUnlessCancelled) {
  form->cancel_unload = true;
  EXPECT_EQ(SendMessageA(WindowOf(*form), WM_QUERYENDSESSION, 0, 0), FALSE);
  form->cancel_unload = false;
  EXPECT_EQ(SendMessageA(WindowOf(*form), WM_QUERYENDSESSION, 0, 0), TRUE);
  EXPECT_TRUE(runtime.LoadedForms().empty());
  EXPECT_EQ(form->events.front(), "Form_QueryUnload 2");
}

TEST_F(FormsBackendTest, NoEventInterruptsARunningHandler) {
  const int timer_id = PeerOf(form->Timer1)->id();
  form->during_ok = [this, timer_id] {
    SendMessageA(WindowOf(*form), WM_TIMER, static_cast<WPARAM>(timer_id), 0);
    SendMessageA(NativeOf(form->cmdCancel), BM_CLICK, 0, 0);
  };
  SendMessageA(NativeOf(form->cmdOK), BM_CLICK, 0, 0);
  // The tick waited for the handler and ran once after it; the click was dropped.
  EXPECT_EQ(form->ticks, 1);
  EXPECT_EQ(form->events, std::vector<std::string>{"cmdOK_Click"});
  SendMessageA(WindowOf(*form), WM_TIMER, static_cast<WPARAM>(timer_id), 0);
  EXPECT_EQ(form->ticks, 2);
}

TEST_F(FormsBackendTest, KeyPressReachesTheFormFromAnyControlAndEndStopsTheLoop) {
  std::vector<char> keys;
  form->on_key_press = [this, &keys](char key) {
    keys.push_back(key);
    if (key == 'x') runtime.End();
  };
  SendMessageA(WindowOf(*form), WM_CHAR, VK_RETURN, 0);
  PostMessageA(NativeOf(form->cmdOK), WM_CHAR, VK_ESCAPE, 0);
  PostMessageA(NativeOf(form->Check1), WM_CHAR, ' ', 0);
  PostMessageA(NativeOf(form->cmdOK), WM_CHAR, 'x', 0);
  EXPECT_EQ(backend.RunMessageLoop(), 0);
  EXPECT_EQ(keys, (std::vector<char>{'\r', '\x1b', ' ', 'x'}));
  EXPECT_TRUE(runtime.Ended());
  EXPECT_EQ(form->hWnd(), kNoWindow);
}

// What a thread timer sees while a message box is up, before it closes the box.
struct MessageBoxWatch {
  HWND first = nullptr;
  HWND second = nullptr;
  bool seen = false;
  HWND box_owner = nullptr;
  bool first_enabled = true;
  bool second_enabled = true;
};
MessageBoxWatch g_box_watch;

BOOL CALLBACK FindMessageBox(HWND window, LPARAM found) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof(name));
  if (lstrcmpA(name, "#32770") != 0 || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

void CALLBACK WatchMessageBox(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND box = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), &FindMessageBox, reinterpret_cast<LPARAM>(&box));
  if (box == nullptr) return;  // not up yet
  KillTimer(nullptr, timer);
  g_box_watch.seen = true;
  g_box_watch.box_owner = GetWindow(box, GW_OWNER);
  g_box_watch.first_enabled = IsWindowEnabled(g_box_watch.first) != FALSE;
  g_box_watch.second_enabled = IsWindowEnabled(g_box_watch.second) != FALSE;
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

TEST_F(FormsBackendTest, MessageBoxIsModalForEveryWindowOfTheProgram) {
  SampleForm second(runtime, shell);
  runtime.Load(second);
  form->Show();
  second.Show();
  SetActiveWindow(WindowOf(second));
  ASSERT_EQ(GetActiveWindow(), WindowOf(second));
  g_box_watch = {WindowOf(*form), WindowOf(second)};
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, &WatchMessageBox);
  backend.MessageBox("System Information Is Unavailable At This Time", forms::kMsgBoxOkOnly,
                     "Ventrix3");
  KillTimer(nullptr, timer);
  ASSERT_TRUE(g_box_watch.seen);
  // Above the active window, and neither window takes input while the box is up.
  EXPECT_EQ(g_box_watch.box_owner, WindowOf(second));
  EXPECT_FALSE(g_box_watch.first_enabled);
  EXPECT_FALSE(g_box_watch.second_enabled);
  EXPECT_TRUE(IsWindowEnabled(WindowOf(*form)));
  EXPECT_TRUE(IsWindowEnabled(WindowOf(second)));
  runtime.Unload(second, forms::kFormCode);
}

TEST_F(FormsBackendTest, FocusBringsAMinimisedWindowBack) {
  form->Show();
  ShowWindow(WindowOf(*form), SW_MINIMIZE);
  ASSERT_TRUE(IsIconic(WindowOf(*form)));
  form->SetFocus();
  EXPECT_FALSE(IsIconic(WindowOf(*form)));
  EXPECT_TRUE(IsWindowVisible(WindowOf(*form)));
}

TEST_F(FormsBackendTest, AWindowShownWithoutActivationLeavesTheActiveWindowAlone) {
  const HWND window = WindowOf(*form);
  form->ShowWithoutActivation();
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_NE(GetActiveWindow(), window);
  form->Hide();
  form->Show();
  EXPECT_EQ(GetActiveWindow(), window);
}

// Records the captions of the top-level windows created on this thread whose caption starts
// with kDeferredCaption, in order.
constexpr char kDeferredCaption[] = "Deferred ";
std::vector<std::string> g_created_windows;

LRESULT CALLBACK RecordCreation(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HCBT_CREATEWND) {
    const CREATESTRUCTA* create = reinterpret_cast<CBT_CREATEWNDA*>(lparam)->lpcs;
    if (create->hwndParent == nullptr && create->lpszName != nullptr &&
        !IS_INTRESOURCE(create->lpszName) &&
        std::string_view(create->lpszName).starts_with(kDeferredCaption)) {
      g_created_windows.push_back(create->lpszName);
    }
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

class WindowCreationRecord {
 public:
  WindowCreationRecord()
      : hook_(SetWindowsHookExA(WH_CBT, &RecordCreation, nullptr, GetCurrentThreadId())) {
    g_created_windows.clear();
  }
  ~WindowCreationRecord() { UnhookWindowsHookEx(hook_); }
  WindowCreationRecord(const WindowCreationRecord&) = delete;
  WindowCreationRecord& operator=(const WindowCreationRecord&) = delete;
  bool hooked() const { return hook_ != nullptr; }

 private:
  HHOOK hook_;
};

forms::FormDesign CaptionedDesign(const std::string& caption) {
  forms::FormDesign design = SampleDesign();
  design.caption = caption;
  return design;
}

constexpr UINT kIdleCheckMs = 20;
constexpr UINT kIdleLimitMs = 5000;
Win32Backend* g_quitting = nullptr;

void CALLBACK QuitOnceTwoWindowsExist(HWND, UINT, UINT_PTR, DWORD) {
  if (g_created_windows.size() >= 2) g_quitting->Quit();
}
void CALLBACK QuitNow(HWND, UINT, UINT_PTR, DWORD) { g_quitting->Quit(); }

class DeferredWindowsTest : public ::testing::Test {
 protected:
  void SetUp() override { backend.set_defer_hidden_windows(true); }

  Win32Backend backend{GetModuleHandleA(nullptr)};
  forms::Runtime runtime{backend};
  testing::FakeShell shell;
};

// A form loaded hidden gets its window when its handle is asked for, built from the state the
// form and its controls reached meanwhile.
TEST_F(DeferredWindowsTest, AWindowCreatedLateShowsTheStateReachedMeanwhile) {
  SampleForm form(runtime, shell);
  runtime.Load(form);
  auto* window = dynamic_cast<ui::FormWindow*>(form.Peer());
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->hwnd(), nullptr);
  EXPECT_EQ(form.Label1.Peer(), nullptr);
  EXPECT_EQ(form.mnuoperations.Peer(), nullptr);

  form.set_caption("Ventrix 3");
  form.Label1.set_caption("Device D: Tray is Ejected.");
  form.Label1.set_visible(false);
  form.Check1.set_value(forms::kChecked);
  form.Combo1.AddItem("F:\\");
  form.Combo1.set_list_index(2);
  form.cmdOK.set_enabled(false);
  form.mnuoperations[0].set_caption("Eject Drive (F:)");
  form.mnuoperations[1].set_visible(false);
  form.mnuoperations[3].set_enabled(false);

  HWND hwnd = WindowOf(form);
  ASSERT_TRUE(IsWindow(hwnd));
  EXPECT_FALSE(IsWindowVisible(hwnd));
  EXPECT_EQ(TextOf(hwnd), "Ventrix 3");
  EXPECT_NE(ShownIcon(hwnd, true), nullptr);
  RECT client{};
  GetClientRect(hwnd, &client);
  EXPECT_EQ(client.bottom, ui::TwipsToPixels(kClientHeightTwips, ui::SystemDpi()));
  EXPECT_EQ(TextOf(NativeOf(form.Label1)), "Device D: Tray is Ejected.");
  EXPECT_EQ(GetWindowLongA(NativeOf(form.Label1), GWL_STYLE) & WS_VISIBLE, 0);
  EXPECT_EQ(SendMessageA(NativeOf(form.Check1), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageA(NativeOf(form.Combo1), CB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessageA(NativeOf(form.Combo1), CB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(TextOf(NativeOf(form.Combo1)), "F:\\");
  EXPECT_FALSE(IsWindowEnabled(NativeOf(form.cmdOK)));
  HMENU operations = GetSubMenu(GetMenu(hwnd), 1);
  ASSERT_EQ(GetMenuItemCount(operations), 3);
  EXPECT_EQ(MenuText(operations, 0), "Eject Drive (F:)");
  EXPECT_NE(GetMenuState(operations, 2, MF_BYPOSITION) & MF_GRAYED, 0u);
  EXPECT_EQ(WindowOf(form), hwnd);  // created once
  runtime.Unload(form, forms::kFormCode);
}

TEST_F(DeferredWindowsTest, ShowingAFormCreatesItsWindowAtOnce) {
  SampleForm form(runtime, shell);
  runtime.Load(form);
  form.Show();
  auto* window = dynamic_cast<ui::FormWindow*>(form.Peer());
  ASSERT_NE(window->hwnd(), nullptr);
  EXPECT_TRUE(IsWindowVisible(window->hwnd()));
  EXPECT_TRUE(IsWindowVisible(NativeOf(form.Label1)));
  runtime.Unload(form, forms::kFormCode);
}

// The message loop creates the waiting windows when nothing else waits, the form loaded last
// first; a form unloaded or ended while it waits never gets a window.
TEST_F(DeferredWindowsTest, TheIdleLoopCreatesWaitingWindowsLastLoadedFirst) {
  WindowCreationRecord record;
  ASSERT_TRUE(record.hooked());
  forms::Form first(runtime, "frmFirst", CaptionedDesign("Deferred first"));
  forms::Form second(runtime, "frmSecond", CaptionedDesign("Deferred second"));
  forms::Form dropped(runtime, "frmDropped", CaptionedDesign("Deferred dropped"));
  runtime.Load(first);
  runtime.Load(dropped);
  runtime.Load(second);
  runtime.Unload(dropped, forms::kFormCode);
  EXPECT_TRUE(g_created_windows.empty());

  // Quits once both windows exist, or after a while.
  g_quitting = &backend;
  const UINT_PTR timer = SetTimer(nullptr, 0, kIdleCheckMs, &QuitOnceTwoWindowsExist);
  const UINT_PTR limit = SetTimer(nullptr, 0, kIdleLimitMs, &QuitNow);
  EXPECT_EQ(backend.RunMessageLoop(), 0);
  KillTimer(nullptr, timer);
  KillTimer(nullptr, limit);
  EXPECT_EQ(g_created_windows, (std::vector<std::string>{"Deferred second", "Deferred first"}));
  EXPECT_TRUE(
      IsWindow(reinterpret_cast<HWND>(dynamic_cast<ui::FormWindow*>(first.Peer())->hwnd())));

  g_created_windows.clear();
  forms::Form waiting(runtime, "frmWaiting", CaptionedDesign("Deferred waiting"));
  runtime.Load(waiting);
  runtime.End();
  EXPECT_TRUE(g_created_windows.empty());
}

TEST(Win32WindowPlacement, PassesThePlacementToTheWindow) {
  Win32Backend backend(GetModuleHandleA(nullptr));
  forms::Runtime runtime(backend);
  testing::FakeShell shell;
  SampleForm form(runtime, shell);
  runtime.Load(form);
  form.Show();
  Win32WindowPlacement placement;
  constexpr std::intptr_t kHwndTop = 0;
  EXPECT_TRUE(placement.SetWindowPos(form.hWnd(), kHwndTop, 40, 30, 0, 0, kSwpNoSize));
  RECT place{};
  GetWindowRect(WindowOf(form), &place);
  EXPECT_EQ(place.left, 40);
  EXPECT_EQ(place.top, 30);
  // Topmost and back; under a bare X server Wine leaves the style flag to a window manager, so
  // only the calls' success is checked here.
  EXPECT_TRUE(
      placement.SetWindowPos(form.hWnd(), kHwndTopmost, 0, 0, 0, 0, kSwpNoMove | kSwpNoSize));
  EXPECT_TRUE(
      placement.SetWindowPos(form.hWnd(), kHwndNoTopmost, 0, 0, 0, 0, kSwpNoMove | kSwpNoSize));
  EXPECT_FALSE(
      placement.SetWindowPos(kNoWindow, kHwndTopmost, 0, 0, 0, 0, kSwpNoMove | kSwpNoSize));
}

// Saves the screen under a window as a 24-bit bottom-up .bmp.
bool SaveWindowImage(HWND window, const std::string& path) {
  RECT place{};
  GetWindowRect(window, &place);
  const int width = place.right - place.left;
  const int height = place.bottom - place.top;
  std::unique_ptr<std::remove_pointer_t<HDC>, void (*)(HDC)> screen(
      GetDC(nullptr), [](HDC dc) { ReleaseDC(nullptr, dc); });
  std::unique_ptr<std::remove_pointer_t<HDC>, BOOL (*)(HDC)> memory(
      CreateCompatibleDC(screen.get()), [](HDC dc) { return DeleteDC(dc); });
  BitmapHandle bitmap(CreateCompatibleBitmap(screen.get(), width, height));
  if (!screen || !memory || !bitmap) return false;
  {
    ui::SelectedObject selected(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, width, height, screen.get(), place.left, place.top, SRCCOPY);
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  const int stride = (width * 3 + 3) / 4 * 4;
  std::vector<char> pixels(static_cast<std::size_t>(stride) * height);
  if (GetDIBits(memory.get(), bitmap.get(), 0, height, pixels.data(), &info, DIB_RGB_COLORS) == 0) {
    return false;
  }
  BITMAPFILEHEADER header{};
  header.bfType = 0x4D42;  // "BM"
  header.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  header.bfSize = header.bfOffBits + static_cast<DWORD>(pixels.size());
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(&header), sizeof(header));
  file.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof(info.bmiHeader));
  file.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
  return static_cast<bool>(file);
}

TEST_F(FormsBackendTest, SampleFormScreenshot) {
  const char* output = std::getenv("VENTRIX_TEST_OUTPUT");
  if (output == nullptr) GTEST_SKIP() << "VENTRIX_TEST_OUTPUT is not set";
  CreateDirectoryA(output, nullptr);
  form->Label1.set_caption("Device D: Tray is Ejected.");
  form->Check1.set_value(forms::kChecked);
  form->Combo1.set_list_index(0);
  form->mnuoperations[1].set_enabled(false);
  form->Show();
  SetWindowPos(WindowOf(*form), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  PumpUntil(std::chrono::milliseconds(800), [] { return false; });
  EXPECT_TRUE(SaveWindowImage(WindowOf(*form), std::string(output) + "\\forms_backend_sample.bmp"));
}

}  // namespace
}  // namespace ventrix::win32
