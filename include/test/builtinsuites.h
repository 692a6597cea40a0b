//===- builtinsuites.h - The component's self-test suites -----------------===//
#pragma once

/// Creates the four built-in suites and their tests, in this order:
/// "Test Assert Tests", "Application Asserts and Exceptions Tests", "Empty
/// Suite" and "Spec Suite"; each test goes to the test registry and then
/// to its suite. Later calls do nothing.
void korCreateBuiltInSuites();
