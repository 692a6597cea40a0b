//===- ifilenamewidget.h - The host's file-name field of a dialog ---------===//
#pragma once
#include "component/korclass.h"
#include "component/kortypes.h"
#include <cstdint>

class IGuiUtil;

/// A file-name field with a browse button (service name
/// "IFileNameWidgetV2").
class IFileNameWidgetV2 : public virtual IKorUnknown {
  KOR_INTERFACE(IFileNameWidgetV2)
  /// Slot 0: the filter of the browse dialog, such as "All Files (*.*)".
  virtual void SetFilter(const KorWChar *filter) = 0;
  /// Slot 1: shows a file name in the field (a copy is kept).
  virtual void SetFileName(const KorWChar *fileName) = 0;
  /// Slot 2: the file name in the field; valid until the field changes.
  virtual const KorWChar *GetFileName() = 0;
  /// Slot 3: places the field, keyed by `name` and `number`, in the row
  /// open in `gui`; a host places only into a dialog builder of its own.
  /// The host notifies the dialog's receiver with (number, 0) when the
  /// user changes the name.
  virtual void AddToDialog(IGuiUtil *gui, const char *name, int32_t number,
                           int32_t width) = 0;
};
