//===- korbreakflag.h - The break-enabled flag from KOR_BREAK_ENABLED -----===//
#pragma once

/// Parses KOR_BREAK_ENABLED: absent true, exactly "0" false, else true.
bool korParseBreakEnabled(const char *value);
/// The component's break-enabled flag, read from the environment at load.
bool &korBreakEnabled();
