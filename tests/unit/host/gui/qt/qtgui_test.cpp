//===- qtgui_test.cpp - korhost's on-screen dialog builder ----------------===//
// The widget tree a layout builds, the events that reach the command, the
// save dialog and the file-name field, drawn on Qt's off-screen platform.
#include "KorBasicTypes/korarray.h"
#include "commands/compbasecmd.h"
#include "host/gui/filenamewidget.h"
#include "host/gui/guiitem.h"
#include "host/gui/qt/qtgui.h"
#include <QApplication>
#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTreeWidget>
#include <gmock/gmock.h>

namespace {
using ::testing::ElementsAre;
using ::testing::IsEmpty;
/// One event a dialog sent: receiver slot, widget number, value.
using GuiEvent = std::tuple<int, int32_t, int32_t>;

/// Keeps the events of the slots a dialog uses; an event sent to any other
/// slot is lost, so the recorded list shows it missing.
class RecordingReceiver : public CompBaseCmd {
public:
  void OnButton(int32_t w, int32_t v) override { add(1, w, v); }
  void OnSelection(int32_t w, int32_t v) override { add(2, w, v); }
  void OnIntegerValue(int32_t w, int32_t v) override { add(5, w, v); }
  void OnNotify(int32_t w, int32_t v) override { add(7, w, v); }
  void add(int slot, int32_t w, int32_t v) { events.push_back({slot, w, v}); }
  std::vector<GuiEvent> events;
};

/// A fresh GUI whose events reach `receiver_`, in the binary's one
/// QApplication (off screen unless the caller chose a platform).
class QtGuiTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    static int argc = 1;
    static char name[] = "qtguitests", *argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
      qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication *application = new QApplication(argc, argv);
    (void)application;
  }
  QtGuiTest() { gui_->setReceiver(receiver_.get()); }

  /// Adds an item numbered `number` under `parent` to the tree list 0.
  void addItem(int32_t number, int32_t parent, const KorWChar *text) {
    IPtr<HostGuiItem> item(new HostGuiItem);
    item->SetNumber(number);
    item->SetText(text);
    gui_->AddListItem("ListView", 0, parent, item.get());
  }
  template <class W> W *widget(const char *name, int32_t number) {
    return qobject_cast<W *>(gui_->find(name, number));
  }

  IPtr<RecordingReceiver> receiver_{new RecordingReceiver};
  IPtr<HostQtGui> gui_{new HostQtGui};
};

/// The innermost box layout under `layout` that holds `widget`, or null.
QBoxLayout *layoutHolding(QLayout *layout, QWidget *widget) {
  for (int i = 0; layout && i < layout->count(); ++i) {
    if (layout->itemAt(i)->widget() == widget)
      return qobject_cast<QBoxLayout *>(layout);
    if (QBoxLayout *inner = layoutHolding(layout->itemAt(i)->layout(), widget))
      return inner;
  }
  return nullptr;
}
QBoxLayout *rowOf(QWidget *widget) {
  return layoutHolding(widget->parentWidget()->layout(), widget);
}

TEST_F(QtGuiTest, RowsLieSideBySideGroupsAreCaptionedBoxesKeysFallBack) {
  gui_->OpenRow();
  const KorWChar *routers[] = {u"GenStdStreamsResultsRouter"};
  gui_->AddChoiceList("RouterCombo", 10, u"Router", routers, 1, 0);
  gui_->AddField("SeedValue", 25, 1, 80);
  gui_->CloseGroup();
  gui_->OpenGroup(u"Result summary");
  gui_->OpenRow();
  gui_->AddField("PassedValue", 16, 1, 0);
  gui_->CloseGroup();
  gui_->CloseGroup();
  gui_->AddButton("RunAll", 5, u"Run All");
  gui_->AddLabel("Twin", 7, u"a", 0);
  gui_->AddLabel("Other", 7, u"b", 0);
  gui_->FinishLayout(-19998, 0);

  QWidget *seed = gui_->find("SeedValue", 25);
  QWidget *list = gui_->find("RouterCombo", 10);
  // A key with another name falls back to the one widget of its number.
  EXPECT_EQ(gui_->find("Misnamed", 25), seed);
  EXPECT_EQ(gui_->find(nullptr, 25), seed);
  EXPECT_EQ(gui_->find(nullptr, 7), nullptr); // two share the number
  EXPECT_EQ(gui_->find("SeedValue", 26), nullptr);
  EXPECT_EQ(rowOf(seed)->direction(), QBoxLayout::LeftToRight);
  EXPECT_EQ(rowOf(list), rowOf(seed));
  auto *caption = gui_->window()->findChild<QLabel *>();
  ASSERT_NE(caption, nullptr);
  EXPECT_EQ(caption->text(), "Router");
  EXPECT_EQ(caption->buddy(), list);
  QWidget *passed = gui_->find("PassedValue", 16);
  auto *group = qobject_cast<QGroupBox *>(passed->parentWidget());
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(group->title(), "Result summary");
  EXPECT_EQ(rowOf(passed)->direction(), QBoxLayout::LeftToRight);
  // After both closes the button is back in the window's own column.
  QWidget *button = gui_->find("RunAll", 5);
  EXPECT_EQ(button->parentWidget(), gui_->window());
  EXPECT_EQ(rowOf(button)->direction(), QBoxLayout::TopToBottom);
}

TEST_F(QtGuiTest, TreeListNestsItemsReportsSelectionAndTakesColours) {
  gui_->AddTreeList("ListView", 0, 400, 200);
  addItem(1, 0, u"TestAssert");
  addItem(2, 1, u"AssertEquals");
  addItem(3, 1, u"TEST_PASS");
  addItem(4, 0, u"SpecSuite");
  addItem(5, 99, u"Orphan"); // an unknown parent puts the item on top
  auto *tree = widget<QTreeWidget>("ListView", 0);
  ASSERT_EQ(tree->topLevelItemCount(), 3);
  EXPECT_EQ(tree->topLevelItem(0)->child(1)->text(0), "TEST_PASS");
  EXPECT_EQ(tree->topLevelItem(2)->text(0), "Orphan");

  gui_->listItem("ListView", 0, 5)->setSelected(true);
  gui_->listItem("ListView", 0, 3)->setSelected(true);
  KorArray<int32_t> selected;
  selected.append(77);
  gui_->GetSelectedItems("ListView", 0, selected);
  ASSERT_EQ(selected.count(), 2u);
  EXPECT_EQ(std::pair(selected[1], selected[2]), std::pair(3, 5))
      << "tree order, not selection order";
  gui_->SetItemColour("ListView", 0, 1, 1, 0.5f, 0, 1);
  gui_->SetItemColour("ListView", 0, 42, 0, 0, 1, 1); // no such item: ignored
  EXPECT_EQ(gui_->listItem("ListView", 0, 1)->foreground(0).color(),
            QColor::fromRgbF(1, 0.5f, 0, 1));
}

TEST_F(QtGuiTest, UserChangesReachTheReceiverButTheCommandsOwnDoNot) {
  gui_->AddButton("RunAll", 5, u"Run All");
  gui_->AddCheckBox("Randomize", 23, u"Randomize");
  gui_->AddField("SeedValue", 25, 1, 0);
  const KorWChar *formats[] = {u"GenVisualStudioResultsFormatter",
                               u"GenXmlResultsFormatter"};
  gui_->AddChoiceList("FormatterCombo", 9, u"Format", formats, 2, 0);
  gui_->AddTreeList("ListView", 0, 0, 0);
  for (int pass = 0; pass < 2; ++pass) { // a cleared list fills again
    gui_->ClearList("ListView", 0);
    addItem(1, 0, u"Suite");
    addItem(2, 1, u"Test");
  }
  gui_->SetIntegerRange("SeedValue", 25, 0, 100);
  gui_->SetIntegerValue("SeedValue", 25, 10);
  gui_->showDialog();
  ASSERT_THAT(receiver_->events, IsEmpty());

  EXPECT_TRUE(gui_->clickButton("RunAll")); // by name; dialog.sh by text
  EXPECT_FALSE(gui_->clickButton("Run Nothing"));
  for (int click = 0; click < 3; ++click)
    widget<QCheckBox>("Randomize", 23)->click();
  widget<QSpinBox>("SeedValue", 25)->setFocus();
  QTest::keyClick(widget<QSpinBox>("SeedValue", 25), Qt::Key_Up);
  widget<QComboBox>("FormatterCombo", 9)->setCurrentIndex(1);
  gui_->listItem("ListView", 0, 2)->setSelected(true);
  widget<QTreeWidget>("ListView", 0)->clearSelection();
  EXPECT_THAT(receiver_->events,
              ElementsAre(GuiEvent{1, 5, 1}, GuiEvent{1, 23, 1},
                          GuiEvent{1, 23, 0}, GuiEvent{1, 23, 1},
                          GuiEvent{5, 25, 11}, GuiEvent{2, 9, 1},
                          GuiEvent{2, 0, 2}, GuiEvent{2, 0, 0}));
  EXPECT_TRUE(gui_->GetCheck("Randomize", 23));
  EXPECT_EQ(gui_->GetChoiceIndex("FormatterCombo", 9), 1);
  EXPECT_EQ(gui_->GetChoiceIndex("RouterCombo", 10), -1);

  EXPECT_FALSE(gui_->saveScreenshot("/nonexistent/kortest/dialog.png"));
  gui_->closeDialog();
  EXPECT_EQ(gui_->window(), nullptr);
  EXPECT_EQ(gui_->widgetCount(), 0);
  gui_->AddLabel("Again", 1, u"a new dialog", 0);
  EXPECT_EQ(gui_->widgetCount(), 1);
}

TEST_F(QtGuiTest, SaveDialogAndFileNameFieldAskTheHookUnlessAPresetAnswers) {
  const KorWChar *name = nullptr;
  int32_t flags = 0, asked = 0;
  auto save = [&](const KorWChar *folder) {
    return gui_->GetSaveFileName(&name, &flags, folder, u"IKorMesh (*.ikm)");
  };
  // Off screen, without a hook, the dialog is cancelled instead of waiting.
  if (QGuiApplication::platformName() == "offscreen") {
    EXPECT_FALSE(save(u"/tmp"));
  }
  QString askedFolder, askedFilter;
  std::optional<QString> answer = QString("/tmp/mesh.ikm");
  gui_->setFileDialogHook([&](const QString &folder, const QString &filter) {
    ++asked, askedFolder = folder, askedFilter = filter;
    return answer;
  });
  ASSERT_TRUE(save(u"C:\\saves"));
  EXPECT_EQ(std::u16string(name), u"/tmp/mesh.ikm");
  EXPECT_EQ(askedFolder + "|" + askedFilter, "C:/saves|IKorMesh (*.ikm)");
  gui_->setPresetSaveName(u"/tmp/preset.ikm");
  ASSERT_TRUE(save(u""));
  EXPECT_EQ(std::u16string(name), u"/tmp/preset.ikm");
  gui_->setPresetSaveName(u"");
  EXPECT_FALSE(save(u""));
  EXPECT_EQ(asked, 1);
  gui_->setPresetSaveName(std::nullopt);

  IPtr<HostFileNameWidget> field(new HostFileNameWidget);
  field->SetFilter(u"All Files (*.*)");
  field->SetFileName(u"\\data\\test_results.txt");
  gui_->OpenRow();
  field->AddToDialog(gui_.get(), "OutputFilename", 11, 300);
  gui_->showDialog();
  auto *edit = widget<QLineEdit>("OutputFilename", 11);
  auto *browse =
      gui_->window()->findChild<QPushButton *>("OutputFilenameBrowse");
  ASSERT_TRUE(edit && browse);
  answer = std::nullopt;
  browse->click(); // cancelled: nothing changes
  EXPECT_EQ(askedFolder + "|" + askedFilter, "/data|All Files (*)");
  EXPECT_EQ(std::u16string(field->GetFileName()), u"\\data\\test_results.txt");
  field->SetFileName(u"/data/other.txt"); // the command's own change
  EXPECT_EQ(edit->text(), "/data/other.txt");
  EXPECT_THAT(receiver_->events, IsEmpty());

  answer = QString("/tmp/chosen.txt");
  browse->click();
  EXPECT_EQ(edit->text(), "/tmp/chosen.txt");
  edit->selectAll();
  QTest::keyClicks(edit, "d:");
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(std::u16string(field->GetFileName()), u"d:");
  EXPECT_THAT(receiver_->events,
              ElementsAre(GuiEvent{7, 11, 0}, GuiEvent{7, 11, 0}));
  gui_->closeDialog();
  field->SetFileName(u"/after/close.txt"); // must not reach a dead widget
}
} // namespace
