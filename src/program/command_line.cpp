#include "program/command_line.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "platform/components/no_case.h"

namespace ventrix {

namespace {

// An option, and a drive after a tray operation.
constexpr std::size_t kMaxCommandWords = 2;

struct Option {
  const char* name;
  CommandLineAction action;
  HandedCommand command;
};

constexpr std::array<Option, 8> kOptions{{
    {"eject", CommandLineAction::kCommand, HandedCommand::kEject},
    {"close", CommandLineAction::kCommand, HandedCommand::kClose},
    {"toggle", CommandLineAction::kCommand, HandedCommand::kToggle},
    {"lock", CommandLineAction::kCommand, HandedCommand::kLock},
    {"unlock", CommandLineAction::kCommand, HandedCommand::kUnlock},
    {"?", CommandLineAction::kUsage, HandedCommand::kShowMain},
    {"help", CommandLineAction::kUsage, HandedCommand::kShowMain},
    {kRestartedOption, CommandLineAction::kRestarted, HandedCommand::kShowMain},
}};

// Splits at blanks outside double quotes; nothing when there are more than kMaxArguments.
std::optional<std::vector<std::string>> Split(std::string_view arguments) {
  std::vector<std::string> words;
  std::string word;
  bool in_word = false;
  bool quoted = false;
  for (const char c : arguments) {
    if (c == '"') {
      quoted = !quoted;
      in_word = true;
    } else if ((c == ' ' || c == '\t') && !quoted) {
      if (in_word) words.push_back(std::move(word));
      word.clear();
      in_word = false;
    } else {
      word += c;
      in_word = true;
    }
    if (words.size() > kMaxArguments) return std::nullopt;
  }
  if (in_word) words.push_back(std::move(word));
  if (words.size() > kMaxArguments) return std::nullopt;
  return words;
}

}  // namespace

const char* const kUsageText =
    "/eject\tejects the tray\n"
    "/close\tcloses the tray\n"
    "/toggle\tejects or closes the tray\n"
    "/lock\tlocks the drive\n"
    "/unlock\tunlocks the drive\n"
    "/eject E:\tany of these on drive E: instead of the selected one";

ParsedCommandLine ParseCommandLine(std::string_view arguments) {
  const ParsedCommandLine error{CommandLineAction::kUsageError, HandedCommand::kShowMain, {}};
  if (arguments.size() > kMaxCommandLineLength) return error;
  const std::optional<std::vector<std::string>> words = Split(arguments);
  if (!words) return error;
  if (words->empty()) return {};
  if (words->size() > kMaxCommandWords) return error;
  const std::string_view word = words->front();
  if (word.size() < 2 || (word[0] != '/' && word[0] != '-')) return error;
  for (const Option& option : kOptions) {
    if (!EqualsNoCase(word.substr(1), option.name)) continue;
    if (words->size() == 1) return {option.action, option.command, {}};
    // Only a tray operation takes a drive.
    const std::optional<std::string> drive = ReadDriveArgument((*words)[1]);
    if (option.action != CommandLineAction::kCommand || !drive) return error;
    return {option.action, option.command, *drive};
  }
  return error;
}

std::optional<std::string> ReadDriveArgument(std::string_view word) {
  // E, E: or E:\ and nothing longer.
  constexpr std::size_t kColon = 1;
  constexpr std::size_t kRoot = 2;
  constexpr std::size_t kLongest = 3;
  if (word.empty() || word.size() > kLongest) return std::nullopt;
  const char lower = AsciiLower(word[0]);
  if (lower < 'a' || lower > 'z') return std::nullopt;
  if (word.size() > kColon && word[kColon] != ':') return std::nullopt;
  if (word.size() > kRoot && word[kRoot] != '\\') return std::nullopt;
  return std::string{static_cast<char>(lower - 'a' + 'A'), ':'};
}

int ExitCodeFor(OperationOutcome outcome) {
  switch (outcome) {
    case OperationOutcome::kAccepted:
    case OperationOutcome::kUnanswered:
      return kExitTaken;
    case OperationOutcome::kRefused:
    case OperationOutcome::kNothingDone:
      return kExitRefused;
  }
  return kExitRefused;
}

}  // namespace ventrix
