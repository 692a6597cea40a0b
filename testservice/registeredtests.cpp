//===- registeredtests.cpp - The tests handed to the test service ---------===//
#include "testservice/registeredtests.h"
#include "frame/ikortest.h"
#include "frame/kortestbase.h"

RegisteredTests::~RegisteredTests() {
  for (IKorTest *test : tests_)
    test->ReleaseNoDelete();
}

void RegisteredTests::add(IKorTest *test) {
  if (!test)
    return;
  void *base = nullptr;
  test->QueryInterface(KorTestBase::kClassName, &base, 0);
  if (base)
    static_cast<KorTestBase *>(base)->setTestNumber(nextNumber_++);
  tests_.append(test);
  test->AddRef();
}

IKorTest *RegisteredTests::at(int position) const {
  if (position < 1 || position > count())
    return nullptr;
  return tests_[static_cast<uint32_t>(position)];
}

IKorTest *RegisteredTests::find(int testNumber) const {
  for (IKorTest *test : tests_)
    if (test->TestNumber() == testNumber)
      return test;
  return nullptr;
}

void RegisteredTests::copyTo(KorArray<IKorTest *> &out) const { out = tests_; }
