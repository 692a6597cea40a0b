// Unit tests of korhost's INI settings store.
#include "settingsstore.h"
#include "hostoptions.h"
#include <gtest/gtest.h>

namespace {
class Receiver : public IKorDataReceiver {
public:
  KOR_CLASS(Receiver, IKorDataReceiver)
  void OnDataChanged(const char *key, double value) override {
    lastKey = key;
    lastValue = value;
  }
  std::string lastKey;
  double lastValue = 0;
};
} // namespace

TEST(SettingsStore, ReadsSectionsAsSlashKeys) {
  HostSettingsStore store;
  ASSERT_EQ(store.loadText("[Memory]\nMemLimit = 2048.5\nUseErrorService = "
                           "yes\n[Directories]\nSave Directory = /tmp/ä\n"),
            0);
  EXPECT_DOUBLE_EQ(store.GetDouble("Memory/MemLimit", 0), 2048.5);
  EXPECT_TRUE(store.GetBool("Memory/UseErrorService", 0));
  EXPECT_FALSE(store.GetBool("Memory/Missing", 0));
  bool found = false;
  EXPECT_EQ(std::u16string(store.GetString("Directories/Save Directory",
                                           &found)),
            u"/tmp/ä");
  EXPECT_TRUE(found);
  EXPECT_EQ(store.GetString("Directories/None", &found), nullptr);
  EXPECT_FALSE(found);
}

TEST(SettingsStore, KeepsSectionValuesInFileOrder) {
  HostSettingsStore store;
  store.loadText("[KorTest]\nb = 2\na = 1\n[Other]\nc = 3\n");
  auto values = store.sectionValues("KorTest");
  ASSERT_EQ(values.size(), 2u);
  EXPECT_EQ(values[0].first, "b");
  EXPECT_EQ(values[1].second, "1");
}

TEST(SettingsStore, BadLinesAndMissingFilesAreReportedWithTheirPlace) {
  HostSettingsStore store;
  EXPECT_EQ(store.loadText("[ok]\nnot a setting line\n"), 2);
  try {
    store.loadFile("/nonexistent/korhost.ini");
    FAIL() << "expected a HostError";
  } catch (const HostError &e) {
    EXPECT_NE(e.message.find("/nonexistent/korhost.ini"), std::string::npos);
    EXPECT_EQ(e.exitCode, 2);
  }
}

TEST(SettingsStore, WatchersHearChangesAsNumbers) {
  HostSettingsStore store;
  auto *receiver = new Receiver;
  IPtr<IKorDataReceiver> keep(static_cast<IKorDataReceiver *>(receiver));
  store.Watch("Memory/MemLimit", receiver);
  store.set("Memory/MemLimit", "4096");
  EXPECT_EQ(receiver->lastKey, "Memory/MemLimit");
  EXPECT_DOUBLE_EQ(receiver->lastValue, 4096);
  EXPECT_DOUBLE_EQ(store.GetDouble("Memory/MemLimit", 0), 4096);
}
