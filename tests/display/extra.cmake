# Real windows under X (Xvfb with Mesa in the test command): what the window
# shows, read back through X, and input injected through XTEST.
find_package(X11 REQUIRED)
file(GLOB _x11_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/x11/*_test.cpp)
add_executable(test_display_x11 ${_x11_sources})
target_link_libraries(test_display_x11 PRIVATE zorblit_test_common GTest::gtest GTest::gtest_main X11::X11 X11::Xtst)
zorblit_warnings(test_display_x11)
# Known leaks of the X, D-Bus and Mesa client libraries, for LeakSanitizer.
set(ZORBLIT_DRIVER_LEAKS "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_LIST_DIR}/x11/driver_leaks.supp:print_suppressions=0")
# LeakSanitizer's end-of-run scan crashes in its own tracer while it stops
# Mesa's rendering threads (current Debian Mesa, OpenGL modes), so the window
# tests leave leak checking to the init/finish cycles below.
gtest_discover_tests(test_display_x11 DISCOVERY_TIMEOUT 60
  PROPERTIES LABELS display RUN_SERIAL TRUE ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0")

# Many init/finish cycles; LeakSanitizer (in the sanitizer build) reports what
# the library left behind.
add_executable(test_display_cycles ${CMAKE_CURRENT_LIST_DIR}/x11/cycles_main.cpp)
target_link_libraries(test_display_cycles PRIVATE zorblit_static)
zorblit_warnings(test_display_cycles)
add_test(NAME display_init_finish_cycles COMMAND test_display_cycles)
set_tests_properties(display_init_finish_cycles PROPERTIES LABELS display RUN_SERIAL TRUE
  ENVIRONMENT "${ZORBLIT_DRIVER_LEAKS}")
