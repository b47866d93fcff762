# Helpers every folder uses, so that adding a product, a test or a benchmark
# never means editing a shared list.

set(QUORVEX_EXPORTS_MAP "${CMAKE_CURRENT_LIST_DIR}/exports.map")
set(QUORVEX_EXPORTS_DEF "${CMAKE_CURRENT_LIST_DIR}/exports.def")

# quorvex_add_plugin(<name> SOURCES ... [LIBS ...])
# A VST 2 plug-in library exporting VSTPluginMain and main and nothing else.
function(quorvex_add_plugin name)
  cmake_parse_arguments(P "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} SHARED ${P_SOURCES})
  set_target_properties(${name} PROPERTIES PREFIX "" OUTPUT_NAME ${name}
    LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/plugins
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/plugins)
  target_link_libraries(${name} PRIVATE ${P_LIBS})
  if(WIN32)
    target_sources(${name} PRIVATE ${QUORVEX_EXPORTS_DEF})
    target_link_options(${name} PRIVATE -static -static-libgcc -static-libstdc++
      -Wl,--kill-at -Wl,--exclude-all-symbols)
  else()
    target_link_options(${name} PRIVATE
      -Wl,--version-script=${QUORVEX_EXPORTS_MAP} -Wl,--no-undefined
      -static-libstdc++ -static-libgcc)
    set_property(TARGET ${name} APPEND PROPERTY LINK_DEPENDS ${QUORVEX_EXPORTS_MAP})
  endif()
endfunction()

# quorvex_add_test(<name> SOURCES ... [LIBS ...])
# A GoogleTest executable registered with CTest; on the Windows builds CTest
# runs it under wine through the toolchain's emulator.
function(quorvex_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  if(WIN32)
    target_link_options(${name} PRIVATE -static -static-libgcc -static-libstdc++)
  endif()
  target_compile_definitions(${name} PRIVATE
    QUORVEX_PLUGIN_DIR="${CMAKE_BINARY_DIR}/plugins"
    QUORVEX_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  add_test(NAME ${name} COMMAND ${name})
  if(T_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${T_LABELS}")
  endif()
endfunction()

# quorvex_add_bench(<name> SOURCES ... [LIBS ...])
function(quorvex_add_bench name)
  cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${B_SOURCES})
  target_link_libraries(${name} PRIVATE ${B_LIBS} benchmark::benchmark benchmark::benchmark_main)
endfunction()

# Adds every direct subfolder of the current folder that has a CMakeLists.txt.
function(quorvex_add_subfolders)
  file(GLOB children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}
       ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT children)
  foreach(child ${children})
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()

# quorvex_add_resources: the images of a plug-in, found by id at run time.
include(${CMAKE_CURRENT_LIST_DIR}/QuorvexResources.cmake)
