// Unit tests of korhost's on-screen dialog builder: events reaching the
// receiver, the file-name field, the save dialog and the window itself.
#include "tests/unit/support/qtguifixture.h"
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <gmock/gmock.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

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

  QTest::mouseClick(gui_->find("RunAll", 5), Qt::LeftButton);
  for (int click = 0; click < 3; ++click)
    qobject_cast<QCheckBox *>(gui_->find("Randomize", 23))->click();
  auto *seed = qobject_cast<QSpinBox *>(gui_->find("SeedValue", 25));
  seed->setFocus();
  QTest::keyClick(seed, Qt::Key_Up);
  qobject_cast<QComboBox *>(gui_->find("FormatterCombo", 9))
      ->setCurrentIndex(1);
  gui_->listItem("ListView", 0, 2)->setSelected(true);
  qobject_cast<QTreeWidget *>(gui_->find("ListView", 0))->clearSelection();

  EXPECT_THAT(receiver_->events,
              ElementsAre(GuiEvent{1, 5, 1}, GuiEvent{1, 23, 1},
                          GuiEvent{1, 23, 0}, GuiEvent{1, 23, 1},
                          GuiEvent{5, 25, 11}, GuiEvent{2, 9, 1},
                          GuiEvent{2, 0, 2}, GuiEvent{2, 0, 0}));
  EXPECT_TRUE(gui_->GetCheck("Randomize", 23));
  EXPECT_EQ(gui_->GetChoiceIndex("FormatterCombo", 9), 1);
  EXPECT_EQ(gui_->GetChoiceIndex("RouterCombo", 10), -1);
}

TEST_F(QtGuiTest, FileDialogsAskTheHookUnlessAPresetAnswers) {
  const KorWChar *name = nullptr;
  int32_t flags = 0;
  auto save = [&](const KorWChar *folder) {
    return gui_->GetSaveFileName(&name, &flags, folder, u"IKorMesh (*.ikm)");
  };
  // Off screen, without a hook, the dialog is cancelled instead of waiting.
  if (QGuiApplication::platformName() == "offscreen") {
    EXPECT_FALSE(save(u"/tmp"));
  }
  int asked = 0;
  QString askedFolder, askedFilter;
  std::optional<QString> answer = QString("/tmp/mesh.ikm");
  gui_->setFileDialogHook([&](const QString &folder, const QString &filter) {
    ++asked;
    askedFolder = folder;
    askedFilter = filter;
    return answer;
  });
  ASSERT_TRUE(save(u"C:\\saves"));
  EXPECT_EQ(std::u16string(name), u"/tmp/mesh.ikm");
  EXPECT_EQ(askedFolder, "C:/saves");
  EXPECT_EQ(askedFilter, "IKorMesh (*.ikm)");
  gui_->setPresetSaveName(u"/tmp/preset.ikm");
  ASSERT_TRUE(save(u""));
  EXPECT_EQ(std::u16string(name), u"/tmp/preset.ikm");
  gui_->setPresetSaveName(u"");
  EXPECT_FALSE(save(u""));
  EXPECT_EQ(asked, 1);
}

TEST_F(QtGuiTest, FileNameFieldShowsTheNameAndTellsOfUserEditsAndBrowsing) {
  IPtr<HostFileNameWidget> field(new HostFileNameWidget);
  field->SetFilter(u"All Files (*.*)");
  field->SetFileName(u"\\data\\test_results.txt");
  QString askedFolder, askedFilter;
  std::optional<QString> answer;
  gui_->setFileDialogHook([&](const QString &folder, const QString &filter) {
    askedFolder = folder;
    askedFilter = filter;
    return answer;
  });
  gui_->OpenRow();
  field->AddToDialog(gui_.get(), "OutputFilename", 11, 300);
  gui_->showDialog();
  auto *edit = qobject_cast<QLineEdit *>(gui_->find("OutputFilename", 11));
  auto *browse =
      gui_->window()->findChild<QPushButton *>("OutputFilenameBrowse");
  ASSERT_TRUE(edit && browse);
  browse->click(); // cancelled: nothing changes
  EXPECT_EQ(askedFolder, "/data");
  EXPECT_EQ(askedFilter, "All Files (*)");
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

TEST_F(QtGuiTest, WindowClicksButtonsByNameOrTextAndSavesAPicture) {
  gui_->OpenRow();
  gui_->AddButton("RunSelected", 4, u"Run Selected");
  gui_->AddButton("RunAll", 5, u"Run All");
  gui_->CloseGroup();
  gui_->showDialog();
  EXPECT_TRUE(gui_->clickButton("RunAll"));
  EXPECT_TRUE(gui_->clickButton("Run Selected"));
  EXPECT_FALSE(gui_->clickButton("Run Nothing"));
  EXPECT_THAT(receiver_->events,
              ElementsAre(GuiEvent{1, 5, 1}, GuiEvent{1, 4, 1}));

  QTemporaryDir folder;
  QString picture = folder.filePath("dialog.png");
  ASSERT_TRUE(gui_->saveScreenshot(picture.toStdString()));
  EXPECT_GT(QImage(picture).width(), 0);
  EXPECT_FALSE(gui_->saveScreenshot(
      folder.filePath("missing/dialog.png").toStdString()));

  gui_->closeDialog();
  EXPECT_EQ(gui_->window(), nullptr);
  EXPECT_EQ(gui_->widgetCount(), 0);
  gui_->AddLabel("Again", 1, u"a new dialog", 0);
  EXPECT_EQ(gui_->widgetCount(), 1);
}
