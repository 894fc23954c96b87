# Shared part of the cross toolchain files: Debian's cross compiler for
# ZORBLIT_CROSS_TRIPLET, the target's libraries from Debian's multiarch
# packages (dpkg --add-architecture), and qemu-user to run what gets built
# (CTest and test discovery go through CMAKE_CROSSCOMPILING_EMULATOR). The
# emulator needs no -L: the target's loader and libraries sit in the multiarch
# folders (and under qemu 7.2 with -L, a forked child never finishes exiting).
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_C_COMPILER ${ZORBLIT_CROSS_TRIPLET}-gcc)
set(CMAKE_CXX_COMPILER ${ZORBLIT_CROSS_TRIPLET}-g++)
set(CMAKE_LIBRARY_ARCHITECTURE ${ZORBLIT_MULTIARCH})
set(PKG_CONFIG_EXECUTABLE ${ZORBLIT_MULTIARCH}-pkg-config CACHE FILEPATH "pkg-config for the target")
set(CMAKE_CROSSCOMPILING_EMULATOR ${ZORBLIT_QEMU})

# Programs come from the host; libraries, headers and packages from the target's
# multiarch folders (CMAKE_LIBRARY_ARCHITECTURE) or the cross compiler's own.
set(CMAKE_FIND_ROOT_PATH /usr/${ZORBLIT_CROSS_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY BOTH)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE BOTH)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
