//===- guiitem.cpp - A list item of a korhost dialog ----------------------===//
#include "host/gui/guiitem.h"
#include "host/services/hostservices.h"

KORHOST_SERVICE("IGuiItem",
                [](const HostOptions &) { return new HostGuiItem; });
