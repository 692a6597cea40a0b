//===- greetingsuite.cpp - A suite of a test component built with the kit -===//
//
// One suite with its set-up data and a few tests. Register each suite once
// with KOR_REGISTER_SUITE; kortest_add_test_component() supplies the rest.
//
//===----------------------------------------------------------------------===//
#include "KorBasicTypes/korcstring.h"
#include "frame/korsuiteregistration.h"
#include "frame/kortestdecl.h"
#include <string>

namespace {
/// The code under test: a greeting for a name.
std::string greet(const std::string &name) { return "Hello, " + name + "!"; }
} // namespace

class GreetingSuite : public KorTestSuiteBase {
  KOR_TEST_SUITE(GreetingSuite, "Greeting Suite")
  /// Set by the suite set-up, before any test of the suite runs.
  std::string name;
  void SuiteSetUp() override { name = "korhost"; }

  KOR_TEST(GreetsByNameTest, "Greets by name", "EXAMPLE") {
    TEST_ASSERT(greet(SUITE_VAR->name) == "Hello, korhost!");
  }

  KOR_TEST(GreetingLengthTest, "Greeting length", "EXAMPLE") {
    TEST_ASSERT_EQUALS(static_cast<int>(greet("").size()), 8);
  }

  KOR_TEST(NarrowStringTest, "Core library string", "EXAMPLE,STRING") {
    KorCString text = "kor";
    TEST_ASSERT_EQUALS(static_cast<int>(text.length()), 3);
  }

  // Names may hold any character; "korhost --test" and CTest select them
  // exactly, never as patterns.
  KOR_TEST(WildcardNameTest, "Greets [a-z] or ?", "EXAMPLE") {
    TEST_ASSERT(greet("a") == "Hello, a!");
  }

  KOR_TEST(StarNameTest, "Greets * everyone", "EXAMPLE") {
    TEST_ASSERT(greet("*") == "Hello, *!");
  }

  KOR_TEST_DISABLED(UnicodeTest, "Greets in any script", "EXAMPLE",
                    "Not written yet") {
    TEST_FAIL("not written yet");
  }
};
KOR_REGISTER_SUITE(GreetingSuite);
