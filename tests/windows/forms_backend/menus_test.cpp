// Menus on the win32 forms backend: command ids, the menu bar, hidden and greyed items and
// when the native menu is rebuilt and redrawn.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win32/forms/ids.h"
#include "platform/win32/forms/menu_bar.h"
#include "platform/win32/forms/units.h"
#include "tests/windows/forms_backend/sample_form.h"

namespace ventrix::win32 {
namespace {

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

}  // namespace
}  // namespace ventrix::win32
