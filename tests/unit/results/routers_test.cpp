// Every results router delivers a formatter's whole text as UTF-8 and
// nothing for no formatter; then the file router's names, directories and
// failures, and the routers without the host's services.
#include "host/services/strsupport.h"
#include "results/gendebugstreamresultsrouter.h"
#include "results/genfileresultsrouter.h"
#include "results/genlogserviceresultsrouter.h"
#include "results/genstdstreamsresultsrouter.h"
#include "results/resultsregistry.h"
#include "tests/unit/support/expectedfiles.h"
#include "tests/unit/support/hostfixture.h"
#include "tests/unit/support/memoryhost.h"
#include "tests/unit/support/resultsfakes.h"
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
const KorWChar kText[] = u"a(1) : T : \u00e9\u4e2d\nb";
const char kUtf8[] = "a(1) : T : \xc3\xa9\xe4\xb8\xad\nb";

/// The string service, a scratch folder as the current directory, and the
/// debugger output sent to the file "debug.out" in it.
class RouterTest : public HostManagerTest {
protected:
  void SetUp() override {
    HostManagerTest::SetUp();
    manager_->RegisterService("IKorStrSupport", new HostStrSupport);
    fs::current_path(scratch_.path());
    debug_ = ::open("debug.out", O_RDWR | O_CREAT | O_TRUNC, 0600);
    environment_.set("KORTEST_DEBUG_FD", std::to_string(debug_));
  }
  void TearDown() override {
    ::close(debug_);
    fs::current_path(saved_);
    HostManagerTest::TearDown();
  }
  /// Routes `formatter` and returns what reached the router's destination.
  std::string route(std::string_view name, IKorTestResultsRouter &router,
                    IKorTestResultsFormatter *formatter) {
    errors_->reports.clear();
    testing::internal::CaptureStdout();
    router.Route(formatter);
    std::cout.flush();
    std::string out = testing::internal::GetCapturedStdout();
    if (name == "GenDebugStreamResultsRouter")
      return readFileBytes("debug.out");
    if (name == "GenFileResultsRouter")
      return readFileBytes("test_results.xml");
    if (name != "GenLogServiceResultsRouter" || errors_->reports.empty())
      return out;
    const RecordingErrorService::Entry &report = errors_->reports.back();
    EXPECT_EQ(std::pair(report.severity, report.source),
              std::pair(0, std::string()));
    return utf8Of(KorString(report.message.c_str()));
  }
  ScopedEnvironment environment_;
  fs::path saved_ = fs::current_path();
  ScratchFolder scratch_;
  int debug_ = -1;
};
} // namespace

TEST_F(RouterTest, EveryRouterDeliversTheWholeTextAsUtf8) {
  FixedFormatter formatter(kText);
  for (const auto &entry : korResultsRouters().entries()) {
    SCOPED_TRACE(entry.className);
    IPtr<IKorTestResultsRouter> router = entry.create();
    EXPECT_STREQ(router->ClassName(), entry.className);
    EXPECT_EQ(route(entry.className, *router, nullptr), "");
    EXPECT_EQ(route(entry.className, *router, &formatter), kUtf8);
  }
}

// Writing into a folder that does not exist yet, and the reasons "No space
// left on device" and "Is a directory", are checked by tests/e2e.
TEST_F(RouterTest, FileRouterNamesReplacesWholeFilesAndTellsWhyItFailed) {
  GenFileResultsRouter router;
  FixedFormatter formatter(u"a long first report\n");
  const std::pair<std::u16string, const char *> names[] = {
      {u"out\\reports/run1.xml", "out/reports/run1.xml"},
      {fs::path(scratch_.path()).u16string() + u"/abs/deep/r.xml//",
       "abs/deep/r.xml"},
      {u"\U0001F600/r\U0001F600.xml",
       "\xF0\x9F\x98\x80/r\xF0\x9F\x98\x80.xml"}};
  for (const auto &[name, path] : names) {
    router.SetFileName(KorString(name.c_str()));
    router.Route(&formatter);
    EXPECT_EQ(readFileBytes(path), "a long first report\n") << path;
  }
  formatter.output = KorString(u"x");
  router.Route(&formatter);
  EXPECT_EQ(readFileBytes(names[2].second), "x");
  EXPECT_EQ(router.failure(), "");
  std::ofstream("blocker") << "a file where a folder should be";
  for (auto [name, reason] :
       {std::pair(u"blocker/sub/r.xml", "Not a directory"),
        std::pair(u"", "the file name is empty")}) {
    router.SetFileName(KorString(name));
    router.Route(&formatter);
    EXPECT_FALSE(router.delivered()) << reason;
    EXPECT_EQ(router.failure(), reason);
  }
  EXPECT_TRUE(errors_->reports.empty());
}

TEST(Routers, WithoutTheHostsServicesOrAnOpenDebugDescriptor) {
  GenStdStreamsResultsRouter out;
  FixedFormatter formatter(u"end \u00e9t\u00e9\n");
  testing::internal::CaptureStdout();
  out.Route(&formatter);
  std::cout.flush();
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "end t\n") << "ASCII only";
  GenLogServiceResultsRouter().Route(&formatter); // no log service to call
  ScopedEnvironment environment;
  for (const char *value : {"1", "987", "3x", "-1"}) {
    environment.set("KORTEST_DEBUG_FD", value);
    EXPECT_EQ(korDebugChannel() == KorDebugChannel::Descriptor, *value == '1');
  }
}
