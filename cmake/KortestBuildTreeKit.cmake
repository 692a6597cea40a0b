# The kit inside this build: a project added with add_subdirectory() (the
# examples) calls find_package(kortest) and kortest_add_test_component()
# exactly as it would against an installed kit, and gets this build's
# targets, headers and korhost instead.
add_library(kortest::framework ALIAS kortest_framework)
add_library(kortest::kortest ALIAS kortest)
# A component links the framework; the link to libkortest.so and the test
# discovery after its build need the module and korhost built first.
add_dependencies(kortest_framework kortest korhost)

include(CMakePackageConfigHelpers)
# find_package() looks in the redirects folder before anywhere else.
file(WRITE "${CMAKE_FIND_PACKAGE_REDIRECTS_DIR}/kortest-config.cmake"
"# kortest of the build tree ${CMAKE_BINARY_DIR}.
include(\"${CMAKE_SOURCE_DIR}/cmake/KortestComponent.cmake\")
include(\"${CMAKE_SOURCE_DIR}/cmake/KortestDiscoverTests.cmake\")
set(KORTEST_KORHOST \"${CMAKE_BINARY_DIR}/bin/korhost\")
")
write_basic_package_version_file(
  "${CMAKE_FIND_PACKAGE_REDIRECTS_DIR}/kortest-config-version.cmake"
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
