// What a screen reader and a high-contrast user get from the program's windows: each control
// asked through the system's accessibility interface (oleacc, which Wine answers), the order Tab
// follows and the access keys, and the colours painted with high contrast forced on (Wine always
// reports it off, so the forms runtime's contrast setting is the fake here).

#include <gtest/gtest.h>
#include <windows.h>
// After <windows.h>, which they need.
#include <oleacc.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <initializer_list>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "about/frm_about.h"
#include "main/frm_main.h"
#include "platform/win32/forms/handles.h"
#include "platform/win32/forms/link_accessible.h"
#include "platform/win32/forms/painted_control.h"
#include "program/program.h"
#include "settings/frm_settings.h"
#include "splash/frm_splash.h"
#include "tests/support/test_platform.h"
#include "tests/windows/forms_backend/sample_form.h"
#include "webupdate/frm_web_update.h"

namespace ventrix::win32 {
namespace {

constexpr COLORREF kStatusGreen = RGB(0, 255, 0);
constexpr COLORREF kLinkBlue = RGB(0, 0, 255);
// System colours set for the test, unlike any the program uses, so each can be told apart. The
// window and the button face differ, as in a contrast theme of the user's own.
constexpr COLORREF kTestWindowText = RGB(10, 20, 30);
constexpr COLORREF kTestHotLight = RGB(200, 100, 50);
constexpr COLORREF kTestWindow = RGB(250, 240, 110);
constexpr COLORREF kTestButtonFace = RGB(60, 70, 160);
constexpr int kNameLength = 256;
constexpr auto kPaintTime = std::chrono::milliseconds(600);

struct AccessibleFacts {
  std::string name;
  long role = 0;
  long state = 0;
};

std::string Narrow(BSTR text) {
  if (text == nullptr) return {};
  char buffer[kNameLength] = {};
  WideCharToMultiByte(CP_ACP, 0, text, -1, buffer, kNameLength, nullptr, nullptr);
  return buffer;
}

// The control's own accessible object, as a screen reader gets it.
std::optional<AccessibleFacts> Ask(HWND control) {
  IAccessible* object = nullptr;
  if (FAILED(AccessibleObjectFromWindow(control, OBJID_CLIENT, __uuidof(IAccessible),
                                        reinterpret_cast<void**>(&object))) ||
      object == nullptr) {
    return std::nullopt;
  }
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  AccessibleFacts facts;
  BSTR name = nullptr;
  if (SUCCEEDED(object->get_accName(self, &name))) facts.name = Narrow(name);
  SysFreeString(name);
  VARIANT role{};
  if (SUCCEEDED(object->get_accRole(self, &role)) && role.vt == VT_I4) facts.role = role.lVal;
  VARIANT state{};
  if (SUCCEEDED(object->get_accState(self, &state)) && state.vt == VT_I4) facts.state = state.lVal;
  object->Release();
  return facts;
}

// A caption as a screen reader says it: the access-key marker dropped, "&&" read as "&".
std::string Spoken(const std::string& caption) {
  std::string spoken;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    spoken += caption[i];
  }
  return spoken;
}

std::vector<HWND> ChildrenInZOrder(HWND window) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  return children;
}

std::string ClassOf(HWND window) {
  char name[kNameLength] = {};
  GetClassNameA(window, name, kNameLength);
  return name;
}

// The texts of the controls Tab visits, from the first.
std::vector<std::string> TabStops(HWND window) {
  std::vector<std::string> texts;
  HWND first = GetNextDlgTabItem(window, nullptr, FALSE);
  for (HWND stop = first; stop != nullptr;) {
    texts.push_back(TextOf(stop));
    stop = GetNextDlgTabItem(window, stop, FALSE);
    if (stop == first) break;
  }
  return texts;
}

// Every control of a window answers with its text as its name; the ones that take the focus say
// so; the access keys of its captions are all different.
void CheckEveryControl(HWND window) {
  std::set<char> access_keys;
  for (HWND child : ChildrenInZOrder(window)) {
    const std::string text = TextOf(child);
    SCOPED_TRACE(ClassOf(child) + " \"" + text + "\"");
    const std::optional<AccessibleFacts> facts = Ask(child);
    ASSERT_TRUE(facts.has_value());
    const bool tab_stop = (GetWindowLongA(child, GWL_STYLE) & WS_TABSTOP) != 0;
    if (tab_stop && IsWindowEnabled(child) && IsWindowVisible(child)) {
      EXPECT_NE(facts->state & STATE_SYSTEM_FOCUSABLE, 0);
    }
    // Buttons, labels and the program's own drawn controls are named by their text; an edit
    // field or a drop-down list by the label before it (checked where the window has one).
    const std::string kind = ClassOf(child);
    const bool named_by_text = lstrcmpiA(kind.c_str(), "Button") == 0 ||
                               lstrcmpiA(kind.c_str(), "Static") == 0 ||
                               kind == ui::PaintedControl::kClassName;
    if (named_by_text && !text.empty()) {
      EXPECT_EQ(facts->name, Spoken(text));
    }
    const std::size_t marker = text.find('&');
    if (marker != std::string::npos && marker + 1 < text.size() && text[marker + 1] != '&') {
      const auto key =
          static_cast<char>(std::tolower(static_cast<unsigned char>(text[marker + 1])));
      EXPECT_TRUE(access_keys.insert(key).second) << "access key used twice";
    }
  }
}

// A program on the win32 backend with fakes for every other service, started as on a first run.
struct ProgramWindows : ::testing::Test {
  Win32Backend backend{GetModuleHandleA(nullptr)};
  testing::TestPlatform fake;
  Platform platform = fake.platform({.ui = &backend});
  Program program{platform};

  ProgramWindows() { program.Start(); }
  ~ProgramWindows() override {
    program.End();
    // The program's end leaves WM_QUIT for the message loop, which this test has none of.
    MSG quit{};
    while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }
  static HWND Of(const forms::Form& form) { return reinterpret_cast<HWND>(form.hWnd()); }
};

TEST_F(ProgramWindows, SettingsWindowNamesItsDriveListAndKeepsItsTabOrder) {
  FrmSettings& settings = program.frmSettings();
  settings.Show();
  const HWND window = Of(settings);
  CheckEveryControl(window);
  // Windows names a drop-down list by the static label right before it in z-order.
  const HWND combo = NativeOf(program.frmSettings().Combo1);
  const HWND before = GetWindow(combo, GW_HWNDPREV);
  ASSERT_NE(before, nullptr);
  EXPECT_EQ(lstrcmpiA(ClassOf(before).c_str(), "Static"), 0);
  EXPECT_EQ(TextOf(before), "Selected CD Drive");
  EXPECT_EQ(TabStops(window),
            (std::vector<std::string>{"&Save Settings", "&Close", "Default", "Always on Top",
                                      "Visible on startup", TextOf(combo), "Show Splash Screen",
                                      "Minimise to Tray on Exit"}));
  // Alt+C, the access key of "&Close", presses it through the dialog manager: saved, hidden.
  MSG alt_c{window, WM_SYSCHAR, 'c', 0, 0, {}};
  EXPECT_TRUE(IsDialogMessageA(window, &alt_c));
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_FALSE(fake.settings.writes.empty());
  // Esc is the close box: the window hides and stays loaded.
  settings.Show();
  SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_EQ(program.LoadedSettings(), &settings);
}

TEST_F(ProgramWindows, AboutBoxLinkIsAFocusableLinkNamedByItsAddress) {
  FrmAbout& about = program.frmAbout();
  about.Show();
  const HWND window = Of(about);
  CheckEveryControl(window);
  const HWND link = NativeOf(about.vbwHyperlink1);
  const std::optional<AccessibleFacts> facts = Ask(link);
  ASSERT_TRUE(facts.has_value());
  EXPECT_EQ(facts->role, ROLE_SYSTEM_LINK);
  EXPECT_EQ(facts->name, about.vbwHyperlink1.Caption());
  EXPECT_NE(facts->state & STATE_SYSTEM_LINKED, 0);
  EXPECT_NE(facts->state & STATE_SYSTEM_FOCUSABLE, 0);
  // Tab reaches it, after OK and "System Info..." and before "Web Update".
  EXPECT_EQ(TabStops(window),
            (std::vector<std::string>{"OK", "&System Info...", about.vbwHyperlink1.Caption(),
                                      "Web Update"}));
  // Its default action follows the link, as Enter does.
  IAccessible* object = nullptr;
  ASSERT_TRUE(SUCCEEDED(AccessibleObjectFromWindow(link, OBJID_CLIENT, __uuidof(IAccessible),
                                                   reinterpret_cast<void**>(&object))));
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  EXPECT_EQ(object->accDoDefaultAction(self), S_OK);
  object->Release();
  PumpUntil(std::chrono::seconds(2), [this] { return !fake.shell.calls.empty(); });
  ASSERT_EQ(fake.shell.calls.size(), 1u);
  EXPECT_EQ(fake.shell.calls[0].file, about.vbwHyperlink1.LinkAddress());
}

LRESULT WINAPI FailingLresultFromObject(REFIID, WPARAM, LPUNKNOWN) { return E_FAIL; }

// A hand-over of the link's object that fails is no answer: the link window leaves WM_GETOBJECT
// to its default procedure, and a screen reader gets the standard object instead of an error.
TEST_F(ProgramWindows, AFailedHandOverOfTheLinksObjectLeavesTheDefaultAnswer) {
  FrmAbout& about = program.frmAbout();
  about.Show();
  const HWND link = NativeOf(about.vbwHyperlink1);
  const ui::LinkObjectFunctions failing{&CreateStdAccessibleObject, &FailingLresultFromObject};
  EXPECT_EQ(ui::AnswerLinkObject(failing, link, 0), 0);
}

TEST_F(ProgramWindows, MainSplashAndWebUpdateWindowsNameTheirControls) {
  for (forms::Form* form : std::initializer_list<forms::Form*>{
           &program.frmMain(), &program.frmSplash(), &program.frmWebUpdate()}) {
    SCOPED_TRACE(form->Name());
    form->Show();
    CheckEveryControl(Of(*form));
  }
}

// The status line's changes reach a screen reader as name changes of its control. Windows'
// DefWindowProc raises EVENT_OBJECT_NAMECHANGE for every WM_SETTEXT; Wine 8's raises none, so the
// check is that the change arrives as the control's WM_SETTEXT (nothing paints the text around
// it) and that the control's accessible name is then the new text.
std::vector<std::pair<HWND, std::string>> g_set_texts;
LRESULT CALLBACK RecordSetText(int code, WPARAM wparam, LPARAM lparam) {
  const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lparam);
  if (code == HC_ACTION && sent->message == WM_SETTEXT && sent->lParam != 0) {
    g_set_texts.emplace_back(sent->hwnd, reinterpret_cast<const char*>(sent->lParam));
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

TEST_F(ProgramWindows, StatusLineChangesAreAnnouncedAsNameChanges) {
  FrmMain& main = program.frmMain();
  const HWND status = NativeOf(main.Label1);
  const std::string text = "Device D: Tray is Ejected.";
  g_set_texts.clear();
  const HHOOK hook =
      SetWindowsHookExA(WH_CALLWNDPROC, &RecordSetText, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  main.Label1.set_caption(text);
  UnhookWindowsHookEx(hook);
  EXPECT_NE(std::find(g_set_texts.begin(), g_set_texts.end(), std::pair(status, text)),
            g_set_texts.end());
  const std::optional<AccessibleFacts> facts = Ask(status);
  ASSERT_TRUE(facts.has_value());
  EXPECT_EQ(facts->name, text);
}

// Sets system colours for a test and puts the previous ones back.
class SystemColours {
 public:
  SystemColours(std::vector<int> indexes, const std::vector<COLORREF>& colours)
      : indexes_(std::move(indexes)) {
    for (int index : indexes_) previous_.push_back(GetSysColor(index));
    SetSysColors(static_cast<int>(indexes_.size()), indexes_.data(), colours.data());
  }
  ~SystemColours() {
    SetSysColors(static_cast<int>(indexes_.size()), indexes_.data(), previous_.data());
  }
  SystemColours(const SystemColours&) = delete;
  SystemColours& operator=(const SystemColours&) = delete;

 private:
  std::vector<int> indexes_;
  std::vector<COLORREF> previous_;
};

// How many pixels of the colour the screen shows inside the window.
int CountOnScreen(HWND window, COLORREF colour) {
  RECT place{};
  GetWindowRect(window, &place);
  const int width = place.right - place.left;
  const int height = place.bottom - place.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BitmapHandle bitmap(CreateCompatibleBitmap(screen, width, height));
  std::vector<RGBQUAD> pixels(static_cast<std::size_t>(width) * height);
  {
    ui::SelectedObject selected(memory, bitmap.get());
    BitBlt(memory, 0, 0, width, height, screen, place.left, place.top, SRCCOPY);
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  GetDIBits(memory, bitmap.get(), 0, height, pixels.data(), &info, DIB_RGB_COLORS);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return static_cast<int>(std::count_if(pixels.begin(), pixels.end(), [colour](RGBQUAD pixel) {
    return RGB(pixel.rgbRed, pixel.rgbGreen, pixel.rgbBlue) == colour;
  }));
}

TEST_F(FormsBackendTest, HighContrastPaintsWithTheSystemsColoursAndOffAsDesigned) {
  const SystemColours colours({COLOR_WINDOWTEXT, COLOR_HOTLIGHT, COLOR_WINDOW, COLOR_BTNFACE},
                              {kTestWindowText, kTestHotLight, kTestWindow, kTestButtonFace});
  form->Show();
  const HWND window = WindowOf(*form);
  SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  PumpUntil(kPaintTime, [] { return false; });
  const HWND status = NativeOf(form->Label1);
  const HWND link = NativeOf(form->link);
  EXPECT_GT(CountOnScreen(status, kStatusGreen), 0);
  EXPECT_EQ(CountOnScreen(status, kTestWindowText), 0);
  EXPECT_GT(CountOnScreen(link, kLinkBlue), 0);

  // Turned on: the system's colour change makes the runtime ask again, and the window repaints.
  contrast.high_contrast = true;
  SendMessageA(window, WM_SYSCOLORCHANGE, 0, 0);
  EXPECT_TRUE(runtime.HighContrast());
  PumpUntil(kPaintTime, [] { return false; });
  EXPECT_EQ(CountOnScreen(status, kStatusGreen), 0);
  EXPECT_GT(CountOnScreen(status, kTestWindowText), 0);
  EXPECT_EQ(CountOnScreen(link, kLinkBlue), 0);
  EXPECT_GT(CountOnScreen(link, kTestHotLight), 0);
  // Each on the background its colour is defined against: the window's, not the button face.
  for (const HWND text : {status, link}) {
    EXPECT_GT(CountOnScreen(text, kTestWindow), 0);
    EXPECT_EQ(CountOnScreen(text, kTestButtonFace), 0);
  }

  contrast.high_contrast = false;
  SendMessageA(window, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
  PumpUntil(kPaintTime, [] { return false; });
  EXPECT_GT(CountOnScreen(status, kStatusGreen), 0);
  EXPECT_GT(CountOnScreen(link, kLinkBlue), 0);
  // Off, the designed colours sit on the button face as before.
  for (const HWND text : {status, link}) {
    EXPECT_GT(CountOnScreen(text, kTestButtonFace), 0);
    EXPECT_EQ(CountOnScreen(text, kTestWindow), 0);
  }
}

}  // namespace
}  // namespace ventrix::win32
