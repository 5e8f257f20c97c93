// The Win32 tray icon in a real (Wine) notification area: adding and removing the icon,
// balloons, the popup menu with its pictures, picks by keyboard, and mouse notifications.

#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/win32/tray_icon_win32.h"
#include "platform/win32/tray_menu_picture_win32.h"
#include "program/resource_ids.h"

namespace ventrix::win32 {
namespace {

constexpr UINT kMenuTimerMs = 400;
constexpr int kMenuCursorX = 500;
constexpr int kMenuCursorY = 400;
constexpr int kMissingBitmap = 999;

TrayIconDesign ProgramDesign() {
  return TrayIconDesign{IDI_VENTRIX, "Ventrix is Running", true, "Ventrix 3", kBalloonIconInfo};
}

std::unique_ptr<Win32TrayIcon> MakeIcon(const TrayIconDesign& design = ProgramDesign()) {
  Win32TrayIconFactory factory(GetModuleHandleA(nullptr));
  std::unique_ptr<TrayIcon> icon = factory.Create(design, kNoWindow);
  return std::unique_ptr<Win32TrayIcon>(static_cast<Win32TrayIcon*>(icon.release()));
}

// The program's nine rows.
void AddProgramRows(TrayMenuRoot& menu) {
  menu.AddItem("Open Ventrix", IDB_DISC, "Open Ventrix");
  menu.AddItem("-", kNoPicture, "HR2");
  menu.AddItem("Eject / Close (D:\\)", IDB_DISC, "Operate Tray");
  menu.AddItem("Lock / Unlock (D:\\)", IDB_DISC, "Lock-Unlock");
  menu.AddItem("Settings", IDB_SETTINGS, "Options");
  menu.AddItem("-", kNoPicture, "HR3");
  menu.AddItem("About", IDB_ABOUT, "ABOUT");
  menu.AddItem("-", kNoPicture, "HR5");
  menu.AddItem("Exit", IDB_EXIT_CROSS, "EXIT");
}

// Asks the shell about the icon of `owner` directly.
bool ShellKnowsIcon(HWND owner) {
  NOTIFYICONDATAA data = MakeNotifyData(owner, NIF_TIP, TrayNotifyContent{});
  return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

// A notification as the shell sends it for the icon's version: with version 4 the point in
// wParam and the message with the icon's id in lParam; before, the id and the message.
LRESULT Notify(const Win32TrayIcon& icon, UINT message, POINT point = {0, 0}) {
  const bool version4 = icon.notify_version() == kNotifyIconVersion4;
  const WPARAM wparam = version4 ? MAKEWPARAM(point.x, point.y) : kTrayIconId;
  const LPARAM lparam = version4 ? MAKELPARAM(message, kTrayIconId) : message;
  return SendMessageA(icon.owner_window(), kTrayCallbackMessage, wparam, lparam);
}

// A right click as the shell reports it: from version 3 on, WM_CONTEXTMENU follows the release.
void RightClick(const Win32TrayIcon& icon, POINT point = {0, 0}) {
  Notify(icon, WM_RBUTTONDOWN, point);
  Notify(icon, WM_RBUTTONUP, point);
  if (icon.notify_version() != 0) Notify(icon, WM_CONTEXTMENU, point);
}

TEST(Win32TrayIcon, AddsTheIconShowsBalloonsAndRemovesTheIcon) {
  auto icon = MakeIcon();
  const HWND owner = icon->owner_window();
  ASSERT_NE(owner, nullptr);
  EXPECT_TRUE(icon->added());
  EXPECT_TRUE(ShellKnowsIcon(owner));
  // Wine's shell, as Vista's and later, takes notification version 4.
  EXPECT_EQ(icon->notify_version(), kNotifyIconVersion4);
  // A hidden top-level window (a message-only one would miss the task bar's broadcast).
  EXPECT_EQ(GetAncestor(owner, GA_PARENT), GetDesktopWindow());
  EXPECT_FALSE(IsWindowVisible(owner));

  EXPECT_EQ(icon->balloontitle(), "Ventrix 3");
  EXPECT_EQ(icon->balloontext(), "");
  icon->ShowBalloon();  // before any operation: the title with no text
  EXPECT_TRUE(icon->last_request_accepted());
  icon->set_balloontext("Device D: Tray is Ejected.");
  icon->ShowBalloon();
  EXPECT_TRUE(icon->last_request_accepted());
  // Texts beyond the shell's fields are cut to fit, not refused.
  icon->set_balloontitle(std::string(500, 'T'));
  icon->set_balloontext(std::string(5000, 'x'));
  icon->ShowBalloon();
  EXPECT_TRUE(icon->last_request_accepted());
  EXPECT_EQ(icon->balloontext().size(), 5000u);

  icon.reset();
  EXPECT_FALSE(IsWindow(owner));
  EXPECT_FALSE(ShellKnowsIcon(owner));
}

TEST(Win32TrayIcon, InvisibleDesignAddsNothing) {
  TrayIconDesign design = ProgramDesign();
  design.visible = false;
  auto icon = MakeIcon(design);
  EXPECT_FALSE(icon->added());
  EXPECT_FALSE(ShellKnowsIcon(icon->owner_window()));
}

TEST(Win32TrayIcon, ComesBackWhenTheTaskBarIsRecreated) {
  auto icon = MakeIcon();
  const HWND owner = icon->owner_window();
  NOTIFYICONDATAA data = MakeNotifyData(owner, 0, TrayNotifyContent{});
  ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &data));  // as when Explorer restarts
  ASSERT_FALSE(ShellKnowsIcon(owner));

  SendMessageA(owner, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
  EXPECT_TRUE(ShellKnowsIcon(owner));
  EXPECT_EQ(icon->notify_version(), kNotifyIconVersion4);  // asked for again after the re-add
  // Again while the icon is still there: it stays.
  SendMessageA(owner, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
  EXPECT_TRUE(icon->added());
  EXPECT_TRUE(ShellKnowsIcon(owner));
}

// A balloon for an icon the shell lost puts the icon back first. A session that ends (Restart
// Manager closing the program included) takes the icon away at once; a cancelled one leaves it.
TEST(Win32TrayIcon, ComesBackOnAChangeAndGoesWhenTheSessionEnds) {
  constexpr LPARAM kEndSessionCloseApp = 0x00000001;  // ENDSESSION_CLOSEAPP
  auto icon = MakeIcon();
  const HWND owner = icon->owner_window();
  NOTIFYICONDATAA data = MakeNotifyData(owner, 0, TrayNotifyContent{});
  ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &data));
  icon->ShowBalloon();
  EXPECT_TRUE(icon->last_request_accepted());
  EXPECT_TRUE(ShellKnowsIcon(owner));

  EXPECT_EQ(SendMessageA(owner, WM_QUERYENDSESSION, 0, 0), TRUE);
  SendMessageA(owner, WM_ENDSESSION, FALSE, 0);
  EXPECT_TRUE(ShellKnowsIcon(owner));
  SendMessageA(owner, WM_ENDSESSION, TRUE, kEndSessionCloseApp);
  EXPECT_FALSE(icon->added());
  EXPECT_FALSE(ShellKnowsIcon(owner));
}

TEST(TrayNotifyData, FillsOneIconWithFieldsCutToFit) {
  EXPECT_EQ(NotifyDataSize(), sizeof(NOTIFYICONDATAA));  // Wine's shell is version 6
  TrayNotifyContent content;
  content.tooltip = std::string(300, 't');
  content.balloon_title = std::string(300, 'h');
  content.balloon_text = std::string(300, 'b');
  content.balloon_icon = kBalloonIconInfo;
  const NOTIFYICONDATAA data = MakeNotifyData(nullptr, NIF_TIP | NIF_INFO, content);
  EXPECT_EQ(data.uID, kTrayIconId);
  EXPECT_EQ(data.uCallbackMessage, kTrayCallbackMessage);
  EXPECT_EQ(std::string(data.szTip), std::string(sizeof(data.szTip) - 1, 't'));
  EXPECT_EQ(std::string(data.szInfoTitle), std::string(sizeof(data.szInfoTitle) - 1, 'h'));
  EXPECT_EQ(std::string(data.szInfo), std::string(sizeof(data.szInfo) - 1, 'b'));
  EXPECT_EQ(data.dwInfoFlags, static_cast<DWORD>(NIIF_INFO));

  std::array<char, 4> field{'?', '?', '?', '?'};
  CopyToField("abc", field.data(), field.size());  // exact fit
  EXPECT_STREQ(field.data(), "abc");
  CopyToField("abcdef", field.data(), 1);
  EXPECT_STREQ(field.data(), "");
  CopyToField("", field.data(), field.size());
  EXPECT_STREQ(field.data(), "");

  EXPECT_EQ(BalloonIconFlags(0), static_cast<DWORD>(NIIF_NONE));
  EXPECT_EQ(BalloonIconFlags(3), static_cast<DWORD>(NIIF_ERROR));
  EXPECT_EQ(BalloonIconFlags(99), static_cast<DWORD>(NIIF_NONE));
}

TEST(Win32TrayIcon, BuildsThePopupMenuWithPictures) {
  auto icon = MakeIcon();
  AddProgramRows(icon->TrayMenu());
  const HMENU menu = icon->popup_menu();
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(GetMenuItemCount(menu), 9);
  const std::vector<bool> separators{false, true, false, false, false, true, false, true, false};
  for (int position = 0; position < 9; ++position) {
    SCOPED_TRACE(position);
    std::array<char, 64> caption{};
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_BITMAP | MIIM_STRING;
    info.dwTypeData = caption.data();
    info.cch = caption.size();
    ASSERT_TRUE(GetMenuItemInfoA(menu, position, TRUE, &info));
    EXPECT_EQ((info.fType & MFT_SEPARATOR) != 0, separators[position]);
    EXPECT_EQ(info.hbmpItem != nullptr, !separators[position]);
  }
  std::array<char, 64> text{};
  GetMenuStringA(menu, 2, text.data(), text.size(), MF_BYPOSITION);
  EXPECT_STREQ(text.data(), "Eject / Close (D:\\)");

  // Rows past the bound are ignored.
  for (std::size_t i = 0; i < kMaxTrayMenuItems; ++i) icon->AddItem("More", kNoPicture, "MORE");
  EXPECT_EQ(GetMenuItemCount(icon->popup_menu()), static_cast<int>(kMaxTrayMenuItems));
}

TEST(LoadMenuPicture, GivesTheBackgroundTheMenuColourAndKeepsThePicture) {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  EXPECT_FALSE(LoadMenuPicture(instance, kMissingBitmap));
  BitmapHandle disc = LoadMenuPicture(instance, IDB_DISC);
  ASSERT_TRUE(disc);
  BITMAP info{};
  ASSERT_TRUE(GetObjectA(disc.get(), sizeof(info), &info));
  EXPECT_EQ(info.bmWidth, kMenuPictureSize);
  EXPECT_EQ(info.bmHeight, kMenuPictureSize);
  HDC dc = CreateCompatibleDC(nullptr);
  const HGDIOBJ previous = SelectObject(dc, disc.get());
  EXPECT_EQ(GetPixel(dc, 0, 0), GetSysColor(COLOR_MENU));  // background
  EXPECT_EQ(GetPixel(dc, 2, 8), RGB(192, 192, 192));       // the disc's own grey
  EXPECT_EQ(GetPixel(dc, 8, 0), RGB(128, 128, 128));       // its rim
  SelectObject(dc, previous);

  // The larger sizes are pictures of their own, with the same background.
  static_assert(IDB_SIZE_STEP == kMenuPictureIdStep);
  for (int size : kMenuPictureSizes) {
    SCOPED_TRACE(size);
    for (int id : {IDB_EXIT_CROSS, IDB_SETTINGS, IDB_DISC, IDB_ABOUT}) {
      BitmapHandle picture = LoadMenuPicture(instance, id, size);
      ASSERT_TRUE(picture);
      ASSERT_TRUE(GetObjectA(picture.get(), sizeof(info), &info));
      EXPECT_EQ(info.bmWidth, size);
      EXPECT_EQ(info.bmHeight, size);
      const HGDIOBJ shown = SelectObject(dc, picture.get());
      EXPECT_EQ(GetPixel(dc, 0, size - 1), GetSysColor(COLOR_MENU));
      SelectObject(dc, shown);
    }
  }
  // A picture without larger bitmaps comes at 16x16.
  BitmapHandle fallback = LoadMenuPicture(instance, IDB_DISC + kMenuPictureIdStep * 3, 24);
  ASSERT_TRUE(fallback);
  ASSERT_TRUE(GetObjectA(fallback.get(), sizeof(info), &info));
  EXPECT_EQ(info.bmWidth, kMenuPictureSize);
  DeleteDC(dc);
}

// What the menu timer does once the menu is open.
struct MenuDriver {
  int downs = 0;  // arrow-down presses, then Enter; kDismiss: EndMenu; kEscape: the Esc key
  std::string screenshot;                      // file to write a screen capture to, or empty
  std::function<void()> while_open = nullptr;  // runs once the menu is open, before the keys
  bool fired = false;
};
MenuDriver g_driver;
constexpr int kDismiss = -1;
constexpr int kEscape = -2;

void PressKey(WORD key) {
  std::array<INPUT, 2> input{};
  input[0].type = INPUT_KEYBOARD;
  input[0].ki.wVk = key;
  input[1] = input[0];
  input[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(input.size(), input.data(), sizeof(INPUT));
}

struct DcReleaser {
  void operator()(HDC dc) const { ReleaseDC(nullptr, dc); }
};
struct DcDeleter {
  void operator()(HDC dc) const { DeleteDC(dc); }
};
struct GdiDeleter {
  void operator()(HBITMAP object) const { DeleteObject(object); }
};

// Captures the whole screen into a 24-bit .bmp file.
bool SaveScreen(const std::string& path) {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  std::unique_ptr<std::remove_pointer_t<HDC>, DcReleaser> screen(GetDC(nullptr));
  std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter> memory(CreateCompatibleDC(screen.get()));
  std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiDeleter> bitmap(
      CreateCompatibleBitmap(screen.get(), width, height));
  if (!screen || !memory || !bitmap) return false;
  HGDIOBJ old = SelectObject(memory.get(), bitmap.get());
  BitBlt(memory.get(), 0, 0, width, height, screen.get(), 0, 0, SRCCOPY);
  SelectObject(memory.get(), old);

  BITMAPINFOHEADER header{};
  header.biSize = sizeof(header);
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  const DWORD stride = ((width * 3) + 3) & ~3;
  std::vector<char> pixels(static_cast<std::size_t>(stride) * height);
  if (!GetDIBits(memory.get(), bitmap.get(), 0, height, pixels.data(),
                 reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS))
    return false;
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof(file) + sizeof(header);
  file.bfSize = file.bfOffBits + pixels.size();
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof(file));
  out.write(reinterpret_cast<const char*>(&header), sizeof(header));
  out.write(pixels.data(), pixels.size());
  return out.good();
}

void CALLBACK DriveMenu(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  g_driver.fired = true;
  if (!g_driver.screenshot.empty()) SaveScreen(g_driver.screenshot);
  if (g_driver.while_open) g_driver.while_open();
  if (g_driver.downs == kEscape) {
    PressKey(VK_ESCAPE);
    return;
  }
  if (g_driver.downs < 0) {
    EndMenu();
    return;
  }
  for (int i = 0; i < g_driver.downs; ++i) PressKey(VK_DOWN);
  PressKey(VK_RETURN);
}

std::optional<TrayMenuItem> ShowDriven(Win32TrayIcon& icon, MenuDriver driver) {
  g_driver = std::move(driver);
  SetCursorPos(kMenuCursorX, kMenuCursorY);
  SetTimer(nullptr, 0, kMenuTimerMs, &DriveMenu);
  std::optional<TrayMenuItem> picked = icon.ShowMenu();
  EXPECT_TRUE(g_driver.fired);
  return picked;
}

TEST(Win32TrayIcon, ShowMenuAnswersThePickedRowOrNothing) {
  auto icon = MakeIcon();
  EXPECT_FALSE(icon->ShowMenu().has_value());  // no rows yet
  AddProgramRows(icon->TrayMenu());

  std::string screenshot;
  if (const char* output = std::getenv("VENTRIX_TEST_OUTPUT")) {
    CreateDirectoryA(output, nullptr);
    screenshot = std::string(output) + "\\tray_menu.bmp";
  }
  // Down four times skips the separator: Open, Eject / Close, Lock / Unlock, Settings.
  std::optional<TrayMenuItem> picked = ShowDriven(*icon, {4, screenshot});
  ASSERT_TRUE(picked.has_value());
  EXPECT_EQ(picked->Key, "Options");
  EXPECT_EQ(picked->caption, "Settings");
  EXPECT_EQ(picked->picture, IDB_SETTINGS);

  picked = ShowDriven(*icon, {1, {}});
  ASSERT_TRUE(picked.has_value());
  EXPECT_EQ(picked->Key, "Open Ventrix");

  EXPECT_FALSE(ShowDriven(*icon, {-1, {}}).has_value());  // dismissed
}

TEST(Win32TrayIcon, RaisesNothingWhileItsMenuIsOpen) {
  auto icon = MakeIcon();
  AddProgramRows(icon->TrayMenu());
  int notifications = 0;
  icon->on_click = [&](std::int16_t) { ++notifications; };
  icon->on_dbl_click = [&](std::int16_t) { ++notifications; };
  MenuDriver driver{1, {}};
  driver.while_open = [&icon] {
    for (UINT mouse : {WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONUP, WM_CONTEXTMENU, NIN_KEYSELECT})
      Notify(*icon, mouse);
  };
  const std::optional<TrayMenuItem> picked = ShowDriven(*icon, driver);
  ASSERT_TRUE(picked.has_value());
  EXPECT_EQ(picked->Key, "Open Ventrix");
  EXPECT_EQ(notifications, 0);
  // Once the menu has closed, the icon reports again.
  RightClick(*icon);
  EXPECT_EQ(notifications, 1);
}

// Delivers the thread's messages (the icon's timers among them) for the given time.
void PumpMessagesFor(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < milliseconds) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    Sleep(10);
  }
}

TEST(Win32TrayIcon, RaisesClicksAndDoubleClicks) {
  auto icon = MakeIcon();
  std::vector<std::int16_t> clicks;
  std::vector<std::int16_t> double_clicks;
  icon->on_click = [&](std::int16_t button) { clicks.push_back(button); };
  icon->on_dbl_click = [&](std::int16_t argument) { double_clicks.push_back(argument); };
  const HWND owner = icon->owner_window();
  const DWORD double_click_time = GetDoubleClickTime();
  // A double click raises the double click alone: neither release is a click. A right click
  // raises one click, for its WM_CONTEXTMENU.
  for (UINT mouse : {WM_LBUTTONDOWN, WM_LBUTTONUP, NIN_SELECT, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
    Notify(*icon, mouse);
  RightClick(*icon);
  for (UINT mouse : {WM_MOUSEMOVE, WM_MBUTTONUP}) Notify(*icon, mouse);
  PumpMessagesFor(double_click_time * 2);
  EXPECT_EQ(clicks, (std::vector<std::int16_t>{kMouseRight}));
  EXPECT_EQ(double_clicks, (std::vector<std::int16_t>{0}));

  // A single left click is reported once no double click can follow, within the time.
  clicks.clear();
  Notify(*icon, WM_LBUTTONDOWN);
  Notify(*icon, WM_LBUTTONUP);
  Notify(*icon, NIN_SELECT);
  EXPECT_TRUE(clicks.empty());
  PumpMessagesFor(double_click_time + double_click_time / 2);
  EXPECT_EQ(clicks, (std::vector<std::int16_t>{kMouseLeft}));

  // A failing handler is contained at the window procedure.
  icon->on_click = [](std::int16_t) { throw std::runtime_error("handler failed"); };
  EXPECT_EQ(Notify(*icon, WM_CONTEXTMENU), 0);

  // A handler may end the program, destroying the icon while its notification runs.
  bool ran = false;
  icon->on_click = [&](std::int16_t) {
    icon.reset();
    ran = true;
  };
  Notify(*icon, WM_CONTEXTMENU);
  EXPECT_TRUE(ran);
  EXPECT_FALSE(IsWindow(owner));
}

// The icon from the keyboard, with the messages posted as the shell posts them for version 4.
TEST(Win32TrayIcon, EnterRunsTheDoubleClickOnceAndTheMenuOpensWhereTheShellSays) {
  auto icon = MakeIcon();
  ASSERT_EQ(icon->notify_version(), kNotifyIconVersion4);
  AddProgramRows(icon->TrayMenu());
  std::vector<std::int16_t> clicks;
  int double_clicks = 0;
  icon->on_click = [&](std::int16_t button) { clicks.push_back(button); };
  icon->on_dbl_click = [&](std::int16_t) { ++double_clicks; };
  // Enter or Space: Windows may send NIN_KEYSELECT twice for one press.
  const POINT corner{700, 580};
  Notify(*icon, NIN_KEYSELECT, corner);
  Notify(*icon, NIN_KEYSELECT, corner);
  EXPECT_EQ(double_clicks, 1);
  EXPECT_TRUE(clicks.empty());
  // A press after the double-click time acts again.
  Sleep(GetDoubleClickTime() + GetDoubleClickTime() / 2);
  Notify(*icon, NIN_KEYSELECT, corner);
  EXPECT_EQ(double_clicks, 2);

  // Shift+F10 or the Apps key: WM_CONTEXTMENU with the icon's corner, away from the cursor.
  RECT menu_place{};
  std::optional<TrayMenuItem> picked;
  icon->on_click = [&](std::int16_t button) {
    clicks.push_back(button);
    picked = icon->ShowMenu();
  };
  g_driver = MenuDriver{
      kEscape, {}, [&menu_place] { GetWindowRect(FindWindowA("#32768", nullptr), &menu_place); }};
  SetCursorPos(kMenuCursorX, kMenuCursorY);
  SetTimer(nullptr, 0, kMenuTimerMs, &DriveMenu);
  const POINT anchor{300, 200};
  Notify(*icon, WM_CONTEXTMENU, anchor);
  EXPECT_TRUE(g_driver.fired);
  EXPECT_EQ(clicks, (std::vector<std::int16_t>{kMouseRight}));
  EXPECT_EQ(menu_place.left, anchor.x);
  EXPECT_EQ(menu_place.top, anchor.y);
  // Dismissed with Esc: nothing picked, and the focus is given back to the icon.
  EXPECT_FALSE(picked.has_value());
  EXPECT_EQ(icon->last_request(), static_cast<DWORD>(NIM_SETFOCUS));

  // Dismissed by a click elsewhere: no focus request.
  icon->ShowBalloon();
  EXPECT_FALSE(ShowDriven(*icon, {kDismiss, {}}).has_value());
  EXPECT_EQ(icon->last_request(), static_cast<DWORD>(NIM_MODIFY));
}

// After a change of the system's colours the menu's pictures take the new menu colour.
TEST(Win32TrayIcon, MenuPicturesFollowAColourChange) {
  auto icon = MakeIcon();
  AddProgramRows(icon->TrayMenu());
  auto background = [&icon] {
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_BITMAP;
    GetMenuItemInfoA(icon->popup_menu(), 0, TRUE, &info);
    HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ previous = SelectObject(dc, info.hbmpItem);
    const COLORREF colour = GetPixel(dc, 0, 0);
    SelectObject(dc, previous);
    DeleteDC(dc);
    return colour;
  };
  EXPECT_EQ(background(), GetSysColor(COLOR_MENU));
  const int index = COLOR_MENU;
  const COLORREF previous = GetSysColor(COLOR_MENU);
  const COLORREF changed = RGB(10, 20, 30);
  SetSysColors(1, &index, &changed);
  SendMessageA(icon->owner_window(), WM_SYSCOLORCHANGE, 0, 0);
  EXPECT_EQ(background(), changed);
  SetSysColors(1, &index, &previous);
}

}  // namespace
}  // namespace ventrix::win32
