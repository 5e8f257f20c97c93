#include "program/command_line.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "program/instance_wait.h"
#include "tests/native/main/main_fixture.h"

namespace ventrix {
namespace {

using Action = CommandLineAction;
using Command = HandedCommand;

std::string EmptyWords(std::size_t count) {
  std::string words;
  for (std::size_t i = 0; i < count; ++i) words += "\"\" ";
  return words;
}

struct ParseRow {
  std::string arguments;
  Action action;
  Command command = Command::kShowMain;
  std::string drive = {};
};

TEST(CommandLine, ParsesOneOptionWithinItsBounds) {
  const std::string longest_blank(kMaxCommandLineLength, ' ');
  const std::vector<ParseRow> rows{
      {"", Action::kStart},
      {"  \t ", Action::kStart},
      {"/eject", Action::kCommand, Command::kEject},
      {"-CLOSE", Action::kCommand, Command::kClose},
      {"/Toggle", Action::kCommand, Command::kToggle},
      {" -lock ", Action::kCommand, Command::kLock},
      {"\"/unlock\"", Action::kCommand, Command::kUnlock},
      {"/?", Action::kUsage},
      {"-HELP", Action::kUsage},
      {"/restarted", Action::kRestarted},
      {"-RESTARTED", Action::kRestarted},
      {"/restarted /show", Action::kUsageError},
      {"/bogus", Action::kUsageError},
      {"eject", Action::kUsageError},
      {"/", Action::kUsageError},
      {"\"\"", Action::kUsageError},
      {"/eject /close", Action::kUsageError},
      {"/eject /eject", Action::kUsageError},
      {"/? /eject", Action::kUsageError},
      {"/eject xy", Action::kUsageError},
      // A tray operation may name its drive: a letter, with a colon, with a backslash.
      {"/eject e", Action::kCommand, Command::kEject, "E:"},
      {"-TOGGLE E:", Action::kCommand, Command::kToggle, "E:"},
      {"/lock z:\\", Action::kCommand, Command::kLock, "Z:"},
      {"/unlock \"a:\\\"", Action::kCommand, Command::kUnlock, "A:"},
      {"/close E:\\x", Action::kUsageError},
      {"/close E;", Action::kUsageError},
      {"/close 1:", Action::kUsageError},
      {"/close \"\"", Action::kUsageError},
      {"/eject E: F:", Action::kUsageError},
      {"E: /eject", Action::kUsageError},
      {"/? E:", Action::kUsageError},
      {"/ejectx", Action::kUsageError},
      // The bounds: the longest command line still read, one character more, too many words.
      {longest_blank.substr(0, kMaxCommandLineLength - 6) + "/eject", Action::kCommand,
       Command::kEject},
      {longest_blank.substr(0, kMaxCommandLineLength - 5) + "/eject", Action::kUsageError},
      {EmptyWords(kMaxArguments + 1), Action::kUsageError},
  };
  for (const ParseRow& row : rows) {
    SCOPED_TRACE("[" + row.arguments + "]");
    const ParsedCommandLine parsed = ParseCommandLine(row.arguments);
    EXPECT_EQ(parsed.action, row.action);
    if (row.action == Action::kCommand) {
      EXPECT_EQ(parsed.command, row.command);
      EXPECT_EQ(parsed.drive, row.drive);
    }
  }
}

struct CommandFixture : MainFixture {
  std::vector<int> answers;
  void HandOver(Command command) {
    t->HandOver(command, [this](int code) { answers.push_back(code); });
  }
};

TEST_F(CommandFixture, ExitCodesFollowWhatTheDriveAnswered) {
  FrmMain& frm = Start();
  HandOver(Command::kEject);
  EXPECT_EQ(frm.Label1.Caption(), "Device D: Tray is Ejected.");
  EXPECT_EQ(t.tray().balloons.back().text, "Device D: Tray is Ejected.");
  t.fake.devices.request_succeeds = false;
  HandOver(Command::kToggle);  // closes: the drive refuses
  EXPECT_EQ(vars().DeviceStatus, "closed");
  t.fake.devices.open_succeeds = false;
  HandOver(Command::kLock);
  t.fake.devices.open_succeeds = true;
  t.fake.devices.request_succeeds = true;
  HandOver(Command::kUnlock);
  vars().DeviceStatus = "Opened";
  HandOver(Command::kToggle);  // an unknown remembered state: nothing runs
  t.fake.version.SetWin98();
  HandOver(Command::kClose);  // the multimedia command's answer is not read
  t.fake.version.SetWin2003();
  HandOver(Command::kEject);  // no mechanism on this release
  HandOver(Command::kShowMain);
  EXPECT_EQ(answers, (std::vector<int>{0, 1, 1, 0, 1, 0, 1, 0}));
  EXPECT_TRUE(frm.Visible());
  EXPECT_EQ(ui().Focused(), &frm);
  EXPECT_TRUE(t.fake.settings.OnlyLockRecordWritten());
}

TEST_F(CommandFixture, ACommandArrivingInsideAHandlerRunsOnceAfterIt) {
  Start();
  Event([&] {
    HandOver(Command::kEject);
    HandOver(Command::kToggle);
    EXPECT_TRUE(t.fake.devices.calls.empty());
    EXPECT_TRUE(answers.empty());
  });
  EXPECT_EQ(t.fake.devices.Codes(), (std::vector<std::uint32_t>{0x2D4808, 0x2D480C}));
  EXPECT_EQ(answers, (std::vector<int>{0, 0}));
  t->End();
  HandOver(Command::kEject);
  EXPECT_EQ(answers.size(), 2u);
}

// A drive given with the command is acted on for that command only: the selected drive, the
// stored settings and the captions stay; a drive that is not (or no longer) a CD drive is refused
// without a request.
TEST_F(CommandFixture, ACommandOnAnotherDriveLeavesTheSelectedOneAsItWas) {
  t.fake.drives.drives["E:\\"] = kDriveCdrom;
  FrmMain& frm = Start();
  const std::string caption = frm.mnuoperations[main_layout::kEjectItem].Caption();
  t->HandOver(
      Command::kEject, [this](int code) { answers.push_back(code); }, nullptr, "E:");
  EXPECT_EQ(t.fake.devices.calls.back().path, "\\\\.\\E:");
  EXPECT_EQ(frm.Label1.Caption(), "Device E: Tray is Ejected.");
  EXPECT_EQ(t.tray().balloons.back().text, "Device E: Tray is Ejected.");
  t->HandOver(
      Command::kLock, [this](int code) { answers.push_back(code); }, nullptr, "E:");
  EXPECT_EQ(frm.Label1.Caption(), "Device E: is locked.");
  EXPECT_EQ(vars().DriveLetter, "D:\\");
  EXPECT_EQ(frm.mnuoperations[main_layout::kEjectItem].Caption(), caption);

  const std::size_t opens = t.fake.devices.calls.size();
  t->HandOver(
      Command::kEject, [this](int code) { answers.push_back(code); }, nullptr, "C:");
  t.fake.drives.drives.erase("E:\\");
  t->HandOver(
      Command::kToggle, [this](int code) { answers.push_back(code); }, nullptr, "E:");
  EXPECT_EQ(t.fake.devices.calls.size(), opens);
  EXPECT_TRUE(t.fake.devices.questions.size() == 1u);  // start-up's, of D:
  EXPECT_EQ(frm.Label1.Caption(), "Device E: is locked.");
  EXPECT_EQ(answers, (std::vector<int>{0, 0, 1, 1}));
  EXPECT_TRUE(t.fake.settings.OnlyLockRecordWritten());
}

// A command whose turn comes after its sender stopped waiting (it exited 3) is withdrawn: it
// never runs and is not answered; one still waited for runs.
TEST_F(CommandFixture, ACommandNoLongerWaitedForNeverRuns) {
  Start();
  bool waiting = true;
  Event([&] {
    t->HandOver(
        Command::kLock, [this](int code) { answers.push_back(code); }, [&] { return waiting; });
    waiting = false;
  });
  EXPECT_TRUE(t.fake.devices.calls.empty());
  EXPECT_TRUE(answers.empty());
  waiting = true;
  t->HandOver(
      Command::kLock, [this](int code) { answers.push_back(code); }, [&] { return waiting; });
  EXPECT_EQ(t.fake.devices.Codes().size(), 1u);
  EXPECT_EQ(answers, std::vector<int>{0});
}

constexpr std::uint32_t kNever = UINT32_MAX;

// The system a start meets, on a virtual clock: an instance's window and its mutex, and the
// instance that a command starts (it takes the mutex, then shows its window, or ends first).
struct FakeGate {
  std::uint32_t now = 0;
  std::uint32_t window_at = kNever;
  // Another process holds the mutex over [held_from, held_until).
  std::uint32_t held_from = 0;
  std::uint32_t held_until = 0;
  // That process runs elevated: this one may not open its mutex.
  bool not_opened = false;
  bool start_succeeds = true;
  std::uint32_t child_takes_mutex_after = 500;
  std::uint32_t child_window_after = 2000;
  std::uint32_t child_ends_after = kNever;
  GateOutcome hand_over = GateOutcome::kHandedOver;

  int starts = 0;
  int hand_overs = 0;
  std::uint32_t child_started_at = 0;

  bool WindowFound() const { return now >= window_at; }
  GateOutcome HandOver(GateRequest) {
    ++hand_overs;
    return hand_over;
  }
  static bool WindowGone() { return false; }
  MutexAttempt TryAcquire(std::uint32_t wait_ms) {
    if (now < held_from || now >= held_until) return MutexAttempt::kTaken;
    // An elevated instance's mutex: not opened, so not waited on; tried again after wait_ms.
    if (not_opened) {
      now += wait_ms;
      return MutexAttempt::kNotOpened;
    }
    if (held_until - now > wait_ms) {
      now += wait_ms;
      return MutexAttempt::kHeld;
    }
    now = held_until;
    return MutexAttempt::kTaken;
  }
  static void Release() {}
  bool Start() {
    ++starts;
    if (!start_succeeds) return false;
    child_started_at = now;
    if (child_takes_mutex_after != kNever) {
      held_from = now + child_takes_mutex_after;
      held_until = child_ends_after == kNever ? kNever : now + child_ends_after;
    }
    if (child_window_after < child_ends_after) window_at = now + child_window_after;
    return true;
  }
  bool Starting(std::uint32_t wait_ms) {
    const std::uint32_t ends =
        child_ends_after == kNever ? kNever : child_started_at + child_ends_after;
    if (ends - now > wait_ms) {
      now += wait_ms;
      return true;
    }
    now = std::max(now, ends);
    return false;
  }
  std::uint32_t Now() const { return now; }
};

struct GateRow {
  std::string name;
  GateRequest request;
  FakeGate gate;
  GateOutcome outcome;
  std::uint32_t at_most_ms;  // when the wait has ended
  int starts;
};

FakeGate Running() {
  FakeGate gate;
  gate.window_at = 0;
  gate.held_until = kNever;
  return gate;
}
FakeGate StillStarting(std::uint32_t window_at) {
  FakeGate gate;
  gate.window_at = window_at;
  gate.held_until = kNever;
  return gate;
}
FakeGate HeldUntil(std::uint32_t until) {
  FakeGate gate;
  gate.held_until = until;
  return gate;
}
// An elevated instance, its window up at `window_at`: its mutex cannot be opened.
FakeGate ElevatedStarting(std::uint32_t window_at) {
  FakeGate gate = StillStarting(window_at);
  gate.not_opened = true;
  return gate;
}

// Each case ends in its one named outcome: never a second instance while one holds the mutex,
// never a wait past its bound.
TEST(InstanceGate, EachCaseEndsInItsOutcome) {
  FakeGate refusing = Running();
  refusing.hand_over = GateOutcome::kUnreachable;
  FakeGate busy = Running();
  busy.hand_over = GateOutcome::kNoAnswer;
  FakeGate start_fails;
  start_fails.start_succeeds = false;
  FakeGate child_crashes;
  child_crashes.child_ends_after = 1000;
  FakeGate slow_child;
  slow_child.child_takes_mutex_after = 3000;
  slow_child.child_window_after = 20000;
  // Another command's instance takes the mutex at 0.2 s, before this one's; this one's ends at
  // once, and the winner's window comes at 4 s.
  FakeGate child_loses_race;
  child_loses_race.held_from = 200;
  child_loses_race.held_until = kNever;
  child_loses_race.window_at = 4000;
  child_loses_race.child_takes_mutex_after = kNever;
  child_loses_race.child_window_after = kNever;
  child_loses_race.child_ends_after = 300;

  const std::vector<GateRow> rows{
      {"none runs: a start becomes the instance", GateRequest::kShow, FakeGate{},
       GateOutcome::kBecameInstance, 0, 0},
      {"one runs: show is handed over", GateRequest::kShow, Running(), GateOutcome::kHandedOver, 0,
       0},
      {"one still starting: show waits for its window", GateRequest::kShow, StillStarting(3000),
       GateOutcome::kHandedOver, 3000, 0},
      {"one that never shows a window: no answer, no second instance", GateRequest::kShow,
       StillStarting(kNever), GateOutcome::kNoAnswer, kFindInstanceMs + kGatePollMs, 0},
      {"one that ends before its window: this one becomes the instance", GateRequest::kShow,
       HeldUntil(4000), GateOutcome::kBecameInstance, 4000, 0},
      {"a refusing window: unreachable", GateRequest::kCommand, refusing, GateOutcome::kUnreachable,
       0, 0},
      {"a busy instance: no answer", GateRequest::kCommand, busy, GateOutcome::kNoAnswer, 0, 0},
      {"none runs: a command starts one and hands over once its window is up",
       GateRequest::kCommand, FakeGate{}, GateOutcome::kHandedOver, 2000 + kGatePollMs, 1},
      {"a started instance slow to take the mutex is waited for", GateRequest::kCommand, slow_child,
       GateOutcome::kHandedOver, 20000 + kGatePollMs, 1},
      {"two commands at once: the one whose instance lost waits for the winner's window",
       GateRequest::kCommand, child_loses_race, GateOutcome::kHandedOver, 4000 + kGatePollMs, 1},
      {"a start that fails: unreachable", GateRequest::kCommand, start_fails,
       GateOutcome::kUnreachable, 0, 1},
      {"a started instance that ends without a window: unreachable", GateRequest::kCommand,
       child_crashes, GateOutcome::kUnreachable, 1000 + kGatePollMs, 1},
      {"started for a command while another starts: nothing to do", GateRequest::kNothing,
       StillStarting(5000), GateOutcome::kHandedOver, kGatePollMs, 0},
      {"started for a command, nobody else: it becomes the instance", GateRequest::kNothing,
       FakeGate{}, GateOutcome::kBecameInstance, 0, 0},
      {"an elevated one still starting: show waits for its window", GateRequest::kShow,
       ElevatedStarting(3000), GateOutcome::kHandedOver, 3000, 0},
      {"an elevated one that never shows a window: no answer, no second instance",
       GateRequest::kShow, ElevatedStarting(kNever), GateOutcome::kNoAnswer,
       kFindInstanceMs + kGatePollMs, 0},
      {"a command while an elevated one starts: handed over once its window is up, none started",
       GateRequest::kCommand, ElevatedStarting(3000), GateOutcome::kHandedOver, 3000, 0},
      {"restarted by Windows while an elevated one starts: nothing to do", GateRequest::kNothing,
       ElevatedStarting(3000), GateOutcome::kHandedOver, kGatePollMs, 0},
  };
  for (const GateRow& row : rows) {
    SCOPED_TRACE(row.name);
    FakeGate gate = row.gate;
    EXPECT_EQ(WaitForInstance(row.request, gate), row.outcome);
    EXPECT_LE(gate.now, row.at_most_ms);
    EXPECT_EQ(gate.starts, row.starts);
  }
}

}  // namespace
}  // namespace ventrix
