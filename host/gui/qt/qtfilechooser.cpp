//===- qtfilechooser.cpp - Asking for a file name to save to --------------===//
#include "host/gui/qt/qtfilechooser.h"
#include "host/gui/qt/qtdialoglayout.h"
#include <QFileDialog>
#include <QGuiApplication>

namespace {
/// Platforms on which no user can answer a modal dialog.
bool nobodyToAsk() {
  const QString platform = QGuiApplication::platformName();
  return platform == QLatin1String("offscreen") ||
         platform == QLatin1String("minimal");
}
} // namespace

std::optional<QString> QtFileChooser::askSaveName(const QString &directory,
                                                  const QString &filter) const {
  if (hook_)
    return hook_(directory, filter);
  // The window brings the QApplication the dialog needs.
  QWidget &window = layout_.window();
  if (nobodyToAsk())
    return std::nullopt;
  QString chosen = QFileDialog::getSaveFileName(
      window.isVisible() ? &window : nullptr, QString(), directory, filter);
  if (chosen.isEmpty())
    return std::nullopt;
  return chosen;
}
