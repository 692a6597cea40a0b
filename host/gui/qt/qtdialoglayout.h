//===- qtdialoglayout.h - The window and widgets of an on-screen dialog ---===//
//
// QtDialogLayout owns the window of the dialog a command lays out, the rows
// and groups open now, and every widget keyed by the name and number the
// command gave it. The QApplication is made with the first window, so a
// korhost that lays out no dialog never connects to the display.
//
//===----------------------------------------------------------------------===//
#pragma once
#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class QAbstractButton;
class QApplication;
class QBoxLayout;

/// The window, the open rows and groups, and the keyed widgets of a dialog.
class QtDialogLayout {
public:
  QtDialogLayout();
  ~QtDialogLayout();
  QtDialogLayout(const QtDialogLayout &) = delete;
  QtDialogLayout &operator=(const QtDialogLayout &) = delete;

  /// The window, made (with the QApplication when there is none) if missing.
  QWidget &window();
  /// The window, or null before the first layout call.
  QWidget *existingWindow() const { return window_.get(); }

  /// Keys `widget` and puts it into the open row or group, at least `width`
  /// wide and `height` high (sizes out of range are ignored).
  void place(const char *name, int32_t number, QWidget *widget, int32_t width,
             int32_t height = 0);
  /// Puts a widget without a key (a caption, a Browse button) into the open
  /// row or group.
  void add(QWidget *widget);
  /// Opens a group box with a caption; widgets go into it until closed.
  void openGroup(const QString &caption);
  /// Opens a row; widgets go side by side until it is closed.
  void openRow();
  /// Closes the row or group opened last.
  void close();
  /// Closes every open row and group.
  void closeAll();

  /// The widget of that key, or null; a key whose name matches no widget
  /// falls back to the one widget of that number.
  QWidget *find(const char *name, int32_t number) const;
  /// The button or check box named `name`, else the first whose shown text
  /// is `name`; null when there is none.
  QAbstractButton *button(const std::string &name) const;
  /// Number of keyed widgets.
  int count() const { return int(widgets_.size()); }
  /// Destroys the window and its widgets; the next layout call starts a
  /// new dialog.
  void clear();

private:
  using Key = std::pair<std::string, int32_t>;
  /// The layout new widgets go into: the open row or group, else the window.
  QBoxLayout &current();

  std::unique_ptr<QApplication> application_;
  std::unique_ptr<QWidget> window_;
  std::vector<QBoxLayout *> open_;
  std::map<Key, QPointer<QWidget>> widgets_;
};
