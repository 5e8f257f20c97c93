#pragma once
// Driver verbs that stand in for the shell, doing to the program what an Explorer restart does:
//
//   e2e_driver tray-remove       the notification area forgets the program's icon
//   e2e_driver taskbar-created   the "TaskbarCreated" broadcast of a task bar that came back
//   e2e_driver tray-present      exit 0 when the notification area holds the program's icon
//   e2e_driver tray-notify NAME [X Y]
//                                a notification of the icon as a shell of version 4 sends it
//                                (NAME: keyselect, contextmenu), X and Y the icon's corner

#include <optional>
#include <string>
#include <vector>

// The verb's exit code, or nothing when the arguments name none of these verbs.
std::optional<int> RunTrayVerb(const std::vector<std::string>& args);
