//===- compbasecmd.h - Neutral defaults shared by the component's commands ===//
#pragma once
#include "component/icomponentcommand.h"
#include "KorBasicTypes/korstring.h"

/// Implements every operation of IComponentCommand with a neutral default
/// and keeps the fields all commands share: kind, title, the host's pointer
/// and the GUI utility of the open dialog.
class CompBaseCmd : public IComponentCommand {
public:
  KOR_CLASS(CompBaseCmd, IComponentCommand, IGuiReceiver)
  /// Kind 0 and an empty title.
  CompBaseCmd() = default;
  /// Sets the kind; the title stays empty until setTitle.
  explicit CompBaseCmd(uint32_t kind) : kind_(kind) {}
  /// Sets the kind and the title, passed through translation.
  CompBaseCmd(uint32_t kind, const char *titleKey);

  // Slots 0-19: dialog events are ignored.
  void OnGuiEvent0(int32_t, int32_t) override {}
  void OnButton(int32_t, int32_t) override {}
  void OnSelection(int32_t, int32_t) override {}
  void OnGuiEvent3(int32_t, int32_t) override {}
  void OnGuiEvent4(int32_t, int32_t) override {}
  void OnIntegerValue(int32_t, int32_t) override {}
  void OnGuiEvent6(int32_t, int32_t) override {}
  void OnNotify(int32_t, int32_t) override {}
  void OnGuiEvent8(int32_t, int32_t) override {}
  void OnGuiEvent9(int32_t, int32_t) override {}
  void OnGuiEvent10(int32_t, int32_t) override {}
  void OnGuiEvent11(int32_t, int32_t) override {}
  void OnGuiEvent12(int32_t, int32_t) override {}
  void OnGuiEvent13(int32_t, int32_t) override {}
  void OnGuiEvent14(int32_t, int32_t) override {}
  void OnGuiEvent15(int32_t, int32_t) override {}
  void OnGuiEvent16(int32_t, int32_t) override {}
  void OnGuiEvent17(int32_t, int32_t) override {}
  void OnGuiEvent18(int32_t, int32_t) override {}
  void OnGuiEvent19(int32_t, int32_t) override {}

  void SetHostPointer(void *pointer) override { hostPointer_ = pointer; }
  void SetGuiUtil(IGuiUtil *gui) override { gui_ = gui; }
  const KorString &Title() override { return title_; }
  uint32_t Kind() override { return kind_; }
  /// A command is unavailable unless it says otherwise.
  bool IsAvailable(IKorCommandContext *) override { return false; }
  void Reserved25() override {}
  void LayoutDialog(IGuiUtil *) override {}
  bool Activate() override { return true; }
  void Reserved28() override {}
  bool Execute() override { return true; }
  bool Reserved30() override { return true; }
  bool Reserved31() override { return true; }
  void Reserved32() override {}
  int32_t Reserved33() override { return 1; }
  bool Reserved34() override { return false; }
  bool Reserved35() override { return false; }
  bool Reserved36() override { return false; }
  bool Reserved37() override { return false; }
  /// Slot 38: the pointer stored through slot 20.
  virtual void *HostPointer() { return hostPointer_; }

protected:
  /// The GUI utility while the command's dialog exists, else null.
  IGuiUtil *gui() const { return gui_; }
  /// Sets the title, passed through translation.
  void setTitle(const char *titleKey);

private:
  uint32_t kind_ = 0;
  KorString title_;
  void *hostPointer_ = nullptr;
  IGuiUtil *gui_ = nullptr;
};
