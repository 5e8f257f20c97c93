#include "about/shell_open.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>

#include "program/program.h"

namespace ventrix::mShellExecute {

namespace {

// Result codes above this (or below zero) mean the shell accepted the request.
constexpr std::intptr_t kLastFailureCode = 32;
constexpr std::int32_t kShowHidden = 0;  // SW_HIDE, for program files
constexpr std::int32_t kShowNormal = 1;  // SW_SHOWNORMAL, for the short form of the call
// Object-defined error numbers start at 0x80040000; the shell's codes sit 1048 above that.
constexpr std::uint32_t kObjectErrorBase = 0x80040000u;
constexpr std::uint32_t kShellErrorOffset = 1048;

constexpr const char* kSourceSuffix = ".GShell";
constexpr const char* kProgramExtension = ".EXE";

// Run-time error numbers for the same conditions.
constexpr std::int32_t kOutOfMemory = 7;
constexpr std::int32_t kFileNotFound = 53;
constexpr std::int32_t kPathNotFound = 76;
constexpr std::int32_t kPathFileAccess = 75;
constexpr std::int32_t kDllNotFound = 48;
constexpr std::int32_t kDdeRefused = 285;
constexpr std::int32_t kDdeTimeout = 286;

struct TableRow {
  std::intptr_t code;
  std::optional<std::int32_t> number;  // none: the computed object-defined number stands
  const char* message;
};

constexpr std::array<TableRow, 13> kFailureTable = {{
    {0, kOutOfMemory, "Out of memory"},
    {2, kFileNotFound, "File not found"},
    {3, kPathNotFound, "Path not found"},
    {5, kPathFileAccess, "Path/file access error"},
    {8, kOutOfMemory, "Out of memory"},
    {11, std::nullopt, "The executable file is invalid or corrupt"},
    {26, kPathFileAccess, "A sharing violation occurred."},
    {27, std::nullopt, "This file type does not have a valid file association."},
    {28, kDdeTimeout,
     "The file could not be opened due to time out.  Please try again in a moment."},
    {29, kDdeRefused,
     "The file could not be opened because the DDE transaction failed.  Please try again in a "
     "moment."},
    {30, kDdeRefused,
     "The file could not be opened because the target application is busy.  Please try again in "
     "a moment."},
    {31, std::nullopt, "No application is associated with this file type."},
    {32, kDllNotFound, "The specified dynamic-link library was not found."},
}};

constexpr const char* kOtherFailure =
    "An error occurred occurred whilst trying to open or print the selected file.";

std::string UpperCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

const TableRow* FindRow(std::intptr_t result_code) noexcept {
  for (const TableRow& row : kFailureTable) {
    if (row.code == result_code) return &row;
  }
  return nullptr;
}

std::int32_t NumberFor(std::intptr_t result_code) noexcept {
  const TableRow* row = FindRow(result_code);
  if (row && row->number) return *row->number;
  // Wraps like the 32-bit error numbers it imitates.
  return static_cast<std::int32_t>(kObjectErrorBase + kShellErrorOffset +
                                   static_cast<std::uint32_t>(result_code));
}

}  // namespace

ShellFailure FailureFor(std::intptr_t result_code, const std::string& executable_name) {
  const TableRow* row = FindRow(result_code);
  return {NumberFor(result_code), executable_name + kSourceSuffix,
          row ? row->message : kOtherFailure};
}

bool ShellOpener::ShellOpen(const std::string& file, std::int32_t show_command,
                            const std::string& parameters, const std::string& directory,
                            std::string& verb, WindowHandle& owner) {
  if (UpperCase(file).find(kProgramExtension) != std::string::npos) show_command = kShowHidden;

  // A failing shell call is taken as the shell's "out of resources" answer, never raised.
  std::intptr_t result = 0;
  try {
    if (parameters.empty() && directory.empty()) {
      result = shell_.ShellExecute(owner, verb, file, std::nullopt, std::nullopt, kShowNormal);
    } else {
      result = shell_.ShellExecute(owner, verb, file, parameters, directory, show_command);
    }
  } catch (...) {
    result = 0;
  }
  if (result < 0 || result > kLastFailureCode) return true;

  try {
    last_failure_ = FailureFor(result, facts_.ExecutableBaseName());
  } catch (...) {
    // Building the texts failed: keep at least the number, still without raising.
    last_failure_.number = NumberFor(result);
    last_failure_.source.clear();
    last_failure_.description.clear();
  }
  return false;
}

bool ShellOpen(Program& program, const std::string& file, std::int32_t show_command,
               const std::string& parameters, const std::string& directory, std::string& verb,
               WindowHandle& owner) {
  ShellOpener opener(program.platform().shell, program.platform().facts);
  return opener.ShellOpen(file, show_command, parameters, directory, verb, owner);
}

}  // namespace ventrix::mShellExecute
