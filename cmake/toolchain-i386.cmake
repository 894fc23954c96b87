# 32-bit x86: cmake -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i386.cmake
set(CMAKE_SYSTEM_PROCESSOR i686)
set(ZORBLIT_CROSS_TRIPLET i686-linux-gnu)
set(ZORBLIT_MULTIARCH i386-linux-gnu)
set(ZORBLIT_QEMU qemu-i386)
include(${CMAKE_CURRENT_LIST_DIR}/ZorblitCross.cmake)
# Float arithmetic in SSE registers, as on the other processors. With the x87
# unit, sums are kept in 80-bit registers and rounded to float only when the
# compiler spills them, so the float walks of lines and triangles and the colour
# models would give other pixels, and which ones would change with inlining.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
