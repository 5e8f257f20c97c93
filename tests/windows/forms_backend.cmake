# The forms backend test shows the program's icon (resource 1) and uses its manifest.
target_link_libraries(forms_backend_test PRIVATE ventrix_resources)
# The same executable runs the window cases of a change of DPI.
target_sources(forms_backend_test PRIVATE ${CMAKE_CURRENT_LIST_DIR}/forms_dpi.cpp)
