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
// events. The QApplication is made on first use, so a korhost that shows
// no dialog never connects to the display.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "component/iguireceiver.h"
#include "host/gui/dialogbuilder.h"
#include "host/gui/dialogwindow.h"
#include "component/iguiutil.h"
#include "component/iptr.h"
#include <QPointer>
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QApplication;
class QBoxLayout;
class QLineEdit;
class QPushButton;
class QTreeWidgetItem;
class QWidget;

/// The host's IGuiUtil on screen.
class HostQtGui : public IGuiUtil,
                  public HostDialogBuilder,
                  public HostDialogWindow {
public:
  KOR_CLASS(HostQtGui, IGuiUtil, HostDialogBuilder, HostDialogWindow)
  /// Answers a file dialog in place of the user: the chosen name, or
  /// nullopt when cancelled. Given the start folder and the Qt filter.
  using FileDialogHook = std::function<std::optional<QString>(
      const QString &directory, const QString &filter)>;

  HostQtGui();
  ~HostQtGui() override;
  HostQtGui(const HostQtGui &) = delete;
  HostQtGui &operator=(const HostQtGui &) = delete;

  // Layout (qtgui.cpp).
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

  // Values (qtguivalues.cpp).
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

  // The window (qtguiwindow.cpp).
  void setReceiver(IGuiReceiver *receiver) override { receiver_ = receiver; }
  int widgetCount() const override { return int(widgets_.size()); }
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
    fileDialogHook_ = std::move(hook);
  }

  /// The dialog's window, or null before the first layout call.
  QWidget *window() const { return window_.get(); }
  /// The widget of that key, or null; a key whose name matches no widget
  /// falls back to the one widget of that number.
  QWidget *find(const char *name, int32_t number) const;
  /// The item numbered `item` of the tree list of that key, or null.
  QTreeWidgetItem *listItem(const char *name, int32_t number,
                            int32_t item) const;

private:
  using Key = std::pair<std::string, int32_t>;

  /// Makes the QApplication and the window when missing.
  QWidget &ensureWindow();
  /// The layout new widgets go into: the open row or group, else the window.
  QBoxLayout &current();
  /// Keys `widget`, puts it into the open row and applies a minimum width.
  void place(const char *name, int32_t number, QWidget *widget, int32_t width);
  /// Tells the receiver, when there is one.
  void send(void (IGuiReceiver::*event)(int32_t, int32_t), int32_t widget,
            int32_t value);
  /// A file name from the user (or the hook); nullopt when cancelled.
  std::optional<QString> askFileName(const QString &directory,
                                     const QString &filter);
  /// Connects a file-name field's line edit and Browse button.
  void watchFileNameField(int32_t number, HostFileNameWidget &field,
                          QLineEdit *edit, QPushButton *browse);
  /// Stops every file-name field from updating widgets of this dialog.
  void forgetFileNameFields();

  std::unique_ptr<QApplication> application_;
  std::unique_ptr<QWidget> window_;
  std::vector<QBoxLayout *> open_;
  std::map<Key, QPointer<QWidget>> widgets_;
  std::vector<IPtr<HostFileNameWidget>> fileNameFields_;
  IGuiReceiver *receiver_ = nullptr;
  std::optional<std::u16string> presetSave_;
  std::u16string saveName_;
  FileDialogHook fileDialogHook_;
};
