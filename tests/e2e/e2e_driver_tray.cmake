# Driver verbs that stand in for the shell (an Explorer restart); they name the program's tray
# owner class and icon id from its own headers.
target_sources(e2e_driver PRIVATE ${CMAKE_CURRENT_LIST_DIR}/e2e_driver_tray.cpp)
target_include_directories(e2e_driver PRIVATE ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(e2e_driver PRIVATE shell32)
