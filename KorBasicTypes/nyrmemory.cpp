//===- nyrmemory.cpp - Memory figures, estimates and the memory limit -----===//
#include "KorBasicTypes/nyrmemory.h"
#include "component/idatastore.h"
#include "component/iptr.h"
#include "KorBasicTypes/korsync.h"
#include <algorithm>
#include <climits>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <sys/resource.h>
#include <sys/sysinfo.h>
#include <unistd.h>

namespace {
constexpr const char *kMemLimitKey = "Memory/MemLimit";
/// The answer of the last two estimates when the platform cannot tell.
constexpr uint64_t kUnknownAvailable = 1843200;
/// The user address space of a 64-bit Linux process (47 bits).
constexpr uint64_t kUserAddressSpace = uint64_t(1) << 47;

uint64_t perDivisor(uint64_t value, int divisor) {
  return divisor > 0 ? value / uint64_t(divisor) : value;
}

std::string readWholeFile(const char *path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

/// Physical and swap figures from sysinfo, when /proc/meminfo is missing.
bool querySysinfo(NyrPlatformMemory &out) {
  struct sysinfo info;
  if (sysinfo(&info) != 0)
    return false;
  uint64_t unit = info.mem_unit ? info.mem_unit : 1;
  out.totalPhys = uint64_t(info.totalram) * unit;
  out.availPhys = (uint64_t(info.freeram) + info.bufferram) * unit;
  out.totalPageFile = uint64_t(info.totalswap) * unit;
  out.availPageFile = uint64_t(info.freeswap) * unit;
  return true;
}

/// The address space this process may use and what it already maps.
void queryVirtual(NyrPlatformMemory &out) {
  rlimit limit;
  out.totalVirtual = kUserAddressSpace;
  if (getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
    out.totalVirtual = std::min<uint64_t>(limit.rlim_cur, kUserAddressSpace);
  unsigned long pages = 0;
  if (FILE *statm = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(statm, "%lu", &pages) != 1)
      pages = 0;
    std::fclose(statm);
  }
  uint64_t mapped = uint64_t(pages) * uint64_t(sysconf(_SC_PAGESIZE));
  out.availVirtual = out.totalVirtual > mapped ? out.totalVirtual - mapped : 0;
  out.availExtendedVirtual = 0;
}

/// Fetches the service I once and keeps a reference for the process.
template <class I> I *keptService(std::atomic<I *> &slot) {
  if (I *kept = slot.load(std::memory_order_acquire))
    return kept;
  static KorCriticalSection *fetchLock = new KorCriticalSection;
  KorLock guard(*fetchLock);
  if (I *kept = slot.load(std::memory_order_acquire))
    return kept;
  SPtr<I> service;
  if (!service)
    return nullptr;
  service->AddRef();
  slot.store(service.get(), std::memory_order_release);
  return service.get();
}

/// The integer part of a setting, kept within the 64-bit range.
int64_t integerPart(double value) {
  if (!(value == value))
    return 0;
  if (value >= 9.2e18)
    return INT64_MAX;
  if (value <= -9.2e18)
    return INT64_MIN;
  return int64_t(value);
}

template <class I> void forgetService(std::atomic<I *> &slot) {
  if (I *kept = slot.exchange(nullptr))
    static_cast<IKorUnknown *>(kept)->Release();
}

std::atomic<KorMM::IKorMManager *> gMemoryManager{nullptr};
std::atomic<IMemChecker *> gMemChecker{nullptr};
std::atomic<IGfxRenderer *> gRenderer{nullptr};
} // namespace

bool nyrParseMeminfo(const std::string &text, NyrPlatformMemory &out) {
  std::istringstream lines(text);
  std::string name;
  uint64_t kib = 0;
  bool total = false, available = false;
  while (lines >> name >> kib) {
    if (name == "MemTotal:")
      out.totalPhys = kib * 1024, total = true;
    else if (name == "MemAvailable:")
      out.availPhys = kib * 1024, available = true;
    else if (name == "SwapTotal:")
      out.totalPageFile = kib * 1024;
    else if (name == "SwapFree:")
      out.availPageFile = kib * 1024;
    lines.ignore(INT_MAX, '\n');
  }
  return total && available;
}

bool nyrQueryPlatformMemory(NyrPlatformMemory &out) {
  out = NyrPlatformMemory();
  if (!nyrParseMeminfo(readWholeFile("/proc/meminfo"), out) &&
      !querySysinfo(out))
    return false;
  queryVirtual(out);
  return true;
}

NyrMemoryFigures nyrFiguresFrom(const NyrPlatformMemory &raw, int divisor) {
  uint64_t virtualBeyondPhys =
      raw.totalVirtual > raw.totalPhys ? raw.totalVirtual - raw.totalPhys : 0;
  uint64_t availVirtualBeyondPhys =
      raw.availVirtual > raw.availPhys ? raw.availVirtual - raw.availPhys : 0;
  uint64_t swapTotal = std::min(raw.totalPageFile, virtualBeyondPhys);
  uint64_t swapFree =
      std::min({raw.availPageFile, availVirtualBeyondPhys, swapTotal});
  return {perDivisor(raw.availPhys, divisor),
          perDivisor(raw.totalPhys, divisor), perDivisor(swapFree, divisor),
          perDivisor(swapTotal, divisor)};
}

uint32_t getMemoryStatus(uint64_t *systemFree, uint64_t *systemTotal,
                         uint64_t *swapFree, uint64_t *swapTotal, int divisor) {
  IMemChecker *checker = nyrMemChecker();
  if (checker && checker->IsActive())
    return checker->GetMemoryStatus(systemFree, systemTotal, swapFree,
                                    swapTotal, divisor);
  NyrPlatformMemory raw;
  if (!nyrQueryPlatformMemory(raw))
    return kNyrStatusFailed;
  NyrMemoryFigures figures = nyrFiguresFrom(raw, divisor);
  *systemFree = figures.systemFree;
  *systemTotal = figures.systemTotal;
  *swapFree = figures.swapFree;
  *swapTotal = figures.swapTotal;
  return 0;
}

uint64_t nyrAvailableMemory(double swapFraction, int divisor) {
  nyrMemLimitListener();
  uint64_t systemFree, systemTotal, swapFree, swapTotal;
  if (getMemoryStatus(&systemFree, &systemTotal, &swapFree, &swapTotal,
                      divisor) != 0)
    return 0;
  return systemFree + uint64_t(swapFraction * double(swapFree));
}

uint64_t nyrFreeSystemMemory(int divisor) {
  nyrMemLimitListener();
  uint64_t systemFree, systemTotal, swapFree, swapTotal;
  if (getMemoryStatus(&systemFree, &systemTotal, &swapFree, &swapTotal,
                      divisor) != 0)
    return 0;
  return systemFree;
}

uint64_t nyrAvailablePhysicalMemory(double pageFileFraction, int divisor) {
  nyrMemLimitListener();
  NyrPlatformMemory raw;
  if (!nyrQueryPlatformMemory(raw))
    return perDivisor(kUnknownAvailable, divisor);
  uint64_t phys =
      std::min(raw.availPhys, raw.availVirtual + raw.availExtendedVirtual);
  return perDivisor(phys, divisor) +
         uint64_t(pageFileFraction *
                  double(perDivisor(raw.availPageFile, divisor)));
}

uint64_t nyrAvailableVirtualMemory(int divisor) {
  nyrMemLimitListener();
  NyrPlatformMemory raw;
  if (!nyrQueryPlatformMemory(raw))
    return perDivisor(kUnknownAvailable, divisor);
  return perDivisor(raw.availVirtual, divisor);
}

int64_t nyrMemLimit() { return nyrMemLimitListener().limit(); }

//===- MemLimitListener ---------------------------------------------------===//

MemLimitListener::MemLimitListener() : limit_(INT32_MIN) {
  NyrPlatformMemory raw;
  if (nyrQueryPlatformMemory(raw))
    limit_ = int64_t(std::min<uint64_t>(
        std::max(raw.totalPhys, raw.totalVirtual), INT64_MAX));
}

void MemLimitListener::attach() {
  SPtr<IDataStore> store;
  if (!store)
    return;
  store->Watch(kMemLimitKey, this);
  limit_ = integerPart(store->GetDouble(kMemLimitKey, 0));
}

void MemLimitListener::OnDataChanged(const char *key, double value) {
  if (key && std::string_view(key) == kMemLimitKey)
    limit_ = integerPart(value);
}

MemLimitListener &nyrMemLimitListener() {
  static MemLimitListener *listener = [] {
    auto *created = new MemLimitListener;
    created->AddRef(); // the process keeps it
    created->attach();
    return created;
  }();
  return *listener;
}

//===- Host services kept for the process ---------------------------------===//

KorMM::IKorMManager *nyrMemoryManager() { return keptService(gMemoryManager); }

IMemChecker *nyrMemChecker() { return keptService(gMemChecker); }

IGfxRenderer *nyrRenderer() { return keptService(gRenderer); }

void nyrForgetHostServices() {
  forgetService(gMemoryManager);
  forgetService(gMemChecker);
  forgetService(gRenderer);
}
