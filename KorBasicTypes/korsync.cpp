//===- korsync.cpp - Thin synchronisation wrappers over POSIX threads -----===//
#include "KorBasicTypes/korsync.h"
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <linux/futex.h>
#include <semaphore.h>
#include <string>
#include <sys/syscall.h>
#include <unistd.h>

int korSpinCountFromText(const char *text) {
  if (!text)
    return 0;
  int count = std::atoi(text);
  return count < 0 ? 0 : count;
}

int korSpinCount() {
  static const int count = korSpinCountFromText(std::getenv("KOR_SPIN_COUNT"));
  return count;
}

namespace {
/// The absolute time `timeoutMs` from now on `clock`.
timespec deadlineAfter(clockid_t clock, int64_t timeoutMs) {
  timespec now;
  clock_gettime(clock, &now);
  int64_t nanos = now.tv_nsec + (timeoutMs % 1000) * 1000000;
  now.tv_sec += static_cast<time_t>(timeoutMs / 1000 + nanos / 1000000000);
  now.tv_nsec = static_cast<long>(nanos % 1000000000);
  return now;
}

void initMonotonicCondition(pthread_cond_t *cond) {
  pthread_condattr_t attr;
  pthread_condattr_init(&attr);
  pthread_condattr_setclock(&attr, CLOCK_MONOTONIC);
  pthread_cond_init(cond, &attr);
  pthread_condattr_destroy(&attr);
}

void initRecursiveMutex(pthread_mutex_t *mutex) {
  pthread_mutexattr_t attr;
  pthread_mutexattr_init(&attr);
  pthread_mutexattr_settype(&attr, PTHREAD_MUTEX_RECURSIVE);
  pthread_mutex_init(mutex, &attr);
  pthread_mutexattr_destroy(&attr);
}

/// Waits on `cond` until `ready` holds or the timeout passes; the caller
/// holds `mutex`.
template <class Ready>
bool waitUntil(pthread_cond_t *cond, pthread_mutex_t *mutex, int64_t timeoutMs,
               Ready ready) {
  if (timeoutMs < 0) {
    while (!ready())
      pthread_cond_wait(cond, mutex);
    return true;
  }
  timespec deadline = deadlineAfter(CLOCK_MONOTONIC, timeoutMs);
  while (!ready())
    if (pthread_cond_timedwait(cond, mutex, &deadline) == ETIMEDOUT)
      return ready();
  return true;
}

/// An unnamed mutex: recursive, owned by the thread that locks it.
class LocalMutexHandle : public KorWaitable {
public:
  LocalMutexHandle() { initRecursiveMutex(&mutex_); }
  ~LocalMutexHandle() override { pthread_mutex_destroy(&mutex_); }
  bool waitFor(int64_t timeoutMs) override {
    if (timeoutMs < 0)
      return pthread_mutex_lock(&mutex_) == 0;
    if (timeoutMs == 0)
      return pthread_mutex_trylock(&mutex_) == 0;
    timespec deadline = deadlineAfter(CLOCK_REALTIME, timeoutMs);
    return pthread_mutex_timedlock(&mutex_, &deadline) == 0;
  }
  bool signal() override { return pthread_mutex_unlock(&mutex_) == 0; }

private:
  pthread_mutex_t mutex_;
};

/// A named mutex shared between processes: a named semaphore of count 1.
class NamedMutexHandle : public KorWaitable {
public:
  explicit NamedMutexHandle(sem_t *sem) : sem_(sem) {}
  ~NamedMutexHandle() override { sem_close(sem_); }
  bool waitFor(int64_t timeoutMs) override {
    if (timeoutMs < 0) {
      while (sem_wait(sem_) != 0)
        if (errno != EINTR)
          return false;
      return true;
    }
    if (timeoutMs == 0)
      return sem_trywait(sem_) == 0;
    timespec deadline = deadlineAfter(CLOCK_REALTIME, timeoutMs);
    while (sem_timedwait(sem_, &deadline) != 0)
      if (errno != EINTR)
        return false;
    return true;
  }
  bool signal() override { return sem_post(sem_) == 0; }

private:
  sem_t *sem_;
};

/// POSIX names of named semaphores: one leading '/', no other separator.
std::string semaphoreName(const char *name) {
  std::string posix = "/";
  for (const char *c = name; *c; ++c)
    posix += (*c == '/' || *c == '\\') ? '_' : *c;
  return posix;
}
} // namespace

//===- Critical section ---------------------------------------------------===//

KorCriticalSection::KorCriticalSection(int spinCount)
    : spinCount_(spinCount < 0 ? 0 : spinCount) {
  initRecursiveMutex(&mutex_);
}

KorCriticalSection::~KorCriticalSection() { pthread_mutex_destroy(&mutex_); }

bool KorCriticalSection::spinToEnter() {
  for (int spin = 0; spin < spinCount_; ++spin)
    if (pthread_mutex_trylock(&mutex_) == 0)
      return true;
  return false;
}

bool KorCriticalSection::tryEnter() {
  return pthread_mutex_trylock(&mutex_) == 0;
}

//===- Futex section ------------------------------------------------------===//

namespace {
/// Tries before a contender goes to sleep: long enough to cover a holder
/// that pops or pushes one free-list entry, short next to a context switch.
constexpr int kFutexSpins = 100;

/// Longest sleep before a sleeper looks at the section again. Leaving
/// checks for sleepers and then stores "free" as two steps, to keep the
/// uncontended path free of a second atomic instruction; a thread that goes
/// to sleep between the two is not woken by that holder and relies on this
/// bound instead.
constexpr long kFutexSleepNanos = 1'000'000;

void cpuRelax() {
#if defined(__x86_64__) || defined(__i386__)
  __builtin_ia32_pause();
#endif
}

long futex(std::atomic<uint32_t> *word, int op, uint32_t value,
           const timespec *timeout) {
  static_assert(sizeof(std::atomic<uint32_t>) == sizeof(uint32_t));
  return syscall(SYS_futex, reinterpret_cast<uint32_t *>(word),
                 op | FUTEX_PRIVATE_FLAG, value, timeout, nullptr, 0);
}
} // namespace

void KorFutexSection::enterHeld() {
  uintptr_t self = currentThread();
  if (owner_.load(std::memory_order_relaxed) == self) {
    ++nested_;
    return;
  }
  for (int spin = 0; spin < kFutexSpins; ++spin) {
    cpuRelax();
    uint32_t expected = kFree;
    if (state_.load(std::memory_order_relaxed) == kFree &&
        state_.compare_exchange_weak(expected, kHeld, std::memory_order_acquire,
                                     std::memory_order_relaxed)) {
      owner_.store(self, std::memory_order_relaxed);
      return;
    }
  }
  // Marks the section as having sleepers before each sleep, so the holder's
  // leave wakes one; the thread that gets it keeps the mark, which at worst
  // costs one needless wake.
  const timespec bound = {0, kFutexSleepNanos};
  while (state_.exchange(kHeldWithSleepers, std::memory_order_acquire) != kFree)
    futex(&state_, FUTEX_WAIT, kHeldWithSleepers, &bound);
  owner_.store(self, std::memory_order_relaxed);
}

void KorFutexSection::leaveAndWake() {
  state_.store(kFree, std::memory_order_release);
  futex(&state_, FUTEX_WAKE, 1, nullptr);
}

//===- Waits on any handle ------------------------------------------------===//

KorWaitable::~KorWaitable() = default;

bool korWait(KorWaitable *handle) { return handle && handle->waitFor(-1); }

bool korTryWait(KorWaitable *handle) { return handle && handle->waitFor(0); }

bool korTimedWait(KorWaitable *handle, double seconds) {
  double ms = seconds * 1000.0;
  int64_t timeoutMs = ms < 1.0 ? 1 : ms > 9e15 ? INT64_MAX / 2 : int64_t(ms);
  return handle && handle->waitFor(timeoutMs);
}

bool korSignalAndWait(KorWaitable *toSignal, KorWaitable *toWaitFor) {
  if (!toSignal || !toWaitFor || !toSignal->signal())
    return false;
  toWaitFor->waitFor(-1);
  return true;
}

//===- Events and semaphores ----------------------------------------------===//

KorEventHandle::KorEventHandle(bool manualReset, bool initiallySet)
    : manualReset_(manualReset), set_(initiallySet) {
  pthread_mutex_init(&mutex_, nullptr);
  initMonotonicCondition(&cond_);
}

KorEventHandle::~KorEventHandle() {
  pthread_cond_destroy(&cond_);
  pthread_mutex_destroy(&mutex_);
}

bool KorEventHandle::waitFor(int64_t timeoutMs) {
  pthread_mutex_lock(&mutex_);
  bool signalled = waitUntil(&cond_, &mutex_, timeoutMs, [&] { return set_; });
  if (signalled && !manualReset_)
    set_ = false;
  pthread_mutex_unlock(&mutex_);
  return signalled;
}

bool KorEventHandle::signal() {
  pthread_mutex_lock(&mutex_);
  set_ = true;
  if (manualReset_)
    pthread_cond_broadcast(&cond_);
  else
    pthread_cond_signal(&cond_);
  pthread_mutex_unlock(&mutex_);
  return true;
}

void KorEventHandle::reset() {
  pthread_mutex_lock(&mutex_);
  set_ = false;
  pthread_mutex_unlock(&mutex_);
}

KorSemaphoreHandle::KorSemaphoreHandle(int32_t initial, int32_t maximum)
    : count_(initial), maximum_(maximum) {
  pthread_mutex_init(&mutex_, nullptr);
  initMonotonicCondition(&cond_);
}

KorSemaphoreHandle::~KorSemaphoreHandle() {
  pthread_cond_destroy(&cond_);
  pthread_mutex_destroy(&mutex_);
}

bool KorSemaphoreHandle::waitFor(int64_t timeoutMs) {
  pthread_mutex_lock(&mutex_);
  bool got = waitUntil(&cond_, &mutex_, timeoutMs, [&] { return count_ > 0; });
  if (got)
    --count_;
  pthread_mutex_unlock(&mutex_);
  return got;
}

bool KorSemaphoreHandle::release(int32_t count) {
  pthread_mutex_lock(&mutex_);
  bool fits = count > 0 && count <= maximum_ - count_;
  if (fits) {
    count_ += count;
    if (count == 1)
      pthread_cond_signal(&cond_);
    else
      pthread_cond_broadcast(&cond_);
  }
  pthread_mutex_unlock(&mutex_);
  return fits;
}

//===- Mutex --------------------------------------------------------------===//

KorMutex::KorMutex() = default;
KorMutex::~KorMutex() = default;

bool KorMutex::create() {
  if (handle_)
    return false;
  handle_ = std::make_unique<LocalMutexHandle>();
  return true;
}

bool KorMutex::createNamed(const char *name) {
  if (handle_ || !name)
    return false;
  sem_t *sem = sem_open(semaphoreName(name).c_str(), O_CREAT, 0600, 1);
  if (sem == SEM_FAILED)
    return false;
  handle_ = std::make_unique<NamedMutexHandle>(sem);
  return true;
}

bool KorMutex::openNamed(const char *name) {
  if (handle_ || !name)
    return false;
  sem_t *sem = sem_open(semaphoreName(name).c_str(), 0);
  if (sem == SEM_FAILED)
    return false;
  handle_ = std::make_unique<NamedMutexHandle>(sem);
  return true;
}

void KorMutex::lock() { handle_->waitFor(-1); }

bool KorMutex::lockChecked() { return handle_ && handle_->waitFor(-1); }

void KorMutex::unlock() { handle_->signal(); }

bool KorMutex::unlockChecked() { return handle_ && handle_->signal(); }

void KorMutex::close() { handle_.reset(); }

void KorMutex::closeAndClear() { handle_.reset(); }

bool KorMutex::closeIfOpen() {
  if (!handle_)
    return false;
  handle_.reset();
  return true;
}

bool KorEvent::create() {
  if (handle_)
    return false;
  handle_ = std::make_unique<KorEventHandle>(true, false);
  return true;
}

//===- Native condition variable ------------------------------------------===//

KorNativeCondition::~KorNativeCondition() {
  if (initialised_)
    pthread_cond_destroy(&cond_);
}

void KorNativeCondition::initialise() {
  if (!initialised_)
    pthread_cond_init(&cond_, nullptr);
  initialised_ = true;
}

void KorNativeCondition::wait(KorCriticalSection &section) {
  pthread_cond_wait(&cond_, section.native());
}

void KorNativeCondition::wakeOne() { pthread_cond_signal(&cond_); }

void KorNativeCondition::wakeAll() { pthread_cond_broadcast(&cond_); }

//===- Emulated condition -------------------------------------------------===//

KorCondition::KorCondition()
    : section_(std::make_unique<KorCriticalSection>(korSpinCount())),
      queue_(std::make_unique<KorSemaphoreHandle>(0, 0x7fffffff)),
      lastWaiterDone_(std::make_unique<KorEventHandle>(false, false)) {}

void KorCondition::wait(KorMutex &mutex) {
  section_->enter();
  ++waiters_;
  section_->leave();

  if (!korSignalAndWait(mutex.handle(), queue_.get())) {
    mutex.unlock();
    queue_->waitFor(-1);
  }

  section_->enter();
  --waiters_;
  bool lastOfBroadcast = broadcasting_ && waiters_ == 0;
  section_->leave();

  if (lastOfBroadcast) {
    if (!korSignalAndWait(lastWaiterDone_.get(), mutex.handle())) {
      lastWaiterDone_->signal();
      mutex.lock();
    }
  } else {
    mutex.lock();
  }
}

void KorCondition::signal() {
  section_->enter();
  bool haveWaiters = waiters_ > 0;
  section_->leave();
  if (haveWaiters)
    queue_->release(1);
}

void KorCondition::broadcast() {
  section_->enter();
  if (waiters_ <= 0) {
    section_->leave();
    return;
  }
  broadcasting_ = true;
  queue_->release(waiters_);
  section_->leave();
  lastWaiterDone_->waitFor(-1);
  broadcasting_ = false;
}

void KorCondition::destroy() {
  lastWaiterDone_.reset();
  section_.reset();
  queue_.reset();
  waiters_ = 0;
  broadcasting_ = false;
}
