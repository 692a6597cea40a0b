//===- doctest_trivial.cpp - The doctest peer: 10,000 trivial tests -------===//
//
// The same load as the trivial test component, 100 suites of 100 tests,
// registered at run time with doctest::detail::regTest (one test function,
// so the file compiles in seconds) and run with its JUnit reporter.
//
//===----------------------------------------------------------------------===//
#define DOCTEST_CONFIG_IMPLEMENT
#include <cstdio>
#include <doctest/doctest.h>
#include <string>
#include <vector>

#ifndef KORBENCH_SUITE_COUNT
#define KORBENCH_SUITE_COUNT 100
#endif
#ifndef KORBENCH_TESTS_PER_SUITE
#define KORBENCH_TESTS_PER_SUITE 100
#endif

namespace {
void trivialTest() { CHECK(1 + 1 == 2); }

/// Suite and test names; doctest keeps pointers to them.
std::vector<std::string> &names() {
  static std::vector<std::string> texts;
  return texts;
}

const char *keep(const char *format, int index) {
  char text[32];
  std::snprintf(text, sizeof text, format, index);
  return names().emplace_back(text).c_str();
}

void registerTests() {
  names().reserve(KORBENCH_SUITE_COUNT * (KORBENCH_TESTS_PER_SUITE + 1));
  for (int s = 1; s <= KORBENCH_SUITE_COUNT; ++s) {
    doctest::detail::TestSuite suite;
    suite *keep("TrivialSuite%03d", s);
    for (int t = 1; t <= KORBENCH_TESTS_PER_SUITE; ++t) {
      const char *name =
          keep("TrivialTest%05d", (s - 1) * KORBENCH_TESTS_PER_SUITE + t);
      doctest::detail::regTest(
          doctest::detail::TestCase(trivialTest, __FILE__, __LINE__, suite) *
          name);
    }
  }
}
} // namespace

int main(int argc, char **argv) {
  registerTests();
  doctest::Context context(argc, argv);
  return context.run();
}
