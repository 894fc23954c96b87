# cpack -G DEB in a build folder: one Debian package with what cmake --install
# puts in place (both libraries, the header, zorblit.pc, the CMake package).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME libzorblit)
set(CPACK_PACKAGE_VERSION ${ZORBLIT_VERSION})
set(CPACK_PACKAGE_CONTACT "the libzorblit developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "software 2D graphics with one output window, image readers and input state")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION libdevel)
# The run-time needs come from the shared library itself; the static library,
# zorblit.pc (Requires.private: sdl2) and the CMake package need SDL2's
# development files.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libsdl2-dev, pkg-config")
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/libzorblit RENAME copyright)
include(CPack)
