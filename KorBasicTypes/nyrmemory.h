//===- nyrmemory.h - Memory figures, estimates and the memory limit -------===//
//
// The machine's memory figures (from /proc/meminfo, or the host's
// IMemChecker when it asks to be used), estimates of the memory still
// available, the MemLimitListener that keeps the "Memory/MemLimit" setting,
// and the host services the allocator consults, each fetched once and kept.
//
//===----------------------------------------------------------------------===//
#pragma once
#include "component/igfxrenderer.h"
#include "component/ikordatareceiver.h"
#include "component/ikormmanager.h"
#include "component/imemchecker.h"
#include <atomic>
#include <cstdint>
#include <string>

/// The platform's raw figures in bytes. "Page file" is the swap space;
/// "virtual" the address space of this process.
struct NyrPlatformMemory {
  uint64_t availPhys = 0;
  uint64_t totalPhys = 0;
  uint64_t availPageFile = 0;
  uint64_t totalPageFile = 0;
  uint64_t availVirtual = 0;
  uint64_t totalVirtual = 0;
  uint64_t availExtendedVirtual = 0;
};

/// Reads the platform's figures; false when the system cannot tell.
bool nyrQueryPlatformMemory(NyrPlatformMemory &out);
/// Fills the physical and swap figures from the text of /proc/meminfo
/// (MemTotal, MemAvailable, SwapTotal, SwapFree); false when MemTotal or
/// MemAvailable is missing.
bool nyrParseMeminfo(const std::string &text, NyrPlatformMemory &out);

/// The four figures of getMemoryStatus.
struct NyrMemoryFigures {
  uint64_t systemFree = 0;
  uint64_t systemTotal = 0;
  uint64_t swapFree = 0;
  uint64_t swapTotal = 0;
};
/// The four figures derived from raw ones, each divided by `divisor`: swap
/// total is the smaller of the total page file and total virtual minus
/// total physical; swap free the smallest of the available page file,
/// available virtual minus available physical, and swap total.
NyrMemoryFigures nyrFiguresFrom(const NyrPlatformMemory &raw, int divisor);

/// What getMemoryStatus returns on failure (all bits set).
inline constexpr uint32_t kNyrStatusFailed = 0xFFFFFFFFu;
/// The machine's memory figures divided by `divisor` (1024 gives KiB), from
/// IMemChecker when present and active, else from the platform; 0 on
/// success, kNyrStatusFailed on failure.
uint32_t getMemoryStatus(uint64_t *systemFree, uint64_t *systemTotal,
                         uint64_t *swapFree, uint64_t *swapTotal, int divisor);

/// System free plus `swapFraction` of swap free (0 when the figures fail).
uint64_t nyrAvailableMemory(double swapFraction, int divisor);
/// System free alone (0 when the figures fail).
uint64_t nyrFreeSystemMemory(int divisor);
/// Available physical memory (bounded by available virtual plus extended
/// virtual) plus `pageFileFraction` of the available page file; 1843200 /
/// divisor when the platform cannot tell.
uint64_t nyrAvailablePhysicalMemory(double pageFileFraction, int divisor);
/// Available virtual memory; 1843200 / divisor when the platform cannot tell.
uint64_t nyrAvailableVirtualMemory(int divisor);
/// The current limit of the process-wide MemLimitListener.
int64_t nyrMemLimit();

/// Keeps the "Memory/MemLimit" setting: starts from the larger of total
/// physical and total virtual memory, takes the setting once attached to
/// the settings store and every change the store reports afterwards.
class MemLimitListener : public IKorDataReceiver {
public:
  static constexpr const char *kClassName = "NyrDataReceiver";
  const char *ClassName() override { return kClassName; }
  void QueryInterface(const char *name, void **result, int = 0) override {
    kor_detail::query<MemLimitListener, IKorDataReceiver>(this, name, result);
  }

  MemLimitListener();
  /// Registers with IDataStore (when present) and reads the setting.
  void attach();
  void OnDataChanged(const char *key, double value) override;
  int64_t limit() const { return limit_.load(std::memory_order_relaxed); }

private:
  std::atomic<int64_t> limit_;
};

/// The process-wide listener, created and attached on first use and never
/// destroyed.
MemLimitListener &nyrMemLimitListener();

/// The host memory manager, fetched once (under a lock) and kept; null
/// while the host offers none.
KorMM::IKorMManager *nyrMemoryManager();
/// The host's memory checker, fetched once and kept; null when absent.
IMemChecker *nyrMemChecker();
/// The host's renderer, fetched once and kept; null when absent.
IGfxRenderer *nyrRenderer();
/// Drops the kept host services (when the host goes away, and in tests).
void nyrForgetHostServices();
