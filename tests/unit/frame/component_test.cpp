// Unit tests of the component frame: entry, class factory, registrations.
#include "tests/unit/support/hostfixture.h"
#include "frame/ikortestservice.h"
#include "component/iptr.h"
#include "frame/korbasecomponent.h"
#include "frame/korbreakflag.h"
#include "frame/korcomponentdef.h"
#include "component/korcount.h"
#include "frame/koritemfactory.h"
#include "frame/kortestregistry.h"
#include <set>

namespace {
class Widget : public IKorErrorService {
public:
  KOR_CLASS(Widget, IKorErrorService)
  void Report(const KorWChar *, const int &, const char *) override {}
};

const KorGuid kWidgetId = korGuid(0x11111111, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10);
const KorGuid kSingletonId = korGuid(0x22222222, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10);

void registerTestClasses() {
  static bool done = [] {
    korRegisterClass<Widget>(kWidgetId);
    korRegisterSingletonClass<Widget>(kSingletonId);
    return true;
  }();
  (void)done;
}
} // namespace

TEST(EntryPoint, NullComponentOutReturnsZeroAndWritesNothing) {
  uint32_t version = 7;
  EXPECT_EQ(korEntryPoint(&version, nullptr), 0);
  EXPECT_EQ(version, 7u);
}

TEST(EntryPoint, SuccessGivesVersion100AndAKortestComponent) {
  uint32_t version = 0;
  void *object = nullptr;
  ASSERT_EQ(korEntryPoint(&version, &object), 1);
  EXPECT_EQ(version, 100u);
  IPtr<IKorComponent> component(static_cast<IKorComponent *>(object));
  IPtr<IKorCompInternal> internal(component.get());
  ASSERT_TRUE(internal);
  EXPECT_STREQ(internal->ComponentName(), "kortest");
  EXPECT_EQ(*internal->ComponentId(),
            korGuid(0x74372F72, 0xBA35, 0x4766, 0xA9, 0x53, 0x74, 0x13, 0x03,
                    0xA2, 0x38, 0x51));
  EXPECT_STREQ(component->ClassName(), "KorBaseComponent");
  EXPECT_TRUE(internal->OffersTests());
  void *none = reinterpret_cast<void *>(1);
  component->QueryInterface("TestComponent", &none);
  EXPECT_EQ(none, nullptr);
}

TEST(EntryPoint, DescriptionModeOfTheComponentReportsNothing) {
  TestComponent component;
  KorDescriptionRecord record;
  component.QueryInterface(nullptr, reinterpret_cast<void **>(&record));
  EXPECT_TRUE(record.entries.empty());
}

TEST(ClassFactory, CreatesByKindAndIgnoresUnknownIdentifiers) {
  registerTestClasses();
  auto &factory = KorDefaultClassFactory::instance();
  EXPECT_EQ(factory.bucketCount(), 131u);
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
  EXPECT_EQ(factory.Create(korGuid(0x99, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0),
                           &untouched),
            0);
  EXPECT_EQ(untouched, reinterpret_cast<IKorUnknown *>(8));
  EXPECT_STREQ(factory.ClassNameOf(kWidgetId), "Widget");
}

TEST(ClassFactory, WalkVisitsEveryIdentifierOnce) {
  registerTestClasses();
  auto &factory = KorDefaultClassFactory::instance();
  std::set<uint32_t> seen;
  int visited = 0;
  KorGuid id;
  for (bool more = factory.First(&id); more; more = factory.Next(&id)) {
    seen.insert(id.data1);
    ++visited;
  }
  EXPECT_EQ(visited, factory.Count());
  EXPECT_EQ(static_cast<int>(seen.size()), visited);
  EXPECT_TRUE(seen.count(kWidgetId.data1));
  EXPECT_FALSE(factory.Next(&id));
}

TEST(ClassFactory, HashMapGrowsThroughThePrimeTable) {
  KorHashMap<uint32_t, int, std::hash<uint32_t>> map(16);
  EXPECT_EQ(map.bucketCount(), 17u);
  for (uint32_t i = 0; i < 13; ++i)
    map.insert(i, 1);
  EXPECT_EQ(map.bucketCount(), 17u);
  map.insert(13, 1); // 14 entries reach 0.8 * 17
  EXPECT_EQ(map.bucketCount(), 37u);
  map.insert(13, 5);
  EXPECT_EQ(*map.find(13), 5) << "a present key is replaced";
  EXPECT_EQ(map.size(), 14u);
}

TEST(BreakFlag, OnlyExactlyZeroClearsIt) {
  EXPECT_TRUE(korParseBreakEnabled(nullptr));
  EXPECT_FALSE(korParseBreakEnabled("0"));
  EXPECT_TRUE(korParseBreakEnabled("00"));
  EXPECT_TRUE(korParseBreakEnabled("yes"));
  EXPECT_TRUE(korParseBreakEnabled("1"));
  EXPECT_TRUE(korParseBreakEnabled(""));
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

/// Keeps what the component hands its customizer.
class RecordingCustomizer : public IKorComponentCustomizer {
public:
  bool OnManagerHandedOver(IKorComponentManager *manager) override {
    given = manager;
    stored = korComponentManager();
    return true;
  }
  bool Customize() override { return false; }
  IKorComponentManager *given = nullptr, *stored = nullptr;
};

TEST_F(RegisterTestsTest, HandOverStoresTheManagerThenPassesItOn) {
  RecordingCustomizer recording;
  IKorComponentCustomizer *previous = korSetComponentCustomizer(&recording);
  korSetComponentManager(nullptr);
  TestComponent component;
  EXPECT_TRUE(component.SetComponentManager(manager_));
  korSetComponentCustomizer(previous);
  EXPECT_EQ(recording.given, manager_);
  EXPECT_EQ(recording.stored, manager_);
}

TEST_F(RegisterTestsTest, CountsGoThroughTheManagerOnceHandedOver) {
  uint32_t count = 1;
  korCountIncrement(&count);
  EXPECT_EQ(count, 2u);
  EXPECT_FALSE(korCountDecrement(&count));
  EXPECT_TRUE(korCountDecrement(&count));
  EXPECT_EQ(count, 0u) << "the manager's count stops at zero, not -42";
}
