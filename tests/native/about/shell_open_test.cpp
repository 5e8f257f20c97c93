#include "about/shell_open.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>

#include "tests/support/fake_services.h"

namespace ventrix::testing {
namespace {

using mShellExecute::ShellOpener;

constexpr std::int32_t kObjectBase = static_cast<std::int32_t>(0x80040418u);
constexpr const char* kOther =
    "An error occurred occurred whilst trying to open or print the selected file.";

struct Expected {
  std::int32_t number;
  const char* message;
};

// Every failure code and what the caller is told about it.
const std::map<std::intptr_t, Expected>& FailureTable() {
  static const std::map<std::intptr_t, Expected> table = {
      {0, {7, "Out of memory"}},
      {2, {53, "File not found"}},
      {3, {76, "Path not found"}},
      {5, {75, "Path/file access error"}},
      {8, {7, "Out of memory"}},
      {11, {static_cast<std::int32_t>(0x80040423u), "The executable file is invalid or corrupt"}},
      {26, {75, "A sharing violation occurred."}},
      {27,
       {static_cast<std::int32_t>(0x80040433u),
        "This file type does not have a valid file association."}},
      {28, {286, "The file could not be opened due to time out.  Please try again in a moment."}},
      {29,
       {285,
        "The file could not be opened because the DDE transaction failed.  Please try again in a "
        "moment."}},
      {30,
       {285,
        "The file could not be opened because the target application is busy.  Please try again "
        "in a moment."}},
      {31,
       {static_cast<std::int32_t>(0x80040437u),
        "No application is associated with this file type."}},
      {32, {48, "The specified dynamic-link library was not found."}},
  };
  return table;
}

struct ShellOpenTest : ::testing::Test {
  FakeShell shell;
  FakeSystemFacts facts;
  ShellOpener opener{shell, facts};
  std::string verb = "open";
  WindowHandle owner = kNoWindow;

  bool Open(const std::string& file, std::int32_t show = 10, const std::string& parameters = "",
            const std::string& directory = "") {
    return opener.ShellOpen(file, show, parameters, directory, verb, owner);
  }
};

TEST_F(ShellOpenTest, EveryResultCodeGivesItsAnswerAndRecord) {
  for (std::intptr_t code = -3; code <= 33; ++code) {
    SCOPED_TRACE(code);
    shell.result = code;
    ShellOpener fresh(shell, facts);
    const bool accepted = fresh.ShellOpen("https://example.com", 10, "", "", verb, owner);
    if (code < 0 || code > 32) {
      EXPECT_TRUE(accepted);
      EXPECT_EQ(fresh.LastShellFailure().number, 0);
      EXPECT_EQ(fresh.LastShellFailure().description, "");
      continue;
    }
    EXPECT_FALSE(accepted);
    auto it = FailureTable().find(code);
    const Expected expected = it != FailureTable().end()
                                  ? it->second
                                  : Expected{kObjectBase + static_cast<std::int32_t>(code), kOther};
    EXPECT_EQ(fresh.LastShellFailure().number, expected.number);
    EXPECT_EQ(fresh.LastShellFailure().description, expected.message);
    EXPECT_EQ(fresh.LastShellFailure().source, "ventrix.GShell");
  }
}

TEST_F(ShellOpenTest, SuccessLeavesThePreviousRecordAndSourceFollowsTheExecutableName) {
  facts.executable = "renamed-copy";
  shell.result = 2;
  EXPECT_FALSE(Open("missing.doc"));
  shell.result = 42;
  EXPECT_TRUE(Open("present.doc"));
  EXPECT_EQ(opener.LastShellFailure().number, 53);
  EXPECT_EQ(opener.LastShellFailure().source, "renamed-copy.GShell");
}

TEST_F(ShellOpenTest, ShortFormPassesNullsAndShowNormalWhateverTheArgument) {
  owner = 0x1234;
  EXPECT_TRUE(Open("https://example.com", 10));
  EXPECT_TRUE(Open("setup.exe", 3));
  ASSERT_EQ(shell.calls.size(), 2u);
  for (const ShellCall& call : shell.calls) {
    EXPECT_EQ(call.owner, 0x1234);
    EXPECT_EQ(call.verb, "open");
    EXPECT_EQ(call.parameters, std::nullopt);
    EXPECT_EQ(call.directory, std::nullopt);
    EXPECT_EQ(call.show, 1);
  }
  EXPECT_EQ(shell.calls[0].file, "https://example.com");
  EXPECT_EQ(verb, "open");
}

TEST_F(ShellOpenTest, LongFormPassesTheValuesAndHidesProgramFiles) {
  EXPECT_TRUE(Open("notes.txt", 3, "", "C:\\work"));
  EXPECT_TRUE(Open("notes.txt", 5, "/p", ""));
  EXPECT_TRUE(Open("C:\\Tools\\Setup.Exe", 3, "/q", "C:\\Tools"));
  EXPECT_TRUE(Open("c:\\tools\\setup.exe.lnk", 4, "", "C:\\"));
  ASSERT_EQ(shell.calls.size(), 4u);
  EXPECT_EQ(shell.calls[0].parameters, std::optional<std::string>(""));
  EXPECT_EQ(shell.calls[0].directory, std::optional<std::string>("C:\\work"));
  EXPECT_EQ(shell.calls[0].show, 3);
  EXPECT_EQ(shell.calls[1].parameters, std::optional<std::string>("/p"));
  EXPECT_EQ(shell.calls[1].directory, std::optional<std::string>(""));
  EXPECT_EQ(shell.calls[1].show, 5);
  // The file is passed as given; only the search is upper-cased.
  EXPECT_EQ(shell.calls[2].file, "C:\\Tools\\Setup.Exe");
  EXPECT_EQ(shell.calls[2].show, 0);
  EXPECT_EQ(shell.calls[3].show, 0);
}

class ThrowingShell : public Shell {
 public:
  std::intptr_t ShellExecute(WindowHandle, const std::string&, const std::string&,
                             const std::optional<std::string>&, const std::optional<std::string>&,
                             std::int32_t) override {
    throw std::runtime_error("shell unavailable");
  }
};

TEST_F(ShellOpenTest, AFailingShellCallIsRecordedNotRaised) {
  ThrowingShell throwing;
  ShellOpener failing(throwing, facts);
  bool accepted = true;
  EXPECT_NO_THROW(accepted = failing.ShellOpen("a.txt", 1, "", "", verb, owner));
  EXPECT_FALSE(accepted);
  EXPECT_EQ(failing.LastShellFailure().number, 7);
  EXPECT_EQ(failing.LastShellFailure().description, "Out of memory");
}

}  // namespace
}  // namespace ventrix::testing
