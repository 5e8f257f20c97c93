# The DLL that the planted-DLL scenario copies beside ventrix.exe under system DLL names; it
# finds it beside the hook. Linked like the program (static runtime), so that it loads on its
# own wherever a search finds it: a DLL that needed libgcc's DLL would fail to load and leave
# no marker even where the search did reach the program's folder.
add_library(planted_dll SHARED ${CMAKE_CURRENT_LIST_DIR}/planted_dll.cpp)
target_link_libraries(planted_dll PRIVATE ventrix_options)
set_target_properties(planted_dll PROPERTIES PREFIX "")
