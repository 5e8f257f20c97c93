#pragma once
// What the end-to-end driver and its hook inside ventrix.exe say to each other: the driver posts
// a registered message to the program's window; the hook, running on the program's own thread,
// reads the request file, acts, and writes the reply file.

namespace ventrix::e2e {

inline constexpr const char* kRequestMessage = "VentrixEndToEndRequest";
inline constexpr const char* kRequestFile = "C:\\ventrix-e2e\\request.txt";
inline constexpr const char* kReplyFile = "C:\\ventrix-e2e\\reply.txt";

// wParam of the request message.
inline constexpr unsigned kDumpMenu = 1;  // reply: the window's menu bar as it stands
inline constexpr unsigned kPickMenu = 2;  // request: an item caption; reply: "picked" or "missing"

}  // namespace ventrix::e2e
