# Third-party libraries. Native builds use the system's packages; the Windows
# builds use the static libpng that tools/build-libpng-mingw.sh cross-builds
# and Debian's MinGW zlib, so each plug-in DLL stands alone.
if(WIN32)
  set(QUORVEX_DEPS_PREFIX "${CMAKE_SOURCE_DIR}/build/deps/${QUORVEX_MINGW_TRIPLE}"
      CACHE PATH "Cross-built dependencies")
  add_library(quorvex_png STATIC IMPORTED GLOBAL)
  set_target_properties(quorvex_png PROPERTIES
    IMPORTED_LOCATION "${QUORVEX_DEPS_PREFIX}/lib/libpng16.a"
    INTERFACE_INCLUDE_DIRECTORIES "${QUORVEX_DEPS_PREFIX}/include")
  find_library(QUORVEX_MINGW_ZLIB NAMES libz.a z REQUIRED)
  set_property(TARGET quorvex_png PROPERTY INTERFACE_LINK_LIBRARIES "${QUORVEX_MINGW_ZLIB}")
  if(QUORVEX_TESTS)
    # GoogleTest from the source Debian's googletest package ships.
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
    if(NOT TARGET GTest::gtest)
      add_library(GTest::gtest ALIAS gtest)
      add_library(GTest::gtest_main ALIAS gtest_main)
    endif()
  endif()
else()
  find_package(PNG REQUIRED)
  find_package(ZLIB REQUIRED)
  add_library(quorvex_png INTERFACE)
  target_link_libraries(quorvex_png INTERFACE PNG::PNG ZLIB::ZLIB)
  find_package(X11 REQUIRED)
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(SNDFILE REQUIRED IMPORTED_TARGET sndfile)
  find_package(Threads REQUIRED)
  if(QUORVEX_TESTS)
    find_package(GTest REQUIRED)
  endif()
  if(QUORVEX_BENCH)
    find_package(benchmark REQUIRED)
  endif()
endif()
