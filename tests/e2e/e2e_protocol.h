#pragma once
// What the end-to-end driver and its hook inside ventrix.exe say to each other: the driver posts
// a registered message to the program's window; the hook, running on the program's own thread,
// reads the request file, acts, and writes the reply file.

namespace ventrix::e2e {

inline constexpr const char* kRequestMessage = "VentrixEndToEndRequest";
inline constexpr const char* kRequestFile = "C:\\ventrix-e2e\\request.txt";
inline constexpr const char* kReplyFile = "C:\\ventrix-e2e\\reply.txt";

// The request file starts with a line naming the request; the driver posts the message until
// it sees a reply, so the hook answers each name once and ignores the repeats.

// wParam of the request message.
inline constexpr unsigned kDumpMenu = 1;  // reply: the window's menu bar as it stands
inline constexpr unsigned kPickMenu = 2;  // request: an item caption; reply: "picked" or "missing"
// request: a count, then two item captions; the two are picked in turn that many times.
// reply: "cycled|COUNT" and the window's child texts, or "missing|CAPTION|CYCLE"
inline constexpr unsigned kCycleMenu = 3;
// reply: one "COUNT|NAME|VALUE|HOW" line per kind of object the program holds
inline constexpr unsigned kCountObjects = 4;
// reply: "accepting" once the program's device requests all answer success, or
// "missing|DeviceIoControl"
inline constexpr unsigned kAcceptDeviceRequests = 5;
// reply: "refusing" once the program's registry opens under HKEY_LOCAL_MACHINE that ask for
// write access are refused, as for a standard user; or "missing|RegOpenKeyExA"
inline constexpr unsigned kRefuseMachineWrites = 6;
// request: a count; the program's next that many Shell_NotifyIconA calls fail.
// reply: "refusing|COUNT", or "missing|Shell_NotifyIconA"
inline constexpr unsigned kRefuseTrayRequests = 7;
// reply: "counting" once the program's device requests reach the counting drive (see
// e2e_accepting_drive.h), or "missing|IMPORT"
inline constexpr unsigned kCountDeviceRequests = 8;
// request: an event name (e2e_drive_events.h); the window the program registered for its drive's
// events gets that event. reply: "raised|LETTER", or "missing|registration"
inline constexpr unsigned kRaiseDeviceEvent = 11;

// Bounds on what a request may ask, so a wrong argument cannot hang the program.
inline constexpr int kMaxCycles = 100000;
inline constexpr int kMaxTrayRefusals = 1000;

}  // namespace ventrix::e2e
