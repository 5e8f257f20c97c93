# The tray icon test loads the program's icon and menu bitmaps from its own resources.
target_link_libraries(tray_icon_test PRIVATE ventrix_resources)
