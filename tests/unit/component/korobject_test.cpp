// Unit tests of the object model: counts, weak references, queries.
#include "component/iptr.h"
#include "component/korcount.h"
#include <gtest/gtest.h>

namespace {
class IFoo : public virtual IKorUnknown {
  KOR_INTERFACE(IFoo)
  virtual int foo() = 0;
};
class IBar : public virtual IKorUnknown {
  KOR_INTERFACE(IBar)
  virtual int bar() = 0;
};

int gDestroyed = 0;

class FooBar : public IFoo, public IBar {
public:
  KOR_CLASS(FooBar, IFoo, IBar)
  ~FooBar() override { ++gDestroyed; }
  int foo() override { return 1; }
  int bar() override { return 2; }
};

class DerivedFooBar : public FooBar {
public:
  KOR_CLASS_DERIVED(DerivedFooBar, FooBar, IFoo)
};
} // namespace

TEST(KorObject, CountsFromZeroAndDestroysOnLastRelease) {
  gDestroyed = 0;
  auto *object = new FooBar;
  EXPECT_EQ(object->RefCount(), 0u);
  {
    IPtr<IFoo> foo(static_cast<IFoo *>(object));
    EXPECT_EQ(object->RefCount(), 1u);
    IPtr<IBar> bar(foo.get());
    EXPECT_EQ(object->RefCount(), 2u);
    EXPECT_EQ(bar->bar(), 2);
  }
  EXPECT_EQ(gDestroyed, 1);
}

TEST(KorObject, ReleaseNoDeleteLeavesDeadCount) {
  FooBar object;
  object.AddRef();
  object.ReleaseNoDelete();
  EXPECT_EQ(object.RefCount(), kKorDeadCount);
}

TEST(KorObject, WeakReferenceOutlivesTarget) {
  auto *object = new FooBar;
  object->AddRef();
  KorWeakRef *weak = object->GetWeakRef();
  EXPECT_EQ(object->GetWeakRef(), weak);
  EXPECT_EQ(weak->RefCount(), 1u);
  EXPECT_EQ(weak->GetWeakRef(), weak);
  weak->AddRef();
  EXPECT_EQ(weak->target(), object);
  object->Release();
  EXPECT_EQ(weak->target(), nullptr);
  EXPECT_EQ(weak->RefCount(), 1u);
  weak->Release();
}

TEST(KorObject, QueryFollowsNamesExactly) {
  FooBar object;
  void *result = reinterpret_cast<void *>(1);
  object.QueryInterface("ifoo", &result);
  EXPECT_EQ(result, nullptr);
  object.QueryInterface("FooBar", &result);
  EXPECT_EQ(result, &object);
  void *viaFoo = nullptr, *viaBar = nullptr;
  static_cast<IFoo &>(object).QueryInterface("IKorUnknown", &viaFoo);
  static_cast<IBar &>(object).QueryInterface("IKorUnknown", &viaBar);
  EXPECT_EQ(viaFoo, viaBar);
  object.QueryInterface("IBar", &result);
  EXPECT_EQ(static_cast<IBar *>(result)->bar(), 2);
  EXPECT_EQ(object.RefCount(), 0u) << "a query adds no reference";
}

TEST(KorObject, DerivedClassFallsBackToBaseRule) {
  DerivedFooBar object;
  void *result = nullptr;
  object.QueryInterface("FooBar", &result);
  EXPECT_EQ(result, static_cast<FooBar *>(&object));
  object.QueryInterface("IBar", &result);
  EXPECT_NE(result, nullptr);
  EXPECT_STREQ(object.ClassName(), "DerivedFooBar");
}

TEST(KorDescription, ReportsClassesInterfacesAndBases) {
  DerivedFooBar object;
  KorDescriptionRecord record;
  object.QueryInterface(nullptr, reinterpret_cast<void **>(&record));
  std::vector<std::string> seen;
  for (auto &e : record.entries)
    seen.push_back(e.name + ":" + std::to_string(e.flag) + ":" + e.owner);
  std::vector<std::string> expected = {
      "DerivedFooBar:1:", "IFoo:0:DerivedFooBar", "FooBar:1:DerivedFooBar",
      "IFoo:0:FooBar", "IBar:0:FooBar"};
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(record.classes, std::vector<std::string>{"DerivedFooBar"});
}

TEST(KorDescription, SeenNameStopsAndEmptiesTheLists) {
  FooBar object;
  KorDescriptionRecord record;
  record.seen.insert("IBar");
  object.QueryInterface(nullptr, reinterpret_cast<void **>(&record));
  EXPECT_TRUE(record.stop);
  EXPECT_TRUE(record.entries.empty());
  EXPECT_TRUE(record.classes.empty());
  EXPECT_EQ(KorSeenSet::djb2(""), 5381u);
  EXPECT_EQ(KorSeenSet::djb2("a"), 5381u * 33 + 'a');
}
