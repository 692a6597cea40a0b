//===- infocommand.cpp - `korhost info`: what the loaded components offer -===//
#include "host/cli/infocommand.h"
#include "host/services/componentmanager.h"

int runInfoCommand(HostComponentManager &manager, FILE *out) {
  for (const auto &loaded : manager.components()) {
    IKorCompInternal *internal = loaded->internal;
    std::fprintf(out, "component %s %s instance \"%s\" (%s)\n",
                 loaded->name.c_str(), formatGuid(loaded->id).c_str(),
                 internal->InstanceName(), loaded->path.c_str());
    std::fprintf(out, "  classes: %d\n", internal->ClassCount());
    KorGuid id;
    for (bool more = internal->FirstClassId(&id); more;
         more = internal->NextClassId(&id)) {
      const char *name = internal->ClassNameOf(id);
      std::fprintf(out, "    %s %s\n", formatGuid(id).c_str(),
                   name ? name : "?");
    }
  }
  return 0;
}
