//===- qtgui.cpp - korhost's dialog builder drawn with Qt 6 Widgets -------===//
#include "host/gui/qt/qtgui.h"
#include "host/gui/filenamewidget.h"
#include "KorBasicTypes/korarray.h"
#include "host/gui/qt/qtguitext.h"
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <limits>

namespace {
/// Widths and heights above this are taken as mistakes, not sizes.
constexpr int32_t kLargestSize = 4000;

bool usableSize(int32_t size) { return size > 0 && size <= kLargestSize; }

/// Arguments of the QApplication korhost makes; they must outlive it.
int applicationArgc = 1;
char applicationName[] = "korhost";
char *applicationArgv[] = {applicationName, nullptr};

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

HostQtGui::~HostQtGui() {
  closeDialog();
  application_.reset();
}

QWidget &HostQtGui::ensureWindow() {
  if (!QApplication::instance())
    application_ =
        std::make_unique<QApplication>(applicationArgc, applicationArgv);
  if (!window_) {
    window_ = std::make_unique<QWidget>();
    open_.assign(1, new QVBoxLayout(window_.get()));
  }
  return *window_;
}

QBoxLayout &HostQtGui::current() {
  ensureWindow();
  return *open_.back();
}

void HostQtGui::place(const char *name, int32_t number, QWidget *widget,
                      int32_t width) {
  current().addWidget(widget);
  widget->setObjectName(QString::fromUtf8(name ? name : ""));
  if (usableSize(width))
    widget->setMinimumWidth(width);
  widgets_[{name ? name : "", number}] = widget;
}

void HostQtGui::send(void (IGuiReceiver::*event)(int32_t, int32_t),
                     int32_t widget, int32_t value) {
  if (receiver_)
    (receiver_->*event)(widget, value);
}

QWidget *HostQtGui::find(const char *name, int32_t number) const {
  auto exact = widgets_.find({name ? name : "", number});
  if (exact != widgets_.end())
    return exact->second;
  QWidget *only = nullptr;
  for (const auto &[key, widget] : widgets_)
    if (key.second == number) {
      if (only)
        return nullptr;
      only = widget;
    }
  return only;
}

void HostQtGui::SetTitle(const KorWChar *title) {
  ensureWindow().setWindowTitle(qtText(title));
}

bool HostQtGui::GetSaveFileName(const KorWChar **fileName, int32_t *,
                                const KorWChar *directory,
                                const KorWChar *filter) {
  if (presetSave_) {
    saveName_ = *presetSave_;
  } else {
    std::optional<QString> chosen =
        askFileName(qtPath(qtText(directory)), qtFileFilter(filter));
    saveName_ = chosen ? korText(*chosen) : std::u16string();
  }
  if (saveName_.empty())
    return false;
  *fileName = saveName_.c_str();
  return true;
}

void HostQtGui::OpenGroup(const KorWChar *caption) {
  auto *group = new QGroupBox(qtText(caption));
  current().addWidget(group);
  open_.push_back(new QVBoxLayout(group));
}

void HostQtGui::OpenRow() {
  auto *row = new QHBoxLayout;
  current().addLayout(row);
  open_.push_back(row);
}

void HostQtGui::CloseGroup() {
  if (open_.size() > 1)
    open_.pop_back();
}

void HostQtGui::FinishLayout(int32_t, int32_t) {
  if (!open_.empty())
    open_.resize(1);
}

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
  place(name, number, field, width);
}

void HostQtGui::AddLabel(const char *name, int32_t number, const KorWChar *text,
                         int32_t width) {
  place(name, number, new QLabel(qtText(text)), width);
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
    current().addWidget(label);
  }
  place(name, number, list, 0);
  QObject::connect(list, &QComboBox::currentIndexChanged,
                   [this, number](int index) {
                     send(&IGuiReceiver::OnSelection, number, index);
                   });
}

void HostQtGui::AddButton(const char *name, int32_t number,
                          const KorWChar *text) {
  auto *button = new QPushButton(qtText(text));
  place(name, number, button, 0);
  QObject::connect(button, &QPushButton::clicked, [this, number] {
    send(&IGuiReceiver::OnButton, number, 1);
  });
}

void HostQtGui::AddCheckBox(const char *name, int32_t number,
                            const KorWChar *text) {
  auto *check = new QCheckBox(qtText(text));
  place(name, number, check, 0);
  QObject::connect(check, &QCheckBox::clicked, [this, number](bool checked) {
    send(&IGuiReceiver::OnButton, number, checked ? 1 : 0);
  });
}

void HostQtGui::AddMultiLineText(const char *name, int32_t number,
                                 int32_t width, int32_t height) {
  auto *text = new QPlainTextEdit;
  text->setReadOnly(true);
  if (usableSize(height))
    text->setMinimumHeight(height);
  place(name, number, text, width);
}

void HostQtGui::AddTreeList(const char *name, int32_t number, int32_t width,
                            int32_t height) {
  auto *tree = new QTreeWidget;
  tree->setColumnCount(1);
  tree->header()->hide();
  tree->setSelectionMode(QAbstractItemView::ExtendedSelection);
  if (usableSize(height))
    tree->setMinimumHeight(height);
  place(name, number, tree, width);
  QObject::connect(tree, &QTreeWidget::itemSelectionChanged,
                   [this, name = std::string(name ? name : ""), number] {
                     KorArray<int32_t> selected;
                     GetSelectedItems(name.c_str(), number, selected);
                     send(&IGuiReceiver::OnSelection, number,
                          selected.empty() ? 0 : selected[1]);
                   });
}
