//===- qtguifixture.h - Qt application and recording receiver for tests ---===//
#pragma once
#include "component/iguireceiver.h"
#include "host/gui/filenamewidget.h"
#include "component/iptr.h"
#include "host/gui/qt/qtgui.h"
#include <QApplication>
#include <QByteArray>
#include <gtest/gtest.h>
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
struct GuiEvent {
  int slot;
  int32_t widget;
  int32_t value;
  bool operator==(const GuiEvent &) const = default;
};

inline void PrintTo(const GuiEvent &event, std::ostream *out) {
  *out << "slot " << event.slot << " (" << event.widget << ", " << event.value
       << ")";
}

/// A receiver that keeps every event, tagged with its slot.
class RecordingReceiver : public IGuiReceiver {
public:
  KOR_CLASS(RecordingReceiver, IGuiReceiver)
  std::vector<GuiEvent> events;

  void OnGuiEvent0(int32_t w, int32_t v) override {
    events.push_back({0, w, v});
  }
  void OnButton(int32_t w, int32_t v) override { events.push_back({1, w, v}); }
  void OnSelection(int32_t w, int32_t v) override {
    events.push_back({2, w, v});
  }
  void OnGuiEvent3(int32_t w, int32_t v) override {
    events.push_back({3, w, v});
  }
  void OnGuiEvent4(int32_t w, int32_t v) override {
    events.push_back({4, w, v});
  }
  void OnIntegerValue(int32_t w, int32_t v) override {
    events.push_back({5, w, v});
  }
  void OnGuiEvent6(int32_t w, int32_t v) override {
    events.push_back({6, w, v});
  }
  void OnNotify(int32_t w, int32_t v) override { events.push_back({7, w, v}); }
  void OnGuiEvent8(int32_t w, int32_t v) override {
    events.push_back({8, w, v});
  }
  void OnGuiEvent9(int32_t w, int32_t v) override {
    events.push_back({9, w, v});
  }
  void OnGuiEvent10(int32_t w, int32_t v) override {
    events.push_back({10, w, v});
  }
  void OnGuiEvent11(int32_t w, int32_t v) override {
    events.push_back({11, w, v});
  }
  void OnGuiEvent12(int32_t w, int32_t v) override {
    events.push_back({12, w, v});
  }
  void OnGuiEvent13(int32_t w, int32_t v) override {
    events.push_back({13, w, v});
  }
  void OnGuiEvent14(int32_t w, int32_t v) override {
    events.push_back({14, w, v});
  }
  void OnGuiEvent15(int32_t w, int32_t v) override {
    events.push_back({15, w, v});
  }
  void OnGuiEvent16(int32_t w, int32_t v) override {
    events.push_back({16, w, v});
  }
  void OnGuiEvent17(int32_t w, int32_t v) override {
    events.push_back({17, w, v});
  }
  void OnGuiEvent18(int32_t w, int32_t v) override {
    events.push_back({18, w, v});
  }
  void OnGuiEvent19(int32_t w, int32_t v) override {
    events.push_back({19, w, v});
  }
};

/// A list item as a command hands it to the dialog.
class TestGuiItem : public IGuiItem {
public:
  KOR_CLASS(TestGuiItem, IGuiItem)
  TestGuiItem(int32_t number, std::u16string text)
      : number_(number), text_(std::move(text)) {}
  void SetNumber(int32_t number) override { number_ = number; }
  int32_t Number() override { return number_; }
  void SetText(const KorWChar *text) override { text_ = text ? text : u""; }
  const KorWChar *Text() override { return text_.c_str(); }

private:
  int32_t number_;
  std::u16string text_;
};

/// A fresh on-screen GUI whose events reach `receiver`.
class QtGuiTest : public ::testing::Test {
protected:
  void SetUp() override {
    qtTestApplication();
    gui_ = IPtr<HostQtGui>(new HostQtGui);
    receiver_ = IPtr<RecordingReceiver>(new RecordingReceiver);
    gui_->setReceiver(receiver_.get());
  }
  void TearDown() override { gui_->setReceiver(nullptr); }

  /// Adds an item numbered `number` under `parent` to the tree list 0.
  void addItem(int32_t number, int32_t parent, std::u16string text) {
    IPtr<TestGuiItem> item(new TestGuiItem(number, std::move(text)));
    gui_->AddListItem("ListView", 0, parent, item.get());
  }

  IPtr<HostQtGui> gui_;
  IPtr<RecordingReceiver> receiver_;
};
