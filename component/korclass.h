//===- korclass.h - One-line declarations of a class's name table ---------===//
//
// KOR_INTERFACE(IKorTest) gives an interface its query name. Inside a
// concrete class, KOR_CLASS(GenTestStatus, IKorTestStatus) lists the class
// name and its interfaces in base order once; QueryInterface, ClassName and
// the description mode are generated from that list. A class derived from
// another implementation class uses KOR_CLASS_DERIVED(Self, Base, ...).
// Both leave the class body in public access.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "component/kordescription.h"
#include "component/korobject.h"
#include <cstring>

/// Gives an interface its query name (the unqualified class name).
#define KOR_INTERFACE(Name)                                                    \
public:                                                                        \
  static constexpr const char *kInterfaceName = #Name;

/// Gives an interface a query name spelled out (namespaced interfaces).
#define KOR_INTERFACE_NAMED(Text)                                              \
public:                                                                        \
  static constexpr const char *kInterfaceName = Text;

/// The query name of an interface or concrete class.
template <class T> constexpr const char *korNameOf() {
  if constexpr (requires { T::kClassName; })
    return T::kClassName;
  else
    return T::kInterfaceName;
}

namespace kor_detail {
/// Own rule of a class: its name, "IKorUnknown", then its interfaces.
template <class Self, class... Interfaces>
bool queryOwn(Self *self, const char *name, void **result) {
  if (std::strcmp(name, Self::kClassName) == 0) {
    *result = self;
    return true;
  }
  if (std::strcmp(name, "IKorUnknown") == 0) {
    *result = static_cast<IKorUnknown *>(self);
    return true;
  }
  return ((std::strcmp(name, Interfaces::kInterfaceName) == 0
               ? (*result = static_cast<Interfaces *>(self), true)
               : false) ||
          ...);
}

template <class Self, class... Interfaces>
void describeOwn(void **result) {
  auto *record = reinterpret_cast<KorDescriptionRecord *>(result);
  korDescribeStep(record, Self::kClassName, 1);
  (korDescribeStep(record, Interfaces::kInterfaceName, 0), ...);
}

template <class Self, class... Interfaces>
void query(Self *self, const char *name, void **result) {
  if (!name) {
    describeOwn<Self, Interfaces...>(result);
    return;
  }
  *result = nullptr;
  queryOwn<Self, Interfaces...>(self, name, result);
}

template <class Self, class Base, class... Interfaces>
void queryDerived(Self *self, const char *name, void **result) {
  if (!name) {
    describeOwn<Self, Interfaces...>(result);
    self->Base::QueryInterface(nullptr, result, 0);
    korDescribeEnd(reinterpret_cast<KorDescriptionRecord *>(result));
    return;
  }
  *result = nullptr;
  if (!queryOwn<Self, Interfaces...>(self, name, result))
    self->Base::QueryInterface(name, result, 0);
}
} // namespace kor_detail

#define KOR_CLASS_NAME_(Self)                                                  \
public:                                                                        \
  static constexpr const char *kClassName = #Self;                             \
  const char *ClassName() override { return kClassName; }

/// Declares a concrete class and the interfaces it answers, in base order.
#define KOR_CLASS(Self, ...)                                                   \
  KOR_CLASS_NAME_(Self)                                                        \
  void QueryInterface(const char *name, void **result, int = 0) override {     \
    kor_detail::query<Self __VA_OPT__(, ) __VA_ARGS__>(this, name, result);    \
  }

/// Declares a class derived from another implementation class.
#define KOR_CLASS_DERIVED(Self, Base, ...)                                     \
  KOR_CLASS_NAME_(Self)                                                        \
  void QueryInterface(const char *name, void **result, int = 0) override {     \
    kor_detail::queryDerived<Self, Base __VA_OPT__(, ) __VA_ARGS__>(           \
        this, name, result);                                                   \
  }
