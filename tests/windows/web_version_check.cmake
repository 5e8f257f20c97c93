# The web version check against a local HTTP server (tests/wine/version_server.py): the
# ordinary cases and the hostile servers, one Wine process.
add_executable(web_version_check_wine ${CMAKE_CURRENT_LIST_DIR}/web_version_check_wine.cpp
               ${CMAKE_CURRENT_LIST_DIR}/web_version_check_hostile_wine.cpp
               ${CMAKE_CURRENT_LIST_DIR}/wine_main.cpp)
# The fixture asks the server for its counts over WinINet directly.
target_link_libraries(web_version_check_wine PRIVATE ventrix_win32 ventrix_test_support wininet
                      ventrix_options GTest::gtest GTest::gmock)
add_test(NAME wine.web_version_check
         COMMAND ${PROJECT_SOURCE_DIR}/tests/wine/with-version-server.sh
                 $<TARGET_FILE:web_version_check_wine>)
set_tests_properties(wine.web_version_check PROPERTIES
  ENVIRONMENT "WINEPREFIX=${VENTRIX_WINEPREFIX};VENTRIX_TEST_OUTPUT=${CMAKE_BINARY_DIR}/test-output"
  FIXTURES_REQUIRED wineprefix TIMEOUT 300)
