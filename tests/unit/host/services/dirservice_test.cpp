// Unit tests of korhost's directory service: the defaults without settings
// (kortest_reports.sh checks a directory the settings name).
#include "host/services/dirservice.h"
#include "tests/unit/support/hostfixture.h"

namespace {
TEST(DirService, XdgLocationsAreTheDefaultDirectories) {
  ScopedHost host; // no settings store
  ScopedEnvironment env;
  env.set("HOME", "/home/u");
  env.set("XDG_DATA_HOME", std::nullopt);
  env.set("XDG_STATE_HOME", "/state");
  env.set("XDG_CACHE_HOME", std::nullopt);
  env.set("TMPDIR", std::nullopt);
  const std::pair<const char *, const char16_t *> cases[] = {
      {"data", u"/home/u/.local/share/korhost"},
      {"save", u"/home/u/.local/share/korhost"},
      {"logs", u"/state/korhost/logs"},
      {"cache", u"/home/u/.cache/korhost"},
      {"temp", u"/tmp"},
      {"no such directory", u""}};
  auto dir = [](const char *name) {
    return std::u16string(HostDirService().GetDirectory(name));
  };
  for (auto [name, path] : cases)
    EXPECT_EQ(dir(name), path) << name;
  env.set("HOME", std::nullopt);
  EXPECT_EQ(dir("data"), u"");
}
} // namespace
