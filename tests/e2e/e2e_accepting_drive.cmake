# The hook's stand-in for a drive that accepts every request, used by the README screenshots.
target_sources(e2e_hook PRIVATE ${CMAKE_CURRENT_LIST_DIR}/e2e_accepting_drive.cpp)
# The hook's stand-in for a notification area that refuses the program's next requests.
target_sources(e2e_hook PRIVATE ${CMAKE_CURRENT_LIST_DIR}/e2e_refusing_shell.cpp)
