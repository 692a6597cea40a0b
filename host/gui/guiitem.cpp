//===- guiitem.cpp - A list item of a korhost dialog ----------------------===//
#include "guiitem.h"
#include "hostservices.h"

KORHOST_SERVICE("IGuiItem",
                [](const HostOptions &) { return new HostGuiItem; });
