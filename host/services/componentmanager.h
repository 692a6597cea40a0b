//===- componentmanager.h - The host's component manager ------------------===//
//
// Keeps the service table by name, counts references atomically, and loads
// component libraries from a plugin folder: each library is opened, its
// EntryPoint called and its identifier read through IKorCompInternal.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "host/cli/hostoptions.h"
#include "component/ikorcomponent.h"
#include "component/ikorcomponentmanager.h"
#include <map>
#include <memory>
#include <string>
#include <vector>

/// One loaded component library.
struct LoadedComponent {
  std::string path;
  void *handle = nullptr;
  IKorComponent *component = nullptr;
  IKorCompInternal *internal = nullptr;
  KorGuid id;
  std::string name;
};

/// Services registered for one component instance; look-ups it cannot
/// answer fall back to the manager.
class HostInstanceObject;

/// The host's IKorComponentManager.
class HostComponentManager : public IKorComponentManager {
public:
  KOR_CLASS(HostComponentManager, IKorComponentManager)
  HostComponentManager();
  ~HostComponentManager() override;

  int LoadComponent(const KorGuid &id, const char *name,
                    IKorComponent **component) override;
  void RegisterService(const char *name, IKorUnknown *service) override;
  int LookupService(const char *name, void **result) override;
  int LastError() override { return lastError_; }
  void IncrementCount(uint32_t *count) override;
  bool DecrementCount(uint32_t *count) override;
  IKorComponentManager *GetInstanceObject(const char *instanceName,
                                          int reserved) override;

  /// Opens every lib*.so of `dir` in name order and hands each component
  /// the manager; throws HostError naming a library that is no component.
  void loadPluginFolder(const std::string &dir);
  /// Opens one component library; throws HostError on failure.
  LoadedComponent &loadLibrary(const std::string &path);
  const std::vector<std::unique_ptr<LoadedComponent>> &components() const {
    return components_;
  }
  /// Releases every service (before the libraries are unloaded).
  void releaseServices();

private:
  std::map<std::string, IKorUnknown *> services_;
  std::map<std::string, std::unique_ptr<HostInstanceObject>> instances_;
  std::vector<std::unique_ptr<LoadedComponent>> components_;
  int lastError_ = 0;
};

/// Formats an identifier as {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}.
std::string formatGuid(const KorGuid &id);
