// Every device handle the program opens is closed exactly once, on every path: each operation,
// whatever the drive answers, whatever the drive string holds, on each kind of release.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "drive/device_io.h"
#include "main/frm_main.h"
#include "tests/native/faults/fault_bench.h"

namespace ventrix::testing {
namespace {

// Hands out programs on fakes and, at the end of each test, checks the handles of all of them.
class DeviceAccounting : public ::testing::Test {
 protected:
  FaultBench& Fresh() {
    benches_.push_back(std::make_unique<FaultBench>());
    return *benches_.back();
  }

  void TearDown() override {
    for (const auto& bench : benches_) {
      const FakeDeviceControl& devices = bench->fake.devices;
      EXPECT_EQ(devices.OpenHandles(), 0) << "handles left open";
      EXPECT_EQ(devices.misuses, 0) << "requests or closes on handles not open";
      EXPECT_TRUE(devices.EveryHandleClosedOnce());
    }
  }

 private:
  std::vector<std::unique_ptr<FaultBench>> benches_;
};

enum class Answer { kAccepts, kRejects, kDoesNotOpen };

struct Operation {
  const char* name;
  std::function<void(FaultBench&)> run;
  // Lock and unlock reach the device on every release; eject and close only where the release
  // uses the device path.
  bool on_every_release;
  // Requests the two runs send to a drive that takes them all: a lock held is not sent again,
  // and an unlock also releases a lock an earlier run may have left.
  std::size_t accepted_requests = 2;
};

void Menu(FaultBench& bench, std::int16_t index) {
  bench.Event([&bench, index] { bench.main()->mnuoperations_Click(index); });
}
void TrayPick(FaultBench& bench, const char* key) {
  bench.tray()->picks.push_back(key);
  bench.tray()->on_click(kMouseRight);
}

const Operation kOperations[] = {
    {"Eject", [](FaultBench& b) { Menu(b, 0); }, false},
    {"Close", [](FaultBench& b) { Menu(b, 1); }, false},
    {"Lock", [](FaultBench& b) { Menu(b, 2); }, true, 1},
    {"Unlock", [](FaultBench& b) { Menu(b, 3); }, true},
    {"StatusLineToggle", [](FaultBench& b) { b.ui.DblClick(b.main()->Label1); }, false},
    {"TrayEjectClose", [](FaultBench& b) { TrayPick(b, "Operate Tray"); }, false},
    {"TrayLockUnlock", [](FaultBench& b) { TrayPick(b, "Lock-Unlock"); }, true, 3},
};

void PrintTo(const Operation& operation, std::ostream* out) { *out << operation.name; }

struct Release {
  const char* name;
  void (FakeVersionQuery::*set)();
  bool device_path;  // eject and close go to the device
};

const Release kReleases[] = {
    {"XP", &FakeVersionQuery::SetWinXP, true},
    {"Windows 7", &FakeVersionQuery::SetWin7, true},
    {"Windows 98", &FakeVersionQuery::SetWin98, false},
    {"Windows 2003", &FakeVersionQuery::SetWin2003, false},
};

const char* const kDrives[] = {"D:\\", "D:", " e:\\ "};
const char* const kRefusedDrives[] = {"",  "\\\\.\\PhysicalDrive0", "..\\..", "C:\\Windows",
                                      "D", "PhysicalDrive0",        "D:\\..", "\\\\?\\D:"};

class OperationAccounting : public DeviceAccounting,
                            public ::testing::WithParamInterface<Operation> {
 protected:
  // Runs the operation twice (so the toggles go both ways) on a fresh program.
  FaultBench& Run(const Release& release, const std::string& drive, Answer answer) {
    FaultBench& bench = Fresh();
    (bench.fake.version.*release.set)();
    bench.Store("Default CD Drive Letter", drive);
    bench.Start();
    bench.fake.devices.open_succeeds = answer != Answer::kDoesNotOpen;
    bench.fake.devices.request_succeeds = answer == Answer::kAccepts;
    GetParam().run(bench);
    GetParam().run(bench);
    return bench;
  }
};

TEST_P(OperationAccounting, EveryOpenedHandleIsClosedOnceWhateverTheDriveAnswers) {
  for (const Release& release : kReleases) {
    const bool reaches_device = release.device_path || GetParam().on_every_release;
    for (const char* drive : kDrives) {
      for (const Answer answer : {Answer::kAccepts, Answer::kRejects, Answer::kDoesNotOpen}) {
        SCOPED_TRACE(std::string(release.name) + ", drive \"" + drive + "\", answer " +
                     std::to_string(static_cast<int>(answer)));
        const FaultBench& bench = Run(release, drive, answer);
        const FakeDeviceControl& devices = bench.fake.devices;
        const std::size_t requests = answer == Answer::kAccepts ? GetParam().accepted_requests : 2u;
        EXPECT_EQ(devices.calls.size(), reaches_device ? requests : 0u);
        EXPECT_EQ(devices.Opened(), reaches_device && answer != Answer::kDoesNotOpen
                                        ? static_cast<int>(requests)
                                        : 0);
        for (const DeviceCall& call : devices.calls) {
          EXPECT_EQ(call.closes, call.opened ? 1 : 0) << call.path;
          EXPECT_EQ(call.codes.size(), call.opened ? 1u : 0u) << call.path;
        }
      }
    }
  }
}

TEST_P(OperationAccounting, ADriveStringThatIsNoDriveNameOpensNothing) {
  for (const Release& release : kReleases) {
    for (const char* drive : kRefusedDrives) {
      SCOPED_TRACE(std::string(release.name) + ", drive \"" + drive + "\"");
      const FaultBench& bench = Run(release, drive, Answer::kAccepts);
      EXPECT_TRUE(bench.fake.devices.calls.empty());
      EXPECT_FALSE(ClaimsSuccess(bench.main()->Label1.Caption())) << bench.main()->Label1.Caption();
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Operations, OperationAccounting, ::testing::ValuesIn(kOperations),
                         [](const auto& info) { return std::string(info.param.name); });

// The module's own entry points, straight on the fake device.
TEST_F(DeviceAccounting, EachRequestOpensOnceAndClosesOnceOrNeverOpens) {
  FakeDeviceControl& devices = Fresh().fake.devices;
  struct Case {
    bool opens, accepts;
    basDeviceIO::RequestOutcome outcome;
  };
  const Case cases[] = {{true, true, basDeviceIO::RequestOutcome::kAccepted},
                        {true, false, basDeviceIO::RequestOutcome::kRejected},
                        {false, true, basDeviceIO::RequestOutcome::kNotOpened}};
  for (const Case& c : cases) {
    devices.open_succeeds = c.opens;
    devices.request_succeeds = c.accepts;
    std::string drive = "D:\\";
    EXPECT_EQ(basDeviceIO::SendRequest(devices, drive, kIoctlStorageEjectMedia, {}), c.outcome);
    EXPECT_EQ(drive, "D:");
    basDeviceIO::SetMediaLock(devices, drive, true);
    basDeviceIO::SendDriveCommand(devices, drive, kIoctlStorageLoadMedia);
    EXPECT_EQ(devices.OpenHandles(), 0);
  }
  EXPECT_EQ(devices.calls.size(), 9u);
  EXPECT_EQ(devices.Opened(), 6);

  for (const char* refused : kRefusedDrives) {
    std::string drive = refused;
    EXPECT_EQ(basDeviceIO::SendRequest(devices, drive, kIoctlStorageEjectMedia, {}),
              basDeviceIO::RequestOutcome::kNotOpened);
  }
  EXPECT_EQ(devices.calls.size(), 9u);
}

// The accounting itself: a second close, a close of a handle never handed out and a request on a
// closed handle are all caught.
TEST(DeviceAccountingFake, CatchesDoubleClosesStrayClosesAndRequestsOnClosedHandles) {
  FakeDeviceControl devices;
  const DeviceHandle handle = devices.CreateFile("\\\\.\\D:", kGenericRead, 0, kOpenExisting);
  EXPECT_EQ(devices.OpenHandles(), 1);
  EXPECT_FALSE(devices.EveryHandleClosedOnce());
  devices.CloseHandle(handle);
  EXPECT_TRUE(devices.EveryHandleClosedOnce());

  devices.CloseHandle(handle);
  EXPECT_FALSE(devices.EveryHandleClosedOnce());

  FakeDeviceControl stray;
  stray.CloseHandle(kInvalidDevice);
  EXPECT_EQ(stray.misuses, 1);
  const DeviceHandle closed = stray.CreateFile("\\\\.\\D:", kGenericRead, 0, kOpenExisting);
  stray.CloseHandle(closed);
  EXPECT_FALSE(stray.DeviceIoControl(closed, kIoctlStorageEjectMedia, {}));
  EXPECT_EQ(stray.misuses, 2);

  FakeDeviceControl never_opened;
  never_opened.open_succeeds = false;
  const DeviceHandle none = never_opened.CreateFile("\\\\.\\D:", kGenericRead, 0, kOpenExisting);
  EXPECT_EQ(none, kInvalidDevice);
  EXPECT_TRUE(never_opened.EveryHandleClosedOnce());
  never_opened.CloseHandle(1);
  EXPECT_FALSE(never_opened.EveryHandleClosedOnce());
}

}  // namespace
}  // namespace ventrix::testing
