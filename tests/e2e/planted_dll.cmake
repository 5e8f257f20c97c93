# The DLL that the planted-DLL scenario copies beside ventrix.exe under system DLL names; it
# finds it beside the hook.
add_library(planted_dll SHARED ${CMAKE_CURRENT_LIST_DIR}/planted_dll.cpp)
set_target_properties(planted_dll PROPERTIES PREFIX "")
