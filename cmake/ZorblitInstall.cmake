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
  VERSION ${ZORBLIT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/zorblitConfig.cmake ${CMAKE_CURRENT_BINARY_DIR}/zorblitConfigVersion.cmake
  DESTINATION ${ZORBLIT_CMAKE_DIR})

# The .pc file finds the prefix from its own place, so the tree can be moved.
file(RELATIVE_PATH ZORBLIT_PC_TO_PREFIX /${CMAKE_INSTALL_LIBDIR}/pkgconfig /)
configure_file(cmake/zorblit.pc.in ${CMAKE_CURRENT_BINARY_DIR}/zorblit.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/zorblit.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
