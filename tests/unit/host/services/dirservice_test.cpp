// Unit tests of korhost's directory service.
#include "host/services/dirservice.h"
#include "tests/unit/support/hostfixture.h"
#include "host/services/settingsstore.h"
#include <cstdlib>

namespace {
class DirServiceTest : public HostManagerTest {
protected:
  void SetUp() override {
    HostManagerTest::SetUp();
    settings_ = new HostSettingsStore;
    manager_->RegisterService("IDataStore", settings_);
    saveEnv("HOME");
    saveEnv("XDG_DATA_HOME");
    saveEnv("XDG_STATE_HOME");
    saveEnv("TMPDIR");
  }
  void TearDown() override {
    for (auto &[name, value] : saved_)
      value ? setenv(name.c_str(), value->c_str(), 1) : unsetenv(name.c_str());
    HostManagerTest::TearDown();
  }
  void saveEnv(const char *name) {
    const char *value = std::getenv(name);
    saved_.emplace_back(name, value ? std::optional<std::string>(value)
                                    : std::nullopt);
  }
  std::u16string dir(const char *name) { return service_.GetDirectory(name); }

  HostSettingsStore *settings_ = nullptr;
  HostDirService service_;
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};
} // namespace

TEST_F(DirServiceTest, SettingsNameEachDirectory) {
  settings_->loadText("[Directories]\nData Directory = /srv/kor/out\n"
                      "Logs Directory = /srv/kor/logs\n");
  EXPECT_EQ(HostDirService::settingsKey("data"), "Directories/Data Directory");
  EXPECT_EQ(dir("data"), u"/srv/kor/out");
  EXPECT_EQ(dir("logs"), u"/srv/kor/logs");
}

TEST_F(DirServiceTest, XdgLocationsAreTheDefaults) {
  setenv("HOME", "/home/u", 1);
  unsetenv("XDG_DATA_HOME");
  setenv("XDG_STATE_HOME", "/state", 1);
  unsetenv("TMPDIR");
  EXPECT_EQ(dir("data"), u"/home/u/.local/share/korhost");
  EXPECT_EQ(dir("logs"), u"/state/korhost/logs");
  EXPECT_EQ(dir("temp"), u"/tmp");
  EXPECT_EQ(dir("no such directory"), u"");
}
