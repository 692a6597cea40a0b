// Unit tests of a command's dialog on screen: the command lays it out
// through HostQtGui, receives the clicks as its own receiver and writes
// its results back into the widgets.
#include "commands/compbasecmd.h"
#include "host/cli/dialogcommand.h"
#include "tests/unit/support/qtguifixture.h"
#include <QSpinBox>
#include <QTreeWidget>

namespace {
/// A command with a small dialog: a count field, a list and a run button
/// that fills the count and colours the list's one item green.
class CountingCmd : public CompBaseCmd {
public:
  void LayoutDialog(IGuiUtil *builder) override {
    builder->SetTitle(u"Counting");
    builder->OpenRow();
    builder->AddLabel("CountLabel", 1, u"Count:", 0);
    builder->AddField("CountValue", 2, 1, 0);
    builder->CloseGroup();
    builder->AddTreeList("ListView", 0, 0, 0);
    builder->AddButton("RunAll", 5, u"Run All");
    builder->FinishLayout(-19998, 0);
  }
  bool Activate() override {
    IPtr<TestGuiItem> item(new TestGuiItem(1, u"only test"));
    gui()->AddListItem("ListView", 0, 0, item.get());
    return true;
  }
  void OnButton(int32_t widget, int32_t) override {
    if (widget != 5)
      return;
    ++runs;
    gui()->SetIntegerValue("CountValue", 2, runs);
    gui()->SetItemColour("ListView", 0, 1, 0, 1, 0, 1);
  }
  int32_t runs = 0;
};
} // namespace

TEST_F(QtGuiTest, ACommandDrivesItsOwnDialogThroughTheBaseReceiver) {
  IPtr<CountingCmd> command(new CountingCmd);
  gui_->setReceiver(dialogReceiverOf(*command));
  command->SetGuiUtil(gui_.get());
  command->LayoutDialog(gui_.get());
  ASSERT_TRUE(command->Activate());
  gui_->showDialog();

  ASSERT_TRUE(gui_->clickButton("Run All"));
  ASSERT_TRUE(gui_->clickButton("RunAll"));
  EXPECT_EQ(command->runs, 2);
  EXPECT_EQ(qobject_cast<QSpinBox *>(gui_->find("CountValue", 2))->value(), 2);
  EXPECT_EQ(gui_->listItem("ListView", 0, 1)->foreground(0).color(),
            QColor(0, 255, 0));
  EXPECT_EQ(gui_->window()->windowTitle(), "Counting");
  command->SetGuiUtil(nullptr);
}
