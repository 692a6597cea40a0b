// Unit tests of the "Run Programmer Tests" dialog drawn by Qt off screen:
// the kortest command lays it out in real widgets, and the tests click,
// select and type into them as a person would.
#include "commands/kortestcmd.h"
#include "commands/kortestdialog.h"
#include "tests/unit/support/hostservicesfixture.h"
#include "frame/kortestdecl.h"
#include "tests/unit/support/qtguifixture.h"
#include "testservice/gentestservice.h"
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace kortest_widget;

namespace {
int gRuns = 0;

class QtDlgSuite : public KorTestSuiteBase {
  KOR_TEST_SUITE(QtDlgSuite, "Qt Dialog Suite")
  KOR_TEST(PassTest, "Pass", "QTDLG") { ++gRuns; }
  KOR_TEST(FailTest, "Fail", "QTDLG") {
    ++gRuns;
    TEST_FAIL("expected to fail");
  }
};

/// Every korhost service with the on-screen GUI, one suite, and the
/// command's dialog laid out, activated and shown.
class QtKortestDialogTest : public HostServicesTest {
protected:
  void SetUp() override {
    qtTestApplication();
    auto *service = new GenTestService;
    setUpServices("qtkortestdialog_test", service, "IGuiUtil");
    gui_ = new HostQtGui;
    manager_->RegisterService("IGuiUtil", static_cast<IGuiUtil *>(gui_));
    QtDlgSuite &suite = korCreateSuite<QtDlgSuite>();
    for (int i = 1; i <= suite.TestCount(); ++i)
      service->AddTest(suite.TestAt(i));
    gRuns = 0;

    command_ = IPtr<KortestCmd>(new KortestCmd);
    IPtr<IGuiReceiver> receiver(command_.get());
    ASSERT_TRUE(receiver);
    gui_->setReceiver(receiver.get());
    command_->SetGuiUtil(gui_);
    command_->LayoutDialog(gui_);
    ASSERT_TRUE(command_->Activate());
    gui_->showDialog();
  }
  void TearDown() override {
    gui_->closeDialog();
    gui_->setReceiver(nullptr);
    command_->SetGuiUtil(nullptr);
    command_.reset();
    HostServicesTest::TearDown();
  }

  template <class Widget> Widget *at(Key key) {
    auto *widget = qobject_cast<Widget *>(gui_->find(key.name, key.number));
    EXPECT_NE(widget, nullptr) << key.name;
    return widget;
  }
  /// The tree item whose text is `text` (a suite or one of its tests).
  QTreeWidgetItem *item(const QString &text) {
    auto found = at<QTreeWidget>(kListView)->findItems(
        text, Qt::MatchExactly | Qt::MatchRecursive);
    EXPECT_EQ(found.size(), 1) << text.toStdString();
    return found.value(0);
  }
  QColor colour(const QString &text) {
    return item(text)->foreground(0).color();
  }
  void select(const QStringList &texts) {
    QTreeWidget *tree = at<QTreeWidget>(kListView);
    tree->clearSelection();
    for (const QString &text : texts)
      item(text)->setSelected(true);
  }

  HostQtGui *gui_ = nullptr;
  IPtr<KortestCmd> command_;
};
} // namespace

TEST_F(QtKortestDialogTest, WidgetsCarryTheirLabelsChoicesAndRanges) {
  EXPECT_EQ(gui_->window()->windowTitle(), "Run Programmer Tests");
  EXPECT_EQ(at<QPushButton>(kRunAll)->text(), "Run All");
  EXPECT_EQ(at<QPushButton>(kRunSelected)->text(), "Run Selected");
  EXPECT_EQ(at<QCheckBox>(kRandomize)->text(), "Randomize");
  EXPECT_EQ(at<QLabel>(kPassedLabel)->text(), "Passed:");
  QComboBox *formats = at<QComboBox>(kFormatterCombo);
  ASSERT_GE(formats->count(), 2);
  EXPECT_EQ(formats->itemText(0), "GenVisualStudioResultsFormatter");
  EXPECT_EQ(formats->itemText(1), "GenXmlResultsFormatter");
  QDoubleSpinBox *elapsed = at<QDoubleSpinBox>(kElapsedTimeValue);
  EXPECT_EQ(elapsed->decimals(), 4);
  EXPECT_DOUBLE_EQ(elapsed->singleStep(), 0.001);
  QTreeWidget *tree = at<QTreeWidget>(kListView);
  ASSERT_EQ(tree->topLevelItemCount(), 1);
  EXPECT_EQ(tree->topLevelItem(0)->text(0), "Qt Dialog Suite");
  EXPECT_EQ(tree->topLevelItem(0)->childCount(), 2);
}

TEST_F(QtKortestDialogTest, RunAllColoursTheTreeAndFillsTheSummary) {
  ASSERT_TRUE(gui_->clickButton("Run All"));
  EXPECT_EQ(gRuns, 2);
  EXPECT_EQ(colour("Pass"), QColor(0, 255, 0));
  EXPECT_EQ(colour("Fail"), QColor(255, 0, 0));
  EXPECT_EQ(colour("Qt Dialog Suite"), QColor(255, 0, 0));
  EXPECT_EQ(at<QSpinBox>(kTestedValue)->value(), 2);
  EXPECT_EQ(at<QSpinBox>(kPassedValue)->value(), 1);
  EXPECT_EQ(at<QSpinBox>(kFailedValue)->value(), 1);
  EXPECT_EQ(at<QSpinBox>(kSkippedValue)->value(), 0);

  select({"Fail"});
  EXPECT_EQ(at<QPlainTextEdit>(kResultsText)->toPlainText(),
            "Failed\nexpected to fail\n");
  select({"Qt Dialog Suite"});
  EXPECT_EQ(at<QPlainTextEdit>(kResultsText)->toPlainText(), "");
}

TEST_F(QtKortestDialogTest, RunSelectedRunsASuiteAndItsTestOnce) {
  select({"Qt Dialog Suite", "Pass"});
  ASSERT_TRUE(gui_->clickButton("RunSelected"));
  EXPECT_EQ(gRuns, 2);
  EXPECT_EQ(at<QSpinBox>(kTestedValue)->value(), 2);
}

TEST_F(QtKortestDialogTest, SeedFollowsRandomizeAndFileNamesReachTheCommand) {
  QSpinBox *seed = at<QSpinBox>(kSeedValue);
  EXPECT_TRUE(seed->isEnabled());
  at<QCheckBox>(kRandomize)->click();
  EXPECT_FALSE(seed->isEnabled());
  at<QCheckBox>(kRandomize)->click();
  EXPECT_TRUE(seed->isEnabled());

  QLineEdit *name = at<QLineEdit>(kOutputFilename);
  name->setText("d:");
  emit name->editingFinished();
  EXPECT_EQ(command_->outputFileName().view(), u"d:\\");

  std::string file = (dir_ / "report.txt").string();
  name->setText(QString::fromStdString(file));
  emit name->editingFinished();
  at<QComboBox>(kRouterCombo)->setCurrentIndex(3); // into the output file
  ASSERT_TRUE(gui_->clickButton("Run All"));
  std::ifstream in(file);
  std::stringstream report;
  report << in.rdbuf();
  EXPECT_NE(report.str().find("expected to fail"), std::string::npos);
}
