# Real windows under X (Xvfb with Mesa in the test command): what the window
# shows, read back through X, and input injected through XTEST.
find_package(X11 REQUIRED)
file(GLOB _x11_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/x11/*_test.cpp)
add_executable(test_display_x11 ${_x11_sources} ${CMAKE_CURRENT_LIST_DIR}/x11/x_server.cpp)
target_link_libraries(test_display_x11 PRIVATE zorblit_test_common GTest::gtest GTest::gtest_main X11::X11 X11::Xtst)
zorblit_warnings(test_display_x11)
gtest_discover_tests(test_display_x11 DISCOVERY_TIMEOUT 60 PROPERTIES LABELS display RUN_SERIAL TRUE)

# Many init/finish cycles; LeakSanitizer (in the sanitizer build) reports what
# the library left behind. Known leaks of the X and Mesa drivers are suppressed.
add_executable(test_display_cycles ${CMAKE_CURRENT_LIST_DIR}/x11/cycles_main.cpp)
target_link_libraries(test_display_cycles PRIVATE zorblit_static)
zorblit_warnings(test_display_cycles)
add_test(NAME display_init_finish_cycles COMMAND test_display_cycles)
set_tests_properties(display_init_finish_cycles PROPERTIES LABELS display RUN_SERIAL TRUE
  ENVIRONMENT "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_LIST_DIR}/x11/driver_leaks.supp:print_suppressions=0")
