# The public header states the version as numbers for C programs; it must say
# the same as ZORBLIT_VERSION, or the build stops here.
file(STRINGS ${PROJECT_SOURCE_DIR}/include/zorblit.h _version_lines
  REGEX "^#define ZORBLIT_VERSION_(MAJOR|MINOR|PATCH) ")
set(_header_version "")
foreach(_part MAJOR MINOR PATCH)
  set(_number "")
  foreach(_line ${_version_lines})
    if(_line MATCHES "^#define ZORBLIT_VERSION_${_part} +([0-9]+)")
      set(_number ${CMAKE_MATCH_1})
    endif()
  endforeach()
  list(APPEND _header_version "${_number}")
endforeach()
list(JOIN _header_version "." _header_version)
if(NOT _header_version STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "include/zorblit.h says version ${_header_version}, CMakeLists.txt ${ZORBLIT_VERSION}")
endif()
message(STATUS "zorblit: version ${ZORBLIT_VERSION}")
