#pragma once
// Recording fakes of the platform services, for the native tests.

#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "platform/device_control.h"
#include "platform/multimedia.h"
#include "platform/programs.h"
#include "platform/registry.h"
#include "platform/settings_store.h"
#include "platform/shell.h"
#include "platform/system_facts.h"
#include "platform/version_query.h"
#include "platform/window_placement.h"

namespace ventrix::testing {

class FakeVersionQuery : public VersionQuery {
 public:
  std::int32_t result = 1;
  OsVersionRecord record;
  int calls = 0;

  std::int32_t GetVersionEx(OsVersionRecord& out) override {
    ++calls;
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

class FakeDeviceControl : public DeviceControl {
 public:
  bool open_succeeds = true;
  bool request_succeeds = true;
  std::vector<DeviceCall> calls;

  DeviceHandle CreateFile(const std::string& path, std::uint32_t access, std::uint32_t share,
                          std::uint32_t disposition) override {
    calls.push_back({path, access, share, disposition, open_succeeds, {}, {}, 0});
    return open_succeeds ? static_cast<DeviceHandle>(calls.size()) : kInvalidDevice;
  }
  bool DeviceIoControl(DeviceHandle device, std::uint32_t code,
                       std::span<const std::uint8_t> input) override {
    DeviceCall& call = At(device);
    call.codes.push_back(code);
    call.inputs.emplace_back(input.begin(), input.end());
    return request_succeeds;
  }
  void CloseHandle(DeviceHandle device) override { ++At(device).closes; }

  // The control codes sent, in order, across all opens.
  std::vector<std::uint32_t> Codes() const {
    std::vector<std::uint32_t> codes;
    for (const DeviceCall& call : calls)
      codes.insert(codes.end(), call.codes.begin(), call.codes.end());
    return codes;
  }

 private:
  DeviceCall& At(DeviceHandle device) { return calls.at(static_cast<std::size_t>(device - 1)); }
};

class FakeDriveEnumeration : public DriveEnumeration {
 public:
  // Root -> drive type; listed in map order (by letter).
  std::map<std::string, std::uint32_t> drives;
  bool fails = false;
  int list_calls = 0;

  std::uint32_t GetLogicalDriveStrings(std::span<char> buffer) override {
    ++list_calls;
    if (fails) return 0;
    std::string list;
    for (const auto& [root, type] : drives) list += root + '\0';
    const std::size_t needed = list.size() + 1;
    if (needed > buffer.size()) return static_cast<std::uint32_t>(needed);
    std::memcpy(buffer.data(), list.data(), list.size());
    buffer[list.size()] = '\0';
    return static_cast<std::uint32_t>(list.size());
  }
  std::uint32_t GetDriveType(const std::string& root) override {
    auto it = drives.find(root);
    return it == drives.end() ? 1 : it->second;  // 1: DRIVE_NO_ROOT_DIR
  }
};

class FakeMultimedia : public MultimediaCommands {
 public:
  std::vector<std::pair<std::string, std::size_t>> commands;
  std::uint32_t SendString(const std::string& command, std::size_t return_length) override {
    commands.emplace_back(command, return_length);
    return 0;
  }
};

class FakeSettingsStore : public SettingsStore {
 public:
  using Key = std::tuple<std::string, std::string, std::string>;
  std::map<Key, std::string> values;
  std::vector<std::tuple<std::string, std::string, std::string, std::string>> writes;
  std::vector<Key> reads;

  std::string Read(const std::string& application, const std::string& section,
                   const std::string& key, const std::string& default_text) override {
    reads.emplace_back(application, section, key);
    auto it = values.find({application, section, key});
    return it == values.end() ? default_text : it->second;
  }
  bool Write(const std::string& application, const std::string& section, const std::string& key,
             const std::string& text) override {
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
};

class FakeRegistry : public Registry {
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

  std::int32_t OpenKeyEx(RegistryKey root, const std::string& path, std::uint32_t options,
                         std::uint32_t access, RegistryKey& opened) override {
    (void)root;
    (void)options;
    open_access.push_back(access);
    auto it = keys.find(path);
    if (it == keys.end()) return kFileNotFound;
    ++opens;
    opened = kFirstHandle + static_cast<RegistryKey>(open_paths_.size());
    open_paths_.push_back(path);
    return kRegistrySuccess;
  }
  std::int32_t QueryValueEx(RegistryKey key, const std::string& value_name, std::uint32_t& type,
                            std::span<char> buffer, std::uint32_t& size) override {
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
    return kRegistrySuccess;
  }

  static constexpr std::int32_t kFileNotFound = 2;
  static constexpr std::int32_t kMoreData = 234;
  static constexpr RegistryKey kFirstHandle = 0x100;

 private:
  std::vector<std::string> open_paths_;
};

struct ShellCall {
  WindowHandle owner;
  std::string verb;
  std::string file;
  std::optional<std::string> parameters;
  std::optional<std::string> directory;
  std::int32_t show;
};

class FakeShell : public Shell {
 public:
  std::intptr_t result = 42;
  std::vector<ShellCall> calls;
  std::intptr_t ShellExecute(WindowHandle owner, const std::string& verb, const std::string& file,
                             const std::optional<std::string>& parameters,
                             const std::optional<std::string>& directory,
                             std::int32_t show) override {
    calls.push_back({owner, verb, file, parameters, directory, show});
    return result;
  }
};

class FakeLauncher : public ProgramLauncher {
 public:
  std::vector<std::string> existing_files;
  bool start_succeeds = true;
  std::vector<std::pair<std::string, std::int32_t>> started;
  std::vector<std::string> queried;

  bool FileExists(const std::string& path) override {
    queried.push_back(path);
    for (const std::string& file : existing_files)
      if (file == path) return true;
    return false;
  }
  bool Start(const std::string& path, std::int32_t show) override {
    started.emplace_back(path, show);
    return start_succeeds;
  }
};

struct PlacementCall {
  WindowHandle window;
  std::intptr_t insert_after;
  int x, y, cx, cy;
  std::uint32_t flags;
};

class FakeWindowPlacement : public WindowPlacement {
 public:
  std::vector<PlacementCall> calls;
  bool SetWindowPos(WindowHandle window, std::intptr_t insert_after, int x, int y, int cx, int cy,
                    std::uint32_t flags) override {
    calls.push_back({window, insert_after, x, y, cx, cy, flags});
    return true;
  }
  // The last z-order request for a window, if any.
  std::optional<std::intptr_t> LastFor(WindowHandle window) const {
    for (auto it = calls.rbegin(); it != calls.rend(); ++it)
      if (it->window == window) return it->insert_after;
    return std::nullopt;
  }
};

class FakeSystemFacts : public SystemFacts {
 public:
  std::string executable = "ventrix";
  int year = 2026;
  std::string ExecutableBaseName() override { return executable; }
  int CurrentYear() override { return year; }
};

}  // namespace ventrix::testing
