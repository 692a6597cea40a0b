//===- icomponentcommand.h - A command the host runs from a component -----===//
//
// The host runs component commands through IComponentCommand: the dialog
// events of IGuiReceiver (slots 0 to 19), then the command's own slots 20
// to 37. Under the Itanium ABI the table of IComponentCommand holds the two
// destructor entries of IGuiReceiver between its slots 19 and 20, so the
// command's own slot n sits at table index n + 2; the order is unchanged.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "component/iguireceiver.h"
#include "component/kortypes.h"

class IGuiUtil;
class IKorCommandContext;
class KorString;

/// Constants shared by the host and its commands; no operations.
class IComponentCommandEnum {
public:
  /// The kind both commands of this component report (slot 23).
  static constexpr uint32_t kComponentCommandKind = 3;
};

/// A host command: title, kind, availability, dialog and execution.
class IComponentCommand : public IGuiReceiver, public IComponentCommandEnum {
  KOR_INTERFACE(IComponentCommand)
  /// Slot 20: stores a host pointer the command gives back through its
  /// own slot 38.
  virtual void SetHostPointer(void *pointer) = 0;
  /// Slot 21: stores the GUI utility of the command's dialog (null when
  /// the dialog closes).
  virtual void SetGuiUtil(IGuiUtil *gui) = 0;
  /// Slot 22: the display title.
  virtual const KorString &Title() = 0;
  /// Slot 23: the command kind.
  virtual uint32_t Kind() = 0;
  /// Slot 24: whether the command can run in the given context.
  virtual bool IsAvailable(IKorCommandContext *context) = 0;
  virtual void Reserved25() = 0;
  /// Slot 26: lays out the command's dialog through the builder.
  virtual void LayoutDialog(IGuiUtil *builder) = 0;
  /// Slot 27: the host activated the dialog; false refuses.
  virtual bool Activate() = 0;
  virtual void Reserved28() = 0;
  /// Slot 29: runs the command; true on success.
  virtual bool Execute() = 0;
  virtual bool Reserved30() = 0;
  virtual bool Reserved31() = 0;
  virtual void Reserved32() = 0;
  virtual int32_t Reserved33() = 0;
  virtual bool Reserved34() = 0;
  virtual bool Reserved35() = 0;
  virtual bool Reserved36() = 0;
  virtual bool Reserved37() = 0;
};
