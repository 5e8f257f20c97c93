// Every handler of the program, run with each platform call failing in turn: each kind of call
// failing throughout, each call failing on its own, and everything failing at once.

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <utility>

#include "about/frm_about.h"
#include "main/frm_main.h"
#include "main/frm_main_layout.h"
#include "settings/frm_settings.h"
#include "settings/settings_layout.h"
#include "splash/frm_splash.h"
#include "splash/frm_splash_layout.h"
#include "tests/native/faults/fault_bench.h"
#include "webupdate/frm_web_update.h"

namespace ventrix::testing {
namespace {

using Step = std::function<void(FaultBench&)>;

struct HandlerCase {
  HandlerCase(const char* case_name, Step event, Effect event_effect = Effect::kNone,
              Step machine = {}, Step arrange = {})
      : name(case_name),
        act(std::move(event)),
        effect(event_effect),
        before_start(std::move(machine)),
        prepare(std::move(arrange)) {}

  const char* name;
  Step act;  // the event, run while the calls fail
  Effect effect;
  Step before_start;  // the machine and the store
  Step prepare;       // after start-up, before anything fails
};

constexpr const char* kPathKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr const char* kLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";

FrmMain& Main(FaultBench& bench) { return bench.p().frmMain(); }
FrmSettings& Settings(FaultBench& bench) { return bench.p().frmSettings(); }
FrmAbout& About(FaultBench& bench) { return bench.p().frmAbout(); }
FrmWebUpdate& WebUpdate(FaultBench& bench) { return bench.p().frmWebUpdate(); }

void Pick(FaultBench& bench, forms::MenuArray& menu, std::int16_t index) {
  ASSERT_TRUE(bench.ui.PickMenu(menu, index)) << "item " << index << " not offered";
}
void PickOperation(FaultBench& bench, std::int16_t index) {
  Pick(bench, Main(bench).mnuoperations, index);
}
void TrayPick(FaultBench& bench, const char* key) {
  bench.tray()->picks.push_back(key);
  bench.tray()->on_click(kMouseRight);
}
void Eject(FaultBench& bench) {
  bench.Event([&bench] { Main(bench).EjectDrive(); });
}
void Lock(FaultBench& bench) {
  bench.Event([&bench] { Main(bench).LockDrive(); });
}
void ShowSettings(FaultBench& bench) {
  Pick(bench, Main(bench).mnuoptions, main_layout::kSettingsItem);
}
void ShowAbout(FaultBench& bench) { Pick(bench, Main(bench).mnuHelp, main_layout::kAboutItem); }
void ShowWebUpdate(FaultBench& bench) {
  Pick(bench, Main(bench).mnuHelp, main_layout::kCheckForUpdateItem);
}
void Windows98(FaultBench& bench) { bench.fake.version.SetWin98(); }
void Windows2003(FaultBench& bench) { bench.fake.version.SetWin2003(); }
void SplashOn(FaultBench& bench) { bench.Store("Banner Enabled", "1"); }
void SysInfoPath(FaultBench& bench) {
  bench.fake.registry.keys[kPathKey]["PATH"] = {kRegSz, "C:\\x\\msinfo32.exe"};
}
void SysInfoFolder(FaultBench& bench) {
  bench.fake.registry.keys[kLocationKey]["MSINFO"] = {kRegSz, "C:\\Common\\MSInfo"};
  bench.fake.programs.existing_files = {"C:\\Common\\MSInfo\\MSINFO32.EXE"};
}
// Raises a check's outcome as the window thread receives it.
void RaiseOutcome(FaultBench& bench, const std::function<void(FakeWebVersionCheck&)>& raise) {
  FakeWebVersionCheck* check = bench.web_check();
  ASSERT_NE(check, nullptr);
  raise(*check);
}

const HandlerCase kMainWindowCases[] = {
    {"OperationsEject", [](FaultBench& b) { PickOperation(b, main_layout::kEjectItem); }},
    {"OperationsClose",
     [](FaultBench& b) { PickOperation(b, main_layout::kCloseItem); },
     Effect::kNone,
     {},
     Eject},
    {"OperationsLock", [](FaultBench& b) { PickOperation(b, main_layout::kLockItem); }},
    {"OperationsUnlock",
     [](FaultBench& b) { PickOperation(b, main_layout::kUnlockItem); },
     Effect::kNone,
     {},
     Lock},
    {"StatusLineDoubleClickEjects", [](FaultBench& b) { b.ui.DblClick(Main(b).Label1); }},
    {"StatusLineDoubleClickCloses",
     [](FaultBench& b) { b.ui.DblClick(Main(b).Label1); },
     Effect::kNone,
     {},
     Eject},
    {"Windows98Eject", [](FaultBench& b) { PickOperation(b, main_layout::kEjectItem); },
     Effect::kNone, Windows98},
    {"Windows98DoubleClickCloses", [](FaultBench& b) { b.ui.DblClick(Main(b).Label1); },
     Effect::kNone, Windows98, Eject},
    {"Windows98Lock", [](FaultBench& b) { PickOperation(b, main_layout::kLockItem); },
     Effect::kNone, Windows98},
    {"Windows2003EjectDoesNothing",
     [](FaultBench& b) { PickOperation(b, main_layout::kEjectItem); }, Effect::kNone, Windows2003},
    {"FileCloseToTray",
     [](FaultBench& b) { Pick(b, Main(b).mnufile, main_layout::kFileCloseItem); }},
    {"FileExit", [](FaultBench& b) { Pick(b, Main(b).mnufile, main_layout::kFileCloseItem); },
     Effect::kEnds, [](FaultBench& b) { b.Store("Send to Tray", "0"); }},
    {"OptionsSettings", ShowSettings},
    {"HelpCheckForUpdate", ShowWebUpdate},
    {"HelpVisitWebsite",
     [](FaultBench& b) { Pick(b, Main(b).mnuHelp, main_layout::kVisitWebsiteItem); }},
    {"HelpAbout", ShowAbout},
    {"StatusTimer", [](FaultBench& b) { b.ui.Advance(main_layout::kTimer1IntervalMs); }},
    {"MainCloseBox", [](FaultBench& b) { b.ui.CloseBox(Main(b)); }, Effect::kEnds},
};

const HandlerCase kTrayIconCases[] = {
    {"LeftClickRepeatsTheBalloon", [](FaultBench& b) { b.tray()->on_click(kMouseLeft); }},
    {"MenuDismissed",
     [](FaultBench& b) {
       b.tray()->picks.push_back(std::nullopt);
       b.tray()->on_click(kMouseRight);
     }},
    {"OpenVentrix", [](FaultBench& b) { TrayPick(b, "Open Ventrix"); }},
    {"EjectClose", [](FaultBench& b) { TrayPick(b, "Operate Tray"); }},
    {"EjectCloseWhenOpened",
     [](FaultBench& b) { TrayPick(b, "Operate Tray"); },
     Effect::kNone,
     {},
     Eject},
    {"LockUnlock", [](FaultBench& b) { TrayPick(b, "Lock-Unlock"); }},
    {"LockUnlockWhenLocked",
     [](FaultBench& b) { TrayPick(b, "Lock-Unlock"); },
     Effect::kNone,
     {},
     Lock},
    {"Settings", [](FaultBench& b) { TrayPick(b, "Options"); }},
    {"About", [](FaultBench& b) { TrayPick(b, "ABOUT"); }},
    {"Exit", [](FaultBench& b) { TrayPick(b, "EXIT"); }, Effect::kEnds},
    {"DoubleClick", [](FaultBench& b) { b.tray()->on_dbl_click(0); }},
};

const HandlerCase kSettingsCases[] = {
    {"DrivePicked", [](FaultBench& b) { b.ui.Pick(Settings(b).Combo1, 0); }, Effect::kNone,
     [](FaultBench& b) {
       b.fake.drives.drives = {{"D:\\", kDriveCdrom}, {"E:\\", kDriveCdrom}};
     },
     [](FaultBench& b) {
       ShowSettings(b);
       b.ui.Pick(Settings(b).Combo1, 1);
     }},
    {"DriveTyped",
     [](FaultBench& b) { b.ui.Type(Settings(b).Combo1, "E:\\"); },
     Effect::kNone,
     {},
     ShowSettings},
    {"AlwaysOnTopTicked",
     [](FaultBench& b) { b.ui.Click(Settings(b).Check1); },
     Effect::kNone,
     {},
     ShowSettings},
    {"AlwaysOnTopUnticked",
     [](FaultBench& b) { b.ui.Click(Settings(b).Check1); },
     Effect::kNone,
     {},
     [](FaultBench& b) {
       ShowSettings(b);
       b.ui.Click(Settings(b).Check1);
     }},
    {"VisibleOnStartupTicked",
     [](FaultBench& b) { b.ui.Click(Settings(b).Check2); },
     Effect::kNone,
     {},
     ShowSettings},
    {"ShowSplashTicked",
     [](FaultBench& b) { b.ui.Click(Settings(b).Check3); },
     Effect::kNone,
     {},
     ShowSettings},
    {"MinimiseToTrayUnticked",
     [](FaultBench& b) { b.ui.Click(Settings(b).Check4); },
     Effect::kNone,
     {},
     ShowSettings},
    {"SaveSettings",
     [](FaultBench& b) { b.ui.Click(Settings(b).Cmdsave); },
     Effect::kSaves,
     {},
     ShowSettings},
    {"Close",
     [](FaultBench& b) { b.ui.Click(Settings(b).Cmdmain); },
     Effect::kSaves,
     {},
     ShowSettings},
    {"Default", [](FaultBench& b) { b.ui.Click(Settings(b).cmddefault); }, Effect::kSaves,
     [](FaultBench& b) { b.Store("Always On Top", "1"); }, ShowSettings},
    {"StatusTimer",
     [](FaultBench& b) { b.ui.Advance(settings_layout::kStatusTimerMs); },
     Effect::kNone,
     {},
     ShowSettings},
    {"CloseBox",
     [](FaultBench& b) { b.ui.CloseBox(Settings(b)); },
     Effect::kNone,
     {},
     ShowSettings},
};

const HandlerCase kSplashCases[] = {
    {"Timer", [](FaultBench& b) { b.ui.Advance(splash_layout::kTimer1IntervalMs); }, Effect::kNone,
     SplashOn},
    {"KeyPress", [](FaultBench& b) { b.ui.PressKey(b.p().frmSplash(), 'x'); }, Effect::kNone,
     SplashOn},
    {"Click", [](FaultBench& b) { b.ui.Click(b.p().frmSplash().Frame1); }, Effect::kNone, SplashOn},
    {"CloseBox", [](FaultBench& b) { b.ui.CloseBox(b.p().frmSplash()); }, Effect::kNone, SplashOn},
};

const HandlerCase kWebUpdateCases[] = {
    {"CheckForUpdate",
     [](FaultBench& b) {
       b.ui.Click(WebUpdate(b).Command1);
       // The outcome arrives later, as its own event.
       RaiseOutcome(b, [](FakeWebVersionCheck& check) { check.RaisePending(); });
     },
     Effect::kNone,
     {},
     ShowWebUpdate},
    {"NewVersionFound",
     [](FaultBench& b) {
       RaiseOutcome(b, [](FakeWebVersionCheck& check) {
         check.RaiseNewVersionFound("3.40", "https://x/dl", "Fixes", "");
       });
     },
     Effect::kNone,
     {},
     ShowWebUpdate},
    {"CheckFailed",
     [](FaultBench& b) {
       RaiseOutcome(b,
                    [](FakeWebVersionCheck& check) { check.RaiseCheckFailed(kCheckFileNotFound); });
     },
     Effect::kNone,
     {},
     ShowWebUpdate},
    {"NoNewVersion",
     [](FaultBench& b) {
       RaiseOutcome(b, [](FakeWebVersionCheck& check) { check.RaiseNoNewVersion(); });
     },
     Effect::kNone,
     {},
     ShowWebUpdate},
    {"Close",
     [](FaultBench& b) { b.ui.Click(WebUpdate(b).Command2); },
     Effect::kNone,
     {},
     ShowWebUpdate},
    {"CloseBox",
     [](FaultBench& b) { b.ui.CloseBox(WebUpdate(b)); },
     Effect::kNone,
     {},
     ShowWebUpdate},
};

const HandlerCase kAboutCases[] = {
    {"Ok", [](FaultBench& b) { b.ui.Click(About(b).cmdOK); }, Effect::kNone, {}, ShowAbout},
    {"WebUpdate",
     [](FaultBench& b) { b.ui.Click(About(b).Command1); },
     Effect::kNone,
     {},
     ShowAbout},
    {"SystemInfoFromItsPath", [](FaultBench& b) { b.ui.Click(About(b).cmdSysInfo); }, Effect::kNone,
     SysInfoPath, ShowAbout},
    {"SystemInfoFromItsFolder", [](FaultBench& b) { b.ui.Click(About(b).cmdSysInfo); },
     Effect::kNone, SysInfoFolder, ShowAbout},
    {"SystemInfoNowhere",
     [](FaultBench& b) { b.ui.Click(About(b).cmdSysInfo); },
     Effect::kNone,
     {},
     ShowAbout},
    {"Hyperlink",
     [](FaultBench& b) { b.Event([&b] { About(b).vbwHyperlink1.Click(); }); },
     Effect::kNone,
     {},
     ShowAbout},
    {"CloseBox", [](FaultBench& b) { b.ui.CloseBox(About(b)); }, Effect::kNone, {}, ShowAbout},
};

// Starts a fresh program and brings it to the moment before the event.
void Arrange(FaultBench& bench, const HandlerCase& handler) {
  if (handler.before_start) handler.before_start(bench);
  bench.Start();
  if (handler.prepare) handler.prepare(bench);
  ASSERT_FALSE(bench.Ended());
  bench.faults.ResetCounts();
}

class HandlerFaults : public ::testing::TestWithParam<HandlerCase> {};

TEST_P(HandlerFaults, EveryCallFailsInTurnAndNothingBreaks) {
  const HandlerCase& handler = GetParam();
  // A clean run first: it must pass the same checks, and it tells which calls the event makes.
  FaultBench clean;
  ASSERT_NO_FATAL_FAILURE(Arrange(clean, handler));
  const Before clean_before = Snapshot(clean);
  handler.act(clean);
  ExpectSound(clean, clean_before, handler.effect);

  for (const FaultPlan& plan : PlansFrom(clean.faults)) {
    SCOPED_TRACE(plan.Describe());
    FaultBench bench;
    ASSERT_NO_FATAL_FAILURE(Arrange(bench, handler));
    const Before before = Snapshot(bench);
    plan.Arm(bench.faults);
    handler.act(bench);
    // A tray menu that failed to show picked nothing, so no item's handler ran.
    const Effect effect =
        bench.faults.Failures(Fault::kTrayMenu) > 0 ? Effect::kNone : handler.effect;
    ExpectSound(bench, before, effect);
    if (effect != Effect::kEnds) ExpectStillRunning(bench);
  }
}

void PrintTo(const HandlerCase& handler, std::ostream* out) { *out << handler.name; }

std::string CaseName(const ::testing::TestParamInfo<HandlerCase>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(MainWindow, HandlerFaults, ::testing::ValuesIn(kMainWindowCases),
                         CaseName);
INSTANTIATE_TEST_SUITE_P(TrayIcon, HandlerFaults, ::testing::ValuesIn(kTrayIconCases), CaseName);
INSTANTIATE_TEST_SUITE_P(SettingsWindow, HandlerFaults, ::testing::ValuesIn(kSettingsCases),
                         CaseName);
INSTANTIATE_TEST_SUITE_P(Splash, HandlerFaults, ::testing::ValuesIn(kSplashCases), CaseName);
INSTANTIATE_TEST_SUITE_P(WebUpdateWindow, HandlerFaults, ::testing::ValuesIn(kWebUpdateCases),
                         CaseName);
INSTANTIATE_TEST_SUITE_P(AboutBox, HandlerFaults, ::testing::ValuesIn(kAboutCases), CaseName);

}  // namespace
}  // namespace ventrix::testing
