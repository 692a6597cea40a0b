//===- dialogbuilder.h - What korhost's own dialog builders add -----------===//
//
// Every IGuiUtil korhost offers (headless or on screen) is also a
// HostDialogBuilder, so the host's file-name field can place itself in
// whichever dialog a command lays out. A builder answers the query for
// "HostDialogBuilder", which works the same for a builder made in korhost
// and one made in its Qt module.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "component/korclass.h"
#include <cstdint>

class HostFileNameWidget;

/// The host-side operations of a korhost dialog builder.
class HostDialogBuilder {
  KOR_INTERFACE(HostDialogBuilder)
  virtual ~HostDialogBuilder() = default;
  /// Places `field`, keyed by `name` and `number`, in the row open now.
  virtual void addFileNameField(const char *name, int32_t number,
                                int32_t width, HostFileNameWidget &field) = 0;
};
