#pragma once
// Stands in for a notification area that is not ready: the shell refuses the program's next
// requests (as at log-on, before the task bar takes icons), then takes them again.

namespace ventrix::e2e {

// The next `count` calls of the program's Shell_NotifyIconA fail without reaching the shell;
// false when the exe has no such import.
bool RefuseTrayRequests(int count);

}  // namespace ventrix::e2e
