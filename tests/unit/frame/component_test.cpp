// Unit tests of the component frame: entry, class factory, registrations.
#include "component/iptr.h"
#include "component/korcount.h"
#include "frame/ikortestservice.h"
#include "frame/korbasecomponent.h"
#include "frame/korbreakflag.h"
#include "frame/korcomponentdef.h"
#include "frame/koritemfactory.h"
#include "tests/unit/support/hostfixture.h"
#include <set>

namespace {
class Widget : public IKorErrorService {
public:
  KOR_CLASS(Widget, IKorErrorService)
  void Report(const KorWChar *, const int &, const char *) override {}
};

const KorGuid kWidgetId = korGuid(0x11111111, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10);
const KorGuid kSingletonId = korGuid(0x22222222, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10);

KorDefaultClassFactory &factoryWithTestClasses() {
  static bool done = [] {
    korRegisterClass<Widget>(kWidgetId);
    korRegisterSingletonClass<Widget>(kSingletonId);
    return true;
  }();
  (void)done;
  return KorDefaultClassFactory::instance();
}
} // namespace

TEST(EntryPoint, NullComponentOutReturnsZeroAndWritesNothing) {
  uint32_t version = 7;
  EXPECT_EQ(korEntryPoint(&version, nullptr), 0);
  EXPECT_EQ(version, 7u);
}

TEST(ClassFactory, CreatesByKindAndIgnoresUnknownIdentifiers) {
  auto &factory = factoryWithTestClasses();
  IKorUnknown *a = nullptr, *b = nullptr;
  EXPECT_EQ(factory.Create(kWidgetId, &a), 1);
  EXPECT_EQ(factory.Create(kWidgetId, &b), 1);
  EXPECT_NE(a, b);
  delete a;
  delete b;
  EXPECT_EQ(factory.Create(kSingletonId, &a), 2);
  EXPECT_EQ(factory.Create(kSingletonId, &b), 2);
  EXPECT_EQ(a, b);
  EXPECT_EQ(a->RefCount(), 1u) << "the factory keeps one reference";
  IKorUnknown *untouched = reinterpret_cast<IKorUnknown *>(8);
  KorGuid unknown = korGuid(0x99, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
  EXPECT_EQ(factory.Create(unknown, &untouched), 0);
  EXPECT_EQ(untouched, reinterpret_cast<IKorUnknown *>(8));
  EXPECT_STREQ(factory.ClassNameOf(kWidgetId), "Widget");

  std::set<uint32_t> seen;
  KorGuid id;
  for (bool more = factory.First(&id); more; more = factory.Next(&id))
    EXPECT_TRUE(seen.insert(id.data1).second) << "visited once";
  EXPECT_EQ(int(seen.size()), factory.Count());
  EXPECT_TRUE(seen.count(kWidgetId.data1));
  EXPECT_FALSE(factory.Next(&id));
}

TEST(BreakFlag, OnlyExactlyZeroClearsIt) {
  for (const char *value : {(const char *)nullptr, "00", "yes", "1", ""})
    EXPECT_TRUE(korParseBreakEnabled(value)) << (value ? value : "(unset)");
  EXPECT_FALSE(korParseBreakEnabled("0"));
}

class RegisterTestsTest : public HostManagerTest {};

TEST_F(RegisterTestsTest, NullSinkReportsUnableToGetTestService) {
  TestComponent component;
  component.RegisterTests(nullptr);
  ASSERT_GE(errors_->reports.size(), 1u);
  EXPECT_EQ(errors_->reports[0].message, u"Unable to get test service");
  EXPECT_EQ(errors_->reports[0].severity, 1);
  EXPECT_EQ(errors_->reports[0].source, "");
}

TEST_F(RegisterTestsTest, CountsGoThroughTheManagerOnceHandedOver) {
  uint32_t count = 1;
  korCountIncrement(&count);
  EXPECT_EQ(count, 2u);
  EXPECT_FALSE(korCountDecrement(&count));
  EXPECT_TRUE(korCountDecrement(&count));
  EXPECT_EQ(count, 0u) << "the manager's count stops at zero, not -42";
}
