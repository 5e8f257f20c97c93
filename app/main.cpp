// ventrix.exe: builds the real platform, creates the program and runs the message loop.

#include <windows.h>

#include "instance_gate.h"
#include "platform/win32/contrast_win32.h"
#include "platform/win32/device_control_win32.h"
#include "platform/win32/dll_search_win32.h"
#include "platform/win32/forms/backend_win32.h"
#include "platform/win32/hand_over_win32.h"
#include "platform/win32/multimedia_win32.h"
#include "platform/win32/programs_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/restart_registration_win32.h"
#include "platform/win32/settings_store_win32.h"
#include "platform/win32/shell_win32.h"
#include "platform/win32/system_facts_win32.h"
#include "platform/win32/tray_icon_win32.h"
#include "platform/win32/version_query_win32.h"
#include "platform/win32/web_version_check_win32.h"
#include "platform/win32/window_placement_win32.h"
#include "program/program.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR arguments, int) {
  using namespace ventrix;
  // First of all: no library loaded from here on is searched for beside the exe.
  win32::HardenDllSearch();
  const win32::InstanceIdentity identity = win32::ThisInstance();
  // Held while this process is the instance; let go when WinMain returns.
  win32::InstanceLock lock(identity);
  if (const std::optional<int> exit_code = app::PassToRunningInstance(arguments, identity, lock)) {
    return *exit_code;
  }

  win32::Win32Backend ui(instance);
  // The splash screen and the settings window load hidden at start-up; their windows are
  // created once the main window is up.
  ui.set_defer_hidden_windows(true);
  win32::Win32VersionQuery version;
  win32::Win32DeviceControl devices;
  win32::Win32DriveEnumeration drives;
  win32::Win32Multimedia multimedia;
  win32::RegistrySettingsStore settings;
  win32::Win32Registry registry;
  win32::Win32Shell shell;
  win32::Win32ProgramLauncher programs;
  win32::Win32WindowPlacement placement;
  win32::Win32SystemFacts facts;
  win32::Win32TrayIconFactory tray_icons(instance);
  win32::Win32WebVersionCheckFactory web_checks(instance, shell);
  win32::Win32ContrastSetting contrast;

  const Platform platform{ui,    version,  devices,   drives, multimedia, settings,   registry,
                          shell, programs, placement, facts,  tray_icons, web_checks, contrast};
  Program program(platform);
  program.Start();
  if (program.runtime().Ended()) return 0;
  // Start-up has finished: from now on other processes find this instance and hand it commands.
  const win32::InstanceWindow instance_window(
      instance, identity,
      [&program](HandedCommand command, const std::string& drive,
                 win32::InstanceWindow::StillWanted still_wanted,
                 win32::InstanceWindow::Answer answer) {
        program.HandOver(command, std::move(answer), std::move(still_wanted), drive);
      });
  // An installer that closes this instance for an update starts it again afterwards.
  win32::RegisterRestartAfterUpdate();
  return ui.RunMessageLoop();
}
