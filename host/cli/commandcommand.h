//===- commandcommand.h - `korhost command TITLE`: run a component command ===//
//
// Finds the command by its display title among the creatable classes of the
// loaded components that answer "IComponentCommand", asks whether it is
// available in the host's command context and then executes it. The save
// dialog answers the name given with --save-as without showing; without
// it the on-screen dialog asks the user and the headless one is cancelled.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "component/icomponentcommand.h"
#include "component/ikorcommandcontext.h"
#include "component/iptr.h"
#include <CLI/CLI.hpp>
#include <cstdio>
#include <optional>
#include <string>

class HostComponentManager;

/// The context korhost gives a command: never inside another command, and
/// the current model of the service "IKorDoc".
class HostCommandContext : public IKorCommandContext {
public:
  KOR_CLASS(HostCommandContext, IKorCommandContext)
  /// "inCommand" is never set; every other flag neither.
  bool GetFlag(const char *) override { return false; }
  IKorModelContainer *ModelContainer() override;
};

/// Creates the command titled `title` (UTF-8) from the loaded components;
/// empty when no creatable class is a command of that title.
IPtr<IComponentCommand> findComponentCommand(HostComponentManager &manager,
                                             const std::string &title);

/// Runs the command titled `title`; the save dialog answers `saveAs`, or
/// without it asks the user on screen and is cancelled headless. Returns the exit status: 0 when the command
/// ran and succeeded, 1 when it is unavailable or failed, 2 when no
/// command has that title.
int runComponentCommand(HostComponentManager &manager, const std::string &title,
                        const std::optional<std::string> &saveAs,
                        FILE *out = stdout, FILE *errors = stderr);

/// The `command` subcommand and the values it parsed.
class CommandSubcommand {
public:
  explicit CommandSubcommand(CLI::App &cli);
  bool chosen() const { return app_->parsed(); }
  int run(HostComponentManager &manager) const;

private:
  CLI::App *app_;
  std::string title_;
  std::string saveAs_;
};
