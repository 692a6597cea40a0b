//===- componentmanager.cpp - The host's component manager ----------------===//
#include "host/services/componentmanager.h"
#include "host/cli/exitstatus.h"
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <dlfcn.h>
#include <filesystem>

class HostInstanceObject : public IKorComponentManager {
public:
  KOR_CLASS(HostInstanceObject, IKorComponentManager)
  explicit HostInstanceObject(HostComponentManager &manager)
      : manager_(manager) {}
  int LoadComponent(const KorGuid &id, const char *name,
                    IKorComponent **component) override {
    return manager_.LoadComponent(id, name, component);
  }
  void RegisterService(const char *name, IKorUnknown *service) override {
    manager_.RegisterService(name, service);
  }
  int LookupService(const char *name, void **result) override {
    return manager_.LookupService(name, result);
  }
  int LastError() override { return manager_.LastError(); }
  void IncrementCount(uint32_t *count) override {
    manager_.IncrementCount(count);
  }
  bool DecrementCount(uint32_t *count) override {
    return manager_.DecrementCount(count);
  }
  IKorComponentManager *GetInstanceObject(const char *, int) override {
    return nullptr;
  }

private:
  HostComponentManager &manager_;
};

HostComponentManager::HostComponentManager() = default;

HostComponentManager::~HostComponentManager() { releaseServices(); }

void HostComponentManager::releaseServices() {
  auto services = std::move(services_);
  services_.clear();
  for (auto &[name, service] : services)
    service->Release();
}

int HostComponentManager::LoadComponent(const KorGuid &id, const char *,
                                        IKorComponent **component) {
  for (auto &loaded : components_)
    if (loaded->id == id) {
      *component = loaded->component;
      lastError_ = 0;
      return 1;
    }
  lastError_ = 'N'; // no such component in the catalogue
  return 0;
}

void HostComponentManager::RegisterService(const char *name,
                                           IKorUnknown *service) {
  if (!name || !service)
    return;
  service->AddRef();
  auto it = services_.find(name);
  if (it != services_.end()) {
    it->second->Release();
    it->second = service;
  } else {
    services_.emplace(name, service);
  }
}

int HostComponentManager::LookupService(const char *name, void **result) {
  *result = nullptr;
  auto it = name ? services_.find(name) : services_.end();
  if (it == services_.end())
    return 0;
  it->second->QueryInterface(name, result, 0);
  return *result ? 1 : 0;
}

void HostComponentManager::IncrementCount(uint32_t *count) {
  std::atomic_ref<uint32_t>(*count).fetch_add(1, std::memory_order_relaxed);
}

bool HostComponentManager::DecrementCount(uint32_t *count) {
  return std::atomic_ref<uint32_t>(*count).fetch_sub(
             1, std::memory_order_acq_rel) == 1;
}

IKorComponentManager *HostComponentManager::GetInstanceObject(
    const char *instanceName, int) {
  if (!instanceName)
    return nullptr;
  auto it = instances_.find(instanceName);
  return it == instances_.end() ? nullptr : it->second.get();
}

LoadedComponent &HostComponentManager::loadLibrary(const std::string &path) {
  void *handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle)
    throw HostError{"cannot load " + path + ": " + dlerror(),
                    kExitNotCarriedOut};
  using EntryFn = int32_t (*)(uint32_t *, void **);
  auto entry = reinterpret_cast<EntryFn>(dlsym(handle, "EntryPoint"));
  if (!entry) {
    dlclose(handle);
    throw HostError{path + " is not a component (no EntryPoint)",
                    kExitNotCarriedOut};
  }
  uint32_t version = 0;
  void *object = nullptr;
  if (entry(&version, &object) != 1 || !object)
    throw HostError{path + ": EntryPoint returned no component",
                    kExitNotCarriedOut};
  auto loaded = std::make_unique<LoadedComponent>();
  loaded->path = path;
  loaded->handle = handle;
  loaded->component = static_cast<IKorComponent *>(object);
  loaded->component->AddRef();
  void *internal = nullptr;
  loaded->component->QueryInterface("IKorCompInternal", &internal, 0);
  loaded->internal = static_cast<IKorCompInternal *>(internal);
  if (!loaded->internal)
    throw HostError{path + ": component has no IKorCompInternal",
                    kExitNotCarriedOut};
  loaded->id = *loaded->internal->ComponentId();
  loaded->name = loaded->internal->ComponentName();
  instances_.emplace(loaded->name, std::make_unique<HostInstanceObject>(*this));
  loaded->internal->SetInstanceName(loaded->name.c_str());
  loaded->component->SetComponentManager(this);
  components_.push_back(std::move(loaded));
  return *components_.back();
}

void HostComponentManager::loadPluginFolder(const std::string &dir) {
  std::error_code ec;
  if (!std::filesystem::is_directory(dir, ec))
    throw HostError{"plugin folder " + dir + " does not exist", kExitUsage};
  std::vector<std::string> libraries;
  for (const auto &entry : std::filesystem::directory_iterator(dir, ec)) {
    std::string file = entry.path().filename().string();
    if (entry.is_regular_file() && file.starts_with("lib") &&
        file.ends_with(".so"))
      libraries.push_back(entry.path().string());
  }
  std::sort(libraries.begin(), libraries.end());
  for (const std::string &path : libraries)
    loadLibrary(path);
}

std::string formatGuid(const KorGuid &id) {
  char text[40];
  std::snprintf(text, sizeof text,
                "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", id.data1,
                id.data2, id.data3, id.data4[0], id.data4[1], id.data4[2],
                id.data4[3], id.data4[4], id.data4[5], id.data4[6],
                id.data4[7]);
  return text;
}
