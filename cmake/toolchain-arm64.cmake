# 64-bit Arm: cmake -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-arm64.cmake
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(ZORBLIT_CROSS_TRIPLET aarch64-linux-gnu)
set(ZORBLIT_MULTIARCH aarch64-linux-gnu)
set(ZORBLIT_QEMU qemu-aarch64)
include(${CMAKE_CURRENT_LIST_DIR}/ZorblitCross.cmake)
