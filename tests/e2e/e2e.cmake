# The driver that acts on ventrix.exe from outside, and the hook it loads into the program to
# read and pick menu items (Wine keeps menus per process) and count the objects it holds.
add_executable(e2e_driver ${CMAKE_CURRENT_LIST_DIR}/e2e_driver.cpp)
target_include_directories(e2e_driver PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(e2e_driver PRIVATE ventrix_options)

add_library(e2e_hook SHARED ${CMAKE_CURRENT_LIST_DIR}/e2e_hook.cpp
                            ${CMAKE_CURRENT_LIST_DIR}/e2e_counts.cpp
                            ${CMAKE_CURRENT_LIST_DIR}/e2e_import_patch.cpp)
target_include_directories(e2e_hook PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(e2e_hook PRIVATE ventrix_options)
set_target_properties(e2e_hook PROPERTIES PREFIX "")
# Export the stdcall hook procedure under its plain name.
if(MINGW)
  target_link_options(e2e_hook PRIVATE -Wl,--kill-at)
endif()

# The tier runs on Linux: the Windows build under Wine on an X display.
if(CMAKE_CROSSCOMPILING)
add_test(NAME e2e.ventrix
         COMMAND ${CMAKE_CURRENT_LIST_DIR}/run-e2e.sh $<TARGET_FILE:ventrix>
                 $<TARGET_FILE:e2e_driver> $<TARGET_FILE:e2e_hook>
                 ${CMAKE_BINARY_DIR}/e2e)
set_tests_properties(e2e.ventrix PROPERTIES TIMEOUT 900)
endif()
