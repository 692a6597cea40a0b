//===- scriptcatalog.cpp - The scripts the loaded components offer --------===//
#include "host/cli/scriptcatalog.h"
#include "host/services/componentmanager.h"
#include <algorithm>

namespace {
/// Creates one class and keeps it when it describes a script.
void offerClass(LoadedComponent &loaded, const KorGuid &id,
                std::vector<OfferedScript> &scripts) {
  IKorUnknown *object = nullptr;
  if (loaded.component->CreateObject(id, &object) == 0 || !object)
    return;
  // A new object comes without a reference: the holder takes the first.
  IPtr<IKorUnknown> holder(object);
  IPtr<IScriptable> command(object);
  if (!command)
    return;
  IScript *described = command->Describe();
  IPtr<IScript> description(described);
  IPtr<HostScript> script(described);
  if (!script)
    return;
  const char *className = loaded.internal->ClassNameOf(id);
  scripts.push_back({loaded.name, className ? className : object->ClassName(),
                     std::move(command), std::move(script)});
}
} // namespace

std::vector<OfferedScript> findOfferedScripts(HostComponentManager &manager) {
  std::vector<OfferedScript> scripts;
  for (const auto &loaded : manager.components()) {
    std::vector<KorGuid> ids;
    KorGuid id;
    for (bool more = loaded->internal->FirstClassId(&id); more;
         more = loaded->internal->NextClassId(&id))
      ids.push_back(id);
    for (const KorGuid &classId : ids)
      offerClass(*loaded, classId, scripts);
  }
  std::stable_sort(scripts.begin(), scripts.end(),
                   [](const OfferedScript &a, const OfferedScript &b) {
                     return a.name() < b.name();
                   });
  auto duplicate =
      std::unique(scripts.begin(), scripts.end(),
                  [](const OfferedScript &a, const OfferedScript &b) {
                    return a.name() == b.name();
                  });
  scripts.erase(duplicate, scripts.end());
  return scripts;
}
