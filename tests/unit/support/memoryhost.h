// A stand-in host for the allocator's tests: a component manager with a
// settings store, and fakes of the memory manager, memory checker, renderer
// and error service that record what the allocator asks of them.
#pragma once
#include "KorBasicTypes/nyrmemory.h"
#include "host/services/settingsstore.h"
#include "tests/unit/support/expectedfiles.h"
#include "tests/unit/support/hostfixture.h"
#include <filesystem>
#include <unistd.h>

/// A scoped host whose settings store the test fills; services the
/// allocator keeps are forgotten on both ends.
class ScopedMemoryHost : public ScopedHost {
public:
  ScopedMemoryHost() { nyrForgetHostServices(); }
  ~ScopedMemoryHost() { nyrForgetHostServices(); }
  void set(const std::string &key, const std::string &value) {
    store_->set(key, value);
  }

private:
  HostSettingsStore *store_ = offer("IDataStore", new HostSettingsStore);
};

/// Everything the fakes were asked, in order.
inline std::vector<std::string> &hostCalls() {
  static std::vector<std::string> calls;
  return calls;
}

/// A memory manager that agrees to `releases` requests, then refuses.
class FakeMemoryManager : public KorMM::IKorMManager {
public:
  KOR_CLASS(FakeMemoryManager, KorMM::IKorMManager)
  explicit FakeMemoryManager(int releases) : releases_(releases) {}
  bool IsAvailable() override { return true; }
  void *AllocPage(size_t) override { return nullptr; }
  void FreePage(void *, size_t) override {}
  bool ReleaseMemory() override {
    hostCalls().push_back(releases_ > 0 ? "release:yes" : "release:no");
    return releases_-- > 0;
  }
  uint64_t CoreLimit() override { return 1000; }
  uint64_t SwapLimit() override { return 2000; }
  uint64_t SwapNow() override { return 30; }
  uint64_t CoreNow() override { return 40; }

private:
  int releases_;
};

/// A memory checker with fixed figures.
class FakeMemChecker : public IMemChecker {
public:
  KOR_CLASS(FakeMemChecker, IMemChecker)
  explicit FakeMemChecker(bool active) : active(active) {}
  bool IsActive() override { return active; }
  uint32_t GetMemoryStatus(uint64_t *systemFree, uint64_t *systemTotal,
                           uint64_t *swapFree, uint64_t *swapTotal,
                           int divisor) override {
    *systemFree = 4096000 / divisor, *systemTotal = 8192000 / divisor;
    *swapFree = 1024000 / divisor, *swapTotal = 2048000 / divisor;
    return 0;
  }
  bool active;
};

class FakeRenderer : public IGfxRenderer {
public:
  KOR_CLASS(FakeRenderer, IGfxRenderer)
  void BeginModalMessage() override { hostCalls().push_back("render:8"); }
  void EndModalMessage() override { hostCalls().push_back("render:9"); }
};

/// An error service that keeps the last report.
class FakeErrorService : public IKorErrorService {
public:
  KOR_CLASS(FakeErrorService, IKorErrorService)
  void Report(const KorWChar *message, const int &severity,
              const char *source) override {
    hostCalls().push_back("report");
    message_ = message, severity_ = severity, source_ = source;
  }
  std::u16string message_;
  int severity_ = -1;
  std::string source_;
};

/// A fresh, empty folder under the test temporary folder, removed at the end.
class ScratchFolder {
public:
  ~ScratchFolder() { std::filesystem::remove_all(path_); }
  const std::string &path() const { return path_; }
  /// The text of the file `name` in the folder.
  std::string text(const std::string &name) const {
    return readFileBytes(path_ + "/" + name);
  }
  /// The names of the entries in the folder.
  std::vector<std::string> entries() const {
    std::vector<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(path_))
      names.push_back(entry.path().filename().string());
    return names;
  }

private:
  std::string path_ = [] {
    std::string pattern = std::filesystem::temp_directory_path().string() +
                          "/kortest-mem-XXXXXX";
    return mkdtemp(pattern.data()) ? pattern : std::string();
  }();
};
