//===- qtfilenamefield.h - The host's file-name field on screen -----------===//
//
// QtFileNameField ties a HostFileNameWidget to the line edit and Browse
// button that show it. A name the command sets shows at once; a name the
// user types, or picks with Browse, is stored in the field and reported.
// Destroying the object stops the field from touching widgets of a dialog
// that has been closed.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "component/iptr.h"
#include "host/gui/filenamewidget.h"
#include <QMetaObject>
#include <QPointer>
#include <functional>

class QLineEdit;
class QPushButton;
class QString;
class QtFileChooser;

/// Keeps one file-name field and its widgets in step.
class QtFileNameField {
public:
  /// Watches `field` shown in `edit`; `browse` asks through `chooser`;
  /// `userChanged` is called after each name the user gives.
  QtFileNameField(HostFileNameWidget &field, QLineEdit *edit,
                  QPushButton *browse, const QtFileChooser &chooser,
                  std::function<void()> userChanged);
  ~QtFileNameField();
  QtFileNameField(const QtFileNameField &) = delete;
  QtFileNameField &operator=(const QtFileNameField &) = delete;

private:
  /// Shows the field's name (the command changed it).
  void show();
  /// Stores a name the user gave, when it is new, and reports it.
  void take(const QString &text);
  /// Asks for a name starting in the folder of the one shown.
  void browse();

  IPtr<HostFileNameWidget> field_;
  QPointer<QLineEdit> edit_;
  const QtFileChooser &chooser_;
  std::function<void()> userChanged_;
  QMetaObject::Connection edited_;
  QMetaObject::Connection browsed_;
};
