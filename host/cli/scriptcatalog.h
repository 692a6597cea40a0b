//===- scriptcatalog.h - The scripts the loaded components offer ----------===//
#pragma once
#include "component/iptr.h"
#include "component/iscriptable.h"
#include "host/services/scriptengine.h"
#include <string>
#include <vector>

class HostComponentManager;

/// One script: the command object that runs it and its description.
struct OfferedScript {
  std::string component; ///< Name of the component that offers it.
  std::string className; ///< Class of the command.
  IPtr<IScriptable> command;
  IPtr<HostScript> script;
  const std::string &name() const { return script->name(); }
};

/// Creates every creatable class of every loaded component, keeps the
/// objects that answer "IScriptable" and whose describe gives a script of
/// this host's script engine, and releases the others. Scripts come sorted
/// by name; a name offered twice keeps its first command.
std::vector<OfferedScript> findOfferedScripts(HostComponentManager &manager);
