//===- qtguifixture.h - Qt application and recording receiver for tests ---===//
#pragma once
#include "commands/compbasecmd.h"
#include "component/iptr.h"
#include "host/gui/filenamewidget.h"
#include "host/gui/guiitem.h"
#include "host/gui/qt/qtgui.h"
#include <QApplication>
#include <gtest/gtest.h>
#include <tuple>
#include <vector>

/// The test binary's one QApplication, drawn off screen unless the caller
/// chose a platform. It lives until the process ends.
inline QApplication &qtTestApplication() {
  static int argc = 1;
  static char name[] = "qtguitests";
  static char *argv[] = {name, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication *application = new QApplication(argc, argv);
  return *application;
}

/// One event a dialog sent: receiver slot, widget number, value.
using GuiEvent = std::tuple<int, int32_t, int32_t>;

/// Keeps the events of the slots a dialog uses; an event sent to any other
/// slot is lost, so the recorded list shows it missing.
class RecordingReceiver : public CompBaseCmd {
public:
  void OnButton(int32_t w, int32_t v) override { events.push_back({1, w, v}); }
  void OnSelection(int32_t w, int32_t v) override {
    events.push_back({2, w, v});
  }
  void OnIntegerValue(int32_t w, int32_t v) override {
    events.push_back({5, w, v});
  }
  void OnNotify(int32_t w, int32_t v) override { events.push_back({7, w, v}); }
  std::vector<GuiEvent> events;
};

/// A fresh on-screen GUI whose events reach `receiver_`.
class QtGuiTest : public ::testing::Test {
protected:
  void SetUp() override {
    qtTestApplication();
    gui_ = IPtr<HostQtGui>(new HostQtGui);
    gui_->setReceiver(receiver_.get());
  }
  void TearDown() override { gui_->setReceiver(nullptr); }

  /// Adds an item numbered `number` under `parent` to the tree list 0.
  void addItem(int32_t number, int32_t parent, const KorWChar *text) {
    IPtr<HostGuiItem> item(new HostGuiItem);
    item->SetNumber(number);
    item->SetText(text);
    gui_->AddListItem("ListView", 0, parent, item.get());
  }

  IPtr<HostQtGui> gui_;
  IPtr<RecordingReceiver> receiver_{new RecordingReceiver};
};
