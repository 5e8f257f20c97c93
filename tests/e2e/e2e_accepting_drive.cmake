# The hook's stand-ins for a drive: one that accepts every request (the README screenshots), and
# the counting drive with its tray questions and device events.
target_sources(e2e_hook PRIVATE ${CMAKE_CURRENT_LIST_DIR}/e2e_accepting_drive.cpp
                                ${CMAKE_CURRENT_LIST_DIR}/e2e_drive_events.cpp)
# The hook's stand-in for a notification area that refuses the program's next requests.
target_sources(e2e_hook PRIVATE ${CMAKE_CURRENT_LIST_DIR}/e2e_refusing_shell.cpp)
