//===- dialogcommand.cpp - `korhost dialog [TITLE]`: a command's dialog ---===//
#include "host/cli/dialogcommand.h"
#include "host/cli/commandcommand.h"
#include "host/services/componentmanager.h"
#include "host/gui/dialogwindow.h"
#include "host/gui/screengui.h"
#include "component/iguiutil.h"
#include <CLI/CLI.hpp>

namespace {
/// The host's "IGuiUtil", or null.
IGuiUtil *hostGui(HostComponentManager &manager) {
  void *service = nullptr;
  if (manager.LookupService("IGuiUtil", &service) != 1)
    return nullptr;
  return static_cast<IGuiUtil *>(service);
}

/// Hands the dialog to the command and takes it back when done.
class OpenDialog {
public:
  OpenDialog(IComponentCommand &command, IGuiUtil &gui,
             HostDialogWindow &window)
      : command_(command), window_(window) {
    window_.setReceiver(dialogReceiverOf(command_));
    command_.SetGuiUtil(&gui);
  }
  ~OpenDialog() {
    command_.SetGuiUtil(nullptr);
    window_.setReceiver(nullptr);
    window_.closeDialog();
  }
  OpenDialog(const OpenDialog &) = delete;
  OpenDialog &operator=(const OpenDialog &) = delete;

private:
  IComponentCommand &command_;
  HostDialogWindow &window_;
};

/// Presses every requested button; the exit status (0 when all exist).
int pressButtons(HostDialogWindow &window, const DialogRequest &request,
                 FILE *errors) {
  for (const std::string &name : request.clicks)
    if (!window.clickButton(name)) {
      std::fprintf(errors, "korhost: no button \"%s\" in dialog \"%s\"\n",
                   name.c_str(), request.title.c_str());
      return 2;
    }
  return 0;
}

/// Shows the laid-out dialog, presses its buttons and then saves the
/// picture or waits for the user.
int driveDialog(HostDialogWindow &window, const DialogRequest &request,
                FILE *out, FILE *errors) {
  window.showDialog();
  std::fprintf(out, "dialog \"%s\": %d widgets\n", request.title.c_str(),
               window.widgetCount());
  std::fflush(out);
  if (int status = pressButtons(window, request, errors))
    return status;
  if (request.screenshot.empty()) {
    window.runUntilClosed();
    return 0;
  }
  if (!window.saveScreenshot(request.screenshot)) {
    std::fprintf(errors, "korhost: cannot write screenshot %s\n",
                 request.screenshot.c_str());
    return 1;
  }
  std::fprintf(out, "screenshot %s\n", request.screenshot.c_str());
  return 0;
}
} // namespace

IGuiReceiver *dialogReceiverOf(IComponentCommand &command) {
  void *receiver = nullptr;
  command.QueryInterface("IGuiReceiver", &receiver);
  if (receiver)
    return static_cast<IGuiReceiver *>(receiver);
  // The command base answers "IComponentCommand" only; that interface is a
  // receiver in its first twenty slots.
  return &command;
}

int runDialogCommand(HostComponentManager &manager,
                     const DialogRequest &request, FILE *out, FILE *errors) {
  if (!hostHasDisplay()) {
    std::fprintf(errors, "korhost: no display for the dialog: set DISPLAY or "
                         "WAYLAND_DISPLAY, or QT_QPA_PLATFORM=offscreen\n");
    return 1;
  }
  IPtr<IComponentCommand> command =
      findComponentCommand(manager, request.title);
  if (!command) {
    std::fprintf(errors, "korhost: no component command titled \"%s\"\n",
                 request.title.c_str());
    return 2;
  }
  std::string whyNot;
  IGuiUtil *gui = hostDrawingGui(hostGui(manager), whyNot);
  HostDialogWindow *window = hostDialogWindow(gui);
  if (!window) {
    std::fprintf(errors, "korhost: no on-screen dialogs in this korhost (%s)\n",
                 whyNot.c_str());
    return 1;
  }
  IPtr<HostCommandContext> context(new HostCommandContext);
  if (!command->IsAvailable(context.get())) {
    std::fprintf(errors, "korhost: command \"%s\" is not available\n",
                 request.title.c_str());
    return 1;
  }
  OpenDialog open(*command, *gui, *window);
  command->LayoutDialog(gui);
  if (!command->Activate()) {
    std::fprintf(errors, "korhost: command \"%s\" refused its dialog\n",
                 request.title.c_str());
    return 1;
  }
  return driveDialog(*window, request, out, errors);
}

DialogSubcommand::DialogSubcommand(CLI::App &cli)
    : app_(cli.add_subcommand(
          "dialog", "show a component command's dialog in a window")) {
  app_->add_option("title", request_.title,
                   "the command's title (default: \"Run Programmer Tests\")");
  app_->add_option("--click", request_.clicks,
                   "press the button of this name (or text) after "
                   "activation; repeatable, pressed in order")
      ->allow_extra_args(false);
  app_->add_option("--screenshot", request_.screenshot,
                   "save a PNG picture of the dialog to this file and close "
                   "it instead of waiting");
  app_->fallthrough();
}

bool DialogSubcommand::chosen() const { return app_->parsed(); }
