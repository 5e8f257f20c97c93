#pragma once
// A program on fakes whose platform calls can be made to fail (every fake and the message boxes
// answer to one FaultSwitch), with the checks every failure must pass: nothing crashed or ended
// the program, nothing was stored or claimed that did not happen, every handle was closed once,
// and later events still work.

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "main/frm_main.h"
#include "platform/forms/runtime.h"
#include "program/program.h"
#include "tests/support/fault_switch.h"
#include "tests/support/test_platform.h"

namespace ventrix::testing {

// The headless backend with message boxes that can fail (MessageBoxA answering 0).
class FaultyBackend : public HeadlessBackend {
 public:
  FaultSwitch* faults = nullptr;
  std::vector<ShownMessageBox> failed_boxes;

  void MessageBox(const std::string& text, int style, const std::string& caption) override {
    if (faults != nullptr && faults->Fails(Fault::kMessageBox)) {
      failed_boxes.push_back({text, style, caption});
      return;
    }
    HeadlessBackend::MessageBox(text, style, caption);
  }
};

inline constexpr const char* kApp = kAppTitle;

struct FaultBench {
  FaultSwitch faults;
  TestPlatform fake;
  FaultyBackend ui;
  std::unique_ptr<Program> program;

  FaultBench() {
    fake.InjectFaults(faults);
    ui.faults = &faults;
    program = fake.BuildProgram({.ui = &ui});
  }

  void Store(const std::string& key, const std::string& value,
             const std::string& section = "settings") {
    fake.Store(key, value, section);
  }
  void Start() { program->Start(); }
  Program& p() { return *program; }
  bool Ended() const { return program->runtime().Ended(); }
  FrmMain* main() const { return program->LoadedMain(); }
  FakeTrayIcon* tray() const { return fake.tray_icons.last; }
  // Runs a handler as an event of the window thread.
  void Event(const std::function<void()>& handler) { program->runtime().Dispatch(handler); }
  // The web check of the loaded web update window, or nullptr.
  FakeWebVersionCheck* web_check() const;
  // Every message box, shown or failed.
  std::vector<ShownMessageBox> AllBoxes() const;
};

// One way to fail the calls of a run: every call of a kind, only its nth call, or everything.
struct FaultPlan {
  Fault fault = Fault::kVersionQuery;
  int nth = 0;  // 0: every call of the kind
  bool everything = false;

  void Arm(FaultSwitch& faults) const;
  std::string Describe() const;
};

// Calls beyond this many of one kind in one run are not failed one by one (FailAll still covers
// them); no start-up or handler comes near it.
inline constexpr int kMaxCallsFailedInTurn = 16;

// For the kinds a clean run called: every call of the kind, then each call in turn; and last,
// everything at once.
std::vector<FaultPlan> PlansFrom(const FaultSwitch& clean_run);

// What a handler may do besides its ordinary work.
enum class Effect { kNone, kSaves, kEnds };

// What the bench looked like before an event, to compare with afterwards; the settings without
// the lock record.
struct Before {
  std::size_t writes = 0;
  std::map<FakeSettingsStore::Key, std::string> values;
  std::size_t balloons = 0;
  std::size_t boxes = 0;
};

Before Snapshot(const FaultBench& bench);

// The checks that hold after any event, whatever failed during it.
void ExpectSound(const FaultBench& bench, const Before& before, Effect effect);

// Later events still work: the status timer, the tray icon's menu and a device request.
void ExpectStillRunning(FaultBench& bench);

// True for the status texts that report a request the drive took.
bool ClaimsSuccess(const std::string& status);

}  // namespace ventrix::testing
