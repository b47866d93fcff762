# quorvex_add_resources(<target> <resources-dir>)
# Builds the images listed in <resources-dir>/resources.txt (lines
# "<id> <file>", '#' starts a comment) into the target, each found at run
# time by id and type "PNG":
# - Windows: a generated .rc file compiled by windres into the library;
# - elsewhere: a generated .cpp holding the bytes and the table
#   quorvex_resource_table / quorvex_resource_count that
#   framework/platform/Resources.cpp searches.
# The same file runs in script mode (cmake -P) to write the .cpp at build
# time, so an edited image rebuilds the table.

# Reads the manifest into two parallel lists in the caller's scope.
function(_quorvex_read_manifest manifest out_ids out_files)
  get_filename_component(dir "${manifest}" DIRECTORY)
  file(STRINGS "${manifest}" lines)
  set(ids "")
  set(files "")
  foreach(line IN LISTS lines)
    string(STRIP "${line}" line)
    if(line STREQUAL "" OR line MATCHES "^#")
      continue()
    endif()
    if(NOT line MATCHES "^([0-9]+)[ \t]+(.+)$")
      message(FATAL_ERROR "${manifest}: cannot read line '${line}'")
    endif()
    set(id "${CMAKE_MATCH_1}")
    set(file "${CMAKE_MATCH_2}")
    if(NOT IS_ABSOLUTE "${file}")
      set(file "${dir}/${file}")
    endif()
    if(NOT EXISTS "${file}")
      message(FATAL_ERROR "${manifest}: resource ${id} names a missing file ${file}")
    endif()
    list(APPEND ids "${id}")
    list(APPEND files "${file}")
  endforeach()
  set(${out_ids} "${ids}" PARENT_SCOPE)
  set(${out_files} "${files}" PARENT_SCOPE)
endfunction()

function(_quorvex_write_resource_cpp manifest out)
  _quorvex_read_manifest("${manifest}" ids files)
  set(body "// Generated from ${manifest}; do not edit.\n")
  string(APPEND body "#include \"framework/platform/Resources.h\"\n\nnamespace {\n")
  set(table "")
  list(LENGTH ids count)
  if(count GREATER 0)
    math(EXPR last "${count} - 1")
    foreach(i RANGE ${last})
      list(GET ids ${i} id)
      list(GET files ${i} file)
      file(READ "${file}" hex HEX)
      string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
      string(REGEX REPLACE "((0x..,){24})" "\\1\n" bytes "${bytes}")
      string(APPEND body "const unsigned char resource${i}[] = {\n${bytes}};\n")
      string(APPEND table "    {${id}, \"PNG\", resource${i}, sizeof(resource${i})},\n")
    endforeach()
  endif()
  string(APPEND body "}  // namespace\n\n")
  if(count GREATER 0)
    string(APPEND body "extern \"C\" const QuorvexResourceEntry quorvex_resource_table[] = {\n${table}};\n")
  else()
    string(APPEND body "extern \"C\" const QuorvexResourceEntry quorvex_resource_table[1] = {{0, nullptr, nullptr, 0}};\n")
  endif()
  string(APPEND body "extern \"C\" const int quorvex_resource_count = ${count};\n")
  file(WRITE "${out}.tmp" "${body}")
  file(COPY_FILE "${out}.tmp" "${out}" ONLY_IF_DIFFERENT)
  file(REMOVE "${out}.tmp")
endfunction()

if(CMAKE_SCRIPT_MODE_FILE)
  _quorvex_write_resource_cpp("${QUORVEX_MANIFEST}" "${QUORVEX_OUTPUT}")
  return()
endif()

set(QUORVEX_RESOURCES_SCRIPT "${CMAKE_CURRENT_LIST_FILE}")

function(quorvex_add_resources target dir)
  get_filename_component(dir "${dir}" ABSOLUTE)
  set(manifest "${dir}/resources.txt")
  if(NOT EXISTS "${manifest}")
    message(FATAL_ERROR "quorvex_add_resources: ${manifest} does not exist")
  endif()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${manifest}")
  _quorvex_read_manifest("${manifest}" ids files)
  set(gen "${CMAKE_CURRENT_BINARY_DIR}/${target}_resources")

  if(WIN32)
    set(rc "")
    foreach(id file IN ZIP_LISTS ids files)
      string(APPEND rc "${id} PNG \"${file}\"\n")
    endforeach()
    file(CONFIGURE OUTPUT "${gen}.rc" CONTENT "${rc}")
    if(CMAKE_RC_COMPILER)
      set(windres "${CMAKE_RC_COMPILER}")
    else()
      find_program(windres NAMES ${QUORVEX_MINGW_TRIPLE}-windres windres REQUIRED)
    endif()
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
      set(format pe-i386)
    else()
      set(format pe-x86-64)
    endif()
    # windres straight to an object file, so the project need not enable
    # the RC language.
    add_custom_command(OUTPUT "${gen}.res.o"
      COMMAND "${windres}" --target=${format} -O coff -i "${gen}.rc" -o "${gen}.res.o"
      DEPENDS "${gen}.rc" ${files}
      COMMENT "Compiling the images of ${target}")
    set_source_files_properties("${gen}.res.o" PROPERTIES EXTERNAL_OBJECT TRUE GENERATED TRUE)
    target_sources(${target} PRIVATE "${gen}.res.o")
  else()
    add_custom_command(OUTPUT "${gen}.cpp"
      COMMAND "${CMAKE_COMMAND}" -DQUORVEX_MANIFEST=${manifest} -DQUORVEX_OUTPUT=${gen}.cpp
              -P "${QUORVEX_RESOURCES_SCRIPT}"
      DEPENDS "${manifest}" ${files} "${QUORVEX_RESOURCES_SCRIPT}"
      COMMENT "Embedding the images of ${target}")
    target_sources(${target} PRIVATE "${gen}.cpp")
    target_link_libraries(${target} PRIVATE vexil_platform)
  endif()
endfunction()
