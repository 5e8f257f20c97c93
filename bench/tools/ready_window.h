#pragma once
// Finds a program's main window by what the user sees: a visible top-level window of the
// process with a child control showing the given text.

#include <windows.h>

#include <string>

namespace bench {

// The first visible top-level window of `process_id` with a child whose text is `text`, or
// nullptr. Reads texts without sending messages, so the program's own thread is never asked
// to answer while it starts.
HWND FindWindowShowing(DWORD process_id, const std::string& text);

}  // namespace bench
