//===- memorymanager.cpp - The host's memory manager: heap pages ----------===//
#include "host/services/memorymanager.h"
#include "host/services/hostservices.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/sysinfo.h>
#include <unistd.h>

namespace {
uint64_t toBlocks(uint64_t bytes) { return bytes / KorMM::kKorMMBlockBytes; }

/// A "Name:   123 kB" line of /proc/self/status in bytes (0 when absent).
uint64_t statusBytes(const char *name) {
  FILE *file = std::fopen("/proc/self/status", "r");
  if (!file)
    return 0;
  char line[256];
  uint64_t kib = 0;
  size_t length = std::strlen(name);
  while (std::fgets(line, sizeof line, file))
    if (std::strncmp(line, name, length) == 0 && line[length] == ':') {
      kib = std::strtoull(line + length + 1, nullptr, 10);
      break;
    }
  std::fclose(file);
  return kib * 1024;
}
} // namespace

void *HostMemoryManager::AllocPage(size_t bytes) {
  void *page = std::calloc(1, bytes);
  if (page)
    ++pagesInUse_;
  return page;
}

void HostMemoryManager::FreePage(void *page, size_t) {
  if (!page)
    return;
  std::free(page);
  --pagesInUse_;
}

uint64_t HostMemoryManager::CoreLimit() {
  long pages = sysconf(_SC_PHYS_PAGES);
  long size = sysconf(_SC_PAGESIZE);
  return pages > 0 && size > 0 ? toBlocks(uint64_t(pages) * uint64_t(size)) : 0;
}

uint64_t HostMemoryManager::SwapLimit() {
  struct sysinfo info;
  if (sysinfo(&info) != 0)
    return 0;
  return toBlocks(uint64_t(info.totalswap) * info.mem_unit);
}

uint64_t HostMemoryManager::SwapNow() { return toBlocks(statusBytes("VmSwap")); }

uint64_t HostMemoryManager::CoreNow() { return toBlocks(statusBytes("VmRSS")); }

KORHOST_SERVICE("KorMM::IKorMManager",
                [](const HostOptions &) { return new HostMemoryManager; });
