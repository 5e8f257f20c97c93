# The About box's helpers live in the program library.
target_link_libraries(about_shell_test PRIVATE ventrix_program)
