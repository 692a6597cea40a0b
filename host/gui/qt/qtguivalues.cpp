//===- qtguivalues.cpp - Values, ranges, colours and list items on screen -===//
//
// Every setter blocks the widget's signals while it writes, so a value the
// command sets raises no event back at the command.
//
//===----------------------------------------------------------------------===//
#include "KorBasicTypes/korarray.h"
#include "host/gui/qt/qtgui.h"
#include "host/gui/qt/qtguitext.h"
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

namespace {
/// Item data role holding an item's number.
constexpr int kNumberRole = Qt::UserRole;

int32_t itemNumber(const QTreeWidgetItem &item) {
  return item.data(0, kNumberRole).toInt();
}

/// The item numbered `number` in `tree`, or null.
QTreeWidgetItem *findItem(QTreeWidget &tree, int32_t number) {
  for (QTreeWidgetItemIterator it(&tree); *it; ++it)
    if (itemNumber(**it) == number)
      return *it;
  return nullptr;
}
} // namespace

QTreeWidgetItem *HostQtGui::listItem(const char *name, int32_t number,
                                     int32_t item) const {
  auto *tree = qobject_cast<QTreeWidget *>(find(name, number));
  return tree ? findItem(*tree, item) : nullptr;
}

void HostQtGui::SetRealRange(const char *name, int32_t number, double minimum,
                             double maximum, int32_t decimals) {
  if (auto *field = qobject_cast<QDoubleSpinBox *>(find(name, number))) {
    QSignalBlocker quiet(field);
    // The decimals first: they round the range.
    field->setDecimals(decimals);
    field->setRange(minimum, maximum);
  }
}

void HostQtGui::SetIntegerRange(const char *name, int32_t number,
                                int32_t minimum, int32_t maximum) {
  if (auto *field = qobject_cast<QSpinBox *>(find(name, number))) {
    QSignalBlocker quiet(field);
    field->setRange(minimum, maximum);
  }
}

void HostQtGui::SetRealIncrement(const char *name, int32_t number,
                                 double step) {
  if (auto *field = qobject_cast<QDoubleSpinBox *>(find(name, number)))
    field->setSingleStep(step);
}

void HostQtGui::EnableField(const char *name, int32_t number, bool enabled,
                            int32_t) {
  if (QWidget *field = find(name, number))
    field->setEnabled(enabled);
}

void HostQtGui::AddListItem(const char *name, int32_t number, int32_t parent,
                            IGuiItem *item) {
  auto *tree = qobject_cast<QTreeWidget *>(find(name, number));
  if (!tree || !item)
    return;
  QSignalBlocker quiet(tree);
  QTreeWidgetItem *above = parent != 0 ? findItem(*tree, parent) : nullptr;
  auto *entry = above ? new QTreeWidgetItem(above) : new QTreeWidgetItem(tree);
  entry->setText(0, qtText(item->Text()));
  entry->setData(0, kNumberRole, item->Number());
  if (above)
    above->setExpanded(true);
}

void HostQtGui::SetText(const char *name, int32_t number,
                        const KorWChar *text) {
  QWidget *widget = find(name, number);
  QString value = qtText(text);
  if (auto *plain = qobject_cast<QPlainTextEdit *>(widget))
    plain->setPlainText(value);
  else if (auto *line = qobject_cast<QLineEdit *>(widget))
    line->setText(value);
  else if (auto *label = qobject_cast<QLabel *>(widget))
    label->setText(value);
  else if (auto *button = qobject_cast<QAbstractButton *>(widget))
    button->setText(value);
  else if (auto *group = qobject_cast<QGroupBox *>(widget))
    group->setTitle(value);
}

void HostQtGui::SetItemColour(const char *name, int32_t number, int32_t item,
                              float red, float green, float blue, float alpha) {
  if (QTreeWidgetItem *entry = listItem(name, number, item))
    entry->setForeground(0, QBrush(qtColour(red, green, blue, alpha)));
}

void HostQtGui::GetSelectedItems(const char *name, int32_t number,
                                 KorArray<int32_t> &out) {
  out.clear();
  auto *tree = qobject_cast<QTreeWidget *>(find(name, number));
  if (!tree)
    return;
  for (QTreeWidgetItemIterator it(tree, QTreeWidgetItemIterator::Selected); *it;
       ++it)
    out.append(itemNumber(**it));
}

int32_t HostQtGui::GetChoiceIndex(const char *name, int32_t number) {
  auto *list = qobject_cast<QComboBox *>(find(name, number));
  return list ? list->currentIndex() : -1;
}

void HostQtGui::ClearList(const char *name, int32_t number) {
  if (auto *tree = qobject_cast<QTreeWidget *>(find(name, number))) {
    QSignalBlocker quiet(tree);
    tree->clear();
  }
}

void HostQtGui::SetRealValue(const char *name, int32_t number, double value) {
  if (auto *field = qobject_cast<QDoubleSpinBox *>(find(name, number))) {
    QSignalBlocker quiet(field);
    field->setValue(value);
  }
}

void HostQtGui::SetIntegerValue(const char *name, int32_t number,
                                int32_t value) {
  if (auto *field = qobject_cast<QSpinBox *>(find(name, number))) {
    QSignalBlocker quiet(field);
    field->setValue(value);
  }
}

bool HostQtGui::GetCheck(const char *name, int32_t number) {
  auto *check = qobject_cast<QCheckBox *>(find(name, number));
  return check && check->isChecked();
}

void HostQtGui::SetLabelColour(const char *name, int32_t number, float red,
                               float green, float blue, float alpha) {
  QWidget *label = find(name, number);
  if (!label)
    return;
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, qtColour(red, green, blue, alpha));
  label->setPalette(palette);
}

void HostQtGui::SetToolTip(const char *name, int32_t number,
                           const KorWChar *text) {
  if (QWidget *widget = find(name, number))
    widget->setToolTip(qtText(text));
}
