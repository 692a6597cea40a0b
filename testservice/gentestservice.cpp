//===- gentestservice.cpp - The test service: registry and runner of tests ===//
#include "testservice/gentestservice.h"
#include "testservice/genteststatus.h"
#include "testservice/heapentrycount.h"
#include "component/ikorclock.h"
#include "component/ikorcomponent.h"
#include "component/ikorcomponentmanager.h"
#include "component/ikorerrorservice.h"
#include "component/ikorregistry.h"
#include "frame/ikortest.h"
#include "frame/ikortestresults.h"
#include "frame/ikortestsuite.h"
#include "KorBasicTypes/korcstring.h"
#include "frame/korfaultreport.h"
#include "KorBasicTypes/korhashtable.h"
#include "frame/korinterrupt.h"
#include "frame/kortestbase.h"
#include "testservice/progressforwarder.h"
#include "testservice/registryvalue.h"
#include "testservice/runwatch.h"
#include "testservice/testassertcb.h"
#include "KorBasicTypes/translate.h"
#include "testservice/uncountedstatus.h"
#include "testservice/wildcardpattern.h"
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <utility>

/// The arguments of one RunTests call that every test of it shares.
struct GenTestService::RunOptions {
  IKorTestResults *results;
  bool breakOnFailure;
  bool checkMemory;
  bool keepApplicationAsserts;
  bool randomize;
  uint32_t *seed;
  bool selectedOnly;
  KorRunWatch *watch;
};

namespace {
/// Buckets of the suite grouping table: the low 32 bits of the suite's
/// address.
struct SuiteAddressHash {
  uint32_t operator()(IKorTestSuite *suite) const {
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(suite));
  }
};
using SuiteTable =
    KorHashMap<IKorTestSuite *, KorArray<IKorTest *>, SuiteAddressHash>;
/// The table starts at the first prime above 16: 17 buckets.
constexpr uint64_t kSuiteTableSize = 16;

/// Milliseconds since an unspecified start (the boot), cut to 32 bits.
uint32_t tickCount() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<uint32_t>(static_cast<uint64_t>(now.tv_sec) * 1000u +
                               static_cast<uint64_t>(now.tv_nsec) / 1000000u);
}

/// Writes to standard output at once: the name of a test shows before its
/// body runs, so a run that dies in a test still names it.
void print(const char *text) {
  std::fputs(text, stdout);
  std::fflush(stdout);
}

/// The outcome after a test's name; NotRun (and any unknown state) prints
/// nothing and leaves the line open.
void printResult(int state) {
  if (state == kTestPassed)
    print("\033[32mSuccess\033[39m\n");
  else if (state == kTestFailed || state == kTestAborted)
    print("\033[31mFailed\033[39m\n");
  else if (state == kTestSkipped)
    print("Skipped\n");
}

/// An interrupt that came while the test ran but that its body was not
/// left for (a stop signal outside the body, a time limit the body
/// returned after): the test still fails with the reason.
void recordMissedInterrupt(const KorRunWatch &watch, int32_t timeLimit,
                           IKorTest *test, IKorTestStatus *status,
                           const char *fullName) {
  int kind = kInterruptNone;
  int detail = 0;
  if (watch.stop() > 0 && !watch.interruptTaken()) {
    kind = kInterruptStopSignal;
    detail = watch.stop();
  } else if (watch.timeLimitMissed()) {
    kind = kInterruptTimeout;
    detail = timeLimit;
  } else {
    return;
  }
  status->AddMessage(korInterruptMessage(kind, detail).c_str(),
                     test->SourceFile(), test->DeclarationLine());
  status->SetState(kTestFailed);
  korPrintTestEnd(fullName, korInterruptCause(kind, detail).c_str());
}
} // namespace

KorCString korFullTestName(IKorTestSuite *suite, IKorTest *test) {
  KorCString suiteName;
  if (suite)
    suite->Name(suiteName);
  KorCString description;
  if (test)
    test->Description(description);
  return KorCString(suiteName.c_str(), ".", description.c_str());
}

void korSeedTestRandom(bool randomize, uint32_t *seed) {
  if (randomize) {
    uint32_t ticks = tickCount();
    std::srand(ticks);
    if (seed)
      *seed = ticks;
  } else {
    std::srand(seed ? *seed : 1u);
  }
}

GenTestService::GenTestService() = default;

GenTestService::~GenTestService() {
  // Suites own their tests: give the references back without destroying.
  for (IKorTest *test : tests_)
    test->ReleaseNoDelete();
  for (WildcardPattern *pattern : includePatterns_)
    delete pattern;
  for (KorCString *name : excludedNames_)
    delete name;
}

void GenTestService::AddTest(IKorTest *test) {
  if (!test)
    return;
  void *base = nullptr;
  test->QueryInterface(KorTestBase::kClassName, &base, 0);
  if (base)
    static_cast<KorTestBase *>(base)->setTestNumber(nextTestNumber_++);
  tests_.append(test);
  test->AddRef();
}

void GenTestService::AddIncludePattern(const char *pattern) {
  includePatterns_.append(new WildcardPattern(pattern));
}

void GenTestService::AddExcludedTest(const char *fullName) {
  excludedNames_.append(new KorCString(fullName));
}

IKorTest *GenTestService::GetTest(int position) {
  if (position < 1 || position > GetTestCount())
    return nullptr;
  return tests_[static_cast<uint32_t>(position)];
}

IKorTest *GenTestService::FindTest(int testNumber) {
  for (IKorTest *test : tests_)
    if (test->TestNumber() == testNumber)
      return test;
  return nullptr;
}

void GenTestService::GetTests(KorArray<IKorTest *> &out) {
  out.clear();
  for (IKorTest *test : tests_)
    out.append(test);
}

TestAssertCB *GenTestService::assertHook() const { return hook_.get(); }

bool GenTestService::Selected(IKorTestSuite *suite, IKorTest *test) {
  if (!suite || !test || !test->Enabled())
    return false;
  return selectedByName(korFullTestName(suite, test));
}

bool GenTestService::selectedByName(const KorCString &fullName) {
  for (uint32_t i = excludedNames_.count(); i >= 1; --i)
    if (*excludedNames_[i] == fullName)
      return false;
  if (includePatterns_.empty())
    return true;
  for (WildcardPattern *pattern : includePatterns_)
    if (pattern->matches(fullName.c_str()))
      return true;
  return false;
}

void GenTestService::RunTests(const KorArray<IKorTest *> &tests,
                              IKorTestResults *results, bool breakOnFailure,
                              bool checkMemory, bool keepApplicationAsserts,
                              bool randomize, uint32_t *seed,
                              bool selectedOnly) {
  if (!results)
    return;
  TestAssertCB::install(hook_);
  if (!forwarder_)
    forwarder_ = std::make_unique<KorTestProgressForwarder>();
  if (checkMemory && !uncounted_)
    uncounted_ = IPtr<UncountedStatus>(new UncountedStatus);
  KorRunWatch watch(timeLimit_, static_cast<int32_t>(tests.count()));

  SuiteTable table(kSuiteTableSize);
  for (IKorTest *test : tests) {
    IKorTestSuite *suite = test->Suite();
    KorArray<IKorTest *> *entry = table.find(suite);
    if (!entry)
      entry = &table.insert(suite, KorArray<IKorTest *>());
    entry->append(test);
  }

  const RunOptions options{
      results,   breakOnFailure, checkMemory,  keepApplicationAsserts,
      randomize, seed,           selectedOnly, &watch};
  table.forEach([&](IKorTestSuite *suite, const KorArray<IKorTest *> &group) {
    if (watch.stop() == 0)
      runSuite(suite, group, options);
  });
  lastRunStop_ = watch.stop();
}

void GenTestService::runSuite(IKorTestSuite *suite,
                              const KorArray<IKorTest *> &tests,
                              const RunOptions &options) {
  KorCString suiteName;
  if (suite)
    suite->Name(suiteName);
  bool anySelected = false;
  for (IKorTest *test : tests)
    if (Selected(suite, test)) {
      anySelected = true;
      break;
    }
  if (anySelected)
    suite->SuiteSetUp();

  for (IKorTest *test : tests) {
    // A stopped run leaves the rest without records.
    if (options.watch->stop() != 0)
      break;
    bool savedBreak = test->BreakOnFailure();
    test->SetBreakOnFailure(options.breakOnFailure);
    auto *status = new GenTestStatus(test);
    options.results->AddStatus(status);

    KorCString description;
    test->Description(description);
    KorCString fullName(suiteName.c_str(), ".", description.c_str());
    bool selected = suite && test->Enabled() && selectedByName(fullName);
    bool printed = selected || !options.selectedOnly;
    if (printed) {
      KorCString line("   ", fullName.c_str(), " ... ");
      print(line.c_str());
    }
    options.watch->beginTest(fullName.c_str());
    if (selected) {
      IKorTest *outerTest = std::exchange(runningTest_, test);
      const char *outerName = std::exchange(runningName_, fullName.c_str());
      runOne(suite, test, status, fullName.c_str(), options);
      runningTest_ = outerTest;
      runningName_ = outerName;
    } else {
      status->AddMessage(test->DisabledReason(), test->SourceFile(),
                         test->DeclarationLine());
      if (test->Enabled())
        status->SetState(kTestSkipped);
    }
    if (printed)
      printResult(status->GetState());
    options.watch->endTest();
    test->SetBreakOnFailure(savedBreak);
  }

  if (anySelected)
    suite->SuiteTearDown();
}

void GenTestService::runOne(IKorTestSuite *suite, IKorTest *test,
                            GenTestStatus *status, const char *fullName,
                            const RunOptions &options) {
  suite->BeforeTest();
  SPtr<IKorClock> clock;
  // A leak-checked body sees its record through a stand-in that keeps the
  // record's own blocks out of the count.
  IKorTestStatus *seen = status;
  if (options.checkMemory) {
    uncounted_->forwardTo(status);
    seen = uncounted_.get();
  }
  TestAssertCB *hook = hook_.get();
  if (hook) {
    if (!options.keepApplicationAsserts)
      hook->setChain(false);
    hook->clearAssertSeen();
    hook->setStatus(seen);
  }
  forwarder_->setStatus(seen);
  korSeedTestRandom(options.randomize, options.seed);

  if (clock)
    clock->Start();
  int64_t before = options.checkMemory ? HeapEntryCount() : 0;
  options.watch->beginBody();
  test->Run(seen);
  options.watch->endBody();
  bool leakCheck = options.checkMemory && status->GetCheckMemory();
  int64_t after =
      leakCheck ? HeapEntryCount() - uncounted_->recordBlocks() : before;
  if (clock)
    clock->Stop();
  recordMissedInterrupt(*options.watch, timeLimit_, test, status, fullName);
  if (leakCheck && status->GetState() == kTestPassed && after != before) {
    status->AddMessage("Memory leak detected in test.", test->SourceFile(),
                       test->DeclarationLine());
    status->SetState(kTestFailed);
  }

  if (hook) {
    hook->setStatus(nullptr);
    hook->setChain(true);
  }
  forwarder_->setStatus(nullptr);
  if (uncounted_)
    uncounted_->forwardTo(nullptr);
  suite->AfterTest();
  // Without a host clock there is no duration to store.
  status->SetDuration(clock ? clock->Elapsed() : 0.0);
}

void GenTestService::ReportTestEnd(IKorTest *test, const char *cause) {
  // The running test's name was built before its leak count began.
  if (test && test == runningTest_)
    korPrintTestEnd(runningName_, cause);
  else
    korPrintTestEnd(
        korFullTestName(test ? test->Suite() : nullptr, test).c_str(), cause);
}

namespace {
/// Tells the user that the component a registry value names did not load.
void reportUnloadedComponent(const char *valueText) {
  SPtr<IKorErrorService> errors;
  if (!errors)
    return;
  KorString message =
      korTranslate("Unable to load component with id %1", KorString(valueText));
  errors->Report(message.data(), 1, "");
}

/// Lets a loaded component register its tests with the sink, when it
/// offers tests.
void registerTestsOf(IKorComponent *component, IKorTestService *sink) {
  IPtr<IKorCompInternal> internal(component);
  if (internal && internal->OffersTests())
    internal->RegisterTests(sink);
}
} // namespace

void GenTestService::LoadTestComponents() {
  if (componentsLoaded_)
    return;
  componentsLoaded_ = true; // whatever happens below, nothing is retried
  SPtr<Tarnwell::IKorRegistry> registry;
  if (!registry)
    return;
  IPtr<Tarnwell::IKorRegIter> values(registry->GetValueIterator("KorTest"));
  if (!values)
    return;
  SPtr<IKorComponentManager> manager;
  if (!manager)
    return;
  SPtr<IKorTestService> service;

  for (values->First(); !values->IsDone(); values->Next()) {
    const char *text = values->CurrentValue();
    KorGuid id;
    bool complete = parseRegistryComponentId(text, id) == 11;
    IKorComponent *component = nullptr;
    if (manager->LoadComponent(id, "", &component) != 0) {
      if (component)
        registerTestsOf(component, service.get());
      if (!complete)
        ++loadFailures_;
    } else {
      reportUnloadedComponent(text);
      ++loadFailures_;
    }
  }
}
