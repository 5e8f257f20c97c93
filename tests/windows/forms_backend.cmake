# The forms backend test shows the program's icon (resource 1) and uses its manifest.
target_link_libraries(forms_backend_test PRIVATE ventrix_resources)
