// Unit tests of korhost's screenless dialog services.
#include "commands/compbasecmd.h"
#include "host/gui/headlessgui.h"
#include "KorBasicTypes/korarray.h"
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

namespace {
/// Keeps the events a dialog sends, as "slot:widget:value".
class EventLog : public CompBaseCmd {
public:
  void OnButton(int32_t widget, int32_t state) override {
    log(1, widget, state);
  }
  void OnSelection(int32_t widget, int32_t count) override {
    log(2, widget, count);
  }
  void OnIntegerValue(int32_t widget, int32_t value) override {
    log(5, widget, value);
  }
  void OnNotify(int32_t widget, int32_t code) override { log(7, widget, code); }
  std::vector<std::string> events;

private:
  void log(int slot, int32_t widget, int32_t value) {
    events.push_back(std::to_string(slot) + ":" + std::to_string(widget) + ":" +
                     std::to_string(value));
  }
};
} // namespace

TEST(HeadlessGui, KeepsRowsGroupsAndACopyOfEachListItem) {
  HostHeadlessGui gui;
  gui.OpenRow();
  gui.AddTreeList("ListView", 0, 300, 200);
  gui.CloseGroup();
  gui.OpenGroup(u"Result summary");
  gui.OpenRow();
  gui.AddLabel("PassedLabel", 15, u"Passed:", 0);
  gui.CloseGroup();
  gui.CloseGroup();
  gui.OpenRow();
  gui.AddButton("RunAll", 5, u"Run All");
  gui.CloseGroup();
  EXPECT_EQ(gui.at("ListView", 0).row, 1);
  EXPECT_EQ(gui.at("PassedLabel", 15).row, 2);
  EXPECT_EQ(gui.at("PassedLabel", 15).group, u"Result summary");
  EXPECT_EQ(gui.at("RunAll", 5).group, u"");
  ASSERT_EQ(gui.creationOrder().size(), 3u);
  EXPECT_EQ(gui.creationOrder()[1].first, "PassedLabel");

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
}

TEST(HeadlessGui, UserActionsChangeTheWidgetAndTellTheReceiver) {
  HostHeadlessGui gui;
  IPtr<EventLog> receiver(new EventLog);
  gui.AddCheckBox("Randomize", 23, u"Randomize");
  gui.AddButton("RunAll", 5, u"Run All");
  gui.click("Randomize", 23); // nobody listens yet
  gui.setReceiver(receiver.get());
  gui.click("Randomize", 23);
  gui.click("RunAll", 5);
  gui.selectItems("ListView", 0, {3, 4});
  gui.enterInteger("SeedValue", 25, 9);
  gui.typeFileName("OutputFilename", 11, u"d:");
  EXPECT_FALSE(gui.GetCheck("Randomize", 23));
  EXPECT_EQ(gui.at("SeedValue", 25).integerValue, 9);
  EXPECT_EQ(receiver->events,
            (std::vector<std::string>{"1:23:0", "1:5:1", "2:0:2", "5:25:9",
                                      "7:11:0"}));
  gui.setReceiver(nullptr);
}
