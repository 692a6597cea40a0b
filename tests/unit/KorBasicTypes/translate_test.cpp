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
    ++requests;
    return translator_.get();
  }
  int requests = 0;

private:
  IPtr<IKorTranslator> translator_;
};

class TranslateTest : public ::testing::Test {
protected:
  ScopedServiceHost host;
};

TEST_F(TranslateTest, TrivialTranslatorSubstitutesArguments) {
  EXPECT_EQ(korTranslate("Unable to load component with id %1",
                         KorString(u"{1234}")),
            u"Unable to load component with id {1234}");
  EXPECT_EQ(korTranslate("Stopped after %1 of %2 warnings.\n", "3", "10"),
            u"Stopped after 3 of 10 warnings.\n");
  EXPECT_EQ(korTranslate("%6%5%4%3%2%1", "a", "b", "c", "d", "e", "f"),
            u"fedcba");
  EXPECT_EQ(korTranslate("%1 %3", "a", "b", "c", "d", "e"), u"a c");
  EXPECT_EQ(korTranslate("%3?", "a", "b"), u"?");
  EXPECT_EQ(korTranslate("Run Programmer Tests"), u"Run Programmer Tests");
}

TEST_F(TranslateTest, WithoutServiceTheTrivialTranslatorStays) {
  IKorTranslator *first = korTranslator();
  IKorTranslator *second = korTranslator();
  EXPECT_EQ(first, second);
  EXPECT_STREQ(first->ClassName(), "KorTrivialTranslator");
  EXPECT_FALSE(first->HasTranslations());
  EXPECT_TRUE(korTranslatorReplaceable());
  for (const char *name :
       {"KorTrivialTranslator", "IKorUnknown", "IKorTranslator"}) {
    void *result = nullptr;
    first->QueryInterface(name, &result);
    EXPECT_NE(result, nullptr) << name;
  }
}

TEST_F(TranslateTest, HighBytesOfKeysBecomeHighCodeUnits) {
  KorString text = korTranslate("caf\xE9\x80");
  ASSERT_EQ(text.length(), 5);
  EXPECT_EQ(text[3], 0xFFE9);
  EXPECT_EQ(text[4], 0xFF80);
  KorString looked;
  EXPECT_TRUE(korTranslator()->LookUp("x\xFF", looked));
  EXPECT_EQ(looked[1], 0xFFFF);
}

TEST_F(TranslateTest, ArrayFormReplacesFirstPlaceholderOfEachNumber) {
  KorString args[] = {KorString(u"first"), KorString(u"second")};
  EXPECT_EQ(korTranslateArray("%2-%1", 2, args), u"second-first");
  EXPECT_EQ(korTranslateArray("no placeholder", 1, args), u"no placeholder");
  EXPECT_EQ(korTranslateArray("%1 %1", 1, args), u"first %1");
  EXPECT_EQ(korTranslateArray("%1", 0, args), u"%1");

  std::vector<KorString> many;
  for (int i = 1; i <= 10; ++i)
    many.push_back(KorString::number(int32_t(i * 11)));
  // "%1" is looked for first and also matches the head of "%10".
  EXPECT_EQ(korTranslateArray("%10|%9", 10, many.data()), u"110|99");
}

TEST_F(TranslateTest, HostTranslatorServiceReplacesTheTrivialOne) {
  EXPECT_STREQ(korTranslator()->ClassName(), "KorTrivialTranslator");
  auto *service = new FakeTranslatorService(new PrefixTranslator);
  host.offer("IKorTranslatorService", service);
  // A service that appears after the first translation is picked up.
  EXPECT_EQ(korTranslate("Hello %1", "you"), u"T(Hello you)");
  EXPECT_FALSE(korTranslatorReplaceable());
  EXPECT_EQ(service->requests, 1);
  // Once consulted the answer stays.
  korTranslate("again");
  EXPECT_EQ(service->requests, 1);
}

TEST_F(TranslateTest, NullAnswerFallsBackToTheTranslatorService) {
  host.offer("IKorTranslatorService", new FakeTranslatorService(nullptr));
  host.offer("IKorTranslator", new PrefixTranslator);
  EXPECT_EQ(korTranslate("key"), u"T(key)");
  EXPECT_TRUE(korTranslatorReplaceable());
}

TEST_F(TranslateTest, NullAnswerWithoutAnyTranslatorGivesTheTrivialOne) {
  auto *service = new FakeTranslatorService(nullptr);
  host.offer("IKorTranslatorService", service);
  EXPECT_EQ(korTranslate("key"), u"key");
  EXPECT_EQ(korTranslate("key"), u"key");
  EXPECT_EQ(service->requests, 1);
}

} // namespace
