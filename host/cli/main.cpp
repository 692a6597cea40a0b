//===- main.cpp - korhost: load components and run what they offer --------===//
//
// The global options are read first, because the plugin folder decides
// which scripts exist (and --version needs no component at all); then
// korhost loads the components, builds one subcommand per offered script
// and parses the whole command line. Exit status: 0 success, 2 usage
// errors, 3 a component library that cannot be loaded; a test run has its
// own statuses (exitstatus.h).
//
//===----------------------------------------------------------------------===//
#include "host/cli/commandcommand.h"
#include "host/cli/dialogcommand.h"
#include "host/cli/hostapp.h"
#include "host/cli/infocommand.h"
#include "host/cli/listcommand.h"
#include "host/cli/meshinfocommand.h"
#include "host/cli/scriptcommand.h"
#include "host/services/productinfo.h"
#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace {
/// True when dir holds a component library (lib*.so).
bool holdsComponentLibrary(const std::string &dir) {
  std::error_code ec;
  for (const auto &entry : std::filesystem::directory_iterator(dir, ec)) {
    std::string file = entry.path().filename().string();
    if (file.starts_with("lib") && file.ends_with(".so"))
      return true;
  }
  return false;
}

/// The default folder of components and korhost.ini: korhost's own folder
/// in a build tree, <prefix>/lib/kortest for an installed <prefix>/bin/korhost.
std::string defaultPluginDir(const std::string &binaryDir) {
  std::filesystem::path installed =
      std::filesystem::path(binaryDir).parent_path() / "lib" / "kortest";
  if (!holdsComponentLibrary(binaryDir) &&
      holdsComponentLibrary(installed.string()))
    return installed.string();
  return binaryDir;
}

/// Fills in the defaults that depend on where korhost lives.
void applyDefaults(HostOptions &options) {
  options.binaryDir = hostBinaryDir();
  std::string defaultDir = defaultPluginDir(options.binaryDir);
  if (options.pluginDir.empty())
    options.pluginDir = defaultDir;
  if (options.configFile.empty()) {
    std::string beside = defaultDir + "/korhost.ini";
    if (std::filesystem::exists(beside))
      options.configFile = beside;
  }
}

void addGlobalOptions(CLI::App &cli, HostOptions &options) {
  // The version the installed kit's package version file checks.
  cli.set_version_flag("--version", hostProductText(),
                       "print korhost's version and exit");
  cli.add_option("--plugins", options.pluginDir,
                 "folder of component libraries (default: korhost's folder, "
                 "or ../lib/kortest when it holds none)");
  cli.add_option("--config", options.configFile,
                 "settings file (default: korhost.ini in the default "
                 "plugin folder)")
      ->check(CLI::ExistingFile);
  cli.add_option("--document", options.documentFile,
                 "Wavefront OBJ mesh opened as the current document");
  cli.add_flag("--headless", options.headless,
               "never open a window, even when a display is present");
}

/// Reads the global options alone; -1 to go on, else the exit status
/// (0 after --version).
int readGlobalOptions(int argc, char **argv, HostOptions &options) {
  CLI::App pre;
  pre.set_help_flag();
  pre.allow_extras();
  addGlobalOptions(pre, options);
  try {
    pre.parse(argc, argv);
  } catch (const CLI::ParseError &e) {
    return pre.exit(e) == 0 ? 0 : 2;
  }
  return -1;
}

int runCommandLine(HostApp &app, int argc, char **argv) {
  CLI::App cli{"korhost: loads component libraries and runs their commands, "
               "scripts and programmer tests"};
  cli.require_subcommand(1);
  HostOptions ignored;
  addGlobalOptions(cli, ignored);
  CLI::App *info = cli.add_subcommand(
      "info", "list the loaded components and their classes");
  ListOptions listOptions;
  CLI::App *list = addListSubcommand(cli, listOptions);
  CommandSubcommand command(cli);
  DialogSubcommand dialog(cli);
  MeshInfoSubcommand meshInfo(cli);
  std::vector<OfferedScript> offered = findOfferedScripts(app.manager());
  ScriptSubcommands scripts(cli, offered);
  if (std::any_of(offered.begin(), offered.end(), [](const OfferedScript &s) {
        return s.name() == kTestScriptName;
      }))
    cli.footer(kExitStatusHelp);
  try {
    cli.parse(argc, argv);
  } catch (const CLI::ParseError &e) {
    return cli.exit(e) == 0 ? 0 : 2;
  }
  if (*info)
    return runInfoCommand(app.manager());
  if (*list)
    return runListCommand(listOptions);
  if (command.chosen())
    return command.run(app.manager());
  if (dialog.chosen())
    return dialog.run(app.manager());
  if (meshInfo.chosen())
    return meshInfo.run();
  return scripts.run();
}
} // namespace

int main(int argc, char **argv) {
  HostOptions options;
  if (int status = readGlobalOptions(argc, argv, options); status >= 0)
    return status;
  applyDefaults(options);
  try {
    HostApp app(options);
    app.start();
    return runCommandLine(app, argc, argv);
  } catch (const HostError &e) {
    std::fprintf(stderr, "korhost: %s\n", e.message.c_str());
    return e.exitCode;
  }
}
