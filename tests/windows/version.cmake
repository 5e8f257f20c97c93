# One executable per Windows release, all from version_release.cpp: the test prefix tells each
# version_<release>_test.exe that it runs on <release>, and the build tells it what to expect.
foreach(release win95 win98 winme nt40 win2k winxp win2003 vista win7 win10)
  set(exe version_${release}_test)
  add_executable(${exe} ${CMAKE_CURRENT_LIST_DIR}/version_release.cpp
                 ${CMAKE_CURRENT_LIST_DIR}/wine_main.cpp)
  target_compile_definitions(${exe} PRIVATE VENTRIX_EXPECTED_RELEASE="${release}")
  target_link_libraries(${exe} PRIVATE ventrix_drive ventrix_win32 ventrix_test_support
                        ventrix_options GTest::gtest GTest::gmock)
  add_test(NAME wine.version_${release} COMMAND ${exe})
  set_tests_properties(wine.version_${release} PROPERTIES
    ENVIRONMENT "WINEPREFIX=${VENTRIX_WINEPREFIX};VENTRIX_TEST_OUTPUT=${CMAKE_BINARY_DIR}/test-output"
    FIXTURES_REQUIRED wineprefix TIMEOUT 300)
endforeach()
