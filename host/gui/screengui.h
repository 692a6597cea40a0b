//===- screengui.h - korhost's dialog builder when it may draw ------------===//
//
// The service "IGuiUtil" is the headless GUI unless korhost may open
// windows (a display, no --headless) and finds its Qt module. Then it is
// HostScreenGui, which loads the module on the first call that needs a
// window and hands every call to the module's GUI, so a korhost that never
// draws maps no Qt library. A save dialog answered by a preset name needs
// no window. When the module cannot be loaded korhost says why, once, and
// goes on as a headless korhost.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "component/iguiutil.h"
#include "component/iptr.h"
#include "host/gui/dialogbuilder.h"
#include <cstdio>
#include <optional>
#include <string>

class HostHeadlessGui;

/// The host's IGuiUtil that draws through the Qt module, loaded on demand.
class HostScreenGui : public IGuiUtil, public HostDialogBuilder {
public:
  KOR_CLASS(HostScreenGui, IGuiUtil, HostDialogBuilder)
  /// Loads the module at `modulePath` when first needed; tells `errors`
  /// when it cannot.
  explicit HostScreenGui(std::string modulePath, FILE *errors = stderr);
  ~HostScreenGui() override;
  HostScreenGui(const HostScreenGui &) = delete;
  HostScreenGui &operator=(const HostScreenGui &) = delete;

  /// The module's GUI, loaded now if need be; null when it cannot be loaded.
  IGuiUtil *drawingGui();
  /// Why the module could not be loaded (empty until a load failed).
  const std::string &loadError() const { return loadError_; }
  /// The next save dialogs answer `name` without showing (an empty name
  /// cancels them); nullopt asks the user again.
  void setPresetSaveName(std::optional<std::u16string> name) {
    presetSave_ = std::move(name);
  }

  void SetTitle(const KorWChar *title) override;
  bool GetSaveFileName(const KorWChar **fileName, int32_t *flags,
                       const KorWChar *directory,
                       const KorWChar *filter) override;
  void OpenGroup(const KorWChar *caption) override;
  void OpenRow() override;
  void CloseGroup() override;
  void AddField(const char *name, int32_t number, int32_t kind,
                int32_t width) override;
  void AddLabel(const char *name, int32_t number, const KorWChar *text,
                int32_t width) override;
  void AddChoiceList(const char *name, int32_t number, const KorWChar *caption,
                     const KorWChar *const *items, int32_t count,
                     int32_t flags) override;
  void AddButton(const char *name, int32_t number,
                 const KorWChar *text) override;
  void AddCheckBox(const char *name, int32_t number,
                   const KorWChar *text) override;
  void AddMultiLineText(const char *name, int32_t number, int32_t width,
                        int32_t height) override;
  void AddTreeList(const char *name, int32_t number, int32_t width,
                   int32_t height) override;
  void SetRealRange(const char *name, int32_t number, double minimum,
                    double maximum, int32_t decimals) override;
  void SetIntegerRange(const char *name, int32_t number, int32_t minimum,
                       int32_t maximum) override;
  void SetRealIncrement(const char *name, int32_t number, double step) override;
  void ListOption71(const char *name, int32_t number, int32_t value) override;
  void ListOption74(const char *name, int32_t number, int32_t value) override;
  void ListOption75(const char *name, int32_t number, int32_t value) override;
  void EnableField(const char *name, int32_t number, bool enabled,
                   int32_t code) override;
  void FinishLayout(int32_t code, int32_t reserved) override;
  void AddListItem(const char *name, int32_t number, int32_t parent,
                   IGuiItem *item) override;
  void SetText(const char *name, int32_t number, const KorWChar *text) override;
  void SetItemColour(const char *name, int32_t number, int32_t item, float red,
                     float green, float blue, float alpha) override;
  void GetSelectedItems(const char *name, int32_t number,
                        KorArray<int32_t> &out) override;
  int32_t GetChoiceIndex(const char *name, int32_t number) override;
  void ClearList(const char *name, int32_t number) override;
  void SetRealValue(const char *name, int32_t number, double value) override;
  void SetIntegerValue(const char *name, int32_t number,
                       int32_t value) override;
  bool GetCheck(const char *name, int32_t number) override;
  void SetLabelColour(const char *name, int32_t number, float red, float green,
                      float blue, float alpha) override;
  void SetToolTip(const char *name, int32_t number,
                  const KorWChar *text) override;
  void addFileNameField(const char *name, int32_t number, int32_t width,
                        HostFileNameWidget &field) override;

private:
  /// Where calls go: the module's GUI, else (after saying so once) a
  /// headless one.
  IGuiUtil &target();

  std::string modulePath_;
  FILE *errors_;
  bool loadTried_ = false;
  std::string loadError_;
  IPtr<IGuiUtil> drawing_;
  IPtr<HostHeadlessGui> headless_;
  std::optional<std::u16string> presetSave_;
  std::u16string saveName_;
};

/// The GUI that draws for the service `service`: the Qt module's, loaded
/// now, or `service` itself when it draws; null when it is headless or the
/// module cannot be loaded, with the reason in `reason`.
IGuiUtil *hostDrawingGui(IGuiUtil *service, std::string &reason);
