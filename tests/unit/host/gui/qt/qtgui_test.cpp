// Unit tests of korhost's on-screen dialog builder: the widget tree a
// layout builds and the values, ranges and colours it shows.
#include "KorBasicTypes/korarray.h"
#include "tests/unit/support/qtguifixture.h"
#include <QBoxLayout>
#include <QGroupBox>
#include <QLabel>
#include <QTreeWidget>

namespace {
/// The innermost box layout under `layout` that holds `widget`, or null.
QBoxLayout *layoutHolding(QLayout *layout, QWidget *widget) {
  for (int i = 0; layout && i < layout->count(); ++i) {
    QLayoutItem *item = layout->itemAt(i);
    if (item->widget() == widget)
      return qobject_cast<QBoxLayout *>(layout);
    if (QBoxLayout *inner = layoutHolding(item->layout(), widget))
      return inner;
  }
  return nullptr;
}

QBoxLayout *rowOf(QWidget *widget) {
  return layoutHolding(widget->parentWidget()->layout(), widget);
}

QStringList childTexts(QTreeWidgetItem *item) {
  QStringList texts;
  for (int i = 0; i < item->childCount(); ++i)
    texts << item->child(i)->text(0);
  return texts;
}
} // namespace

TEST_F(QtGuiTest, RowsLieSideBySideAndGroupsAreCaptionedBoxes) {
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
  gui_->FinishLayout(-19998, 0);

  QWidget *seed = gui_->find("SeedValue", 25);
  QWidget *list = gui_->find("RouterCombo", 10);
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
  addItem(5, 4, u"Colours");
  addItem(6, 99, u"Orphan"); // an unknown parent puts the item on top

  auto *tree = qobject_cast<QTreeWidget *>(gui_->find("ListView", 0));
  ASSERT_NE(tree, nullptr);
  ASSERT_EQ(tree->topLevelItemCount(), 3);
  EXPECT_EQ(childTexts(tree->topLevelItem(0)),
            QStringList({"AssertEquals", "TEST_PASS"}));
  EXPECT_EQ(childTexts(tree->topLevelItem(1)), QStringList({"Colours"}));
  EXPECT_EQ(tree->topLevelItem(2)->text(0), "Orphan");

  gui_->listItem("ListView", 0, 5)->setSelected(true);
  gui_->listItem("ListView", 0, 3)->setSelected(true);
  KorArray<int32_t> selected;
  selected.append(77);
  gui_->GetSelectedItems("ListView", 0, selected);
  ASSERT_EQ(selected.count(), 2u);
  EXPECT_EQ(selected[1], 3); // tree order, not selection order
  EXPECT_EQ(selected[2], 5);
  gui_->SetItemColour("ListView", 0, 1, 1, 0.5f, 0, 1);
  gui_->SetItemColour("ListView", 0, 42, 0, 0, 1, 1); // no such item: ignored
  EXPECT_EQ(gui_->listItem("ListView", 0, 1)->foreground(0).color(),
            QColor::fromRgbF(1, 0.5f, 0, 1));
}

TEST_F(QtGuiTest, AKeyWithAnotherNameFallsBackToTheOneWidgetOfItsNumber) {
  gui_->AddField("SeedValue", 25, 1, 0);
  gui_->AddLabel("Twin", 7, u"a", 0);
  gui_->AddLabel("Other", 7, u"b", 0);
  QWidget *seed = gui_->find("SeedValue", 25);
  EXPECT_EQ(gui_->find(nullptr, 25), seed);
  EXPECT_EQ(gui_->find("Misnamed", 25), seed);
  EXPECT_EQ(gui_->find(nullptr, 7), nullptr); // two share the number
  EXPECT_EQ(gui_->find("SeedValue", 26), nullptr);
}
