// Controls on the win32 forms backend: their native state, tooltips, timers and the events of
// check boxes, buttons, combo boxes, labels, frames and links.

#include <gtest/gtest.h>
#include <windows.h>
// After <windows.h>, which it needs.
#include <commctrl.h>

#include <chrono>
#include <string>
#include <vector>

#include "platform/win32/forms/combo_box_peer.h"
#include "platform/win32/forms/form_window.h"
#include "platform/win32/forms/units.h"
#include "tests/windows/forms_backend/sample_form.h"

namespace ventrix::win32 {
namespace {

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

  // Shown, the same: showing runs the paused timer once more, and a change starts it again.
  form->Show();
  PumpUntil(std::chrono::seconds(3), [this] { return form->ticks >= 3; });
  PumpUntil(std::chrono::milliseconds(200), [] { return false; });
  EXPECT_EQ(form->ticks, 3);
  EXPECT_TRUE(form->Timer1.Paused());
  form->Label1.set_caption("Changed again");
  PumpUntil(std::chrono::seconds(3), [this] { return form->ticks >= 4; });
  EXPECT_EQ(form->ticks, 4);

  // Without an interval, or disabled, a change starts nothing.
  form->Timer1.set_interval(0);
  PumpUntil(std::chrono::milliseconds(50), [] { return false; });
  form->ticks = 0;
  form->Label1.set_caption("No interval");
  PumpUntil(std::chrono::milliseconds(200), [] { return false; });
  EXPECT_EQ(form->ticks, 0);
  form->Timer1.set_interval(30);
  form->Timer1.set_enabled(false);
  form->Label1.set_caption("Disabled");
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

  SendMessageA(NativeOf(form->link), WM_LBUTTONDOWN, 0, 0);
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].file, "https://ventrix.example");
  // The link is a tab stop that Enter and Space open (a held key opens it once).
  HWND link = NativeOf(form->link);
  EXPECT_NE(GetWindowLongA(link, GWL_STYLE) & WS_TABSTOP, 0);
  EXPECT_EQ(SendMessageA(link, WM_GETDLGCODE, VK_RETURN, 0), DLGC_WANTMESSAGE);
  SendMessageA(link, WM_KEYDOWN, VK_RETURN, 0);
  SendMessageA(link, WM_KEYDOWN, VK_SPACE, 0);
  SendMessageA(link, WM_KEYDOWN, VK_SPACE, 1 << 30);
  EXPECT_EQ(shell.calls.size(), 3u);
  // Its text and the frame's caption are their window texts, which name them.
  EXPECT_EQ(TextOf(link), "https://ventrix.example");
  EXPECT_EQ(TextOf(NativeOf(form->Frame1)), "Drive");
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

}  // namespace
}  // namespace ventrix::win32
