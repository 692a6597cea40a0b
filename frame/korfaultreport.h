//===- korfaultreport.h - Tells the user what ended a test body -----------===//
//
// The record of a test that a fault or an exception ended keeps the same
// texts as ever ("Exception Occurred"); what happened goes to stderr, one
// line per test, also when the test expected it:
//   korhost: test "Suite.Test" ended by SIGSEGV at address 0x0
//   korhost: test "Suite.Test" ended by an exception of type
//   std::runtime_error: boom
// (with the program's short name in place of korhost).
//
//===----------------------------------------------------------------------===//
#pragma once
#include <string>

class IKorTest;
struct KorGuardOutcome;

/// The full name of a test: its suite's name, ".", its description.
std::string korTestFullName(IKorTest *test);

/// The signal that ended a guarded call, with the faulting address of a
/// processor fault: "ended by SIGSEGV at address 0x0", "ended by SIGABRT".
std::string korSignalCause(const KorGuardOutcome &outcome);

/// While an exception is being handled: its demangled type and, for a
/// std::exception, its what() text: "ended by an exception of type int",
/// "ended by an exception of type std::runtime_error: boom".
std::string korCurrentExceptionCause();

/// Writes `<program>: test "<fullName>" <cause>` and a line end to stderr.
void korPrintTestEnd(const char *fullName, const char *cause);

/// Tells the user what ended the body of `test`: through the test
/// service's IKorTestEndReport when there is one, else by itself.
void korReportTestEnd(IKorTest *test, const std::string &cause);
