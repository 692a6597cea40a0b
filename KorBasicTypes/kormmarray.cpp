//===- kormmarray.cpp - Paged arrays of the host memory manager -----------===//
#include "KorBasicTypes/kormmarray.h"
#include "KorBasicTypes/nyrmemory.h"
#include "KorBasicTypes/nyroutofmemory.h"
#include <cstdlib>

namespace KorMM {

IKorMManager *hostManager() { return nyrMemoryManager(); }

bool isAvailable() {
  IKorMManager *manager = hostManager();
  return manager && manager->IsAvailable();
}

void *allocPage(IKorMManager *manager, size_t bytes) {
  void *page = manager ? manager->AllocPage(bytes) : std::calloc(1, bytes);
  while (!page && manager && manager->ReleaseMemory())
    page = manager->AllocPage(bytes);
  if (!page) {
    writeMemoryLog(bytes);
    handleOutOfMemoryFatal(kNyrAllocFailed);
    nyrEndProcess(); // a page is never optional
  }
  return page;
}

void freePage(IKorMManager *manager, void *page, size_t bytes) {
  if (manager)
    manager->FreePage(page, bytes);
  else
    std::free(page);
}

} // namespace KorMM
