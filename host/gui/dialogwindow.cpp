//===- dialogwindow.cpp - What korhost's on-screen dialog builder offers --===//
#include "dialogwindow.h"
#include "hostoptions.h"
#include "iguiutil.h"
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
  return dynamic_cast<HostDialogWindow *>(gui);
}
