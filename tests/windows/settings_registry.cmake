# The settings round trip runs the program's own load and save over the real registry store.
target_link_libraries(settings_registry_test PRIVATE ventrix_program)
