// Unit tests of the synchronisation wrappers: spin count, handles and the
// emulated condition variable, and the futex section of the bucket pool.
#include "KorBasicTypes/korsync.h"
#include <atomic>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

TEST(KorSync, SpinCountComesFromTextOrKorSpinCount) {
  EXPECT_EQ(std::vector<int>({korSpinCountFromText(nullptr),
                              korSpinCountFromText("4000"),
                              korSpinCountFromText("-1"),
                              korSpinCountFromText("12abc"),
                              korSpinCountFromText("abc"),
                              KorCriticalSection(-5).spinCount()}),
            std::vector<int>({0, 4000, 0, 12, 0, 0}));
}

TEST(KorSyncDeathTest, ConditionSpinsAsKorSpinCountSays) {
  // A fresh process, since the variable is read once per process.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT((setenv("KOR_SPIN_COUNT", "77", 1), std::exit(KorCondition().spinCount())),
              testing::ExitedWithCode(77), "");
}

TEST(KorSync, SectionsExcludeOtherThreadsAndNest) {
  KorCriticalSection section(100);
  section.enter();
  EXPECT_TRUE(section.tryEnter());
  section.leave();
  std::atomic<bool> otherGotIt{true};
  std::thread([&] { otherGotIt = section.tryEnter(); }).join();
  EXPECT_FALSE(otherGotIt);
  section.leave();
  // Two threads each add to a plain counter inside a nested futex entry:
  // any lost update shows in the total.
  KorFutexSection futex;
  long counter = 0;
  auto add = [&] {
    for (int i = 0; i < 200000; ++i) {
      KorLock outer(futex);
      KorLock inner(futex);
      ++counter;
    }
  };
  std::thread other(add);
  add();
  other.join();
  EXPECT_EQ(counter, 400000);
}

TEST(KorSync, MutexHandlesLockRecursivelyAndAreSharedByName) {
  KorMutex mutex;
  EXPECT_TRUE(mutex.isNull());
  EXPECT_FALSE(mutex.lockChecked() || mutex.unlockChecked() ||
               mutex.closeIfOpen());
  EXPECT_TRUE(mutex.create());
  EXPECT_FALSE(mutex.create() || mutex.unlockChecked()) << "not owned";
  EXPECT_TRUE(mutex.lockChecked());
  EXPECT_TRUE(korTryWait(mutex.handle())) << "recursive for the owner";
  bool otherGotIt = true;
  std::thread([&] { otherGotIt = korTimedWait(mutex.handle(), 0.001); }).join();
  EXPECT_FALSE(otherGotIt);
  EXPECT_TRUE(mutex.unlockChecked());
  mutex.unlock();

  std::string name = "kortest-sync-" + std::to_string(getpid());
  KorMutex owner, opener;
  EXPECT_FALSE(opener.openNamed(name.c_str()));
  ASSERT_TRUE(owner.createNamed(name.c_str()));
  ASSERT_TRUE(opener.openNamed(name.c_str()));
  owner.lock();
  EXPECT_FALSE(korTryWait(opener.handle())) << "held through the other handle";
  owner.unlock();
  EXPECT_TRUE(korWait(opener.handle()));
  opener.unlock();
  owner.closeAndClear();
  opener.close();
  sem_unlink(("/" + name).c_str());
}

TEST(KorSync, EventsAndSemaphores) {
  KorEvent event;
  EXPECT_TRUE(event.create());
  EXPECT_FALSE(korTryWait(event.handle()) || korTimedWait(event.handle(), 0.0))
      << "created not signalled";
  event.set();
  EXPECT_TRUE(korWait(event.handle()) && korTryWait(event.handle()))
      << "manual reset stays set";
  event.reset();
  EXPECT_FALSE(korTryWait(event.handle()));
  KorEventHandle autoReset(false, true);
  EXPECT_TRUE(korTryWait(&autoReset));
  EXPECT_FALSE(korTryWait(&autoReset)) << "auto reset consumed";

  KorSemaphoreHandle semaphore(0, 2);
  EXPECT_FALSE(semaphore.release(3)) << "beyond the maximum";
  EXPECT_TRUE(semaphore.release(2));
  EXPECT_FALSE(semaphore.release(1));
  EXPECT_TRUE(korTryWait(&semaphore) && korTryWait(&semaphore));
  EXPECT_FALSE(korTryWait(&semaphore) || korWait(nullptr));
}

namespace {
/// Threads that wait on a condition until `go` is set, counting wake-ups.
struct Waiters {
  KorMutex mutex;
  KorCondition condition;
  int waiting = 0;
  int woken = 0;
  bool go = false;
  std::vector<std::thread> threads;

  explicit Waiters(int count) {
    mutex.create();
    for (int i = 0; i < count; ++i)
      threads.emplace_back([this] {
        mutex.lock();
        ++waiting;
        while (!go)
          condition.wait(mutex);
        ++woken;
        mutex.unlock();
      });
  }
  /// What `get` answers while the mutex is held.
  template <class F> auto locked(F get) {
    mutex.lock();
    auto value = get();
    mutex.unlock();
    return value;
  }
  ~Waiters() {
    for (auto &t : threads)
      t.join();
  }
};
} // namespace

TEST(KorSync, ConditionSignalWakesOneAndBroadcastTheRest) {
  Waiters waiters(4);
  while (!waiters.locked([&] {
    return waiters.waiting == 4 && waiters.condition.waiters() == 4;
  }))
    std::this_thread::yield();
  waiters.mutex.lock();
  waiters.go = true;
  waiters.condition.signal();
  waiters.mutex.unlock();
  while (waiters.locked([&] { return waiters.woken; }) < 1)
    std::this_thread::yield();
  waiters.mutex.lock();
  EXPECT_EQ(waiters.condition.waiters(), 3);
  waiters.condition.broadcast();
  EXPECT_EQ(waiters.condition.waiters(), 0) << "all acknowledged";
  waiters.mutex.unlock();
  while (waiters.locked([&] { return waiters.woken; }) < 4)
    std::this_thread::yield();
}
