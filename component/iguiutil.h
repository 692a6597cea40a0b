//===- iguiutil.h - The host's dialog builder and its list items ----------===//
//
// A command lays out its dialog through the service "IGuiUtil": rows and
// groups of widgets, each addressed by a narrow name and a number, then
// reads and writes their values. The positions the component calls are
// declared with their roles; every other position up to the last one used
// (193) is reserved and answers 0.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "component/korclass.h"
#include "component/kortypes.h"
#include "component/korreservedslots.h"
#include <cstdint>

template <class T> class KorArray;

/// One item of a tree list (service name "IGuiItem"): a number and a text.
class IGuiItem : public virtual IKorUnknown {
  KOR_INTERFACE(IGuiItem)
  /// Slot 0: sets the item's number.
  virtual void SetNumber(int32_t number) = 0;
  /// Slot 1: the item's number.
  virtual int32_t Number() = 0;
  /// Slot 2: sets the item's text (a copy is kept).
  virtual void SetText(const KorWChar *text) = 0;
  /// Slot 3: the item's text.
  virtual const KorWChar *Text() = 0;
};

/// The host's dialog builder (service name "IGuiUtil").
class IGuiUtil : public virtual IKorUnknown {
  KOR_INTERFACE(IGuiUtil)
  KOR_RESERVED_SLOTS(0, 1)
  /// Slot 1: Sets the dialog's title.
  virtual void SetTitle(const KorWChar *title) = 0;
  /// Slot 2: Shows a save-file dialog starting in `directory` with `filter`;
  /// true with *fileName set (valid until the next call) when the user
  /// confirms.
  virtual bool GetSaveFileName(const KorWChar **fileName, int32_t *flags,
                               const KorWChar *directory,
                               const KorWChar *filter) = 0;
  KOR_RESERVED_SLOTS(3, 5)
  /// Slot 8: Opens a group with a caption.
  virtual void OpenGroup(const KorWChar *caption) = 0;
  KOR_RESERVED_SLOTS(9, 1)
  /// Slot 10: Opens a row.
  virtual void OpenRow() = 0;
  KOR_RESERVED_SLOTS(11, 1)
  /// Slot 12: Closes the row or group opened last.
  virtual void CloseGroup() = 0;
  KOR_RESERVED_SLOTS(13, 8)
  /// Slot 21: Adds a text (kind 0), integer (1) or real-number (2) field.
  virtual void AddField(const char *name, int32_t number, int32_t kind,
                        int32_t width) = 0;
  KOR_RESERVED_SLOTS(22, 2)
  /// Slot 24: Adds a label.
  virtual void AddLabel(const char *name, int32_t number, const KorWChar *text,
                        int32_t width) = 0;
  KOR_RESERVED_SLOTS(25, 3)
  /// Slot 28: Adds a choice list with a caption and `count` items.
  virtual void AddChoiceList(const char *name, int32_t number,
                             const KorWChar *caption,
                             const KorWChar *const *items, int32_t count,
                             int32_t flags) = 0;
  KOR_RESERVED_SLOTS(29, 2)
  /// Slot 31: Adds a button.
  virtual void AddButton(const char *name, int32_t number,
                         const KorWChar *text) = 0;
  KOR_RESERVED_SLOTS(32, 2)
  /// Slot 34: Adds a check box.
  virtual void AddCheckBox(const char *name, int32_t number,
                           const KorWChar *text) = 0;
  KOR_RESERVED_SLOTS(35, 8)
  /// Slot 43: Adds a multi-line text.
  virtual void AddMultiLineText(const char *name, int32_t number, int32_t width,
                                int32_t height) = 0;
  KOR_RESERVED_SLOTS(44, 2)
  /// Slot 46: Adds a tree list.
  virtual void AddTreeList(const char *name, int32_t number, int32_t width,
                           int32_t height) = 0;
  KOR_RESERVED_SLOTS(47, 13)
  /// Slot 60: Sets a real field's range and decimals.
  virtual void SetRealRange(const char *name, int32_t number, double minimum,
                            double maximum, int32_t decimals) = 0;
  /// Slot 61: Sets an integer field's range.
  virtual void SetIntegerRange(const char *name, int32_t number,
                               int32_t minimum, int32_t maximum) = 0;
  KOR_RESERVED_SLOTS(62, 2)
  /// Slot 64: Sets a real field's increment.
  virtual void SetRealIncrement(const char *name, int32_t number,
                                double step) = 0;
  KOR_RESERVED_SLOTS(65, 6)
  /// Slot 71: List option (meaning left to the host).
  virtual void ListOption71(const char *name, int32_t number,
                            int32_t value) = 0;
  KOR_RESERVED_SLOTS(72, 2)
  /// Slot 74: List option (meaning left to the host).
  virtual void ListOption74(const char *name, int32_t number,
                            int32_t value) = 0;
  /// Slot 75: List option (meaning left to the host).
  virtual void ListOption75(const char *name, int32_t number,
                            int32_t value) = 0;
  KOR_RESERVED_SLOTS(76, 6)
  /// Slot 82: Enables or disables a field; `code` tells the host why.
  virtual void EnableField(const char *name, int32_t number, bool enabled,
                           int32_t code) = 0;
  KOR_RESERVED_SLOTS(83, 4)
  /// Slot 87: The closing call of a layout.
  virtual void FinishLayout(int32_t code, int32_t reserved) = 0;
  KOR_RESERVED_SLOTS(88, 28)
  /// Slot 116: Adds a list item under the item numbered `parent` (0: top
  /// level).
  virtual void AddListItem(const char *name, int32_t number, int32_t parent,
                           IGuiItem *item) = 0;
  KOR_RESERVED_SLOTS(117, 16)
  /// Slot 133: Sets a text.
  virtual void SetText(const char *name, int32_t number,
                       const KorWChar *text) = 0;
  KOR_RESERVED_SLOTS(134, 1)
  /// Slot 135: Sets the colour of the list item numbered `item`.
  virtual void SetItemColour(const char *name, int32_t number, int32_t item,
                             float red, float green, float blue,
                             float alpha) = 0;
  KOR_RESERVED_SLOTS(136, 2)
  /// Slot 138: Clears out, then appends the numbers of the selected list items.
  virtual void GetSelectedItems(const char *name, int32_t number,
                                KorArray<int32_t> &out) = 0;
  /// Slot 139: The selected index of a choice list (-1 for none).
  virtual int32_t GetChoiceIndex(const char *name, int32_t number) = 0;
  KOR_RESERVED_SLOTS(140, 18)
  /// Slot 158: Removes every item of a list.
  virtual void ClearList(const char *name, int32_t number) = 0;
  /// Slot 159: Sets a real field's value.
  virtual void SetRealValue(const char *name, int32_t number, double value) = 0;
  /// Slot 160: Sets an integer field's value.
  virtual void SetIntegerValue(const char *name, int32_t number,
                               int32_t value) = 0;
  KOR_RESERVED_SLOTS(161, 6)
  /// Slot 167: Whether a check box is checked.
  virtual bool GetCheck(const char *name, int32_t number) = 0;
  KOR_RESERVED_SLOTS(168, 5)
  /// Slot 173: Sets a label's colour.
  virtual void SetLabelColour(const char *name, int32_t number, float red,
                              float green, float blue, float alpha) = 0;
  KOR_RESERVED_SLOTS(174, 19)
  /// Slot 193: Sets a widget's tool tip.
  virtual void SetToolTip(const char *name, int32_t number,
                          const KorWChar *text) = 0;
};
