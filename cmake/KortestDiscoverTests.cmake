# kortest_discover_tests(<target> [KORHOST <path>] [TEST_PREFIX <prefix>]
#                        [EXTRA_ARGS <args>...] [PROPERTIES <name> <value>...]
#                        [DISCOVERY_TIMEOUT <seconds>])
#
# Registers one CTest test per programmer test of the test component
# <target> (made by kortest_add_test_component). After each build of the
# target, korhost lists the component's tests ("list --format json") and a
# generated file adds a test named <prefix><Suite.Test> for each; it runs
#   korhost --plugins <dir> --config <ini> run_programmer_tests --test <Suite.Test> <args>
# so that the console, the report and the counts cover that test alone. A
# disabled programmer test becomes a DISABLED CTest test (reported as not
# run). Unless EXTRA_ARGS choose a results formatter or router, failures
# are reported on the console (GenVisualStudioResultsFormatter through
# GenStdStreamsResultsRouter). PROPERTIES are set on every test. KORHOST
# defaults to the installed korhost of the package.
set_property(GLOBAL PROPERTY KORTEST_DISCOVER_DIR "${CMAKE_CURRENT_LIST_DIR}")

include("${CMAKE_CURRENT_LIST_DIR}/KortestBracket.cmake")

function(kortest_discover_tests target)
  cmake_parse_arguments(PARSE_ARGV 1 arg ""
    "KORHOST;TEST_PREFIX;DISCOVERY_TIMEOUT" "EXTRA_ARGS;PROPERTIES")
  if(NOT TARGET ${target})
    message(FATAL_ERROR "kortest_discover_tests: no target ${target}")
  endif()
  get_target_property(plugin_dir ${target} KORTEST_PLUGIN_DIR)
  get_target_property(config ${target} KORTEST_CONFIG)
  if(NOT plugin_dir OR NOT config)
    message(FATAL_ERROR "kortest_discover_tests: ${target} was not made by "
      "kortest_add_test_component")
  endif()
  if(NOT arg_KORHOST)
    set(arg_KORHOST "${KORTEST_KORHOST}")
  endif()
  if(NOT arg_DISCOVERY_TIMEOUT)
    set(arg_DISCOVERY_TIMEOUT 60)
  endif()

  # What the discovery script needs, written once here so that names and
  # arguments keep any character (semicolons and brackets included).
  set(base "${CMAKE_CURRENT_BINARY_DIR}/${target}")
  set(inputs "${base}_discovery.cmake")
  set(tests_file "${base}_tests.cmake")
  set(include_file "${base}_include.cmake")
  set(lines "")
  foreach(name KORHOST TEST_PREFIX DISCOVERY_TIMEOUT)
    _kortest_bracket(value "${arg_${name}}")
    string(APPEND lines "set(${name} ${value})\n")
  endforeach()
  foreach(dir_name plugin_dir config tests_file)
    string(TOUPPER "${dir_name}" name)
    _kortest_bracket(value "${${dir_name}}")
    string(APPEND lines "set(${name} ${value})\n")
  endforeach()
  foreach(list_name EXTRA_ARGS PROPERTIES)
    string(APPEND lines "set(${list_name})\n")
    foreach(item IN LISTS arg_${list_name})
      _kortest_bracket(value "${item}")
      string(APPEND lines "list(APPEND ${list_name} ${value})\n")
    endforeach()
  endforeach()
  file(WRITE "${inputs}" "${lines}")

  get_property(discover_dir GLOBAL PROPERTY KORTEST_DISCOVER_DIR)
  add_custom_command(TARGET ${target} POST_BUILD
    BYPRODUCTS "${tests_file}"
    COMMAND "${CMAKE_COMMAND}" -D "INPUTS=${inputs}"
      -P "${discover_dir}/KortestAddTests.cmake"
    VERBATIM)

  file(WRITE "${include_file}"
"if(EXISTS \"${tests_file}\")
  include(\"${tests_file}\")
else()
  add_test(${target}_NOT_BUILT ${target}_NOT_BUILT)
endif()
")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${include_file}")
endfunction()
