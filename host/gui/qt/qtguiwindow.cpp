//===- qtguiwindow.cpp - The dialog's window, file dialogs and name field -===//
#include "host/gui/filenamewidget.h"
#include "host/gui/qt/qtgui.h"
#include "host/gui/qt/qtguitext.h"
#include <QAbstractButton>
#include <QApplication>
#include <QBoxLayout>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

namespace {
/// A button's text as shown, without its shortcut marker.
QString shownText(const QAbstractButton &button) {
  QString text = button.text();
  text.remove(QLatin1Char('&'));
  return text;
}

/// Platforms on which no user can answer a modal dialog.
bool nobodyToAsk() {
  const QString platform = QGuiApplication::platformName();
  return platform == QLatin1String("offscreen") ||
         platform == QLatin1String("minimal");
}
} // namespace

void HostQtGui::showDialog() {
  QWidget &window = ensureWindow();
  window.adjustSize();
  window.show();
  QApplication::processEvents();
}

bool HostQtGui::clickButton(const std::string &name) {
  QAbstractButton *byText = nullptr;
  for (const auto &[key, widget] : widgets_) {
    auto *button = qobject_cast<QAbstractButton *>(widget.data());
    if (!button)
      continue;
    if (key.first == name) {
      byText = button;
      break;
    }
    if (!byText && shownText(*button) == QString::fromStdString(name))
      byText = button;
  }
  if (!byText)
    return false;
  byText->click();
  QApplication::processEvents();
  return true;
}

bool HostQtGui::saveScreenshot(const std::string &fileName) {
  QWidget &window = ensureWindow();
  QApplication::processEvents();
  return window.grab().save(QString::fromStdString(fileName), "PNG");
}

void HostQtGui::runUntilClosed() {
  QWidget &window = ensureWindow();
  if (!window.isVisible())
    showDialog();
  QApplication::setQuitOnLastWindowClosed(true);
  QApplication::exec();
}

void HostQtGui::closeDialog() {
  widgets_.clear();
  open_.clear();
  window_.reset();
  forgetFileNameFields();
}

std::optional<QString> HostQtGui::askFileName(const QString &directory,
                                              const QString &filter) {
  if (fileDialogHook_)
    return fileDialogHook_(directory, filter);
  ensureWindow();
  if (nobodyToAsk())
    return std::nullopt;
  QString chosen = QFileDialog::getSaveFileName(
      window_ && window_->isVisible() ? window_.get() : nullptr, QString(),
      directory, filter);
  if (chosen.isEmpty())
    return std::nullopt;
  return chosen;
}

void HostQtGui::addFileNameField(const char *name, int32_t number,
                                 int32_t width, HostFileNameWidget &field) {
  auto *edit = new QLineEdit(qtText(field.GetFileName()));
  place(name, number, edit, width);
  auto *browse = new QPushButton(QStringLiteral("Browse..."));
  browse->setObjectName(QStringLiteral("%1Browse").arg(edit->objectName()));
  current().addWidget(browse);
  watchFileNameField(number, field, edit, browse);
}

void HostQtGui::watchFileNameField(int32_t number, HostFileNameWidget &field,
                                   QLineEdit *line, QPushButton *browse) {
  fileNameFields_.emplace_back(&field);
  QPointer<QLineEdit> shown(line);
  // A name the command sets shows at once.
  field.setObserver([shown, &field] {
    if (shown)
      shown->setText(qtText(field.GetFileName()));
  });
  // A name the user gives is stored, then the receiver hears (number, 0).
  auto takeName = [this, number, &field](const QString &text) {
    if (korText(text) == field.GetFileName())
      return;
    field.takeUserName(korText(text));
    send(&IGuiReceiver::OnNotify, number, 0);
  };
  QObject::connect(line, &QLineEdit::editingFinished,
                   [line, takeName] { takeName(line->text()); });
  QObject::connect(
      browse, &QPushButton::clicked, [this, line, takeName, &field] {
        QString folder = QFileInfo(qtPath(line->text())).path();
        std::optional<QString> chosen =
            askFileName(folder, qtFileFilter(field.filter().c_str()));
        if (!chosen)
          return;
        line->setText(*chosen);
        takeName(*chosen);
      });
}

void HostQtGui::forgetFileNameFields() {
  for (IPtr<HostFileNameWidget> &field : fileNameFields_)
    field->setObserver({});
  fileNameFields_.clear();
}
