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

TEST(KorObject, CountsFromZeroDestroysOnLastReleaseWeakReferenceOutlivesIt) {
  gDestroyed = 0;
  auto *object = new FooBar;
  EXPECT_EQ(object->RefCount(), 0u);
  KorWeakRef *weak = object->GetWeakRef();
  weak->AddRef();
  {
    IPtr<IFoo> foo(static_cast<IFoo *>(object));
    IPtr<IBar> bar(foo.get());
    EXPECT_EQ(object->RefCount(), 2u);
    EXPECT_EQ(bar->bar(), 2);
    EXPECT_EQ(object->GetWeakRef(), weak);
    EXPECT_EQ(weak->target(), object);
  }
  EXPECT_EQ(gDestroyed, 1);
  EXPECT_EQ(weak->target(), nullptr);
  EXPECT_EQ(weak->RefCount(), 1u);
  weak->Release();
  FooBar local;
  local.AddRef();
  local.ReleaseNoDelete();
  EXPECT_EQ(local.RefCount(), kKorDeadCount);
}

TEST(KorObject, QueryFollowsNamesExactlyAndFallsBackToTheBase) {
  DerivedFooBar object;
  auto query = [&](IKorUnknown &face, const char *name) {
    void *result = reinterpret_cast<void *>(1);
    face.QueryInterface(name, &result);
    return result;
  };
  EXPECT_EQ(query(object, "ifoo"), nullptr);
  EXPECT_EQ(query(object, "FooBar"), static_cast<FooBar *>(&object));
  EXPECT_EQ(query(static_cast<IFoo &>(object), "IKorUnknown"),
            query(static_cast<IBar &>(object), "IKorUnknown"));
  EXPECT_EQ(static_cast<IBar *>(query(object, "IBar"))->bar(), 2);
  EXPECT_EQ(object.RefCount(), 0u) << "a query adds no reference";
  EXPECT_STREQ(object.ClassName(), "DerivedFooBar");
}

TEST(KorDescription, ReportsClassesInterfacesAndBases) {
  DerivedFooBar object;
  KorDescriptionRecord record;
  object.QueryInterface(nullptr, reinterpret_cast<void **>(&record));
  std::vector<std::string> seen;
  for (auto &e : record.entries)
    seen.push_back(e.name + ":" + std::to_string(e.flag) + ":" + e.owner);
  EXPECT_EQ(seen,
            (std::vector<std::string>{
                "DerivedFooBar:1:", "IFoo:0:DerivedFooBar",
                "FooBar:1:DerivedFooBar", "IFoo:0:FooBar", "IBar:0:FooBar"}));
  EXPECT_EQ(record.classes, std::vector<std::string>{"DerivedFooBar"});

  FooBar plain;
  KorDescriptionRecord stopped;
  stopped.seen.insert("IBar");
  plain.QueryInterface(nullptr, reinterpret_cast<void **>(&stopped));
  EXPECT_TRUE(stopped.stop);
  EXPECT_TRUE(stopped.entries.empty() && stopped.classes.empty());
}
