//===- qtgui.h - korhost's dialog builder drawn with Qt 6 Widgets ---------===//
//
// With a display, korhost draws through HostQtGui, made by its Qt module
// (korhost_qt.so) when the first dialog needs a window: a command's layout
// calls build one window (rows as horizontal layouts, groups as group
// boxes, Qt widgets for fields, lists and buttons), its value calls read
// and write those widgets, and what the user does reaches the dialog's
// receiver: buttons and check boxes through slot 1 (state 1 for a button,
// the new check state for a check box), tree-list and choice-list
// selections through slot 2 (the first selected item's number, 0 for none;
// the chosen index), integer fields through slot 5 and file-name edits
// through slot 7 with code 0. Values the command sets itself raise no
// events. The window and its widgets are kept by QtDialogLayout, save-file
// names asked by QtFileChooser, and file-name fields watched by
// QtFileNameField.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "component/iguireceiver.h"
#include "component/iguiutil.h"
#include "host/gui/dialogbuilder.h"
#include "host/gui/dialogwindow.h"
#include "host/gui/qt/qtdialoglayout.h"
#include "host/gui/qt/qtfilechooser.h"
#include "host/gui/qt/qtfilenamefield.h"
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QTreeWidgetItem;

/// The host's IGuiUtil on screen.
class HostQtGui : public IGuiUtil,
                  public HostDialogBuilder,
                  public HostDialogWindow {
public:
  KOR_CLASS(HostQtGui, IGuiUtil, HostDialogBuilder, HostDialogWindow)
  using FileDialogHook = QtFileChooser::Hook;

  HostQtGui();
  ~HostQtGui() override;
  HostQtGui(const HostQtGui &) = delete;
  HostQtGui &operator=(const HostQtGui &) = delete;

  // Layout.
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
  void ListOption71(const char *, int32_t, int32_t) override {}
  void ListOption74(const char *, int32_t, int32_t) override {}
  void ListOption75(const char *, int32_t, int32_t) override {}
  void FinishLayout(int32_t code, int32_t reserved) override;
  /// Places the field as a line edit with a Browse button.
  void addFileNameField(const char *name, int32_t number, int32_t width,
                        HostFileNameWidget &field) override;

  // Values. Every setter blocks the widget's signals while it writes.
  void SetRealRange(const char *name, int32_t number, double minimum,
                    double maximum, int32_t decimals) override;
  void SetIntegerRange(const char *name, int32_t number, int32_t minimum,
                       int32_t maximum) override;
  void SetRealIncrement(const char *name, int32_t number, double step) override;
  void EnableField(const char *name, int32_t number, bool enabled,
                   int32_t code) override;
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

  // The window.
  void setReceiver(IGuiReceiver *receiver) override { receiver_ = receiver; }
  int widgetCount() const override { return layout_.count(); }
  void showDialog() override;
  bool clickButton(const std::string &name) override;
  bool saveScreenshot(const std::string &fileName) override;
  void runUntilClosed() override;
  void closeDialog() override;
  void setPresetSaveName(std::optional<std::u16string> name) override {
    presetSave_ = std::move(name);
  }
  /// Answers the save dialog and the Browse buttons instead of the user
  /// (empty: ask the user).
  void setFileDialogHook(FileDialogHook hook) {
    chooser_.setHook(std::move(hook));
  }

  /// The dialog's window, or null before the first layout call.
  QWidget *window() const { return layout_.existingWindow(); }
  /// The widget of that key, or null; a key whose name matches no widget
  /// falls back to the one widget of that number.
  QWidget *find(const char *name, int32_t number) const {
    return layout_.find(name, number);
  }
  /// The item numbered `item` of the tree list of that key, or null.
  QTreeWidgetItem *listItem(const char *name, int32_t number,
                            int32_t item) const;

private:
  /// Tells the receiver, when there is one.
  void send(void (IGuiReceiver::*event)(int32_t, int32_t), int32_t widget,
            int32_t value);

  QtDialogLayout layout_;
  QtFileChooser chooser_{layout_};
  std::vector<std::unique_ptr<QtFileNameField>> fileNameFields_;
  IGuiReceiver *receiver_ = nullptr;
  std::optional<std::u16string> presetSave_;
  std::u16string saveName_;
};
