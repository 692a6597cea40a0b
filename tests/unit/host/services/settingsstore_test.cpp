// Unit tests of korhost's INI settings store (watchers are driven by the
// memory limit tests of nyrmemory_test.cpp).
#include "host/services/settingsstore.h"
#include "KorBasicTypes/korstring.h"
#include <gtest/gtest.h>

namespace {
// settings.sh and info.sh check a line that is no setting and an unclosed
// section end to end.
TEST(SettingsStore, NamesTheFirstBadLineAndKeepsTheGoodOnes) {
  // A settings text, the first bad line loadText names, a key and its value.
  const struct {
    const char *name;
    std::string text;
    int badLine;
    const char *key, *value;
  } cases[] = {
      {"no name", "[a]\nx = 1\n = 2\n", 3, "a/x", "1"},
      {"line ends", "[D]\r\na = 1\r\rbroken\nb = 2\n", 4, "D/b", "2"},
      {"mark, keys before sections", "\xEF\xBB\xBFtop = 1\n[s]\n", 0, "/top",
       "1"},
      {"one mark taken off", "\xEF\xBB\xBF\xEF\xBB\xBF= 1\n", 0,
       "/\xEF\xBB\xBF", "1"},
      {"last assignment wins", "[s]\nk = 1\nk = 2\n", 0, "s/k", "2"},
      {"utf-8", "[Directories]\nSave \xC3\xA4 = /tmp/\xC3\xA4\n", 0,
       "Directories/Save \xC3\xA4", "/tmp/\xC3\xA4"},
  };
  for (const auto &c : cases) {
    HostSettingsStore store;
    EXPECT_EQ(store.loadText(c.text), c.badLine) << c.name;
    const std::string *value = store.find(c.key);
    EXPECT_EQ(value ? *value : "<missing>", c.value) << c.name;
  }
}

TEST(SettingsStore, ValuesReadAsBoolNumberAndText) {
  const std::tuple<const char *, bool, double> cases[] = {
      {"On", true, 0}, {"0", false, 0}, {"", false, 0},
      {"2048.5", true, 2048.5}, {"-1e3x", true, -1000}};
  HostSettingsStore store;
  bool found = false;
  for (auto [text, flag, number] : cases) {
    store.set("Memory/Value", text);
    EXPECT_EQ(std::u16string(store.GetString("Memory/Value", &found)),
              KorString::fromUtf8(text).view());
    EXPECT_TRUE(found && store.GetBool("Memory/Value", 0) == flag &&
                store.GetDouble("Memory/Value", 0) == number)
        << text;
  }
  EXPECT_EQ(store.GetString("Memory/None", &found), nullptr);
  EXPECT_FALSE(found || store.GetBool("Memory/None", 0));
}

TEST(SettingsStore, ComponentIdentifiersHaveElevenHexadecimalFields) {
  const std::string id = "74372F72,BA35,4766,A9,53,74,13,03,A2,38,";
  const std::pair<std::string, bool> cases[] = {
      {id + "51", true}, {" 0x74372f72 , ba35,4766,a9,53,74,13,3,a2,38,51 ", true},
      {id, false}, {id + "51,7", false}, {id + "5G", false}, {id + "-1", false},
      {"74372F72,BA35,4766,A9,153,74,13,03,A2,38,51", false},
      {"74372F72,BA35,4766,A9,53,74,13,03,A2,,51", false}};
  for (const auto &[text, valid] : cases)
    EXPECT_EQ(isComponentIdText(text), valid) << text;
}

} // namespace
