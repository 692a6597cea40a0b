//===- dialogcommand.h - `korhost dialog [TITLE]`: a command's dialog -----===//
//
// Shows the dialog of a component command in a window: the command lays it
// out through the host's on-screen "IGuiUtil", is activated, and receives
// the widget events. --click presses buttons in order after activation;
// --screenshot saves a picture of the dialog and closes it without waiting
// for the user, so the dialog can be driven from scripts.
//
//===----------------------------------------------------------------------===//
#pragma once
#include <cstdio>
#include <string>
#include <vector>

namespace CLI {
class App;
}
class HostComponentManager;
class IComponentCommand;
class IGuiReceiver;

/// What `korhost dialog` is asked to do.
struct DialogRequest {
  std::string title = "Run Programmer Tests"; ///< The command's title.
  std::vector<std::string> clicks;            ///< Buttons to press, in order.
  std::string screenshot; ///< PNG to write; empty to wait instead.
};

/// The receiver of a command's dialog events: the command's answer to
/// "IGuiReceiver", else the command itself (every IComponentCommand is one).
IGuiReceiver *dialogReceiverOf(IComponentCommand &command);

/// Shows the dialog of `request.title`. Returns the exit status: 0 when
/// shown (and the screenshot written), 1 without a display or on-screen
/// dialogs, when the command is unavailable or the picture cannot be
/// written, 2 for an unknown title or button.
int runDialogCommand(HostComponentManager &manager,
                     const DialogRequest &request, FILE *out = stdout,
                     FILE *errors = stderr);

/// The `dialog` subcommand and the values it parsed.
class DialogSubcommand {
public:
  explicit DialogSubcommand(CLI::App &cli);
  bool chosen() const;
  int run(HostComponentManager &manager) const {
    return runDialogCommand(manager, request_);
  }

private:
  CLI::App *app_;
  DialogRequest request_;
};
