#include "tests/native/faults/fault_bench.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <tuple>

#include "drive/device_io.h"
#include "main/frm_main_layout.h"
#include "settings/frm_settings.h"
#include "webupdate/frm_web_update.h"

namespace ventrix::testing {

namespace {

constexpr std::array<std::string_view, 4> kSuccessSuffixes{" Tray is Ejected.", " Tray is Closed.",
                                                           " is locked.", " is unlocked."};
constexpr std::array<std::string_view, 2> kSavedTexts{"Settings Saved", "Default settings Saved"};

bool EndsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

// "\\.\" and one drive letter with its colon: the only device path a request may open.
bool IsDriveDevicePath(const std::string& path) {
  constexpr std::string_view kPrefix = "\\\\.\\";
  return path.starts_with(kPrefix) && basDeviceIO::IsDriveName(path.substr(kPrefix.size()));
}

template <class Entries>
std::size_t SettingsEntries(const Entries& entries) {
  return static_cast<std::size_t>(std::count_if(
      entries.begin(), entries.end(),
      [](const auto& entry) { return !FakeSettingsStore::IsLockRecord(std::get<1>(entry)); }));
}

std::map<FakeSettingsStore::Key, std::string> SettingsValues(const FakeSettingsStore& store) {
  std::map<FakeSettingsStore::Key, std::string> values;
  for (const auto& [key, text] : store.values) {
    if (!FakeSettingsStore::IsLockRecord(std::get<1>(key))) values.emplace(key, text);
  }
  return values;
}

}  // namespace

void FaultPlan::Arm(FaultSwitch& faults) const {
  if (everything) {
    faults.FailEverything();
  } else if (nth == 0) {
    faults.FailAll(fault);
  } else {
    faults.FailNth(fault, nth);
  }
}

std::string FaultPlan::Describe() const {
  if (everything) return "every call of every kind fails";
  const std::string kind = FaultName(fault);
  if (nth == 0) return "every " + kind + " fails";
  return kind + " call " + std::to_string(nth) + " fails";
}

std::vector<FaultPlan> PlansFrom(const FaultSwitch& clean_run) {
  std::vector<FaultPlan> plans;
  for (const Fault fault : kAllFaults) {
    const int calls = clean_run.Calls(fault);
    if (calls == 0) continue;
    plans.push_back({fault, 0, false});
    for (int nth = 1; nth <= std::min(calls, kMaxCallsFailedInTurn); ++nth) {
      plans.push_back({fault, nth, false});
    }
  }
  plans.push_back({Fault::kVersionQuery, 0, true});
  return plans;
}

FakeWebVersionCheck* FaultBench::web_check() const {
  FrmWebUpdate* window = program->LoadedWebUpdate();
  return window == nullptr ? nullptr : static_cast<FakeWebVersionCheck*>(window->WebVrChk1.get());
}

std::vector<ShownMessageBox> FaultBench::AllBoxes() const {
  std::vector<ShownMessageBox> boxes = ui.message_boxes;
  boxes.insert(boxes.end(), ui.failed_boxes.begin(), ui.failed_boxes.end());
  return boxes;
}

bool ClaimsSuccess(const std::string& status) {
  for (std::string_view suffix : kSuccessSuffixes) {
    if (EndsWith(status, suffix)) return true;
  }
  return false;
}

Before Snapshot(const FaultBench& bench) {
  Before before;
  before.writes = SettingsEntries(bench.fake.settings.writes);
  before.values = SettingsValues(bench.fake.settings);
  before.balloons = bench.tray() == nullptr ? 0 : bench.tray()->balloons.size();
  before.boxes = bench.AllBoxes().size();
  return before;
}

void ExpectSound(const FaultBench& bench, const Before& before, Effect effect) {
  EXPECT_EQ(bench.Ended(), effect == Effect::kEnds) << "the program's end";
  // A failure that escaped a handler is reported in a critical message box and ends the program.
  for (const ShownMessageBox& box : bench.AllBoxes()) {
    EXPECT_NE(box.style, forms::kMsgBoxCritical) << "escaped failure: " << box.text;
  }

  const FakeSettingsStore& store = bench.fake.settings;
  if (effect != Effect::kSaves) {
    EXPECT_EQ(SettingsEntries(store.writes), before.writes) << "settings written outside a save";
    EXPECT_EQ(SettingsEntries(store.refused_writes), 0u) << "settings written outside a save";
    EXPECT_EQ(SettingsValues(store), before.values);
  }
  if (bench.faults.Failures(Fault::kSettingsWrite) > 0) {
    if (const FrmSettings* settings = bench.program->LoadedSettings()) {
      for (std::string_view saved : kSavedTexts) {
        EXPECT_NE(settings->Label4.Caption(), saved) << "a refused save reported as saved";
      }
    }
  }

  const int device_failures =
      bench.faults.Failures(Fault::kDeviceOpen) + bench.faults.Failures(Fault::kDeviceRequest);
  if (device_failures > 0) {
    if (const FrmMain* main = bench.main()) {
      EXPECT_FALSE(ClaimsSuccess(main->Label1.Caption()))
          << "a failed request reported as done: " << main->Label1.Caption();
    }
    if (const FakeTrayIcon* tray = bench.tray()) {
      for (std::size_t i = before.balloons; i < tray->balloons.size(); ++i) {
        EXPECT_FALSE(ClaimsSuccess(tray->balloons[i].text))
            << "a failed request reported as done: " << tray->balloons[i].text;
      }
    }
  }

  for (const DeviceCall& call : bench.fake.devices.calls) {
    EXPECT_TRUE(IsDriveDevicePath(call.path)) << "opened " << call.path;
  }
  EXPECT_TRUE(bench.fake.devices.EveryHandleClosedOnce()) << "device handle accounting";
  EXPECT_TRUE(bench.fake.registry.EveryKeyClosedOnce()) << "registry key accounting";
}

void ExpectStillRunning(FaultBench& bench) {
  bench.faults.Disarm();
  ASSERT_FALSE(bench.Ended());
  FrmMain* main = bench.main();
  ASSERT_NE(main, nullptr);

  // The status timer ticks.
  main->Label1.set_caption("");
  bench.ui.Advance(main_layout::kTimer1IntervalMs);
  EXPECT_EQ(main->Label1.Caption(), main_layout::kReadyText);

  // The icon's menu answers.
  if (FakeTrayIcon* tray = bench.tray()) {
    tray->picks.clear();
    tray->picks.push_back("Open Ventrix");
    const int menus = tray->menus_shown;
    tray->on_click(kMouseRight);
    EXPECT_EQ(tray->menus_shown, menus + 1);
    EXPECT_TRUE(main->Visible());
  }

  // A device request goes out and is reported as it ended. The unlock first releases any lock
  // the handler left held, which a lock would not send again.
  bench.Event([main] { main->UnlockDrive(); });
  const int opens = static_cast<int>(bench.fake.devices.calls.size());
  bench.Event([main] { main->LockDrive(); });
  const std::string& drive = bench.p().vars().DriveLetter;
  if (basDeviceIO::IsDriveName(drive)) {
    EXPECT_EQ(static_cast<int>(bench.fake.devices.calls.size()), opens + 1);
    EXPECT_EQ(main->Label1.Caption(), "Device " + drive + " is locked.");
  } else {
    EXPECT_EQ(main->Label1.Caption(), "Device " + drive + " could not be locked.");
  }
  EXPECT_FALSE(bench.Ended());
  EXPECT_TRUE(bench.fake.devices.EveryHandleClosedOnce());
}

}  // namespace ventrix::testing
