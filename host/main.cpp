//===- main.cpp - korhost: load components and run what they offer --------===//
#include "hostapp.h"
#include "infocommand.h"
#include <CLI/CLI.hpp>
#include <cstdio>
#include <filesystem>

namespace {
/// Fills in the defaults that depend on where korhost lives.
void applyDefaults(HostOptions &options) {
  options.binaryDir = hostBinaryDir();
  if (options.pluginDir.empty())
    options.pluginDir = options.binaryDir;
  if (options.configFile.empty()) {
    std::string beside = options.binaryDir + "/korhost.ini";
    if (std::filesystem::exists(beside))
      options.configFile = beside;
  }
}
} // namespace

int main(int argc, char **argv) {
  CLI::App cli{"korhost: loads component libraries and runs their commands, "
               "scripts and programmer tests"};
  cli.require_subcommand(1);
  HostOptions options;
  cli.add_option("--plugins", options.pluginDir,
                 "folder of component libraries (default: korhost's folder)");
  cli.add_option("--config", options.configFile,
                 "settings file (default: korhost.ini beside korhost)")
      ->check(CLI::ExistingFile);
  CLI::App *info =
      cli.add_subcommand("info", "list the loaded components and their classes");
  try {
    cli.parse(argc, argv);
  } catch (const CLI::ParseError &e) {
    int code = cli.exit(e);
    return code == 0 ? 0 : 2;
  }
  applyDefaults(options);
  try {
    HostApp app(options);
    app.start();
    if (*info)
      return runInfoCommand(app.manager());
  } catch (const HostError &e) {
    std::fprintf(stderr, "korhost: %s\n", e.message.c_str());
    return e.exitCode;
  }
  return 0;
}
