# The forms backend test: one executable (one Wine start), one file per subject.
target_sources(forms_backend_test PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/forms_backend/sample_form.cpp
  ${CMAKE_CURRENT_LIST_DIR}/forms_backend/units_fonts_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/forms_backend/menus_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/forms_backend/controls_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/forms_backend/deferred_windows_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/forms_backend/placement_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/forms_backend/screenshot_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/forms_backend/accessibility_test.cpp)
# The accessibility cases run the program's own windows and ask them through oleacc.
target_link_libraries(forms_backend_test PRIVATE ventrix_program oleacc oleaut32 ole32)
# The forms backend test shows the program's icon (resource 1) and uses its manifest.
target_link_libraries(forms_backend_test PRIVATE ventrix_resources)
# The same executable runs the window cases of a change of DPI.
target_sources(forms_backend_test PRIVATE ${CMAKE_CURRENT_LIST_DIR}/forms_dpi.cpp)
