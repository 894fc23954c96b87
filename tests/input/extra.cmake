# Keyboard, mouse and window management on real windows under X (Xvfb in the
# test command), with the X helpers of the display tests.
find_package(X11 REQUIRED)
file(GLOB _input_x11_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/x11/*_test.cpp)
add_executable(test_input_x11 ${_input_x11_sources} ${PROJECT_SOURCE_DIR}/tests/display/x11/x_server.cpp)
target_include_directories(test_input_x11 PRIVATE ${PROJECT_SOURCE_DIR}/tests/display/x11)
target_link_libraries(test_input_x11 PRIVATE zorblit_test_common GTest::gtest GTest::gtest_main X11::X11 X11::Xtst)
zorblit_warnings(test_input_x11)
# Known leaks of the X, D-Bus and Mesa client libraries, for LeakSanitizer.
gtest_discover_tests(test_input_x11 DISCOVERY_TIMEOUT 60 PROPERTIES LABELS display RUN_SERIAL TRUE
  ENVIRONMENT "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/display/x11/driver_leaks.supp:print_suppressions=0")
