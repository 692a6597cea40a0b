//===- infocommand.h - `korhost info`: what the loaded components offer ---===//
#pragma once
#include <cstdio>

class HostComponentManager;

/// Prints each component (name, identifier, instance name) and its classes.
int runInfoCommand(HostComponentManager &manager, FILE *out = stdout);
