//===- kormmarray.cpp - Paged arrays of the host memory manager -----------===//
#include "kormmarray.h"
#include "korcomponentstate.h"
#include <atomic>
#include <cstdlib>
#include <mutex>

namespace {
std::mutex gManagerLock;
std::atomic<bool> gFetched{false};
// Kept with one reference for the process and never released at exit,
// when the host that made it may already be gone.
std::atomic<KorMM::IKorMManager *> gManager{nullptr};
} // namespace

namespace KorMM {

IKorMManager *hostManager() {
  if (gFetched.load(std::memory_order_acquire))
    return gManager.load(std::memory_order_acquire);
  std::lock_guard<std::mutex> guard(gManagerLock);
  // A look-up before the host has handed over its component manager would
  // find nothing; it does not count as the one fetch.
  if (!gFetched.load(std::memory_order_relaxed) && korComponentManager()) {
    SPtr<IKorMManager> manager;
    if (manager) {
      manager->AddRef();
      gManager.store(manager.get(), std::memory_order_relaxed);
    }
    gFetched.store(true, std::memory_order_release);
  }
  return gManager.load(std::memory_order_acquire);
}

void setHostManager(IKorMManager *manager) {
  std::lock_guard<std::mutex> guard(gManagerLock);
  if (manager)
    manager->AddRef();
  if (IKorMManager *old = gManager.exchange(manager))
    old->Release();
  gFetched.store(manager != nullptr, std::memory_order_release);
}

bool isAvailable() {
  IKorMManager *manager = hostManager();
  return manager && manager->IsAvailable();
}

void *allocPage(IKorMManager *manager, size_t bytes) {
  if (!manager) {
    void *page = std::calloc(1, bytes);
    if (!page)
      std::exit(-1);
    return page;
  }
  void *page = manager->AllocPage(bytes);
  while (!page && manager->ReleaseMemory())
    page = manager->AllocPage(bytes);
  if (!page)
    std::exit(-1);
  return page;
}

void freePage(IKorMManager *manager, void *page, size_t bytes) {
  if (manager)
    manager->FreePage(page, bytes);
  else
    std::free(page);
}

} // namespace KorMM
