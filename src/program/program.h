#pragma once
// The program: its settings, the platform services it runs on, and its windows.

#include <functional>
#include <string>

#include "platform/forms/runtime.h"
#include "platform/platform.h"
#include "program/command_line.h"
#include "program/settings_variables.h"

namespace ventrix {

class FrmMain;
class FrmSettings;
class FrmSplash;
class FrmWebUpdate;
class FrmAbout;

class Program {
 public:
  explicit Program(const Platform& platform);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Creates the main window, whose load handler is the start-up sequence.
  void Start();
  // Ends at once: every window closes, the tray icon goes, nothing is saved.
  void End() { runtime_.End(); }

  // A command from another process: runs once no handler is running (at once when none is),
  // then `answer` gets its exit code. When its turn comes, `still_wanted` (if given) is asked
  // first: a command the other process no longer waits for is withdrawn and nothing runs.
  // Nothing runs, and nothing answers, once the program ended. `drive` (E:) names the drive a
  // tray operation acts on for this command only; empty for the selected drive.
  void HandOver(HandedCommand command, std::function<void(int exit_code)> answer,
                std::function<bool()> still_wanted = nullptr, std::string drive = {});

  const Platform& platform() const { return platform_; }
  forms::Runtime& runtime() { return runtime_; }
  SettingsVariables& vars() { return vars_; }

  // Each window exists at most once; referencing it creates and loads it, hidden.
  FrmMain& frmMain();
  FrmSettings& frmSettings();
  FrmSplash& frmSplash();
  FrmWebUpdate& frmWebUpdate();
  FrmAbout& frmAbout();
  // Loaded windows, or nullptr; referencing nothing.
  FrmMain* LoadedMain() const;
  FrmSettings* LoadedSettings() const;
  FrmSplash* LoadedSplash() const;
  FrmWebUpdate* LoadedWebUpdate() const;
  FrmAbout* LoadedAbout() const;

 private:
  struct Forms;

  Platform platform_;
  forms::Runtime runtime_;
  SettingsVariables vars_;
  std::unique_ptr<Forms> forms_;
};

}  // namespace ventrix
