//===- dialogwindow.cpp - What korhost's on-screen dialog builder offers --===//
#include "host/gui/dialogwindow.h"
#include "host/cli/hostoptions.h"
#include "component/iguiutil.h"
#include <cstdlib>

namespace {
bool variableSet(const char *name) {
  const char *value = std::getenv(name);
  return value && *value;
}
} // namespace

bool hostHasDisplay() {
  return variableSet("DISPLAY") || variableSet("WAYLAND_DISPLAY") ||
         variableSet("QT_QPA_PLATFORM");
}

bool hostWantsWindows(const HostOptions &options) {
  return !options.headless && hostHasDisplay();
}

HostDialogWindow *hostDialogWindow(IGuiUtil *gui) {
  void *window = nullptr;
  if (gui)
    gui->QueryInterface(HostDialogWindow::kInterfaceName, &window);
  return static_cast<HostDialogWindow *>(window);
}
