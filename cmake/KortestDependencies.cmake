# Finds the packaged libraries the host and the tests use.
find_package(PkgConfig REQUIRED)
find_package(Threads REQUIRED)
find_package(LibXml2 REQUIRED)
find_package(ICU REQUIRED COMPONENTS uc i18n)
find_package(CLI11 CONFIG REQUIRED)
find_package(nlohmann_json CONFIG REQUIRED)
pkg_check_modules(INIH REQUIRED IMPORTED_TARGET inih)
find_package(tinyobjloader CONFIG REQUIRED)

add_library(kortest_host_deps INTERFACE)
target_link_libraries(kortest_host_deps INTERFACE
  LibXml2::LibXml2 ICU::uc ICU::i18n CLI11::CLI11 nlohmann_json::nlohmann_json
  PkgConfig::INIH tinyobjloader::tinyobjloader Threads::Threads ${CMAKE_DL_LIBS})
