#include "program/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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
      {"/bogus", Action::kUsageError},
      {"eject", Action::kUsageError},
      {"/", Action::kUsageError},
      {"\"\"", Action::kUsageError},
      {"/eject /close", Action::kUsageError},
      {"/eject /eject", Action::kUsageError},
      {"/? /eject", Action::kUsageError},
      {"/eject x", Action::kUsageError},
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
  EXPECT_TRUE(t.fake.settings.writes.empty());
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

}  // namespace
}  // namespace ventrix
