//===- qtdialoglayout.cpp - The window and widgets of an on-screen dialog -===//
#include "host/gui/qt/qtdialoglayout.h"
#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {
/// Widths and heights above this are taken as mistakes, not sizes.
constexpr int32_t kLargestSize = 4000;

bool usableSize(int32_t size) { return size > 0 && size <= kLargestSize; }

/// Arguments of the QApplication korhost makes; they must outlive it.
int applicationArgc = 1;
char applicationName[] = "korhost";
char *applicationArgv[] = {applicationName, nullptr};

/// A button's text as shown, without its shortcut marker.
QString shownText(const QAbstractButton &button) {
  QString text = button.text();
  text.remove(QLatin1Char('&'));
  return text;
}
} // namespace

QtDialogLayout::QtDialogLayout() = default;

QtDialogLayout::~QtDialogLayout() {
  clear();
  application_.reset();
}

QWidget &QtDialogLayout::window() {
  if (!QApplication::instance())
    application_ =
        std::make_unique<QApplication>(applicationArgc, applicationArgv);
  if (!window_) {
    window_ = std::make_unique<QWidget>();
    open_.assign(1, new QVBoxLayout(window_.get()));
  }
  return *window_;
}

QBoxLayout &QtDialogLayout::current() {
  window();
  return *open_.back();
}

void QtDialogLayout::place(const char *name, int32_t number, QWidget *widget,
                           int32_t width, int32_t height) {
  current().addWidget(widget);
  widget->setObjectName(QString::fromUtf8(name ? name : ""));
  if (usableSize(width))
    widget->setMinimumWidth(width);
  if (usableSize(height))
    widget->setMinimumHeight(height);
  widgets_[{name ? name : "", number}] = widget;
}

void QtDialogLayout::add(QWidget *widget) { current().addWidget(widget); }

void QtDialogLayout::openGroup(const QString &caption) {
  auto *group = new QGroupBox(caption);
  current().addWidget(group);
  open_.push_back(new QVBoxLayout(group));
}

void QtDialogLayout::openRow() {
  auto *row = new QHBoxLayout;
  current().addLayout(row);
  open_.push_back(row);
}

void QtDialogLayout::close() {
  if (open_.size() > 1)
    open_.pop_back();
}

void QtDialogLayout::closeAll() {
  if (!open_.empty())
    open_.resize(1);
}

QWidget *QtDialogLayout::find(const char *name, int32_t number) const {
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

QAbstractButton *QtDialogLayout::button(const std::string &name) const {
  QAbstractButton *byText = nullptr;
  for (const auto &[key, widget] : widgets_) {
    auto *button = qobject_cast<QAbstractButton *>(widget.data());
    if (!button)
      continue;
    if (key.first == name)
      return button;
    if (!byText && shownText(*button) == QString::fromStdString(name))
      byText = button;
  }
  return byText;
}

void QtDialogLayout::clear() {
  widgets_.clear();
  open_.clear();
  window_.reset();
}
