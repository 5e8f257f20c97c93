// Windows created late on the win32 forms backend: a hidden form gets its native window when
// it is needed or when the message loop is idle.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/forms/form_window.h"
#include "platform/win32/forms/units.h"
#include "tests/windows/forms_backend/sample_form.h"

namespace ventrix::win32 {
namespace {

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

}  // namespace
}  // namespace ventrix::win32
