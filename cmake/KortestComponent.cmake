# kortest_add_test_component(<name> COMPONENT_ID <GUID> SOURCES <files>...
#                            [PLUGIN_DIR <dir>])
#
# Builds the test component <name> as a library korhost loads
# (lib<name>.so, only EntryPoint exported) from sources that declare suites
# with KOR_TEST_SUITE/KOR_TEST and register each with KOR_REGISTER_SUITE.
# A generated source gives the component its name and identifier (the GUID
# as 8-4-4-4-12 hexadecimal digits, braces optional) and creates the
# registered suites when korhost hands over its manager.
#
# The library goes to PLUGIN_DIR (default: <build>/kortest-plugins) beside a
# link to the installed libkortest.so, and <build>/<name>.korhost.ini lists
# the component under [KorTest], so that
#   korhost --plugins <PLUGIN_DIR> --config <build>/<name>.korhost.ini run_programmer_tests
# runs its tests; <build> is the binary folder of the project() that calls
# the function. The target's properties KORTEST_PLUGIN_DIR and
# KORTEST_CONFIG hold both paths. Tests report their declaration files
# relative to the top of the source tree being built.
set_property(GLOBAL PROPERTY KORTEST_CMAKE_DIR "${CMAKE_CURRENT_LIST_DIR}")

function(kortest_add_test_component name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "COMPONENT_ID;PLUGIN_DIR" "SOURCES")
  if(NOT arg_COMPONENT_ID)
    message(FATAL_ERROR "kortest_add_test_component(${name}): COMPONENT_ID is required")
  endif()
  if(NOT arg_SOURCES)
    message(FATAL_ERROR "kortest_add_test_component(${name}): SOURCES is required")
  endif()
  set(h "[0-9A-Fa-f]")
  set(h4 "${h}${h}${h}${h}")
  string(REPLACE "{" "" guid "${arg_COMPONENT_ID}")
  string(REPLACE "}" "" guid "${guid}")
  if(NOT guid MATCHES "^${h4}${h4}-${h4}-${h4}-${h4}-${h4}${h4}${h4}$")
    message(FATAL_ERROR "kortest_add_test_component(${name}): COMPONENT_ID "
      "\"${arg_COMPONENT_ID}\" is not a GUID like 12345678-9ABC-DEF0-1234-56789ABCDEF0")
  endif()
  # Eleven fields: 32 bits, two times 16 bits, eight bytes.
  string(REPLACE "-" "" digits "${guid}")
  string(TOUPPER "${digits}" digits)
  string(SUBSTRING "${digits}" 0 8 field)
  set(fields "${field}")
  foreach(offset 8 12)
    string(SUBSTRING "${digits}" ${offset} 4 field)
    list(APPEND fields "${field}")
  endforeach()
  foreach(offset RANGE 16 30 2)
    string(SUBSTRING "${digits}" ${offset} 2 field)
    list(APPEND fields "${field}")
  endforeach()
  list(JOIN fields "," KORTEST_REGISTRY_VALUE)
  list(TRANSFORM fields PREPEND "0x")
  list(JOIN fields ", " KORTEST_GUID_ARGUMENTS)
  set(KORTEST_COMPONENT_NAME "${name}")

  get_property(cmake_dir GLOBAL PROPERTY KORTEST_CMAKE_DIR)
  set(entry "${CMAKE_CURRENT_BINARY_DIR}/${name}_component.cpp")
  configure_file("${cmake_dir}/kortest_component.cpp.in" "${entry}" @ONLY)

  if(arg_PLUGIN_DIR)
    get_filename_component(plugin_dir "${arg_PLUGIN_DIR}" ABSOLUTE
      BASE_DIR "${CMAKE_CURRENT_BINARY_DIR}")
  else()
    set(plugin_dir "${PROJECT_BINARY_DIR}/kortest-plugins")
  endif()
  set(config "${PROJECT_BINARY_DIR}/${name}.korhost.ini")

  add_library(${name} MODULE ${arg_SOURCES} "${entry}")
  target_link_libraries(${name} PRIVATE kortest::framework)
  set_target_properties(${name} PROPERTIES
    PREFIX "lib"
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON
    LIBRARY_OUTPUT_DIRECTORY "${plugin_dir}"
    KORTEST_PLUGIN_DIR "${plugin_dir}"
    KORTEST_CONFIG "${config}")
  # Test declarations report their file relative to the top source folder.
  target_compile_options(${name} PRIVATE "-ffile-prefix-map=${CMAKE_SOURCE_DIR}/=")
  target_link_options(${name} PRIVATE
    "-Wl,--version-script=${cmake_dir}/component.map" "-Wl,--no-undefined")
  set_property(TARGET ${name} APPEND PROPERTY LINK_DEPENDS "${cmake_dir}/component.map")
  # The test service lives in libkortest.so; korhost loads it from the same folder.
  add_custom_command(TARGET ${name} POST_BUILD
    COMMAND "${CMAKE_COMMAND}" -E create_symlink
      "$<TARGET_FILE:kortest::kortest>" "${plugin_dir}/libkortest.so"
    VERBATIM)

  file(CONFIGURE OUTPUT "${config}" CONTENT
"; korhost settings that run the tests of the component @name@:
;   korhost --plugins @plugin_dir@ --config @config@ run_programmer_tests
[KorTest]
@name@ = @KORTEST_REGISTRY_VALUE@
" @ONLY)
endfunction()
