# Installs what an author of a test component needs: korhost, the kortest
# component, the headers and static libraries a component links, and a CMake
# package (find_package(kortest)) with kortest_add_test_component() and
# kortest_discover_tests().
#
#   <prefix>/bin/korhost
#   <prefix>/lib/kortest/libkortest.so, korhost.ini   (korhost's default plugins)
#   <prefix>/lib/kortest/korhost_qt.so                (korhost's on-screen dialogs)
#   <prefix>/lib/libkorframe.a, libKorBasicTypes.a, libkorobject.a
#   <prefix>/include/kortest/...                       (same layout as the sources)
#   <prefix>/lib/cmake/kortest/                        (package configuration)
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(KORTEST_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/kortest)
set(KORTEST_INSTALL_PLUGINDIR ${CMAKE_INSTALL_LIBDIR}/kortest)

# What a test component compiles against and links: one target.
add_library(kortest_framework INTERFACE)
set_target_properties(kortest_framework PROPERTIES EXPORT_NAME framework)
target_link_libraries(kortest_framework INTERFACE korframe)
target_compile_features(kortest_framework INTERFACE cxx_std_20)
# Static libraries built for coverage need the coverage runtime at link time.
if(CMAKE_CXX_FLAGS MATCHES "--coverage")
  target_link_options(kortest_framework INTERFACE --coverage)
endif()

install(TARGETS korhost RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(KORTEST_QT)
  install(TARGETS korhost_qt LIBRARY DESTINATION ${KORTEST_INSTALL_PLUGINDIR})
endif()
install(TARGETS kortest EXPORT kortestTargets
  LIBRARY DESTINATION ${KORTEST_INSTALL_PLUGINDIR})
install(TARGETS korobject KorBasicTypes korframe kortest_framework
  EXPORT kortestTargets ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})

# Headers keep their source folders, so includes written from the repository
# root read the same in a test component built against the installed kit.
foreach(dir component frame KorBasicTypes)
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.h)
  install(FILES ${headers} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/kortest/${dir})
endforeach()

configure_file(${CMAKE_SOURCE_DIR}/cmake/korhost-installed.ini.in
  ${CMAKE_BINARY_DIR}/install/korhost.ini @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/install/korhost.ini
  DESTINATION ${KORTEST_INSTALL_PLUGINDIR})

install(EXPORT kortestTargets NAMESPACE kortest::
  DESTINATION ${KORTEST_INSTALL_CMAKEDIR})
configure_package_config_file(${CMAKE_SOURCE_DIR}/cmake/kortestConfig.cmake.in
  ${CMAKE_BINARY_DIR}/install/kortestConfig.cmake
  INSTALL_DESTINATION ${KORTEST_INSTALL_CMAKEDIR}
  PATH_VARS CMAKE_INSTALL_BINDIR)
write_basic_package_version_file(${CMAKE_BINARY_DIR}/install/kortestConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES
  ${CMAKE_BINARY_DIR}/install/kortestConfig.cmake
  ${CMAKE_BINARY_DIR}/install/kortestConfigVersion.cmake
  ${CMAKE_SOURCE_DIR}/cmake/KortestComponent.cmake
  ${CMAKE_SOURCE_DIR}/cmake/KortestDiscoverTests.cmake
  ${CMAKE_SOURCE_DIR}/cmake/KortestAddTests.cmake
  ${CMAKE_SOURCE_DIR}/cmake/KortestBracket.cmake
  ${CMAKE_SOURCE_DIR}/cmake/kortest_component.cpp.in
  ${CMAKE_SOURCE_DIR}/cmake/component.map
  DESTINATION ${KORTEST_INSTALL_CMAKEDIR})
