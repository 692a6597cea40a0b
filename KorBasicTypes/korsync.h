//===- korsync.h - Thin synchronisation wrappers over POSIX threads -------===//
//
// Two recursive critical sections (one over a POSIX mutex, one that costs a
// single atomic instruction when uncontended), waitable handles (mutexes,
// events, counting semaphores) with infinite, zero and timed waits, a native
// condition variable and an emulated condition variable that works with a mutex
// handle. Each wrapper is a plain object that owns its handles; none is
// reference counted.
//
//===----------------------------------------------------------------------===//
#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <pthread.h>

/// The spin count of KOR_SPIN_COUNT, read once per process (atoi); 0 when
/// the variable is absent or negative.
int korSpinCount();
/// The spin count a value of KOR_SPIN_COUNT stands for (null: absent).
int korSpinCountFromText(const char *text);

/// A recursive lock; with a spin count it tries that many times before it
/// blocks.
class KorCriticalSection {
public:
  explicit KorCriticalSection(int spinCount = 0);
  ~KorCriticalSection();
  KorCriticalSection(const KorCriticalSection &) = delete;
  KorCriticalSection &operator=(const KorCriticalSection &) = delete;

  void enter() {
    if (spinCount_ == 0 || !spinToEnter())
      pthread_mutex_lock(&mutex_);
  }
  bool tryEnter();
  void leave() { pthread_mutex_unlock(&mutex_); }
  int spinCount() const { return spinCount_; }
  pthread_mutex_t *native() { return &mutex_; }

private:
  /// Tries spinCount_ times without blocking; true once entered.
  bool spinToEnter();

  pthread_mutex_t mutex_;
  int spinCount_;
};

/// A recursive lock for short critical sections. Entering it when no other
/// thread holds it is one atomic compare-and-swap and leaving it, while no
/// thread sleeps on it, a plain store: no system call either way. A
/// contender spins briefly, then sleeps on a futex until the holder leaves.
/// It needs no constructor code, so a global one is ready before any static
/// initialiser runs and never dies.
class KorFutexSection {
public:
  constexpr KorFutexSection() = default;
  KorFutexSection(const KorFutexSection &) = delete;
  KorFutexSection &operator=(const KorFutexSection &) = delete;

  void enter() {
    uint32_t expected = kFree;
    if (state_.compare_exchange_strong(expected, kHeld,
                                       std::memory_order_acquire,
                                       std::memory_order_relaxed))
      owner_.store(currentThread(), std::memory_order_relaxed);
    else
      enterHeld();
  }
  void leave() {
    if (nested_ != 0) {
      --nested_;
      return;
    }
    owner_.store(0, std::memory_order_relaxed);
    if (state_.load(std::memory_order_relaxed) == kHeld)
      state_.store(kFree, std::memory_order_release);
    else
      leaveAndWake();
  }

private:
  enum : uint32_t { kFree = 0, kHeld = 1, kHeldWithSleepers = 2 };

  /// A number that tells the running thread from every other live one: the
  /// address of its thread control block, read without a call.
  static uintptr_t currentThread() {
    return reinterpret_cast<uintptr_t>(__builtin_thread_pointer());
  }
  /// enter when the section is held: one more level for its owner;
  /// another thread spins, then sleeps until it owns the section.
  void enterHeld();
  /// Frees the section and wakes one sleeper.
  void leaveAndWake();

  std::atomic<uint32_t> state_{kFree};
  /// Only the owner writes its own id here, and clears it before it frees
  /// the section, so a thread reads its own id only while it holds it.
  std::atomic<uintptr_t> owner_{0};
  /// Levels entered beyond the first; touched only by the owner.
  uint32_t nested_ = 0;
};

/// Holds a critical section (either kind) for one scope.
template <class Section> class KorLock {
public:
  explicit KorLock(Section &section) : section_(section) { section_.enter(); }
  ~KorLock() { section_.leave(); }
  KorLock(const KorLock &) = delete;
  KorLock &operator=(const KorLock &) = delete;

private:
  Section &section_;
};

/// Something a thread waits for: a mutex is acquired, an event or a
/// semaphore is consumed (auto-reset) or observed (manual reset).
class KorWaitable {
public:
  virtual ~KorWaitable();
  /// Waits at most timeoutMs milliseconds (negative: forever); true when
  /// the handle was acquired or signalled.
  virtual bool waitFor(int64_t timeoutMs) = 0;
  /// Gives the handle back: unlocks a mutex, sets an event, releases one
  /// count of a semaphore. False when the handle refuses.
  virtual bool signal() = 0;
};

/// Waits without limit; true when acquired or signalled.
bool korWait(KorWaitable *handle);
/// Checks without waiting; true when signalled.
bool korTryWait(KorWaitable *handle);
/// Waits up to `seconds` (converted to milliseconds, at least 1).
bool korTimedWait(KorWaitable *handle, double seconds);
/// Signals one handle and then waits for another; false (and no wait) when
/// the first cannot be signalled. POSIX has no atomic form; the counting
/// semaphore of KorCondition keeps every wake-up.
bool korSignalAndWait(KorWaitable *toSignal, KorWaitable *toWaitFor);

/// An event: manual reset stays signalled until reset, auto reset wakes
/// one waiter and resets itself.
class KorEventHandle : public KorWaitable {
public:
  KorEventHandle(bool manualReset, bool initiallySet);
  ~KorEventHandle() override;
  bool waitFor(int64_t timeoutMs) override;
  bool signal() override;
  void reset();

private:
  pthread_mutex_t mutex_;
  pthread_cond_t cond_;
  bool manualReset_;
  bool set_;
};

/// A counting semaphore with a maximum count.
class KorSemaphoreHandle : public KorWaitable {
public:
  KorSemaphoreHandle(int32_t initial, int32_t maximum);
  ~KorSemaphoreHandle() override;
  bool waitFor(int64_t timeoutMs) override;
  bool signal() override { return release(1); }
  /// Adds `count`; false (and nothing added) beyond the maximum.
  bool release(int32_t count);

private:
  pthread_mutex_t mutex_;
  pthread_cond_t cond_;
  int32_t count_;
  int32_t maximum_;
};

/// A mutex handle: unnamed (recursive, within the process) or named (shared
/// between processes, a POSIX named semaphore of count 1).
class KorMutex {
public:
  KorMutex();
  ~KorMutex();
  KorMutex(const KorMutex &) = delete;
  KorMutex &operator=(const KorMutex &) = delete;

  /// An unnamed mutex, not owned; false when the wrapper holds one.
  bool create();
  /// Creates or opens the named mutex `name`, inherited by child processes;
  /// false when the wrapper already holds a handle.
  bool createNamed(const char *name);
  /// Opens an existing named mutex; false when the wrapper already holds a
  /// handle or no such mutex exists.
  bool openNamed(const char *name);
  /// Waits without limit for ownership.
  void lock();
  /// As lock; false when there is no handle.
  bool lockChecked();
  void unlock();
  /// As unlock; false when there is no handle or it was not owned.
  bool unlockChecked();
  /// Closes the handle (the wrapper holds none afterwards).
  void close();
  /// Closes the handle and clears the wrapper for reuse.
  void closeAndClear();
  /// Closes the handle when there is one; true when one was closed.
  bool closeIfOpen();
  bool isNull() const { return !handle_; }
  KorWaitable *handle() { return handle_.get(); }

private:
  std::unique_ptr<KorWaitable> handle_;
};

/// A manual-reset event, initially not signalled.
class KorEvent {
public:
  bool create();
  void close() { handle_.reset(); }
  void set() {
    if (handle_)
      handle_->signal();
  }
  void reset() {
    if (handle_)
      handle_->reset();
  }
  bool isNull() const { return !handle_; }
  KorWaitable *handle() { return handle_.get(); }

private:
  std::unique_ptr<KorEventHandle> handle_;
};

/// The platform's own condition variable, used with a critical section
/// entered exactly once.
class KorNativeCondition {
public:
  ~KorNativeCondition();
  void initialise();
  void wait(KorCriticalSection &section);
  void wakeOne();
  void wakeAll();

private:
  pthread_cond_t cond_;
  bool initialised_ = false;
};

/// A condition variable over a KorMutex: waiters queue on a counting
/// semaphore, and a broadcast waits until the last woken waiter
/// acknowledges, so it wakes exactly the threads waiting at the time.
class KorCondition {
public:
  KorCondition();
  ~KorCondition() { destroy(); }
  KorCondition(const KorCondition &) = delete;
  KorCondition &operator=(const KorCondition &) = delete;

  /// Releases `mutex` (held by the caller), waits for a signal or a
  /// broadcast and owns `mutex` again on return.
  void wait(KorMutex &mutex);
  /// Wakes one waiter, if any.
  void signal();
  /// Wakes every current waiter; call it holding the mutex.
  void broadcast();
  void destroy();
  int32_t waiters() const { return waiters_; }
  int spinCount() const { return section_ ? section_->spinCount() : 0; }

private:
  int32_t waiters_ = 0;
  std::unique_ptr<KorCriticalSection> section_;
  std::unique_ptr<KorSemaphoreHandle> queue_;
  std::unique_ptr<KorEventHandle> lastWaiterDone_;
  bool broadcasting_ = false;
};
