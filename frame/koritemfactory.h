//===- koritemfactory.h - Item factories for plain and singleton classes --===//
#pragma once
#include "frame/kordefaultclassfactory.h"

/// Creates a new T on every request (kind 1).
template <class T> class KorTClassItemFactory : public KorItemFactory {
public:
  explicit KorTClassItemFactory(const KorGuid &classId)
      : KorItemFactory(T::kClassName, classId) {}
  IKorUnknown *Create(int *kind) override {
    *kind = 1;
    return static_cast<IKorUnknown *>(new T);
  }
};

/// Creates one T on first request and hands it out ever after (kind 2); the
/// factory keeps one reference for the life of the process.
template <class T> class KorSingletonTClassItemFactory : public KorItemFactory {
public:
  explicit KorSingletonTClassItemFactory(const KorGuid &classId)
      : KorItemFactory(T::kClassName, classId) {}
  IKorUnknown *Create(int *kind) override {
    if (!instance_) {
      instance_ = new T;
      instance_->AddRef();
    }
    *kind = 2;
    return static_cast<IKorUnknown *>(instance_);
  }

private:
  T *instance_ = nullptr;
};

/// Registers T under classId with the process-wide class factory.
template <class T> void korRegisterClass(const KorGuid &classId) {
  KorDefaultClassFactory::instance().registerItem(
      new KorTClassItemFactory<T>(classId));
}

/// Registers T as a singleton under classId.
template <class T> void korRegisterSingletonClass(const KorGuid &classId) {
  KorDefaultClassFactory::instance().registerItem(
      new KorSingletonTClassItemFactory<T>(classId));
}

/// Registers a class at load time, from the unit that defines it.
#define KOR_REGISTER_CLASS_AT_LOAD(T, ...)                                     \
  static const bool kor_registered_##T = [] {                                  \
    korRegisterClass<T>(korGuid(__VA_ARGS__));                                 \
    return true;                                                               \
  }()
