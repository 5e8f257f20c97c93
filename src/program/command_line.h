#pragma once
// The command line of ventrix.exe: the tray operations a script or a shortcut key asks the
// running instance for, the usage text and the exit codes that answer them.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ventrix {

// What one process asks the running instance for. The numbers travel between processes.
enum class HandedCommand : std::uint32_t {
  kShowMain = 0,  // a second start: bring the main window back
  kEject = 1,
  kClose = 2,
  kToggle = 3,
  kLock = 4,
  kUnlock = 5,
};
inline constexpr std::uint32_t kLastHandedCommand =
    static_cast<std::uint32_t>(HandedCommand::kUnlock);

enum class CommandLineAction {
  kStart,       // no arguments: start as always
  kUsage,       // /? or /help
  kUsageError,  // an unknown option, several, or a command line beyond the bounds
  kCommand,     // one tray operation
  kRestarted,   // started again by Windows (kRestartedOption): as kStart, but quiet when one runs
};

// The option of the command line that Windows gives the program it restarts after an update or
// at sign-in (registered for restart); not listed in the usage text.
inline constexpr const char* kRestartedOption = "restarted";

struct ParsedCommandLine {
  CommandLineAction action = CommandLineAction::kStart;
  HandedCommand command = HandedCommand::kShowMain;
  // The drive a tray operation acts on for this command only, as "E:"; empty for the selected
  // drive.
  std::string drive = {};
};

// Bounds on what is read: a longer command line, or more arguments, is a usage error.
inline constexpr std::size_t kMaxCommandLineLength = 1024;
inline constexpr std::size_t kMaxArguments = 8;

// Reads the arguments that follow the program name (WinMain's command line). Options are not
// case sensitive and start with "/" or "-"; double quotes group, as the shell passes them. A tray
// operation may be followed by a drive: E, E: or E:\ in either case.
ParsedCommandLine ParseCommandLine(std::string_view arguments);

// A drive argument as "E:" (the letter in upper case); nothing for any other text.
std::optional<std::string> ReadDriveArgument(std::string_view word);

// One line per command, for the message box shown by /? and on a usage error; each acts on
// the selected drive, or on the drive given after it.
extern const char* const kUsageText;

// How a tray operation went, as far as its mechanism can tell.
enum class OperationOutcome {
  kNothingDone,  // the release offers no mechanism, or the remembered state chose none
  kAccepted,     // the drive took the request
  kRefused,      // the drive refused it or could not be opened
  kUnanswered,   // sent as a multimedia command string, whose answer is not read
};

inline constexpr int kExitTaken = 0;
inline constexpr int kExitRefused = 1;
inline constexpr int kExitUsage = 2;
// The running instance did not answer in time; the command was withdrawn and never runs.
inline constexpr int kExitNoAnswer = 3;
// No instance could be reached (its window refused the message) or started.
inline constexpr int kExitUnreachable = 4;

int ExitCodeFor(OperationOutcome outcome);

}  // namespace ventrix
