# Third-party code, built with its own warnings and linked statically.

# libpng and zlib serve only the toolkit. The native Linux build takes the system's libpng.
if(NOT WIN32)
  find_package(PNG REQUIRED)
  add_library(talon_png INTERFACE)
  target_link_libraries(talon_png INTERFACE PNG::PNG)
else()
  # zlib from the cross toolchain's sysroot, as a static archive.
  find_library(TALON_ZLIB_STATIC NAMES libz.a REQUIRED)
  find_path(TALON_ZLIB_INCLUDE zlib.h REQUIRED)
  set(ZLIB_LIBRARY ${TALON_ZLIB_STATIC} CACHE FILEPATH "" FORCE)
  set(ZLIB_INCLUDE_DIR ${TALON_ZLIB_INCLUDE} CACHE PATH "" FORCE)

  set(TALON_PNG_SOURCE ${PROJECT_SOURCE_DIR}/third_party/libpng)
  if(NOT EXISTS ${TALON_PNG_SOURCE}/png.h)
    message(FATAL_ERROR "libpng source missing: run scripts/setup.sh")
  endif()
  set(PNG_SHARED OFF CACHE BOOL "" FORCE)
  set(PNG_STATIC ON CACHE BOOL "" FORCE)
  set(PNG_EXECUTABLES OFF CACHE BOOL "" FORCE)
  set(PNG_TESTS OFF CACHE BOOL "" FORCE)
  set(PNG_HARDWARE_OPTIMIZATIONS OFF CACHE BOOL "" FORCE)
  set(SKIP_INSTALL_ALL ON CACHE BOOL "" FORCE)
  add_subdirectory(${TALON_PNG_SOURCE} ${CMAKE_BINARY_DIR}/third_party/libpng EXCLUDE_FROM_ALL)
  add_library(talon_png INTERFACE)
  target_link_libraries(talon_png INTERFACE png_static ${TALON_ZLIB_STATIC})
  target_include_directories(talon_png INTERFACE ${TALON_PNG_SOURCE}
                                                 ${CMAKE_BINARY_DIR}/third_party/libpng)
endif()

if(TALON_BUILD_TESTS)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/third_party/googletest EXCLUDE_FROM_ALL)
endif()
