//===- qtguitext.h - Texts and colours between korhost and Qt -------------===//
#pragma once
#include "component/kortypes.h"
#include <QColor>
#include <QString>
#include <string>

/// The Qt form of a wide text (null gives the empty text).
inline QString qtText(const KorWChar *text) {
  return text ? QString::fromUtf16(text) : QString();
}

/// The wide form of a Qt text.
inline std::u16string korText(const QString &text) {
  return text.toStdU16String();
}

/// A colour given as red, green, blue and alpha floats from 0 to 1.
inline QColor qtColour(float red, float green, float blue, float alpha) {
  return QColor::fromRgbF(red, green, blue, alpha);
}

/// A file filter of the Windows form ("All Files (*.*)") in Qt's form, where
/// "*.*" would match only names with a dot.
inline QString qtFileFilter(const KorWChar *filter) {
  QString text = qtText(filter);
  text.replace(QStringLiteral("*.*"), QStringLiteral("*"));
  return text;
}

/// A path that may use "\" between folders, with "/" instead.
inline QString qtPath(const QString &path) {
  QString text = path;
  text.replace(QLatin1Char('\\'), QLatin1Char('/'));
  return text;
}
