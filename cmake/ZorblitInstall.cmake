# cmake --install: the header, both libraries, zorblit.pc and a CMake package
# (find_package(zorblit) gives zorblit::zorblit, and zorblit::zorblit_static).
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(ZORBLIT_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/zorblit)

install(TARGETS zorblit zorblit_static EXPORT zorblitTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(FILES include/zorblit.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(EXPORT zorblitTargets NAMESPACE zorblit:: DESTINATION ${ZORBLIT_CMAKE_DIR})

configure_package_config_file(cmake/zorblitConfig.cmake.in ${CMAKE_CURRENT_BINARY_DIR}/zorblitConfig.cmake
  INSTALL_DESTINATION ${ZORBLIT_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/zorblitConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/zorblitConfig.cmake ${CMAKE_CURRENT_BINARY_DIR}/zorblitConfigVersion.cmake
  DESTINATION ${ZORBLIT_CMAKE_DIR})

# The .pc file finds the prefix from its own place, so the tree can be moved.
file(RELATIVE_PATH ZORBLIT_PC_TO_PREFIX /${CMAKE_INSTALL_LIBDIR}/pkgconfig /)
configure_file(cmake/zorblit.pc.in ${CMAKE_CURRENT_BINARY_DIR}/zorblit.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/zorblit.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

# The Python package, with the way from it to the shared library.
set(ZORBLIT_PYTHON_DIR ${CMAKE_INSTALL_LIBDIR}/python3/site-packages CACHE STRING
  "Where cmake --install puts the Python package zorblit, relative to the prefix")
install(DIRECTORY python/zorblit DESTINATION ${ZORBLIT_PYTHON_DIR} PATTERN __pycache__ EXCLUDE)
file(RELATIVE_PATH ZORBLIT_PYTHON_TO_LIBRARY /${ZORBLIT_PYTHON_DIR}/zorblit
  /${CMAKE_INSTALL_LIBDIR}/libzorblit.so.${PROJECT_VERSION_MAJOR})
file(CONFIGURE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/python/_location.py
  CONTENT "LIBRARY_FROM_PACKAGE = \"@ZORBLIT_PYTHON_TO_LIBRARY@\"\n" @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/python/_location.py DESTINATION ${ZORBLIT_PYTHON_DIR}/zorblit)
