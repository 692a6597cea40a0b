//===- korassert.h - The core library's report of a failed internal check -===//
#pragma once

/// A function that takes over assertion reports (context, text, file, line).
using KorAssertHook = void (*)(void *context, const char *text,
                               const char *file, int line);

/// Reports a failed check: to the installed hook, else to the host's
/// "IKorAssertHandlerCB"; with neither the process ends with exit code 255.
/// The caller carries on after the report.
void Assert_basic(const char *text, const char *file, int line);

/// Installs (or with a null function removes) the assertion hook.
void korSetAssertHook(KorAssertHook hook, void *context);

/// Reports `text` at a fixed line of a source unit when `cond` is false.
#define KOR_CHECK(cond, text, unit, line)                                      \
  ((cond) ? (void)0 : Assert_basic(text, unit, line))
