//===- translate_test.cpp - Process-wide translator and trivial translator ===//
#include "component/iptr.h"
#include "tests/unit/support/strtestsupport.h"
#include "KorBasicTypes/translate.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

/// A translator that answers every key with "T(key)".
class PrefixTranslator : public KorTrivialTranslator {
public:
  KOR_CLASS_DERIVED(PrefixTranslator, KorTrivialTranslator)
  bool HasTranslations() override { return true; }
  bool LookUp(const char *key, KorString &out) override {
    out = KorCString("T(", key, ")").c_str();
    return true;
  }
};

/// A translator service that hands out one translator (or none).
class FakeTranslatorService : public IKorTranslatorService {
public:
  KOR_CLASS(FakeTranslatorService, IKorTranslatorService)
  explicit FakeTranslatorService(IKorTranslator *translator)
      : translator_(translator) {}
  IKorTranslator *GetTranslator(const KorGuid &) override {
    return translator_.get();
  }

private:
  IPtr<IKorTranslator> translator_;
};

class TranslateTest : public ::testing::Test {
protected:
  ScopedServiceHost host;
};

TEST_F(TranslateTest, TrivialTranslatorSubstitutesArguments) {
  KorString args[] = {KorString(u"first"), KorString(u"second")};
  std::vector<KorString> ten;
  for (int i = 1; i <= 10; ++i)
    ten.push_back(KorString::number(int32_t(i * 11)));
  struct Case {
    KorString got;
    const char16_t *expected;
  } cases[] = {
      {korTranslate("Stopped after %1 of %2 warnings.\n", "3", "10"),
       u"Stopped after 3 of 10 warnings.\n"},
      {korTranslate("%6%5%4%3%2%1", "a", "b", "c", "d", "e", "f"), u"fedcba"},
      {korTranslate("%1 %3", "a", "b", "c", "d", "e"), u"a c"},
      {korTranslate("%1%4", "a", "b", "c", "d"), u"ad"},
      {korTranslate("%3?", "a", "b"), u"?"},
      {korTranslate("%1", KorString(u"{1}")), u"{1}"},
      // The array form replaces the first placeholder of each number only;
      // "%1" also matches the head of "%10".
      {korTranslateArray("%2-%1", 2, args), u"second-first"},
      {korTranslateArray("%1 %1", 1, args), u"first %1"},
      {korTranslateArray("%10|%9", 10, ten.data()), u"110|99"},
  };
  for (const Case &c : cases)
    EXPECT_EQ(c.got, c.expected);
  EXPECT_FALSE(korTranslator()->HasTranslations());
}

TEST_F(TranslateTest, HostServiceReplacesTheTrivialTranslatorOrFallsBack) {
  host.offer("IKorTranslatorService",
             new FakeTranslatorService(new PrefixTranslator));
  EXPECT_EQ(korTranslate("Hello %1", "you"), u"T(Hello you)");
  EXPECT_FALSE(korTranslatorReplaceable());
  // A service answering null leaves the trivial one; a plain translator
  // offered directly is taken instead.
  korResetTranslator();
  host.offer("IKorTranslatorService", new FakeTranslatorService(nullptr));
  EXPECT_EQ(korTranslate("key"), u"key");
  korResetTranslator();
  host.offer("IKorTranslator", new PrefixTranslator);
  EXPECT_EQ(korTranslate("key"), u"T(key)");
  EXPECT_TRUE(korTranslatorReplaceable());
}

} // namespace
