//===- korfaultreport.cpp - Tells the user what ended a test body ---------===//
#include "frame/korfaultreport.h"
#include "frame/ikortest.h"
#include "frame/ikortestendreport.h"
#include "frame/ikortestservice.h"
#include "frame/ikortestsuite.h"
#include "component/iptr.h"
#include "KorBasicTypes/korcstring.h"
#include "frame/korfaultguard.h"
#include "frame/korinterrupt.h"
#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cxxabi.h>
#include <exception>
#include <typeinfo>

namespace {
bool hasFaultAddress(int signal, int code) {
  bool fault = signal == SIGSEGV || signal == SIGBUS || signal == SIGFPE ||
               signal == SIGILL;
  return fault && code > 0; // raised by the processor, not sent
}

std::string demangled(const char *name) {
  int status = 0;
  char *readable = abi::__cxa_demangle(name, nullptr, nullptr, &status);
  std::string text = status == 0 && readable ? readable : name;
  std::free(readable);
  return text;
}
} // namespace

std::string korTestFullName(IKorTest *test) {
  KorCString suiteName;
  KorCString description;
  if (test) {
    if (IKorTestSuite *suite = test->Suite())
      suite->Name(suiteName);
    test->Description(description);
  }
  return std::string(suiteName.c_str()) + "." + description.c_str();
}

std::string korSignalCause(const KorGuardOutcome &outcome) {
  std::string cause = "ended by " + korSignalName(outcome.signal);
  if (hasFaultAddress(outcome.signal, outcome.code)) {
    char address[32];
    std::snprintf(address, sizeof address, " at address 0x%" PRIxPTR,
                  reinterpret_cast<uintptr_t>(outcome.address));
    cause += address;
  }
  return cause;
}

std::string korCurrentExceptionCause() {
  const std::type_info *type = abi::__cxa_current_exception_type();
  std::string cause = "ended by an exception of type ";
  cause += type ? demangled(type->name()) : "unknown";
  try {
    throw;
  } catch (const std::exception &error) {
    cause += ": ";
    cause += error.what();
  } catch (...) {
  }
  return cause;
}

void korPrintTestEnd(const char *fullName, const char *cause) {
  std::string line = std::string(program_invocation_short_name) + ": test \"" +
                     fullName + "\" " + cause + "\n";
  std::fputs(line.c_str(), stderr);
  std::fflush(stderr);
}

void korReportTestEnd(IKorTest *test, const std::string &cause) {
  SPtr<IKorTestService> service;
  IPtr<IKorTestEndReport> runner(service.get());
  if (runner)
    runner->ReportTestEnd(test, cause.c_str());
  else
    korPrintTestEnd(korTestFullName(test).c_str(), cause.c_str());
}
