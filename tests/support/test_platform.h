#pragma once
// A complete fake platform and a program built on it, fresh for every test.

#include <initializer_list>
#include <memory>
#include <string>
#include <type_traits>

#include "platform/platform.h"
#include "program/product.h"
#include "program/program.h"
#include "tests/support/fake_components.h"
#include "tests/support/fake_services.h"
#include "tests/support/headless_backend.h"

namespace ventrix::testing {

// Services a test puts in place of the fakes; those left null stay the fakes.
struct Swaps {
  forms::Backend* ui = nullptr;
  MultimediaCommands* multimedia = nullptr;
  SettingsStore* settings = nullptr;
  TrayIconFactory* tray_icons = nullptr;
};

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
  FakeContrastSetting contrast;

  TestPlatform() {
    version.SetWinXP();
    drives.drives = {{"C:\\", 3}, {"D:\\", kDriveCdrom}};
  }

  // The one way tests build the platform, and so the program, on fakes.
  Platform platform(const Swaps& swaps = {}) {
    return Platform{Pick(swaps.ui, ui),
                    version,
                    devices,
                    drives,
                    Pick(swaps.multimedia, multimedia),
                    Pick(swaps.settings, settings),
                    registry,
                    shell,
                    programs,
                    placement,
                    facts,
                    Pick(swaps.tray_icons, tray_icons),
                    web_checks,
                    contrast};
  }
  std::unique_ptr<Program> BuildProgram(const Swaps& swaps = {}) {
    return std::make_unique<Program>(platform(swaps));
  }

  // A value as the program's settings store holds it.
  void Store(const std::string& key, const std::string& value,
             const std::string& section = "settings") {
    settings.values[{kAppTitle, section, key}] = value;
  }

  // Every fake answers to `faults` from now on.
  void InjectFaults(FaultSwitch& faults) {
    for (FaultInjectable* fake : std::initializer_list<FaultInjectable*>{
             &version, &devices, &drives, &multimedia, &settings, &registry, &shell, &programs,
             &placement, &facts, &tray_icons, &web_checks}) {
      fake->faults = &faults;
    }
  }

 private:
  template <class Service>
  static Service& Pick(Service* swap, std::type_identity_t<Service>& fake) {
    return swap != nullptr ? *swap : fake;
  }
};

// The platform and a started program on it.
struct TestProgram {
  TestPlatform fake;
  std::unique_ptr<Program> program;

  // Builds the program; Start() runs the start-up sequence.
  explicit TestProgram(const Swaps& swaps = {}) : program(fake.BuildProgram(swaps)) {}
  Program& operator*() { return *program; }
  Program* operator->() { return program.get(); }
  FakeTrayIcon& tray() { return *fake.tray_icons.last; }
};

}  // namespace ventrix::testing
