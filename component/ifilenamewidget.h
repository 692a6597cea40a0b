//===- ifilenamewidget.h - The host's file-name field of a dialog ---------===//
#pragma once
#include "korclass.h"
#include "kortypes.h"

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
};
