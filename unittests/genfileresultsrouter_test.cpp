// Unit tests of the file router: names, directories, whole-file writes.
#include "results/genfileresultsrouter.h"
#include "expectedfiles.h"
#include "resultsfakes.h"
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
/// Runs each test in a fresh scratch folder as the current directory.
class FileRouterTest : public ::testing::Test {
protected:
  void SetUp() override {
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
}

TEST_F(FileRouterTest, CreatesMissingDirectoriesFromEitherSeparator) {
  router_.SetFileName(KorString(u"out\\reports/run1.xml"));
  FixedFormatter formatter(u"x");
  router_.Route(&formatter);
  EXPECT_EQ(readFileBytes("out/reports/run1.xml"), "x");

  router_.SetFileName(KorString((dir_.u16string() + u"/abs/deep/r.xml//").c_str()));
  router_.Route(&formatter);
  EXPECT_EQ(readFileBytes("abs/deep/r.xml"), "x");
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

TEST_F(FileRouterTest, FailsSilentlyWhenNothingCanBeWritten) {
  FixedFormatter formatter(u"x");
  std::ofstream("blocker") << "a file where a folder should be";
  router_.SetFileName(KorString(u"blocker/sub/r.xml"));
  router_.Route(&formatter);
  EXPECT_FALSE(fs::exists("blocker/sub"));

  router_.SetFileName(KorString(u""));
  router_.Route(&formatter);
  router_.SetFileName(KorString(u"missing_dir_is_a_file/"));
  fs::create_directory("missing_dir_is_a_file");
  router_.Route(&formatter); // the name is a folder: cannot be opened
  EXPECT_TRUE(fs::is_directory("missing_dir_is_a_file"));
  router_.Route(nullptr);
  EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 2);
}
