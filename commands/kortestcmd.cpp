//===- kortestcmd.cpp - The command that runs the programmer tests --------===//
#include "commands/kortestcmd.h"
#include "component/iguiutil.h"
#include "component/ikorcommandcontext.h"
#include "component/ikordirservice.h"
#include "component/ikorerrorservice.h"
#include "component/ikorqueryserver.h"
#include "frame/ikortest.h"
#include "frame/ikorteststatus.h"
#include "frame/ikortestsuite.h"
#include "component/iscriptfactory.h"
#include "frame/koritemfactory.h"
#include "results/genfileresultsrouter.h"
#include "results/gentestresults.h"
#include "results/resultsregistry.h"
#include "commands/kortestoptionhelp.h"
#include "commands/runscope.h"
#include "testservice/gentestservice.h"
#include "KorBasicTypes/translate.h"
#include <cstring>
#include <ctime>

namespace {
/// The processor time in milliseconds.
long processorMilliseconds() {
  return static_cast<long>(std::clock() / (CLOCKS_PER_SEC / 1000));
}

KortestCounts countStates(IKorTestResults *results) {
  KortestCounts counts;
  for (int i = 1; i <= results->GetCount(); ++i) {
    IKorTestStatus *status = results->GetStatus(static_cast<uint32_t>(i));
    switch (status ? status->GetState() : kTestNotRun) {
    case kTestPassed:
      ++counts.passed;
      break;
    case kTestFailed:
      ++counts.failed;
      break;
    case kTestSkipped:
      ++counts.skipped;
      break;
    case kTestAborted:
      ++counts.aborted;
      break;
    case kTestNotRun:
      ++counts.notRun;
      break;
    default:
      break;
    }
  }
  return counts;
}

void publish(const char *name, std::initializer_list<int32_t> values) {
  SPtr<IKorQueryServer> server;
  if (!server)
    return;
  KorArray<int32_t> record;
  for (int32_t value : values)
    record.append(value);
  server->Publish(name, record);
}

/// The tests of `tests` that the service would run.
int32_t countSelected(GenTestService *service,
                      const KorArray<IKorTest *> &tests) {
  int32_t selected = 0;
  for (IKorTest *test : tests)
    if (service && service->Selected(test->Suite(), test))
      ++selected;
  return selected;
}

/// 1 when the router could tell that it did not deliver the report (the
/// file router knows whether it wrote the whole file), after telling the
/// user the file's name and the system's reason: routers themselves stay
/// silent.
int32_t undelivered(IKorTestResultsRouter *router) {
  IPtr<GenFileResultsRouter> file(router);
  if (!file || file->delivered())
    return 0;
  SPtr<IKorErrorService> errors;
  if (errors) {
    KorString text = korTranslate(
        "Unable to write the results to %1: %2", file->fileName(),
        KorString::fromUtf8(file->failure().c_str()));
    errors->Report(text.data(), 1, "");
  }
  return 1;
}

/// The text of a string option, copied.
KorString stringOption(IScriptOptions *values, const char *name) {
  const KorWChar *text = nullptr;
  values->GetString(&text, name);
  return KorString(text ? text : u"");
}
} // namespace

KorString korJoinOutputPath(const KorString &directory, const char *file) {
  KorString path = directory;
  int32_t length = path.length();
  if (length > 0 && path[length - 1] != u'/' && path[length - 1] != u'\\')
    path.append(u'/');
  path.append(KorString(file));
  std::u16string normal(path.view());
  for (char16_t &c : normal)
    if (c == u'\\')
      c = u'/';
  while (normal.size() > 1 && normal.back() == u'/')
    normal.pop_back();
  return KorString(std::u16string_view(normal));
}

KortestCmd::KortestCmd() : CompBaseCmd(kComponentCommandKind) {
  for (const auto &entry : korResultsFormatters().entries())
    formatters_.push_back(entry.create());
  for (const auto &entry : korResultsRouters().entries())
    routers_.push_back(entry.create());
  findOutputFileName();
  SPtr<IFileNameWidgetV2> widget;
  if (widget) {
    widget->SetFilter(korTranslate("All Files (*.*)").data());
    fileNameWidget_ = widget;
  }
  setTitle("Run Programmer Tests");
}

void KortestCmd::findOutputFileName() {
  SPtr<IKorDirService> directories;
  if (!directories)
    return;
  const KorWChar *data = directories->GetDirectory("data");
  outputFileName_ =
      korJoinOutputPath(KorString(data ? data : u""), "test_results.txt");
}

bool KortestCmd::IsAvailable(IKorCommandContext *context) {
  return !(context && context->GetFlag("inCommand"));
}

IScript *KortestCmd::Describe() {
  SPtr<IScriptFactory> factory;
  if (!factory)
    return nullptr;
  IScript *script = factory->CreateScript(kScriptName, 1);
  IScriptOptions *options = script ? script->Options() : nullptr;
  if (!options)
    return script;
  options->DeclareString("suite_name", 1, u"");
  options->DeclareBool("break_on_fail", 1, false);
  options->DeclareBool("check_memory", 1, false);
  options->DeclareString("results_formatter", 1, u"");
  options->DeclareString("results_router", 1, u"");
  options->DeclareString("result_filename.txt", 1, u"");
  options->DeclareBool("randomize", 1, false);
  options->DeclareInteger("random_seed", 1, -1);
  return script;
}

KorArray<IKorTest *> KortestCmd::testsToRun(const KorString &suiteName) {
  KorArray<IKorTest *> registered;
  SPtr<IKorTestService> service;
  if (service)
    service->GetTests(registered);
  KorRunScope scope;
  scope.suiteName = suiteName.utf8();
  return korNarrowToScope(registered, scope);
}

bool KortestCmd::Execute(IScriptOptions *values) {
  SPtr<IKorTestService> service;
  IPtr<GenTestService> tests(service.get());
  if (tests)
    tests->LoadTestComponents();
  KorRunScope scope;
  bool runnable =
      korReadScriptRunScope(stringOption(values, "suite_name"), scope);
  KorScopedSelection selection(tests ? &tests->selection() : nullptr, scope);
  KorArray<IKorTest *> registered;
  if (service)
    service->GetTests(registered);
  matched_ = korCountMatched(registered, scope, [&](IKorTest *test) {
    return tests && tests->Selected(test->Suite(), test);
  });
  KorArray<IKorTest *> list;
  if (runnable)
    list = korNarrowToScope(registered, scope);

  KortestRunChoices choices;
  choices.breakOnFailure = values->GetBool("break_on_fail");
  choices.checkMemory = values->GetBool("check_memory");
  KorString formatterName = stringOption(values, "results_formatter");
  choices.formatter = formatterIndex(formatterName.utf8());
  if (choices.formatter < 0)
    reportNoSuch("formatter", formatterName);
  KorString routerName = stringOption(values, "results_router");
  choices.router = routerIndex(routerName.utf8());
  if (choices.router < 0 && choices.formatter >= 0)
    reportNoSuch("router", routerName);
  // An empty file name means the command's own output file (the data
  // directory's test_results.txt), where a script run reports by default.
  IPtr<GenFileResultsRouter> file(router(choices.router));
  KorString fileName = stringOption(values, "result_filename.txt");
  if (file)
    file->SetFileName(fileName.isEmpty() ? outputFileName_ : fileName);
  choices.randomize = values->GetBool("randomize");
  seed_ = static_cast<uint32_t>(values->GetInteger("random_seed"));
  choices.keepApplicationAsserts = false;
  runAndReport(list, choices);
  return true;
}

bool KortestCmd::Store(IScriptOptions *values) {
  KortestRunChoices choices = currentChoices();
  values->SetString("suite_name", u"");
  values->SetBool("break_on_fail", choices.breakOnFailure);
  values->SetBool("check_memory", choices.checkMemory);
  IKorTestResultsFormatter *chosenFormatter = formatter(choices.formatter);
  IKorTestResultsRouter *chosenRouter = router(choices.router);
  values->SetString(
      "results_formatter",
      KorString(chosenFormatter ? chosenFormatter->ClassName() : "").data());
  values->SetString(
      "results_router",
      KorString(chosenRouter ? chosenRouter->ClassName() : "").data());
  values->SetString("result_filename.txt", outputFileName_.data());
  values->SetBool("randomize", choices.randomize);
  values->SetInteger("random_seed", static_cast<int32_t>(seed_));
  return true;
}

const char *KortestCmd::OptionHelp(const char *script, const char *option) {
  if (!script || std::strcmp(script, kScriptName) != 0)
    return nullptr;
  return korKortestOptionHelp(option);
}

void KortestCmd::runAndReport(const KorArray<IKorTest *> &tests,
                              const KortestRunChoices &choices) {
  SPtr<IKorTestService> service;
  IPtr<GenTestService> runner(service.get());
  IPtr<IKorTestResults> results(
      static_cast<IKorTestResults *>(new GenTestResults));
  int32_t matched = matched_.value_or(countSelected(runner.get(), tests));
  matched_.reset();
  if (runner)
    runner->setTimeLimit(korRunTimeLimit());
  long started = processorMilliseconds();
  if (runner)
    runner->RunTests(tests, results.get(), choices.breakOnFailure,
                     choices.checkMemory, choices.keepApplicationAsserts,
                     choices.randomize, &seed_, false);
  long finished = processorMilliseconds();
  lastResults_ = results;
  lastCounts_ = countStates(results.get());
  lastElapsed_ = static_cast<int32_t>(finished - started) / 1000.0;
  if (gui())
    showRunInDialog();

  IKorTestResultsFormatter *chosenFormatter = formatter(choices.formatter);
  IKorTestResultsRouter *chosenRouter = router(choices.router);
  int32_t reportFailed = 0;
  if (chosenFormatter) {
    chosenFormatter->Format(results.get());
    if (chosenRouter) {
      chosenRouter->Route(chosenFormatter);
      reportFailed = undelivered(chosenRouter);
    }
  }
  publish(kResultsRecord,
          {lastCounts_.passed, lastCounts_.failed, lastCounts_.skipped});
  publish(kAbortedRecord, {lastCounts_.aborted});
  publish(kSeedRecord, {static_cast<int32_t>(seed_)});
  publish(kRunStatusRecord,
          {lastCounts_.notRun, runner ? runner->lastRunStop() : 0, reportFailed,
           runner ? runner->loadFailures() : 0, matched});
}

void KortestCmd::runFromDialog(const KorArray<IKorTest *> &tests,
                               const KortestRunChoices &choices) {
  IPtr<GenFileResultsRouter> file(router(choices.router));
  if (file)
    file->SetFileName(outputFileName_);
  runAndReport(tests, choices);
}

KortestRunChoices KortestCmd::currentChoices() {
  return gui() ? dialog_.choices(*gui()) : KortestRunChoices();
}

void KortestCmd::showRunInDialog() { dialog_.showRun(*gui()); }

void KortestCmd::OnButton(int32_t widget, int32_t state) {
  if (!gui())
    return;
  if (widget == kortest_widget::kRunSelected.number)
    dialog_.run(*gui(), true);
  else if (widget == kortest_widget::kRunAll.number)
    dialog_.run(*gui(), false);
  else if (widget == kortest_widget::kRandomize.number)
    dialog_.followRandomize(*gui(), state);
}

void KortestCmd::OnSelection(int32_t widget, int32_t) {
  if (gui() && widget == kortest_widget::kListView.number)
    dialog_.showResult(*gui());
}

void KortestCmd::OnIntegerValue(int32_t widget, int32_t value) {
  if (widget == kortest_widget::kSeedValue.number)
    seed_ = static_cast<uint32_t>(value);
}

void KortestCmd::OnNotify(int32_t widget, int32_t code) {
  if (widget == kortest_widget::kOutputFilename.number && code == 0)
    dialog_.takeFileName();
}

void KortestCmd::LayoutDialog(IGuiUtil *builder) {
  if (builder)
    dialog_.layout(*builder);
}

bool KortestCmd::Activate() {
  dialog_.activate(gui());
  return true;
}

int32_t KortestCmd::formatterIndex(const char *className) const {
  return korResultsFormatters().position(className);
}

int32_t KortestCmd::routerIndex(const char *className) const {
  return korResultsRouters().position(className);
}

IKorTestResultsFormatter *KortestCmd::formatter(int32_t index) const {
  return index >= 0 && static_cast<size_t>(index) < formatters_.size()
             ? formatters_[static_cast<size_t>(index)].get()
             : nullptr;
}

IKorTestResultsRouter *KortestCmd::router(int32_t index) const {
  return index >= 0 && static_cast<size_t>(index) < routers_.size()
             ? routers_[static_cast<size_t>(index)].get()
             : nullptr;
}

void KortestCmd::reportNoSuch(const char *what, const KorString &name) {
  SPtr<IKorErrorService> errors;
  if (!errors)
    return;
  bool isFormatter = std::strcmp(what, "formatter") == 0;
  KorString text;
  if (name.isEmpty())
    text = korTranslate(isFormatter
                            ? "No results formatter was chosen: the results "
                              "are neither formatted nor routed."
                            : "No results router was chosen: the results are "
                              "formatted but not routed.");
  else
    text =
        korTranslate(isFormatter ? "No results formatter is named \"%1\": the "
                                   "results are neither formatted nor routed."
                                 : "No results router is named \"%1\": the "
                                   "results are formatted but not routed.",
                     name);
  int severity = 1;
  errors->Report(text.data(), severity, "");
}

KOR_REGISTER_CLASS_AT_LOAD(KortestCmd, 0x7AB8B9BC, 0x34E3, 0x46EB, 0x93, 0xC0,
                           0xE9, 0x00, 0x89, 0xC7, 0x22, 0x90);
