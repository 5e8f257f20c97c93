// The win32 forms backend: the form window itself, its style, icon, close box, session end,
// events, keys, message boxes and focus. The other subjects are in forms_backend/.

#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <dbt.h>

#include <string>
#include <vector>

#include "platform/win32/forms/form_style.h"
#include "platform/win32/forms/form_window.h"
#include "platform/win32/forms/units.h"
#include "program/resource_ids.h"
#include "tests/windows/forms_backend/sample_form.h"

namespace ventrix::win32 {
namespace {

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

// The query agrees and ends nothing, so a shut-down that another program cancels leaves the form
// as it was; the form unloads only when the session really ends.
TEST_F(FormsBackendTest, SessionEndUnloadsOnlyWhenTheSessionEnds) {
  EXPECT_EQ(SendMessageA(WindowOf(*form), WM_QUERYENDSESSION, 0, 0), TRUE);
  SendMessageA(WindowOf(*form), WM_ENDSESSION, FALSE, 0);
  EXPECT_EQ(runtime.LoadedForms().size(), 1u);
  EXPECT_TRUE(form->events.empty());
  SendMessageA(WindowOf(*form), WM_ENDSESSION, TRUE, 0);
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

// What the system broadcasts when a drive or a disc comes or goes reaches the form once no
// handler runs; other device types and other events do not.
TEST_F(FormsBackendTest, VolumeArrivalAndRemovalReachTheForm) {
  std::vector<forms::VolumeChange> changes;
  form->on_volume_change = [&changes](const forms::VolumeChange& change) {
    changes.push_back(change);
  };
  DEV_BROADCAST_VOLUME volume{};
  volume.dbcv_size = sizeof(volume);
  volume.dbcv_devicetype = DBT_DEVTYP_VOLUME;
  volume.dbcv_unitmask = 1u << 4;  // E:
  auto send = [this, &volume](WPARAM event) {
    return SendMessageA(WindowOf(*form), WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(&volume));
  };
  EXPECT_EQ(send(DBT_DEVICEARRIVAL), TRUE);
  volume.dbcv_flags = DBTF_MEDIA;
  form->during_ok = [&send] { send(DBT_DEVICEREMOVECOMPLETE); };
  SendMessageA(NativeOf(form->cmdOK), BM_CLICK, 0, 0);
  send(DBT_DEVICEQUERYREMOVE);
  volume.dbcv_devicetype = DBT_DEVTYP_PORT;
  send(DBT_DEVICEARRIVAL);
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_TRUE(changes[0].arrived);
  EXPECT_EQ(changes[0].drives, 1u << 4);
  EXPECT_FALSE(changes[0].media);
  EXPECT_FALSE(changes[1].arrived);
  EXPECT_TRUE(changes[1].media);
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

}  // namespace
}  // namespace ventrix::win32
