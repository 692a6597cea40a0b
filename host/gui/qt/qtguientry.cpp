//===- qtguientry.cpp - The Qt module's entry: korhost's on-screen GUI ----===//
#include "host/gui/qt/qtgui.h"
#include "host/gui/qtguimodule.h"

IGuiUtil *korhostQtGui() { return new HostQtGui; }
