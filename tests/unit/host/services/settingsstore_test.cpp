// Unit tests of korhost's INI settings store.
#include "host/services/settingsstore.h"
#include "host/cli/hostoptions.h"
#include <fstream>
#include <gtest/gtest.h>
#include <optional>

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

struct SettingsLinesCase {
  const char *name;
  std::string text;
  int badLine; ///< What loadText returns.
  const char *key = nullptr;
  std::string value = {};
};

void PrintTo(const SettingsLinesCase &c, std::ostream *os) { *os << c.name; }

class SettingsLines : public testing::TestWithParam<SettingsLinesCase> {};

TEST_P(SettingsLines, ReportTheFirstBadLineAndKeepTheGoodOnes) {
  const SettingsLinesCase &c = GetParam();
  HostSettingsStore store;
  EXPECT_EQ(store.loadText(c.text), c.badLine);
  if (c.key) {
    const std::string *value = store.find(c.key);
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(*value, c.value);
  }
}

const std::string kLongPath = "/srv/" + std::string(400, 'p');

INSTANTIATE_TEST_SUITE_P(
    SettingsStore, SettingsLines,
    testing::Values(
        SettingsLinesCase{"NotASettingLine", "[ok]\nnot a setting line\n", 2},
        SettingsLinesCase{"UnclosedSection", "[KorTest\nbroken", 1},
        SettingsLinesCase{"NoName", "[a]\nx = 1\n = 2\n", 3, "a/x", "1"},
        SettingsLinesCase{"LongValue", "[D]\nSave = " + kLongPath + "\n", 0,
                          "D/Save", kLongPath},
        SettingsLinesCase{"LongComment",
                          "; " + std::string(1000, 'c') + "\n[D]\nk = v\n", 0,
                          "D/k", "v"},
        SettingsLinesCase{"BadLineAfterLongLines",
                          "[D]\na = " + kLongPath + "\n# " + kLongPath +
                              "\r\n\r\nbroken " + kLongPath + "\nb = 2\n",
                          5, "D/b", "2"},
        SettingsLinesCase{"ByteOrderMarkAndKeysBeforeSections",
                          "\xEF\xBB\xBFtop = 1\n[s]\n", 0, "/top", "1"},
        SettingsLinesCase{"LastAssignmentWins", "[s]\nk = 1\nk = 2\n", 0,
                          "s/k", "2"}),
    [](const auto &info) { return info.param.name; });

/// Writes text to a settings file and loads it; the error, if any.
std::optional<HostError> loadSettingsFile(const std::string &text) {
  std::string path = testing::TempDir() + "settings_test.ini";
  std::ofstream(path) << text;
  HostSettingsStore store;
  try {
    store.loadFile(path);
  } catch (const HostError &e) {
    return e;
  }
  return std::nullopt;
}

TEST(SettingsStore, FileErrorsNameTheFileAndLine) {
  EXPECT_FALSE(loadSettingsFile("")) << "an empty file is fine";
  HostSettingsStore store;
  try {
    store.loadFile("/nonexistent/korhost.ini");
    FAIL() << "expected a HostError";
  } catch (const HostError &e) {
    EXPECT_NE(e.message.find("/nonexistent/korhost.ini"), std::string::npos);
    EXPECT_EQ(e.exitCode, 2);
  }

  auto bad = loadSettingsFile("[a]\nk = " + kLongPath + "\nbroken\n");
  ASSERT_TRUE(bad);
  EXPECT_NE(bad->message.find("settings_test.ini:3: not a valid line"),
            std::string::npos)
      << bad->message;
  EXPECT_EQ(bad->exitCode, 2);

  auto id = loadSettingsFile(
      "[KorTest]\ngood = 74372F72,BA35,4766,A9,53,74,13,03,A2,38,51\n\n"
      "bad = 74372F72,BA35,4766\n");
  ASSERT_TRUE(id);
  EXPECT_NE(id->message.find("settings_test.ini:4: not a component identifier"),
            std::string::npos)
      << id->message;
  EXPECT_EQ(id->exitCode, 3);
}

TEST(SettingsStore, ComponentIdentifiersHaveElevenHexadecimalFields) {
  for (const char *good :
       {"74372F72,BA35,4766,A9,53,74,13,03,A2,38,51", "0,0,0,0,0,0,0,0,0,0,0",
        " 0x74372f72 , ba35,4766,a9,53,74,13,3,a2,38,51 "})
    EXPECT_TRUE(isComponentIdText(good)) << good;
  for (const char *bad :
       {"", "1,2,3", "74372F72,BA35,4766,A9,53,74,13,03,A2,38",
        "74372F72,BA35,4766,A9,53,74,13,03,A2,38,51,7",
        "74372F72,BA35,4766,A9,53,74,13,03,A2,38,5G",
        "74372F72,BA35,4766,A9,53,74,13,03,A2,,51",
        "174372F72,BA35,4766,A9,53,74,13,03,A2,38,51",
        "74372F72,BA35,4766,A9,153,74,13,03,A2,38,51",
        "74372F72,-BA35,4766,A9,53,74,13,03,A2,38,51"})
    EXPECT_FALSE(isComponentIdText(bad)) << bad;
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
