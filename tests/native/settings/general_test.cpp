#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "tests/native/settings/settings_fixture.h"

namespace ventrix::testing {
namespace {

using Write = std::tuple<std::string, std::string, std::string, std::string>;
using Read = FakeSettingsStore::Key;

TEST_F(SettingsTest, FirstRunLoadsDefaultsWritesNothingAndTheFirstSaveWritesAllEightInOrder) {
  Load();
  EXPECT_EQ(vars().DriveLetter, "D:\\");
  EXPECT_EQ(vars().AlwaysOnTop, 0);
  EXPECT_EQ(vars().BannerEnabled, 0);
  EXPECT_EQ(vars().VisibleOnStartup, 0);
  EXPECT_EQ(vars().WebUpdateUrl, std::string(WebSiteUrl) + "/download/ventrix/ventrix3.txt");
  EXPECT_EQ(vars().DeviceStatus, "closed");
  EXPECT_EQ(vars().LockStatus, 0);
  EXPECT_EQ(vars().SendToTray, 1);
  EXPECT_TRUE(store().writes.empty());
  EXPECT_EQ(store().reads, (std::vector<Read>{
                               {"Ventrix 3", "settings", "Default CD Drive Letter"},
                               {"Ventrix 3", "settings", "Always On Top"},
                               {"Ventrix 3", "settings", "Banner Enabled"},
                               {"Ventrix 3", "settings", "Visible on Start-up"},
                               {"Ventrix 3", "Web Update", "Web Update URL"},
                               {"Ventrix 3", "settings", "Device Status"},
                               {"Ventrix 3", "settings", "Lock Status"},
                               {"Ventrix 3", "settings", "Send to Tray"},
                           }));

  SaveSettings(*program);
  const std::string url = std::string(WebSiteUrl) + "/download/ventrix/ventrix3.txt";
  EXPECT_EQ(store().writes, (std::vector<Write>{
                                {"Ventrix 3", "settings", "Default CD Drive Letter", "D:\\"},
                                {"Ventrix 3", "settings", "Always On Top", "0"},
                                {"Ventrix 3", "settings", "Banner Enabled", "0"},
                                {"Ventrix 3", "settings", "Visible on Start-up", "0"},
                                {"Ventrix 3", "Web Update", "Web Update URL", url},
                                {"Ventrix 3", "settings", "Device Status", "closed"},
                                {"Ventrix 3", "settings", "Lock Status", "0"},
                                {"Ventrix 3", "settings", "Send to Tray", "1"},
                            }));
}

TEST_F(SettingsTest, StoredValuesLoadUnchangedAndRoundTrip) {
  Store("settings", "Default CD Drive Letter", "E:");
  Store("settings", "Always On Top", "-1");
  Store("settings", "Banner Enabled", "2");
  Store("settings", "Visible on Start-up", "32767");
  Store("Web Update", "Web Update URL", "http://example.org/v.txt");
  Store("settings", "Device Status", "opened");
  Store("settings", "Lock Status", "-32768");
  Store("settings", "Send to Tray", "0");
  Load();
  EXPECT_EQ(vars().DriveLetter, "E:");
  EXPECT_EQ(vars().AlwaysOnTop, -1);
  EXPECT_EQ(vars().BannerEnabled, 2);
  EXPECT_EQ(vars().VisibleOnStartup, 32767);
  EXPECT_EQ(vars().WebUpdateUrl, "http://example.org/v.txt");
  EXPECT_EQ(vars().DeviceStatus, "opened");
  EXPECT_EQ(vars().LockStatus, -32768);
  EXPECT_EQ(vars().SendToTray, 0);

  const auto before = store().values;
  SaveSettings(*program);
  EXPECT_EQ(store().values, before);
}

TEST_F(SettingsTest, WebUpdateUrlIsReadOnlyFromItsOwnSection) {
  Store("settings", "Web Update URL", "http://wrong.example/v.txt");
  Load();
  EXPECT_EQ(vars().WebUpdateUrl, std::string(WebSiteUrl) + "/download/ventrix/ventrix3.txt");
  SaveSettings(*program);
  EXPECT_EQ(store().Get("settings", "Web Update URL"), "http://wrong.example/v.txt");
  EXPECT_EQ(store().Get("Web Update", "Web Update URL"), vars().WebUpdateUrl);
}

class MalformedInteger : public SettingsTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(MalformedInteger, LoadsAsTheKeysDefault) {
  for (const char* key :
       {"Always On Top", "Banner Enabled", "Visible on Start-up", "Lock Status", "Send to Tray"}) {
    Store("settings", key, GetParam());
  }
  Load();
  EXPECT_EQ(vars().AlwaysOnTop, 0);
  EXPECT_EQ(vars().BannerEnabled, 0);
  EXPECT_EQ(vars().VisibleOnStartup, 0);
  EXPECT_EQ(vars().LockStatus, 0);
  EXPECT_EQ(vars().SendToTray, 1);
}

INSTANTIATE_TEST_SUITE_P(Texts, MalformedInteger,
                         ::testing::Values("", "yes", "1x", " 1", "1 ", "1.0", "-", "0x1", "32768",
                                           "-32769", "65537", "99999999999999999999999999"));

}  // namespace
}  // namespace ventrix::testing
