# Finds the packaged libraries the host and the tests use.
find_package(PkgConfig REQUIRED)
find_package(Threads REQUIRED)
find_package(LibXml2 REQUIRED)
find_package(ICU REQUIRED COMPONENTS uc i18n)
find_package(CLI11 CONFIG REQUIRED)
find_package(nlohmann_json CONFIG REQUIRED)
# SimpleIni reads korhost's settings file (Debian's build: its header and a
# library with the instantiated parsers, built with ICU conversions).
pkg_check_modules(SIMPLEINI REQUIRED IMPORTED_TARGET simpleini)
find_package(tinyobjloader CONFIG REQUIRED)

add_library(kortest_host_deps INTERFACE)
target_link_libraries(kortest_host_deps INTERFACE
  LibXml2::LibXml2 ICU::uc ICU::i18n CLI11::CLI11 nlohmann_json::nlohmann_json
  PkgConfig::SIMPLEINI tinyobjloader::tinyobjloader Threads::Threads ${CMAKE_DL_LIBS})

# Qt 6 Widgets draws korhost's dialogs when a display is present. Optional:
# without it korhost keeps its headless dialog services only.
find_package(Qt6 QUIET COMPONENTS Widgets Test)
if(Qt6Widgets_FOUND)
  set(KORTEST_QT_DEFAULT ON)
else()
  set(KORTEST_QT_DEFAULT OFF)
endif()
option(KORTEST_QT "Build korhost's on-screen dialogs (Qt 6 Widgets)" ${KORTEST_QT_DEFAULT})
if(KORTEST_QT AND NOT Qt6Widgets_FOUND)
  message(FATAL_ERROR "KORTEST_QT is ON but Qt 6 Widgets was not found (qt6-base-dev)")
endif()
