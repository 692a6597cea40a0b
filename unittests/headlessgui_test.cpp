// Unit tests of korhost's screenless dialog services.
#include "headlessgui.h"
#include "korarray.h"
#include <gtest/gtest.h>

TEST(HeadlessGui, KeepsWidgetsByNameAndNumber) {
  HostHeadlessGui gui;
  const KorWChar *items[] = {u"GenVisualStudioResultsFormatter",
                             u"GenXmlResultsFormatter"};
  gui.AddChoiceList("FormatterCombo", 9, u"Format", items, 2, 0);
  gui.AddCheckBox("Randomize", 23, u"Randomize");
  gui.AddField("SeedValue", 25, 1, 80);
  gui.SetIntegerValue("SeedValue", 25, 42);
  gui.EnableField("SeedValue", 25, false, -30000);

  EXPECT_EQ(gui.GetChoiceIndex("FormatterCombo", 9), 0);
  gui.at("FormatterCombo", 9).choice = 1;
  EXPECT_EQ(gui.GetChoiceIndex("FormatterCombo", 9), 1);
  EXPECT_FALSE(gui.GetCheck("Randomize", 23));
  ASSERT_NE(gui.widget("SeedValue", 25), nullptr);
  EXPECT_EQ(gui.widget("SeedValue", 25)->integerValue, 42);
  EXPECT_FALSE(gui.widget("SeedValue", 25)->enabled);
  EXPECT_EQ(gui.widget("SeedValue", 26), nullptr);
}

TEST(HeadlessGui, ListSelectionFillsTheCallersArray) {
  HostHeadlessGui gui;
  gui.AddTreeList("ListView", 0, 300, 200);
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
}

TEST(HeadlessGui, SaveDialogAnswersThePresetNameOrIsCancelled) {
  HostHeadlessGui gui;
  const KorWChar *name = nullptr;
  int32_t flags = 0;
  gui.setPresetSaveName(u"");
  EXPECT_FALSE(
      gui.GetSaveFileName(&name, &flags, u"/tmp", u"IKorMesh (*.ikm)"));
  gui.setPresetSaveName(u"/tmp/mesh.ikm");
  ASSERT_TRUE(gui.GetSaveFileName(&name, &flags, u"/tmp", u"IKorMesh (*.ikm)"));
  EXPECT_EQ(std::u16string(name), u"/tmp/mesh.ikm");
}
