//===- qtfilenamefield.cpp - The host's file-name field on screen ---------===//
#include "host/gui/qt/qtfilenamefield.h"
#include "host/gui/qt/qtfilechooser.h"
#include "host/gui/qt/qtguitext.h"
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

QtFileNameField::QtFileNameField(HostFileNameWidget &field, QLineEdit *edit,
                                 QPushButton *browse,
                                 const QtFileChooser &chooser,
                                 std::function<void()> userChanged)
    : field_(&field), edit_(edit), chooser_(chooser),
      userChanged_(std::move(userChanged)) {
  field.setObserver([this] { show(); });
  edited_ = QObject::connect(edit, &QLineEdit::editingFinished,
                             [this] { take(edit_->text()); });
  browsed_ = QObject::connect(browse, &QPushButton::clicked,
                              [this] { this->browse(); });
}

QtFileNameField::~QtFileNameField() {
  field_->setObserver({});
  QObject::disconnect(edited_);
  QObject::disconnect(browsed_);
}

void QtFileNameField::show() {
  if (edit_)
    edit_->setText(qtText(field_->GetFileName()));
}

void QtFileNameField::take(const QString &text) {
  if (korText(text) == field_->GetFileName())
    return;
  field_->takeUserName(korText(text));
  userChanged_();
}

void QtFileNameField::browse() {
  if (!edit_)
    return;
  QString folder = QFileInfo(qtPath(edit_->text())).path();
  std::optional<QString> chosen =
      chooser_.askSaveName(folder, qtFileFilter(field_->filter().c_str()));
  if (!chosen)
    return;
  edit_->setText(*chosen);
  take(*chosen);
}
