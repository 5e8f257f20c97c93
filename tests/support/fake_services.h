#pragma once
// Recording fakes of the platform services, for the native tests.

#include <algorithm>
#include <array>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "platform/device_control.h"
#include "platform/forms/contrast.h"
#include "platform/multimedia.h"
#include "platform/programs.h"
#include "platform/registry.h"
#include "platform/scsi_pass_through.h"
#include "platform/settings_store.h"
#include "platform/shell.h"
#include "platform/system_facts.h"
#include "platform/version_query.h"
#include "platform/window_placement.h"
#include "tests/support/fault_switch.h"

namespace ventrix::testing {

class FakeVersionQuery : public VersionQuery, public FaultInjectable {
 public:
  std::int32_t result = 1;
  OsVersionRecord record;
  int calls = 0;

  std::int32_t GetVersionEx(OsVersionRecord& out) override {
    ++calls;
    if (Fails(Fault::kVersionQuery)) return 0;
    const std::uint32_t size = out.size;
    out = record;
    out.size = size;
    return result;
  }
  // Sets the record a release reports.
  void Set(std::uint32_t platform_id, std::uint32_t major, std::uint32_t minor,
           std::int32_t build) {
    record.platform_id = platform_id;
    record.major = major;
    record.minor = minor;
    record.build = build;
    result = 1;
  }
  void SetWin98() { Set(kPlatformWin32Windows, 4, 10, 0x040A08AE); }
  void SetWinMe() { Set(kPlatformWin32Windows, 4, 90, 0x045A0BB8); }
  void SetWin2000() { Set(kPlatformWin32Nt, 5, 0, 2195); }
  void SetWinXP() { Set(kPlatformWin32Nt, 5, 1, 2600); }
  void SetWin2003() { Set(kPlatformWin32Nt, 5, 2, 3790); }
  void SetWin7() { Set(kPlatformWin32Nt, 6, 1, 7601); }
  void SetNt4() { Set(kPlatformWin32Nt, 4, 0, 1381); }
};

// One CreateFile and what was done with its handle.
struct DeviceCall {
  std::string path;
  std::uint32_t access = 0;
  std::uint32_t share = 0;
  std::uint32_t disposition = 0;
  bool opened = false;
  std::vector<std::uint32_t> codes;
  std::vector<std::vector<std::uint8_t>> inputs;
  int closes = 0;
};

// Every handle it hands out is accounted for: each opened handle must be closed exactly once, and
// nothing may be sent to or closed on a handle that is not open. The drive's tray questions
// (opens for reading and writing, and what is sent on them) are recorded apart, in `questions`,
// so the requests of the operations read as they always did.
class FakeDeviceControl : public DeviceControl, public FaultInjectable {
 public:
  // What a drive tells of its tray when asked on a read-write handle: nothing (every question
  // refused), CHECK_VERIFY2's readiness only, TEST UNIT READY's sense too (MECHANISM STATUS
  // answered as an unknown command), or MECHANISM STATUS too.
  enum class Tells { kNothing, kReadiness, kSense, kMechanism };
  // A CD drive as Windows keeps it, by device path: one lock count that outlives every handle
  // (a prevent adds one, an allow takes one away while any is left), an eject refused while it
  // is above zero, and a close refused by a drive without a motorised tray.
  struct CountingDrive {
    int locks = 0;
    bool tray_open = false;
    bool motorised = true;
    bool disc = true;
    Tells tells = Tells::kNothing;
    // False: opening it for reading and writing is refused (a policy, or no access).
    bool opens_read_write = true;
  };
  // With `counting`, requests answer as the drive under their path does (see CountingDrive).
  // The tray questions always answer from it.
  bool counting = false;
  std::map<std::string, CountingDrive> counted;

  bool open_succeeds = true;
  bool request_succeeds = true;
  std::vector<DeviceCall> calls;
  std::vector<DeviceCall> questions;
  // Requests or closes on a handle that was never opened or is already closed.
  int misuses = 0;

  DeviceHandle CreateFile(const std::string& path, std::uint32_t access, std::uint32_t share,
                          std::uint32_t disposition) override {
    if ((access & kGenericWrite) != 0) {
      const bool opens =
          !Fails(Fault::kTrayQuestion) && open_succeeds && counted[path].opens_read_write;
      questions.push_back({path, access, share, disposition, opens, {}, {}, 0});
      return opens ? kQuestionHandles + static_cast<DeviceHandle>(questions.size())
                   : kInvalidDevice;
    }
    const bool opens = open_succeeds && !Fails(Fault::kDeviceOpen);
    calls.push_back({path, access, share, disposition, opens, {}, {}, 0});
    return opens ? static_cast<DeviceHandle>(calls.size()) : kInvalidDevice;
  }
  bool DeviceIoControl(DeviceHandle device, std::uint32_t code,
                       std::span<const std::uint8_t> input) override {
    DeviceCall* call = Record(device, code, input);
    if (call == nullptr) return false;
    if (code == kIoctlStorageCheckVerify2) {
      return !Fails(Fault::kTrayQuestion) && Ready(counted[call->path]);
    }
    const bool answer = counting ? Count(counted[call->path], code, input) : true;
    return answer && request_succeeds && !Fails(Fault::kDeviceRequest);
  }
  bool DeviceIoControlInOut(DeviceHandle device, std::uint32_t code,
                            std::span<std::uint8_t> buffer) override {
    DeviceCall* call = Record(device, code, buffer);
    if (call == nullptr) return false;
    if (code != kIoctlScsiPassThrough || Fails(Fault::kTrayQuestion)) return false;
    return PassThrough(counted[call->path], buffer);
  }
  void CloseHandle(DeviceHandle device) override {
    DeviceCall* call = Find(device);
    if (call == nullptr || call->closes != 0) ++misuses;
    if (call != nullptr) ++call->closes;
  }

  // The control codes sent, in order, across all opens (the tray questions apart).
  std::vector<std::uint32_t> Codes() const { return CodesOf(calls); }
  std::vector<std::uint32_t> QuestionCodes() const { return CodesOf(questions); }
  int Opened() const {
    int opened = 0;
    for (const DeviceCall& call : calls) opened += call.opened ? 1 : 0;
    return opened;
  }
  // Handles opened and not closed yet.
  int OpenHandles() const {
    int open = 0;
    for (const std::vector<DeviceCall>* records : {&calls, &questions}) {
      for (const DeviceCall& call : *records) open += call.opened && call.closes == 0 ? 1 : 0;
    }
    return open;
  }
  // True when every opened handle was closed exactly once and no handle was misused.
  bool EveryHandleClosedOnce() const {
    for (const std::vector<DeviceCall>* records : {&calls, &questions}) {
      for (const DeviceCall& call : *records) {
        if (call.closes != (call.opened ? 1 : 0)) return false;
      }
    }
    return misuses == 0;
  }

 private:
  // Question handles are numbered from here, apart from the requests' handles.
  static constexpr DeviceHandle kQuestionHandles = 0x10000;

  static std::vector<std::uint32_t> CodesOf(const std::vector<DeviceCall>& records) {
    std::vector<std::uint32_t> codes;
    for (const DeviceCall& call : records)
      codes.insert(codes.end(), call.codes.begin(), call.codes.end());
    return codes;
  }
  static bool Ready(const CountingDrive& drive) {
    return drive.tells != Tells::kNothing && !drive.tray_open && drive.disc;
  }
  // Answers MECHANISM STATUS and TEST UNIT READY as a drive would, into the request's buffer.
  static bool PassThrough(const CountingDrive& drive, std::span<std::uint8_t> buffer) {
    constexpr std::uint8_t kMechanismStatus = 0xBD;
    constexpr std::uint8_t kTestUnitReady = 0x00;
    constexpr std::uint8_t kGood = 0x00;
    constexpr std::uint8_t kCheckCondition = 0x02;
    constexpr std::uint8_t kDoorOpen = 0x10;  // MECHANISM STATUS header, byte 1
    ScsiPassThrough header{};
    if (buffer.size() < sizeof(header)) return false;
    std::memcpy(&header, buffer.data(), sizeof(header));
    const std::uint8_t command = header.cdb[0];
    const bool mechanism = command == kMechanismStatus && drive.tells == Tells::kMechanism;
    const bool sense = (command == kMechanismStatus && drive.tells == Tells::kSense) ||
                       (command == kTestUnitReady && drive.tells >= Tells::kSense);
    if (!mechanism && !sense) return false;
    header.scsi_status = kGood;
    const std::size_t sense_room = header.sense_info_length;
    header.sense_info_length = 0;
    if (mechanism) {
      if (header.data_buffer_offset + 2 > buffer.size()) return false;
      buffer[header.data_buffer_offset + 1] = drive.tray_open ? kDoorOpen : 0;
    } else if (command == kMechanismStatus || drive.tray_open || !drive.disc) {
      // ILLEGAL REQUEST / INVALID COMMAND OPERATION CODE for a command the drive lacks;
      // NOT READY / MEDIUM NOT PRESENT, tray closed (ASCQ 1) or open (2).
      const std::array<std::uint8_t, 18> bytes =
          command == kMechanismStatus ? FixedSense(0x05, 0x20, 0x00)
                                      : FixedSense(0x02, 0x3A, drive.tray_open ? 0x02 : 0x01);
      const std::size_t length = std::min(bytes.size(), sense_room);
      if (header.sense_info_offset + length > buffer.size()) return false;
      std::memcpy(buffer.data() + header.sense_info_offset, bytes.data(), length);
      header.scsi_status = kCheckCondition;
      header.sense_info_length = static_cast<std::uint8_t>(length);
      header.data_transfer_length = 0;
    }
    std::memcpy(buffer.data(), &header, sizeof(header));
    return true;
  }
  // Fixed-format current sense data (response code 0x70, 10 more bytes) with key, ASC and ASCQ.
  static std::array<std::uint8_t, 18> FixedSense(std::uint8_t key, std::uint8_t asc,
                                                 std::uint8_t ascq) {
    std::array<std::uint8_t, 18> bytes{};
    bytes[0] = 0x70;
    bytes[2] = key;
    bytes[7] = 10;
    bytes[12] = asc;
    bytes[13] = ascq;
    return bytes;
  }
  static bool Count(CountingDrive& drive, std::uint32_t code, std::span<const std::uint8_t> input) {
    switch (code) {
      case kIoctlStorageMediaRemoval:
        if (input.empty()) return false;
        if (input[0] != 0) {
          ++drive.locks;
        } else if (drive.locks > 0) {
          --drive.locks;
        }
        return true;
      case kIoctlStorageEjectMedia:
        if (drive.locks > 0) return false;  // ERROR_INVALID_FUNCTION: medium removal prevented
        drive.tray_open = true;
        return true;
      case kIoctlStorageLoadMedia:
        if (!drive.motorised) return false;
        drive.tray_open = false;
        return true;
      default:
        return false;
    }
  }
  // Notes a request on an open handle and gives its open record; a misuse and nullptr when the
  // handle is not open.
  DeviceCall* Record(DeviceHandle device, std::uint32_t code, std::span<const std::uint8_t> input) {
    DeviceCall* call = Find(device);
    if (call == nullptr || call->closes != 0) {
      ++misuses;
      return nullptr;
    }
    call->codes.push_back(code);
    call->inputs.emplace_back(input.begin(), input.end());
    return call;
  }
  // The open record behind a handle this fake handed out, or nullptr.
  DeviceCall* Find(DeviceHandle device) {
    std::vector<DeviceCall>& records = device > kQuestionHandles ? questions : calls;
    const DeviceHandle index = device > kQuestionHandles ? device - kQuestionHandles : device;
    if (index < 1 || static_cast<std::size_t>(index) > records.size()) return nullptr;
    DeviceCall& call = records[static_cast<std::size_t>(index - 1)];
    return call.opened ? &call : nullptr;
  }
};

class FakeDriveEnumeration : public DriveEnumeration, public FaultInjectable {
 public:
  // Root -> drive type; listed in map order (by letter).
  std::map<std::string, std::uint32_t> drives;
  bool fails = false;
  int list_calls = 0;

  std::uint32_t GetLogicalDriveStrings(std::span<char> buffer) override {
    ++list_calls;
    if (fails || Fails(Fault::kDriveList)) return 0;
    std::string list;
    for (const auto& [root, type] : drives) list += root + '\0';
    const std::size_t needed = list.size() + 1;
    if (needed > buffer.size()) return static_cast<std::uint32_t>(needed);
    std::memcpy(buffer.data(), list.data(), list.size());
    buffer[list.size()] = '\0';
    return static_cast<std::uint32_t>(list.size());
  }
  std::uint32_t GetDriveType(const std::string& root) override {
    if (Fails(Fault::kDriveType)) return kDriveUnknown;
    auto it = drives.find(root);
    return it == drives.end() ? kDriveNoRootDir : it->second;
  }

  static constexpr std::uint32_t kDriveUnknown = 0;
  static constexpr std::uint32_t kDriveNoRootDir = 1;
};

class FakeMultimedia : public MultimediaCommands, public FaultInjectable {
 public:
  std::vector<std::pair<std::string, std::size_t>> commands;
  std::uint32_t SendString(const std::string& command, std::size_t return_length) override {
    commands.emplace_back(command, return_length);
    return Fails(Fault::kMultimedia) ? kInvalidDeviceName : 0;
  }
  static constexpr std::uint32_t kInvalidDeviceName = 263;  // MCIERR_INVALID_DEVICE_NAME
};

class FakeSettingsStore : public SettingsStore, public FaultInjectable {
 public:
  using Key = std::tuple<std::string, std::string, std::string>;
  using Written = std::tuple<std::string, std::string, std::string, std::string>;
  std::map<Key, std::string> values;
  // Writes the store took, and writes it refused (which changed nothing).
  std::vector<Written> writes;
  std::vector<Written> refused_writes;
  std::vector<Key> reads;

  std::string Read(const std::string& application, const std::string& section,
                   const std::string& key, const std::string& default_text) override {
    reads.emplace_back(application, section, key);
    if (Fails(Fault::kSettingsRead)) return default_text;
    auto it = values.find({application, section, key});
    return it == values.end() ? default_text : it->second;
  }
  bool Write(const std::string& application, const std::string& section, const std::string& key,
             const std::string& text) override {
    if (Fails(Fault::kSettingsWrite)) {
      refused_writes.emplace_back(application, section, key, text);
      return false;
    }
    writes.emplace_back(application, section, key, text);
    values[{application, section, key}] = text;
    return true;
  }
  std::optional<std::string> Get(const std::string& section, const std::string& key,
                                 const std::string& application = "Ventrix 3") const {
    auto it = values.find({application, section, key});
    if (it == values.end()) return std::nullopt;
    return it->second;
  }
  // The record of the locks Ventrix placed is written as they are placed and released, not by a
  // save.
  static bool IsLockRecord(const std::string& section) { return section == "Drive Locks"; }
  // Whether every write, taken or refused, went to the lock record.
  bool OnlyLockRecordWritten() const {
    const auto to_record = [](const Written& write) { return IsLockRecord(std::get<1>(write)); };
    return std::all_of(writes.begin(), writes.end(), to_record) &&
           std::all_of(refused_writes.begin(), refused_writes.end(), to_record);
  }
};

// Keys are accounted for like device handles: each opened key must be closed exactly once.
class FakeRegistry : public Registry, public FaultInjectable {
 public:
  struct Value {
    std::uint32_t type = kRegSz;
    std::string data;  // raw bytes as stored, NUL included when the writer stored one
  };
  // key path -> value name -> value
  std::map<std::string, std::map<std::string, Value>> keys;
  std::vector<std::uint32_t> open_access;
  std::vector<RegistryKey> closed;
  int opens = 0;
  // As for a standard user (and every process under User Account Control): an open under
  // HKEY_LOCAL_MACHINE that asks for any write access is refused.
  bool machine_writable = false;
  // Queries or closes on a key that is not open.
  int misuses = 0;

  std::int32_t OpenKeyEx(RegistryKey root, const std::string& path, std::uint32_t options,
                         std::uint32_t access, RegistryKey& opened) override {
    (void)options;
    open_access.push_back(access);
    if (Fails(Fault::kRegistryOpen)) return kAccessDenied;
    if (root == kHkeyLocalMachine && !machine_writable && (access & kWriteAccess) != 0) {
      return kAccessDenied;
    }
    auto it = keys.find(path);
    if (it == keys.end()) return kFileNotFound;
    ++opens;
    opened = kFirstHandle + static_cast<RegistryKey>(open_paths_.size());
    open_paths_.push_back(path);
    open_.push_back(true);
    return kRegistrySuccess;
  }
  std::int32_t QueryValueEx(RegistryKey key, const std::string& value_name, std::uint32_t& type,
                            std::span<char> buffer, std::uint32_t& size) override {
    if (!IsOpen(key)) {
      ++misuses;
      return kInvalidHandle;
    }
    if (Fails(Fault::kRegistryQuery)) return kAccessDenied;
    const std::string& path = open_paths_.at(key - kFirstHandle);
    auto& values = keys.at(path);
    auto it = values.find(value_name);
    if (it == values.end()) return kFileNotFound;
    type = it->second.type;
    const std::string& data = it->second.data;
    size = static_cast<std::uint32_t>(data.size());
    if (data.size() > buffer.size()) return kMoreData;
    std::memcpy(buffer.data(), data.data(), data.size());
    return kRegistrySuccess;
  }
  std::int32_t CloseKey(RegistryKey key) override {
    closed.push_back(key);
    if (!IsOpen(key)) {
      ++misuses;
      return kInvalidHandle;
    }
    open_[key - kFirstHandle] = false;
    return Fails(Fault::kRegistryClose) ? kInvalidHandle : kRegistrySuccess;
  }

  // True when every opened key was closed exactly once and no key was misused.
  bool EveryKeyClosedOnce() const {
    for (const bool open : open_)
      if (open) return false;
    return misuses == 0;
  }

  static constexpr std::int32_t kFileNotFound = 2;
  static constexpr std::int32_t kAccessDenied = 5;
  // KEY_SET_VALUE, KEY_CREATE_SUB_KEY, KEY_CREATE_LINK, DELETE, WRITE_DAC and WRITE_OWNER.
  static constexpr std::uint32_t kWriteAccess = 0x000D0026;
  static constexpr std::int32_t kInvalidHandle = 6;
  static constexpr std::int32_t kMoreData = 234;
  static constexpr RegistryKey kFirstHandle = 0x100;

 private:
  bool IsOpen(RegistryKey key) const {
    return key >= kFirstHandle && key - kFirstHandle < open_.size() && open_[key - kFirstHandle];
  }

  std::vector<std::string> open_paths_;
  std::vector<bool> open_;
};

struct ShellCall {
  WindowHandle owner;
  std::string verb;
  std::string file;
  std::optional<std::string> parameters;
  std::optional<std::string> directory;
  std::int32_t show;
};

class FakeShell : public Shell, public FaultInjectable {
 public:
  std::intptr_t result = 42;
  // The answer of a failing call: SE_ERR_ACCESSDENIED.
  std::intptr_t failure_result = 5;
  std::vector<ShellCall> calls;
  std::intptr_t ShellExecute(WindowHandle owner, const std::string& verb, const std::string& file,
                             const std::optional<std::string>& parameters,
                             const std::optional<std::string>& directory,
                             std::int32_t show) override {
    calls.push_back({owner, verb, file, parameters, directory, show});
    return Fails(Fault::kShellExecute) ? failure_result : result;
  }
};

class FakeLauncher : public ProgramLauncher, public FaultInjectable {
 public:
  std::vector<std::string> existing_files;
  bool start_succeeds = true;
  std::vector<std::pair<std::string, std::int32_t>> started;
  std::vector<std::string> queried;

  bool FileExists(const std::string& path) override {
    queried.push_back(path);
    if (Fails(Fault::kFileExists)) return false;
    for (const std::string& file : existing_files)
      if (file == path) return true;
    return false;
  }
  bool Start(const std::string& path, std::int32_t show) override {
    started.emplace_back(path, show);
    return start_succeeds && !Fails(Fault::kProgramStart);
  }
};

struct PlacementCall {
  WindowHandle window;
  std::intptr_t insert_after;
  int x, y, cx, cy;
  std::uint32_t flags;
};

class FakeWindowPlacement : public WindowPlacement, public FaultInjectable {
 public:
  // Every request, refused ones included.
  std::vector<PlacementCall> calls;
  int refused = 0;
  bool SetWindowPos(WindowHandle window, std::intptr_t insert_after, int x, int y, int cx, int cy,
                    std::uint32_t flags) override {
    calls.push_back({window, insert_after, x, y, cx, cy, flags});
    if (!Fails(Fault::kWindowPlacement)) return true;
    ++refused;
    return false;
  }
  // The last z-order request for a window, if any.
  std::optional<std::intptr_t> LastFor(WindowHandle window) const {
    for (auto it = calls.rbegin(); it != calls.rend(); ++it)
      if (it->window == window) return it->insert_after;
    return std::nullopt;
  }
};

class FakeSystemFacts : public SystemFacts, public FaultInjectable {
 public:
  std::string executable = "ventrix";
  int year = 2026;
  std::string ExecutableBaseName() override {
    return Fails(Fault::kExecutableName) ? std::string() : executable;
  }
  int CurrentYear() override { return year; }
};

// High contrast as a test sets it: the runtime reads it at start and on ReadContrast.
class FakeContrastSetting : public forms::ContrastSetting {
 public:
  bool high_contrast = false;
  bool HighContrastOn() override { return high_contrast; }
};

}  // namespace ventrix::testing
