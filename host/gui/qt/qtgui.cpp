//===- qtgui.cpp - korhost's dialog builder drawn with Qt 6 Widgets -------===//
#include "host/gui/qt/qtgui.h"
#include "KorBasicTypes/korarray.h"
#include "host/gui/qt/qtguitext.h"
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <limits>

namespace {
/// Item data role holding a tree item's number.
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

/// An integer field: the whole 32-bit range until the command narrows it.
QSpinBox *makeIntegerField() {
  auto *field = new QSpinBox;
  field->setRange(std::numeric_limits<int32_t>::min(),
                  std::numeric_limits<int32_t>::max());
  return field;
}

/// A real-number field: any value, 2 decimals, until the command says.
QDoubleSpinBox *makeRealField() {
  auto *field = new QDoubleSpinBox;
  field->setRange(-std::numeric_limits<double>::max(),
                  std::numeric_limits<double>::max());
  return field;
}
} // namespace

HostQtGui::HostQtGui() = default;

HostQtGui::~HostQtGui() { closeDialog(); }

void HostQtGui::send(void (IGuiReceiver::*event)(int32_t, int32_t),
                     int32_t widget, int32_t value) {
  if (receiver_)
    (receiver_->*event)(widget, value);
}

QTreeWidgetItem *HostQtGui::listItem(const char *name, int32_t number,
                                     int32_t item) const {
  auto *tree = qobject_cast<QTreeWidget *>(find(name, number));
  return tree ? findItem(*tree, item) : nullptr;
}

// --- Layout

void HostQtGui::SetTitle(const KorWChar *title) {
  layout_.window().setWindowTitle(qtText(title));
}

bool HostQtGui::GetSaveFileName(const KorWChar **fileName, int32_t *,
                                const KorWChar *directory,
                                const KorWChar *filter) {
  if (presetSave_) {
    saveName_ = *presetSave_;
  } else {
    std::optional<QString> chosen =
        chooser_.askSaveName(qtPath(qtText(directory)), qtFileFilter(filter));
    saveName_ = chosen ? korText(*chosen) : std::u16string();
  }
  if (saveName_.empty())
    return false;
  *fileName = saveName_.c_str();
  return true;
}

void HostQtGui::OpenGroup(const KorWChar *caption) {
  layout_.openGroup(qtText(caption));
}

void HostQtGui::OpenRow() { layout_.openRow(); }

void HostQtGui::CloseGroup() { layout_.close(); }

void HostQtGui::FinishLayout(int32_t, int32_t) { layout_.closeAll(); }

void HostQtGui::AddField(const char *name, int32_t number, int32_t kind,
                         int32_t width) {
  QWidget *field = nullptr;
  if (kind == 1) {
    auto *integer = makeIntegerField();
    QObject::connect(integer, &QSpinBox::valueChanged,
                     [this, number](int value) {
                       send(&IGuiReceiver::OnIntegerValue, number, value);
                     });
    field = integer;
  } else if (kind == 2) {
    field = makeRealField();
  } else {
    field = new QLineEdit;
  }
  layout_.place(name, number, field, width);
}

void HostQtGui::AddLabel(const char *name, int32_t number, const KorWChar *text,
                         int32_t width) {
  layout_.place(name, number, new QLabel(qtText(text)), width);
}

void HostQtGui::AddChoiceList(const char *name, int32_t number,
                              const KorWChar *caption,
                              const KorWChar *const *items, int32_t count,
                              int32_t) {
  auto *list = new QComboBox;
  for (int32_t i = 0; items && i < count; ++i)
    list->addItem(qtText(items[i]));
  if (caption && *caption) {
    auto *label = new QLabel(qtText(caption));
    label->setBuddy(list);
    layout_.add(label);
  }
  layout_.place(name, number, list, 0);
  QObject::connect(list, &QComboBox::currentIndexChanged,
                   [this, number](int index) {
                     send(&IGuiReceiver::OnSelection, number, index);
                   });
}

void HostQtGui::AddButton(const char *name, int32_t number,
                          const KorWChar *text) {
  auto *button = new QPushButton(qtText(text));
  layout_.place(name, number, button, 0);
  QObject::connect(button, &QPushButton::clicked, [this, number] {
    send(&IGuiReceiver::OnButton, number, 1);
  });
}

void HostQtGui::AddCheckBox(const char *name, int32_t number,
                            const KorWChar *text) {
  auto *check = new QCheckBox(qtText(text));
  layout_.place(name, number, check, 0);
  QObject::connect(check, &QCheckBox::clicked, [this, number](bool checked) {
    send(&IGuiReceiver::OnButton, number, checked ? 1 : 0);
  });
}

void HostQtGui::AddMultiLineText(const char *name, int32_t number,
                                 int32_t width, int32_t height) {
  auto *text = new QPlainTextEdit;
  text->setReadOnly(true);
  layout_.place(name, number, text, width, height);
}

void HostQtGui::AddTreeList(const char *name, int32_t number, int32_t width,
                            int32_t height) {
  auto *tree = new QTreeWidget;
  tree->setColumnCount(1);
  tree->header()->hide();
  tree->setSelectionMode(QAbstractItemView::ExtendedSelection);
  layout_.place(name, number, tree, width, height);
  QObject::connect(tree, &QTreeWidget::itemSelectionChanged,
                   [this, name = std::string(name ? name : ""), number] {
                     KorArray<int32_t> selected;
                     GetSelectedItems(name.c_str(), number, selected);
                     send(&IGuiReceiver::OnSelection, number,
                          selected.empty() ? 0 : selected[1]);
                   });
}

void HostQtGui::addFileNameField(const char *name, int32_t number,
                                 int32_t width, HostFileNameWidget &field) {
  auto *edit = new QLineEdit(qtText(field.GetFileName()));
  layout_.place(name, number, edit, width);
  auto *browse = new QPushButton(QStringLiteral("Browse..."));
  browse->setObjectName(QStringLiteral("%1Browse").arg(edit->objectName()));
  layout_.add(browse);
  fileNameFields_.push_back(std::make_unique<QtFileNameField>(
      field, edit, browse, chooser_,
      [this, number] { send(&IGuiReceiver::OnNotify, number, 0); }));
}

// --- Values

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

// --- The window

void HostQtGui::showDialog() {
  QWidget &window = layout_.window();
  window.adjustSize();
  window.show();
  QApplication::processEvents();
}

bool HostQtGui::clickButton(const std::string &name) {
  QAbstractButton *button = layout_.button(name);
  if (!button)
    return false;
  button->click();
  QApplication::processEvents();
  return true;
}

bool HostQtGui::saveScreenshot(const std::string &fileName) {
  QWidget &window = layout_.window();
  QApplication::processEvents();
  return window.grab().save(QString::fromStdString(fileName), "PNG");
}

void HostQtGui::runUntilClosed() {
  QWidget &window = layout_.window();
  if (!window.isVisible())
    showDialog();
  QApplication::setQuitOnLastWindowClosed(true);
  QApplication::exec();
}

void HostQtGui::closeDialog() {
  fileNameFields_.clear();
  layout_.clear();
}
