#pragma once
// A complete fake platform and a program built on it, fresh for every test.

#include <memory>

#include "platform/platform.h"
#include "program/program.h"
#include "tests/support/fake_components.h"
#include "tests/support/fake_services.h"
#include "tests/support/headless_backend.h"

namespace ventrix::testing {

struct TestPlatform {
  HeadlessBackend ui;
  FakeVersionQuery version;
  FakeDeviceControl devices;
  FakeDriveEnumeration drives;
  FakeMultimedia multimedia;
  FakeSettingsStore settings;
  FakeRegistry registry;
  FakeShell shell;
  FakeLauncher programs;
  FakeWindowPlacement placement;
  FakeSystemFacts facts;
  FakeTrayIconFactory tray_icons;
  FakeWebVersionCheckFactory web_checks;

  TestPlatform() {
    version.SetWinXP();
    drives.drives = {{"C:\\", 3}, {"D:\\", kDriveCdrom}};
  }

  Platform platform() {
    return Platform{ui,    version,  devices,   drives, multimedia, settings,  registry,
                    shell, programs, placement, facts,  tray_icons, web_checks};
  }
};

// The platform and a started program on it.
struct TestProgram {
  TestPlatform fake;
  std::unique_ptr<Program> program;

  // Builds the program; Start() runs the start-up sequence.
  TestProgram() : program(std::make_unique<Program>(fake.platform())) {}
  Program& operator*() { return *program; }
  Program* operator->() { return program.get(); }
  FakeTrayIcon& tray() { return *fake.tray_icons.last; }
};

}  // namespace ventrix::testing
