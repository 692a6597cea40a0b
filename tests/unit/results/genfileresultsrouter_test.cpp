// Unit tests of the file router: names, directories, whole-file writes and
// what the caller learns of a file that cannot be written.
#include "results/genfileresultsrouter.h"
#include "tests/unit/support/expectedfiles.h"
#include "tests/unit/support/hostfixture.h"
#include "host/services/hostutf.h"
#include "tests/unit/support/resultsfakes.h"
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
/// Runs each test in a fresh scratch folder as the current directory.
class FileRouterTest : public HostManagerTest {
protected:
  void SetUp() override {
    HostManagerTest::SetUp();
    saved_ = fs::current_path();
    dir_ = fs::temp_directory_path() /
           ("kortest_router_" + std::to_string(::getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    fs::current_path(dir_);
  }
  void TearDown() override {
    fs::current_path(saved_);
    fs::remove_all(dir_);
    HostManagerTest::TearDown();
  }
  fs::path saved_, dir_;
  GenFileResultsRouter router_;
};
} // namespace

TEST_F(FileRouterTest, NewRouterWritesTestResultsXmlInTheCurrentDirectory) {
  EXPECT_EQ(router_.fileName().view(), u"test_results.xml");
  FixedFormatter formatter(u"<a>\u00e9\u4e2d</a>\n");
  router_.Route(&formatter);
  EXPECT_EQ(readFileBytes("test_results.xml"), "<a>\xc3\xa9\xe4\xb8\xad</a>\n");
  EXPECT_TRUE(router_.delivered());
  EXPECT_TRUE(errors_->reports.empty());
}

TEST_F(FileRouterTest, CreatesMissingDirectoriesFromEitherSeparator) {
  router_.SetFileName(KorString(u"out\\reports/run1.xml"));
  FixedFormatter formatter(u"x");
  router_.Route(&formatter);
  EXPECT_EQ(readFileBytes("out/reports/run1.xml"), "x");

  router_.SetFileName(KorString((dir_.u16string() + u"/abs/deep/r.xml//").c_str()));
  router_.Route(&formatter);
  EXPECT_EQ(readFileBytes("abs/deep/r.xml"), "x");

  // Outside the Basic Multilingual Plane: one four-byte UTF-8 character.
  router_.SetFileName(KorString(u"\U0001F600/r\U0001F600.xml"));
  router_.Route(&formatter);
  EXPECT_EQ(readFileBytes("\xF0\x9F\x98\x80/r\xF0\x9F\x98\x80.xml"), "x");
}

TEST_F(FileRouterTest, EachRouteReplacesTheWholeFile) {
  FixedFormatter formatter(u"a long first report\n");
  router_.Route(&formatter);
  formatter.output = KorString(u"second");
  router_.Route(&formatter);
  EXPECT_EQ(readFileBytes("test_results.xml"), "second");
  formatter.output = KorString();
  router_.Route(&formatter);
  EXPECT_TRUE(fs::exists("test_results.xml"));
  EXPECT_EQ(fs::file_size("test_results.xml"), 0u);
}

TEST_F(FileRouterTest, FailsSilentlyAndKeepsTheSystemsReason) {
  std::ofstream("blocker") << "a file where a folder should be";
  fs::create_directory("folder");
  struct Case {
    const char16_t *name;
    const char *reason; ///< What failure() tells the caller.
  };
  const Case cases[] = {
      {u"/dev/full", "No space left on device"},
      {u"folder\\", "Is a directory"},
      {u"blocker/sub/r.xml", "Not a directory"},
      {u"", "the file name is empty"},
  };
  FixedFormatter formatter(u"x");
  for (const Case &c : cases) {
    router_.Route(&formatter); // delivered, then the next name fails
    ASSERT_TRUE(router_.delivered());
    EXPECT_EQ(router_.failure(), "");
    router_.SetFileName(KorString(c.name));
    router_.Route(&formatter);
    EXPECT_FALSE(router_.delivered()) << c.reason;
    EXPECT_EQ(router_.failure(), c.reason);
    router_.SetFileName(KorString(u"test_results.xml"));
  }
  EXPECT_TRUE(errors_->reports.empty());
  router_.Route(nullptr);
  EXPECT_FALSE(router_.delivered());
  EXPECT_FALSE(fs::exists("blocker/sub"));
  EXPECT_EQ(
      std::distance(fs::directory_iterator("."), fs::directory_iterator()), 3);
}
