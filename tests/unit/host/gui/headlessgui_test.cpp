// Unit tests of korhost's screenless dialog services where the kortest
// dialog's tests (layout dump, clicks, selections) do not reach: list items
// are copies, and a selection replaces what the caller's array held.
#include "host/gui/guiitem.h"
#include "host/gui/headlessgui.h"
#include "KorBasicTypes/korarray.h"
#include <gtest/gtest.h>

TEST(HeadlessGui, KeepsACopyOfEachListItemAndFillsTheCallersSelection) {
  HostHeadlessGui gui;
  gui.AddTreeList("ListView", 0, 300, 200);
  // One item object filled and added twice gives two items.
  IPtr<HostGuiItem> item(new HostGuiItem);
  item->SetNumber(1);
  item->SetText(u"Suite");
  gui.AddListItem("ListView", 0, 0, item.get());
  item->SetNumber(2);
  item->SetText(u"Test");
  gui.AddListItem("ListView", 0, 1, item.get());
  const auto &items = gui.at("ListView", 0).items;
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].text, u"Suite");
  EXPECT_EQ(items[1].parent, 1);
  EXPECT_EQ(items[1].text, u"Test");

  gui.AddCheckBox("Randomize", 23, u"Randomize");
  gui.click("Randomize", 23); // nobody listens: the box still toggles
  EXPECT_TRUE(gui.GetCheck("Randomize", 23));
  gui.at("ListView", 0).selection = {2, 5};
  KorArray<int32_t> selected;
  selected.append(99);
  gui.GetSelectedItems("ListView", 0, selected);
  ASSERT_EQ(selected.count(), 2u);
  EXPECT_EQ(selected[1], 2);
  EXPECT_EQ(selected[2], 5);
  gui.ClearList("ListView", 0);
  gui.GetSelectedItems("ListView", 0, selected);
  EXPECT_TRUE(selected.empty());
  EXPECT_EQ(gui.widget("ListView", 1), nullptr);
}
