#pragma once
// Every operating-system service the program uses, each behind its own interface.

#include "platform/components/tray_icon.h"
#include "platform/components/web_version_check.h"
#include "platform/device_control.h"
#include "platform/forms/backend.h"
#include "platform/forms/contrast.h"
#include "platform/multimedia.h"
#include "platform/programs.h"
#include "platform/registry.h"
#include "platform/settings_store.h"
#include "platform/shell.h"
#include "platform/system_facts.h"
#include "platform/version_query.h"
#include "platform/window_placement.h"

namespace ventrix {

struct Platform {
  forms::Backend& ui;
  VersionQuery& version;
  DeviceControl& devices;
  DriveEnumeration& drives;
  MultimediaCommands& multimedia;
  SettingsStore& settings;
  Registry& registry;
  Shell& shell;
  ProgramLauncher& programs;
  WindowPlacement& placement;
  SystemFacts& facts;
  TrayIconFactory& tray_icons;
  WebVersionCheckFactory& web_checks;
  forms::ContrastSetting& contrast;
};

}  // namespace ventrix
