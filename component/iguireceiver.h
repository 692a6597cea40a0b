//===- iguireceiver.h - Events of a command's dialog ----------------------===//
#pragma once
#include "component/korclass.h"
#include <cstdint>

/// Receives the events of the widgets of a dialog, by widget number. Slots
/// whose events no command of this component handles keep the same
/// (widget, value) shape.
class IGuiReceiver : public virtual IKorUnknown {
  KOR_INTERFACE(IGuiReceiver)
  virtual void OnGuiEvent0(int32_t widget, int32_t value) = 0;
  /// Slot 1: a button or check box changed its state.
  virtual void OnButton(int32_t widget, int32_t state) = 0;
  /// Slot 2: the selection of a list changed.
  virtual void OnSelection(int32_t widget, int32_t selection) = 0;
  virtual void OnGuiEvent3(int32_t widget, int32_t value) = 0;
  virtual void OnGuiEvent4(int32_t widget, int32_t value) = 0;
  /// Slot 5: an integer field changed its value.
  virtual void OnIntegerValue(int32_t widget, int32_t value) = 0;
  virtual void OnGuiEvent6(int32_t widget, int32_t value) = 0;
  /// Slot 7: a widget sent a notification.
  virtual void OnNotify(int32_t widget, int32_t code) = 0;
  virtual void OnGuiEvent8(int32_t widget, int32_t value) = 0;
  virtual void OnGuiEvent9(int32_t widget, int32_t value) = 0;
  virtual void OnGuiEvent10(int32_t widget, int32_t value) = 0;
  virtual void OnGuiEvent11(int32_t widget, int32_t value) = 0;
  virtual void OnGuiEvent12(int32_t widget, int32_t value) = 0;
  virtual void OnGuiEvent13(int32_t widget, int32_t value) = 0;
  virtual void OnGuiEvent14(int32_t widget, int32_t value) = 0;
  virtual void OnGuiEvent15(int32_t widget, int32_t value) = 0;
  virtual void OnGuiEvent16(int32_t widget, int32_t value) = 0;
  virtual void OnGuiEvent17(int32_t widget, int32_t value) = 0;
  virtual void OnGuiEvent18(int32_t widget, int32_t value) = 0;
  virtual void OnGuiEvent19(int32_t widget, int32_t value) = 0;
};
