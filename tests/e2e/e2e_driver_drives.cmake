# Driver verbs that stand in for the system when drives and discs come and go.
target_sources(e2e_driver PRIVATE ${CMAKE_CURRENT_LIST_DIR}/e2e_driver_drives.cpp)
