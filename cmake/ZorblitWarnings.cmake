function(zorblit_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Wno-unused-parameter)
  if(ZORBLIT_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
    # GCC 12 for 64-bit Arm and 32-bit x86 reports impossible lengths (16 bytes
    # short of the address space) for memmove in a test loop it has unrolled at
    # -O3; it stays a warning there.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13
       AND CMAKE_SYSTEM_PROCESSOR MATCHES "^(aarch64|i686)$")
      target_compile_options(${target} PRIVATE -Wno-error=stringop-overflow)
    endif()
  endif()
endfunction()
