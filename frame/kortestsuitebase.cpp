//===- kortestsuitebase.cpp - Base class of every test suite --------------===//
#include "frame/kortestsuitebase.h"

KorTestSuiteBase::~KorTestSuiteBase() {
  for (IKorTest *test : tests_)
    delete test;
}

void KorTestSuiteBase::AddTest(IKorTest *test) {
  tests_.append(test);
  if (test)
    test->SetSuite(this);
}

IKorTest *KorTestSuiteBase::TestAt(int position) {
  if (position < 1 || position > TestCount())
    return nullptr;
  return tests_[static_cast<uint32_t>(position)];
}

IKorTest *KorTestSuiteBase::TestWithNumber(int testNumber) {
  for (IKorTest *test : tests_)
    if (test && test->TestNumber() == testNumber)
      return test;
  return nullptr;
}
