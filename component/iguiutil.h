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
  virtual int Reserved0() { return 0; }
  /// Slot 1: Sets the dialog's title.
  virtual void SetTitle(const KorWChar *title) = 0;
  /// Slot 2: Shows a save-file dialog starting in `directory` with `filter`;
  /// true with *fileName set (valid until the next call) when the user
  /// confirms.
  virtual bool GetSaveFileName(const KorWChar **fileName, int32_t *flags,
                               const KorWChar *directory,
                               const KorWChar *filter) = 0;
  virtual int Reserved3() { return 0; }
  virtual int Reserved4() { return 0; }
  virtual int Reserved5() { return 0; }
  virtual int Reserved6() { return 0; }
  virtual int Reserved7() { return 0; }
  /// Slot 8: Opens a group with a caption.
  virtual void OpenGroup(const KorWChar *caption) = 0;
  virtual int Reserved9() { return 0; }
  /// Slot 10: Opens a row.
  virtual void OpenRow() = 0;
  virtual int Reserved11() { return 0; }
  /// Slot 12: Closes the row or group opened last.
  virtual void CloseGroup() = 0;
  virtual int Reserved13() { return 0; }
  virtual int Reserved14() { return 0; }
  virtual int Reserved15() { return 0; }
  virtual int Reserved16() { return 0; }
  virtual int Reserved17() { return 0; }
  virtual int Reserved18() { return 0; }
  virtual int Reserved19() { return 0; }
  virtual int Reserved20() { return 0; }
  /// Slot 21: Adds a text (kind 0), integer (1) or real-number (2) field.
  virtual void AddField(const char *name, int32_t number, int32_t kind,
                        int32_t width) = 0;
  virtual int Reserved22() { return 0; }
  virtual int Reserved23() { return 0; }
  /// Slot 24: Adds a label.
  virtual void AddLabel(const char *name, int32_t number, const KorWChar *text,
                        int32_t width) = 0;
  virtual int Reserved25() { return 0; }
  virtual int Reserved26() { return 0; }
  virtual int Reserved27() { return 0; }
  /// Slot 28: Adds a choice list with a caption and `count` items.
  virtual void AddChoiceList(const char *name, int32_t number,
                             const KorWChar *caption,
                             const KorWChar *const *items, int32_t count,
                             int32_t flags) = 0;
  virtual int Reserved29() { return 0; }
  virtual int Reserved30() { return 0; }
  /// Slot 31: Adds a button.
  virtual void AddButton(const char *name, int32_t number,
                         const KorWChar *text) = 0;
  virtual int Reserved32() { return 0; }
  virtual int Reserved33() { return 0; }
  /// Slot 34: Adds a check box.
  virtual void AddCheckBox(const char *name, int32_t number,
                           const KorWChar *text) = 0;
  virtual int Reserved35() { return 0; }
  virtual int Reserved36() { return 0; }
  virtual int Reserved37() { return 0; }
  virtual int Reserved38() { return 0; }
  virtual int Reserved39() { return 0; }
  virtual int Reserved40() { return 0; }
  virtual int Reserved41() { return 0; }
  virtual int Reserved42() { return 0; }
  /// Slot 43: Adds a multi-line text.
  virtual void AddMultiLineText(const char *name, int32_t number, int32_t width,
                                int32_t height) = 0;
  virtual int Reserved44() { return 0; }
  virtual int Reserved45() { return 0; }
  /// Slot 46: Adds a tree list.
  virtual void AddTreeList(const char *name, int32_t number, int32_t width,
                           int32_t height) = 0;
  virtual int Reserved47() { return 0; }
  virtual int Reserved48() { return 0; }
  virtual int Reserved49() { return 0; }
  virtual int Reserved50() { return 0; }
  virtual int Reserved51() { return 0; }
  virtual int Reserved52() { return 0; }
  virtual int Reserved53() { return 0; }
  virtual int Reserved54() { return 0; }
  virtual int Reserved55() { return 0; }
  virtual int Reserved56() { return 0; }
  virtual int Reserved57() { return 0; }
  virtual int Reserved58() { return 0; }
  virtual int Reserved59() { return 0; }
  /// Slot 60: Sets a real field's range and decimals.
  virtual void SetRealRange(const char *name, int32_t number, double minimum,
                            double maximum, int32_t decimals) = 0;
  /// Slot 61: Sets an integer field's range.
  virtual void SetIntegerRange(const char *name, int32_t number,
                               int32_t minimum, int32_t maximum) = 0;
  virtual int Reserved62() { return 0; }
  virtual int Reserved63() { return 0; }
  /// Slot 64: Sets a real field's increment.
  virtual void SetRealIncrement(const char *name, int32_t number,
                                double step) = 0;
  virtual int Reserved65() { return 0; }
  virtual int Reserved66() { return 0; }
  virtual int Reserved67() { return 0; }
  virtual int Reserved68() { return 0; }
  virtual int Reserved69() { return 0; }
  virtual int Reserved70() { return 0; }
  /// Slot 71: List option (meaning left to the host).
  virtual void ListOption71(const char *name, int32_t number,
                            int32_t value) = 0;
  virtual int Reserved72() { return 0; }
  virtual int Reserved73() { return 0; }
  /// Slot 74: List option (meaning left to the host).
  virtual void ListOption74(const char *name, int32_t number,
                            int32_t value) = 0;
  /// Slot 75: List option (meaning left to the host).
  virtual void ListOption75(const char *name, int32_t number,
                            int32_t value) = 0;
  virtual int Reserved76() { return 0; }
  virtual int Reserved77() { return 0; }
  virtual int Reserved78() { return 0; }
  virtual int Reserved79() { return 0; }
  virtual int Reserved80() { return 0; }
  virtual int Reserved81() { return 0; }
  /// Slot 82: Enables or disables a field; `code` tells the host why.
  virtual void EnableField(const char *name, int32_t number, bool enabled,
                           int32_t code) = 0;
  virtual int Reserved83() { return 0; }
  virtual int Reserved84() { return 0; }
  virtual int Reserved85() { return 0; }
  virtual int Reserved86() { return 0; }
  /// Slot 87: The closing call of a layout.
  virtual void FinishLayout(int32_t code, int32_t reserved) = 0;
  virtual int Reserved88() { return 0; }
  virtual int Reserved89() { return 0; }
  virtual int Reserved90() { return 0; }
  virtual int Reserved91() { return 0; }
  virtual int Reserved92() { return 0; }
  virtual int Reserved93() { return 0; }
  virtual int Reserved94() { return 0; }
  virtual int Reserved95() { return 0; }
  virtual int Reserved96() { return 0; }
  virtual int Reserved97() { return 0; }
  virtual int Reserved98() { return 0; }
  virtual int Reserved99() { return 0; }
  virtual int Reserved100() { return 0; }
  virtual int Reserved101() { return 0; }
  virtual int Reserved102() { return 0; }
  virtual int Reserved103() { return 0; }
  virtual int Reserved104() { return 0; }
  virtual int Reserved105() { return 0; }
  virtual int Reserved106() { return 0; }
  virtual int Reserved107() { return 0; }
  virtual int Reserved108() { return 0; }
  virtual int Reserved109() { return 0; }
  virtual int Reserved110() { return 0; }
  virtual int Reserved111() { return 0; }
  virtual int Reserved112() { return 0; }
  virtual int Reserved113() { return 0; }
  virtual int Reserved114() { return 0; }
  virtual int Reserved115() { return 0; }
  /// Slot 116: Adds a list item under the item numbered `parent` (0: top
  /// level).
  virtual void AddListItem(const char *name, int32_t number, int32_t parent,
                           IGuiItem *item) = 0;
  virtual int Reserved117() { return 0; }
  virtual int Reserved118() { return 0; }
  virtual int Reserved119() { return 0; }
  virtual int Reserved120() { return 0; }
  virtual int Reserved121() { return 0; }
  virtual int Reserved122() { return 0; }
  virtual int Reserved123() { return 0; }
  virtual int Reserved124() { return 0; }
  virtual int Reserved125() { return 0; }
  virtual int Reserved126() { return 0; }
  virtual int Reserved127() { return 0; }
  virtual int Reserved128() { return 0; }
  virtual int Reserved129() { return 0; }
  virtual int Reserved130() { return 0; }
  virtual int Reserved131() { return 0; }
  virtual int Reserved132() { return 0; }
  /// Slot 133: Sets a text.
  virtual void SetText(const char *name, int32_t number,
                       const KorWChar *text) = 0;
  virtual int Reserved134() { return 0; }
  /// Slot 135: Sets the colour of the list item numbered `item`.
  virtual void SetItemColour(const char *name, int32_t number, int32_t item,
                             float red, float green, float blue,
                             float alpha) = 0;
  virtual int Reserved136() { return 0; }
  virtual int Reserved137() { return 0; }
  /// Slot 138: Clears out, then appends the numbers of the selected list items.
  virtual void GetSelectedItems(const char *name, int32_t number,
                                KorArray<int32_t> &out) = 0;
  /// Slot 139: The selected index of a choice list (-1 for none).
  virtual int32_t GetChoiceIndex(const char *name, int32_t number) = 0;
  virtual int Reserved140() { return 0; }
  virtual int Reserved141() { return 0; }
  virtual int Reserved142() { return 0; }
  virtual int Reserved143() { return 0; }
  virtual int Reserved144() { return 0; }
  virtual int Reserved145() { return 0; }
  virtual int Reserved146() { return 0; }
  virtual int Reserved147() { return 0; }
  virtual int Reserved148() { return 0; }
  virtual int Reserved149() { return 0; }
  virtual int Reserved150() { return 0; }
  virtual int Reserved151() { return 0; }
  virtual int Reserved152() { return 0; }
  virtual int Reserved153() { return 0; }
  virtual int Reserved154() { return 0; }
  virtual int Reserved155() { return 0; }
  virtual int Reserved156() { return 0; }
  virtual int Reserved157() { return 0; }
  /// Slot 158: Removes every item of a list.
  virtual void ClearList(const char *name, int32_t number) = 0;
  /// Slot 159: Sets a real field's value.
  virtual void SetRealValue(const char *name, int32_t number, double value) = 0;
  /// Slot 160: Sets an integer field's value.
  virtual void SetIntegerValue(const char *name, int32_t number,
                               int32_t value) = 0;
  virtual int Reserved161() { return 0; }
  virtual int Reserved162() { return 0; }
  virtual int Reserved163() { return 0; }
  virtual int Reserved164() { return 0; }
  virtual int Reserved165() { return 0; }
  virtual int Reserved166() { return 0; }
  /// Slot 167: Whether a check box is checked.
  virtual bool GetCheck(const char *name, int32_t number) = 0;
  virtual int Reserved168() { return 0; }
  virtual int Reserved169() { return 0; }
  virtual int Reserved170() { return 0; }
  virtual int Reserved171() { return 0; }
  virtual int Reserved172() { return 0; }
  /// Slot 173: Sets a label's colour.
  virtual void SetLabelColour(const char *name, int32_t number, float red,
                              float green, float blue, float alpha) = 0;
  virtual int Reserved174() { return 0; }
  virtual int Reserved175() { return 0; }
  virtual int Reserved176() { return 0; }
  virtual int Reserved177() { return 0; }
  virtual int Reserved178() { return 0; }
  virtual int Reserved179() { return 0; }
  virtual int Reserved180() { return 0; }
  virtual int Reserved181() { return 0; }
  virtual int Reserved182() { return 0; }
  virtual int Reserved183() { return 0; }
  virtual int Reserved184() { return 0; }
  virtual int Reserved185() { return 0; }
  virtual int Reserved186() { return 0; }
  virtual int Reserved187() { return 0; }
  virtual int Reserved188() { return 0; }
  virtual int Reserved189() { return 0; }
  virtual int Reserved190() { return 0; }
  virtual int Reserved191() { return 0; }
  virtual int Reserved192() { return 0; }
  /// Slot 193: Sets a widget's tool tip.
  virtual void SetToolTip(const char *name, int32_t number,
                          const KorWChar *text) = 0;
};
