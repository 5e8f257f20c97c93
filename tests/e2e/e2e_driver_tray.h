#pragma once
// Driver verbs that stand in for the shell and the system, doing to the program what an
// Explorer restart, a session end or another instance does:
//
//   e2e_driver tray-remove       the notification area forgets the program's icon
//   e2e_driver taskbar-created   the "TaskbarCreated" broadcast of a task bar that came back
//   e2e_driver tray-present      exit 0 when the notification area holds the program's icon
//   e2e_driver tray-notify NAME [X Y]
//                                a notification of the icon as a shell of version 4 sends it
//                                (NAME: keyselect, contextmenu), X and Y the icon's corner
//   e2e_driver session-end-cancelled  WM_QUERYENDSESSION, then WM_ENDSESSION FALSE, to each of
//                                the program's windows; prints each answer to the query
//   e2e_driver session-end-close-app  the same with WM_ENDSESSION TRUE and ENDSESSION_CLOSEAPP,
//                                as Restart Manager closes a program
//   e2e_driver refusing-instance TITLE MS  an instance window (class and TITLE) that refuses
//                                every command, for MS milliseconds
//   e2e_driver elevated-instance TITLE AFTER MS  an instance still starting as an elevated one
//                                does under User Account Control: the mutex "Local\TITLE",
//                                which no other process may open, at once; its window (class
//                                and TITLE) after AFTER milliseconds, until MS; prints
//                                "REQUESTS|N", the requests its window was posted

#include <optional>
#include <string>
#include <vector>

// The verb's exit code, or nothing when the arguments name none of these verbs.
std::optional<int> RunTrayVerb(const std::vector<std::string>& args);
